// The fields of a world and of a travel slot, one table each: the name a refused saved game and a
// broken state give a field, how the field is stored (its width), and the values a game holds in a
// whole-number field. The saved game writes and reads the fields in table order, the host's full
// state sends each with its own tag, a client stores each tag's value when it lies in range, and
// the state check names the fields alike, so a field is described in one place.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zarnath {
struct GameState;

enum class FieldWidth : uint8_t {
  kSingle,  // a 32-bit float
  kDouble,  // a 64-bit float
  kByte,    // a whole number 0 to 255
  kShort,   // a 16-bit signed whole number
  kFlag,    // True or False
  kText,    // one line of text
  kBlock,   // a free text of several lines
};

// The fields of a world, in the order of the saved game.
enum class WorldField : uint8_t {
  kAngle,
  kRadius,
  kAngularSpeed,
  kName,
  kProduction,
  kClass,
  kShield,
  kShieldOn,
  kNoGather,
  kMarked,  // one for each seat
  kKnownStat,
  kOwner,
  kShips,
  kType,
  kBombs,
  kHistory,  // one for each seat
  kNone,     // no world field
};
inline constexpr int kWorldFieldCount = static_cast<int>(WorldField::kNone);

// The fields of a travel slot, in the order of the saved game.
enum class FleetField : uint8_t {
  kFrom,
  kTo,
  kOwner,
  kShips,
  kClass,
  kShield,
  kTimeLeft,
  kTripTime,
  kAngleParam,
  kNone,  // no slot field
};
inline constexpr int kFleetFieldCount = static_cast<int>(FleetField::kNone);

struct RecordField {
  std::string_view name;  // "orbit radius", "time left", ...
  FieldWidth width;
  // A whole-number field: the values a game holds in it (never more than its width holds).
  long long lo = 0, hi = 0;
  // It names a seat or a world: a value outside its range would index past a table.
  bool index = false;
  // One value for each seat; the name is followed by " of player " and the seat.
  bool perPlayer = false;
};

const RecordField& FieldOf(WorldField f);
const RecordField& FieldOf(FleetField f);

// The name of a field, with the seat of a field kept for each seat: "mark of player 2".
std::string FieldName(WorldField f, int player = 0);

// The widest range of a whole-number width: 0 to 255 for a byte, -32768 to 32767 for a short.
long long WidthLow(FieldWidth w);
long long WidthHigh(FieldWidth w);

// A field's value as the saved game writes it and the full state sends it: a float to the digits
// that read back to it, a whole number with a leading blank when not negative, a flag as "True" or
// "False", a text as it is. `player` chooses the seat of a field kept for each seat.
std::string FieldText(const GameState& g, WorldField f, int w, int player = 0);
std::string FieldText(const GameState& g, FleetField f, int slot);

// Stores a value read for a number field (floats as given, whole numbers as they are, a flag as
// not 0); the reader has checked it against the field's width and range.
void SetField(GameState& g, WorldField f, int w, double value, int player = 0);
void SetField(GameState& g, FleetField f, int slot, double value);
// Stores a text field.
void SetFieldText(GameState& g, WorldField f, int w, std::string text, int player = 0);

}  // namespace zarnath
