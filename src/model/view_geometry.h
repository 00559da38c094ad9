// The galaxy window's geometry: where the sun sits and how orbit units become pixels.
#pragma once

#include "model/travel_time.h"

namespace zarnath {
struct GameState;

inline constexpr float kCenterX = 509.0f;  // 1018 / 2
inline constexpr float kCenterY = 206.0f;  // 693 / 3 - 25

// The geometry of the laid-out game window: the sun's pixel and the scales of the orbit units.
void SetGalaxyGeometry(GameState& g);

// A point in unscaled view coordinates (orbit units about the sun's pixel) or in pixels.
struct ViewPoint {
  double x = 0;
  double y = 0;
};
ViewPoint WorldUnscaled(const GameState& g, int world);
ViewPoint WorldPixel(const GameState& g, int world);
ViewPoint ToPixel(const GameState& g, ViewPoint unscaled);
// Where the object in a travel slot stands now: about the sun, and in unscaled view coordinates.
PathPoint FleetPointNow(const GameState& g, int slot);
ViewPoint FleetUnscaledNow(const GameState& g, int slot);

// How many dots mark a fleet of this many ships on the map: 1 below 100, 2 below 500, else 3.
inline int ShipDotsFor(float ships) {
  return ships < 100 ? 1 : ships < 500 ? 2 : 3;
}

}  // namespace zarnath
