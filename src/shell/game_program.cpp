#include "shell/game_program.h"

#include "ai/computer_turn.h"
#include "engine/turn.h"
#include "shell/desktop_platform.h"
#include "shell/title_window.h"

namespace zarnath {

GameProgram::GameProgram(DesktopPlatform& p) : platform(p), game(Ports{platform, screen, network, flow}) {
  flow.Attach(game);
  setupWindows.Attach(game);
  window.Attach(game);
  flow.onComputerTurn = [this] { ComputerTurn(game); };
  platform.SetTimerHandler(GameTimer::kAI, [this] { tmrAI_Timer(game); });
  platform.SetTimerHandler(GameTimer::kTurn, [this] { tmrTurn_Timer(game); });
  window.onEndProgram = EndProgramNow;
  // The player colours, until the setup window's load sets them.
  game.PlayerColor = kPlayerColors;
}

}  // namespace zarnath
