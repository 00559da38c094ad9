// Travel times: the earliest interception of a moving world, and where an object in flight is.
//
// An object keeps turning round the sun at its origin's angular speed plus k x a radians a tick,
// a being its launch parameter, while its distance from the sun changes linearly from the
// origin's ring to the destination's.
#pragma once

namespace zarnath {
struct GameState;
struct TripOrigin;

inline constexpr float kUnreachableYears = 10000.0f;
inline constexpr int kTicksPerYear = 520;
inline constexpr int kTicksPerTurn = 26;

// Search steps over the launch parameter.
inline constexpr float kLaunchStep = 0.05f;
inline constexpr float kOptionsStep = 0.1f;
inline constexpr float kQuickStep = 0.2f;

// Earliest interception from one world to another: years (10000 when unreachable) and the launch
// parameter (0 when unreachable). The search tries the launch parameter from -2 pi to 3 pi in steps
// of `stepA` and the ticks from the difference of the rings up to 390. A world that is not on a ring
// (or whose values are damaged) is unreachable.
void DistCalc(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA);
// The same for a launch `ahead` ticks from now.
void PDistCalc(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA,
               int ahead);
// The same search, for callers that only want trips shorter than `belowYears`: true with exactly
// the answer of PDistCalc when that answer is below the bound; false, with the results 10000
// years and a = 0, when the trip takes `belowYears` or longer (or the target is unreachable).
bool PDistCalcBelow(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA,
                    int ahead, float belowYears);
// The ticks a search for trips shorter than `belowYears` tries: those under the first tick whose
// time in years is not below the bound (none when the bound is not above 0).
int TicksBelow(float belowYears);
// PDistCalcBelow with its bound given as that count of ticks, for callers that ask many trips
// below one bound.
bool PDistCalcInTicks(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA,
                      int ahead, int ticks);

// Trips from one world, launched `ahead` ticks from now and searched with one step, priced one
// target after another: what depends on the origin alone is worked out once. No world may move
// while it is in use. Each answer is PDistCalcInTicks's.
class TripsFrom {
 public:
  TripsFrom(const GameState& g, int fromWorld, int ahead, float stepA);
  ~TripsFrom();
  TripsFrom(const TripsFrom&) = delete;
  TripsFrom& operator=(const TripsFrom&) = delete;
  bool InTicks(int toWorld, int ticks, float& years, float& angle) const;

 private:
  const GameState& g_;
  int from_, ahead_;
  float step_;
  int slot_;                            // -1 when too many are in use: each trip is then priced on its own
  const TripOrigin* origin_ = nullptr;  // what the solver worked out from the origin
};

// Extra angular rate per tick and unit of launch parameter for objects leaving a world: 130 / (ring
// x 520), twice that from a world with double-speed fuel.
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
