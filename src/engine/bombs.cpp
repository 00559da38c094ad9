// Proximity bombs, pulse bombs and the ring animations around a world.
#include <cmath>

#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/events.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

constexpr double kProximityRange = 20.0;
constexpr double kPulseReach = 80.0;

bool WorldInPlay(const GameState& g, int w) {
  return w >= 0 && w < g.WorldCount && w < kMaxWorlds;
}

int BombWorld(const GameState& g, int prox) {
  return static_cast<int>(std::nearbyint(g.ProxBombWorld[static_cast<size_t>(prox)]));
}

// The range of a proximity bomb: a dotted ellipse of 20 orbit units about a world's pixel point.
void DrawRange(Game& g, ViewPoint at, double colour) {
  g.io.screen.DrawCircle(at.x, at.y, kProximityRange * g.GalaxyScaleX, colour,
                         g.GalaxyScaleY / g.GalaxyScaleX, 1, 2);
}

}  // namespace

bool ProximityFires(const GameState& g, int j, int k) {
  if (j < 0 || j >= kUsedFleetSlots || k < 0 || k >= kUsedBombSlots) return false;
  const size_t s = static_cast<size_t>(j);
  const int o = g.FleetFrom[s] - 1, d = g.FleetTo[s] - 1, b = BombWorld(g, k);
  if (!WorldInPlay(g, o) || !WorldInPlay(g, d) || !WorldInPlay(g, b)) return false;
  const float ships = g.FleetShips[s];
  if (!(ships >= g.ProxBombThreshold[static_cast<size_t>(k)] || ships > kMaxFleetShips)) return false;

  const size_t oi = static_cast<size_t>(o), di = static_cast<size_t>(d), bi = static_cast<size_t>(b);
  const double trip = g.FleetTripTime[s];
  const double a = g.FleetAngleParam[s];
  const double rFrom = g.WorldRadius[oi];
  const double dR = rFrom - g.WorldRadius[di];
  const double fuel = g.WorldType[oi] == kTypeFuel ? 2.0 : 1.0;
  double span = trip * kTicksPerYear - 1.0;
  if (span == 0.0) span = 1.0;
  for (int sample = 10; sample >= 0; --sample) {
    // The object's elapsed ticks sample/10 of a turn ago; both worlds as they stood
    // (10 - sample)/10 of a turn ago.
    const double t = g.FleetTimeLeft[s] + sample * 0.005;
    const double n = static_cast<float>((trip - t) * kTicksPerYear);
    const double back = (10 - sample) / 10.0;
    const double angle = g.WorldAngle[oi] - g.WorldAngularSpeed[oi] * kTicksPerYear * 0.05 * back +
                         fuel * a * n * g.WorldRadius[kHomeWorld0] / (rFrom * kTicksPerYear);
    const double radius = rFrom - n * dR / span;
    const double bombAngle = g.WorldAngle[bi] - g.WorldAngularSpeed[bi] * kTicksPerYear * 0.05 * back;
    const double dx = radius * std::cos(angle) - g.WorldRadius[bi] * std::cos(bombAngle);
    const double dy = radius * std::sin(angle) - g.WorldRadius[bi] * std::sin(bombAngle);
    if (std::sqrt(dy * dy + dx * dx) <= kProximityRange) return true;
  }
  return false;
}

bool WithinPulseReach(const GameState& g, int slot, int world) {
  if (!SlotInPlay(g, slot) || !WorldInPlay(g, world)) return false;
  const PathPoint p = FleetPointNow(g, slot);
  const size_t w = static_cast<size_t>(world);
  const double dx = p.x - g.WorldRadius[w] * std::cos(g.WorldAngle[w]);
  const double dy = p.y - g.WorldRadius[w] * std::sin(g.WorldAngle[w]);
  return std::sqrt(dx * dx + dy * dy) <= kPulseReach;
}

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

void ProximitySet(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1, o = g.FleetOwner[s];
  const float threshold = g.FleetShips[s] - kProximityBombBase;
  int k = -1;
  for (int i = 0; i < kUsedBombSlots; ++i)
    if (g.ProxBombOwner[static_cast<size_t>(i)] < 1) {
      k = i;
      break;
    }
  if (k >= 0) {
    g.ProxBombOwner[static_cast<size_t>(k)] = static_cast<int16_t>(o);
    g.ProxBombWorld[static_cast<size_t>(k)] = static_cast<float>(w);
    g.ProxBombThreshold[static_cast<size_t>(k)] = threshold;
  }

  const bool shown = OwnerShown(g, o);
  if (shown) {
    const std::string& world = g.WorldName[static_cast<size_t>(w)];
    if (k >= 0) {
      ShowNotice(g, OwnerColour(g, o),
                 "- A Proximity Bomb With a Threshold of" + Str(threshold) + " Ships Was Set On World " +
                     world + " -");
      LogTo(g, o - 1, g.window.txtGame.Text);
      HistoryTo(g, o - 1, w,
                EventPrefix(g) + ": A Proximity Bomb With a Threshold of" + Str(threshold) +
                    " Ships Was Set On World " + world);
      // The owner's earlier bombs on this world push the mark left, right, below and above it.
      int m = 0;
      for (int i = 0; i < k; ++i)
        if (g.ProxBombWorld[static_cast<size_t>(i)] == g.ProxBombWorld[static_cast<size_t>(k)] &&
            g.ProxBombOwner[static_cast<size_t>(i)] == g.ProxBombOwner[static_cast<size_t>(k)])
          ++m;
      static constexpr int kDx[] = {-20, 20, 0, 0}, kDy[] = {0, 0, 20, -20};
      const double dx = m < 4 ? kDx[m] : 0, dy = m < 4 ? kDy[m] : 0;
      const double c = OwnerColour(g, o);
      const ViewPoint at = WorldPixel(g, w);
      g.io.screen.DrawCircle(at.x, at.y, 13, c, 1, 3, 0);
      DrawRange(g, at, c);
      g.io.screen.DrawBlob(at.x + dx * g.GalaxyScaleX, at.y + dy * g.GalaxyScaleY, kBlackColor, c);
    } else {
      // Every bomb slot is armed: the bomb is lost, and the owner is told so.
      ShowNotice(g, OwnerColour(g, o),
                 "- A Proximity Bomb Could Not Be Set On World " + world + ", All Bomb Slots Are In Use -");
      LogTo(g, o - 1, g.window.txtGame.Text);
      HistoryTo(g, o - 1, w,
                EventPrefix(g) + ": A Proximity Bomb Could Not Be Set On World " + world +
                    ", All Bomb Slots Are In Use ");
    }
    g.io.screen.Refresh(Control::kWindow);
    EventSound(g, "reinforcements.wav");
    g.io.platform.Pause(1000);
  }
  FinishArrival(g, slot, shown);
}

void Proximity(Game& g, int slot, int prox) {
  if (!SlotInPlay(g, slot) || prox < 0 || prox >= kUsedBombSlots) return;
  const size_t s = static_cast<size_t>(slot), k = static_cast<size_t>(prox);
  const int b = BombWorld(g, prox);
  if (!WorldInPlay(g, b)) return;
  const int q = g.ProxBombOwner[k], o = g.FleetOwner[s], w = g.FleetTo[s] - 1;
  const float n = g.FleetShips[s];

  const ViewPoint at = WorldPixel(g, b);
  DrawRange(g, at, OwnerColour(g, q));
  g.io.screen.DrawBlob(at.x - kProximityRange * g.GalaxyScaleX, at.y, OwnerColour(g, q), kBlackColor);
  WorldUp(g, slot);

  const std::string& victim = OwnerName(g, o);
  const std::string& bombWorld = g.WorldName[static_cast<size_t>(b)];
  std::string notice, event;
  if (n < kAnnihilationBomb) {
    notice =
        "- A Proximity Bomb On World " + bombWorld + " Destroyed" + Str(n) + " Ships From " + victim + " -";
    event = " Destroyed" + Str(n) + " Ships From " + victim;
  } else {
    notice = "- A Proximity Bomb On World " + bombWorld + " Destroyed A Bomb From " + victim + " -";
    event = " Destroyed A Traveling Bomb From " + victim;
  }
  g.window.txtGame.ForeColor = OwnerColour(g, o);
  g.window.txtGame.Text = notice;
  LogTo(g, o - 1, notice);
  LogTo(g, q - 1, notice);
  const std::string line = EventPrefix(g) + ": A Proximity Bomb Set By " + OwnerName(g, q) + " On World " +
                           g.WorldName[static_cast<size_t>(w)] + event + " ";
  HistoryTo(g, o - 1, w, line);
  HistoryTo(g, q - 1, w, line);
  g.io.screen.Refresh(Control::kTxtGame);
  g.ProxBombOwner[k] = 0;
  g.ProxBombWorld[k] = 0;
  g.ProxBombThreshold[k] = 0;

  g.io.screen.Refresh(Control::kWindow);
  EventSound(g, "bomb.wav");
  WorldDown(g, slot);
  g.io.screen.GalaxyDraw();
  DataClear(g, slot);
  if (SideListsFollowEvents(g)) g.io.screen.Console();
  ClearNotice(g);
}

void PulseBomb(Game& g, int world) {
  if (world < kHomeWorld0 || world >= kHomeWorld0 + kSeats || !WorldInPlay(g, world)) return;
  const size_t W = static_cast<size_t>(world);
  const double c = OwnerColour(g, g.WorldOwner[W]);
  const ViewPoint at = WorldPixel(g, world);

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
    g.io.screen.GalaxyDraw();
    g.io.screen.DrawCircle(at.x, at.y, (d + 20) * g.GalaxyScaleX, c, g.GalaxyScaleY / g.GalaxyScaleX, 3, 2);
    g.io.screen.DrawBlob(at.x, at.y, c, kBlackColor);
    g.io.screen.Refresh(Control::kWindow);
  }
  EventSound(g, "pulse.wav");
  g.LabelIndex = 0;

  const int q = g.WorldOwner[W];
  const std::string& worldName = g.WorldName[W];
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    const size_t s = static_cast<size_t>(j);
    if (g.FleetFrom[s] == 0 || g.FleetOwner[s] == g.WorldOwner[W]) continue;
    if (static_cast<float>(g.FleetTimeLeft[s]) == g.FleetTripTime[s]) continue;  // not moved yet
    if (g.setup.OptRadar[1] || !WithinPulseReach(g, j, world)) continue;

    const float n = g.FleetShips[s];
    const int o = g.FleetOwner[s];
    const ViewPoint u = FleetUnscaledNow(g, j);
    const ViewPoint px = ToPixel(g, u);
    if (n == kScout)
      g.io.screen.DrawStarMark(px.x, px.y, OwnerColour(g, o), kBlackColor);
    else if (n < kAnnihilationBomb)
      g.io.screen.DrawShipDots(px.x, px.y, OwnerColour(g, o), kBlackColor, ShipDotsFor(n), 3);
    else
      g.io.screen.DrawBlob(px.x, px.y, OwnerColour(g, o), kBlackColor);
    g.RadarAlert = true;
    if (n > 0 && n < kAnnihilationBomb) g.io.screen.ShowLabels(j, u.x, u.y);

    const std::string& owner = OwnerName(g, o);
    std::string notice, t, v;
    if (n == kScout) {
      notice = "- A Scout From " + owner + " Was Destroyed By A Pulse Bomb On World " + worldName + " -";
      t = ": A Scout From ";
      v = " Was Destroyed By A Pulse Bomb On World ";
    } else if (n < kAnnihilationBomb) {
      notice = "-" + Str(n) + " Ships From " + owner + " Were Destroyed By A Pulse Bomb On World " +
               worldName + " -";
      t = ":" + Str(n) + " Ships From ";
      v = " Were Destroyed By A Pulse Bomb On World ";
    } else {
      notice = "- A Bomb From " + owner + " Was Destroyed By A Pulse Bomb On World " + worldName + " -";
      t = ": A Bomb From ";
      v = " Was Destroyed By A Pulse Bomb On World ";
    }
    g.window.txtGame.ForeColor = OwnerColour(g, o);
    g.window.txtGame.Text = notice;
    LogTo(g, o - 1, notice);
    LogTo(g, q - 1, notice);
    const std::string line = EventPrefix(g) + t + owner + v + worldName + " ";
    HistoryTo(g, q - 1, world, line);
    HistoryTo(g, o - 1, world, line);
    g.io.screen.Refresh(Control::kTxtGame);
    g.io.screen.Refresh(Control::kWindow);
    EventSound(g, "pulsegot.wav");
    g.io.platform.Pause(1000);
    DataClear(g, j);
  }

  g.io.platform.Pause(2000);
  g.io.screen.GalaxyDraw();
  g.WorldType[W] = g.WorldType[W] == kTypeArmedPulseFuel ? kTypeFuel : kTypeNothing;
}

}  // namespace zarnath
