#pragma once

namespace zarnath {
class Game;

// Clears the game: every travel slot, world, bomb slot, player and piece of intelligence in use.
// Settings, the year, the seat flags and the extra declared slots are left as they are.
void DataSet(Game& g);

}  // namespace zarnath
