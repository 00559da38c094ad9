#include "model/random_source.h"

#include <chrono>

namespace zarnath {

void RandomSource::Seed(uint64_t seed) { state_ = seed; }

float RandomSource::Next() {
  // splitmix64: a small generator whose sequence is the same on every machine.
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  return static_cast<float>(z >> 40) * (1.0f / 16777216.0f);
}

void RandomSource::SeedFromClock() {
  Seed(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
       static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

}  // namespace zarnath
