#include "ai/turn_tables.h"

#include <algorithm>
#include <utility>

#include "model/game.h"

namespace zarnath {
namespace {

// Passes of adjacent exchanges until one exchanges nothing, with events handled after each.
//
// A pass compares only where the last pass changed something. Before the place of the last
// pass's first exchange the rows stand as they did then, and the pairs there were compared and
// kept. Beyond the place of its last exchange, a pair whose left row this pass has not just
// brought there is the pair the last pass compared and kept, and so is every pair after it.
template <typename Row, typename MustSwap>
void Passes(Game& g, std::vector<Row>& rows, MustSwap mustSwap) {
  const size_t n = rows.size();
  size_t firstExchange = 1, lastExchange = n;  // the first pass compares every pair
  bool swapped = true;
  while (swapped) {
    swapped = false;
    size_t first = 0, last = 0;
    bool movedIn = false;  // the row at i - 1 came there by an exchange in this pass
    for (size_t i = std::max<size_t>(firstExchange, 2) - 1; i < n; ++i) {
      if (i > lastExchange && !movedIn) break;
      movedIn = mustSwap(rows[i - 1], rows[i]);
      if (movedIn) {
        std::swap(rows[i - 1], rows[i]);
        if (!swapped) first = i;
        swapped = true;
        last = i;
      }
    }
    firstExchange = first;
    lastExchange = last;
    g.io.platform.Yield();
  }
}

// The passes of an ordering that is a strict weak order (`less`), without making them: the rows
// end stably sorted, and a row with k rows before it that must come after it moves one place
// forward in each of k passes. So there are as many passes as the most such rows before any one
// row, and one more that exchanges nothing. A stable insertion puts each row past exactly those.
template <typename Row, typename Less>
void PassesOfAnOrder(Game& g, std::vector<Row>& rows, Less less) {
  size_t most = 0;
  for (size_t i = 1; i < rows.size(); ++i) {
    const Row row = rows[i];
    size_t at = i;
    for (; at > 0 && less(row, rows[at - 1]); --at) rows[at] = rows[at - 1];
    rows[at] = row;
    most = std::max(most, i - at);
  }
  for (size_t pass = 0; pass <= most; ++pass) g.io.platform.Yield();
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
  // Nearest first, of equal times the richer first: a strict order of the rows (their times are
  // never NaN).
  PassesOfAnOrder(g, rows, [](const CandidateRow& a, const CandidateRow& b) {
    return a.years < b.years || (a.years == b.years && b.richness < a.richness);
  });
  Passes(g, rows, [](const CandidateRow& a, const CandidateRow& b) {
    return a.richness < b.richness && b.years <= static_cast<float>(a.years + 0.1);
  });
}

void OrderExposure(Game& g, std::vector<ExposureRow>& rows) {
  // Most exposed first: a strict order of the rows (sums of travel times, never NaN).
  PassesOfAnOrder(g, rows,
                  [](const ExposureRow& a, const ExposureRow& b) { return a.exposure < b.exposure; });
  Passes(g, rows, [&](const ExposureRow& a, const ExposureRow& b) {
    if (!(b.exposure < static_cast<float>(a.exposure + 0.1))) return false;
    const int wa = static_cast<int>(a.world), wb = static_cast<int>(b.world);
    const double va = WorldValue(g, wa), vb = WorldValue(g, wb);
    return va < vb || (va == vb && g.WorldProduction[wa] < g.WorldProduction[wb]);
  });
}

}  // namespace zarnath
