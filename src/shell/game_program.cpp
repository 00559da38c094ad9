#include "shell/game_program.h"

#include "ai/computer_turn.h"
#include "engine/turn.h"
#include "net/game_port.h"
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
  // A LAN host listens from the moment its boxes say so; a client joins the address it typed.
  setupWindows.onNetworkBoxes = [this] {
    if (game.setup.chkLan == 1 && game.setup.OptServerClient0) {
      QString error;
      if (!network.Listening() && !network.Listen(GamePort(), &error))
        platform.MessageBox(error.toLatin1().toStdString(), "Zarnath Error", Buttons::kOk);
    } else {
      network.CloseAll();
    }
  };
  network.onConnectToHost = [this] {
    network.Connect(QString::fromLatin1(game.setup.txtIP.c_str()), GamePort());
  };
  // The player colours, until the setup window's load sets them.
  game.PlayerColor = kPlayerColors;
}

}  // namespace zarnath
