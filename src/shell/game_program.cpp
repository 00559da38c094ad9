#include "shell/game_program.h"

#include <QShortcut>
#include "ai/computer_turn.h"
#include "engine/turn.h"
#include "net/game_port.h"
#include "net/lobby.h"
#include "shell/desktop_platform.h"
#include "shell/high_score_window.h"
#include "shell/title_window.h"

namespace zarnath {

GameProgram::GameProgram(DesktopPlatform& p)
    : platform(p), game(Ports{platform, screen, network, flow}), online(game, platform, network) {
  flow.Attach(game);
  setupWindows.Attach(game);
  window.Attach(game);
  flow.onComputerTurn = [this] { ComputerTurn(game); };
  platform.SetTimerHandler(GameTimer::kAI, [this] { tmrAI_Timer(game); });
  platform.SetTimerHandler(GameTimer::kTurn, [this] { tmrTurn_Timer(game); });
  window.onEndProgram = EndProgramNow;
  setupWindows.onCreated = [this](SetupWindow& w) { online.Attach(w); };
  // The lobby's two timers: the full lobby's countdown and the join time-out.
  platform.SetTimerHandler(GameTimer::kLobbyStart, [this] { tmrStart_Timer(game); });
  platform.SetTimerHandler(GameTimer::kClientJoin, [this] { tmrClient_Timer(game); });
  network.gamePort = GamePort();
  network.onConnectToHost = [this] {
    network.Connect(QString::fromLatin1(game.setup.txtIP.c_str()), GamePort());
  };
  dialogs.Attach(game);
  flow.onAutoSave = [this] { dialogs.OfferAutoSave(); };
  flow.onHighScore = [this](const std::string& name, float rating, float ships, float production,
                            float worlds, float classSum) {
    dialogs.HighScore(name, rating, ships, production, worlds, classSum);
  };
  // The end of a won game takes the high-score window with the game window.
  window.onReturnToSetup = [this] { dialogs.DiscardHighScores(); };
  // File, "Save Game", until the game window has its menus; not while the File menu is locked.
  auto* save = new QShortcut(QKeySequence(QStringLiteral("Ctrl+S")), &window);
  QObject::connect(save, &QShortcut::activated, &window, [this] {
    if (game.menus.mnuFile.Enabled) dialogs.mnuFileSave_Click();
  });
  // The player colours, until the setup window's load sets them.
  game.PlayerColor = kPlayerColors;
}

}  // namespace zarnath
