// Star systems for the motion tests (full rings with seeded angles, hand-made pairs of worlds) and a
// plain transcription of the interception search to hold the game's faster search against.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>

#include "model/galaxy_setup.h"

namespace zarnath::testing {

// Thirty worlds on their rings with the game's orbital speeds and random angles up to 3.5 pi
// (a new galaxy can leave angles above 2 pi). About one world in `fuelOneIn` carries the fuel.
inline void LayRings(GameState& g, uint32_t seed, int fuelOneIn = 0) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> angle(0.0f, 11.0f);
  const float home = static_cast<float>(kTwoPi / (130.0 * 4.0));
  g.WorldCount = kMaxWorlds;
  for (int w = 0; w < kMaxWorlds; ++w) {
    const double r = g.WorldRadius[w] = static_cast<float>(kRingOf[static_cast<size_t>(w)]);
    g.WorldAngularSpeed[w] = static_cast<float>(16900.0 / (r * r) * home), g.WorldAngle[w] = angle(rng);
    g.WorldType[w] = fuelOneIn > 0 && rng() % fuelOneIn == 0 ? kTypeFuel : kTypeNothing;
  }
}

// Two still worlds for hand-worked searches: world 8 is the reference ring 130; worlds 0 and 1 sit
// on the given rings at the given angles and do not move, so a ship's angle is t x k x a alone.
inline void StillPair(GameState& g, float fromRing, float fromAngle, float toRing, float toAngle) {
  g.WorldCount = 9, g.WorldRadius[8] = 130, g.WorldAngularSpeed[8] = static_cast<float>(kTwoPi / 520.0);
  g.WorldRadius[0] = fromRing, g.WorldAngle[0] = fromAngle, g.WorldAngularSpeed[0] = 0;
  g.WorldRadius[1] = toRing, g.WorldAngle[1] = toAngle, g.WorldAngularSpeed[1] = 0;
}

// The interception search step by step: every a, every t up to 390, no shortcut.
inline void ReferenceSearch(const GameState& g, int from, int to, float& years, float& angle, float stepA,
                            int ahead = 0) {
  years = 10000.0f, angle = 0.0f;
  auto at = [&g](int w, double t, double start) {
    return t * static_cast<double>(g.WorldAngularSpeed[w]) + start;
  };
  auto turnBack = [](float x) {
    while (x > 6.283184) x = static_cast<float>(x - 6.283184);
    return x;
  };
  const float startFrom = static_cast<float>(at(from, ahead, g.WorldAngle[from]));
  const float startTo = static_cast<float>(at(to, ahead, g.WorldAngle[to]));
  const double fuel = g.WorldType[from] == 2 ? 2.0 : 1.0;
  const float k =
      static_cast<float>(fuel * static_cast<double>(g.WorldRadius[8]) / (g.WorldRadius[from] * 520.0));
  const int tmin = static_cast<int>(
      std::nearbyint(std::fabs(static_cast<double>(g.WorldRadius[from]) - g.WorldRadius[to])));
  for (float a = -6.283184f; a <= 9.424776f; a += stepA) {
    const float ka = static_cast<float>(static_cast<double>(k) * a);
    for (int t = tmin; t <= static_cast<int>(std::nearbyint(3.0 * g.WorldRadius[8])); ++t) {
      const float ship = turnBack(static_cast<float>(at(from, t, startFrom) + t * static_cast<double>(ka)));
      if (std::floor(ship * 100.0) == std::floor(turnBack(static_cast<float>(at(to, t, startTo))) * 100.0)) {
        if (static_cast<float>(t / 520.0) < years) years = static_cast<float>(t / 520.0), angle = a;
        break;
      }
    }
  }
}

}  // namespace zarnath::testing
