// The program's game: the desktop platform, the game window (with its controls) and the setup
// window as its screen and the engine's flow, with the computer player's turn and the two game
// timers wired to the engine, and the game's sockets with the receiver of the game protocol; the
// save and load dialogs and the high-score window are the flow's autosave and high-score steps,
// and Ctrl+S on the game window saves.
#pragma once

#include "engine/engine_flow.h"
#include "model/game.h"
#include "net/net_session.h"
#include "net/socket_network.h"
#include "shell/game_dialogs.h"
#include "shell/online_lobby.h"
#include "shell/setup_screen.h"
#include "view/galaxy_window.h"
#include "window/window_controls.h"

namespace zarnath {

class DesktopPlatform;

struct GameProgram {
  explicit GameProgram(DesktopPlatform& platform);
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
  // The internet box, the server table and the master server's services.
  OnlineLobby online;
};

}  // namespace zarnath
