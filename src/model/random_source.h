// The game's random source: a seedable generator of 32-bit floats in [0, 1).
#pragma once

#include <cstdint>

namespace zarnath {

class RandomSource {
 public:
  explicit RandomSource(uint64_t seed = 1) { Seed(seed); }

  void Seed(uint64_t seed);
  // A uniform float in [0, 1); never 1.0 (24 random bits, exactly representable). Inline: a
  // battle draws one for every shot.
  float Next() {
    // splitmix64: a small generator whose sequence is the same on every machine.
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<float>(z >> 40) * (1.0f / 16777216.0f);
  }
  // Seeds from the clock, as the program does for a new game.
  void SeedFromClock();

  uint64_t State() const { return state_; }
  void SetState(uint64_t s) { state_ = s; }

 private:
  uint64_t state_ = 0;
};

}  // namespace zarnath
