// zarnath-watch: plays one seeded game between computer players in the game window, with every
// animation, through the program's own window, engine flow and desktop timers, then exits. It
// shows that the rules and the window fit together and makes the pictures for the README.
//
//   zarnath-watch [--seed N] [--worlds W] [--seats A,B,C,D] [--speed] [--max-turns T]
//                 [--radar on|off|unlimited] [--screenshot-at TURN FILE] [--battle-shot FILE]
//                 [--quick-pauses] [--help]
//
// Each seat is a computer level 1 to 6 or "-" for an empty seat; seat 0 must be filled. The radar
// is unlimited unless asked otherwise, so the computers' fleets show in flight. --screenshot-at
// saves the window at the 13th of the 26 orbit ticks that end turn TURN - 1 and begin turn TURN
// (at the first repaint once that end of turn is resolved in a speed game, which has no ticks); --battle-shot
// saves it once the first battle has fired a few shots. --quick-pauses shows every pause's picture without
// waiting (a check that the window and the rules play a whole game together, quickly). The game is set up as
// the setup window sets it up, so it plays as `zarnath-sim` plays the same seed. The last line reads "result:
// winner=<seat or none> victory=<conquest|none> turns=<n>". Exit status: 0 when the game ran, 2 for wrong
// options, a screenshot that was not written or a program that ended itself (a screen too small).
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTimer>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../tool_args.h"
#include "engine/game_start.h"
#include "engine/menu_state.h"
#include "model/numbers.h"
#include "model/setup_rules.h"
#include "net/lobby.h"
#include "shell/desktop_platform.h"
#include "shell/game_program.h"
#include "view/program_folder.h"

namespace {

struct Options {
  uint64_t seed = 1;
  int worlds = 30;
  std::array<int, zarnath::kSeats> levels{6, 6, 6, 6};
  bool speed = false;
  bool quickPauses = false;
  int maxTurns = 400;
  int radar = 2;
  int shotTurn = -1;
  std::string shotFile, battleFile;
};

using zarnath::tools::ParseInt;

bool ParseSeats(std::string_view text, Options& o) {
  o.levels.fill(0);
  size_t seat = 0, start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    const std::string_view item = text.substr(start, comma == std::string_view::npos ? comma : comma - start);
    uint64_t level = 0;
    if (seat >= o.levels.size()) return false;
    if (item != "-" && !ParseInt(item, 1, 6, level)) return false;
    o.levels[seat++] = static_cast<int>(level);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return o.levels[0] != 0;
}

constexpr char kUsage[] =
    "usage: zarnath-watch [--seed N] [--worlds 9..30] [--seats A,B,C,D] [--speed] [--max-turns T]\n"
    "                     [--radar on|off|unlimited] [--screenshot-at TURN FILE] [--battle-shot FILE]\n"
    "                     [--quick-pauses]\n"
    "Plays one seeded game between computer players in the game window, with every animation, and\n"
    "exits. Turns count from 0, the game's first turn (year 1.00); the end of each turn turns the\n"
    "orbits in 26 ticks of 50 ms.\n"
    "  --seed N                   seeds the game's random numbers, 0 to 2^64 - 1 (default 1)\n"
    "  --worlds W                 worlds of the star system, 9 to 30 (default 30)\n"
    "  --seats A,B,C,D            each seat a computer level 1..6 or - for an empty seat; seat 0\n"
    "                             must be filled (default 6,6,6,6)\n"
    "  --speed                    plays a speed game (no orbit animation)\n"
    "  --max-turns T              stops when turn T begins (default 400)\n"
    "  --radar on|off|unlimited   the home worlds' radar (default unlimited: every fleet in flight\n"
    "                             shows)\n"
    "  --screenshot-at TURN FILE  saves the window as a picture to FILE at the 13th of the 26 orbit\n"
    "                             ticks that end turn TURN - 1 and begin turn TURN (TURN 1 or more:\n"
    "                             --screenshot-at 1 shows the orbits halfway through the end of the\n"
    "                             first turn). A speed game has no ticks: the window is saved at its\n"
    "                             first repaint once the end of turn TURN - 1 is resolved.\n"
    "  --battle-shot FILE         saves the window once the first battle has fired a few shots\n"
    "  --quick-pauses             shows each pause's picture without waiting\n"
    "  --help                     shows this text\n"
    "The last line reads \"result: winner=<seat or none> victory=<conquest|none> turns=<n>\".\n"
    "Exit status: 0 when the game ran, 2 for wrong options, a picture that was not written or a\n"
    "program that ended itself (the game window needs a screen of 1024 x 768 or more).\n";

int Usage(const char* why) {
  std::fprintf(stderr, "zarnath-watch: %s\n%s", why, kUsage);
  return 2;
}

// The desktop platform; with quick pauses every pause shows what was drawn and goes on at once.
struct QuickPauses : zarnath::DesktopPlatform {
  bool quick = false;
  void Pause(int ms) override { DesktopPlatform::Pause(quick ? 0 : ms); }
  void PauseUntil(int64_t untilMs) override {
    if (quick)
      DesktopPlatform::Pause(0);
    else
      DesktopPlatform::PauseUntil(untilMs);
  }
};

bool Save(QWidget& window, const std::string& file) {
  const bool ok = window.grab().toImage().save(QString::fromStdString(file));
  std::fprintf(stderr, ok ? "zarnath-watch: saved %s\n" : "zarnath-watch: could not write %s\n",
               file.c_str());
  return ok;
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
    } else if (arg == "--speed") {
      o.speed = true;
    } else if (arg == "--quick-pauses") {
      o.quickPauses = true;
    } else if (arg == "--seed" && hasValue) {
      if (!ParseInt(argv[++i], 0, UINT64_MAX, v)) return Usage("--seed takes a whole number 0 to 2^64 - 1");
      o.seed = v;
    } else if (arg == "--worlds" && hasValue) {
      if (!ParseInt(argv[++i], 9, 30, v)) return Usage("--worlds takes 9 to 30");
      o.worlds = static_cast<int>(v);
    } else if (arg == "--max-turns" && hasValue) {
      if (!ParseInt(argv[++i], 1, 100000, v)) return Usage("--max-turns takes 1 to 100000");
      o.maxTurns = static_cast<int>(v);
    } else if (arg == "--seats" && hasValue) {
      if (!ParseSeats(argv[++i], o)) return Usage("--seats takes up to four of 1..6 or -, the first filled");
    } else if (arg == "--radar" && hasValue) {
      const std::string_view r = argv[++i];
      o.radar = r == "on" ? 0 : r == "off" ? 1 : r == "unlimited" ? 2 : -1;
      if (o.radar < 0) return Usage("--radar takes on, off or unlimited");
    } else if (arg == "--screenshot-at" && i + 2 < argc) {
      if (!ParseInt(argv[++i], 1, 100000, v))
        return Usage("--screenshot-at takes a turn 1 to 100000 and a file");
      o.shotTurn = static_cast<int>(v);
      o.shotFile = argv[++i];
    } else if (arg == "--battle-shot" && hasValue) {
      o.battleFile = argv[++i];
    } else {
      return Usage(("unknown or incomplete option " + std::string(arg)).c_str());
    }
  }

  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setQuitOnLastWindowClosed(false);
  zarnath::SetProgramFolder(QStringLiteral(ZARNATH_WATCH_PROGRAM_DIR));

  QuickPauses platform;
  platform.quick = o.quickPauses;
  platform.scripted = platform.muted = true;  // boxes answered Ok or Yes, no sound
  zarnath::GameProgram program(platform);
  // The program ends itself at once where it cannot play (a screen too small for the game window):
  // a watch that played nothing is no success.
  program.window.onEndProgram = [&platform] {
    const std::string why = platform.boxes.empty() ? std::string() : platform.boxes.back().text;
    std::fprintf(stderr, "zarnath-watch: the program ended itself: %s\n", why.c_str());
    std::fflush(nullptr);
    std::_Exit(2);
  };
  zarnath::Game& g = program.game;
  g.programFolder = QDir::tempPath().toStdString();  // the defaults file of a watched game goes nowhere
  g.random.Seed(o.seed);
  g.cosmetic.Seed(o.seed * 7919u + 1u);
  for (size_t level = 0; level < 6; ++level) g.CpuName[level] = zarnath::kCpuNames[level];
  // The game the setup window makes for these seats and worlds, as the game runner makes it.
  zarnath::SetUpComputerGame(g, o.levels, o.worlds);
  g.setup.OptRadar = {o.radar == 0, o.radar == 1, o.radar == 2};

  int winner = -1, turns = 0, ticks = 0, tickTurn = -1;
  bool conquest = false, shotSaved = false, battleSaved = false, failed = false;
  auto finish = [&] {
    platform.SetTimer(zarnath::GameTimer::kAI, 0, false);
    platform.SetTimer(zarnath::GameTimer::kTurn, 0, false);
    QTimer::singleShot(0, &app, [] { QApplication::exit(0); });
  };
  program.flow.onHighScore = [&](const std::string& name, float, float, float, float, float) {
    for (int p = 0; p < zarnath::kSeats; ++p)
      if (g.PlayerName[static_cast<size_t>(p)] == name) winner = p;
    conquest = true;
  };
  program.window.onReturnToSetup = finish;
  program.window.onShowSetupWindow = finish;
  program.window.onOrbitTick = [&] {
    const int turn = zarnath::TurnNumber(g.GameYear);
    if (turn != tickTurn) tickTurn = turn, ticks = 0;
    if (++ticks == 13 && turn == o.shotTurn && !shotSaved && !o.shotFile.empty())
      failed |= !(shotSaved = Save(program.window, o.shotFile));
  };
  program.window.onRefresh = [&](zarnath::Control c) {
    const int turn = zarnath::TurnNumber(g.GameYear);
    if (o.speed && c == zarnath::Control::kWindow && turn == o.shotTurn && !shotSaved &&
        !o.shotFile.empty() && !g.InputBusy)
      failed |= !(shotSaved = Save(program.window, o.shotFile));
    const auto& b = g.BattleData;
    const bool fighting = !g.window.battle.Label[1].Caption.empty() && b[1][1] > 0 && b[2][1] > 0 &&
                          b[1][5] + b[2][5] <= (b[1][1] + b[2][1]) * 3 / 4;
    if (c == zarnath::Control::kBattleFrames && fighting && !battleSaved && !o.battleFile.empty())
      failed |= !(battleSaved = Save(program.window, o.battleFile));
    if (turn != turns) {
      turns = turn;
      std::printf("turn=%d\n", turn);
      std::fflush(stdout);
      if (turn >= o.maxTurns) finish();
    }
  };

  zarnath::imgStart_Click(g);
  if (o.speed) zarnath::SetSwitch(g, zarnath::Switch::kSpeed, true);
  if (!g.window.Visible) return Usage("the game did not start");
  QApplication::exec();
  std::printf("result: winner=%s victory=%s turns=%d\n",
              winner >= 0 ? std::to_string(winner).c_str() : "none", conquest ? "conquest" : "none", turns);
  if (!o.shotFile.empty() && !shotSaved)
    failed = true, std::fprintf(stderr, "zarnath-watch: no screenshot taken\n");
  if (!o.battleFile.empty() && !battleSaved)
    failed = true, std::fprintf(stderr, "zarnath-watch: no battle seen for the screenshot\n");
  return failed ? 2 : 0;
}
