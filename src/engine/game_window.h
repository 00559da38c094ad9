// The game window as a game needs it: laid out and shown when a game opens, and a game cleared
// with the link it was played on.
#pragma once

namespace zarnath {
class Game;

// Sizes and shows the game window, refuses a screen too small for it (the program then ends)
// and fixes the geometry. False when the program ended.
bool FormSetup(Game& g);

// Clears the game (every slot, world, player and piece of intelligence, see DataSet) and closes
// socket 0: the host's listener or a client's link to its host.
void ClearGame(Game& g);

}  // namespace zarnath
