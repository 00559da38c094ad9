// The show: how the game window puts the turn's events on the screen, all through the ports:
// notices, sounds, rings, redraws, the side lists and the pauses between them. The rules tell
// what happened (model/turn_events.h); the show reads the game as it stands when told, keeps the
// window's own state (the notice line, the panels, what is visible) and never changes a record of
// the game.
#pragma once

#include <type_traits>

#include "engine/show_steps.h"
#include "model/game.h"
#include "model/turn_events.h"

namespace zarnath {

// The game's listeners hear an event, by index: a listener may join while another one sends and
// yields.
void TellListeners(Game& g, const TurnEvent& event);

// Tells what happened where it happens: the game's listeners (the network's broadcast) hear it,
// then the show acts on it; an event shown before it is sent the other way round.
void Tell(Game& g, const TurnEvent& event);

// The same for an event of a known kind: the show's handler is called straight away, and the
// event is wrapped for the listeners only when the game has any (a turn tells thousands of
// events, most of them at one computer without a listener).
template <typename Event>
requires(!std::is_same_v<std::remove_cvref_t<Event>, TurnEvent>) void Tell(Game& g, const Event& event) {
  if constexpr (ShownBeforeSent<Event>()) show::Shown(g, event);
  if (!g.listeners.empty()) TellListeners(g, TurnEvent(event));
  if constexpr (!ShownBeforeSent<Event>()) show::Shown(g, event);
}

// The show's part of an event.
void Show(Game& g, const TurnEvent& event);

// The ring animations at the destination world of a travel slot: three rings growing outward in
// the arriving owner's and the world owner's colours, and two shrinking back. 100 ms a frame
// unless the speed game is on.
void WorldUp(Game& g, int slot);
void WorldDown(Game& g, int slot);

}  // namespace zarnath
