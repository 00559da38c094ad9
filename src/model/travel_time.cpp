#include "model/travel_time.h"

#include <array>
#include <cmath>

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

// The launch parameter runs from -2 pi to 3 pi as a 32-bit float that grows by the step.
constexpr float kFirstA = -6.283184f;
constexpr float kLastA = 9.424776f;

// Brings an angle above 2 pi back by whole turns. An angle below 0 stays as it is.
float Reduce(float angle) {
  while (angle > kTwoPi) angle = static_cast<float>(angle - kTwoPi);
  return angle;
}

// Bounds far beyond anything a game reaches; they only keep damaged values from stalling the
// search (an angle of 1e30 would never come down by whole turns).
constexpr float kLargestRing = 1000.0f;
constexpr int kMostTicksAhead = 32767;

// A world the solver can price: on a ring, with finite angle and speed.
bool Usable(const GameState& g, int w) {
  if (w < 0 || w >= kWorldSlots) return false;
  const float r = g.WorldRadius[w], a = g.WorldAngle[w], m = g.WorldAngularSpeed[w];
  return r >= 1.0f && r <= kLargestRing && a >= -1000.0f && a <= 1000.0f && m >= -1.0f && m <= 1.0f;
}

// The tick limit is three times the reference ring.
constexpr int kMostTicks = 3 * static_cast<int>(kLargestRing);

void Search(const GameState& g, int from, int to, float startFrom, float startTo, float& years, float& angle,
            float stepA) {
  years = kUnreachableYears;
  angle = 0.0f;
  const double dR = static_cast<double>(g.WorldRadius[from]) - g.WorldRadius[to];
  const float k = LaunchRate(g, from);
  const int tmin = static_cast<int>(std::nearbyint(std::fabs(dR)));
  const int tmax = static_cast<int>(std::nearbyint(3.0 * g.WorldRadius[kHomeWorld0]));
  if (tmin > tmax) return;
  const double mFrom = g.WorldAngularSpeed[from], mTo = g.WorldAngularSpeed[to];

  // What does not depend on a is worked out once: the origin's own turning after t ticks, and
  // the 0.01-radian bin the target stands in then.
  std::array<double, kMostTicks + 1> shipBase;
  std::array<double, kMostTicks + 1> targetBin;
  for (int t = tmin; t <= tmax; ++t) {
    shipBase[t] = t * mFrom + startFrom;
    targetBin[t] = std::floor(Reduce(static_cast<float>(t * mTo + startTo)) * 100.0);
  }

  // The answer is the least t over all a; once some a hit at bestT, a later hit of another a
  // cannot change it, so each a looks no further than bestT - 1.
  int bestT = tmax + 1;
  for (float a = kFirstA; a <= kLastA; a += stepA) {
    const double ka = static_cast<float>(static_cast<double>(k) * a);
    for (int t = tmin; t < bestT; ++t) {
      const double ship = Reduce(static_cast<float>(shipBase[t] + t * ka)) * 100.0;  // exact in double
      // Same bin as the target: Int(ship x 100) = Int(target x 100), Int taking the floor.
      if (ship >= targetBin[t] && ship < targetBin[t] + 1.0) {
        // The first hit of this a is earlier than every hit so far.
        years = static_cast<float>(t / 520.0);
        angle = a;
        bestT = t;
        break;
      }
    }
  }
}

}  // namespace

float LaunchRate(const GameState& g, int fromWorld) {
  const double r8 = g.WorldRadius[kHomeWorld0], rFrom = g.WorldRadius[fromWorld];
  const double factor = g.WorldType[fromWorld] == kTypeFuel ? 2.0 : 1.0;
  return static_cast<float>(factor * r8 / (rFrom * 520.0));
}

void DistCalc(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA) {
  PDistCalc(g, fromWorld, toWorld, years, angle, stepA, 0);
}

void PDistCalc(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA,
               int ahead) {
  years = kUnreachableYears;
  angle = 0.0f;
  if (!Usable(g, fromWorld) || !Usable(g, toWorld) || !Usable(g, kHomeWorld0) || !(stepA > 0.0f)) return;
  if (ahead < -kMostTicksAhead || ahead > kMostTicksAhead) return;
  const float startFrom = static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[fromWorld]) +
                                             g.WorldAngle[fromWorld]);
  const float startTo =
      static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[toWorld]) + g.WorldAngle[toWorld]);
  Search(g, fromWorld, toWorld, startFrom, startTo, years, angle, stepA);
}

double FleetTicksElapsed(const GameState& g, int slot) {
  return (static_cast<double>(g.FleetTripTime[slot]) - g.FleetTimeLeft[slot]) * 520.0;
}

PathPoint FleetPathAt(const GameState& g, int slot, double m) {
  const int f = g.FleetFrom[slot] - 1, d = g.FleetTo[slot] - 1;
  PathPoint p;
  if (f < 0 || f >= kWorldSlots || d < 0 || d >= kWorldSlots) return p;
  const double e = FleetTicksElapsed(g, slot);
  const double k = LaunchRate(g, f);
  p.angle = g.WorldAngle[f] + (m - e) * g.WorldAngularSpeed[f] + m * k * g.FleetAngleParam[slot];
  double span = static_cast<double>(g.FleetTripTime[slot]) * 520.0 - 1.0;
  if (span == 0.0) span = 1.0;
  const double rFrom = g.WorldRadius[f], rTo = g.WorldRadius[d];
  p.radius = rFrom - m * (rFrom - rTo) / span;
  p.x = p.radius * std::cos(p.angle);
  p.y = p.radius * std::sin(p.angle);
  return p;
}

}  // namespace zarnath
