#include "engine/game_window.h"

#include "model/data_set.h"
#include "model/game.h"
#include "model/view_geometry.h"

namespace zarnath {

bool FormSetup(Game& g) {
  // Every way into a game lays the window out here: the records hold another game from now on.
  ++g.GameNumber;
  g.window.Visible = true;
  const int innerWidth = g.io.screen.ShowGameWindow();
  if (innerWidth <= 1000) {
    g.io.platform.MessageBox(
        "Please Run At 1024 x 768 Or Higher Screen Resolution!\r\n"
        "Right-Click On Desktop, Then Select Properties, Then Settings",
        "Zarnath", Buttons::kOk);
    g.io.screen.EndProgram();
    return false;
  }
  SetGalaxyGeometry(g);
  g.SelectedFrom = g.SelectedTo = -1;
  // A former game's home-world italics go with it, at a new game and at a load alike; the new
  // game's seats set their own.
  g.window.lblNameItalic.fill(false);
  return true;
}

void ClearGame(Game& g) {
  // The link goes first, so that nothing a closed link forgets marks the cleared game.
  g.io.net.CloseSocket(0);
  DataSet(g);
}

}  // namespace zarnath
