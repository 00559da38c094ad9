#include "model/orbit_step.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

// The seat of an owner code, -1 for nobody.
int SeatOf(int owner) {
  return owner >= 1 && owner <= kSeats ? owner - 1 : -1;
}

bool OwnerIsHuman(const GameState& g, int owner) {
  const int seat = SeatOf(owner);
  return seat >= 0 && IsHumanSeat(g, seat);
}

bool OwnObject(const GameState& g, int slot) {
  return g.FleetOwner[slot] == g.CurrentPlayer + 1;
}

// No other human plays at this computer: seats 1 to 3 are each empty or a computer player.
bool OnlyHumanIsSeatZero(const GameState& g) {
  for (int p = 1; p < kSeats; ++p)
    if (!g.PlayerName[p].empty() && IsHumanSeat(g, p)) return false;
  return true;
}

}  // namespace

bool OrbitTickShowsObject(const GameState& g, int slot) {
  if (g.HideFleets) return false;
  if (g.NetworkGame && OwnObject(g, slot)) return true;
  if (!g.NetworkGame && (OwnerIsHuman(g, g.FleetOwner[slot]) || g.FleetTimeLeft[slot] == 0)) return true;
  return g.setup.OptRadar[2];
}

bool OrbitTickShowsDestination(const GameState& g, int slot) {
  if (g.HideFleets || !OwnerIsHuman(g, g.FleetOwner[slot])) return false;
  return g.NetworkGame ? OwnObject(g, slot) : OnlyHumanIsSeatZero(g);
}

void GalaxyRotate(Game& g) {
  GameWindowState& w = g.window;
  g.ProxFrom = -1;
  w.txtGame.Text.clear();
  w.txtMove.Text.clear();
  w.ProximityDialogVisible = false;
  w.lblPlanet.Visible = false;
  w.SideControlsVisible = false;
  w.PanelLabelsVisible = false;
  // The shown year and turn come from the whole turn count, so they stay exact in long games.
  const std::string yearLine = "Year " + YearText(g.GameYear) + ", Turn #" + TurnText(g.GameYear);
  w.Caption = "Zarnath - " + yearLine;
  g.io.screen.Refresh(Control::kWindow);
  w.WorldLabelsVisible = false;

  const int worlds = std::min<int>(g.WorldCount, kMaxWorlds);
  const int ticks = static_cast<int>(std::nearbyint(g.WorldRadius[kHomeWorld0] * 4.0 * 0.05));
  // The slots in use stay in use while the worlds turn.
  std::array<int, kUsedFleetSlots> used;
  int usedCount = 0;
  for (int s = 0; s < kUsedFleetSlots; ++s)
    if (g.FleetFrom[s] != 0) used[static_cast<size_t>(usedCount++)] = s;
  for (int tick = 1; tick <= ticks; ++tick) {
    const int64_t tickStart = g.SpeedGame ? 0 : g.io.platform.NowMs();
    for (int k = 0; k < worlds; ++k) {
      g.WorldAngle[k] = static_cast<float>(static_cast<double>(g.WorldAngle[k]) + g.WorldAngularSpeed[k]);
      // Once a tick: a world drawn at just over 2 pi stands where it stands after the turn back.
      if (g.WorldAngle[k] > kTwoPi) g.WorldAngle[k] = static_cast<float>(g.WorldAngle[k] - kTwoPi);
    }
    for (int u = 0; u < usedCount; ++u) {
      const int s = used[static_cast<size_t>(u)];
      if (!(g.FleetTimeLeft[s] > 0)) continue;
      g.FleetTimeLeft[s] -= 1.0 / kTicksPerYear;
      if (g.FleetTimeLeft[s] < 1e-8) g.FleetTimeLeft[s] = 0;  // arrived
    }
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
  for (int p = 0; p < kSeats; ++p)
    if (!g.PlayerName[p].empty() && IsHumanSeat(g, p)) g.PlayerLog[p] += "\r\n" + yearLine;
  w.txtMove.Text.clear();
  if (g.SpeedGame) g.io.screen.GalaxyDraw();
  w.PanelLabelsVisible = true;
}

}  // namespace zarnath
