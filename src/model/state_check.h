// The rules every game state in play keeps. The loader refuses a saved game that breaks one, and
// the headless games check them after every step.
#pragma once

#include <optional>
#include <string>

namespace zarnath {
struct GameState;
struct FleetRecordValues;

// A broken rule: the record and the field that break it, named as the saved game names them,
// and what is wrong.
struct StateFault {
  std::string record;   // "header", "player 0", "game", "world 3", "travel slot 12", "proximity bomb 2"
  std::string field;    // "world count", "name", "year", "class", "time left", ...
  std::string problem;  // "0 is outside 1 to 5."
  // "world 3, class: 0 is outside 1 to 5."
  std::string Text() const;
};

// The first broken rule, in the order of the saved game's fields, or nothing:
// - 9 to 30 worlds in play, seat 0 named, a year from 1.00 (where every game starts) whose turn
//   number fits the 16-bit turn fields, a seat to move from 0 to 3;
// - a world out of play has no owner; a world in play lies on its ring, has class 1 to 5, a
//   shield of at most 100, an owner that is a named seat (or nobody), finite ships and bombs not
//   below 0 and a treasure code not below 0;
// - a free travel slot holds nothing; a used one (0 to 99) flies between worlds in play for a
//   named seat with ships not below 0, class 1 to 5, a shield of at most 100, a trip longer than
//   0 (0 for a proximity bomb planted on its own world) and no longer than the longest a launch
//   can get, no more time left than its trip, and a launch parameter from the launch search's
//   range as a slot record carries it (rounded down to thousandths);
// - a planted proximity bomb belongs to a named seat, lies on a world in play and has a
//   threshold not below 0.
std::optional<StateFault> CheckGameState(const GameState& g);

// The same rules of a used travel slot for a record before it is stored: what a network host
// checks of a client's launch, so that it keeps nothing its own saved game would refuse.
std::optional<StateFault> CheckLaunchRecord(const GameState& g, const FleetRecordValues& v);

// The longest trip a launch can get: the launch search's last tick (three times the reference
// ring) as a trip in years, rounded up as a launch stores it.
double LongestTrip(const GameState& g);

}  // namespace zarnath
