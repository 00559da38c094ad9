// The program's game: the desktop platform, the game window as its screen and the engine's
// flow, with the computer player's turn and the two game timers wired to the engine. The setup
// window and the network still come from the recording stand-in until they exist.
#pragma once

#include "engine/engine_flow.h"
#include "model/game.h"
#include "model/headless_ports.h"
#include "view/galaxy_window.h"

namespace zarnath {

class DesktopPlatform;

struct GameProgram {
  explicit GameProgram(DesktopPlatform& platform);
  GameProgram(const GameProgram&) = delete;
  GameProgram& operator=(const GameProgram&) = delete;

  DesktopPlatform& platform;
  GalaxyWindow window;
  HeadlessPorts pending;  // the network, until it is wired in
  EngineFlow flow;
  Game game;
};

}  // namespace zarnath
