// What each player holds (worlds, production, class sum, ships on worlds and in flight) and the
// rating made of it, as the status report and the end of a game show them.
#pragma once

#include <string>

namespace zarnath {
struct GameState;

// Single-precision sums, as the rating uses them.
struct PlayerStock {
  float worlds = 0, ships = 0, production = 0, classSum = 0;
  float inFlight = 0;  // ships in flight; a scout or a bomb counts one
};

PlayerStock TakeStock(const GameState& g, int seat);
// class sum x production / (turn + 1), a turn before the first counting as the first.
float RatingOf(const PlayerStock& s, int turn);

// The report's line for one seat ("" for a seat skipped: no name, or eliminated), ending in CR LF.
std::string StatusLine(const GameState& g, int seat);
// The report's caption: an empty line, one line per listed seat, an empty line. Empty when no
// seat is listed.
std::string StatusReportText(const GameState& g);

}  // namespace zarnath
