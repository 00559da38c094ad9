// The travel-time solver with the quick launch-parameter step, as the nearest-world searches of a
// computer turn use it: hundreds of trips between the worlds as they stand at one moment.
//
// The answers are those of DistCalc and PDistCalc with the quick step. A search that only keeps
// trips shorter than some time asks for them below it, which lets the solver stop early.
#pragma once

#include "model/travel_time.h"

namespace zarnath {
struct GameState;

class QuickSolver {
 public:
  // Earliest interception from one world to another for a launch `ahead` ticks from now: years
  // (10000 when unreachable) and the launch parameter (0 when unreachable).
  void Price(const GameState& g, int fromWorld, int toWorld, int ahead, float& years, float& angle) {
    PDistCalc(g, fromWorld, toWorld, years, angle, kQuickStep, ahead);
  }
  // The same when the trip is shorter than `belowYears` (true); false, with 10000 years and 0,
  // when it takes that long or longer.
  bool PriceBelow(const GameState& g, int fromWorld, int toWorld, int ahead, float belowYears, float& years,
                  float& angle) {
    return PDistCalcBelow(g, fromWorld, toWorld, years, angle, kQuickStep, ahead, belowYears);
  }
  // The same for trips of fewer than `ticks` ticks (TicksBelow of a bound in years).
  bool PriceInTicks(const GameState& g, int fromWorld, int toWorld, int ahead, int ticks, float& years,
                    float& angle) {
    return PDistCalcInTicks(g, fromWorld, toWorld, years, angle, kQuickStep, ahead, ticks);
  }
};

}  // namespace zarnath
