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

// One order to launch an object from world `from` to world `to` (world indexes): a fleet of `count`
// whole ships, a scout, an annihilation bomb, or a proximity bomb that goes off when a fleet of
// `count` ships or more comes near. A proximity bomb may be planted on its own world (to = from).
struct LaunchOrder {
  int from = -1;
  int to = -1;
  LaunchKind kind = LaunchKind::kFleet;
  float count = 0;  // ships of a fleet, or the trigger threshold of a proximity bomb

  static LaunchOrder Fleet(int from, int to, float ships) { return {from, to, LaunchKind::kFleet, ships}; }
  static LaunchOrder Scout(int from, int to) { return {from, to, LaunchKind::kScout, 0}; }
  static LaunchOrder Bomb(int from, int to) { return {from, to, LaunchKind::kAnnihilationBomb, 0}; }
  static LaunchOrder ProximityBomb(int from, int to, float threshold) {
    return {from, to, LaunchKind::kProximityBomb, threshold};
  }
  bool operator==(const LaunchOrder&) const = default;
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
  kToItself,           // a fleet, scout or annihilation bomb aimed at its own source world
  kTruce,              // an attack on a world the battle truce protects
};

// The ships a share of `percent` of the source world's ships takes: rounded up by 0.99, at most
// 9998 (9999 would read as a bomb) and at most the whole ships present.
float FleetShare(const GameState& g, int fromWorld, double percent);

// The order a share code of the window stands for: 9999 an annihilation bomb, 10000 and more a
// proximity bomb (threshold = code - 10000), 1 a scout, above 1 up to 100 that share of the source
// world's ships, a negative code a quarter of them. Nothing for a code that names no kind (0 to
// below 1, above 100 up to 9998, and fractions between the bomb codes).
std::optional<LaunchOrder> OrderForCode(const GameState& g, int fromWorld, int toWorld, float code);

// The trip the solver finds for a launch; `priced` once the check got as far as the solver.
struct LaunchTrip {
  float years = 0;
  float angle = 0;
  bool priced = false;
};

// The solver's trip for the order (the launch step of the travel-time search), the last question
// CheckLaunch asks.
LaunchTrip PriceLaunch(const GameState& g, const LaunchOrder& order);

// The one check of a launch, for the seat's own window, the computer player and the host taking a
// client's order alike: both worlds in play, the source the seat's own, a target other than the
// source (but for a proximity bomb planted at home), no world the truce protects, a free slot, what
// the order takes held by the source and carried by the slot record, and a target the solver
// reaches. kLaunched when the launch may go; `trip` gets the solver's answer when it was asked.
LaunchResult CheckLaunch(const GameState& g, int seat, const LaunchOrder& order, LaunchTrip* trip = nullptr);

// The trip a launch stores for the solver's travel time: rounded up to whole thousandths of a
// year. The time left holds it as it is; the trip time field holds it as a 32-bit float.
double LaunchTripYears(float travelYears);

// Launches an order CheckLaunch accepted, on the trip it priced, into the first free slot and
// charges the source: a fleet its ships, a scout one ship, a bomb one bomb. The slot it filled, or
// -1 with nothing changed when the table is full. The table is left as it is: the engine finishes
// every order (engine/launch.h).
int LaunchIntoTable(GameState& g, const LaunchOrder& order, const LaunchTrip& trip);
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
  double timeLeft = 0;  // a record carries it to single precision; a launch stores its trip whole
};
// Reads a slot record; nothing when it is not 31 characters of the record's form or a field is
// out of its range: worlds 1 to 30 (both 0 for a free slot), owner 0 to 4, shield 0 to 100.
std::optional<FleetRecordValues> ParseFleetRecord(std::string_view text);
// Whether read values name an object between two worlds of this game.
bool FleetRecordFitsGame(const GameState& g, const FleetRecordValues& v);
// Stores read values into a used slot 0..99; a free slot's record clears the slot.
void StoreFleetRecord(GameState& g, int slot, const FleetRecordValues& v);

// The slot a launch of `order` fills on the trip `trip`: its worlds, the source's owner, class and
// (with shield travel) shield, the object's ship code, the trip and the launch parameter.
FleetRecordValues LaunchedSlot(const GameState& g, const LaunchOrder& order, const LaunchTrip& trip);
// Whether a slot's record, as a client sends it, is the launch `launched`: the same worlds, owner,
// object, class and shield, and the trip, time left and launch parameter within the record's
// thousandths (the two machines' solvers may part in the last digit).
bool RecordIsLaunch(const FleetRecordValues& record, const FleetRecordValues& launched);
// The order a record's ship code stands for, between its worlds; nothing for a free slot.
std::optional<LaunchOrder> OrderOfRecord(const FleetRecordValues& v);
// Takes from the source what the order launches: a fleet its ships, a scout one ship, a bomb one bomb.
void ChargeLaunch(GameState& g, const LaunchOrder& order);

}  // namespace zarnath
