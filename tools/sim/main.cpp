// zarnath-sim: plays one game between computer players without a screen, through the same steps
// as the window, and prints one line per turn and the result.
//
//   zarnath-sim [--seed N] [--worlds W] [--seats A,B,C,D] [--speed] [--max-turns T]
//               [--save-at TURN FILE] [--load FILE] [--help]
//   zarnath-sim --describe FILE
//
// Each seat is a computer level 1 to 6 or "-" for an empty seat; seat 0 must be filled (the game
// cannot start without it). The game is set up as the setup window sets it up: the world count
// sets the treasures to its default (worlds / 4 + 1, rounded down), a filled seat 1, 2 or 3 raises
// the count to 10, 11 or 12 when it needs more worlds, and each level gives its computer's name.
// The seed is 0 to 2^64 - 1. Play stops once --max-turns turns have been played (counted from the
// loaded turn with --load). The last line reads
//   result: winner=<seat 0-3 or none> victory=<conquest|elimination|none> turns=<n>
// --save-at saves the game once turn TURN is resolved, before anyone moves in the next turn, then
// seeds the random source again from --seed and plays on. --load plays on from a saved game of
// computer players (its worlds and seats are the file's) with the random source seeded from
// --seed, so a game saved and loaded with the same seed prints the same turns from there on.
// Exit status: 0 when the game ran (to a result or the turn cap), 1 when a rule of the game
// state broke, 2 for wrong options, a refused saved game or a game that could not be saved.
// --describe prints what a saved game of any seats holds (its turn, worlds with their pixel on the
// game window, objects in flight), for scripts that play the program and check what it saved.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../tool_args.h"
#include "headless/headless_match.h"
#include "model/numbers.h"
#include "model/view_geometry.h"
#include "persist/atomic_file.h"
#include "persist/saved_game.h"

namespace {

using zarnath::MatchOptions;

using zarnath::tools::ParseInt;

bool ParseSeats(std::string_view text, MatchOptions& o) {
  int seat = 0;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    const std::string_view item =
        text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (seat >= zarnath::kSeats) return false;
    uint64_t level = 0;
    if (item == "-")
      level = 0;
    else if (!ParseInt(item, 1, 6, level))
      return false;
    o.levels[static_cast<size_t>(seat++)] = static_cast<int>(level);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  for (int p = seat; p < zarnath::kSeats; ++p) o.levels[static_cast<size_t>(p)] = 0;
  return o.levels[0] != 0;
}

constexpr char kUsage[] =
    "usage: zarnath-sim [--seed N] [--worlds 9..30] [--seats A,B,C,D] [--speed] [--max-turns T]\n"
    "                   [--save-at TURN FILE] [--load FILE]\n"
    "       zarnath-sim --describe FILE\n"
    "Plays one game between computer players without a screen and prints one line a turn.\n"
    "Turns count from 0, the game's first turn (year 1.00).\n"
    "  --seed N             seeds the game's random numbers, 0 to 2^64 - 1 (default 1)\n"
    "  --worlds W           worlds of the star system, 9 to 30 (default 30)\n"
    "  --seats A,B,C,D      each seat a computer level 1..6 or - for an empty seat; seat 0 must be\n"
    "                       filled (default 1,2,3,4)\n"
    "  --speed              plays a speed game\n"
    "  --max-turns T        stops once T turns have been played, counted from the loaded turn with\n"
    "                       --load (default 400)\n"
    "  --save-at TURN FILE  saves the game to FILE after turn TURN has been resolved, before anyone\n"
    "                       moves in turn TURN + 1: the file opens at turn TURN + 1 (--save-at 0\n"
    "                       saves year 1.05, turn 1). Then the random numbers are seeded again from\n"
    "                       --seed, so --load FILE with the same seed plays the same turns on.\n"
    "  --load FILE          plays on from a saved game of computer players (its worlds and seats)\n"
    "  --help               shows this text\n"
    "The last line reads \"result: winner=<seat 0-3 or none> victory=<conquest|elimination|none>\n"
    "turns=<n>\". Exit status: 0 when the game ran, 1 when a rule of the game state broke, 2 for\n"
    "wrong options, a refused saved game or a game that could not be saved.\n"
    "zarnath-sim --describe FILE prints the saved game in FILE: a line \"game year=Y turn=T seat=S\",\n"
    "a line \"world W owner=O ships=N bombs=B x=X y=Y name=NAME\" for each world in play (O 0 for\n"
    "nobody, else the seat + 1; X and Y its pixel on the game window) and a line \"fleet J from=F\n"
    "to=T owner=O ships=N turns=L\" for each object in flight (N the ship-count code: 0 a scout,\n"
    "9999 a bomb, 10000 and more a proximity bomb; L the turns left).\n";

int Usage(const char* why) {
  std::fprintf(stderr, "zarnath-sim: %s\n%s", why, kUsage);
  return 2;
}

// The saved game's turn, worlds and objects in flight, one line each.
int Describe(const std::string& path) {
  using namespace zarnath;
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    std::fprintf(stderr, "zarnath-sim: cannot read \"%s\"\n", path.c_str());
    return 2;
  }
  const SavedGameRead read = ReadSavedGame(GameState{}, bytes);
  if (!read.state) {
    std::fprintf(stderr, "zarnath-sim: cannot load \"%s\": %s\n", path.c_str(), read.refusal.problem.c_str());
    return 2;
  }
  GameState g = *read.state;
  SetGalaxyGeometry(g);
  std::printf("game year=%s turn=%d seat=%d\n", Format(g.GameYear, "0.00").c_str(), TurnNumber(g.GameYear),
              static_cast<int>(g.CurrentPlayer));
  for (int w = 0; w < std::min<int>(g.WorldCount, kMaxWorlds); ++w) {
    const ViewPoint at = WorldPixel(g, w);
    std::printf("world %d owner=%d ships=%s bombs=%d x=%ld y=%ld name=%s\n", w, g.WorldOwner[w],
                StrTrim(g.WorldShips[w]).c_str(), g.WorldBombs[w], std::lround(at.x), std::lround(at.y),
                g.WorldName[w].c_str());
  }
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    if (g.FleetFrom[j] == 0) continue;
    const double turns = Int(g.FleetTimeLeft[j] / 0.05 + 0.999999);
    std::printf("fleet %d from=%d to=%d owner=%d ships=%s turns=%s\n", j, g.FleetFrom[j] - 1,
                g.FleetTo[j] - 1, g.FleetOwner[j], StrTrim(g.FleetShips[j]).c_str(),
                Format(turns, "0").c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  MatchOptions o;
  o.levels = {1, 2, 3, 4};
  const char* newGameOption = nullptr;  // an option that only a new game takes
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    uint64_t v = 0;
    if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--describe" && i == 1 && argc == 3) {
      return Describe(argv[2]);
    } else if (arg == "--describe") {
      return Usage("--describe takes a saved game's file and no other option");
    } else if (arg == "--speed") {
      o.speedGame = true;
    } else if (arg == "--seed" && hasValue) {
      if (!ParseInt(argv[++i], 0, UINT64_MAX, v)) return Usage("--seed takes a whole number 0 to 2^64 - 1");
      o.seed = v;
    } else if (arg == "--worlds" && hasValue) {
      if (!ParseInt(argv[++i], 9, 30, v)) return Usage("--worlds takes 9 to 30");
      o.worlds = static_cast<int>(v);
      newGameOption = "--worlds";
    } else if (arg == "--max-turns" && hasValue) {
      if (!ParseInt(argv[++i], 1, 100000, v)) return Usage("--max-turns takes 1 to 100000");
      o.maxTurns = static_cast<int>(v);
    } else if (arg == "--seats" && hasValue) {
      if (!ParseSeats(argv[++i], o)) return Usage("--seats takes up to four of 1..6 or -, the first filled");
      newGameOption = "--seats";
    } else if (arg == "--save-at" && i + 2 < argc) {
      if (!ParseInt(argv[++i], 0, 100000, v)) return Usage("--save-at takes a turn 0 to 100000 and a file");
      o.saveAtTurn = static_cast<int>(v);
      o.saveTo = argv[++i];
      if (o.saveTo.empty()) return Usage("--save-at takes a turn and a file name");
    } else if (arg == "--save-at") {
      return Usage("--save-at takes a turn 0 to 100000 and a file");
    } else if (arg == "--load" && hasValue) {
      o.loadFrom = argv[++i];
      if (o.loadFrom.empty()) return Usage("--load takes a file name");
    } else {
      return Usage(("unknown or incomplete option " + std::string(arg)).c_str());
    }
  }

  if (!o.loadFrom.empty() && newGameOption)
    return Usage(
        (std::string(newGameOption) + " does not go with --load: a saved game brings its own").c_str());
  if (o.loadFrom.empty() && o.saveAtTurn >= o.maxTurns)
    return Usage("--save-at needs a turn below --max-turns (the game stops when that turn begins)");

  zarnath::HeadlessMatch match(o);
  const zarnath::MatchResult result =
      match.Play([](const zarnath::TurnReport& r) { std::printf("%s\n", zarnath::TurnLine(r).c_str()); });
  if (!result.loadError.empty()) {
    std::fprintf(stderr, "zarnath-sim: cannot load \"%s\": %s\n", o.loadFrom.c_str(),
                 result.loadError.c_str());
    return 2;
  }
  if (!result.broken.empty()) std::printf("broken: %s\n", result.broken.c_str());
  std::printf("%s\n", zarnath::ResultLine(result).c_str());
  if (!result.saveError.empty()) {
    std::fprintf(stderr, "zarnath-sim: the game was not saved: %s\n", result.saveError.c_str());
    return 2;
  }
  if (o.saveAtTurn >= 0 && !result.saved) {
    std::fprintf(stderr, "zarnath-sim: turn %d was never resolved in this game; nothing saved\n",
                 o.saveAtTurn);
    return 2;
  }
  if (result.saved)
    std::fprintf(stderr, "zarnath-sim: saved the game after turn %d to \"%s\"\n", o.saveAtTurn,
                 o.saveTo.c_str());
  return result.broken.empty() ? 0 : 1;
}
