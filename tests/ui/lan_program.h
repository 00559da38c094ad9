// Programs of a LAN game on the offscreen platform, each on its own copy of the program folder,
// talking over real sockets on the loopback address.
#pragma once

#include <QHostAddress>
#include <string>

#include "net/lobby.h"
#include "shell/game_program.h"
#include "ui_fixture.h"

namespace zarnath::testing {

// One program of a LAN game: its desktop platform (boxes answered by a script, sounds muted).
struct LanProgram {
  LanProgram(bool host, const char* name) {
    platform.scripted = platform.muted = true;
    g.programFolder = folder.dir.path().toStdString();
    g.setup.OptServerClient0 = host;
    g.Role = host ? NetRole::kHost : NetRole::kClient;
    g.setup.chkLan = 1;
    g.setup.txtPL[0] = name;
  }
  ~LanProgram() {
    for (GameTimer t : {GameTimer::kAI, GameTimer::kTurn, GameTimer::kStepsWaiting})
      platform.SetTimer(t, 0, false);
    program.network.CloseAll();
  }
  LanProgram(const LanProgram&) = delete;
  LanProgram& operator=(const LanProgram&) = delete;

  ProgramFolderCopy folder;
  DesktopPlatform platform;
  GameProgram program{platform};
  Game& g = program.game;
};

// Ann hosts, Bob joins her over loopback, and she starts a game of `worlds` worlds; true once both
// windows are open on it.
inline bool StartLanGame(LanProgram& ann, LanProgram& bob, int worlds = 12) {
  Game& h = ann.g;
  QString error;
  if (!ann.program.network.Listen(0, &error, QHostAddress::LocalHost)) return false;
  bob.program.network.Connect(QStringLiteral("127.0.0.1"), ann.program.network.ListeningPort());
  if (!QTest::qWaitFor([&] { return h.setup.txtPL[1] == "Bob"; }, 10000)) return false;
  h.random.Seed(5);
  h.setup.txtPlanets = std::to_string(worlds);
  imgStart_Click(h);
  return QTest::qWaitFor([&] { return bob.g.window.Visible && !bob.g.InputBusy && bob.g.GameYear == 1.0f; },
                         10000);
}

}  // namespace zarnath::testing
