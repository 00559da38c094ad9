// The computer turn's two tables come out of their orderings as from plain passes of adjacent
// exchanges over every pair, with as many passes (and events handled after each).
#include <cstring>
#include <random>

#include "ai/ai_fixture.h"
#include "ai/turn_tables.h"

namespace zarnath::testing {
namespace {

// Passes over every pair until one exchanges nothing, counting them.
template <typename Row, typename MustSwap>
int PlainPasses(std::vector<Row>& rows, MustSwap mustSwap) {
  int passes = 0;
  bool swapped = true;
  while (swapped) {
    swapped = false;
    for (size_t i = 1; i < rows.size(); ++i)
      if (mustSwap(rows[i - 1], rows[i])) std::swap(rows[i - 1], rows[i]), swapped = true;
    ++passes;
  }
  return passes;
}

template <typename Row>
bool SameRows(const std::vector<Row>& a, const std::vector<Row>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Row)) == 0);
}

// Tables as a turn builds them: times in steps of a 520th of a year, many equal, many within a
// tenth of each other; sources of equal and of different richness; from none to 151 rows.
TEST(TurnTables, OrderedAsByPlainPassesOverEveryPair) {
  AiState s(30, 6);
  Game& g = s.game;
  std::mt19937 rng(99);
  for (int w = 0; w < 30; ++w)
    g.WorldProduction[w] = static_cast<uint8_t>(1 + rng() % 4),
    g.WorldClass[w] = static_cast<uint8_t>(1 + rng() % 3),
    g.WorldType[w] = static_cast<int16_t>(rng() % 3 == 0 ? rng() % 9 : 0);
  for (int round = 0; round < 600; ++round) {
    const size_t n = round < 4 ? round : rng() % 152;
    const uint32_t spread = 1 + rng() % 400;  // ticks: narrow spreads give many ties
    std::vector<CandidateRow> rows(n);
    std::vector<ExposureRow> exposure(n);
    for (size_t i = 0; i < n; ++i) {
      rows[i] = {static_cast<float>(rng() % 30), static_cast<float>(rng() % 30),
                 static_cast<float>((rng() % spread) / 520.0)};
      exposure[i] = {static_cast<float>(rng() % 30), static_cast<float>((rng() % spread) / 97.0)};
    }
    std::vector<CandidateRow> plain = rows;
    for (CandidateRow& r : plain) {
      const int w = static_cast<int>(r.source);
      r.richness = g.WorldProduction[w] * g.WorldClass[w];
    }
    int passes = PlainPasses(plain, [](const CandidateRow& a, const CandidateRow& b) {
      return b.years < a.years || (b.years == a.years && a.richness < b.richness);
    });
    passes += PlainPasses(plain, [](const CandidateRow& a, const CandidateRow& b) {
      return b.years <= static_cast<float>(a.years + 0.1) && a.richness < b.richness;
    });
    s.ports.Clear();
    OrderCandidates(g, rows);
    ASSERT_TRUE(SameRows(rows, plain)) << "round " << round;
    ASSERT_EQ(s.ports.Count("Yield"), passes) << "round " << round;

    std::vector<ExposureRow> plainExposure = exposure;
    passes = PlainPasses(plainExposure,
                         [](const ExposureRow& a, const ExposureRow& b) { return b.exposure < a.exposure; });
    passes += PlainPasses(plainExposure, [&](const ExposureRow& a, const ExposureRow& b) {
      if (!(b.exposure < static_cast<float>(a.exposure + 0.1))) return false;
      const int wa = static_cast<int>(a.world), wb = static_cast<int>(b.world);
      const double va = WorldValue(g, wa), vb = WorldValue(g, wb);
      return va < vb || (va == vb && g.WorldProduction[wa] < g.WorldProduction[wb]);
    });
    s.ports.Clear();
    OrderExposure(g, exposure);
    ASSERT_TRUE(SameRows(exposure, plainExposure)) << "round " << round;
    ASSERT_EQ(s.ports.Count("Yield"), passes) << "round " << round;
  }
}

}  // namespace
}  // namespace zarnath::testing
