// Recalling an object in flight that has not moved since its launch: the checks and the refund
// in one place, for the window's in-transit list and for the host applying a client's recall.
#pragma once

#include <string_view>

namespace zarnath {
struct GameState;

enum class RecallResult {
  kRecalled,
  kNoSuchSlot,    // not a travel slot 0 to 99, or a slot whose worlds are not in play
  kFreeSlot,      // nothing travels in the slot
  kNotOwnObject,  // the object belongs to another seat (or the seat is not one of the game's)
  kAlreadyMoved,  // an orbit tick has moved it since its launch
};

// Whether seat `seat` may recall the object in `slot`: its own object that has not moved yet.
RecallResult CheckRecall(const GameState& g, int slot, int seat);
// Recalls it: a fleet's ships go back to its origin world, a scout's one ship, a bomb's one bomb,
// and the slot is freed (the table is not reordered). Anything CheckRecall refuses changes nothing.
RecallResult Recall(GameState& g, int slot, int seat);

// The used slot whose 31-character record is `record` (what a client's recall names), or -1.
int FindSlotByRecord(const GameState& g, std::string_view record);

// The host's side of a client's recall: the object named by its record, recalled for the seat
// that sent it; a record that names no used slot is refused as kNoSuchSlot.
RecallResult RecallByRecord(GameState& g, std::string_view record, int seat);

}  // namespace zarnath
