// The program's game: the desktop platform, the game window (with its controls) and the setup
// window as its screen and the engine's flow, with the computer player's turn and the two game timers wired
// to the engine. The network is still a stand-in that does nothing.
#pragma once

#include "engine/engine_flow.h"
#include "model/game.h"
#include "shell/pending_network.h"
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
  PendingNetwork network;
  EngineFlow flow;
  Game game;
  // The game window's buttons, side panes, panels, popups and dialogs.
  WindowControls controls{window, game, platform};
};

}  // namespace zarnath
