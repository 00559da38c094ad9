// The setup window's Start button: a new game from the setup's choices.
#pragma once

#include <ctime>
#include <string>

namespace zarnath {
class Game;
struct GameState;

// Checks the seats, stores the player's defaults, copies the options into the game window's
// menus, clears the game, generates the star system and the seats, publishes the game to the
// network clients when hosting, resets the turn state and hands out the first turn.
void imgStart_Click(Game& g);

// The line added to the internet game log when a hosted internet game starts.
std::string OnlineGameLogLine(const GameState& g, std::time_t sharedNow);

}  // namespace zarnath
