// The end of turn's ordering of the travel table: as plain passes of adjacent exchanges leave it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "model/fleet_table.h"
#include "model/game.h"

namespace zarnath {
namespace {

void PlainSort(GameState& g) {
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (int i = 0; i < kUsedFleetSlots - 1; ++i) {
      if (g.FleetFrom[i + 1] == 0) continue;
      if (g.FleetFrom[i] == 0 || g.FleetTimeLeft[i] > g.FleetTimeLeft[i + 1]) {
        std::swap(g.FleetFrom[i], g.FleetFrom[i + 1]);
        std::swap(g.FleetTo[i], g.FleetTo[i + 1]);
        std::swap(g.FleetOwner[i], g.FleetOwner[i + 1]);
        std::swap(g.FleetShips[i], g.FleetShips[i + 1]);
        std::swap(g.FleetClass[i], g.FleetClass[i + 1]);
        std::swap(g.FleetShield[i], g.FleetShield[i + 1]);
        std::swap(g.FleetTimeLeft[i], g.FleetTimeLeft[i + 1]);
        std::swap(g.FleetTripTime[i], g.FleetTripTime[i + 1]);
        std::swap(g.FleetAngleParam[i], g.FleetAngleParam[i + 1]);
        exchanged = true;
      }
    }
  }
}

#define SAME_FIELD(f) (std::memcmp(a.f.data(), b.f.data(), sizeof a.f) == 0)
bool SameTable(const GameState& a, const GameState& b) {
  return SAME_FIELD(FleetFrom) && SAME_FIELD(FleetTo) && SAME_FIELD(FleetOwner) && SAME_FIELD(FleetShips) &&
         SAME_FIELD(FleetClass) && SAME_FIELD(FleetShield) && SAME_FIELD(FleetTimeLeft) &&
         SAME_FIELD(FleetTripTime) && SAME_FIELD(FleetAngleParam);
}
#undef SAME_FIELD

// Full, empty and sparse tables; many equal times (each slot told apart by its other fields);
// free slots that still hold values; and a time that is not a number.
TEST(SortFleets, OrdersTheTableAsPlainPassesOfExchanges) {
  std::mt19937 rng(41);
  for (int round = 0; round < 3000; ++round) {
    GameState g;
    const uint32_t fill = round % 10 == 0 ? 100 : rng() % 101;
    const uint32_t times = 1 + rng() % 30;
    for (int s = 0; s < kFleetSlots; ++s) {
      g.FleetFrom[s] = static_cast<uint8_t>(rng() % 100 < fill ? 1 + rng() % 30 : 0);
      g.FleetTo[s] = static_cast<uint8_t>(rng() % 31);
      g.FleetOwner[s] = static_cast<uint8_t>(s);
      g.FleetShips[s] = static_cast<float>(rng() % 1000);
      g.FleetClass[s] = static_cast<uint8_t>(rng() % 6);
      g.FleetShield[s] = static_cast<uint8_t>(rng() % 101);
      g.FleetTimeLeft[s] = (rng() % times) / 520.0;
      g.FleetTripTime[s] = static_cast<float>(rng() % 400 / 520.0);
      g.FleetAngleParam[s] = static_cast<float>(static_cast<int>(rng() % 300) - 150) / 10.0f;
    }
    if (round % 97 == 0) g.FleetTimeLeft[rng() % 100] = std::numeric_limits<double>::quiet_NaN();
    GameState plain = g;
    PlainSort(plain);
    SortFleets(g);
    ASSERT_TRUE(SameTable(g, plain)) << "round " << round;
  }
}

}  // namespace
}  // namespace zarnath
