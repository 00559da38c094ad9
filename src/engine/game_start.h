// A new game from the setup's choices.
#pragma once

#include <ctime>
#include <string>

namespace zarnath {
class Game;
struct GameState;

// A new game from the setup's choices (the setup window's Start, net/lobby.h, checks the name and
// lets a LAN client join its host first): stores the player's defaults, copies the options into
// the game window's menus, clears the game, generates the star system and the seats, publishes
// the game to the network clients when hosting, resets the turn state and hands out the first turn.
void StartNewGame(Game& g);

// The line added to the internet game log when a hosted internet game starts.
std::string OnlineGameLogLine(const GameState& g, std::time_t sharedNow);

}  // namespace zarnath
