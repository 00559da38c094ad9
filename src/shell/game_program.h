// The program's game: the desktop platform, the game window (with its controls) and the setup
// window as its screen and the engine's flow, with the computer player's turn and the two game
// timers wired to the engine, and the game's sockets with the receiver of the game protocol; the
// save and load dialogs and the high-score window are the flow's autosave and high-score steps;
// the window's menu bar, chat line and pointer feedback run through the rules.
#pragma once

#include <memory>
#include "engine/engine_flow.h"
#include "model/game.h"
#include "net/net_session.h"
#include "net/socket_network.h"
#include "shell/desktop_platform.h"
#include "shell/game_dialogs.h"
#include "shell/online_lobby.h"
#include "shell/setup_screen.h"
#include "view/galaxy_window.h"
#include "window/chat_line.h"
#include "window/game_menu_bar.h"
#include "window/hover_view.h"
#include "window/window_controls.h"

namespace zarnath {

class AboutBox;

struct GameProgram {
  explicit GameProgram(DesktopPlatform& platform);
  ~GameProgram();
  GameProgram(const GameProgram&) = delete;
  GameProgram& operator=(const GameProgram&) = delete;

  DesktopPlatform& platform;
  GalaxyWindow window;
  SetupWindows setupWindows;
  SetupScreen screen{window, setupWindows};
  SocketNetwork network;
  EngineFlow flow;
  GameDialogs dialogs;
  Game game;
  NetSession session{game};
  // The game window's buttons, side panes, panels, popups and dialogs.
  WindowControls controls{window, game, platform};
  // The menu bar (File, Information, Options, Help; the Command menu hidden), the chat and the
  // pointer's feedback over the galaxy.
  GameMenuBar menuBar{&window, game};
  ChatLine chat{&window, game};
  HoverView hover{window, controls, game};
  std::unique_ptr<AboutBox> about;
  // The internet box, the server table and the master server's services.
  OnlineLobby online;

 private:
  void WireMenus();
  void WireChat();
};

}  // namespace zarnath
