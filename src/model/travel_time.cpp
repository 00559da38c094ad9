#include "model/travel_time.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

// The launch parameter runs from -2 pi to 3 pi as a 32-bit float that grows by the step.
constexpr float kFirstA = -6.283184f;
constexpr float kLastA = 9.424776f;

// The floor of a value well inside the range of a 64-bit int, as std::floor gives it (but for
// the sign of a zero, which no comparison sees): the cut towards zero, moved down by one where it
// went up. The fast search's values are bounded far below that.
inline double Floor(double v) {
  const double cut = static_cast<double>(static_cast<long long>(v));
  return cut > v ? cut - 1.0 : cut;
}

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
inline bool Usable(const GameState& g, int w) {
  if (w < 0 || w >= kWorldSlots) return false;
  const float r = g.WorldRadius[w], a = g.WorldAngle[w], m = g.WorldAngularSpeed[w];
  return r >= 1.0f && r <= kLargestRing && a >= -1000.0f && a <= 1000.0f && m >= -1.0f && m <= 1.0f;
}

// The tick limit is three times the reference ring.
constexpr int kMostTicks = 3 * static_cast<int>(kLargestRing);

// The nearest whole number, ties to the even one, of a value from 0 to 2^52: adding 2^52 leaves
// no bits below the units, and the addition rounds as nearbyint does.
double NearestWhole(double v) {
  return (v + 0x1p52) - 0x1p52;
}

// What the search works out for every tick again and again: 1 / t, and t ticks as years.
struct TickTables {
  std::array<double, kMostTicks + 2> inverse;
  std::array<float, kMostTicks + 2> years;
  TickTables() {
    for (int t = 0; t < kMostTicks + 2; ++t) {
      inverse[static_cast<size_t>(t)] = 1.0 / t;
      years[static_cast<size_t>(t)] = static_cast<float>(t / 520.0);
    }
  }
};
const TickTables kTicks;

// One trip as the trials see it: start angles, speeds and the extra rate per unit of a. They are
// kept as 32-bit floats: g++ 12 at -O2 was seen to drop the rounding of a start angle to 32
// bits when it went straight into a double field, which changed answers.
struct Trip {
  float startFrom = 0, startTo = 0, mFrom = 0, mTo = 0, k = 0;
  int tmin = 0, tmax = 0;
  float stepA = 0;

  // The 0.01-radian bin of the target at tick t.
  double TargetBin(int t) const {
    return Floor(Reduce(static_cast<float>(t * static_cast<double>(mTo) + startTo)) * 100.0);
  }
  // The object's angle (k x a being `ka`) falls into the target's bin.
  bool ShipHits(int t, double ka, double targetBin) const {
    const double ship =
        Reduce(static_cast<float>((t * static_cast<double>(mFrom) + startFrom) + t * ka)) * 100.0;
    return ship >= targetBin && ship < targetBin + 1.0;
  }
  // The trial of one launch parameter at tick t: the object's angle and the target's fall into
  // the same 0.01-radian bin. Int(x x 100) is the floor; x x 100 is exact in double for a
  // 32-bit x.
  bool Hits(int t, double ka) const { return ShipHits(t, ka, TargetBin(t)); }
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
// whose rounding the fast search below cannot bound.
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

constexpr int kMostParams = 1024;

// The parameters tried with a step: a from -2 pi up to 3 pi, growing by the step as a 32-bit
// float. None when there would be more than kMostParams.
struct ParamList {
  std::array<float, kMostParams> a;
  int count = 0;
  double perIndex = 0;  // 1 / step: about how many parameters a unit of a holds
};
ParamList List(float step) {
  ParamList out;
  out.perIndex = 1.0 / step;
  for (float a = kFirstA; a <= kLastA;) {
    if (out.count == kMostParams) return ParamList{};
    out.a[static_cast<size_t>(out.count++)] = a;
    const float next = a + step;
    if (!(next > a)) break;  // every further trial would repeat this one and change nothing
    a = next;
  }
  return out;
}

// The lists of the game's three steps, worked out once; null for any other step.
const ParamList* StandardList(float step) {
  static const std::array<ParamList, 3> standard = {List(kLaunchStep), List(kOptionsStep), List(kQuickStep)};
  if (step == kLaunchStep) return &standard[0];
  if (step == kOptionsStep) return &standard[1];
  if (step == kQuickStep) return &standard[2];
  return nullptr;
}

double RoundingBound(double most) {
  return (most * (1.0 / kTwoPi) + 2.0) * most * 0x1p-23;
}

}  // namespace

// What a search works out from its origin, its launch time and its step alone: the same for
// every target of a nearest-world search.
struct TripOrigin {
  bool usable = false;  // the origin and the reference ring usable, the launch time in range
  float startFrom = 0, mFrom = 0, k = 0;
  int tmax = 0;
  float stepA = 0;
  // For the fast search: false where it cannot run (k not above 0, no list of parameters).
  bool fast = false;
  double shipRounding = 0;  // the rounding bound of the object's angle
  const float* a = nullptr;
  int count = 0;
  double perIndex = 0;
  double kaLow = 0, kaHigh = 0, perK = 0;

  // k x a of the parameter tried i-th, as the trials form it.
  float Ka(int i) const { return static_cast<float>(static_cast<double>(k) * a[i]); }
};

namespace {

// Works out an origin; `list`: the parameters tried with the step.
void WorkOut(TripOrigin& o, const GameState& g, int from, int ahead, float step, const ParamList& list) {
  o.usable = Usable(g, from) && Usable(g, kHomeWorld0) && step > 0.0f && ahead >= -kMostTicksAhead &&
             ahead <= kMostTicksAhead;
  o.fast = false;
  if (!o.usable) return;
  o.startFrom =
      static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[from]) + g.WorldAngle[from]);
  o.mFrom = g.WorldAngularSpeed[from];
  o.k = LaunchRate(g, from);
  o.stepA = step;
  o.tmax = static_cast<int>(NearestWhole(3.0 * g.WorldRadius[kHomeWorld0]));
  const double kd = o.k;
  if (!(kd > 0.0)) return;
  const double kaMost = kd * 9.5;
  const double shipMost = std::fabs(static_cast<double>(o.startFrom)) +
                          o.tmax * (std::fabs(static_cast<double>(o.mFrom)) + kaMost);
  o.shipRounding = RoundingBound(shipMost);
  if (list.count <= 0) return;
  o.a = list.a.data();
  o.count = list.count;
  o.perIndex = list.perIndex;
  o.kaLow = o.Ka(0);
  o.kaHigh = o.Ka(o.count - 1);
  o.perK = 1.0 / kd;
  o.fast = true;
}

// The last origin worked out, kept while every value it came from stays the same bit for bit.
class LastOrigin {
 public:
  const TripOrigin& For(const GameState& g, int from, int ahead, float step) {
    Key key{};
    key.from = from;
    key.ahead = ahead;
    key.step = std::bit_cast<uint32_t>(step);
    if (from >= 0 && from < kWorldSlots) {
      key.ring = std::bit_cast<uint32_t>(g.WorldRadius[from]);
      key.angle = std::bit_cast<uint32_t>(g.WorldAngle[from]);
      key.speed = std::bit_cast<uint32_t>(g.WorldAngularSpeed[from]);
      key.type = g.WorldType[from];
    }
    key.homeRing = std::bit_cast<uint32_t>(g.WorldRadius[kHomeWorld0]);
    key.homeAngle = std::bit_cast<uint32_t>(g.WorldAngle[kHomeWorld0]);
    key.homeSpeed = std::bit_cast<uint32_t>(g.WorldAngularSpeed[kHomeWorld0]);
    // Ten 32-bit fields and no padding: compared as one block of bytes.
    static_assert(sizeof(Key) == 10 * sizeof(uint32_t));
    if (!known_ || std::memcmp(&key, &key_, sizeof(Key)) != 0) {
      const ParamList* list = StandardList(step);
      if (!list) {
        // Any other step is listed here, for as long as this origin is kept.
        if (!own_) own_ = std::make_unique<ParamList>();
        *own_ = List(step);
        list = own_.get();
      }
      WorkOut(origin_, g, from, ahead, step, *list);
      key_ = key;
      known_ = true;
    }
    return origin_;
  }

 private:
  struct Key {
    int from, ahead;
    uint32_t step, ring, angle, speed, homeRing, homeAngle, homeSpeed;
    int type;
  };
  Key key_{};
  bool known_ = false;
  TripOrigin origin_;
  std::unique_ptr<ParamList> own_;
};

// The origins of plain searches, one kept for each world: a nearest-world search to one world
// prices the trips from many, and the next search to another world prices them again.
class KnownOrigins {
 public:
  const TripOrigin& For(const GameState& g, int from, int ahead, float step) {
    const bool onTable = from >= 0 && from < kWorldSlots;
    return worlds_[onTable ? static_cast<size_t>(from) : worlds_.size() - 1].For(g, from, ahead, step);
  }

 private:
  std::array<LastOrigin, kWorldSlots + 1> worlds_;  // the last for a world off the table
};

// The fast search.
//
// The object's angle for the launch parameter a at tick t is S(t) = startFrom + t x (mFrom + ka),
// ka = k x a as tried, and the target's is T(t) = startTo + t x mTo. A hit puts both reduced
// angles into one 0.01-radian bin, so they differ by less than 0.01; the reductions take whole
// periods P = 6.283184 off each, so at a hit
//   |D(t) + t x ka - j x P| < 0.01 + E   for some whole j, with D(t) = startFrom - startTo + t x (mFrom -
//   mTo),
// E bounding the rounding of the computed angles against S and T. At one tick the values of ka
// that can hit therefore lie in narrow intervals, one per period, of width 2 x (0.01 + E) / t;
// the tried values of ka ascend with a, so each interval is a run of consecutive parameters,
// found by estimating the index and stepping over the actual values. The search goes tick by
// tick from the least and runs the exact trial only on those runs, lowest parameter first: the
// first hit is the least tick and, among equals, the lowest parameter, as in the plain search.
// Runs of ticks at which no parameter can reach a multiple of P are passed over in one step.
//
// The rounding bound: a computed angle is the double sum (t x m + start) + t x ka (t x m and
// t x ka are exact, the two additions round by 2^-53 of the value), rounded to 32 bits (2^-24),
// then brought down by up to n = |angle| / P + 1 subtractions, each rounded once in double and
// once to 32 bits. With A the largest magnitude the angle reaches within the tick limit, the
// computed angle differs from the exact one less a whole number of periods by at most
// (n + 1) x A x (2^-24 + 2^-52) <= (A / P + 2) x A x 2^-23. E adds that bound for the object
// and for the target. In a game (angles below 60, n below 10) E is about 1e-4, a hundredth of
// the bin. The search's own double arithmetic (magnitudes below 1e5) errs by less than 1e-10,
// covered by a further 1e-9 of margin. Where E is not small against the bin (damaged or huge
// values) the plain scan runs.
class TickSearch {
 public:
  TickSearch(const Trip& p, const TripOrigin& o) : p_(p), a_(o.a), count_(o.count), o_(o) {}

  // False when the bound cannot be trusted or there are too many parameters: scan instead.
  bool Run(Best& best) {
    if (!o_.fast) return false;
    const double targetMost =
        std::fabs(static_cast<double>(p_.startTo)) + p_.tmax * std::fabs(static_cast<double>(p_.mTo));
    const double rounding = o_.shipRounding + RoundingBound(targetMost);
    if (!(rounding < 1e-3)) return false;
    const double margin = 0.01 + rounding + 1e-9;

    const double kaLow = o_.kaLow, kaHigh = o_.kaHigh;
    // Index estimate of a value of ka: the parameters are about evenly spaced.
    const double a0 = a_[0], perIndex = o_.perIndex, perK = o_.perK;

    const double d0 = static_cast<double>(p_.startFrom) - p_.startTo;
    const double drift = static_cast<double>(p_.mFrom) - p_.mTo;
    // In periods: the least and the greatest reach of the parameters at tick t, margins included.
    const double perPeriod = 1.0 / kTwoPi;
    const double lowBase = (d0 - margin) * perPeriod, lowSlope = (drift + kaLow) * perPeriod;
    const double highBase = (d0 + margin) * perPeriod, highSlope = (drift + kaHigh) * perPeriod;
    const int last = std::min(p_.tmax, best.tick - 1);
    int t = p_.tmin;
    if (t == 0) {
      // At tick 0 every parameter puts the object at its start: the first one decides.
      if (t <= last && p_.Hits(0, Ka(0))) return Take(0, 0, best), true;
      ++t;
    }
    while (t <= last) {
      const double high = highBase + t * highSlope, low = lowBase + t * lowSlope;
      // The least multiple of P within reach.
      double j = -Floor(-low);
      if (j > high) {
        // No multiple of P within reach: the reach lies between j - 1 and j, and stays there
        // until its upper end climbs to j or its lower end falls to j - 1. Go to one tick
        // before the first of those (one early, for the rounding of the division).
        double next = last + 2.0;
        if (highSlope > 0) next = std::min(next, (j - highBase) / highSlope);
        if (lowSlope < 0) next = std::min(next, (j - 1.0 - lowBase) / lowSlope);
        if (!(next < last + 2.0)) break;
        t = std::max(t + 1, static_cast<int>(next) - 1);
        continue;
      }
      const double d = d0 + t * drift, perTick = kTicks.inverse[static_cast<size_t>(t)];
      double targetBin = 0;
      bool targetKnown = false;
      for (; j <= high; j += 1.0) {
        const double from = (j * kTwoPi - d - margin) * perTick, to = (j * kTwoPi - d + margin) * perTick;
        // The first parameter whose ka is at least `from`.
        // The estimate rounds up: the parameter before it then mostly lies below `from` already.
        const double guess = (from * perK - a0) * perIndex + 1.0;
        int i = guess <= 0 ? 0 : guess >= count_ ? count_ : static_cast<int>(guess);
        while (i > 0 && Ka(i - 1) >= from) --i;
        float ka = 0;
        while (i < count_ && (ka = Ka(i)) < from) ++i;
        for (; i < count_; ka = ++i < count_ ? Ka(i) : 0.0f) {
          if (!(ka <= to)) break;
          if (!targetKnown) {
            targetBin = p_.TargetBin(t);
            targetKnown = true;
          }
          if (p_.ShipHits(t, ka, targetBin)) return Take(i, t, best), true;
        }
      }
      ++t;
    }
    return true;
  }

 private:
  void Take(int i, int t, Best& best) const {
    best.tick = t;
    best.param = i;
    best.a = a_[i];
  }

  // k x a of the parameter tried i-th, as the trials form it.
  float Ka(int i) const { return static_cast<float>(static_cast<double>(p_.k) * a_[i]); }

  const Trip& p_;
  const float* a_;
  int count_;
  const TripOrigin& o_;
};

// The search over ticks below `limit` from an origin worked out for `from`, `ahead` and `stepA`:
// true with the answer when some trial hits there. A limit of 0 or less tries no tick, not even a
// trip of 0 ticks; one beyond the tick limit tries them all.
bool SearchFrom(const GameState& g, const TripOrigin& o, int from, int to, int ahead, float stepA, int limit,
                float& years, float& angle) {
  years = kUnreachableYears;
  angle = 0.0f;
  if (!o.usable || !Usable(g, to)) return false;
  Trip p;
  p.startFrom = o.startFrom;
  p.startTo = static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[to]) + g.WorldAngle[to]);
  p.mFrom = o.mFrom;
  p.mTo = g.WorldAngularSpeed[to];
  p.k = o.k;
  p.stepA = stepA;
  const double dR = static_cast<double>(g.WorldRadius[from]) - g.WorldRadius[to];
  // Rings lie from 1 to kLargestRing (Usable), far below 2^52.
  p.tmin = static_cast<int>(NearestWhole(std::fabs(dR)));
  p.tmax = o.tmax;
  if (p.tmin > p.tmax || p.tmin >= limit) return false;
  Best best{std::min(limit, p.tmax + 1)};
  TickSearch fast(p, o);
  if (!fast.Run(best)) ScanAll(p, best);
  if (best.param < 0) return false;
  years = kTicks.years[static_cast<size_t>(best.tick)];
  angle = best.a;
  return true;
}

// The origins of the TripsFrom in use: a nearest-world search prices every target from one
// origin, so what depends on the origin alone is worked out once for all of them.
constexpr int kTripsSlots = 3;
LastOrigin& OriginOf(int trips) {
  thread_local std::array<LastOrigin, kTripsSlots> origins;
  return origins[static_cast<size_t>(trips)];
}
thread_local int tripsInUse = 0;

bool Search(const GameState& g, int from, int to, int ahead, float stepA, int limit, float& years,
            float& angle) {
  thread_local KnownOrigins known;
  const TripOrigin& o = known.For(g, from, ahead, stepA);
  return SearchFrom(g, o, from, to, ahead, stepA, limit, years, angle);
}

}  // namespace

TripsFrom::TripsFrom(const GameState& g, int fromWorld, int ahead, float stepA)
    : g_(g),
      from_(fromWorld),
      ahead_(ahead),
      step_(stepA),
      slot_(tripsInUse < kTripsSlots ? tripsInUse++ : -1) {
  if (slot_ >= 0) origin_ = &OriginOf(slot_).For(g, fromWorld, ahead, stepA);
}

TripsFrom::~TripsFrom() {
  if (slot_ >= 0) --tripsInUse;
}

bool TripsFrom::InTicks(int toWorld, int ticks, float& years, float& angle) const {
  if (slot_ < 0) return PDistCalcInTicks(g_, from_, toWorld, years, angle, step_, ahead_, ticks);
  return SearchFrom(g_, *origin_, from_, toWorld, ahead_, step_, ticks, years, angle);
}

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
  return PDistCalcInTicks(g, fromWorld, toWorld, years, angle, stepA, ahead, TicksBelow(belowYears));
}

int TicksBelow(float belowYears) {
  // The first tick whose time in years is not below the bound: a trip that short or longer does
  // not count.
  if (!(belowYears > 0.0f)) return 0;
  int limit = belowYears > kMostTicks / 520.0 ? kMostTicks + 1 : static_cast<int>(belowYears * 520.0) - 1;
  limit = std::max(limit, 0);
  while (limit <= kMostTicks && kTicks.years[static_cast<size_t>(limit)] < belowYears) ++limit;
  return limit;
}

bool PDistCalcInTicks(const GameState& g, int fromWorld, int toWorld, float& years, float& angle, float stepA,
                      int ahead, int ticks) {
  return Search(g, fromWorld, toWorld, ahead, stepA, ticks, years, angle);
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
