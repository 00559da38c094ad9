#include "model/travel_time.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

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

// One trip as the trials see it: start angles, speeds and the extra rate per unit of a. They are
// kept as 32-bit floats: g++ 12 at -O2 was seen to drop the rounding of a start angle to 32
// bits when it went straight into a double field, which changed answers.
struct Trip {
  float startFrom = 0, startTo = 0, mFrom = 0, mTo = 0, k = 0;
  int tmin = 0, tmax = 0;
  float stepA = 0;

  // The trial of one launch parameter at tick t: the object's angle (k x a being `ka`) and the
  // target's fall into the same 0.01-radian bin. Int(x x 100) is the floor; x x 100 is exact in
  // double for a 32-bit x.
  bool Hits(int t, double ka) const {
    const double ship =
        Reduce(static_cast<float>((t * static_cast<double>(mFrom) + startFrom) + t * ka)) * 100.0;
    const double target =
        std::floor(Reduce(static_cast<float>(t * static_cast<double>(mTo) + startTo)) * 100.0);
    return ship >= target && ship < target + 1.0;
  }
};

// The best answer so far: the least tick, and among equal ticks the lowest parameter.
struct Best {
  int tick;        // exclusive bound while nothing has hit
  int param = -1;  // index of the parameter; -1 while nothing has hit
  float a = 0.0f;
  // The last tick a trial of parameter `i` may still win at.
  int LastFor(int i) const { return param >= 0 && i < param ? tick : tick - 1; }
};

// Every launch parameter against every tick below the limit: the plain search, kept for values
// whose rounding the windows below cannot bound.
void ScanAll(const Trip& p, Best& best) {
  // What does not depend on a is worked out once: the origin's own turning after t ticks, and
  // the 0.01-radian bin the target stands in then.
  std::array<double, kMostTicks + 1> shipBase;
  std::array<double, kMostTicks + 1> targetBin;
  for (int t = p.tmin; t <= p.tmax && t < best.tick; ++t) {
    shipBase[t] = t * static_cast<double>(p.mFrom) + p.startFrom;
    targetBin[t] = std::floor(Reduce(static_cast<float>(t * static_cast<double>(p.mTo) + p.startTo)) * 100.0);
  }
  int index = 0;
  for (float a = kFirstA; a <= kLastA; ++index) {
    const float ka = static_cast<float>(static_cast<double>(p.k) * a);
    const int last = std::min(p.tmax, best.LastFor(index));
    for (int t = p.tmin; t <= last; ++t) {
      const double ship = Reduce(static_cast<float>(shipBase[t] + t * static_cast<double>(ka))) * 100.0;
      if (ship >= targetBin[t] && ship < targetBin[t] + 1.0) {
        best.tick = t;
        best.param = index;
        best.a = a;
        break;
      }
    }
    const float next = a + p.stepA;
    if (!(next > a)) break;  // a step too small to move a: every further trial repeats this one
    a = next;
  }
}

// The fast search.
//
// For one launch parameter the object's angle is S(t) = startFrom + t x (mFrom + ka) and the
// target's T(t) = startTo + t x mTo, so their difference D0 + w x t moves linearly with the
// tick (w = mFrom + ka - mTo). A hit puts both reduced angles into one 0.01-radian bin, so
// they differ by less than 0.01; the reductions take whole periods P = 6.283184 off each, so
// at a hit |D0 + w x t - j x P| < 0.01 + E for some whole j, E bounding the rounding of the
// computed angles against S and T. Hits can therefore only fall into windows of about
// 2 x (0.01 + E) / |w| ticks around the ticks where D0 + w x t crosses a multiple of P; the
// exact trial runs only there, one tick more on each side for the rounding of the window
// arithmetic itself.
//
// The rounding bound: a computed angle is the double sum (t x m + start) + t x ka (t x m and
// t x ka are exact, the two additions round by 2^-53 of the value), rounded to 32 bits (2^-24),
// then brought down by up to n = |angle| / P + 1 subtractions, each rounded once in double and
// once to 32 bits. With A the largest magnitude the angle reaches within the tick limit, the
// computed angle differs from the exact one less a whole number of periods by at most
// (n + 1) x A x (2^-24 + 2^-52) <= (A / P + 2) x A x 2^-23. E adds that bound for the object
// and for the target. In a game (angles below 60, n below 10) E is about 1e-4, a hundredth of
// the bin; where E is not small against the bin (damaged or huge values) the plain scan runs.
class WindowSearch {
 public:
  static constexpr int kMostParams = 1024;

  explicit WindowSearch(const Trip& p) : p_(p) {}

  // False when the windows cannot be trusted or there are too many parameters: scan instead.
  bool Run(Best& best) {
    const double kaMost = std::fabs(static_cast<double>(p_.k)) * 9.5;
    const double shipMost = std::fabs(static_cast<double>(p_.startFrom)) +
                            p_.tmax * (std::fabs(static_cast<double>(p_.mFrom)) + kaMost);
    const double targetMost =
        std::fabs(static_cast<double>(p_.startTo)) + p_.tmax * std::fabs(static_cast<double>(p_.mTo));
    const double rounding = RoundingBound(shipMost) + RoundingBound(targetMost);
    if (!(rounding < 1e-3)) return false;
    margin_ = 0.01 + rounding + 1e-9;
    d0_ = static_cast<double>(p_.startFrom) - p_.startTo;

    // First pass: the parameters in the order tried and the first tick each could hit at.
    int count = 0;
    for (float a = kFirstA; a <= kLastA;) {
      if (count == kMostParams) return false;
      a_[count] = a;
      ka_[count] = static_cast<float>(static_cast<double>(p_.k) * a);
      ++count;
      const float next = a + p_.stepA;
      if (!(next > a)) break;  // every further trial would repeat this one and change nothing
      a = next;
    }
    const int last = std::min(p_.tmax, best.tick - 1);
    if (p_.tmin > last) return true;
    FirstWindows(count, last);
    int seed = -1;
    for (int i = 0; i < count; ++i)
      if (first_[i] <= last && (seed < 0 || first_[i] < first_[seed])) seed = i;
    if (seed < 0) return true;

    // Second pass: the parameter whose window comes first gives a bound; every parameter whose
    // first window lies beyond it is skipped, the others are tried up to it.
    TryParam(seed, best);
    for (int i = 0; i < count; ++i) {
      if (i == seed) continue;
      const int upTo = std::min(p_.tmax, best.LastFor(i));
      if (first_[i] > upTo) continue;
      TryParam(i, best, upTo);
    }
    return true;
  }

 private:
  static double RoundingBound(double most) { return (most / kTwoPi + 2.0) * most * 0x1p-23; }

  // The window arithmetic in terms of v(t) = s x (D0 + w x t), s the sign of w, which grows with t.
  struct Line {
    double v0, rate;
  };
  Line LineOf(double ka) const {
    const double w = (static_cast<double>(p_.mFrom) + ka) - p_.mTo;
    return w >= 0 ? Line{d0_, w} : Line{-d0_, -w};
  }

  // The window of period j: the ticks where |v(t) - j x P| < margin, widened by one tick each side.
  void Window(const Line& l, double j, double& lo, double& hi) const {
    lo = std::floor((j * kTwoPi - margin_ - l.v0) / l.rate) - 1.0;
    hi = std::ceil((j * kTwoPi + margin_ - l.v0) / l.rate) + 1.0;
  }

  // The first period whose window ends at or after tick `from`.
  double FirstPeriod(const Line& l, int from) const {
    return std::floor((l.v0 + l.rate * from - margin_) / kTwoPi) - 1.0;
  }

  static constexpr double kSlowest = 1e-9;  // below this relative rate every tick is a window

  // The first tick of each parameter's first window at or after tmin (last + 1 for none), in
  // one branch-free pass: where v(tmin) stands within its period tells how long until the next
  // multiple of P comes within the margin.
  void FirstWindows(int count, int last) {
    const double from = p_.tmin, period = kTwoPi, inverse = 1.0 / kTwoPi;
    for (int i = 0; i < count; ++i) {
      const double w = (static_cast<double>(p_.mFrom) + ka_[i]) - p_.mTo;
      const double rate = std::fabs(w);
      const double v = (w >= 0 ? d0_ : -d0_) + rate * from;
      const double q = v * inverse;
      const double turns = static_cast<double>(static_cast<int64_t>(q)) - (q < 0 ? 1.0 : 0.0);
      const double r = v - period * turns;  // about 0 .. P; a little outside near a multiple
      const bool inside = !(rate >= kSlowest) || r <= margin_ || r >= period - margin_;
      double wait = (period - margin_ - r) / (rate >= kSlowest ? rate : kSlowest);
      wait = wait < 1e6 ? wait : 1e6;
      const double open = from + static_cast<double>(static_cast<int>(wait)) - 1.0;
      const double tick = inside || open < from ? from : open;
      first_[i] = tick > last ? last + 1 : static_cast<int>(tick);
    }
  }

  // Tries parameter i at the ticks of its windows from its first window up to `upTo`, in
  // ascending order; the first hit is its answer.
  void TryParam(int i, Best& best, int upTo = -1) {
    if (upTo < 0) upTo = std::min(p_.tmax, best.tick - 1);
    const double ka = ka_[i];
    const Line l = LineOf(ka);
    int t = first_[i];
    if (l.rate < kSlowest) {
      for (; t <= upTo; ++t)
        if (p_.Hits(t, ka)) return Take(i, t, best);
      return;
    }
    for (double j = FirstPeriod(l, t); t <= upTo; j += 1.0) {
      double lo, hi;
      Window(l, j, lo, hi);
      if (hi < t) continue;
      if (lo > upTo) return;
      const int end = hi < upTo ? static_cast<int>(hi) : upTo;
      for (t = static_cast<int>(std::max<double>(t, lo)); t <= end; ++t)
        if (p_.Hits(t, ka)) return Take(i, t, best);
    }
  }

  void Take(int i, int t, Best& best) const {
    best.tick = t;
    best.param = i;
    best.a = a_[i];
  }

  const Trip& p_;
  double margin_ = 0, d0_ = 0;
  std::array<float, kMostParams> a_;
  std::array<float, kMostParams> ka_;
  std::array<int, kMostParams> first_;
};

// The search over ticks below `limit`: true with the answer when some trial hits there.
bool Search(const GameState& g, int from, int to, int ahead, float stepA, int limit, float& years,
            float& angle) {
  years = kUnreachableYears;
  angle = 0.0f;
  if (!Usable(g, from) || !Usable(g, to) || !Usable(g, kHomeWorld0) || !(stepA > 0.0f)) return false;
  if (ahead < -kMostTicksAhead || ahead > kMostTicksAhead) return false;
  Trip p;
  p.startFrom =
      static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[from]) + g.WorldAngle[from]);
  p.startTo = static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[to]) + g.WorldAngle[to]);
  p.mFrom = g.WorldAngularSpeed[from];
  p.mTo = g.WorldAngularSpeed[to];
  p.k = LaunchRate(g, from);
  p.stepA = stepA;
  const double dR = static_cast<double>(g.WorldRadius[from]) - g.WorldRadius[to];
  p.tmin = static_cast<int>(std::nearbyint(std::fabs(dR)));
  p.tmax = static_cast<int>(std::nearbyint(3.0 * g.WorldRadius[kHomeWorld0]));
  if (p.tmin > p.tmax || p.tmin >= limit) return false;
  Best best{std::min(limit, p.tmax + 1)};
  WindowSearch fast(p);
  if (!fast.Run(best)) ScanAll(p, best);
  if (best.param < 0) return false;
  years = static_cast<float>(best.tick / 520.0);
  angle = best.a;
  return true;
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
  Search(g, fromWorld, toWorld, ahead, stepA, kMostTicks + 1, years, angle);
}

bool PDistCalcBelow(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA,
                    int ahead, float belowYears) {
  // The first tick whose time in years is not below the bound: a trip that short or longer does
  // not count.
  years = kUnreachableYears;
  angle = 0.0f;
  if (!(belowYears > 0.0f)) return false;
  int limit = belowYears > kMostTicks / 520.0 ? kMostTicks + 1 : static_cast<int>(belowYears * 520.0) - 1;
  limit = std::max(limit, 0);
  while (limit <= kMostTicks && static_cast<float>(limit / 520.0) < belowYears) ++limit;
  return Search(g, fromWorld, toWorld, ahead, stepA, limit, years, angle);
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
