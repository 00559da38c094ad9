#include "model/galaxy.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/galaxy_setup.h"

namespace zarnath {
namespace {

using namespace testing;

// The starting angles the layout gives, drawn from `r` where the layout begins: the home ring from
// one draw, then each spread ring's base, its other worlds and its rotation, then world 0.
std::array<float, kMaxWorlds> ExpectedAngles(RandomSource& r, int worlds) {
  std::array<float, kMaxWorlds> a{};
  auto spread = [&r](int divisor) { return 2.0 * r.Next() * kPi / divisor; };
  a[8] = static_cast<float>(r.Next() / 4.0);
  a[9] = static_cast<float>(a[8] + kPi);
  a[10] = static_cast<float>(a[8] + kPi / 2);
  a[11] = static_cast<float>(a[8] + 3 * kPi / 2);
  for (const testing::SpreadRing& ring : testing::kSpreadRings) {
    a[ring.base] = static_cast<float>(spread(ring.spread) + ring.n * kPi / ring.d);
    for (const auto& [world, n, d] : ring.others)
      a[world] = static_cast<float>(a[ring.base] + n * kPi / d + spread(ring.spread));
    const double rotation = 2.0 * r.Next() * kPi;
    a[ring.base] = static_cast<float>(a[ring.base] + rotation);
    for (const auto& [world, n, d] : ring.others) a[world] = static_cast<float>(a[world] + rotation);
  }
  a[0] = static_cast<float>(2.0 * r.Next() * kPi);
  a[0] = static_cast<float>(a[0] + 2.0 * r.Next() * kPi);
  for (int w = 0; w < kMaxWorlds; ++w) a[w] = w >= worlds ? 0 : a[w] > 6.283184 ? a[w] - 6.283184 : a[w];
  return a;
}

// Two level-6 computers (one in a 9-world game) and three treasures, replayed draw by draw: the world
// values, the layout, the proximity thresholds in seat order, then the treasures, a ships treasure's
// multiple right after its world.
TEST(GalaxyGeneration, EveryDrawInItsPlaceForEveryWorldCount) {
  for (int worlds = 9; worlds <= 30; ++worlds) {
    for (uint64_t seed = 1; seed <= 4; ++seed) {
      const int seats = worlds > 9 ? 2 : 1;
      Galaxy t(worlds, {Computer(6), seats > 1 ? Computer(6) : testing::SeatChoice{}, {}, {}}, "3", seed, 20);
      const Game& g = t.g();
      SCOPED_TRACE(::testing::Message() << worlds << " worlds, seed " << seed);
      RandomSource replay(seed);
      auto draw = [&replay](int n) { return static_cast<int>(n * static_cast<double>(replay.Next())); };
      for (int w = 0; w < worlds; ++w) {
        const std::array<int, 4> drawn = {draw(20) + 1, draw(5) + 1, draw(5) + 1, draw(2)},
                                 got = {g.WorldProduction[w], g.WorldClass[w], g.WorldKnownStat[w],
                                        g.WorldShieldOn[w]};
        EXPECT_TRUE(got == drawn || (w >= 8 && w < 8 + seats)) << w;  // home worlds get their own values
      }
      const auto angles = ExpectedAngles(replay, worlds);
      for (int w = 0; w < kMaxWorlds; ++w) EXPECT_EQ(g.WorldAngle[w], angles[w]) << "world " << w;
      for (int b = 0; b < 2 * seats; ++b) {  // each level-6 seat takes two bomb slots
        EXPECT_TRUE(g.ProxBombOwner[b] == b / 2 + 1 && g.ProxBombWorld[b] == 8 + b / 2) << b;
        EXPECT_EQ(g.ProxBombThreshold[b], b % 2 == 0 ? draw(50) + 50 : draw(100) + 150) << b;
      }
      std::array<int, kMaxWorlds> types{};
      auto place = [&] {
        int w;
        do w = draw(worlds);
        while (w == 8 || (w == 9 && seats > 1) || types[w] != 0);
        return w;
      };
      types[place()] = kTypeBomb;
      const int ships = place();
      types[ships] = (draw(6) + 5) * g.WorldProduction[ships];
      types[place()] = kTypeCrystal;
      for (int w = 0; w < kMaxWorlds; ++w)
        EXPECT_EQ(g.WorldType[w], w >= 8 && w < 8 + seats ? kTypeFuel : types[w]);
      EXPECT_EQ(g.random.State(), replay.State()) << "the generation drew a different number of times";
      for (int w = worlds; w < kMaxWorlds; ++w)  // out of play: no ring, no speed, no values; names kept
        EXPECT_EQ(g.WorldRadius[w] + g.WorldAngularSpeed[w] + g.WorldProduction[w], 0) << w;
      EXPECT_EQ(g.WorldName[0] + g.WorldName[9] + g.WorldName[29], "AmenthesEvrosZea");
    }
  }
}

TEST(GalaxyGeneration, HomeWorldBombsByWorldCountOpponentsAndLevel) {
  for (int worlds = 9; worlds <= 30; ++worlds)
    EXPECT_EQ(Galaxy(worlds, kAnnAlone).g().WorldBombs[8], worlds <= 15 ? 1 : worlds <= 23 ? 2 : 3) << worlds;
  const Galaxy mixed(30, {Human("Ann"), Human("Bob"), Computer(5), Computer(1)});  // the rest: GalaxyProperty
  EXPECT_EQ(testing::Four<int>(mixed.game.WorldBombs, 8), (std::array{5, 5, 6, 2}));
}

TEST(GalaxyGeneration, SeatsNamedAlikeAreToldApartBySeatLetter) {
  const std::pair<Seats, std::array<std::string, 4>> cases[] = {
      {{Human("Ann"), Human("Bob"), Human("Ann"), {}}, {"Ann", "Bob", "Ann-Y", ""}},
      {{Human("Ann"), Computer(1), Computer(1), Computer(1)}, {"Ann", "Pandora", "Pandora-Y", "Pandora-Z"}},
      {{Computer(6), Computer(6), {}, {}}, {"Hyperion", "Hyperion-X", "", ""}},
  };
  for (const auto& [seats, names] : cases) {
    const Galaxy t(12, seats);
    EXPECT_EQ(testing::Four<std::string>(t.game.PlayerName, 0), names);
    EXPECT_EQ(t.game.setup.txtPL[2], seats[2].name);  // the name box keeps its text
  }
}

TEST(GalaxyGeneration, TreasureKindsByCountAndTheSearchEndsWhenNoHidingPlaceIsLeft) {
  const TreasureCounts table[16] = {{0, 0, 0, 1}, {0, 1, 0, 1}, {0, 1, 1, 1}, {1, 1, 1, 1},
                                    {1, 1, 2, 1}, {1, 2, 2, 1}, {1, 2, 3, 1}, {2, 2, 3, 1},
                                    {2, 2, 3, 2}, {2, 3, 3, 2}, {2, 3, 4, 2}, {3, 3, 4, 2},
                                    {3, 3, 5, 2}, {3, 4, 5, 2}, {3, 4, 6, 2}, {4, 4, 6, 2}};
  for (int n = 1; n <= 16; ++n)  // (an owned home world hides nothing: GalaxyProperty)
    EXPECT_EQ(CountTreasures(Galaxy(30, kAnnAlone, std::to_string(n), n * 7919u).game), table[n - 1]) << n;
  // Twelve worlds, one seat: all eleven neutral worlds (the empty seats' homes among them) get one.
  Galaxy full(12, kAnnAlone, "100");
  EXPECT_EQ(CountTreasures(full.g()), (TreasureCounts{11, 0, 0, 0}));  // i / 100 < 0.26 for all
  for (const char* text : {"0", "-3", "40000", "abc"})
    EXPECT_EQ(CountTreasures(Galaxy(30, kAnnAlone, text).game), TreasureCounts{}) << text;
}

}  // namespace
}  // namespace zarnath
