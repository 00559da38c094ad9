// Star systems for the motion tests: the rings of a full game with angles from a seeded source,
// hand-made pairs of worlds, and a plain transcription of the interception search to hold the
// game's faster search against.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <random>

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath::testing {

inline constexpr std::array<float, kMaxWorlds> kTestRings = {
    50,  70,  90, 110, 150, 170, 190, 210, 130, 130, 130, 130, 210, 190, 170,
    150, 110, 90, 70,  210, 190, 170, 150, 110, 210, 190, 170, 150, 210, 190};

// Thirty worlds on their rings with the game's orbital speeds and random angles up to 3.5 pi
// (a new galaxy can leave angles above 2 pi). About one world in `fuelOneIn` carries the fuel.
inline void LayRings(GameState& g, uint32_t seed, int fuelOneIn = 0) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> angle(0.0f, 11.0f);
  g.WorldCount = kMaxWorlds;
  const float home = static_cast<float>(kTwoPi / (130.0 * 4.0));
  for (int w = 0; w < kMaxWorlds; ++w) {
    const double r = kTestRings[static_cast<size_t>(w)];
    g.WorldRadius[w] = static_cast<float>(r);
    g.WorldAngularSpeed[w] = static_cast<float>(130.0 * 130.0 / (r * r) * home);
    g.WorldAngle[w] = angle(rng);
    g.WorldType[w] =
        fuelOneIn > 0 && rng() % static_cast<uint32_t>(fuelOneIn) == 0 ? kTypeFuel : kTypeNothing;
  }
}

// Two still worlds for hand-worked searches: world 8 is the reference ring 130; worlds 0 and 1 sit
// on the given rings at the given angles and do not move, so a ship's angle is t x k x a alone.
inline void StillPair(GameState& g, float fromRing, float fromAngle, float toRing, float toAngle) {
  g.WorldCount = 9;
  g.WorldRadius[8] = 130;
  g.WorldAngularSpeed[8] = static_cast<float>(kTwoPi / 520.0);
  g.WorldRadius[0] = fromRing;
  g.WorldAngle[0] = fromAngle;
  g.WorldAngularSpeed[0] = 0;
  g.WorldRadius[1] = toRing;
  g.WorldAngle[1] = toAngle;
  g.WorldAngularSpeed[1] = 0;
}

// The interception search step by step: every a, every t up to 390, no shortcut.
inline void ReferenceSearch(const GameState& g, int from, int to, float& years, float& angle, float stepA,
                            int ahead = 0) {
  years = 10000.0f;
  angle = 0.0f;
  const float startFrom = static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[from]) +
                                             static_cast<double>(g.WorldAngle[from]));
  const float startTo = static_cast<float>(ahead * static_cast<double>(g.WorldAngularSpeed[to]) +
                                           static_cast<double>(g.WorldAngle[to]));
  const double dR = static_cast<double>(g.WorldRadius[from]) - g.WorldRadius[to];
  float k = static_cast<float>(static_cast<double>(g.WorldRadius[8]) / (g.WorldRadius[from] * 520.0));
  if (g.WorldType[from] == 2)
    k = static_cast<float>(2.0 * static_cast<double>(g.WorldRadius[8]) / (g.WorldRadius[from] * 520.0));
  const int tmin = static_cast<int>(std::nearbyint(std::fabs(dR)));
  const int tmax = static_cast<int>(std::nearbyint(3.0 * g.WorldRadius[8]));
  for (float a = -6.283184f; a <= 9.424776f; a += stepA) {
    const float ka = static_cast<float>(static_cast<double>(k) * a);
    for (int t = tmin; t <= tmax; ++t) {
      float ship = static_cast<float>((t * static_cast<double>(g.WorldAngularSpeed[from]) + startFrom) +
                                      t * static_cast<double>(ka));
      while (ship > 6.283184) ship = static_cast<float>(ship - 6.283184);
      float target = static_cast<float>(t * static_cast<double>(g.WorldAngularSpeed[to]) + startTo);
      while (target > 6.283184) target = static_cast<float>(target - 6.283184);
      if (std::floor(ship * 100.0) == std::floor(target * 100.0)) {
        const float y = static_cast<float>(t / 520.0);
        if (y < years) {
          years = y;
          angle = a;
        }
        break;
      }
    }
  }
}

}  // namespace zarnath::testing
