// The table of objects in flight: launching into it, ordering it, freeing a slot, and the
// fixed-width text of one slot that network messages carry.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarnath {
class Game;
struct GameState;

enum class LaunchKind { kFleet, kScout, kAnnihilationBomb, kProximityBomb };

struct LaunchOrder {
  LaunchKind kind = LaunchKind::kFleet;
  float count = 0;  // ships of a fleet, or the trigger threshold of a proximity bomb
};

enum class LaunchResult {
  kLaunched,
  kNothingSelected,
  kTableFull,
  kNotEnoughShips,    // a fleet of less than one whole ship, or a scout from a world without a ship
  kNoBomb,            // a bomb from a world without one
  kUnreachable,       // the solver found no interception
  kThresholdTooLarge, // a proximity threshold the slot record cannot carry
  kInvalidOrder,      // a share code that names no kind of object
};

// The order a share code stands for: 9999 an annihilation bomb, 10000 and more a proximity bomb
// (threshold = code - 10000), 1 a scout, above 1 up to 100 that percentage of the source world's
// ships (rounded up by 0.99, at most 9998), a negative code a quarter of them.
std::optional<LaunchOrder> OrderForPercent(const GameState& g, int fromWorld, float percent);

// Launches from the selected source to the selected target into the first free slot and charges
// the source. A launch never takes more than the source holds and is refused, with nothing
// charged, when the target cannot be reached or the slot record cannot carry it.
LaunchResult Launch(Game& g, const LaunchOrder& order);
// The same for a share code as the window's commands pass it.
LaunchResult Sendships(Game& g, float percent);

// Used slots first, by ascending time left; equal times keep their order; free slots last.
void SortFleets(GameState& g);
// Frees one slot (all fields 0).
void DataClear(GameState& g, int slot);

// One slot as 31 characters at fixed positions.
std::string FleetRecord(const GameState& g, int slot);

struct FleetRecordValues {
  int from = 0, to = 0, owner = 0;
  float ships = 0;
  int shipClass = 0, shield = 0;
  float tripTime = 0, angleParam = 0;
  float timeLeft = 0;
};
// Reads a slot record; nothing when it is not 31 characters of the record's form or a field is
// out of its range (worlds 1 to 30, owner 0 to 4, class 0 to 9, shield 0 to 100, times and ships
// not negative).
std::optional<FleetRecordValues> ParseFleetRecord(std::string_view text);
// Stores read values into a slot.
void StoreFleetRecord(GameState& g, int slot, const FleetRecordValues& v);

}  // namespace zarnath
