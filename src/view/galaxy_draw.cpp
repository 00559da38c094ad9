// The galaxy window's drawing: the full redraw, the light redraw, the orbit ticks, the objects in
// flight and their paths, and the map marks.
#include <QLabel>
#include <algorithm>
#include <array>
#include <cmath>

#include "model/game.h"
#include "model/orbit_step.h"
#include "view/galaxy_window.h"

namespace zarnath {

namespace {

size_t At(int i) {
  return static_cast<size_t>(i);
}

// Line styles as the rules pass them: 0 solid, 1 dashed, 2 dotted.
LineStyle StyleOf(int style) {
  return style == 1 ? LineStyle::kDash : style == 2 ? LineStyle::kDot : LineStyle::kSolid;
}

constexpr double kBarLeft = 280, kBarRight = 735, kBarTop = 476, kBarBottom = 484;

}  // namespace

// --- map marks ---

void GalaxyWindow::DrawBlob(double x, double y, double fillColour, double lineColour) {
  canvas_.fillStyle = FillStyle::kSolid;
  canvas_.fillColour = fillColour;
  for (auto [dx, dy] : {std::pair{-2, 2}, {-2, -2}, {2, 2}, {2, -2}, {0, 0}})
    canvas_.Circle(x + dx, y + dy, 3, lineColour);
  canvas_.fillStyle = FillStyle::kTransparent;
}

void GalaxyWindow::DrawStarMark(double x, double y, double colour, double centreColour) {
  canvas_.fillStyle = FillStyle::kSolid;
  canvas_.fillColour = colour;
  const double sx = game_ ? game_->GalaxyScaleX : 2.2130434782608694,
               sy = game_ ? game_->GalaxyScaleY : 0.824;
  canvas_.Circle(x, y, 5, colour, sy * 0.5 / sx);
  canvas_.Circle(x, y, 5, colour, sx / (sy * 0.5));
  canvas_.Circle(x, y, 2, centreColour);
  canvas_.fillStyle = FillStyle::kTransparent;
}

void GalaxyWindow::DrawShipDots(double x, double y, double fillColour, double lineColour, int count,
                                int size) {
  canvas_.fillStyle = FillStyle::kSolid;
  canvas_.fillColour = fillColour;
  if (count == 1) {
    canvas_.Circle(x, y, size, lineColour);
  } else if (count == 2) {
    canvas_.Circle(x - size, y, size, lineColour);
    canvas_.Circle(x + size, y, size, lineColour);
  } else {
    canvas_.Circle(x - size, y + size, size, lineColour);
    canvas_.Circle(x + size, y + size, size, lineColour);
    canvas_.Circle(x, y - size, size, lineColour);
  }
  canvas_.fillStyle = FillStyle::kTransparent;
}

void GalaxyWindow::DrawCrossMark(double x, double y, double fillColour, double lineColour) {
  canvas_.fillStyle = FillStyle::kSolid;
  canvas_.fillColour = fillColour;
  canvas_.lineStyle = LineStyle::kSolid;
  canvas_.Circle(x, y, 4, lineColour);
  canvas_.Line(x - 6, y, x + 6, y, lineColour);
  canvas_.Line(x, y - 6, x, y + 6, lineColour);
  canvas_.fillStyle = FillStyle::kTransparent;
}

void GalaxyWindow::DrawMark(double x, double y, const MarkShape& m, double first, double second) {
  switch (m.kind) {
    case MarkKind::kStar:
      DrawStarMark(x, y, first, second);
      break;
    case MarkKind::kDots:
      DrawShipDots(x, y, first, second, m.count, m.size);
      break;
    case MarkKind::kBlob:
      DrawBlob(x, y, first, second);
      break;
  }
}

void GalaxyWindow::DrawCircle(double x, double y, double radius, double colour, double aspect, int lineWidth,
                              int lineStyle) {
  canvas_.fillStyle = FillStyle::kTransparent;
  canvas_.lineWidth = lineWidth;
  canvas_.lineStyle = StyleOf(lineStyle);
  canvas_.Circle(x, y, radius, colour, aspect);
}

void GalaxyWindow::DrawStrengthBar(double split, double leftColour, double rightColour, bool divider) {
  if (!std::isfinite(split)) split = kBarLeft;
  split = std::clamp(split, kBarLeft, kBarRight);
  canvas_.Box(kBarLeft, kBarTop, split, kBarBottom, leftColour);
  canvas_.Box(kBarRight, kBarTop, split, kBarBottom, rightColour);
  canvas_.lineStyle = LineStyle::kSolid;
  if (divider) {
    canvas_.lineWidth = 3;
    canvas_.Line(split, 475, split, 485, kBlackColor);
  }
  canvas_.lineWidth = 2;
  for (int i = 0; i <= 40; ++i) {
    const double x = kBarLeft + i * 455.0 / 40;
    canvas_.Line(x, 475, x, 485, kBlackColor);
  }
  canvas_.lineWidth = 1;
}

// --- the star system ---

ViewSpot GalaxyWindow::Spot(int w) const {
  if (spotsKnown_ && w >= 0 && w < kMaxWorlds) return spots_[At(w)];
  return WorldScreenSpot(*game_, w);
}

void GalaxyWindow::KnowSpots() {
  spotsKnown_ = false;
  for (int w = 0; w < kMaxWorlds; ++w) spots_[At(w)] = WorldScreenSpot(*game_, w);
  spotsKnown_ = true;
}

void GalaxyWindow::DrawBackground() {
  const double cx = game_->GalaxyCenterX, cy = game_->GalaxyCenterY;
  const double sx = game_->GalaxyScaleX, sy = game_->GalaxyScaleY;
  // The guides and the sun depend on the geometry alone: drawn once for it, then copied.
  canvas_.ClearTo({cx, cy, sx, sy}, [&] {
    canvas_.lineWidth = 1;
    canvas_.fillStyle = FillStyle::kTransparent;
    canvas_.lineStyle = LineStyle::kSolid;
    for (int i = 1; i <= 9; ++i) canvas_.Circle(cx, cy, (20 * i + 30) * sx, kGuideGrey, sy / sx);
    canvas_.Sprite(sun_, sunMask_, cx - 25, cy - 25);
  });
  canvas_.lineWidth = 1;
  canvas_.fillStyle = FillStyle::kTransparent;
  canvas_.lineStyle = LineStyle::kSolid;
}

void GalaxyWindow::DrawWorldSprite(int w) {
  const ViewSpot p = Spot(w);
  canvas_.Sprite(sprite_[At(w)], spriteMask_[At(w)], p.x - 10, p.y - 10);
}

void GalaxyWindow::DrawOwnerRings(int w) {
  const GameState& g = *game_;
  const int owner = g.WorldOwner[At(w)];
  if (owner == 0) return;
  const ViewSpot p = Spot(w);
  canvas_.fillStyle = FillStyle::kTransparent;
  canvas_.Circle(p.x, p.y, 12, OwnerColourOf(g, owner));
  if (NamedHomeWorld(g, w)) {
    canvas_.Circle(p.x, p.y, 14, kWhiteColor);
    canvas_.Circle(p.x, p.y, 17, OwnerColourOf(g, owner));
  }
}

void GalaxyWindow::DrawCrosshair(double x, double y) {
  const double cyan = OwnerColourOf(*game_, 0);
  canvas_.lineWidth = 1;
  canvas_.Circle(x, y, 5, cyan);
  canvas_.Circle(x, y, 4, kBlackColor);
  canvas_.Circle(x, y, 10, cyan);
  canvas_.Circle(x, y, 9, kBlackColor);
  canvas_.Line(x - 14, y, x + 14, y, cyan);
  canvas_.Line(x - 14, y + 1, x + 14, y + 1, kBlackColor);
  canvas_.Line(x, y - 14, x, y + 14, cyan);
  canvas_.Line(x + 1, y - 14, x + 1, y + 14, kBlackColor);
}

void GalaxyWindow::DrawRadarFleet(const FleetSight& s) {
  const GameState& g = *game_;
  const int i = s.slot;
  const double owner = OwnerColourOf(g, g.FleetOwner[At(i)]);
  // Where the object was 1.3, 2.6, ... ticks ago: the same for every station that sees it.
  std::array<ViewSpot, 6> trail{};
  std::array<bool, 6> known{};
  auto trailPoint = [&](int j, double m) {
    if (!known[At(j)]) trail[At(j)] = FleetSpotAt(g, i, m), known[At(j)] = true;
    return trail[At(j)];
  };
  for (const Sighting& h : s.sightings) {
    const ViewSpot station = WorldOrbitSpot(g, h.home);
    canvas_.fillStyle = FillStyle::kTransparent;
    canvas_.lineStyle = LineStyle::kDot;
    if (h.inRange) {
      const ViewSpot hp = Spot(h.home);
      canvas_.Circle(hp.x, hp.y, kRadarRange * g.GalaxyScaleX, OwnerColourOf(g, g.CurrentPlayer + 1),
                     g.GalaxyScaleY / g.GalaxyScaleX);
    }
    canvas_.lineStyle = LineStyle::kSolid;
    ViewSpot previous = s.at;
    double colour = owner;
    for (int j = 1; j <= 5; ++j) {
      const double m = s.ticks - 1.3 * j;
      const ViewSpot point = trailPoint(j, m);
      if (OrbitDistance(point, station) < kRadarRange || RadarUnlimited(g)) {
        if (m <= 0) break;
        const ViewSpot a = ScreenSpot(g, point), b = ScreenSpot(g, previous);
        canvas_.TrailLine(a.x, a.y, b.x, b.y, colour);
        colour = NextDash(colour, owner, kTrailOlive);
      }
      previous = point;
    }
    const ViewSpot at = ScreenSpot(g, s.at);
    DrawMark(at.x, at.y, MarkFor(g.FleetShips[At(i)], 2), owner, kBlackColor);
    if (g.FleetShips[At(i)] > 0 && g.FleetShips[At(i)] < kAnnihilationBomb && h.inRange)
      ShowLabels(i, s.at.x, s.at.y);
  }
}

void GalaxyWindow::DrawFleetsFirstPass(const FleetScan& scan) {
  for (const FleetSight& s : scan.fleets) {
    if (s.ownRule) {
      if (s.drawn) FleetPosition(s.slot);
    } else {
      DrawRadarFleet(s);
    }
  }
}

void GalaxyWindow::DrawWorlds() {
  GameState& g = *game_;
  const int worlds = std::min<int>(g.WorldCount, kMaxWorlds);
  for (int w = 0; w < worlds; ++w) {
    QLabel* label = lblName_[At(w)];
    const int owner = g.WorldOwner[At(w)];
    // A ship label shown again keeps its place on screen until it is filled in anew; every other
    // world label goes, emptied.
    const bool shipLabel = owner > 0 && WorldShipLabelShown(g, w);
    if (!shipLabel) {
      label->hide();
      label->clear();
    }
    const ViewSpot p = Spot(w);
    DrawWorldSprite(w);
    canvas_.fillStyle = FillStyle::kTransparent;
    if (owner > 0) {
      canvas_.lineWidth = owner == g.CurrentPlayer + 1 && !g.InputBusy ? 2 : 1;
      DrawOwnerRings(w);
      if (shipLabel) {
        PlaceShipLabel(label, WorldShipLabelCaption(g, w), p.x, p.y, WorldShipLabelGap(g, w),
                       OwnerColourOf(g, owner));
        if (g.WorldBombs[At(w)] > 0) {
          canvas_.lineStyle = LineStyle::kSolid;
          canvas_.lineWidth = 1;
          DrawBlob(p.x, p.y, OwnerColourOf(g, owner), kTrailOlive);
        }
      }
    }
    if (CrosshairShown(g, w)) DrawCrosshair(p.x, p.y);
    if (ScoutCrossShown(g, w)) DrawCrossMark(p.x, p.y, OwnerColourOf(g, g.CurrentPlayer + 1), kBlackColor);
    canvas_.lineWidth = 1;
  }
}

void GalaxyWindow::DrawPlantedBombs() {
  GameState& g = *game_;
  canvas_.fillStyle = FillStyle::kTransparent;
  for (int j = 0; j < kUsedBombSlots; ++j) {
    const int owner = g.ProxBombOwner[At(j)];
    const int b = BombWorld(g, j);
    if (owner < 1 || b < 0) continue;
    const ViewSpot p = Spot(b);
    const int c = BombStackIndex(g, j);
    const ViewSpot off = BombOffset(c);
    const double bx = p.x + off.x * g.GalaxyScaleX, by = p.y + off.y * g.GalaxyScaleY;
    const double colour = OwnerColourOf(g, owner), aspect = g.GalaxyScaleY / g.GalaxyScaleX;
    if (owner == g.CurrentPlayer + 1) {
      if (!OwnBombShown(g)) continue;
      canvas_.fillStyle = FillStyle::kTransparent;
      canvas_.lineStyle = LineStyle::kDot;
      if (c == 0) canvas_.Circle(p.x, p.y, kBombTriggerRange * g.GalaxyScaleX, colour, aspect);
      canvas_.lineStyle = LineStyle::kSolid;
      DrawBlob(bx, by, kBlackColor, colour);
      continue;
    }
    if (!ForeignBombsShown(g)) continue;
    for (const Sighting& h : SightingsOf(g, WorldOrbitSpot(g, b))) {
      g.RadarAlert = true;
      canvas_.fillStyle = FillStyle::kTransparent;
      canvas_.lineStyle = LineStyle::kDot;
      if (g.setup.OptRadar[0]) {
        const ViewSpot hp = Spot(h.home);
        canvas_.Circle(hp.x, hp.y, kRadarRange * g.GalaxyScaleX, OwnerColourOf(g, g.CurrentPlayer + 1),
                       aspect);
      }
      canvas_.Circle(p.x, p.y, kBombTriggerRange * g.GalaxyScaleX, colour, aspect);
      canvas_.lineStyle = LineStyle::kSolid;
      DrawBlob(bx, by, kBlackColor, colour);
    }
  }
}

void GalaxyWindow::GalaxyDraw() {
  if (!game_) return;
  GameState& g = *game_;
  KnowSpots();
  const FleetScan scan = ScanFleets(g);
  // The floating labels go, but only those this redraw does not show again are hidden at its end:
  // hiding and showing a label again costs as much as the drawing.
  pendingHide_ = lblShips_;
  deferHide_ = true;
  // The window is repainted whole at the end: the labels moved, shown and hidden on the way need
  // no repaint bookkeeping of their own.
  const bool updates = updatesEnabled();
  setUpdatesEnabled(false);
  lblName_[30]->hide();
  DrawBackground();
  DrawFleetsFirstPass(scan);
  DrawWorlds();

  canvas_.fillStyle = FillStyle::kSolid;
  canvas_.lineStyle = LineStyle::kSolid;
  canvas_.fillColour = kBlackColor;
  for (int i = 0; i < kUsedFleetSlots; ++i) {
    const DestinationMark mark = DestinationMarkFor(g, i);
    if (mark == DestinationMark::kPosition) {
      FleetPosition(i);
    } else if (mark == DestinationMark::kMarker) {
      const ViewSpot p = Spot(g.FleetTo[At(i)] - 1);
      const double owner = OwnerColourOf(g, g.FleetOwner[At(i)]);
      const bool travelling = g.FleetTimeLeft[At(i)] > 0;
      DrawMark(p.x, p.y, MarkFor(g.FleetShips[At(i)], 2), travelling ? kBlackColor : owner,
               travelling ? owner : kBlackColor);
    }
  }

  g.window.txtGame.Text = RadarNotice(scan.radarCount, RadarOff(g));
  g.window.txtGame.ForeColor = OwnerColourOf(g, g.CurrentPlayer + 1);
  DrawPlantedBombs();
  canvas_.fillStyle = FillStyle::kTransparent;
  deferHide_ = false;
  for (QLabel* l : pendingHide_) l->hide();
  pendingHide_.clear();
  setUpdatesEnabled(updates);
  ForgetSpots();
  // The redraw shows the world labels again.
  g.window.WorldLabelsVisible = true;
  Refresh(Control::kWindow);
}

void GalaxyWindow::CleanGalaxy() {
  if (!game_) return;
  GameState& g = *game_;
  KnowSpots();
  for (QLabel* l : lblShips_) l->hide();
  const int worlds = std::min<int>(g.WorldCount, kMaxWorlds);
  for (int w = 0; w < worlds; ++w) lblName_[At(w)]->hide();
  DrawBackground();
  const int own = g.CurrentPlayer + 1;
  for (int w = 0; w < worlds; ++w) {
    const ViewSpot p = Spot(w);
    DrawWorldSprite(w);
    canvas_.lineWidth = g.WorldOwner[At(w)] == own ? 2 : 1;
    DrawOwnerRings(w);
    if (g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats && g.WorldMarked[At(g.CurrentPlayer)][At(w)])
      DrawCrosshair(p.x, p.y);
    canvas_.lineWidth = 1;
    if (CleanScoutCrossShown(g, w)) {
      canvas_.lineStyle = LineStyle::kSolid;
      DrawCrossMark(p.x, p.y, OwnerColourOf(g, own), kBlackColor);
    }
  }
  canvas_.fillStyle = FillStyle::kSolid;
  canvas_.lineStyle = LineStyle::kSolid;
  canvas_.fillColour = kBlackColor;
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    if (!SlotDrawable(g, j) || g.FleetOwner[At(j)] != own) continue;
    const ViewSpot p = Spot(g.FleetTo[At(j)] - 1);
    DrawMark(p.x, p.y, MarkFor(g.FleetShips[At(j)], 2), kBlackColor, OwnerColourOf(g, own));
  }
  canvas_.fillStyle = FillStyle::kTransparent;
  canvas_.lineStyle = LineStyle::kDash;
  ForgetSpots();
}

void GalaxyWindow::DrawOrbitTick() {
  if (!game_) return;
  const GameState& g = *game_;
  KnowSpots();
  DrawBackground();
  for (int w = 0; w < std::min<int>(g.WorldCount, kMaxWorlds); ++w) {
    DrawWorldSprite(w);
    DrawOwnerRings(w);
  }
  for (int s = 0; s < kUsedFleetSlots; ++s)
    if (SlotDrawable(g, s) && OrbitTickShowsObject(g, s)) FleetPosition(s);
  ForgetSpots();
}

void GalaxyWindow::DrawDestinationMarks() {
  if (!game_) return;
  const GameState& g = *game_;
  for (int s = 0; s < kUsedFleetSlots; ++s) {
    if (!SlotDrawable(g, s) || !OrbitTickShowsDestination(g, s)) continue;
    const ViewSpot p = Spot(g.FleetTo[At(s)] - 1);
    const double owner = OwnerColourOf(g, g.FleetOwner[At(s)]);
    const bool travelling = g.FleetTimeLeft[At(s)] > 0;
    DrawMark(p.x, p.y, MarkFor(g.FleetShips[At(s)], 2), travelling ? kBlackColor : owner,
             travelling ? owner : kBlackColor);
  }
  if (onOrbitTick) onOrbitTick();
}

// --- objects in flight ---

void GalaxyWindow::FleetPosition(int slot) {
  if (!game_) return;
  const GameState& g = *game_;
  canvas_.fillStyle = FillStyle::kSolid;
  canvas_.lineStyle = LineStyle::kSolid;
  canvas_.fillColour = kTrailOlive;
  const FleetShow show = FleetShowFor(g, slot);
  const double owner = OwnerColourOf(g, g.FleetOwner[At(slot)]);
  if (show == FleetShow::kArrivedRing) {
    const ViewSpot d = Spot(g.FleetTo[At(slot)] - 1);
    canvas_.fillStyle = FillStyle::kTransparent;
    canvas_.lineStyle = LineStyle::kDot;
    canvas_.Circle(d.x, d.y, 15, owner);
    canvas_.lineStyle = LineStyle::kSolid;
  } else if (show == FleetShow::kInFlight) {
    const double n = WholeTicksTravelled(g, slot);
    const ViewSpot here = ScreenSpot(g, FleetSpotAt(g, slot, n));
    const double other = DestinationDashColour(g, slot);
    double colour = owner;
    ViewSpot previous = here;
    for (double m : TrailTicks(n)) {
      const ViewSpot p = ScreenSpot(g, FleetSpotAt(g, slot, m));
      canvas_.TrailLine(previous.x, previous.y, p.x, p.y, colour);
      colour = NextDash(colour, owner, other);
      previous = p;
    }
    DrawMark(here.x, here.y, MarkFor(g.FleetShips[At(slot)], 3), owner, kBlackColor);
  }
  canvas_.fillStyle = FillStyle::kTransparent;
  canvas_.fillColour = 0;
}

void GalaxyWindow::FleetPathsDraw(int fleetNo) {
  if (!game_) return;
  GalaxyDraw();
  const GameState& g = *game_;
  const int first = fleetNo == -1 ? 0 : fleetNo - 1, last = fleetNo == -1 ? kUsedFleetSlots - 1 : fleetNo - 1;
  for (int s = std::max(first, 0); s <= std::min(last, kUsedFleetSlots - 1); ++s) {
    if (!SlotDrawable(g, s) || g.FleetOwner[At(s)] != g.CurrentPlayer + 1) continue;
    const int d = g.FleetTo[At(s)] - 1;
    const double e = TicksTravelled(g, s);
    const double L = g.FleetTimeLeft[At(s)];
    const double owner = OwnerColourOf(g, g.FleetOwner[At(s)]);
    const double destColour = OwnerColourOf(g, g.WorldOwner[At(d)]);
    auto destAt = [&](double ticksAhead) {
      const double a = g.WorldAngle[At(d)] + ticksAhead * g.WorldAngularSpeed[At(d)];
      return ViewSpot{g.GalaxyCenterX + g.WorldRadius[At(d)] * std::cos(a) * g.GalaxyScaleX,
                      g.GalaxyCenterY + g.WorldRadius[At(d)] * std::sin(a) * g.GalaxyScaleY};
    };
    const ViewSpot meet = destAt(L * 520);
    canvas_.fillStyle = FillStyle::kTransparent;
    canvas_.fillColour = 0;
    canvas_.lineStyle = LineStyle::kSolid;
    const double dash = DestinationDashColour(g, s);
    double pathColour = owner, orbitColour = destColour;
    ViewSpot prevP = meet, prevQ = meet;
    for (float tt : PathTicks(g, s)) {
      const ViewSpot p = ScreenSpot(g, FleetSpotAt(g, s, tt)), q = destAt(tt - e);
      canvas_.lineWidth = 1;
      canvas_.Line(prevP.x, prevP.y, p.x, p.y, pathColour);
      pathColour = NextDash(pathColour, owner, dash);
      canvas_.Line(prevQ.x, prevQ.y, q.x, q.y, orbitColour);
      orbitColour = orbitColour == destColour ? kBlackColor : destColour;
      prevP = p, prevQ = q;
    }
    canvas_.fillStyle = FillStyle::kSolid;
    canvas_.fillColour = owner;
    canvas_.Circle(meet.x, meet.y, 3, owner);
    if (g.HideFleets) {
      const ViewSpot now = Spot(d);
      canvas_.Circle(now.x, now.y, 13, destColour);
      DrawMark(prevP.x, prevP.y, MarkFor(g.FleetShips[At(s)], 3), owner, kBlackColor);
    }
    canvas_.fillStyle = FillStyle::kTransparent;
  }
  Show(Control::kWindow);
}

}  // namespace zarnath
