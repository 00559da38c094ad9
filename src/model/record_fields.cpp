#include "model/record_fields.h"

#include <cstdint>
#include <type_traits>
#include <variant>

#include "model/exact_number.h"
#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

using W = FieldWidth;

constexpr long long kShortLow = -32768, kShortHigh = 32767;

constexpr std::array<RecordField, kWorldFieldCount> kWorldFields = {{
    {"angle", W::kSingle},
    {"orbit radius", W::kSingle},
    {"angular speed", W::kSingle},
    {"name", W::kText},
    {"production", W::kByte, 0, 255},
    {"class", W::kByte, 0, 5},
    {"shield", W::kByte, 0, 100},
    {"shield charging", W::kByte, 0, 1},
    {"gather exclusion", W::kFlag, 0, 1},
    {"mark", W::kFlag, 0, 1, false, true},
    {"known figure", W::kShort, kShortLow, kShortHigh},
    {"owner", W::kByte, 0, kSeats, true},
    {"ships", W::kSingle},
    {"treasure", W::kShort, kShortLow, kShortHigh},
    {"bombs", W::kShort, 0, kShortHigh},
    {"history", W::kBlock, 0, 0, false, true},
}};

constexpr std::array<RecordField, kFleetFieldCount> kFleetFields = {{
    {"origin", W::kByte, 0, kMaxWorlds, true},
    {"destination", W::kByte, 0, kMaxWorlds, true},
    {"owner", W::kByte, 0, kSeats, true},
    {"ships", W::kSingle},
    {"class", W::kByte, 0, 5},
    {"shield", W::kByte, 0, 100},
    {"time left", W::kDouble},
    {"trip time", W::kSingle},
    {"path parameter", W::kSingle},
}};

// Where each field lives in the state: one array indexed by world or slot, or one per seat.
template <typename T>
using WorldArray = PerWorld<T> WorldTable::*;
template <typename T>
using SeatWorldArray = PerPlayer<PerWorld<T>> WorldTable::*;
using WorldMember =
    std::variant<WorldArray<float>, WorldArray<uint8_t>, WorldArray<int16_t>, WorldArray<bool>,
                 WorldArray<std::string>, SeatWorldArray<bool>, SeatWorldArray<std::string>>;

WorldMember MemberOf(WorldField f) {
  switch (f) {
    case WorldField::kAngle:
      return &WorldTable::WorldAngle;
    case WorldField::kRadius:
      return &WorldTable::WorldRadius;
    case WorldField::kAngularSpeed:
      return &WorldTable::WorldAngularSpeed;
    case WorldField::kName:
      return &WorldTable::WorldName;
    case WorldField::kProduction:
      return &WorldTable::WorldProduction;
    case WorldField::kClass:
      return &WorldTable::WorldClass;
    case WorldField::kShield:
      return &WorldTable::WorldShield;
    case WorldField::kShieldOn:
      return &WorldTable::WorldShieldOn;
    case WorldField::kNoGather:
      return &WorldTable::WorldNoGather;
    case WorldField::kMarked:
      return &WorldTable::WorldMarked;
    case WorldField::kKnownStat:
      return &WorldTable::WorldKnownStat;
    case WorldField::kOwner:
      return &WorldTable::WorldOwner;
    case WorldField::kShips:
      return &WorldTable::WorldShips;
    case WorldField::kType:
      return &WorldTable::WorldType;
    case WorldField::kBombs:
      return &WorldTable::WorldBombs;
    case WorldField::kHistory:
    case WorldField::kNone:
      break;
  }
  return &WorldTable::WorldHistory;
}

template <typename T>
using SlotArray = PerSlot<T> FleetTable::*;
using FleetMember = std::variant<SlotArray<uint8_t>, SlotArray<float>, SlotArray<double>>;

FleetMember MemberOf(FleetField f) {
  switch (f) {
    case FleetField::kFrom:
      return &FleetTable::FleetFrom;
    case FleetField::kTo:
      return &FleetTable::FleetTo;
    case FleetField::kOwner:
      return &FleetTable::FleetOwner;
    case FleetField::kShips:
      return &FleetTable::FleetShips;
    case FleetField::kClass:
      return &FleetTable::FleetClass;
    case FleetField::kShield:
      return &FleetTable::FleetShield;
    case FleetField::kTimeLeft:
      return &FleetTable::FleetTimeLeft;
    case FleetField::kTripTime:
      return &FleetTable::FleetTripTime;
    case FleetField::kAngleParam:
    case FleetField::kNone:
      break;
  }
  return &FleetTable::FleetAngleParam;
}

template <typename T>
std::string TextOf(const T& v) {
  if constexpr (std::is_same_v<T, std::string>)
    return v;
  else if constexpr (std::is_same_v<T, bool>)
    return v ? "True" : "False";
  else if constexpr (std::is_floating_point_v<T>)
    return ExactStr(v);
  else
    return Str(static_cast<int>(v));
}

template <typename T>
void Store(T& field, double value) {
  if constexpr (std::is_same_v<T, bool>)
    field = value != 0.0;
  else if constexpr (!std::is_same_v<T, std::string>)
    field = static_cast<T>(value);
}

// A table kept for each seat: an array of the per-world arrays.
template <typename T>
struct PerSeat : std::false_type {};
template <typename T, size_t N>
struct PerSeat<std::array<T, N>> : std::true_type {};

size_t At(int i) {
  return static_cast<size_t>(i);
}

}  // namespace

const RecordField& FieldOf(WorldField f) {
  return kWorldFields[static_cast<size_t>(f)];
}

const RecordField& FieldOf(FleetField f) {
  return kFleetFields[static_cast<size_t>(f)];
}

std::string FieldName(WorldField f, int player) {
  const RecordField& field = FieldOf(f);
  std::string name(field.name);
  if (field.perPlayer) name += " of player " + std::to_string(player);
  return name;
}

long long WidthLow(FieldWidth w) {
  return w == FieldWidth::kShort ? kShortLow : 0;
}

long long WidthHigh(FieldWidth w) {
  return w == FieldWidth::kShort ? kShortHigh : w == FieldWidth::kByte ? 255 : 1;
}

std::string FieldText(const GameState& g, WorldField f, int w, int player) {
  return std::visit(
      [&](auto member) -> std::string {
        const auto& table = g.*member;
        if constexpr (PerSeat<std::decay_t<decltype(table[0])>>::value)
          return TextOf(table[At(player)][At(w)]);
        else
          return TextOf(table[At(w)]);
      },
      MemberOf(f));
}

std::string FieldText(const GameState& g, FleetField f, int slot) {
  return std::visit([&](auto member) { return TextOf((g.*member)[At(slot)]); }, MemberOf(f));
}

void SetField(GameState& g, WorldField f, int w, double value, int player) {
  std::visit(
      [&](auto member) {
        auto& table = g.*member;
        if constexpr (PerSeat<std::decay_t<decltype(table[0])>>::value)
          Store(table[At(player)][At(w)], value);
        else
          Store(table[At(w)], value);
      },
      MemberOf(f));
}

void SetField(GameState& g, FleetField f, int slot, double value) {
  std::visit([&](auto member) { Store((g.*member)[At(slot)], value); }, MemberOf(f));
}

void SetFieldText(GameState& g, WorldField f, int w, std::string text, int player) {
  if (f == WorldField::kName)
    g.WorldName[At(w)] = std::move(text);
  else if (f == WorldField::kHistory)
    g.WorldHistory[At(player)][At(w)] = std::move(text);
}

}  // namespace zarnath
