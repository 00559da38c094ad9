// The program's game: the desktop platform, the game window and the setup window as its screen
// and the engine's flow, with the computer player's turn and the two game timers wired to the
// engine; the save and load dialogs and the high-score window are the flow's autosave and
// high-score steps, and Ctrl+S on the game window saves. The network is still a stand-in that
// does nothing.
#pragma once

#include "engine/engine_flow.h"
#include "model/game.h"
#include "shell/game_dialogs.h"
#include "shell/pending_network.h"
#include "shell/setup_screen.h"
#include "view/galaxy_window.h"

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
  GameDialogs dialogs;
  Game game;
};

}  // namespace zarnath
