// The table of objects in flight: launching into it, ordering it, freeing a slot, and the
// fixed-width text of one slot that network messages carry.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zarnath {
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
  kNotEnoughShips,     // a fleet not of whole ships the world holds, or a scout from a world without one
  kNoBomb,             // a bomb from a world without one
  kUnreachable,        // the solver found no interception
  kThresholdTooLarge,  // a proximity threshold the slot record's five digits cannot carry
  kInvalidOrder,       // a share code that names no kind of object
  kNotOwnWorld,        // the source world does not belong to the seat giving the order
};

// The order a share code stands for: 9999 an annihilation bomb, 10000 and more a proximity bomb
// (threshold = code - 10000), 1 a scout, above 1 up to 100 that percentage of the source world's
// ships (rounded up by 0.99, at most 9998 and at most the whole ships present), a negative code a
// quarter of them. Nothing for a code that names no kind (0 to below 1, above 100 up to 9998, and
// fractions between the bomb codes).
std::optional<LaunchOrder> OrderForPercent(const GameState& g, int fromWorld, float percent);

// Whether the source world holds what the order takes (ships, a scout's one ship, a bomb) and the
// order is one a slot can carry; kLaunched when it does. The owner of the world is not checked.
LaunchResult CheckLaunchSource(const GameState& g, int fromWorld, const LaunchOrder& order);

// The trip a launch stores for the solver's travel time: rounded up to whole thousandths of a
// year. The time left holds it as it is; the trip time field holds it as a 32-bit float.
double LaunchTripYears(float travelYears);

// Launches from the selected source to the selected target into the first free slot (`slot` names
// it) and charges the source: a fleet its ships, a scout one ship, a bomb one bomb. A launch never
// takes more than the source holds, and is refused with nothing charged when the source is not the
// current seat's world, the target cannot be reached or the slot record cannot carry it. The table
// is left as it is: the engine finishes every order (engine/launch.h).
LaunchResult LaunchIntoTable(GameState& g, const LaunchOrder& order, int& slot);
// What a human seat's order (refused or not) leaves: the table sorted, no world selected, input free.
void SettleHumanOrder(GameState& g);

// Used slots first, by ascending time left; equal times keep their order; free slots last.
void SortFleets(GameState& g);
// Frees one slot (all fields 0).
void DataClear(GameState& g, int slot);

// One slot as 31 characters at fixed positions: from, to, owner ("00"), ships ("00000"), class
// ("0"), shield ("000"), trip time ("0.000"), launch parameter rounded down to thousandths plus 10
// ("00.000"), time left ("0.000").
inline constexpr size_t kFleetRecordLength = 31;
std::string FleetRecord(const GameState& g, int slot);

struct FleetRecordValues {
  int from = 0, to = 0, owner = 0;
  float ships = 0;
  int shipClass = 0, shield = 0;
  float tripTime = 0, angleParam = 0;
  float timeLeft = 0;
};
// Reads a slot record; nothing when it is not 31 characters of the record's form or a field is
// out of its range: worlds 1 to 30 (both 0 for a free slot), owner 0 to 4, shield 0 to 100.
std::optional<FleetRecordValues> ParseFleetRecord(std::string_view text);
// Whether read values name an object between two worlds of this game.
bool FleetRecordFitsGame(const GameState& g, const FleetRecordValues& v);
// Stores read values into a used slot 0..99; a free slot's record clears the slot.
void StoreFleetRecord(GameState& g, int slot, const FleetRecordValues& v);

}  // namespace zarnath
