#pragma once

#include <array>
#include <string>

#include "model/game_state.h"

namespace zarnath {
struct GameState;

// The star system moves on by one turn in ticks (26 of them), in each of which every world turns
// by its angular speed and every object in flight comes 1/520 year nearer. The engine shows each
// tick (engine/turn.h, GalaxyRotate).

// "Year 21.00, Turn #400": the year and turn of the caption and the logs, from the whole turn
// count, so they stay exact in long games.
std::string YearLine(const GameState& g);
// The ticks of one turn: the reference ring's radius x 4 x 0.05, rounded.
int OrbitTickCount(const GameState& g);
// The slots in use as the worlds start to turn; they stay in use while the worlds turn.
struct SlotsInFlight {
  std::array<int, kUsedFleetSlots> slot{};
  int count = 0;
};
SlotsInFlight SlotsInUse(const GameState& g);
// One tick: the worlds turn (a world past 2 pi comes back within one turn) and the objects of
// `inFlight` with time left come 1/520 year nearer (an object under 1e-8 has arrived).
void OrbitTick(GameState& g, const SlotsInFlight& inFlight);
// The year line at the end of every human seat's log.
void LogYear(GameState& g, const std::string& yearLine);

// Whether a tick of the orbit animation draws the object in a used travel slot: never while
// travelling fleets are hidden; otherwise one's own objects in a network game, a human seat's
// objects (or any that has arrived) at one computer, and every object with unlimited radar.
bool OrbitTickShowsObject(const GameState& g, int slot);
// Whether a tick of the orbit animation marks the destination of the object in a used travel
// slot: a human seat's objects, at one computer only when it is the only human seat, in a
// network game only one's own; never while travelling fleets are hidden.
bool OrbitTickShowsDestination(const GameState& g, int slot);

}  // namespace zarnath
