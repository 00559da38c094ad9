#include "model/quick_solver.h"

#include "model/travel_time.h"

namespace zarnath {

void QuickSolver::Price(const GameState& g, int from, int to, int ahead, float& years, float& angle) {
  PDistCalc(g, from, to, years, angle, kQuickStep, ahead);
}

bool QuickSolver::PriceBelow(const GameState& g, int from, int to, int ahead, float belowYears, float& years,
                             float& angle) {
  return PDistCalcBelow(g, from, to, years, angle, kQuickStep, ahead, belowYears);
}

}  // namespace zarnath
