#include "model/galaxy.h"

#include <gtest/gtest.h>

#include "model/galaxy_setup.h"

namespace zarnath {
namespace {

using namespace testing;

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
