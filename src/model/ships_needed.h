// The ships-needed estimate: how many ships from an own world would take a target world, from
// what the player knows of the target when the fleet would arrive (the true figures of an
// unowned world with the Information Crystal, otherwise a scout report at most four turns old),
// following the battle rules: a shield point absorbs a hit, a higher class destroys more ships
// a hit, defensive battles count more shots, and a travelling shield absorbs hits of its own.
#pragma once

#include <string>

namespace zarnath {
struct GameState;

enum class EstimateSource { kNone, kCrystal, kScout };

struct ShipsEstimate {
  EstimateSource source = EstimateSource::kNone;
  double ships = 0;  // N: a whole number, at least 1 (0 without a source)
  int turn = 0;      // the turn the knowledge dates from: the current turn (crystal) or the report's
};

// The estimate for a trip of `years` from `from` to `to`.
ShipsEstimate EstimateShipsFor(const GameState& g, int from, int to, double years);
// The same with the trip's time solved first (launch-parameter step 0.2), which it leaves in
// TravelYears and TravelAngle.
ShipsEstimate EstimateShips(GameState& g, int from, int to);

// CalcShips: the estimate for the selected pair as digits ("37"); `result` is left as it was when
// the player knows nothing recent of the target.
void CalcShips(GameState& g, std::string& result);

// The three-second report over the galaxy for an estimate.
std::string ShipsReportText(const GameState& g, const ShipsEstimate& e, int from, int to);

}  // namespace zarnath
