// Travel times: the earliest interception of a moving world, and where an object in flight is.
//
// An object keeps turning round the sun at its origin's angular speed plus k x a radians a tick,
// a being its launch parameter, while its distance from the sun changes linearly from the
// origin's ring to the destination's.
#pragma once

namespace zarnath {
struct GameState;

inline constexpr float kUnreachableYears = 10000.0f;
inline constexpr int kTicksPerYear = 520;
inline constexpr int kTicksPerTurn = 26;

// Search steps over the launch parameter.
inline constexpr float kLaunchStep = 0.05f;
inline constexpr float kOptionsStep = 0.1f;
inline constexpr float kQuickStep = 0.2f;

// Earliest interception from one world to another: years (10000 when unreachable) and the launch
// parameter (0 when unreachable). Both worlds must be in play.
void DistCalc(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA);
// The same for a launch `ahead` ticks from now.
void PDistCalc(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA, int ahead);

// Extra angular rate per unit of launch parameter for objects leaving a world.
float LaunchRate(const GameState& g, int fromWorld);

// Where the object in a used travel slot is m ticks after its launch, relative to the sun in
// orbit units.
struct PathPoint {
  double radius = 0;
  double angle = 0;
  double x = 0;  // radius x cos(angle)
  double y = 0;  // radius x sin(angle)
};
PathPoint FleetPathAt(const GameState& g, int slot, double m);
// Ticks elapsed since the launch of the object in a slot.
double FleetTicksElapsed(const GameState& g, int slot);

}  // namespace zarnath
