// Thousands of seeded galaxies, for every world count and many seat mixes, each checked against
// every rule a new galaxy keeps.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "fixtures/test_game.h"
#include "model/galaxy_setup.h"

namespace zarnath {
namespace {

using testing::Computer;
using testing::CountTreasures;
using testing::Empty;
using testing::Generate;
using testing::Human;
using testing::SeatChoice;
using testing::TestGame;
using testing::TreasureCounts;

constexpr std::array<int, kMaxWorlds> kRingOf = {50,  70,  90,  110, 150, 170, 190, 210, 130, 130,
                                                 130, 130, 210, 190, 170, 150, 110, 90,  70,  210,
                                                 190, 170, 150, 110, 210, 190, 170, 150, 210, 190};

// Base world, spread divisor and (world, n, d) of the offset n x pi / d of each spread ring.
struct RingRule {
  int base, spread;
  std::vector<std::array<int, 3>> others;
};
const std::vector<RingRule> kRingRules = {
    {7, 10, {{12, 6, 5}, {19, 2, 5}, {24, 8, 5}, {28, 4, 5}}},
    {6, 10, {{13, 6, 5}, {20, 2, 5}, {25, 8, 5}, {29, 4, 5}}},
    {5, 8, {{14, 4, 4}, {21, 2, 4}, {26, 6, 4}}},
    {4, 8, {{15, 4, 4}, {22, 2, 4}, {27, 6, 4}}},
    {3, 6, {{16, 1, 3}, {23, 3, 3}}},
    {2, 4, {{17, 2, 2}}},
    {1, 4, {{18, 2, 2}}},
};

// Counts by kind for N treasures of which only the first `placed` found a world.
TreasureCounts ExpectedKinds(int n, int placed) {
  TreasureCounts c;
  for (int i = 1; i <= placed; ++i) {
    const double q = static_cast<double>(i) / n;
    if (q < 0.26)
      ++c.fuel;
    else if (q < 0.51)
      ++c.bomb;
    else if (q < 0.88)
      ++c.ships;
    else
      ++c.crystal;
  }
  return c;
}

struct Scenario {
  int worlds;
  std::array<SeatChoice, kSeats> seats;
  int treasures;
  int maxProduction;
};

void CheckGalaxy(const GameState& g, const Scenario& s) {
  const int n = s.worlds;
  ASSERT_EQ(g.WorldCount, n);
  std::array<bool, kSeats> filled{};
  for (int p = 0; p < kSeats; ++p) filled[p] = !s.seats[p].name.empty();

  // Rings, angles and speeds by index.
  const float home = static_cast<float>(6.283184 / 520);
  for (int w = 0; w < kMaxWorlds; ++w) {
    SCOPED_TRACE(w);
    EXPECT_EQ(g.WorldName[w], WorldNameOf(w));
    if (w >= n) {
      EXPECT_EQ(g.WorldRadius[w], 0.0f);
      EXPECT_EQ(g.WorldAngle[w], 0.0f);
      EXPECT_EQ(g.WorldAngularSpeed[w], 0.0f);
      EXPECT_EQ(g.WorldOwner[w] + g.WorldProduction[w] + g.WorldClass[w] + g.WorldKnownStat[w], 0);
      EXPECT_EQ(g.WorldType[w] + g.WorldBombs[w], 0);
      continue;
    }
    const int ring = kRingOf[static_cast<size_t>(w)];
    EXPECT_EQ(g.WorldRadius[w], static_cast<float>(ring));
    EXPECT_GE(g.WorldAngle[w], 0.0f);
    EXPECT_LT(g.WorldAngle[w], 3.5 * 3.141592 + 1e-5);
    EXPECT_EQ(g.WorldAngularSpeed[w], static_cast<float>(16900.0 / (ring * ring) * home));
    EXPECT_EQ(g.WorldShield[w], 0);
    EXPECT_FALSE(g.WorldNoGather[w]);
    EXPECT_GE(g.WorldKnownStat[w], 1);
    EXPECT_LE(g.WorldKnownStat[w], 5);
  }
  EXPECT_EQ(g.WorldRadius[30] + g.WorldAngle[30] + g.WorldAngularSpeed[30], 0.0f);
  EXPECT_EQ(g.WorldName[30], "");

  // The home ring: quarter turns from world 8, which lies below a quarter radian.
  EXPECT_LT(g.WorldAngle[8], 0.25f);
  if (n > 9) {
    EXPECT_EQ(g.WorldAngle[9], static_cast<float>(g.WorldAngle[8] + 3.141592));
  }
  if (n > 10) {
    EXPECT_EQ(g.WorldAngle[10], static_cast<float>(g.WorldAngle[8] + 2 * 3.141592 / 4));
  }
  if (n > 11) {
    EXPECT_EQ(g.WorldAngle[11], static_cast<float>(g.WorldAngle[8] + 6 * 3.141592 / 4));
  }
  // Every other world of a spread ring lies its sector offset plus less than one spread ahead of
  // the ring's base world (both turned by the same rotation).
  for (const RingRule& rule : kRingRules) {
    for (const auto& [w, num, den] : rule.others) {
      if (w >= n) continue;
      double ahead = std::fmod(
          g.WorldAngle[w] - g.WorldAngle[rule.base] - num * 3.141592 / den + 4 * 6.283184, 6.283184);
      if (ahead > 6.283184 - 1e-4) ahead -= 6.283184;  // rounding just below a whole turn
      EXPECT_GE(ahead, -1e-4) << "world " << w;
      EXPECT_LT(ahead, 6.283184 / rule.spread + 1e-4) << "world " << w;
    }
  }

  // Owners, home worlds and the seats' values.
  const int others = filled[1] + filled[2] + filled[3];
  for (int w = 0; w < n; ++w) {
    SCOPED_TRACE(w);
    const int seat = w - kHomeWorld0;
    const bool home = seat >= 0 && seat < kSeats && filled[static_cast<size_t>(seat)];
    if (!home) {
      EXPECT_EQ(g.WorldOwner[w], 0);
      EXPECT_GE(g.WorldProduction[w], 1);
      EXPECT_LE(g.WorldProduction[w], s.maxProduction);
      EXPECT_GE(g.WorldClass[w], 1);
      EXPECT_LE(g.WorldClass[w], 5);
      EXPECT_EQ(g.WorldShips[w], 30.0f);
      EXPECT_LE(g.WorldShieldOn[w], 1);
      EXPECT_EQ(g.WorldBombs[w], 0);
      const int t = g.WorldType[w];
      EXPECT_TRUE(
          t == 0 || t == kTypeBomb || t == kTypeFuel || t == kTypeCrystal ||
          (t >= 5 * g.WorldProduction[w] && t <= 10 * g.WorldProduction[w] && t % g.WorldProduction[w] == 0))
          << "type " << t;
      continue;
    }
    const SeatChoice& c = s.seats[static_cast<size_t>(seat)];
    EXPECT_EQ(g.WorldOwner[w], seat + 1);
    EXPECT_EQ(g.WorldProduction[w], 10);
    EXPECT_EQ(g.WorldClass[w], 5);
    EXPECT_EQ(g.WorldShips[w], 10.0f);
    EXPECT_EQ(g.WorldShieldOn[w], 0);
    EXPECT_EQ(g.WorldType[w], c.level == 6 ? kTypeFuel : kTypeNothing);
    const int b = n / 8 + (seat > 0 || others > 0 ? 2 : 0);
    const int bombs = c.level == 0 ? b : static_cast<int>(std::floor(c.level / 5.0 * b)) + 1;
    EXPECT_EQ(g.WorldBombs[w], bombs);
  }

  // Players: names, crystals, distinct names.
  std::set<std::string> names;
  int named = 0;
  for (int p = 0; p < kSeats; ++p) {
    SCOPED_TRACE(p);
    const SeatChoice& c = s.seats[static_cast<size_t>(p)];
    EXPECT_EQ(g.HasCrystal[p], filled[p] && c.level >= 5 ? 1 : 0);
    EXPECT_FALSE(g.PlayerGone[p]);
    EXPECT_EQ(g.PlayerLog[p], "");
    if (!filled[p]) {
      EXPECT_EQ(g.PlayerName[p], "");
      continue;
    }
    ++named;
    names.insert(g.PlayerName[p]);
    if (p == 0) {
      EXPECT_EQ(g.PlayerName[0], c.name);
    } else {
      const std::string suffix = std::string("-") + static_cast<char>(87 + p);
      EXPECT_TRUE(g.PlayerName[p] == c.name || g.PlayerName[p] == c.name + suffix) << g.PlayerName[p];
    }
  }
  EXPECT_EQ(static_cast<int>(names.size()), named) << "names must be distinct";

  // Proximity bombs: the computer seats in seat order, two slots for level 6.
  int slot = 0;
  for (int p = 0; p < kSeats; ++p) {
    const SeatChoice& c = s.seats[static_cast<size_t>(p)];
    if (!filled[p] || c.level == 0) continue;
    for (int k = 0; k < (c.level == 6 ? 2 : 1); ++k, ++slot) {
      SCOPED_TRACE(slot);
      EXPECT_EQ(g.ProxBombOwner[slot], p + 1);
      EXPECT_EQ(g.ProxBombWorld[slot], static_cast<float>(kHomeWorld0 + p));
      const float t = g.ProxBombThreshold[slot];
      EXPECT_EQ(t, std::floor(t));
      EXPECT_GE(t, k == 0 ? 50.0f : 150.0f);
      EXPECT_LE(t, k == 0 ? 99.0f : 249.0f);
    }
  }
  for (int b = slot; b < kBombSlots; ++b) {
    EXPECT_EQ(g.ProxBombOwner[b], 0) << b;
    EXPECT_EQ(g.ProxBombThreshold[b], 0.0f) << b;
  }

  // Treasures: only on neutral worlds, kinds in the order of their count, none beyond the game.
  const int hidingPlaces = n - named;
  const int placed = std::min(std::max(s.treasures, 0), hidingPlaces);
  EXPECT_EQ(CountTreasures(g), ExpectedKinds(s.treasures, placed));
  for (int f = 0; f < kUsedFleetSlots; ++f) ASSERT_TRUE(IsFreeSlot(g, f));
}

SeatChoice RandomSeat(std::mt19937& pick, bool mayBeEmpty) {
  static const std::array<const char*, 4> kHumans = {"Ann", "Bob", "Ann", "Pandora"};
  const int kind = std::uniform_int_distribution<int>(mayBeEmpty ? 0 : 1, 9)(pick);
  if (kind == 0 || kind == 1) return mayBeEmpty ? Empty() : Human("Ann");
  if (kind <= 3) return Human(kHumans[static_cast<size_t>(std::uniform_int_distribution<int>(0, 3)(pick))]);
  return Computer(std::uniform_int_distribution<int>(1, 6)(pick));
}

TEST(GalaxyProperty, EverySeededGalaxyKeepsTheRules) {
  std::mt19937 pick(2024);
  int galaxies = 0;
  for (int worlds = 9; worlds <= 30; ++worlds) {
    for (int round = 0; round < 400; ++round) {
      Scenario s;
      s.worlds = worlds;
      // Seats whose home world is in play; seat 0 is always filled.
      s.seats[0] = RandomSeat(pick, false);
      for (int p = 1; p < kSeats; ++p) s.seats[p] = 8 + p < worlds ? RandomSeat(pick, true) : Empty();
      const int offered = worlds / 2 + 1;
      s.treasures = round % 10 == 0 ? std::uniform_int_distribution<int>(offered, 40)(pick)
                                    : std::uniform_int_distribution<int>(0, offered)(pick);
      s.maxProduction = round % 25 == 0 ? 255 : std::uniform_int_distribution<int>(5, 30)(pick);

      TestGame t;
      t.ports.recording = false;
      Game& g = t.g();
      g.random.Seed(static_cast<uint64_t>(worlds) * 100003u + static_cast<uint64_t>(round));
      Generate(g, worlds, s.seats, s.treasures, s.maxProduction);
      SCOPED_TRACE(::testing::Message() << worlds << " worlds, round " << round);
      CheckGalaxy(g, s);
      ++galaxies;
      if (::testing::Test::HasFailure()) return;
    }
  }
  EXPECT_EQ(galaxies, 22 * 400);
}

TEST(GalaxyProperty, SameSeedSameGalaxy) {
  for (uint64_t seed : {3u, 1234567u}) {
    TestGame a, b;
    a.g().random.Seed(seed);
    b.g().random.Seed(seed);
    const std::array<SeatChoice, kSeats> seats = {Human("Ann"), Computer(6), Computer(2), Empty()};
    Generate(a.g(), 25, seats, 7);
    Generate(b.g(), 25, seats, 7);
    for (int w = 0; w < kMaxWorlds; ++w) {
      EXPECT_EQ(a.g().WorldAngle[w], b.g().WorldAngle[w]);
      EXPECT_EQ(a.g().WorldProduction[w], b.g().WorldProduction[w]);
      EXPECT_EQ(a.g().WorldType[w], b.g().WorldType[w]);
    }
    EXPECT_EQ(a.g().ProxBombThreshold, b.g().ProxBombThreshold);
  }
}

}  // namespace
}  // namespace zarnath
