#include "ai/turn_tables.h"

#include <utility>

#include "model/game.h"

namespace zarnath {
namespace {

template <typename Row, typename MustSwap>
void Passes(Game& g, std::vector<Row>& rows, MustSwap mustSwap) {
  bool swapped = true;
  while (swapped) {
    swapped = false;
    for (size_t i = 1; i < rows.size(); ++i) {
      if (mustSwap(rows[i - 1], rows[i])) {
        std::swap(rows[i - 1], rows[i]);
        swapped = true;
      }
    }
    g.io.platform.Yield();
  }
}

int Richness(const Game& g, const CandidateRow& row) {
  const int s = static_cast<int>(row.source);
  return g.WorldProduction[s] * g.WorldClass[s];
}

}  // namespace

double WorldValue(const Game& g, int world) {
  return g.WorldType[world] / 2.0 + g.WorldClass[world];
}

void OrderCandidates(Game& g, std::vector<CandidateRow>& rows) {
  // The worlds stand still while the rows are ordered: each row's richness is worked out once.
  for (CandidateRow& row : rows) row.richness = Richness(g, row);
  Passes(g, rows, [](const CandidateRow& a, const CandidateRow& b) {
    return b.years < a.years || (b.years == a.years && a.richness < b.richness);
  });
  Passes(g, rows, [](const CandidateRow& a, const CandidateRow& b) {
    return b.years <= static_cast<float>(a.years + 0.1) && a.richness < b.richness;
  });
}

void OrderExposure(Game& g, std::vector<ExposureRow>& rows) {
  Passes(g, rows, [](const ExposureRow& a, const ExposureRow& b) { return b.exposure < a.exposure; });
  Passes(g, rows, [&](const ExposureRow& a, const ExposureRow& b) {
    if (!(b.exposure < static_cast<float>(a.exposure + 0.1))) return false;
    const int wa = static_cast<int>(a.world), wb = static_cast<int>(b.world);
    const double va = WorldValue(g, wa), vb = WorldValue(g, wb);
    return va < vb || (va == vb && g.WorldProduction[wa] < g.WorldProduction[wb]);
  });
}

}  // namespace zarnath
