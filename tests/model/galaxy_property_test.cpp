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

  // Worlds in play on their rings at the ring's speed (those out of play: GalaxyGeneration).
  const float home = static_cast<float>(6.283184 / 520);
  for (int w = 0; w < n; ++w) {
    SCOPED_TRACE(w);
    const int ring = testing::kRingOf[static_cast<size_t>(w)];
    EXPECT_EQ(g.WorldRadius[w], static_cast<float>(ring));
    EXPECT_EQ(g.WorldAngularSpeed[w], static_cast<float>(16900.0 / (ring * ring) * home));
    EXPECT_TRUE(g.WorldAngle[w] >= 0 && g.WorldAngle[w] < 3.5 * 3.141592 + 1e-5 && g.WorldShield[w] == 0 &&
                !g.WorldNoGather[w] && g.WorldKnownStat[w] >= 1 && g.WorldKnownStat[w] <= 5);

    const int seat = w - kHomeWorld0;
    if (seat < 0 || seat >= kSeats || !filled[static_cast<size_t>(seat)]) {
      const int t = g.WorldType[w], p = g.WorldProduction[w];
      EXPECT_TRUE(g.WorldOwner[w] == 0 && g.WorldBombs[w] == 0 && p >= 1 && p <= maxProduction &&
                  g.WorldClass[w] >= 1 && g.WorldClass[w] <= 5 && g.WorldShips[w] == 30 &&
                  g.WorldShieldOn[w] <= 1);
      EXPECT_TRUE(t <= kTypeCrystal || (t >= 5 * p && t <= 10 * p && t % p == 0)) << "type " << t;
      continue;
    }
    const int level = seats[static_cast<size_t>(seat)].level;
    EXPECT_TRUE(g.WorldOwner[w] == seat + 1 && g.WorldProduction[w] == 10 && g.WorldClass[w] == 5 &&
                g.WorldShips[w] == 10 && g.WorldShieldOn[w] == 0);
    EXPECT_EQ(g.WorldType[w], level == 6 ? kTypeFuel : kTypeNothing);
    const int b = n / 8 + (seat > 0 || opponents > 0 ? 2 : 0);
    EXPECT_EQ(g.WorldBombs[w], level == 0 ? b : Int(level / 5.0 * b) + 1);
  }

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
      EXPECT_TRUE(g.ProxBombOwner[slot] == p + 1 && g.ProxBombWorld[slot] == kHomeWorld0 + p) << slot;
      EXPECT_TRUE(t == std::floor(t) && (k == 0 ? t >= 50 && t <= 99 : t >= 150 && t <= 249)) << t;
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
