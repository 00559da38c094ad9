// The travel-distance calculator's picture: the dotted trail of a fleet launched now from the
// source to its meeting with the target, the target's arc along its orbit meanwhile, the marks at
// both ends, the two worlds' name labels and the report of the time in years and turns.
#pragma once

#include <string>
#include <vector>

#include "model/view_geometry.h"

namespace zarnath {
struct GameState;

struct TrailSegment {
  ViewPoint from, to;  // pixels
  double colour = 0;
};

// A world's name label above the world: its bottom edge `gap` px above the world's centre,
// centred on it.
struct CalcNameLabel {
  int world = -1;
  std::string caption;
  double colour = 0;
  bool italic = false;
  bool rightAligned = false;
  ViewPoint at;  // the world's pixel position
  int gap = 15;
};

struct TravelCalcPlan {
  bool reachable = false;  // false: the solver found no meeting; nothing is drawn
  float years = 0;
  int turns = 0;
  std::string caption;  // the report shown centred on the sun
  std::vector<TrailSegment> ship, target;
  ViewPoint targetNow;  // a circle of radius 12 in targetColour
  double targetColour = 0;
  ViewPoint meeting;  // a filled circle of radius 3 in meetingColour
  double meetingColour = 0;
  CalcNameLabel source, destination;
};

inline constexpr double kTrailClearance = 12.0;  // px around a world where no trail is drawn

// The report for a trip of `years`: years to the next hundredth and whole turns.
std::string TravelCalcCaption(float years);
// The report for a target the solver cannot reach.
std::string UnreachableCaption(const GameState& g, int from, int to);
// The picture for a trip of `years` with launch parameter `angle` from `from` to `to` (both in
// play). An unreachable trip has no trails; a trip of no time has none either.
TravelCalcPlan PlanTravelCalc(const GameState& g, int from, int to, float years, float angle);

}  // namespace zarnath
