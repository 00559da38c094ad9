#include "model/orbit_step.h"

#include <cmath>

#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"

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
  const std::string yearLine = "Year " + YearText(g.GameYear) + ", Turn #" + TurnText(g.GameYear);
  w.Caption = "Zarnath - " + yearLine;
  g.io.screen.Refresh(Control::kWindow);
  w.WorldLabelsVisible = false;

  const int ticks = static_cast<int>(std::nearbyint(g.WorldRadius[8] * 4.0 * 0.05));
  for (int tick = 1; tick <= ticks; ++tick) {
    for (int k = 0; k < g.WorldCount; ++k) {
      g.WorldAngle[k] = static_cast<float>(static_cast<double>(g.WorldAngle[k]) + g.WorldAngularSpeed[k]);
      if (g.WorldAngle[k] > kTwoPi) g.WorldAngle[k] = static_cast<float>(g.WorldAngle[k] - kTwoPi);
    }
    for (int s = 0; s < kUsedFleetSlots; ++s) {
      if (g.FleetFrom[s] == 0 || !(g.FleetTimeLeft[s] > 0)) continue;
      g.FleetTimeLeft[s] -= 1.0 / kTicksPerYear;
      if (g.FleetTimeLeft[s] < 1e-8) g.FleetTimeLeft[s] = 0;
    }
    if (!g.SpeedGame) g.io.screen.DrawOrbitTick();
    g.io.screen.DrawDestinationMarks();
    if (!g.SpeedGame) g.io.platform.Pause(50);
  }

  w.txtMove.Visible = false;
  w.txtMove.Text = yearLine;
  for (int p = 0; p < kSeats; ++p)
    if (!g.PlayerName[p].empty() && IsHumanSeat(g, p)) g.PlayerLog[p] += "\r\n" + yearLine;
  w.txtMove.Text.clear();
  if (g.SpeedGame) g.io.screen.GalaxyDraw();
  w.PanelLabelsVisible = true;
}

}  // namespace zarnath
