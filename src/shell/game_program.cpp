#include "shell/game_program.h"

#include <QCoreApplication>

#include "ai/computer_turn.h"
#include "engine/turn.h"
#include "net/full_state.h"
#include "net/game_port.h"
#include "net/lobby.h"
#include "net/online_setup.h"
#include "shell/about_box.h"
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
  flow.onGalaxySync = [this] { GalaxySync(game); };
  platform.SetTimerHandler(GameTimer::kAI, [this] { ComputerDoneTick(game); });
  platform.SetTimerHandler(GameTimer::kTurn, [this] { TurnTimerTick(game); });
  platform.SetTimerHandler(GameTimer::kStepsWaiting, [this] { RunWaitingSteps(game); });
  // A new state that waited for a step's yields is taken once they have ended.
  platform.onYieldsEnded = [this] { network.YieldsEnded(); };
  window.onEndProgram = EndProgramNow;
  setupWindows.onCreated = [this](SetupWindow& w) { online.Attach(w); };
  // The lobby's timers: the full lobby's countdown, the join time-out and the wait for a new
  // connection's name.
  platform.SetTimerHandler(GameTimer::kLobbyStart, [this] { tmrStart_Timer(game); });
  platform.SetTimerHandler(GameTimer::kClientJoin, [this] { tmrClient_Timer(game); });
  // The internet lobby's timers: the host's republishing and the joining player's list refresh.
  platform.SetTimerHandler(GameTimer::kServerRepublish, [this] { tmrServer_Timer(game); });
  platform.SetTimerHandler(GameTimer::kServerRefresh, [this] { tmrConnect_Timer(game); });
  network.onStopLobbyTimers = [this] {
    platform.SetTimer(GameTimer::kClientJoin, 15000, false);
    platform.SetTimer(GameTimer::kServerRepublish, 60000, false);
  };
  online.openAddress = [this](const std::string& address) { platform.OpenAddress(address); };
  platform.SetTimerHandler(GameTimer::kNameWait, [this] { tmrNameWait_Timer(game); });
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
  // Minimising a network game's window takes its save and load dialogs off the screen.
  controls.onHideFileDialogs = [this] { dialogs.HideFileDialogs(); };
  controls.onShowHelp = [this] {
    platform.ShowHelp(QString::fromLatin1(kHelpFileName), QString::fromLatin1(kHelpTitle));
  };
  WireMenus();
  WireChat();
  window.onMouseMove = [this](double x, double y) { hover.MouseMove(x, y); };
  window.onEscape = [this] {
    const HoverOutcome out = hover.Escape();
    return out.hideInfo || out.hideMenu;
  };
  // The player colours, until the setup window's load sets them.
  game.PlayerColor = kPlayerColors;
}

GameProgram::~GameProgram() = default;

void GameProgram::WireMenus() {
  MenuHooks& h = menuBar.hooks;
  h.showSaveDialog = [this] { dialogs.mnuFileSave_Click(); };
  h.showLoadDialog = [this] { dialogs.mnuFileLoad_Click(); };
  h.showHighScores = [this] { dialogs.mnuInfoHigh_Click(); };
  h.showFleetPaths = [this] { window.FleetPathsDraw(-1); };
  h.labelsButton = [this] { controls.ImgLabels_Click(); };
  h.showHelp = [this] {
    platform.ShowHelp(QString::fromLatin1(kHelpFileName), QString::fromLatin1(kHelpTitle));
  };
  h.showAbout = [this] {
    if (!about) about = std::make_unique<AboutBox>(game);
    // Centred over the game window, from whose Help menu it was opened.
    QRect place = about->frameGeometry();
    place.moveCenter(window.frameGeometry().center());
    about->move(place.topLeft());
    about->show();
    about->raise();
    about->activateWindow();
    // The box is painted before the menu's pause: a blocked thread would leave it unpainted.
    WaitUntilOnScreen(about.get());
    about->repaint();
  };
  h.openAddress = [this](const std::string& address) { platform.OpenAddress(address); };
  menuBar.onCommand = [this](int code) { controls.RunMenuCommand(code); };
  // The menus show the game's state at every refresh of the window, after the other controls.
  auto controlsSync = window.onSync;
  window.onSync = [this, controlsSync] {
    if (controlsSync) controlsSync();
    menuBar.Sync();
    chat.Sync();
  };
}

void GameProgram::WireChat() {
  // Send rests locked while the chat's lock runs: pressed, it neither dents nor clicks.
  chat.sendButton = controls.button(MainButton::kSend);
  controls.onChatSend = [this] { chat.ImgSend_Click(); };
  platform.SetTimerHandler(GameTimer::kChatLock, [this] { chat.tmrMessage_Timer(); });
  window.onFocusChat = [this] { chat.FocusEntry(); };
}

}  // namespace zarnath
