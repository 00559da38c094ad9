// The galaxy window's geometry: where the sun sits and how orbit units become pixels.
#pragma once

namespace zarnath {
class Game;

inline constexpr float kCenterX = 509.0f;  // 1018 / 2
inline constexpr float kCenterY = 206.0f;  // 693 / 3 - 25

// Sizes and shows the game window, refuses a screen too small for it (the program then ends)
// and fixes the geometry. False when the program ended.
bool FormSetup(Game& g);

}  // namespace zarnath
