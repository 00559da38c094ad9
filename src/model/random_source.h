// The game's random source: a seedable generator of 32-bit floats in [0, 1).
#pragma once

#include <cstdint>

namespace zarnath {

class RandomSource {
 public:
  explicit RandomSource(uint64_t seed = 1) { Seed(seed); }

  void Seed(uint64_t seed);
  // A uniform float in [0, 1); never 1.0 (24 random bits, exactly representable).
  float Next();
  // Seeds from the clock, as the program does for a new game.
  void SeedFromClock();

  uint64_t State() const { return state_; }
  void SetState(uint64_t s) { state_ = s; }

 private:
  uint64_t state_ = 0;
};

}  // namespace zarnath
