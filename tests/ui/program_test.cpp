// The program's game on the offscreen platform: the real game window, the engine's flow and the
// desktop timers play a game between four computer players through the event loop.
#include "ai/computer_turn.h"
#include "engine/game_start.h"
#include "model/numbers.h"
#include "net/lobby.h"
#include "shell/game_program.h"
#include "ui_fixture.h"

namespace zarnath::testing {

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void fourComputersPlayThroughTheEventLoop() {
    ProgramFolderCopy folder;
    DesktopPlatform platform;
    platform.scripted = platform.muted = true;
    GameProgram program(platform);
    Game& g = program.game;
    g.programFolder = folder.dir.path().toStdString();
    g.random.Seed(7);
    for (int level = 1; level <= 6; ++level)
      g.CpuName[static_cast<size_t>(level - 1)] = kCpuNames[static_cast<size_t>(level - 1)];
    for (int p = 0; p < kSeats; ++p) {
      const size_t i = static_cast<size_t>(p);
      g.setup.txtPL[i] = kCpuNames[i + 2];
      g.setup.chkAI[i] = 1;
      g.setup.txtAI[i] = std::to_string(p + 3);
    }
    g.setup.txtPlanets = "16";
    int computerTurns = 0, launched = 0;
    program.flow.onComputerTurn = [&] {
      ++computerTurns;
      ComputerTurn(g);
      for (int s = 0; s < kUsedFleetSlots; ++s) launched += g.FleetFrom[static_cast<size_t>(s)] != 0;
    };

    imgStart_Click(g);
    QVERIFY(program.window.isVisible());
    QCOMPARE(program.window.size(), QSize(1018, 693));
    g.SpeedGame = true;  // no animation pauses: the turns resolve quickly
    const QImage atStart = program.window.canvas().image().copy();
    // Computers move, turns resolve and the view changes, all from the event loop's timers.
    QTRY_VERIFY_WITH_TIMEOUT(TurnNumber(g.GameYear) >= 4 || g.GameOver, 90000);
    QVERIFY(computerTurns >= 4);
    QVERIFY(launched > 0);
    QVERIFY(program.window.canvas().image() != atStart);
    QVERIFY(program.window.paints() > 0);
    QVERIFY(program.window.windowTitle().startsWith(QStringLiteral("Zarnath - Year ")));
    platform.SetTimer(GameTimer::kAI, 0, false);
    platform.SetTimer(GameTimer::kTurn, 0, false);
  }
};

ZARNATH_UI_SUITE(ProgramTest, {"program", 1024, 96});

}  // namespace zarnath::testing

#include "program_test.moc"
