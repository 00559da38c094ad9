#include "ai/turn_tables.h"

#include <algorithm>
#include <utility>

#include "model/game.h"

namespace zarnath {
namespace {

// Passes of adjacent exchanges until one exchanges nothing, with events handled after each.
//
// A pass need not go on where the last one left the rows alone: beyond the place of the last
// pass's last exchange, a pair whose left row this pass has not just brought there is the pair
// the last pass compared and kept, and so is every pair after it.
template <typename Row, typename MustSwap>
void Passes(Game& g, std::vector<Row>& rows, MustSwap mustSwap) {
  const size_t n = rows.size();
  size_t lastExchange = n;  // the first pass compares every pair
  bool swapped = true;
  while (swapped) {
    swapped = false;
    size_t last = 0;
    bool movedIn = true;  // the row at i - 1 came there by an exchange in this pass
    for (size_t i = 1; i < n; ++i) {
      if (i > lastExchange && !movedIn) break;
      movedIn = mustSwap(rows[i - 1], rows[i]);
      if (movedIn) {
        std::swap(rows[i - 1], rows[i]);
        swapped = true;
        last = i;
      }
    }
    lastExchange = last;
    g.io.platform.Yield();
  }
}

// The passes of an ordering that is a strict weak order (`less`), without making them: the rows
// end stably sorted, and a row with k rows before it that must come after it moves one place
// forward in each of k passes. So there are as many passes as the most such rows before any one
// row, and one more that exchanges nothing.
template <typename Row, typename Less>
void PassesOfAnOrder(Game& g, std::vector<Row>& rows, Less less) {
  const size_t n = rows.size();
  // A stable merge sort that counts, for each row, the rows before it that it goes ahead of.
  std::vector<Row> from = rows, to(n);
  std::vector<int> countFrom(n, 0), countTo(n, 0);
  size_t most = 0;
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      size_t a = lo, b = mid, out = lo;
      while (a < mid || b < hi) {
        if (b == hi || (a < mid && !less(from[b], from[a]))) {
          to[out] = from[a];
          countTo[out++] = countFrom[a++];
        } else {
          to[out] = from[b];
          countTo[out] = countFrom[b++] + static_cast<int>(mid - a);
          most = std::max(most, static_cast<size_t>(countTo[out++]));
        }
      }
    }
    std::swap(from, to);
    std::swap(countFrom, countTo);
  }
  rows = std::move(from);
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
    return b.years <= static_cast<float>(a.years + 0.1) && a.richness < b.richness;
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
