#include "commands/hover_feedback.h"

#include <algorithm>
#include <cmath>

#include "engine/event_notices.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/view_rules.h"

namespace zarnath {
namespace {

constexpr float kFleetReach = 5;     // px on both axes about a moving fleet
constexpr double kPanelMargin = 20;  // px the pointer may stray outside a panel or popup

size_t At(int i) {
  return static_cast<size_t>(i);
}

struct Centre {
  float x = 0, y = 0;
};

// A world's centre in pixels, as single-precision values.
Centre WorldCentre(const GameState& g, int w) {
  const double r = g.WorldRadius[At(w)], a = g.WorldAngle[At(w)];
  return {static_cast<float>(g.GalaxyCenterX + r * std::cos(a) * g.GalaxyScaleX),
          static_cast<float>(g.GalaxyCenterY + r * std::sin(a) * g.GalaxyScaleY)};
}

int WorldsInPlay(const GameState& g) {
  return std::min<int>(g.WorldCount, kMaxWorlds);
}

// The scan of the worlds: the last one accepted and the distance it was found at. A world is
// accepted inside the box of the current distance on both axes; the scan ends at one within 8 px.
struct Scan {
  int world = -1;
  float distance = 0;
};
Scan ScanWorlds(const GameState& g, float x, float y) {
  Scan scan;
  float reach = g.SelectedFrom == -1 ? 30.0f : 10.0f;
  for (int w = 0; w < WorldsInPlay(g); ++w) {
    const Centre c = WorldCentre(g, w);
    const float dx = x - c.x, dy = y - c.y;
    if (!(std::fabs(dx) < reach && std::fabs(dy) < reach)) continue;
    scan.world = w;
    reach = scan.distance =
        static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    if (reach <= 8) break;
  }
  return scan;
}

// Whether the pointer rests on a moving object of the current player.
bool RestingOnFleet(const GameState& g, float x, float y) {
  for (int s = 0; s < kUsedFleetSlots; ++s) {
    if (!SlotDrawable(g, s) || g.FleetOwner[At(s)] != g.CurrentPlayer + 1 || !FleetMoved(g, s)) continue;
    const int from = g.FleetFrom[At(s)] - 1, to = g.FleetTo[At(s)] - 1;
    const double rFrom = g.WorldRadius[At(from)], rTo = g.WorldRadius[At(to)];
    const double span = static_cast<double>(g.FleetTripTime[At(s)]) * kTicksPerYear - 1;
    if (rFrom == 0 || span == 0) continue;
    const double e = TicksTravelled(g, s);
    const double r = rFrom - e * (rFrom - rTo) / span;
    const double a = g.FleetAngleParam[At(s)] * (g.WorldType[At(from)] == kTypeFuel ? 2.0 : 1.0);
    const double angle =
        g.WorldAngle[At(from)] + e * a * g.WorldRadius[kHomeWorld0] / (rFrom * kTicksPerYear);
    const float fx = static_cast<float>(g.GalaxyCenterX + r * std::cos(angle) * g.GalaxyScaleX);
    const float fy = static_cast<float>(g.GalaxyCenterY + r * std::sin(angle) * g.GalaxyScaleY);
    if (std::fabs(x - fx) < kFleetReach && std::fabs(y - fy) < kFleetReach) return true;
  }
  return false;
}

bool FarOutside(const PanelBox& box, float x, float y) {
  return x < box.left - kPanelMargin || x > box.left + box.width + kPanelMargin ||
         y < box.top - kPanelMargin || y > box.top + box.height + kPanelMargin;
}

bool WorldLabelsOn(const GameState& g) {
  return g.WorldLabelsOn;
}

// The world panel closes and takes the announcement label with it.
void CloseInfo(Game& g, HoverOutcome& out) {
  out.hideInfo = true;
  g.window.lstInfoVisible = false;
  g.window.lblPlanet.Visible = false;
  out.clearHoverCaption = true;
}

// The travel options popup closes and its pair of worlds is dropped.
void CloseMenu(Game& g, HoverOutcome& out) {
  out.hideMenu = true;
  g.window.lstMenuVisible = false;
  g.SelectedFrom = g.SelectedTo = -1;
  out.clearHoverCaption = true;
  RedrawGalaxy(g);
  g.io.screen.Console();
}

}  // namespace

int HoveredWorld(const GameState& g, double x, double y) {
  const Scan scan = ScanWorlds(g, static_cast<float>(x), static_cast<float>(y));
  if (scan.world < 0) return -1;
  const float t = scan.distance;
  const bool hovered = (g.window.lstMenuVisible && t < 14) || (g.window.lstInfoVisible && t < 8) ||
                       (!g.window.lstInfoVisible && t <= 8);
  return hovered ? scan.world : -1;
}

std::string TreasureNews(const GameState& g) {
  int n = 0;
  for (int w = 0; w < WorldsInPlay(g); ++w)
    if (g.WorldType[At(w)] > 0 && g.WorldOwner[At(w)] == 0) ++n;
  if (n > 1) return " There Are Still" + Str(n) + " World Treasures To Be Found!";
  if (n == 1) return " There Is Still" + Str(n) + " World Treasure To Be Found!";
  return "";
}

std::string LeaderNews(const GameState& g, int kind) {
  static constexpr const char* kSuffix[] = {" Currently Owns The Most Worlds!",
                                            " Currently Has The Most Ships!",
                                            " Currently Has The Most Traveling Ships!"};
  if (kind < 1 || kind > 3) return "";
  float most = 0;
  std::string text;
  for (int p = 0; p < kSeats; ++p) {
    const std::string& name = g.PlayerName[At(p)];
    if (name.empty() || g.PlayerGone[At(p)]) continue;
    float worlds = 0, ships = 0, travelling = 0;
    for (int w = 0; w < WorldsInPlay(g); ++w) {
      if (g.WorldOwner[At(w)] != p + 1) continue;
      worlds += 1;
      ships += g.WorldShips[At(w)];
    }
    for (int s = 0; s < kUsedFleetSlots; ++s) {
      const float n = g.FleetShips[At(s)];
      if (g.FleetOwner[At(s)] != p + 1 || !(n < kAnnihilationBomb)) continue;
      travelling += n > 0 ? n : 1.0f;
    }
    const float value = kind == 1 ? worlds : kind == 2 ? ships : travelling;
    if (value > most) {
      text = " " + name + kSuffix[kind - 1];
      most = value;
    } else if (value == most) {
      text.clear();
    }
  }
  return text;
}

std::string NewsRoll(const GameState& g, RandomSource& cosmetic) {
  if (Int(cosmetic.Next() * 500.0) <= 498) return "";
  if (Int(cosmetic.Next() * 2.0) + 1 == 1) return TreasureNews(g);
  if (g.PlayerName[1].empty() && g.PlayerName[2].empty() && g.PlayerName[3].empty()) return "";
  return LeaderNews(g, static_cast<int>(Int(cosmetic.Next() * 3.0)) + 1);
}

HoverOutcome Form_MouseMove(Game& g, const HoverScene& scene, double px, double py) {
  HoverOutcome out;
  if (g.InputBusy) {
    out.busy = true;
    return out;
  }
  const float x = static_cast<float>(px), y = static_cast<float>(py);
  const int w = out.hovered = HoveredWorld(g, x, y);
  std::string hoverCaption = scene.hoverCaption;

  // Resting on a moving fleet holds the screen; leaving an overlay clears it.
  if (w < 0 && !g.window.lstInfoVisible && !g.HideFleets && g.SelectedFrom == -1) {
    if (RestingOnFleet(g, x, y)) {
      out.onFleet = true;
      return out;
    }
    if (g.OverlayDrawn) {
      g.OverlayDrawn = false;
      RedrawGalaxy(g);
      return out;
    }
  }

  // Panels the pointer has left close, and the labels it no longer points at go.
  if (w < 0) {
    if (g.window.lstInfoVisible && FarOutside(scene.info, x, y)) CloseInfo(g, out);
    if (g.window.lstMenuVisible && scene.menu.height > kPopupKeptHeight && FarOutside(scene.menu, x, y))
      CloseMenu(g, out);
    if (scene.hoverVisible) out.hideHoverLabel = out.clearHoverCaption = true;
    // An announcement of the name or distance displays (world 0's label holds at least its
    // 8-character name) stays up.
    if (g.window.lblPlanet.Visible && scene.worldLabel0.size() < 8) {
      g.window.lblPlanet.Visible = false;
      g.window.lblPlanet.Alignment = 0;
      out.resetPlanetColour = true;
      RedrawGalaxy(g);
    }
    if (out.clearHoverCaption) hoverCaption.clear();
  }

  // The rubber band from the selected source, over the galaxy only.
  const int source = g.SelectedFrom;
  if (y < kBelowGalaxyY && source > -1 && source < WorldsInPlay(g)) {
    const Centre s = WorldCentre(g, source);
    RubberBand& band = out.band;
    band.sx = s.x, band.sy = s.y;
    band.colour = OwnerColourOf(g, g.WorldOwner[At(source)]);
    const bool line = g.SelectedTo == -1 && !g.InputBusy;
    if (w < 0) {
      band.cleanFirst = g.SelectedTo == -1;
      band.rings = true;
      band.homeRings = NamedHomeWorld(g, source);
      band.line = line;
      band.tx = x, band.ty = y;
      band.repaint = true;
      out.drawBand = true;
      out.yieldAfterDrawing = !line;
      return out;
    }
    if (w == source || g.window.lstMenuVisible) return out;  // the band drawn before stays
    const Centre t = WorldCentre(g, w);
    band.cleanFirst = true;
    band.line = band.toWorld = line;
    band.tx = t.x, band.ty = t.y;
    band.targetColour = OwnerColourOf(g, g.WorldOwner[At(w)]);
    out.drawBand = true;
    out.yieldAfterDrawing = !line;
    out.hideHoverLabel = true;
    if (WorldLabelsOn(g)) {
      out.hideFirstShipsLabel = true;
      out.showLabel = w;
    }
    return out;
  }

  // The idle pointer names the world under it, or now and then tells some news.
  if (w >= 0 && g.SelectedFrom == -1 && !g.window.lstInfoVisible && !g.window.lblPlanet.Visible &&
      WorldLabelsOn(g) && scene.worldLabel0 != g.WorldName[0] && hoverCaption != g.WorldName[At(w)]) {
    out.showLabel = w;
    return out;
  }
  if (g.SelectedFrom == -1 && !g.TurnDone && g.TurnMinutesLeft > 1) {
    out.news = NewsRoll(g, g.cosmetic);
    if (!out.news.empty()) {
      ShowNotice(g, kNeutralColor, out.news);
      if (!g.SoundOff) g.io.platform.PlaySound("gameinfo.wav");
    }
  }
  return out;
}

HoverOutcome EscapeClosesPopups(Game& g) {
  HoverOutcome out;
  if (g.InputBusy) {
    out.busy = true;
    return out;
  }
  if (g.window.lstInfoVisible) CloseInfo(g, out);
  if (g.window.lstMenuVisible) CloseMenu(g, out);
  return out;
}

}  // namespace zarnath
