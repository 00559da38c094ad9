// A whole game between computer players without a screen, played through the same steps as in
// the window: the setup window's Start button, the next-player step, the computer turn, its
// 10 ms timer on the virtual clock pressing Done, and the end-of-turn cycle. The game runner,
// the whole-game tests and the benchmarks use it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "model/game_state.h"

namespace zarnath {
class Game;
class HeadlessPorts;
struct GameState;

struct MatchOptions {
  uint64_t seed = 1;
  int worlds = 30;                             // 9 to 30
  std::array<int, kSeats> levels{6, 6, 6, 6};  // 1 to 6 a computer player, 0 an empty seat
  bool speedGame = false;
  int maxTurns = 400;  // play stops when this many turns have been played (from the loaded turn on)
  // A saved game to play on from instead of a new game; empty for a new game.
  std::string loadFrom{};
  // Once turn `saveAtTurn` is resolved (-1: never), before anyone moves in the next turn, the game
  // is saved to `saveTo` and the random source is seeded again from `seed`. A saved game does not
  // hold the random source, so the same game loaded with the same seed plays on exactly alike.
  int saveAtTurn = -1;
  std::string saveTo{};
};

struct SeatStock {
  bool seated = false;
  int worlds = 0;
  double ships = 0;  // on its worlds
};

struct TurnReport {
  int turn = 0;
  std::array<SeatStock, kSeats> seats{};
};

enum class Victory { kNone, kConquest, kElimination };

struct MatchResult {
  int winner = -1;  // seat, or -1
  Victory victory = Victory::kNone;
  int turns = 0;
  std::string broken;       // the first broken rule of the game state; empty when all held
  bool saved = false;       // the game was saved at `saveAtTurn`
  std::string loadError{};  // why the saved game was refused; nothing was played
  std::string saveError{};  // why the game could not be saved; play stopped there
};

// The first broken rule of the game state (see CheckGameState), or empty.
std::string CheckInvariants(const GameState& g);

// The stock of every seat now.
TurnReport ReportNow(const GameState& g);

// "turn=12 0:5/123 1:3/80 2:- 3:0/0": each seat's worlds and whole ships, "-" for an empty seat.
std::string TurnLine(const TurnReport& r);
// "result: winner=2 victory=conquest turns=87".
std::string ResultLine(const MatchResult& r);

class HeadlessMatch {
 public:
  explicit HeadlessMatch(const MatchOptions& options);
  ~HeadlessMatch();
  HeadlessMatch(const HeadlessMatch&) = delete;
  HeadlessMatch& operator=(const HeadlessMatch&) = delete;

  // Starts the game (or loads it) and plays it to a conquest, to the turn cap, to the first broken
  // rule or to a refused load or failed save; `onTurn` sees every turn as it begins (the first one included).
  MatchResult Play(const std::function<void(const TurnReport&)>& onTurn = nullptr);

  Game& game();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
  MatchOptions options_;
};

}  // namespace zarnath
