#include "ai/quick_solver.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

constexpr float kFirstA = -6.283184f;
constexpr float kLastA = 9.424776f;
// Bins are kept in 16 bits; the lowest value marks a padding column and never matches.
constexpr int16_t kNoBin = -32768;
constexpr double kLowestBin = -32767, kHighestBin = 32767;

float Reduce(float angle) {
  while (angle > kTwoPi) angle = static_cast<float>(angle - kTwoPi);
  return angle;
}

// The 0.01-radian bin of an angle; false when it does not fit the tables.
bool Bin(float angle, int16_t& bin) {
  const double b = std::floor(angle * 100.0);
  if (!(b >= kLowestBin && b <= kHighestBin)) return false;
  bin = static_cast<int16_t>(b);
  return true;
}

// A world the solver prices: on a ring, with a sane angle and speed (as the solver demands).
bool Usable(const GameState& g, int w) {
  if (w < 0 || w >= kWorldSlots) return false;
  const float r = g.WorldRadius[w], a = g.WorldAngle[w], m = g.WorldAngularSpeed[w];
  return r >= 1.0f && r <= 1000.0f && a >= -1000.0f && a <= 1000.0f && m >= -1.0f && m <= 1.0f;
}

float StartAngle(const GameState& g, int world, int ahead) {
  if (ahead == 0) return g.WorldAngle[world];
  return static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[world]) + g.WorldAngle[world]);
}

}  // namespace

QuickSolver::QuickSolver() {
  for (float a = kFirstA; a <= kLastA; a += kQuickStep) params_.push_back(a);
  if (params_.size() > static_cast<size_t>(kColumns)) std::abort();  // the step is fixed: never
}

QuickSolver::Departures& QuickSolver::DeparturesOf(const GameState& g, int world, int ahead, int lastTick) {
  Departures& d = departures_[{world, ahead}];
  const float start = StartAngle(g, world, ahead), speed = g.WorldAngularSpeed[world],
              rate = LaunchRate(g, world);
  if (!d.bins || d.start != start || d.speed != speed || d.rate != rate || d.lastTick != lastTick) {
    d.start = start;
    d.speed = speed;
    d.rate = rate;
    d.lastTick = lastTick;
    d.rowsBuilt = 0;
    d.wide = false;
    for (size_t j = 0; j < params_.size(); ++j)
      d.rates[j] = static_cast<float>(static_cast<double>(rate) * params_[j]);
    d.bins.reset(new int16_t[static_cast<size_t>(lastTick + 1) * kColumns]);
  }
  return d;
}

QuickSolver::Arrivals& QuickSolver::ArrivalsOf(const GameState& g, int world, int ahead, int lastTick) {
  Arrivals& r = arrivals_[{world, ahead}];
  const float start = StartAngle(g, world, ahead), speed = g.WorldAngularSpeed[world];
  if (r.bins.empty() || r.start != start || r.speed != speed || r.lastTick != lastTick) {
    r.start = start;
    r.speed = speed;
    r.lastTick = lastTick;
    r.wide = false;
    r.bins.resize(static_cast<size_t>(lastTick + 1));
    const double m = speed;
    for (int t = 0; t <= lastTick; ++t)
      r.wide |= !Bin(Reduce(static_cast<float>(t * m + start)), r.bins[static_cast<size_t>(t)]);
  }
  return r;
}

void QuickSolver::BuildRows(Departures& d, int upToTick) {
  const double m = d.speed, start = d.start;
  const size_t used = params_.size();
  for (int t = d.rowsBuilt; t <= upToTick; ++t) {
    int16_t* row = &d.bins[static_cast<size_t>(t) * kColumns];
    const double base = t * m + start;
    for (size_t j = 0; j < used; ++j)
      d.wide |= !Bin(Reduce(static_cast<float>(base + t * static_cast<double>(d.rates[j]))), row[j]);
    for (size_t j = used; j < static_cast<size_t>(kColumns); ++j) row[j] = kNoBin;
  }
  d.rowsBuilt = std::max(d.rowsBuilt, upToTick + 1);
}

void QuickSolver::Price(const GameState& g, int from, int to, int ahead, float& years, float& angle) {
  years = kUnreachableYears;
  angle = 0.0f;
  if (!Usable(g, from) || !Usable(g, to) || !Usable(g, kHomeWorld0)) return;
  if (ahead < -100000 || ahead > 100000) return;
  const double dR = static_cast<double>(g.WorldRadius[from]) - g.WorldRadius[to];
  const int tmin = static_cast<int>(std::nearbyint(std::fabs(dR)));
  const int tmax = static_cast<int>(std::nearbyint(3.0 * g.WorldRadius[kHomeWorld0]));
  if (tmax < 0 || tmin > tmax) return;
  Departures& d = DeparturesOf(g, from, ahead, tmax);
  const Arrivals& r = ArrivalsOf(g, to, ahead, tmax);
  // The least tick at which any launch parameter hits wins; among those the lowest parameter.
  for (int t = tmin; t <= tmax; ++t) {
    if (t >= d.rowsBuilt) BuildRows(d, std::min(tmax, t + 31));
    if (d.wide || r.wide) {
      PDistCalc(g, from, to, years, angle, kQuickStep, ahead);
      return;
    }
    const int16_t* row = &d.bins[static_cast<size_t>(t) * kColumns];
    const int16_t target = r.bins[static_cast<size_t>(t)];
    int hits = 0;
    for (int j = 0; j < kColumns; ++j) hits += row[j] == target;
    if (hits == 0) continue;
    for (int j = 0;; ++j) {
      if (row[j] == target) {
        years = static_cast<float>(t / 520.0);
        angle = params_[static_cast<size_t>(j)];
        return;
      }
    }
  }
}

}  // namespace zarnath
