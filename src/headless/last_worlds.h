// A game turned into its last turns, for the tests and the tools that play a network game to its
// most common end: the last world falls while the loser's last ship is still on its way.
#pragma once

namespace zarnath {
struct GameState;

// Every world in play becomes `conqueror`'s with 40 ships, but each other named seat below
// `seats` keeps its home world, empty; every travel slot and proximity bomb is cleared; then 500 of
// the conqueror's ships fly to each of those home worlds, landing at this turn's end, and each
// other seat's last ship flies from its home world to the conqueror's world 0, `landing` turns
// from landing.
void SetUpLastWorlds(GameState& g, int conqueror, int seats, int landing);

}  // namespace zarnath
