#include "model/fleet_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"
#include "model/truce.h"

namespace zarnath {
namespace {

int FirstFreeSlot(const GameState& g) {
  for (int s = 0; s < kUsedFleetSlots; ++s)
    if (g.FleetFrom[s] == 0) return s;
  return -1;
}

float FleetShareOf(float ships, double percent) {
  const double x = static_cast<double>(ships) * percent / 100.0 + 0.99;
  return x >= 9999.0 ? kMaxFleetShips : static_cast<float>(Int(x));
}

void SwapSlots(GameState& g, int i, int j) {
  std::swap(g.FleetFrom[i], g.FleetFrom[j]);
  std::swap(g.FleetTo[i], g.FleetTo[j]);
  std::swap(g.FleetOwner[i], g.FleetOwner[j]);
  std::swap(g.FleetShips[i], g.FleetShips[j]);
  std::swap(g.FleetClass[i], g.FleetClass[j]);
  std::swap(g.FleetShield[i], g.FleetShield[j]);
  std::swap(g.FleetTimeLeft[i], g.FleetTimeLeft[j]);
  std::swap(g.FleetTripTime[i], g.FleetTripTime[j]);
  std::swap(g.FleetAngleParam[i], g.FleetAngleParam[j]);
}

// What the order takes from the source, or why it cannot go.
LaunchResult CheckSource(const GameState& g, int from, const LaunchOrder& order) {
  switch (order.kind) {
    case LaunchKind::kFleet:
      // Whole ships, at least one, no more than the world holds, and a count that stays a fleet.
      if (!(order.count >= 1.0f && order.count <= kMaxFleetShips) || order.count != std::floor(order.count))
        return LaunchResult::kNotEnoughShips;
      return order.count <= Int(g.WorldShips[from]) ? LaunchResult::kLaunched : LaunchResult::kNotEnoughShips;
    case LaunchKind::kScout:
      return g.WorldShips[from] >= 1.0f ? LaunchResult::kLaunched : LaunchResult::kNotEnoughShips;
    case LaunchKind::kProximityBomb:
      // The record carries the ship code rounded to five whole digits: a threshold may hold a
      // fraction as long as 10000 + threshold stays below 99999.5.
      if (!(order.count >= 0.0f && static_cast<double>(order.count) + kProximityBombBase < 99999.5))
        return LaunchResult::kThresholdTooLarge;
      [[fallthrough]];
    case LaunchKind::kAnnihilationBomb:
      return g.WorldBombs[from] >= 1 ? LaunchResult::kLaunched : LaunchResult::kNoBomb;
  }
  return LaunchResult::kInvalidOrder;
}

float ShipCode(const LaunchOrder& order) {
  switch (order.kind) {
    case LaunchKind::kFleet:
      return order.count;
    case LaunchKind::kScout:
      return kScout;
    case LaunchKind::kAnnihilationBomb:
      return kAnnihilationBomb;
    case LaunchKind::kProximityBomb:
      return kProximityBombBase + order.count;
  }
  return kScout;
}

// The launch parameter of a record: the text less 10. The float nearest to it can lie just below
// a thousandth and would then be written back one thousandth lower; the float just above it is
// taken instead, so a record read and written again stays the same.
float ReadLaunchParameter(double shifted) {
  const double value = shifted - 10.0;
  float a = static_cast<float>(value);
  if (Int(static_cast<double>(a) * 1000.0) < std::nearbyint(value * 1000.0)) a = std::nextafter(a, 100.0f);
  return a;
}

}  // namespace

float FleetShare(const GameState& g, int fromWorld, double percent) {
  if (fromWorld < 0 || fromWorld >= kWorldSlots) return 0;
  const float ships = g.WorldShips[fromWorld];
  // A share is rounded up by 0.99 but never takes more than the whole ships present.
  const float whole = static_cast<float>(std::max(0.0, Int(ships)));
  return std::min(FleetShareOf(ships, percent), whole);
}

std::optional<LaunchOrder> OrderForCode(const GameState& g, int fromWorld, int toWorld, float code) {
  if (code > 9998.0f) {
    if (code == kAnnihilationBomb) return LaunchOrder::Bomb(fromWorld, toWorld);
    if (code >= kProximityBombBase)
      return LaunchOrder::ProximityBomb(fromWorld, toWorld, code - kProximityBombBase);
    return std::nullopt;  // between the codes: no kind of object
  }
  if (code == 1.0f) return LaunchOrder::Scout(fromWorld, toWorld);
  if (fromWorld < 0 || fromWorld >= kWorldSlots) return std::nullopt;
  if (code > 1.0f && code <= 100.0f)
    return LaunchOrder::Fleet(fromWorld, toWorld, FleetShare(g, fromWorld, code));
  if (code < 0.0f) return LaunchOrder::Fleet(fromWorld, toWorld, FleetShare(g, fromWorld, 25.0));
  return std::nullopt;
}

LaunchTrip PriceLaunch(const GameState& g, const LaunchOrder& order) {
  LaunchTrip trip;
  DistCalc(g, order.from, order.to, trip.years, trip.angle, kLaunchStep);
  trip.priced = true;
  return trip;
}

LaunchResult CheckLaunch(const GameState& g, int seat, const LaunchOrder& order, LaunchTrip* trip) {
  const int from = order.from, to = order.to;
  if (from < 0 || to < 0 || from >= g.WorldCount || to >= g.WorldCount || from >= kMaxWorlds ||
      to >= kMaxWorlds)
    return LaunchResult::kNothingSelected;
  // Only the seat's own worlds send; only a proximity bomb stays at home.
  if (seat < 0 || seat >= kSeats || g.WorldOwner[from] != seat + 1) return LaunchResult::kNotOwnWorld;
  if (from == to && order.kind != LaunchKind::kProximityBomb) return LaunchResult::kToItself;
  if (TruceProtects(g, seat, to)) return LaunchResult::kTruce;
  if (FirstFreeSlot(g) < 0) return LaunchResult::kTableFull;
  const LaunchResult source = CheckSource(g, from, order);
  if (source != LaunchResult::kLaunched) return source;
  const LaunchTrip priced = PriceLaunch(g, order);
  if (trip) *trip = priced;
  return priced.years >= kUnreachableYears ? LaunchResult::kUnreachable : LaunchResult::kLaunched;
}

double LaunchTripYears(float travelYears) {
  return Int(static_cast<double>(travelYears) * 1000.0 + 0.999) / 1000.0;
}

FleetRecordValues LaunchedSlot(const GameState& g, const LaunchOrder& order, const LaunchTrip& trip) {
  FleetRecordValues v;
  if (order.from < 0 || order.from >= kWorldSlots || order.to < 0 || order.to >= kWorldSlots) return v;
  const size_t from = static_cast<size_t>(order.from);
  v.from = order.from + 1;
  v.to = order.to + 1;
  v.owner = g.WorldOwner[from];
  v.ships = ShipCode(order);
  v.shipClass = g.WorldClass[from];
  v.shield = g.setup.chkShield == 1 ? g.WorldShield[from] : 0;
  // The time left keeps the trip in 64 bits: rounded to a 32-bit float, a trip of whole turns
  // (0.3 year = 156 ticks) would lie a hair above them and arrive one turn late.
  const double years = LaunchTripYears(trip.years);
  v.timeLeft = years;
  v.tripTime = static_cast<float>(years);
  v.angleParam = trip.angle;
  return v;
}

bool RecordIsLaunch(const FleetRecordValues& record, const FleetRecordValues& launched) {
  if (record.from != launched.from || record.to != launched.to || record.owner != launched.owner ||
      record.ships != launched.ships || record.shipClass != launched.shipClass ||
      record.shield != launched.shield)
    return false;
  return std::fabs(record.tripTime - launched.timeLeft) < 0.0015 &&
         std::fabs(record.timeLeft - launched.timeLeft) < 0.0015 &&
         std::fabs(record.angleParam - launched.angleParam) < 0.0015;
}

std::optional<LaunchOrder> OrderOfRecord(const FleetRecordValues& v) {
  if (v.from == 0) return std::nullopt;
  const int from = v.from - 1, to = v.to - 1;
  if (v.ships == kScout) return LaunchOrder::Scout(from, to);
  if (v.ships == kAnnihilationBomb) return LaunchOrder::Bomb(from, to);
  if (v.ships >= kProximityBombBase)
    return LaunchOrder::ProximityBomb(from, to, v.ships - kProximityBombBase);
  return LaunchOrder::Fleet(from, to, v.ships);
}

void ChargeLaunch(GameState& g, const LaunchOrder& order) {
  if (order.from < 0 || order.from >= kWorldSlots) return;
  const size_t from = static_cast<size_t>(order.from);
  switch (order.kind) {
    case LaunchKind::kFleet:
      g.WorldShips[from] -= order.count;
      break;
    case LaunchKind::kScout:
      g.WorldShips[from] -= 1.0f;
      break;
    case LaunchKind::kAnnihilationBomb:
    case LaunchKind::kProximityBomb:
      g.WorldBombs[from] = static_cast<int16_t>(g.WorldBombs[from] - 1);
      break;
  }
}

int LaunchIntoTable(GameState& g, const LaunchOrder& order, const LaunchTrip& trip) {
  const int s = FirstFreeSlot(g);
  if (s < 0) return -1;
  StoreFleetRecord(g, s, LaunchedSlot(g, order, trip));
  ChargeLaunch(g, order);
  return s;
}

void SettleHumanOrder(GameState& g) {
  SortFleets(g);
  g.InputBusy = false;
  g.SelectedFrom = g.SelectedTo = -1;
}

namespace {

// The table ordered by passes of adjacent exchanges, as a table holding a time that is not a
// number needs it.
void SortFleetsByExchanges(GameState& g) {
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (int i = 0; i < kUsedFleetSlots - 1; ++i) {
      if (g.FleetFrom[i + 1] == 0) continue;
      if (g.FleetFrom[i] == 0 || g.FleetTimeLeft[i] > g.FleetTimeLeft[i + 1]) {
        SwapSlots(g, i, i + 1);
        exchanged = true;
      }
    }
  }
}

template <typename T, size_t N>
void Reorder(std::array<T, N>& field, const std::array<int, kUsedFleetSlots>& order) {
  std::array<T, kUsedFleetSlots> old;
  std::copy_n(field.begin(), kUsedFleetSlots, old.begin());
  for (int i = 0; i < kUsedFleetSlots; ++i)
    field[static_cast<size_t>(i)] = old[static_cast<size_t>(order[i])];
}

}  // namespace

void SortFleets(GameState& g) {
  // The exchanges move a free slot behind every slot in use after it and a slot in use behind
  // every later one with less time left, and never exchange equals: with times that are numbers,
  // that is a stable sort of the slots in use by time left, the free ones after them.
  for (int i = 0; i < kUsedFleetSlots; ++i)
    if (g.FleetFrom[i] != 0 && std::isnan(g.FleetTimeLeft[i])) return SortFleetsByExchanges(g);
  const auto before = [&g](int a, int b) {
    if (g.FleetFrom[b] == 0) return g.FleetFrom[a] != 0;
    return g.FleetFrom[a] != 0 && g.FleetTimeLeft[a] < g.FleetTimeLeft[b];
  };
  // A stable insertion: the table stands sorted from the last time but for a launch or the
  // arrivals of a turn, so it is about one pass, and takes no memory.
  std::array<int, kUsedFleetSlots> order;
  for (int i = 0; i < kUsedFleetSlots; ++i) {
    int at = i;
    for (; at > 0 && before(i, order[static_cast<size_t>(at - 1)]); --at)
      order[static_cast<size_t>(at)] = order[static_cast<size_t>(at - 1)];
    order[static_cast<size_t>(at)] = i;
  }
  bool moved = false;
  for (int i = 0; i < kUsedFleetSlots; ++i) moved |= order[static_cast<size_t>(i)] != i;
  if (!moved) return;
  Reorder(g.FleetFrom, order);
  Reorder(g.FleetTo, order);
  Reorder(g.FleetOwner, order);
  Reorder(g.FleetShips, order);
  Reorder(g.FleetClass, order);
  Reorder(g.FleetShield, order);
  Reorder(g.FleetTimeLeft, order);
  Reorder(g.FleetTripTime, order);
  Reorder(g.FleetAngleParam, order);
}

void DataClear(GameState& g, int slot) {
  if (slot < 0 || slot >= kFleetSlots) return;
  g.FleetFrom[slot] = g.FleetTo[slot] = g.FleetOwner[slot] = 0;
  g.FleetShips[slot] = 0;
  g.FleetClass[slot] = g.FleetShield[slot] = 0;
  g.FleetTimeLeft[slot] = 0;
  g.FleetAngleParam[slot] = g.FleetTripTime[slot] = 0;
}

std::string FleetRecord(const GameState& g, int slot) {
  const double param = Int(static_cast<double>(g.FleetAngleParam[slot]) * 1000.0) / 1000.0 + 10.0;
  return Format(g.FleetFrom[slot], "00") + Format(g.FleetTo[slot], "00") + Format(g.FleetOwner[slot], "00") +
         Format(g.FleetShips[slot], "00000") + Format(g.FleetClass[slot], "0") +
         Format(g.FleetShield[slot], "000") + Format(g.FleetTripTime[slot], "0.000") +
         Format(param, "00.000") + Format(g.FleetTimeLeft[slot], "0.000");
}

std::optional<FleetRecordValues> ParseFleetRecord(std::string_view text) {
  if (text.size() != kFleetRecordLength) return std::nullopt;
  // Digits everywhere but the decimal points of the three times.
  for (size_t i = 0; i < text.size(); ++i) {
    const bool point = i == 16 || i == 22 || i == 27;
    const char c = text[i];
    if (point ? c != '.' : (c < '0' || c > '9')) return std::nullopt;
  }
  auto field = [&](size_t pos, size_t len) { return Val(text.substr(pos, len)); };
  FleetRecordValues v;
  v.from = static_cast<int>(field(0, 2));
  v.to = static_cast<int>(field(2, 2));
  v.owner = static_cast<int>(field(4, 2));
  v.ships = static_cast<float>(field(6, 5));
  v.shipClass = static_cast<int>(field(11, 1));
  v.shield = static_cast<int>(field(12, 3));
  v.tripTime = static_cast<float>(field(15, 5));
  v.angleParam = ReadLaunchParameter(field(20, 6));
  v.timeLeft = static_cast<float>(field(26, 5));
  // A free slot travels as zeros; a used one names two worlds.
  const bool free = v.from == 0 && v.to == 0;
  const bool used = v.from >= 1 && v.from <= kMaxWorlds && v.to >= 1 && v.to <= kMaxWorlds;
  if (!(free || used) || v.owner > kSeats || v.shield > 100) return std::nullopt;
  return v;
}

bool FleetRecordFitsGame(const GameState& g, const FleetRecordValues& v) {
  const int worlds = std::min<int>(g.WorldCount, kMaxWorlds);
  return v.from >= 1 && v.from <= worlds && v.to >= 1 && v.to <= worlds;
}

void StoreFleetRecord(GameState& g, int slot, const FleetRecordValues& v) {
  if (slot < 0 || slot >= kUsedFleetSlots) return;
  if (v.from == 0) {
    DataClear(g, slot);
    return;
  }
  g.FleetFrom[slot] = static_cast<uint8_t>(v.from);
  g.FleetTo[slot] = static_cast<uint8_t>(v.to);
  g.FleetOwner[slot] = static_cast<uint8_t>(v.owner);
  g.FleetShips[slot] = v.ships;
  g.FleetClass[slot] = static_cast<uint8_t>(v.shipClass);
  g.FleetShield[slot] = static_cast<uint8_t>(v.shield);
  g.FleetTripTime[slot] = v.tripTime;
  g.FleetAngleParam[slot] = v.angleParam;
  g.FleetTimeLeft[slot] = v.timeLeft;
}

}  // namespace zarnath
