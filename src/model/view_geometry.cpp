#include "model/view_geometry.h"

#include <cmath>

#include "model/game.h"
#include "model/travel_time.h"

namespace zarnath {

void SetGalaxyGeometry(GameState& g) {
  g.GalaxyCenterX = kCenterX;
  g.GalaxyCenterY = kCenterY;
  g.GalaxyScaleX = (static_cast<double>(g.GalaxyCenterX) + g.GalaxyCenterX) / 460.0;
  g.GalaxyScaleY = static_cast<double>(g.GalaxyCenterY) * 3.0 / 750.0;
}

ViewPoint WorldUnscaled(const GameState& g, int world) {
  const double r = g.WorldRadius[static_cast<size_t>(world)];
  const double a = g.WorldAngle[static_cast<size_t>(world)];
  return {g.GalaxyCenterX + r * std::cos(a), g.GalaxyCenterY + r * std::sin(a)};
}

ViewPoint ToPixel(const GameState& g, ViewPoint u) {
  return {(u.x - g.GalaxyCenterX) * g.GalaxyScaleX + g.GalaxyCenterX,
          (u.y - g.GalaxyCenterY) * g.GalaxyScaleY + g.GalaxyCenterY};
}

ViewPoint WorldPixel(const GameState& g, int world) {
  const double r = g.WorldRadius[static_cast<size_t>(world)];
  const double a = g.WorldAngle[static_cast<size_t>(world)];
  return {g.GalaxyCenterX + r * std::cos(a) * g.GalaxyScaleX,
          g.GalaxyCenterY + r * std::sin(a) * g.GalaxyScaleY};
}

PathPoint FleetPointNow(const GameState& g, int slot) {
  return FleetPathAt(g, slot, FleetTicksElapsed(g, slot));
}

ViewPoint FleetUnscaledNow(const GameState& g, int slot) {
  const PathPoint p = FleetPointNow(g, slot);
  return {p.x + g.GalaxyCenterX, p.y + g.GalaxyCenterY};
}

}  // namespace zarnath
