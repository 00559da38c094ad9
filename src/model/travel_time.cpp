#include "model/travel_time.h"

#include <cmath>

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

constexpr float kFirstA = -6.283184f;
constexpr float kLastA = 9.424776f;

float Reduce(float angle) {
  while (angle > kTwoPi) angle = static_cast<float>(angle - kTwoPi);
  return angle;
}

void Search(const GameState& g, int from, int to, float startFrom, float startTo, float& years, float& angle,
            float stepA) {
  years = kUnreachableYears;
  angle = 0.0f;
  const float dR = g.WorldRadius[from] - g.WorldRadius[to];
  const float k = LaunchRate(g, from);
  const int tmin = static_cast<int>(std::nearbyint(std::fabs(dR)));
  const int tmax = static_cast<int>(std::nearbyint(3.0 * g.WorldRadius[8]));
  const double mFrom = g.WorldAngularSpeed[from], mTo = g.WorldAngularSpeed[to];
  int bestT = tmax + 1;
  for (float a = kFirstA; a <= kLastA; a += stepA) {
    const float ka = static_cast<float>(static_cast<double>(k) * a);
    // Only an earlier hit than the best so far can change the answer.
    for (int t = tmin; t < bestT; ++t) {
      float ship = static_cast<float>((t * mFrom + startFrom) + t * static_cast<double>(ka));
      ship = Reduce(ship);
      float target = Reduce(static_cast<float>(t * mTo + startTo));
      if (std::floor(ship * 100.0) == std::floor(target * 100.0)) {
        const float y = static_cast<float>(t / 520.0);
        if (y < years) {
          years = y;
          angle = a;
          bestT = t;
        }
        break;
      }
    }
  }
}

}  // namespace

float LaunchRate(const GameState& g, int fromWorld) {
  const double r8 = g.WorldRadius[8], rFrom = g.WorldRadius[fromWorld];
  const double factor = g.WorldType[fromWorld] == kTypeFuel ? 2.0 : 1.0;
  return static_cast<float>(factor * r8 / (rFrom * 520.0));
}

void DistCalc(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA) {
  Search(g, fromWorld, toWorld, g.WorldAngle[fromWorld], g.WorldAngle[toWorld], years, angle, stepA);
}

void PDistCalc(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA, int ahead) {
  const float startFrom =
      static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[fromWorld]) + g.WorldAngle[fromWorld]);
  const float startTo =
      static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[toWorld]) + g.WorldAngle[toWorld]);
  Search(g, fromWorld, toWorld, startFrom, startTo, years, angle, stepA);
}

double FleetTicksElapsed(const GameState& g, int slot) {
  return (static_cast<double>(g.FleetTripTime[slot]) - g.FleetTimeLeft[slot]) * 520.0;
}

PathPoint FleetPathAt(const GameState& g, int slot, double m) {
  const int f = g.FleetFrom[slot] - 1, d = g.FleetTo[slot] - 1;
  const double e = FleetTicksElapsed(g, slot);
  const double k = LaunchRate(g, f);
  PathPoint p;
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
