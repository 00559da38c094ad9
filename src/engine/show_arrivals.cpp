// The show of arrivals and bombs: notices, marks on the map, rings, sounds and pauses.
#include <cmath>

#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/show_steps.h"
#include "engine/turn_show.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/view_geometry.h"

namespace zarnath {
namespace {

constexpr double kProximityRange = 20.0;
constexpr double kOliveColor = 16448.0;  // &H4040: the centre of a scout's mark

// The range of a proximity bomb: a dotted ellipse of 20 orbit units about a world's pixel point.
void DrawRange(Game& g, ViewPoint at, double colour) {
  g.io.screen.DrawCircle(at.x, at.y, kProximityRange * g.GalaxyScaleX, colour,
                         g.GalaxyScaleY / g.GalaxyScaleX, 1, 2);
}

int BombWorldOf(const GameState& g, int bomb) {
  return static_cast<int>(std::nearbyint(g.ProxBombWorld[static_cast<size_t>(bomb)]));
}

}  // namespace

void WorldUp(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const int d = g.FleetTo[static_cast<size_t>(slot)] - 1;
  const ViewPoint at = ToPixel(g, WorldUnscaled(g, d));
  for (int k = 13; k <= 15; ++k) {
    g.io.screen.DrawCircle(at.x, at.y, k + 3, OwnerColour(g, g.FleetOwner[static_cast<size_t>(slot)]), 1, 2,
                           0);
    g.io.screen.DrawCircle(at.x, at.y, k, OwnerColour(g, g.WorldOwner[static_cast<size_t>(d)]), 1, 2, 0);
    g.io.screen.DrawCircle(at.x, at.y, k - 3, kBlackColor, 1, 2, 0);
    g.io.screen.Refresh(Control::kWindow);
    if (!g.SpeedGame) g.io.platform.Pause(100);
  }
}

void WorldDown(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const int d = g.FleetTo[static_cast<size_t>(slot)] - 1;
  const ViewPoint at = ToPixel(g, WorldUnscaled(g, d));
  const int style = g.WorldOwner[static_cast<size_t>(d)] > 0 ? 0 : 2;
  for (int k = 15; k >= 13; --k) {
    g.io.screen.DrawCircle(at.x, at.y, k + 3, kBlackColor, 1, 2, style);
    g.io.screen.DrawCircle(at.x, at.y, k, OwnerColour(g, g.WorldOwner[static_cast<size_t>(d)]), 1, 2, style);
    g.io.screen.Refresh(Control::kWindow);
    if (!g.SpeedGame) g.io.platform.Pause(100);
  }
}

namespace show {

void Shown(Game& g, const ReinforcementsArrived& e) {
  g.window.txtMove.Visible = true;
  if (!e.shown) return;
  const size_t s = static_cast<size_t>(e.slot);
  const int w = g.FleetTo[s] - 1, o = g.FleetOwner[s];
  const size_t wi = static_cast<size_t>(w);
  const ViewPoint at = WorldPixel(g, w);
  const double worldColour = OwnerColour(g, g.WorldOwner[wi]);
  const bool homeWorld = w >= kHomeWorld0 && w < kHomeWorld0 + kSeats;
  ShowNotice(g, OwnerColour(g, o), e.notice);
  if (g.FleetShips[s] < kAnnihilationBomb) {
    const float n = g.FleetShips[s];
    const bool namedHome = homeWorld && !g.PlayerName[static_cast<size_t>(w - kHomeWorld0)].empty();
    g.io.screen.ShowShipsLabel("+ " + StrTrim(n), at.x, at.y, namedHome ? 21 : 18, worldColour);
    if (!homeWorld) g.io.screen.DrawCircle(at.x, at.y, 14, worldColour, 1, 3, 0);
    g.io.screen.DrawShipDots(at.x, at.y, OwnerColour(g, o), kBlackColor, ShipDotsFor(n), 3);
  } else {
    g.io.screen.Refresh(Control::kWindow);
    g.io.screen.DrawCircle(at.x, at.y, 14, worldColour, 1, 3, 0);
    g.io.screen.DrawBlob(at.x, at.y, OwnerColour(g, o), kBlackColor);
    g.io.screen.Refresh(Control::kWindow);
  }
}

void Shown(Game& g, const ReinforcementsJoined& e) {
  if (!e.shown) return;
  g.io.screen.Refresh(Control::kWindow);
  EventSound(g, "reinforcements.wav");
  g.io.platform.Pause(1000);
  // The label stays in view through the pause.
  g.io.screen.HideShipsLabel();
}

void Shown(Game& g, const ScoutReported& e) {
  if (!e.shown) return;
  const size_t s = static_cast<size_t>(e.slot);
  const int w = g.FleetTo[s] - 1, o = g.FleetOwner[s];
  ShowNotice(g, OwnerColour(g, o), e.notice);
  g.io.screen.Refresh(Control::kWindow);
  const ViewPoint at = WorldPixel(g, w);
  g.io.screen.DrawStarMark(at.x, at.y, OwnerColour(g, o), kOliveColor);
  g.io.screen.DrawCircle(at.x, at.y, 14, OwnerColour(g, g.WorldOwner[static_cast<size_t>(w)]), 1, 3, 2);
  g.io.screen.Refresh(Control::kWindow);
  EventSound(g, "scout.wav");
  g.io.platform.Pause(2000);
}

void Shown(Game& g, const ProximityBombPlanted& e) {
  if (!e.shown) return;
  const size_t s = static_cast<size_t>(e.slot);
  const int w = g.FleetTo[s] - 1, o = g.FleetOwner[s];
  ShowNotice(g, OwnerColour(g, o), e.notice);
  if (e.bomb >= 0) {
    // The owner's earlier bombs on this world push the mark left, right, below and above it.
    const size_t k = static_cast<size_t>(e.bomb);
    int m = 0;
    for (size_t i = 0; i < k; ++i)
      if (g.ProxBombWorld[i] == g.ProxBombWorld[k] && g.ProxBombOwner[i] == g.ProxBombOwner[k]) ++m;
    static constexpr int kDx[] = {-20, 20, 0, 0}, kDy[] = {0, 0, 20, -20};
    const double dx = m < 4 ? kDx[m] : 0, dy = m < 4 ? kDy[m] : 0;
    const double c = OwnerColour(g, o);
    const ViewPoint at = WorldPixel(g, w);
    g.io.screen.DrawCircle(at.x, at.y, 13, c, 1, 3, 0);
    DrawRange(g, at, c);
    g.io.screen.DrawBlob(at.x + dx * g.GalaxyScaleX, at.y + dy * g.GalaxyScaleY, kBlackColor, c);
  }
  g.io.screen.Refresh(Control::kWindow);
  EventSound(g, "reinforcements.wav");
  g.io.platform.Pause(1000);
}

void Shown(Game& g, const ArrivalFinished& e) {
  if (e.shown) {
    if (SideListsFollowEvents(g)) g.io.screen.Console();
    RedrawGalaxy(g);
  }
  ClearNotice(g);
}

void Shown(Game& g, const ProximityBombFired& e) {
  const size_t s = static_cast<size_t>(e.slot), k = static_cast<size_t>(e.bomb);
  const int q = g.ProxBombOwner[k], o = g.FleetOwner[s];
  const ViewPoint at = WorldPixel(g, BombWorldOf(g, e.bomb));
  DrawRange(g, at, OwnerColour(g, q));
  g.io.screen.DrawBlob(at.x - kProximityRange * g.GalaxyScaleX, at.y, OwnerColour(g, q), kBlackColor);
  WorldUp(g, e.slot);
  g.window.txtGame.ForeColor = OwnerColour(g, o);
  g.window.txtGame.Text = e.notice;
  g.io.screen.Refresh(Control::kTxtGame);
}

void Shown(Game& g, const ProximityBombSpent& e) {
  g.io.screen.Refresh(Control::kWindow);
  EventSound(g, "bomb.wav");
  WorldDown(g, e.slot);
  RedrawGalaxy(g);
}

void Shown(Game& g, const ObjectDestroyed&) {
  if (SideListsFollowEvents(g)) g.io.screen.Console();
  ClearNotice(g);
}

void Shown(Game& g, const PulseBombWentOff& e) {
  const size_t W = static_cast<size_t>(e.world);
  const double c = OwnerColour(g, g.WorldOwner[W]);
  const ViewPoint at = WorldPixel(g, e.world);
  g.io.screen.HideMapLabels();
  g.io.screen.DrawBlob(at.x, at.y, c, kBlackColor);
  for (int r = 13; r <= 15; ++r) {
    g.io.screen.DrawCircle(at.x, at.y, r, c, 1, 1, 0);
    g.io.screen.DrawCircle(at.x, at.y, r - 2, kBlackColor, 1, 1, 0);
    g.io.screen.Refresh(Control::kWindow);
    g.io.platform.Pause(100);
  }
  g.io.platform.Pause(500);
  for (int d = 0; d <= 60; d += 10) {
    RedrawGalaxy(g);
    g.io.screen.DrawCircle(at.x, at.y, (d + 20) * g.GalaxyScaleX, c, g.GalaxyScaleY / g.GalaxyScaleX, 3, 2);
    g.io.screen.DrawBlob(at.x, at.y, c, kBlackColor);
    g.io.screen.Refresh(Control::kWindow);
  }
  EventSound(g, "pulse.wav");
  g.LabelIndex = 0;
}

void Shown(Game& g, const ObjectPulsed& e) {
  const size_t s = static_cast<size_t>(e.slot);
  const float n = g.FleetShips[s];
  const int o = g.FleetOwner[s];
  const ViewPoint u = FleetUnscaledNow(g, e.slot);
  const ViewPoint px = ToPixel(g, u);
  if (n == kScout)
    g.io.screen.DrawStarMark(px.x, px.y, OwnerColour(g, o), kBlackColor);
  else if (n < kAnnihilationBomb)
    g.io.screen.DrawShipDots(px.x, px.y, OwnerColour(g, o), kBlackColor, ShipDotsFor(n), 3);
  else
    g.io.screen.DrawBlob(px.x, px.y, OwnerColour(g, o), kBlackColor);
  g.RadarAlert = true;
  if (n > 0 && n < kAnnihilationBomb) g.io.screen.ShowLabels(e.slot, u.x, u.y);
  g.window.txtGame.ForeColor = OwnerColour(g, o);
  g.window.txtGame.Text = e.notice;
  g.io.screen.Refresh(Control::kTxtGame);
  g.io.screen.Refresh(Control::kWindow);
  EventSound(g, "pulsegot.wav");
  g.io.platform.Pause(1000);
}

void Shown(Game& g, const PulseBombSpent&) {
  g.io.platform.Pause(2000);
  RedrawGalaxy(g);
}

}  // namespace show
}  // namespace zarnath
