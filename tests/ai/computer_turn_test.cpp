#include "ai/computer_turn.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ai/ai_fixture.h"
#include "ai/nearest.h"
#include "model/fleet_table.h"

namespace zarnath {
namespace {

using testing::AiState;
using testing::Order;
using Orders = std::vector<Order>;

constexpr int kHome = kHomeWorld0;
constexpr int kTarget = 2;

// Seat 0 (a level-1 computer player) owns every world but world 2; only its home world holds
// ships, 100 of them, with class 1 (no class advantage, nothing to gather at). The trip from the
// home world to world 2 takes 120 ticks, so a fleet grows the target for 5 turns.
class Decisions : public ::testing::Test {
 protected:
  void SetUp() override {
    s.OwnAllBut({kTarget});
    g.WorldClass[kHome] = 1;
    g.WorldShips[kHome] = 100;
    ASSERT_TRUE(s.PlaceAt(kHome, kTarget, 120));
  }
  Orders Run() {
    ComputerTurn(g);
    return s.Orders();
  }
  // Judged on the true values: the crystal shows a neutral world as it is.
  void Crystal(int production, float ships, int shield = 0) {
    g.HasCrystal[0] = 1;
    g.WorldProduction[kTarget] = static_cast<uint8_t>(production);
    g.WorldShips[kTarget] = ships;
    g.WorldShield[kTarget] = static_cast<uint8_t>(shield);
  }
  // What seat 0 learned of the target in turn t0.
  void Intelligence(int t0, int shipClass, int production, int ships, int shield = 0) {
    auto& info = g.ScoutInfo[0];
    info[0][kTarget] = static_cast<int16_t>(t0);
    info[1][kTarget] = static_cast<int16_t>(shipClass);
    info[2][kTarget] = static_cast<int16_t>(production);
    info[3][kTarget] = static_cast<int16_t>(ships);
    info[4][kTarget] = static_cast<int16_t>(shield);
  }
  // Clears the table of objects in flight for a second turn on the same state.
  void Land() {
    for (int slot = 0; slot < kUsedFleetSlots; ++slot) DataClear(g, slot);
  }
  Order Fleet(float ships, int from = kHome) const { return {from, kTarget, ships}; }

  AiState s{9, 1};
  Game& g = s.g();
};

// Defender estimate D = (5 turns x production + ships) x mode + shield x class factor, against
// the source's ships S = 100.
TEST_F(Decisions, AttacksWhenTheEstimateDoesNotExceedItsShips) {
  Crystal(2, 90);  // D = 100
  EXPECT_EQ(Run(), Orders{Fleet(100)});
}

TEST_F(Decisions, NoAttackOnOneShipMore) {
  Crystal(2, 91);  // D = 101
  EXPECT_EQ(Run(), Orders{});
}

TEST_F(Decisions, SendsTheQuarterShareThatCoversTheEstimate) {
  Crystal(2, 40);  // D = 50: half
  EXPECT_EQ(Run(), Orders{Fleet(50)});
}

TEST_F(Decisions, RoundsTheShareUpToTheNextQuarter) {
  Crystal(2, 41);  // D = 51: three quarters
  EXPECT_EQ(Run(), Orders{Fleet(75)});
}

TEST_F(Decisions, AnEmptyEstimateStillSendsAQuarter) {
  Crystal(0, 0);
  EXPECT_EQ(Run(), Orders{Fleet(25)});
}

TEST_F(Decisions, DefensiveModeRaisesTheEstimateByAQuarter) {
  g.setup.chkMode = 1;
  Crystal(2, 70);  // (10 + 70) x 1.25 = 100
  EXPECT_EQ(Run(), Orders{Fleet(100)});
  g.WorldShips[kHome] = 100;
  Land();
  Crystal(2, 71);  // 101.25
  EXPECT_EQ(Run(), Orders{});
}

TEST_F(Decisions, AHigherClassMakesEachShipCountMore) {
  g.WorldClass[kHome] = 3;  // against class 1: factor 3 / 1 / 2 + 0.5 = 2
  g.WorldShips[kHome] = 50;
  Crystal(2, 70, 10);  // D = 80 + 10 x 2 = 100 = 2 x 50
  EXPECT_EQ(Run(), Orders{Fleet(50)});
}

TEST_F(Decisions, AHigherClassStillNeedsEnoughShips) {
  g.WorldClass[kHome] = 3;
  g.WorldShips[kHome] = 50;
  Crystal(2, 81, 5);  // D = 91 + 5 x 2 = 101
  EXPECT_EQ(Run(), Orders{});
}

// With ships travelling with shields, a shield of 100 covers a large estimate, but half the
// estimate must still be met by ships.
TEST_F(Decisions, TravellingShieldsDoNotReplaceHalfTheShips) {
  g.setup.chkShield = 1;
  g.WorldShield[kHome] = 100;
  g.WorldShips[kHome] = 10;
  Crystal(2, 20);  // D = 30: 30 <= 10 + 100, but 15 > 10
  EXPECT_EQ(Run(), Orders{});
}

TEST_F(Decisions, TravellingShieldsAndHalfTheEstimateInShips) {
  g.setup.chkShield = 1;
  g.WorldShield[kHome] = 100;
  g.WorldShips[kHome] = 10;
  Crystal(2, 10);  // D = 20: the shield share comes out below a quarter, half the estimate asks for all
  EXPECT_EQ(Run(), Orders{Fleet(10)});
}

// Long trips start from the slow outer ring.
TEST_F(Decisions, JudgesTargetsUpToFiftyTwoHundredthsOfAYear) {
  Crystal(0, 0);
  g.WorldShips[kHome] = 0;
  g.WorldShips[7] = 100;
  ASSERT_TRUE(s.PlaceAt(7, kTarget, 270));  // 0.5192 year
  EXPECT_EQ(Run(), Orders{Fleet(25, 7)});
}

TEST_F(Decisions, PassesOverTargetsFurtherAway) {
  Crystal(0, 0);
  g.WorldShips[kHome] = 0;
  g.WorldShips[7] = 100;
  ASSERT_TRUE(s.PlaceAt(7, kTarget, 271));  // 0.5212 year
  EXPECT_EQ(Run(), Orders{});
}

TEST_F(Decisions, PassesOverATargetAlreadyUnderAttack) {
  Crystal(0, 0);
  s.Flying(0, 3, kTarget, 5.0f);
  EXPECT_EQ(Run(), (Orders{{3, kTarget, 5.0f}}));
}

TEST_F(Decisions, AScoutUnderWayDoesNotStopAnAttack) {
  Crystal(0, 0);
  s.Flying(0, 3, kTarget, 0.0f);
  EXPECT_EQ(Run(), (Orders{{3, kTarget, 0.0f}, Fleet(25)}));
}

TEST_F(Decisions, ATargetTakenByOneSourceIsPassedOverByTheNext) {
  Crystal(0, 0);
  g.WorldShips[3] = 100;
  const Orders orders = Run();
  ASSERT_EQ(orders.size(), 1u);
  EXPECT_EQ(orders[0].ships, 25.0f);
}

TEST_F(Decisions, IntelligenceTenTurnsOldIsUnusable) {
  g.GameYear = 2.0f;                   // turn 20
  Intelligence(10, 1, 0, 0);           // would be an easy target
  EXPECT_EQ(Run(), Orders{Fleet(0)});  // a scout instead
}

TEST_F(Decisions, IntelligenceNineTurnsOldIsUsed) {
  g.GameYear = 2.0f;
  Intelligence(11, 1, 0, 0);
  EXPECT_EQ(Run(), Orders{Fleet(25)});
}

TEST_F(Decisions, IntelligenceFiveTurnsOldIsNotRenewed) {
  g.GameYear = 2.0f;
  Intelligence(15, 1, 5, 1000);
  EXPECT_EQ(Run(), Orders{});
}

TEST_F(Decisions, IntelligenceSixTurnsOldIsRenewedByAScout) {
  g.GameYear = 2.0f;
  Intelligence(14, 1, 5, 1000);
  EXPECT_EQ(Run(), Orders{Fleet(0)});
}

TEST_F(Decisions, ScoutIntelligenceGrowsTheTargetFromTheTurnItWasLearned) {
  g.GameYear = 2.0f;           // arrival in turn 25; learned in turn 15: 10 turns of growth
  Intelligence(15, 1, 5, 50);  // 10 x 5 + 50 = 100
  EXPECT_EQ(Run(), Orders{Fleet(100)});
}

TEST_F(Decisions, TheCrystalShowsOnlyNeutralWorlds) {
  s.Seat(1, 3);
  Crystal(0, 0);
  g.WorldOwner[kTarget] = 2;  // another player's world: judged on scouting, of which there is none
  EXPECT_EQ(Run(), Orders{Fleet(0)});
}

TEST_F(Decisions, WithTheCrystalABombGoesToARichWorld) {
  ASSERT_TRUE(s.PlaceAt(kHome, 5, 200));
  s.Neutral(5);  // a second open target keeps the world count / 6 below the open count
  g.WorldBombs[kHome] = 1;
  Crystal(13, 1000);  // production 13 + class 1 reach the bar of 14 at maximum production 15
  EXPECT_EQ(Run(), Orders{Fleet(9999)});
}

TEST_F(Decisions, WithTheCrystalAPoorWorldGetsNoBomb) {
  ASSERT_TRUE(s.PlaceAt(kHome, 5, 200));
  s.Neutral(5);
  g.WorldBombs[kHome] = 1;
  Crystal(12, 1000);
  EXPECT_EQ(Run(), Orders{});
}

TEST_F(Decisions, WithTheCrystalBombsFlyWhenFewTargetsAreLeft) {
  g.WorldBombs[kHome] = 1;
  Crystal(1, 1000);  // one open target: 9 worlds / 6 > 1
  EXPECT_EQ(Run(), Orders{Fleet(9999)});
}

TEST_F(Decisions, ScoutedRichWorldGetsABomb) {
  g.GameYear = 2.0f;
  g.WorldBombs[kHome] = 1;
  Intelligence(15, 1, 13, 1000);
  EXPECT_EQ(Run(), Orders{Fleet(9999)});
  g.WorldBombs[kHome] = 1;
  Land();
  Intelligence(15, 1, 12, 1000);
  EXPECT_EQ(Run(), Orders{});
}

// A neutral world whose ships are public is taken when its ships, grown at the maximum
// production, are no more than the source's ships and it lies within a fifth of a year.
TEST_F(Decisions, PublicShipsNearbyAreAttackedAtMaximumProduction) {
  g.WorldKnownStat[kTarget] = 5;
  g.WorldShips[kTarget] = 10;
  ASSERT_TRUE(s.PlaceAt(kHome, kTarget, 103));  // 4 turns: 4 x 15 + 10 = 70
  EXPECT_EQ(Run(), Orders{Fleet(75)});
}

TEST_F(Decisions, PublicShipsAFifthOfAYearAwayAreOnlyScouted) {
  g.WorldKnownStat[kTarget] = 5;
  g.WorldShips[kTarget] = 10;
  ASSERT_TRUE(s.PlaceAt(kHome, kTarget, 104));
  EXPECT_EQ(Run(), Orders{Fleet(0)});
}

TEST_F(Decisions, PublicShipsBeyondTheSourcesShipsAreOnlyScouted) {
  g.WorldKnownStat[kTarget] = 5;
  ASSERT_TRUE(s.PlaceAt(kHome, kTarget, 100));  // 4 turns
  g.WorldShips[kTarget] = 40;                   // 100: taken
  EXPECT_EQ(Run(), Orders{Fleet(100)});
  g.WorldShips[kHome] = 100;
  Land();
  g.WorldShips[kTarget] = 41;
  EXPECT_EQ(Run(), Orders{Fleet(0)});
}

TEST_F(Decisions, PublicProductionDecidesABomb) {
  g.WorldKnownStat[kTarget] = 1;
  g.WorldBombs[kHome] = 1;
  g.WorldProduction[kTarget] = 9;  // the bar is 9 at maximum production 15
  EXPECT_EQ(Run(), Orders{Fleet(9999)});
  g.WorldBombs[kHome] = 1;
  Land();
  g.WorldProduction[kTarget] = 8;
  EXPECT_EQ(Run(), Orders{Fleet(0)});
}

TEST_F(Decisions, PublicProductionBombNeedsNoShips) {
  g.WorldKnownStat[kTarget] = 1;
  g.WorldShips[kHome] = 0;
  g.WorldBombs[kHome] = 1;
  g.WorldProduction[kTarget] = 20;
  EXPECT_EQ(Run(), Orders{Fleet(9999)});
}

TEST_F(Decisions, NoScoutWhenAnOwnObjectArrivesSooner) {
  s.Flying(0, 3, kTarget, 0.0f, 0.1f);  // a scout 0.1 year away, sooner than 120 ticks
  EXPECT_EQ(Run(), (Orders{{3, kTarget, 0.0f}}));
}

TEST_F(Decisions, AScoutWhenTheOwnObjectArrivesLater) {
  s.Flying(0, 3, kTarget, 0.0f, 0.3f);
  EXPECT_EQ(Run(), (Orders{{3, kTarget, 0.0f}, Fleet(0)}));
}

TEST_F(Decisions, NothingToSendGivesNoOrderAndStillEndsTheTurn) {
  g.WorldShips[kHome] = 0;
  g.window.txtMove.Text = "old log";
  g.InputBusy = false;
  EXPECT_EQ(Run(), Orders{});
  EXPECT_EQ(g.window.txtMove.Text, "");
  EXPECT_FALSE(g.InputBusy);
  EXPECT_TRUE(g.menus.mnuFile.Enabled);
  EXPECT_EQ(s.ports.calls.back(), "Timer tmrAI on 10");
  EXPECT_EQ(s.ports.Count("Refresh txtMove"), 1);
}

TEST_F(Decisions, InputIsLockedWhileOrdersAreGiven) {
  Crystal(0, 0);
  std::vector<bool> busy, fileMenu;
  s.ports.onYield = [&] {
    busy.push_back(g.InputBusy);
    fileMenu.push_back(g.menus.mnuFile.Enabled);
  };
  Run();
  ASSERT_FALSE(busy.empty());
  EXPECT_TRUE(std::all_of(busy.begin(), busy.end(), [](bool b) { return b; }));
  EXPECT_TRUE(std::none_of(fileMenu.begin(), fileMenu.end(), [](bool b) { return b; }));
}

// The level is how many of the nearest targets of each world are weighed.
TEST(ComputerLevel, WeighsAsManyNearestTargetsAsItsLevel) {
  for (int level = 1; level <= 6; ++level) {
    AiState s(9, level);
    Game& g = s.g();
    g.WorldShips[kHome] = 1000;
    g.HasCrystal[0] = 1;
    for (int w = 0; w < 8; ++w) s.Neutral(w, 0, 1, 0);  // every one an easy target
    NearestFrom(g, kHome, 1);
    std::vector<int> expected;
    for (int k = 0; k < level; ++k)
      if (g.NearestList[k][1] <= 0.52f) expected.push_back(static_cast<int>(g.NearestList[k][0]));
    ComputerTurn(g);
    std::vector<int> attacked;
    for (const Order& o : s.Orders()) attacked.push_back(o.to);
    std::sort(expected.begin(), expected.end());
    std::sort(attacked.begin(), attacked.end());
    EXPECT_EQ(attacked, expected) << "level " << level;
    EXPECT_EQ(static_cast<int>(attacked.size()), std::min(level, 6)) << "level " << level;
  }
}

}  // namespace
}  // namespace zarnath
