// zarnath-endgame: writes a saved game of human players set up for its last turns, for the checks
// that play the program to a conquest while a loser's fleet is still in flight.
//
//   zarnath-endgame [--players NAMES] [--conqueror SEAT] [--worlds W] [--seed N] [--turn T]
//                   [--landing L] FILE
//   zarnath-endgame --scores FILE
//
// The game is started as the setup window's Start starts a game of these players at one
// computer, then turned into its last turns: the conqueror holds every world but each other
// player's home world, which stands empty; 500 of the conqueror's ships reach each of those at the
// end of the file's turn, and each other player's last ship is on its way from its home world to
// world 0, where it lands at the end of turn T + L - 1. The file is written by the game's own save.
// --scores prints the rows of a high-score file, so that a check can read what a conquest wrote.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "../tool_args.h"
#include "engine/engine_flow.h"
#include "engine/save_load.h"
#include "headless/headless_ports.h"
#include "headless/last_worlds.h"
#include "model/game.h"
#include "model/setup_rules.h"
#include "model/state_check.h"
#include "net/lobby.h"
#include "persist/atomic_file.h"
#include "persist/high_scores.h"

namespace {

using namespace zarnath;

constexpr char kUsage[] =
    "usage: zarnath-endgame [--players NAMES] [--conqueror SEAT] [--worlds W] [--seed N] [--turn T]\n"
    "                       [--landing L] FILE\n"
    "       zarnath-endgame --scores FILE\n"
    "Writes to FILE a saved game of human players in its last turns: the conqueror holds every world\n"
    "but each other player's home world, which stands empty; 500 of the conqueror's ships reach each\n"
    "of those at the end of turn T, and each other player's last ship flies from its home world to\n"
    "world 0 and lands at the end of turn T + L - 1. After that landing the conqueror holds every\n"
    "world with no foreign object in flight: the game's conquest comes as turn T + L begins.\n"
    "Turns count from 0, the game's first turn (year 1.00); the file opens at turn T.\n"
    "  --players NAMES  two to four names separated by commas, one a seat from seat 0 on\n"
    "                   (default Ann,Bob); none may begin like a computer player's name\n"
    "  --conqueror SEAT the seat that takes the last worlds, 0 to the last seat (default 0)\n"
    "  --worlds W       worlds of the star system, 9 to 30 (default 12); as in the setup window, two,\n"
    "                   three or four players need at least 10, 11 or 12\n"
    "  --seed N         seeds the star system's random numbers, 0 to 2^64 - 1 (default 5)\n"
    "  --turn T         the turn the file opens at, 0 to 1000 (default 10)\n"
    "  --landing L      turns the other players' last ships fly, 2 to 20 (default 5)\n"
    "  --help           shows this text\n"
    "Exit status: 0 when FILE was written, 2 for wrong options or a game that could not be saved.\n"
    "zarnath-endgame --scores FILE prints the rows of the high-score file FILE (\"Score130\"), the\n"
    "best first, one line each: \"score R rating=X name=NAME turns=T worlds=W production=P class=C\n"
    "ships=S date=D\" (the fields as the high-score window shows them); empty rows are left out.\n";

int Usage(const std::string& why) {
  std::fprintf(stderr, "zarnath-endgame: %s\n%s", why.c_str(), kUsage);
  return 2;
}

using zarnath::tools::ParseInt;

std::vector<std::string> SplitNames(std::string_view text) {
  std::vector<std::string> names;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    names.emplace_back(text.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) return names;
    start = comma + 1;
  }
}

struct Options {
  std::vector<std::string> players{"Ann", "Bob"};
  int conqueror = 0;
  int worlds = 12;
  uint64_t seed = 5;
  int turn = 10;
  int landing = 5;
  std::string file;
};

// The rows of a high-score file, one line each; 2 when it cannot be read.
int PrintScores(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    std::fprintf(stderr, "zarnath-endgame: cannot read \"%s\"\n", path.c_str());
    return 2;
  }
  constexpr const char* kFields[kHighScoreFields] = {"rating",     "name",  "turns", "worlds",
                                                     "production", "class", "ships", "date"};
  const HighScoreTable table = ReadHighScoreText(bytes);
  for (int r = 0; r < kHighScoreRows; ++r) {
    const HighScoreEntry& row = table[static_cast<size_t>(r)];
    if (IsEmptyRow(row)) continue;
    std::string line = "score " + std::to_string(r);
    for (int f = 0; f < kHighScoreFields; ++f) {
      const std::string& text = row[static_cast<size_t>(f)];
      const size_t first = text.find_first_not_of(' ');
      const size_t last = text.find_last_not_of(' ');
      line += std::string(" ") + kFields[f] + "=" +
              (first == std::string::npos ? std::string() : text.substr(first, last - first + 1));
    }
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

// The game of the options, started as the setup window starts it, turned into its last turns and
// saved; the reason when it could not be.
std::string WriteEndgame(const Options& o) {
  HeadlessPorts ports;
  ports.recording = false;
  EngineFlow flow;
  Game g{Ports{ports, ports, ports, flow}};
  flow.Attach(g);
  g.random.Seed(o.seed);
  g.cosmetic.Seed(o.seed * 7919u + 1u);

  // The setup window's Start keeps the first player's defaults in the program folder: here a
  // scratch folder that goes again.
  std::error_code error;
  std::string scratch = (std::filesystem::temp_directory_path(error) / "zarnath-endgame-XXXXXX").string();
  if (error) return "no scratch folder for the setup's defaults: " + error.message();
  if (::mkdtemp(scratch.data()) == nullptr)
    return "no scratch folder for the setup's defaults: " + std::string(std::strerror(errno));
  g.programFolder = scratch;

  NewSetupWindow(g);
  SetupLoadStart(g);
  // Each name as typed into its name box, which refuses a computer player's name.
  for (size_t seat = 0; seat < o.players.size(); ++seat) {
    if (NameEdited(g, static_cast<int>(seat), o.players[seat]) != NameEdit::kKept) {
      std::filesystem::remove_all(scratch, error);
      return "the setup window takes no \"" + o.players[seat] + "\" for seat " + std::to_string(seat);
    }
  }
  SetWorldBar(g, o.worlds);
  imgStart_Click(g);
  std::filesystem::remove_all(scratch, error);

  const int seats = static_cast<int>(o.players.size());
  for (int seat = 0; seat < seats; ++seat)
    if (g.PlayerName[static_cast<size_t>(seat)] != o.players[static_cast<size_t>(seat)])
      return "the game did not start with " + o.players[static_cast<size_t>(seat)] + " in seat " +
             std::to_string(seat);
  for (int t = 0; t < o.turn; ++t) g.GameYear += 0.05f;  // as each turn's end counts the year on
  SetUpLastWorlds(g, o.conqueror, seats, o.landing);
  if (const auto fault = CheckGameState(g)) return "the game breaks a rule of play: " + fault->Text();
  // SaveGame tells a failure in a message box: the headless ports record it.
  ports.recording = true;
  if (!SaveGame(g, o.file)) {
    std::string why = "the game was not saved";
    for (const std::string& call : ports.calls)
      if (call.rfind("MessageBox", 0) == 0) why = call;
    return why;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    uint64_t v = 0;
    if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--scores" && i == 1 && argc == 3) {
      return PrintScores(argv[2]);
    } else if (arg == "--scores") {
      return Usage("--scores takes a high-score file and no other option");
    } else if (arg == "--players" && hasValue) {
      o.players = SplitNames(argv[++i]);
      if (o.players.size() < 2 || o.players.size() > static_cast<size_t>(kSeats))
        return Usage("--players takes two to four names");
    } else if (arg == "--conqueror" && hasValue) {
      if (!ParseInt(argv[++i], 0, kSeats - 1, v)) return Usage("--conqueror takes a seat 0 to 3");
      o.conqueror = static_cast<int>(v);
    } else if (arg == "--worlds" && hasValue) {
      if (!ParseInt(argv[++i], 9, 30, v)) return Usage("--worlds takes 9 to 30");
      o.worlds = static_cast<int>(v);
    } else if (arg == "--seed" && hasValue) {
      if (!ParseInt(argv[++i], 0, UINT64_MAX, v)) return Usage("--seed takes a whole number 0 to 2^64 - 1");
      o.seed = v;
    } else if (arg == "--turn" && hasValue) {
      if (!ParseInt(argv[++i], 0, 1000, v)) return Usage("--turn takes 0 to 1000");
      o.turn = static_cast<int>(v);
    } else if (arg == "--landing" && hasValue) {
      if (!ParseInt(argv[++i], 2, 20, v)) return Usage("--landing takes 2 to 20");
      o.landing = static_cast<int>(v);
    } else if (!arg.empty() && arg[0] != '-' && o.file.empty()) {
      o.file = argv[i];
    } else {
      return Usage("unknown or incomplete option " + std::string(arg));
    }
  }
  if (o.file.empty()) return Usage("the file to write is needed");
  if (o.conqueror >= static_cast<int>(o.players.size()))
    return Usage("--conqueror takes one of the players' seats");
  for (const std::string& name : o.players) {
    if (name.empty()) return Usage("--players takes no empty name");
  }

  const std::string why = WriteEndgame(o);
  if (!why.empty()) {
    std::fprintf(stderr, "zarnath-endgame: %s\n", why.c_str());
    return 2;
  }
  std::fprintf(stderr, "zarnath-endgame: wrote \"%s\"\n", o.file.c_str());
  return 0;
}
