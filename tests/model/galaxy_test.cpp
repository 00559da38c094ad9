#include "model/galaxy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fixtures/test_game.h"
#include "model/galaxy_setup.h"

namespace zarnath {
namespace {

using testing::Computer;
using testing::CountTreasures;
using testing::Empty;
using testing::Generate;
using testing::Human;
using testing::TestGame;
using testing::TreasureCounts;

constexpr double kPiLiteral = 3.141592;

// The starting angles as the ring layout gives them, drawn from `r` (positioned where the layout
// begins): base world, other worlds with their offsets n x pi / d, rotation last.
struct Other {
  int world, n, d;
};
struct LayoutRing {
  int base, n, d, spread;
  std::vector<Other> others;
};

std::array<float, kMaxWorlds> ExpectedAngles(RandomSource r, int worlds) {
  std::array<float, kMaxWorlds> a{};
  auto spread = [&r](int divisor) { return 2.0 * r.Next() * kPiLiteral / divisor; };
  a[8] = static_cast<float>(r.Next() / 4.0);
  a[9] = static_cast<float>(a[8] + 4 * kPiLiteral / 4);
  a[10] = static_cast<float>(a[8] + 2 * kPiLiteral / 4);
  a[11] = static_cast<float>(a[8] + 6 * kPiLiteral / 4);
  const std::vector<LayoutRing> rings = {
      {7, 1, 5, 10, {{12, 6, 5}, {19, 2, 5}, {24, 8, 5}, {28, 4, 5}}},
      {6, 2, 5, 10, {{13, 6, 5}, {20, 2, 5}, {25, 8, 5}, {29, 4, 5}}},
      {5, 3, 4, 8, {{14, 4, 4}, {21, 2, 4}, {26, 6, 4}}},
      {4, 4, 4, 8, {{15, 4, 4}, {22, 2, 4}, {27, 6, 4}}},
      {3, 4, 3, 6, {{16, 1, 3}, {23, 3, 3}}},
      {2, 3, 2, 4, {{17, 2, 2}}},
      {1, 1, 2, 4, {{18, 2, 2}}},
  };
  for (const LayoutRing& ring : rings) {
    a[ring.base] = static_cast<float>(spread(ring.spread) + ring.n * kPiLiteral / ring.d);
    for (const Other& o : ring.others)
      a[o.world] = static_cast<float>(a[ring.base] + o.n * kPiLiteral / o.d + spread(ring.spread));
    const double rotation = 2.0 * r.Next() * kPiLiteral;
    a[ring.base] = static_cast<float>(a[ring.base] + rotation);
    for (const Other& o : ring.others) a[o.world] = static_cast<float>(a[o.world] + rotation);
  }
  a[0] = static_cast<float>(2.0 * r.Next() * kPiLiteral);
  a[0] = static_cast<float>(a[0] + 2.0 * r.Next() * kPiLiteral);
  for (int w = 0; w < kMaxWorlds; ++w) {
    if (w >= worlds)
      a[w] = 0;
    else if (a[w] > 6.283184)
      a[w] = static_cast<float>(a[w] - 6.283184);
  }
  return a;
}

constexpr int kLayoutDraws = 35;  // 1 + 6 + 6 + 5 + 5 + 4 + 3 + 3 + 2

TEST(GalaxyGeneration, WorldValuesAnglesAndDrawOrderFollowTheLayout) {
  for (int worlds : {9, 17, 30}) {
    for (uint64_t seed = 1; seed <= 100; ++seed) {
      TestGame t;
      Game& g = t.g();
      g.random.Seed(seed);
      RandomSource replay(seed);
      g.setup.txtOp[0] = "20";
      g.WorldCount = static_cast<uint8_t>(worlds);
      DataSet(g);
      GenerateWorlds(g);

      for (int w = 0; w < worlds; ++w) {
        SCOPED_TRACE(w);
        EXPECT_EQ(g.WorldProduction[w], static_cast<int>(20 * static_cast<double>(replay.Next())) + 1);
        EXPECT_EQ(g.WorldClass[w], static_cast<int>(5 * static_cast<double>(replay.Next())) + 1);
        EXPECT_EQ(g.WorldKnownStat[w], static_cast<int>(5 * static_cast<double>(replay.Next())) + 1);
        EXPECT_EQ(g.WorldShieldOn[w], static_cast<int>(2 * static_cast<double>(replay.Next())));
        EXPECT_EQ(g.WorldShips[w], 30.0f);
        EXPECT_EQ(g.WorldOwner[w], 0);
        EXPECT_EQ(g.WorldType[w], 0);
        EXPECT_EQ(g.WorldShield[w], 0);
        EXPECT_EQ(g.WorldBombs[w], 0);
      }
      const auto angles = ExpectedAngles(replay, worlds);
      for (int w = 0; w < kMaxWorlds; ++w) EXPECT_EQ(g.WorldAngle[w], angles[w]) << "world " << w;
      for (int i = 0; i < kLayoutDraws; ++i) replay.Next();
      EXPECT_EQ(g.random.State(), replay.State()) << "the generation drew a different number of times";
    }
  }
}

TEST(GalaxyGeneration, HomeWorldsSitAtQuarterTurnsFromOneDraw) {
  for (int worlds : {9, 30}) {
    TestGame t;
    Game& g = t.g();
    g.random.Seed(4242);
    RandomSource replay(4242);
    for (int i = 0; i < 4 * worlds; ++i) replay.Next();
    const float r = replay.Next();
    Generate(g, worlds, {Human("Ann"), Empty(), Empty(), Empty()}, 0);

    const float a8 = static_cast<float>(r / 4.0);
    EXPECT_EQ(g.WorldAngle[8], a8);
    if (worlds == 30) {
      EXPECT_EQ(g.WorldAngle[9], static_cast<float>(a8 + 3.141592));
      EXPECT_EQ(g.WorldAngle[10], static_cast<float>(a8 + 3.141592 / 2));
      EXPECT_EQ(g.WorldAngle[11], static_cast<float>(a8 + 3 * 3.141592 / 2));
    }
    EXPECT_LT(g.WorldAngle[8], 0.25f);
  }
}

TEST(GalaxyGeneration, RingsSpeedsAndNames) {
  TestGame t;
  Game& g = t.g();
  Generate(g, 30, {Human("Ann"), Empty(), Empty(), Empty()}, 0);
  const std::array<float, 30> rings = {50,  70,  90,  110, 150, 170, 190, 210, 130, 130,
                                       130, 130, 210, 190, 170, 150, 110, 90,  70,  210,
                                       190, 170, 150, 110, 210, 190, 170, 150, 210, 190};
  for (int w = 0; w < 30; ++w) EXPECT_EQ(g.WorldRadius[w], rings[w]) << w;
  const float home = static_cast<float>(6.283184 / 520);
  EXPECT_EQ(g.WorldAngularSpeed[8], home);
  EXPECT_EQ(g.WorldAngularSpeed[11], home);
  EXPECT_EQ(g.WorldAngularSpeed[0], static_cast<float>(16900.0 / 2500.0 * home));
  EXPECT_EQ(g.WorldAngularSpeed[28], static_cast<float>(16900.0 / 44100.0 * home));
  // One orbit takes about 77 ticks on the innermost ring and 1357 on the outermost.
  EXPECT_NEAR(6.283184 / g.WorldAngularSpeed[0], 76.9, 0.1);
  EXPECT_NEAR(6.283184 / g.WorldAngularSpeed[7], 1357.0, 0.5);
  EXPECT_EQ(g.WorldName[0], "Amenthes");
  EXPECT_EQ(g.WorldName[8], "Eridania");
  EXPECT_EQ(g.WorldName[9], "Evros");
  EXPECT_EQ(g.WorldName[10], "Gaea");
  EXPECT_EQ(g.WorldName[11], "Hesperia");
  EXPECT_EQ(g.WorldName[29], "Zea");
}

TEST(GalaxyGeneration, NineWorldGameLeavesTheOtherIndexesOutOfPlay) {
  TestGame t;
  Game& g = t.g();
  Generate(g, 9, {Human("Ann"), Empty(), Empty(), Empty()}, 2);
  EXPECT_EQ(g.WorldRadius[8], 130.0f);
  EXPECT_EQ(g.WorldOwner[8], 1);
  EXPECT_GT(g.WorldAngularSpeed[7], 0.0f);
  for (int w = 9; w < 30; ++w) {
    SCOPED_TRACE(w);
    EXPECT_EQ(g.WorldRadius[w], 0.0f);
    EXPECT_EQ(g.WorldAngle[w], 0.0f);
    EXPECT_EQ(g.WorldAngularSpeed[w], 0.0f);
    EXPECT_EQ(g.WorldProduction[w], 0);
    EXPECT_EQ(g.WorldType[w], 0);
    EXPECT_EQ(g.WorldName[w], WorldNameOf(w));
  }
  EXPECT_EQ(g.WorldName[29], "Zea");
}

TEST(GalaxyGeneration, HomeWorldOfAFilledSeat) {
  TestGame t;
  Game& g = t.g();
  Generate(g, 20, {Human("Ann"), Empty(), Human("Bob"), Empty()}, 0);
  for (int h : {8, 10}) {
    EXPECT_EQ(g.WorldProduction[h], 10);
    EXPECT_EQ(g.WorldClass[h], 5);
    EXPECT_EQ(g.WorldShips[h], 10.0f);
    EXPECT_EQ(g.WorldShieldOn[h], 0);
    EXPECT_EQ(g.WorldType[h], 0);
    EXPECT_TRUE(g.window.lblNameItalic[h]);
  }
  EXPECT_EQ(g.WorldOwner[8], 1);
  EXPECT_EQ(g.WorldOwner[10], 3);
  EXPECT_EQ(g.PlayerName[2], "Bob");
  // The empty seat's home world stays a neutral world like any other.
  EXPECT_EQ(g.WorldOwner[9], 0);
  EXPECT_EQ(g.WorldShips[9], 30.0f);
  EXPECT_FALSE(g.window.lblNameItalic[9]);
  EXPECT_EQ(g.PlayerName[1], "");
}

TEST(GalaxyGeneration, HomeWorldBombsWithoutOpponents) {
  for (int worlds = 9; worlds <= 30; ++worlds) {
    TestGame t;
    Game& g = t.g();
    Generate(g, worlds, {Human("Ann"), Empty(), Empty(), Empty()}, 0);
    const int expected = worlds <= 15 ? 1 : worlds <= 23 ? 2 : 3;
    EXPECT_EQ(g.WorldBombs[8], expected) << worlds << " worlds";
  }
}

TEST(GalaxyGeneration, HomeWorldBombsWithOpponents) {
  {
    TestGame t;
    Game& g = t.g();
    Generate(g, 30, {Human("Ann"), Human("Bob"), Computer(5), Computer(1)}, 0);
    EXPECT_EQ(g.WorldBombs[8], 5);
    EXPECT_EQ(g.WorldBombs[9], 5);
    EXPECT_EQ(g.WorldBombs[10], 6);
    EXPECT_EQ(g.WorldBombs[11], 2);
  }
  {
    // Opponents make the difference for seat 0 even when the opponent is a computer player.
    TestGame t;
    Game& g = t.g();
    Generate(g, 9, {Human("Ann"), Computer(2), Empty(), Empty()}, 0);
    EXPECT_EQ(g.WorldBombs[8], 3);
    EXPECT_EQ(g.WorldBombs[9], static_cast<int>(0.4 * 3) + 1);
  }
  {
    // 16 worlds: B = 4 for every filled seat; level 3 gets Int(2.4) + 1, level 6 Int(4.8) + 1.
    TestGame t;
    Game& g = t.g();
    Generate(g, 16, {Human("Ann"), Computer(3), Computer(6), Computer(4)}, 0);
    EXPECT_EQ(g.WorldBombs[8], 4);
    EXPECT_EQ(g.WorldBombs[9], 3);
    EXPECT_EQ(g.WorldBombs[10], 5);
    EXPECT_EQ(g.WorldBombs[11], 4);
  }
  {
    // A computer player alone in seat 0 builds on Int(worlds / 8).
    TestGame t;
    Game& g = t.g();
    Generate(g, 24, {Computer(5), Empty(), Empty(), Empty()}, 0);
    EXPECT_EQ(g.WorldBombs[8], 4);
  }
}

TEST(GalaxyGeneration, ComputerHeadStartByLevel) {
  TestGame t;
  Game& g = t.g();
  Generate(g, 30, {Computer(4), Computer(5), Computer(6), Human("Ann")}, 0);
  EXPECT_EQ(g.HasCrystal[0], 0);
  EXPECT_EQ(g.HasCrystal[1], 1);
  EXPECT_EQ(g.HasCrystal[2], 1);
  EXPECT_EQ(g.HasCrystal[3], 0);
  EXPECT_EQ(g.WorldType[8], 0);
  EXPECT_EQ(g.WorldType[9], 0);
  EXPECT_EQ(g.WorldType[10], kTypeFuel);
  EXPECT_EQ(g.WorldBombs[8], 5);   // Int(0.8 x 5) + 1
  EXPECT_EQ(g.WorldBombs[10], 7);  // Int(1.2 x 5) + 1
  // Proximity bombs in seat order: one each, two for level 6.
  const std::array<int, 5> owners = {1, 2, 3, 3, 0};
  for (int b = 0; b < 5; ++b) EXPECT_EQ(g.ProxBombOwner[b], owners[b]) << b;
  EXPECT_EQ(g.ProxBombWorld[0], 8.0f);
  EXPECT_EQ(g.ProxBombWorld[1], 9.0f);
  EXPECT_EQ(g.ProxBombWorld[2], 10.0f);
  EXPECT_EQ(g.ProxBombWorld[3], 10.0f);
}

TEST(GalaxyGeneration, TwoLevelSixComputersTakeBombSlotsInSeatOrder) {
  TestGame t;
  Game& g = t.g();
  g.random.Seed(99);
  RandomSource replay(99);
  for (int i = 0; i < 4 * 12 + kLayoutDraws; ++i) replay.Next();
  Generate(g, 12, {Computer(6), Computer(6), Empty(), Empty()}, 0);

  const std::array<int, 4> owner = {1, 1, 2, 2};
  const std::array<float, 4> world = {8, 8, 9, 9};
  for (int b = 0; b < 4; ++b) {
    EXPECT_EQ(g.ProxBombOwner[b], owner[b]) << b;
    EXPECT_EQ(g.ProxBombWorld[b], world[b]) << b;
    const double r = replay.Next();
    const double expected = b % 2 == 0 ? std::floor(r * 50) + 50 : std::floor(r * 100) + 150;
    EXPECT_EQ(g.ProxBombThreshold[b], static_cast<float>(expected)) << b;
  }
  EXPECT_EQ(g.ProxBombOwner[4], 0);
  EXPECT_EQ(g.PlayerName[0], "Hyperion");
  EXPECT_EQ(g.PlayerName[1], "Hyperion-X");
  EXPECT_EQ(g.WorldType[8], kTypeFuel);
  EXPECT_EQ(g.WorldType[9], kTypeFuel);
}

TEST(GalaxyGeneration, UnnamedComputerSeatGetsNoHeadStart) {
  TestGame t;
  Game& g = t.g();
  Generate(g, 12, {Human("Ann"), Empty(), {"", 6}, Empty()}, 0);
  EXPECT_EQ(g.HasCrystal[2], 0);
  EXPECT_EQ(g.WorldOwner[10], 0);
  EXPECT_EQ(g.WorldType[10], 0);
  EXPECT_EQ(g.WorldBombs[10], 0);
  EXPECT_EQ(g.ProxBombOwner[0], 0);
}

TEST(GalaxyGeneration, SeatsNamedAlikeAreToldApart) {
  {
    TestGame t;
    Game& g = t.g();
    Generate(g, 12, {Human("Ann"), Human("Bob"), Human("Ann"), Empty()}, 0);
    EXPECT_EQ(g.PlayerName[0], "Ann");
    EXPECT_EQ(g.PlayerName[1], "Bob");
    EXPECT_EQ(g.PlayerName[2], "Ann-Y");
    EXPECT_EQ(g.setup.txtPL[2], "Ann");  // the name box keeps its text
  }
  {
    TestGame t;
    Game& g = t.g();
    Generate(g, 12, {Human("Ann"), Human("Ann"), Empty(), Human("Ann")}, 0);
    EXPECT_EQ(g.PlayerName[0], "Ann");
    EXPECT_EQ(g.PlayerName[1], "Ann-X");
    EXPECT_EQ(g.PlayerName[3], "Ann-Z");
  }
  {
    TestGame t;
    Game& g = t.g();
    Generate(g, 12, {Human("Ann"), Computer(1), Computer(1), Computer(1)}, 0);
    EXPECT_EQ(g.PlayerName[1], "Pandora");
    EXPECT_EQ(g.PlayerName[2], "Pandora-Y");
    EXPECT_EQ(g.PlayerName[3], "Pandora-Z");
  }
}

TEST(GalaxyGeneration, TreasureKindsByCount) {
  // (fuel, bomb, ships, crystal) for N = 1..16.
  const std::array<TreasureCounts, 16> table = {{{0, 0, 0, 1},
                                                 {0, 1, 0, 1},
                                                 {0, 1, 1, 1},
                                                 {1, 1, 1, 1},
                                                 {1, 1, 2, 1},
                                                 {1, 2, 2, 1},
                                                 {1, 2, 3, 1},
                                                 {2, 2, 3, 1},
                                                 {2, 2, 3, 2},
                                                 {2, 3, 3, 2},
                                                 {2, 3, 4, 2},
                                                 {3, 3, 4, 2},
                                                 {3, 3, 5, 2},
                                                 {3, 4, 5, 2},
                                                 {3, 4, 6, 2},
                                                 {4, 4, 6, 2}}};
  for (int n = 1; n <= 16; ++n) {
    TestGame t;
    Game& g = t.g();
    g.random.Seed(static_cast<uint64_t>(n) * 7919u);
    Generate(g, 30, {Human("Ann"), Empty(), Empty(), Empty()}, n);
    const TreasureCounts c = CountTreasures(g);
    const TreasureCounts& e = table[static_cast<size_t>(n - 1)];
    EXPECT_EQ(c.fuel, e.fuel) << "N = " << n;
    EXPECT_EQ(c.bomb, e.bomb) << "N = " << n;
    EXPECT_EQ(c.ships, e.ships) << "N = " << n;
    EXPECT_EQ(c.crystal, e.crystal) << "N = " << n;
    EXPECT_EQ(g.WorldType[8], 0) << "an owned home world hides nothing";
    for (int w = 0; w < 30; ++w) {
      const int type = g.WorldType[w];
      if (type >= 4) {
        EXPECT_EQ(type % g.WorldProduction[w], 0);
        EXPECT_GE(type / g.WorldProduction[w], 5);
        EXPECT_LE(type / g.WorldProduction[w], 10);
      }
    }
  }
}

TEST(GalaxyGeneration, TreasureDrawsFollowTheWorldValues) {
  // A 9-world game with one seat has eight hiding places; three treasures come as bomb, ships,
  // crystal, the ships' multiple drawn right after its world.
  TestGame t;
  Game& g = t.g();
  g.random.Seed(5);
  RandomSource replay(5);
  for (int i = 0; i < 4 * 9 + kLayoutDraws; ++i) replay.Next();
  Generate(g, 9, {Human("Ann"), Empty(), Empty(), Empty()}, 3);

  std::array<int16_t, 9> expected{};
  auto place = [&] {
    int w;
    do w = static_cast<int>(std::floor(9 * static_cast<double>(replay.Next())));
    while (w == 8 || expected[w] != 0);
    return w;
  };
  const int first = place();
  expected[first] = kTypeBomb;
  const int second = place();
  expected[second] = static_cast<int16_t>((std::floor(6 * static_cast<double>(replay.Next())) + 5) *
                                          g.WorldProduction[second]);
  const int third = place();
  expected[third] = kTypeCrystal;
  for (int w = 0; w < 9; ++w) EXPECT_EQ(g.WorldType[w], expected[w]) << w;
  EXPECT_EQ(g.random.State(), replay.State());
}

TEST(GalaxyGeneration, TreasureSearchStopsWhenNoHidingPlaceIsLeft) {
  // A 12-world game with one seat: eleven neutral worlds, the empty seats' home worlds among them.
  TestGame t;
  Game& g = t.g();
  Generate(g, 12, {Human("Ann"), Empty(), Empty(), Empty()}, 100);
  for (int w = 0; w < 12; ++w) {
    if (w == 8)
      EXPECT_EQ(g.WorldType[w], 0);
    else
      EXPECT_GE(g.WorldType[w], 1) << w;
  }
  // Kinds by i / 100 for i = 1..11: all double-speed fuel.
  EXPECT_EQ(CountTreasures(g), (TreasureCounts{11, 0, 0, 0}));
  for (int w = 12; w < 30; ++w) EXPECT_EQ(g.WorldType[w], 0);
}

TEST(GalaxyGeneration, TreasureCountOutOfRangeHidesNothing) {
  for (const char* text : {"0", "-3", "40000", "abc"}) {
    TestGame t;
    Game& g = t.g();
    Generate(g, 30, {Human("Ann"), Empty(), Empty(), Empty()}, 0);
    g.setup.txtOp[1] = text;
    DataSet(g);
    GenerateWorlds(g);
    PlaceSeats(g);
    EXPECT_EQ(CountTreasures(g), TreasureCounts{}) << text;
  }
}

TEST(GalaxyGeneration, ProductionStaysWithinTheMaximum) {
  for (int maxProduction : {1, 5, 30, 255}) {
    TestGame t;
    Game& g = t.g();
    g.random.Seed(static_cast<uint64_t>(maxProduction));
    Generate(g, 30, {Human("Ann"), Empty(), Empty(), Empty()}, 0, maxProduction);
    for (int w = 0; w < 30; ++w) {
      if (w == 8) continue;
      EXPECT_GE(g.WorldProduction[w], 1);
      EXPECT_LE(g.WorldProduction[w], maxProduction);
    }
  }
}

}  // namespace
}  // namespace zarnath
