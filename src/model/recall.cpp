#include "model/recall.h"

#include "model/fleet_table.h"
#include "model/game.h"
#include "model/view_rules.h"

namespace zarnath {

RecallResult CheckRecall(const GameState& g, int slot, int seat) {
  if (slot < 0 || slot >= kUsedFleetSlots) return RecallResult::kNoSuchSlot;
  if (g.FleetFrom[slot] == 0) return RecallResult::kFreeSlot;
  if (!SlotDrawable(g, slot)) return RecallResult::kNoSuchSlot;
  if (seat < 0 || seat >= kSeats || g.FleetOwner[slot] != seat + 1) return RecallResult::kNotOwnObject;
  if (FleetMoved(g, slot)) return RecallResult::kAlreadyMoved;
  return RecallResult::kRecalled;
}

RecallResult Recall(GameState& g, int slot, int seat) {
  const RecallResult check = CheckRecall(g, slot, seat);
  if (check != RecallResult::kRecalled) return check;
  const int from = g.FleetFrom[slot] - 1;
  const float ships = g.FleetShips[slot];
  if (ships >= kAnnihilationBomb)
    g.WorldBombs[from] = static_cast<int16_t>(g.WorldBombs[from] + 1);
  else if (ships > kScout)
    g.WorldShips[from] += ships;
  else if (ships == kScout)
    g.WorldShips[from] += 1.0f;
  DataClear(g, slot);
  return RecallResult::kRecalled;
}

int FindSlotByRecord(const GameState& g, std::string_view record) {
  if (record.size() != kFleetRecordLength) return -1;
  for (int s = 0; s < kUsedFleetSlots; ++s)
    if (g.FleetFrom[s] != 0 && FleetRecord(g, s) == record) return s;
  return -1;
}

RecallResult RecallByRecord(GameState& g, std::string_view record, int seat) {
  const int slot = FindSlotByRecord(g, record);
  return slot < 0 ? RecallResult::kNoSuchSlot : Recall(g, slot, seat);
}

}  // namespace zarnath
