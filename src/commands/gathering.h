// The world panel's automatic sends: ships gathered from the nearest own worlds, scouts to the
// nearest foreign worlds, and the nearest scout or bomb sent to a world. Each launch is previewed
// on the view for half a second and goes through the same launch as every other order. The
// gather/scout range is the game's maximum gather/scout turns; an entry exactly at the range is
// in range.
#pragma once

#include <string>

namespace zarnath {
class Game;
struct GameState;
class CommandView;

// The gather/scout range in years: the option's turns x 0.05, read from the setup's text.
float GatherRange(const GameState& g);

// A centred notice framed by line breaks, for 1500 ms.
void TimedAnnouncement(Game& g, const std::string& text);

// Every own world within range of w that holds ships and is not excluded from gathering sends all
// its ships to w, nearest first (up to six). Answers the launches tried.
int GatherNearestShips(Game& g, CommandView& view, int w);
// Own world w sends one scout to each of the nearest foreign worlds within range that no object
// of the player is already bound for, while it has ships.
int ScoutNearestWorlds(Game& g, CommandView& view, int w);
// The nearest own world with ships sends one scout to w, however far.
int SendNearestScout(Game& g, CommandView& view, int w);
// The nearest own world with a bomb sends one annihilation bomb to w, however far.
int SendNearestBomb(Game& g, CommandView& view, int w);

}  // namespace zarnath
