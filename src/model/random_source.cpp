#include "model/random_source.h"

#include <chrono>

namespace zarnath {

void RandomSource::Seed(uint64_t seed) {
  state_ = seed;
}

void RandomSource::SeedFromClock() {
  Seed(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
       static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

}  // namespace zarnath
