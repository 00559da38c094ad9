// The orbit step as the window shows it.
#include "engine/turn.h"
#include "model/game.h"
#include "model/orbit_step.h"

namespace zarnath {

void GalaxyRotate(Game& g) {
  GameWindowState& w = g.window;
  g.ProxFrom = -1;
  w.txtGame.Text.clear();
  w.txtMove.Text.clear();
  w.ProximityDialogVisible = false;
  w.lblPlanet.Visible = false;
  w.SideControlsVisible = false;
  w.PanelLabelsVisible = false;
  const std::string yearLine = YearLine(g);
  w.Caption = "Zarnath - " + yearLine;
  g.io.screen.Refresh(Control::kWindow);
  w.WorldLabelsVisible = false;

  const int ticks = OrbitTickCount(g);
  const SlotsInFlight inFlight = SlotsInUse(g);
  for (int tick = 1; tick <= ticks; ++tick) {
    const int64_t tickStart = g.SpeedGame ? 0 : g.io.platform.NowMs();
    OrbitTick(g, inFlight);
    // A speed game skips the animation; the full redraw below shows the outcome. A frame lasts
    // 50 ms from its start, so drawing it does not slow the orbits down.
    if (!g.SpeedGame) {
      g.io.screen.DrawOrbitTick();
      g.io.screen.DrawDestinationMarks();
      g.io.platform.PauseUntil(tickStart + 50);
    }
  }

  w.txtMove.Visible = false;
  w.txtMove.Text = yearLine;
  LogYear(g, yearLine);
  w.txtMove.Text.clear();
  if (g.SpeedGame) g.io.screen.GalaxyDraw();
  w.PanelLabelsVisible = true;
}

}  // namespace zarnath
