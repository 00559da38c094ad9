#pragma once

namespace zarnath {
struct GameState;

// Clears the game: every travel slot, world, bomb slot, player and piece of intelligence in use.
// Settings, the year, the seat flags and the extra declared slots are left as they are. (A game
// ended on this machine also closes its link, see ClearGame in engine/game_start.h.)
void DataSet(GameState& g);

}  // namespace zarnath
