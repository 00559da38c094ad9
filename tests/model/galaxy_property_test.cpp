// Thousands of seeded galaxies, for every world count and many seat mixes, each checked against
// every rule a new galaxy keeps.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "model/galaxy_setup.h"

namespace zarnath {
namespace {

using namespace testing;

void CheckGalaxy(const GameState& g, int n, const Seats& seats, int treasures, int maxProduction) {
  std::array<bool, kSeats> filled{};
  int named = 0;
  for (int p = 0; p < kSeats; ++p) named += filled[p] = !seats[p].name.empty();
  const int opponents = named - filled[0];

  // Worlds in play on their rings at the ring's speed.
  const float home = static_cast<float>(6.283184 / 520);
  for (int w = 0; w < n; ++w) {
    SCOPED_TRACE(w);
    const int ring = testing::kRingOf[static_cast<size_t>(w)];
    EXPECT_EQ(g.WorldRadius[w], static_cast<float>(ring));
    EXPECT_EQ(g.WorldAngularSpeed[w], static_cast<float>(16900.0 / (ring * ring) * home));
    EXPECT_GE(g.WorldAngle[w], 0);
    EXPECT_LT(g.WorldAngle[w], 3.5 * 3.141592 + 1e-5);
    EXPECT_EQ(std::make_tuple(g.WorldShield[w], g.WorldNoGather[w]), std::make_tuple(uint8_t{0}, false));
    EXPECT_TRUE(g.WorldKnownStat[w] >= 1 && g.WorldKnownStat[w] <= 5) << g.WorldKnownStat[w];

    const int seat = w - kHomeWorld0;
    if (seat < 0 || seat >= kSeats || !filled[static_cast<size_t>(seat)]) {
      const int t = g.WorldType[w], p = g.WorldProduction[w];
      EXPECT_EQ(std::make_tuple(g.WorldOwner[w], g.WorldBombs[w], g.WorldShips[w]),
                std::make_tuple(uint8_t{0}, int16_t{0}, 30.0f));
      EXPECT_TRUE(p >= 1 && p <= maxProduction) << p;
      EXPECT_TRUE(g.WorldClass[w] >= 1 && g.WorldClass[w] <= 5) << g.WorldClass[w];
      EXPECT_LE(g.WorldShieldOn[w], 1);
      EXPECT_TRUE(t <= kTypeCrystal || (t >= 5 * p && t <= 10 * p && t % p == 0)) << "type " << t;
      continue;
    }
    const int level = seats[static_cast<size_t>(seat)].level;
    EXPECT_EQ(std::make_tuple(int{g.WorldOwner[w]}, int{g.WorldProduction[w]}, int{g.WorldClass[w]},
                              g.WorldShips[w], int{g.WorldShieldOn[w]}),
              std::make_tuple(seat + 1, 10, 5, 10.0f, 0));
    EXPECT_EQ(g.WorldType[w], level == 6 ? kTypeFuel : kTypeNothing);
    const int b = n / 8 + (seat > 0 || opponents > 0 ? 2 : 0);
    EXPECT_EQ(g.WorldBombs[w], level == 0 ? b : Int(level / 5.0 * b) + 1);
  }

  // The home worlds a quarter turn apart: 9, 10 and 11 a half, a quarter and three quarters past 8.
  for (int h = 9; h < std::min(n, 12); ++h) {
    const double apart = std::fmod(g.WorldAngle[h] - g.WorldAngle[8] + 2 * kPi, 2 * kPi);
    EXPECT_NEAR(apart, (std::array{kPi, kPi / 2, 3 * kPi / 2}[h - 9]), 1e-5) << h;
  }
  for (int w = n; w < kMaxWorlds; ++w)  // out of play: no ring, no speed, no values
    EXPECT_EQ(std::make_tuple(g.WorldRadius[w], g.WorldAngularSpeed[w], int{g.WorldProduction[w]}),
              std::make_tuple(0.0f, 0.0f, 0))
        << w;

  // Players: distinct names, the crystal from level 5; proximity bombs in seat order, two for level 6.
  std::set<std::string> names;
  int slot = 0;
  for (int p = 0; p < kSeats; ++p) {
    SCOPED_TRACE(p);
    const SeatChoice& c = seats[static_cast<size_t>(p)];
    EXPECT_EQ(g.HasCrystal[p], filled[p] && c.level >= 5 ? 1 : 0);
    if (!filled[p]) {
      EXPECT_EQ(g.PlayerName[p], "");
      continue;
    }
    names.insert(g.PlayerName[p]);
    const std::string suffix = p == 0 ? "" : std::string("-") + static_cast<char>(87 + p);
    EXPECT_TRUE(g.PlayerName[p] == c.name || g.PlayerName[p] == c.name + suffix) << g.PlayerName[p];
    for (int k = 0; c.level > 0 && k < (c.level == 6 ? 2 : 1); ++k, ++slot) {
      const float t = g.ProxBombThreshold[slot];
      EXPECT_EQ(std::make_pair(int{g.ProxBombOwner[slot]}, g.ProxBombWorld[slot]),
                std::make_pair(p + 1, static_cast<float>(kHomeWorld0 + p)))
          << slot;
      EXPECT_EQ(t, std::floor(t));
      EXPECT_TRUE(k == 0 ? t >= 50 && t <= 99 : t >= 150 && t <= 249) << t;
    }
  }
  EXPECT_EQ(static_cast<int>(names.size()), named) << "names must be distinct";
  for (int b = slot; b < kBombSlots; ++b) EXPECT_EQ(g.ProxBombOwner[b] + g.ProxBombThreshold[b], 0.0f) << b;
  // Treasures: one on each neutral world until they or the worlds run out (kinds: GalaxyGeneration).
  const TreasureCounts c = testing::CountTreasures(g);
  EXPECT_EQ(c[0] + c[1] + c[2] + c[3], std::min(std::max(treasures, 0), n - named));
}

SeatChoice RandomSeat(std::mt19937& pick, bool mayBeEmpty) {
  const int kind = std::uniform_int_distribution<int>(mayBeEmpty ? 0 : 2, 9)(pick);
  if (kind < 2) return {"", kind * 6};  // an empty seat, with or without the computer box ticked
  if (kind <= 3) return testing::Human(std::array{"Ann", "Bob", "Ann", "Pandora"}[pick() % 4]);
  return testing::Computer(std::uniform_int_distribution<int>(1, 6)(pick));
}

TEST(GalaxyProperty, EverySeededGalaxyKeepsTheRules) {
  std::mt19937 pick(2024);
  for (int worlds = 9; worlds <= 30; ++worlds) {
    for (int round = 0; round < 200; ++round) {
      Seats seats;  // seat 0 always filled, the others only while their home world is in play
      for (int p = 0; p < kSeats; ++p) seats[p] = 8 + p < worlds ? RandomSeat(pick, p > 0) : SeatChoice{};
      const int offered = worlds / 2 + 1;
      const int treasures = round % 10 == 0 ? std::uniform_int_distribution<int>(offered, 40)(pick)
                                            : std::uniform_int_distribution<int>(0, offered)(pick);
      const int maxProduction = round % 25 == 0 ? 255 : std::uniform_int_distribution<int>(5, 30)(pick);
      testing::Galaxy t(worlds, seats, std::to_string(treasures),
                        static_cast<uint64_t>(worlds) * 100003u + round, maxProduction);
      SCOPED_TRACE(::testing::Message() << worlds << " worlds, round " << round);
      CheckGalaxy(t.g(), worlds, seats, treasures, maxProduction);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace zarnath
