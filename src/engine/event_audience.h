// Who an event concerns and who sees it: the owner test and the human seats, the owners' names
// and colours, and the travel slots in play.
#pragma once

#include <string>

namespace zarnath {
struct GameState;

// The owner test: an event of owner code o is shown here when the owner plays at this machine
// (a network game) or is a human seat of this machine (one computer).
bool OwnerShown(const GameState& g, int ownerCode);
// The side-list test: Console runs after a shown event in a network game, or when only one
// human plays at this computer.
bool SideListsFollowEvents(const GameState& g);
// The human seats of this game: named and not a computer player.
bool IsNamedHuman(const GameState& g, int seat);

// A player's name by owner code ("" for nobody or a code out of range).
const std::string& OwnerName(const GameState& g, int ownerCode);
// A player's colour by owner code (the neutral colour for a code out of range).
double OwnerColour(const GameState& g, int ownerCode);

// Whether a travel slot index names a used slot whose worlds are in play.
bool SlotInPlay(const GameState& g, int slot);

}  // namespace zarnath
