// The show: how the game window puts the turn's events on the screen, all through the ports:
// notices, sounds, rings, redraws, the side lists and the pauses between them. The rules tell
// what happened (model/turn_events.h); the show reads the game as it stands when told, keeps the
// window's own state (the notice line, the panels, what is visible) and never changes a record of
// the game.
#pragma once

#include "model/turn_events.h"

namespace zarnath {
class Game;

// Tells what happened where it happens: the game's listeners (the network's broadcast) hear it,
// then the show acts on it; an event shown before it is sent the other way round.
void Tell(Game& g, const TurnEvent& event);

// The show's part of an event.
void Show(Game& g, const TurnEvent& event);

// The ring animations at the destination world of a travel slot: three rings growing outward in
// the arriving owner's and the world owner's colours, and two shrinking back. 100 ms a frame
// unless the speed game is on.
void WorldUp(Game& g, int slot);
void WorldDown(Game& g, int slot);

}  // namespace zarnath
