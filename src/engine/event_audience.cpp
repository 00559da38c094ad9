#include "engine/event_audience.h"

#include "model/game.h"

namespace zarnath {

bool IsNamedHuman(const GameState& g, int seat) {
  return seat >= 0 && seat < kSeats && !g.PlayerName[static_cast<size_t>(seat)].empty() &&
         IsHumanSeat(g, seat);
}

bool OwnerShown(const GameState& g, int ownerCode) {
  if (ownerCode < 1 || ownerCode > kSeats) return false;
  if (g.NetworkGame) return ownerCode == g.CurrentPlayer + 1;
  return g.setup.chkAI[static_cast<size_t>(ownerCode - 1)] == 0;
}

bool SideListsFollowEvents(const GameState& g) {
  return g.NetworkGame || OneHumanAtThisComputer(g);
}

const std::string& OwnerName(const GameState& g, int ownerCode) {
  static const std::string kNobody;
  if (ownerCode < 1 || ownerCode > kSeats) return kNobody;
  return g.PlayerName[static_cast<size_t>(ownerCode - 1)];
}

double OwnerColour(const GameState& g, int ownerCode) {
  if (ownerCode < 0 || ownerCode >= kPlayerSlots) return kNeutralColor;
  return g.PlayerColor[static_cast<size_t>(ownerCode)];
}

bool SlotInPlay(const GameState& g, int slot) {
  if (slot < 0 || slot >= kUsedFleetSlots) return false;
  const size_t s = static_cast<size_t>(slot);
  return g.FleetFrom[s] >= 1 && g.FleetFrom[s] <= g.WorldCount && g.FleetTo[s] >= 1 &&
         g.FleetTo[s] <= g.WorldCount;
}

}  // namespace zarnath
