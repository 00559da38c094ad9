#include "model/state_check.h"

#include <cmath>

#include "model/fleet_table.h"
#include "model/galaxy.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/record_fields.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

// The classes a world in play (and a fleet launched from it) can have: not the 0 of a world out of
// play.
constexpr int kLeastClass = 1;
// Every game starts in year 1.00 (turn 0); turn numbers are stored in 16-bit fields (the
// intelligence's turn, the truce).
constexpr float kFirstYear = 1.0f;
constexpr double kMostTurn = 32767;
// The launch search's range of the launch parameter, from -2 pi as a slot record carries it:
// rounded down to thousandths (a client's launch reaches its host so, and the host keeps it).
constexpr float kLeastLaunchParameter = static_cast<float>(-6.284);
constexpr float kMostLaunchParameter = static_cast<float>(3 * kPi);
static_assert(kLeastLaunchParameter <= static_cast<float>(-kTwoPi) && kLeastLaunchParameter > -6.285f);
// How far the time left may lie above its trip: the trip time field rounds the trip to a float.
constexpr double kTripRounding = 1e-6;

std::string Shown(double v) {
  std::string s = Str(v);
  return s[0] == ' ' ? s.substr(1) : s;
}
std::string Shown(float v) {
  return StrTrim(v);
}
std::string Outside(long long v, long long lo, long long hi) {
  return std::to_string(v) + " is outside " + std::to_string(lo) + " to " + std::to_string(hi) + ".";
}

bool Seated(const GameState& g, int owner) {
  return owner >= 1 && owner <= kSeats && !g.PlayerName[static_cast<size_t>(owner - 1)].empty();
}
std::string NoSeat(int owner) {
  return owner == 0 ? std::string("nobody owns it.") : std::to_string(owner) + " is no seat in the game.";
}

using Fault = std::optional<StateFault>;

Fault CheckGame(const GameState& g) {
  if (g.WorldCount < 9 || g.WorldCount > kMaxWorlds)
    return StateFault{"header", "world count", Outside(g.WorldCount, 9, kMaxWorlds)};
  if (g.PlayerName[0].empty())
    return StateFault{"player 0", "name", "the first seat is empty: no game is set up."};
  if (!(g.GameYear >= kFirstYear))
    return StateFault{"game", "year",
                      Shown(g.GameYear) + " lies before 1.00, the year every game starts in."};
  const double turn = std::nearbyint((static_cast<double>(g.GameYear) - 1.0) * 20.0);
  if (!(turn <= kMostTurn))
    return StateFault{"game", "year", Shown(g.GameYear) + " lies beyond the turns a game counts."};
  if (g.CurrentPlayer < 0 || g.CurrentPlayer >= kSeats)
    return StateFault{"game", "player to move", Outside(g.CurrentPlayer, 0, kSeats - 1)};
  return {};
}

// The records a fault names, built only when there is a fault to tell.
std::string WorldRecord(int w) {
  return "world " + std::to_string(w);
}
std::string SlotRecord(int s) {
  return "travel slot " + std::to_string(s);
}

// A field's name as the saved game gives it.
std::string Named(WorldField f) {
  return std::string(FieldOf(f).name);
}
std::string Named(FleetField f) {
  return std::string(FieldOf(f).name);
}

// The limits of the record fields, looked up once for a whole check.
struct FieldLimits {
  int mostWorldClass = static_cast<int>(FieldOf(WorldField::kClass).hi);
  int mostWorldShield = static_cast<int>(FieldOf(WorldField::kShield).hi);
  long long leastWorldBombs = FieldOf(WorldField::kBombs).lo;
  int mostFleetClass = static_cast<int>(FieldOf(FleetField::kClass).hi);
  int mostFleetShield = static_cast<int>(FieldOf(FleetField::kShield).hi);
};

Fault CheckWorld(const GameState& g, int w, const FieldLimits& limits) {
  const size_t i = static_cast<size_t>(w);
  const int mostClass = limits.mostWorldClass;
  const int mostShield = limits.mostWorldShield;
  const int owner = g.WorldOwner[i];
  if (w >= g.WorldCount) {
    if (owner != 0)
      return StateFault{WorldRecord(w), Named(WorldField::kOwner),
                        "a world out of play has no owner, not " + std::to_string(owner) + "."};
    return {};
  }
  if (g.WorldRadius[i] != RingRadius(w))
    return StateFault{WorldRecord(w), Named(WorldField::kRadius),
                      Shown(g.WorldRadius[i]) + " is not the world's ring " + Shown(RingRadius(w)) + "."};
  if (g.WorldClass[i] < kLeastClass || g.WorldClass[i] > mostClass)
    return StateFault{WorldRecord(w), Named(WorldField::kClass),
                      Outside(g.WorldClass[i], kLeastClass, mostClass)};
  if (g.WorldShield[i] > mostShield)
    return StateFault{WorldRecord(w), Named(WorldField::kShield), Outside(g.WorldShield[i], 0, mostShield)};
  if (owner != 0 && !Seated(g, owner))
    return StateFault{WorldRecord(w), Named(WorldField::kOwner), NoSeat(owner)};
  if (!std::isfinite(g.WorldShips[i]) || g.WorldShips[i] < 0.0f)
    return StateFault{WorldRecord(w), Named(WorldField::kShips),
                      Shown(g.WorldShips[i]) + " is no count of 0 or more."};
  if (g.WorldType[i] < 0)
    return StateFault{WorldRecord(w), Named(WorldField::kType),
                      std::to_string(g.WorldType[i]) + " is below 0."};
  if (g.WorldBombs[i] < limits.leastWorldBombs)
    return StateFault{WorldRecord(w), Named(WorldField::kBombs),
                      std::to_string(g.WorldBombs[i]) + " is below 0."};
  return {};
}

Fault CheckFreeSlot(const GameState& g, int s) {
  const size_t i = static_cast<size_t>(s);
  // The usual case, a free slot holding nothing, without a fault to build.
  if (g.FleetTo[i] == 0 && g.FleetOwner[i] == 0 && g.FleetShips[i] == 0.0f && g.FleetClass[i] == 0 &&
      g.FleetShield[i] == 0 && g.FleetTimeLeft[i] == 0.0 && g.FleetTripTime[i] == 0.0f &&
      g.FleetAngleParam[i] == 0.0f)
    return {};
  auto holds = [&](FleetField field, double v) -> Fault {
    if (v == 0.0) return {};
    return StateFault{SlotRecord(s), Named(field), "a free slot holds 0, not " + Shown(v) + "."};
  };
  Fault f;
  if (!f) f = holds(FleetField::kTo, g.FleetTo[i]);
  if (!f) f = holds(FleetField::kOwner, g.FleetOwner[i]);
  if (!f) f = holds(FleetField::kShips, g.FleetShips[i]);
  if (!f) f = holds(FleetField::kClass, g.FleetClass[i]);
  if (!f) f = holds(FleetField::kShield, g.FleetShield[i]);
  if (!f) f = holds(FleetField::kTimeLeft, g.FleetTimeLeft[i]);
  if (!f) f = holds(FleetField::kTripTime, g.FleetTripTime[i]);
  if (!f) f = holds(FleetField::kAngleParam, g.FleetAngleParam[i]);
  return f;
}

// A slot's nine fields as its record carries them.
FleetRecordValues SlotValues(const GameState& g, size_t i) {
  return {g.FleetFrom[i],   g.FleetTo[i],       g.FleetOwner[i],      g.FleetShips[i],   g.FleetClass[i],
          g.FleetShield[i], g.FleetTripTime[i], g.FleetAngleParam[i], g.FleetTimeLeft[i]};
}

// An object in flight as a launch makes it and the turns move it on. `slot` names the travel slot
// a fault is told of, -1 a travel record that has no slot yet; the name is built only for a fault.
Fault CheckUsedSlot(const GameState& g, int slot, const FleetRecordValues& v, double longest,
                    const FieldLimits& limits) {
  const auto record = [slot] { return slot >= 0 ? SlotRecord(slot) : std::string("travel record"); };
  if (v.from < 1 || v.from > g.WorldCount)
    return StateFault{record(), Named(FleetField::kFrom), Outside(v.from, 1, g.WorldCount)};
  if (v.to < 1 || v.to > g.WorldCount)
    return StateFault{record(), Named(FleetField::kTo), Outside(v.to, 1, g.WorldCount)};
  if (!Seated(g, v.owner)) return StateFault{record(), Named(FleetField::kOwner), NoSeat(v.owner)};
  if (!std::isfinite(v.ships) || v.ships < 0.0f)
    return StateFault{record(), Named(FleetField::kShips), Shown(v.ships) + " is no count of 0 or more."};
  const int mostClass = limits.mostFleetClass;
  const int mostShield = limits.mostFleetShield;
  if (v.shipClass < kLeastClass || v.shipClass > mostClass)
    return StateFault{record(), Named(FleetField::kClass), Outside(v.shipClass, kLeastClass, mostClass)};
  if (v.shield < 0 || v.shield > mostShield)
    return StateFault{record(), Named(FleetField::kShield), Outside(v.shield, 0, mostShield)};
  // A proximity bomb planted on its own world has no way to go: its trip is 0.
  const bool plantedAtHome = v.from == v.to && v.ships >= kProximityBombBase;
  const float trip = v.tripTime;
  if (!((trip > 0.0f || (plantedAtHome && trip == 0.0f)) && trip <= static_cast<float>(longest)))
    return StateFault{record(), Named(FleetField::kTripTime),
                      Shown(trip) + " years is no trip a launch gets (" +
                          (plantedAtHome ? "0" : "more than 0") + ", at most " + Shown(longest) + ")."};
  const double left = v.timeLeft;
  if (!(left >= 0.0 && left <= static_cast<double>(trip) + kTripRounding))
    return StateFault{record(), Named(FleetField::kTimeLeft),
                      Shown(left) + " years is outside 0 to the trip's " + Shown(trip) + "."};
  const float a = v.angleParam;
  if (!(a >= kLeastLaunchParameter && a <= kMostLaunchParameter))
    return StateFault{record(), Named(FleetField::kAngleParam),
                      Shown(a) + " lies outside the launch search's range."};
  return {};
}

Fault CheckSlot(const GameState& g, int s, double longest, const FieldLimits& limits) {
  const size_t i = static_cast<size_t>(s);
  if (g.FleetFrom[i] == 0) return CheckFreeSlot(g, s);
  if (s >= kUsedFleetSlots)
    return StateFault{SlotRecord(s), Named(FleetField::kFrom), "the slot lies beyond the table."};
  return CheckUsedSlot(g, s, SlotValues(g, i), longest, limits);
}

Fault CheckProximityBomb(const GameState& g, int b) {
  const size_t i = static_cast<size_t>(b);
  const int owner = g.ProxBombOwner[i];
  if (owner < 1) return {};  // a free slot
  const auto record = [b] { return "proximity bomb " + std::to_string(b); };
  if (!Seated(g, owner)) return StateFault{record(), "owner", NoSeat(owner)};
  const float w = g.ProxBombWorld[i];
  if (!(w == std::floor(w) && w >= 0.0f && w < g.WorldCount))
    return StateFault{record(), "world", Shown(w) + " is no world in play."};
  if (!(g.ProxBombThreshold[i] >= 0.0f) || !std::isfinite(g.ProxBombThreshold[i]))
    return StateFault{record(), "threshold",
                      Shown(g.ProxBombThreshold[i]) + " is no threshold of 0 or more."};
  return {};
}

}  // namespace

std::string StateFault::Text() const {
  return record + ", " + field + ": " + problem;
}

double LongestTrip(const GameState& g) {
  const double lastTick = std::nearbyint(3.0 * g.WorldRadius[kHomeWorld0]);
  return LaunchTripYears(static_cast<float>(lastTick / kTicksPerYear));
}

std::optional<StateFault> CheckGameState(const GameState& g) {
  // The first fault found is the one told; a sound state (every turn of a game) builds none.
  if (Fault f = CheckGame(g)) return f;
  const FieldLimits limits;
  for (int w = 0; w < kMaxWorlds; ++w)
    if (Fault f = CheckWorld(g, w, limits)) return f;
  const double longest = LongestTrip(g);
  for (int s = 0; s < kFleetSlots; ++s)
    if (Fault f = CheckSlot(g, s, longest, limits)) return f;
  for (int b = 0; b < kUsedBombSlots; ++b)
    if (Fault f = CheckProximityBomb(g, b)) return f;
  return {};
}

std::optional<StateFault> CheckLaunchRecord(const GameState& g, const FleetRecordValues& v) {
  return CheckUsedSlot(g, -1, v, LongestTrip(g), FieldLimits{});
}

}  // namespace zarnath
