#include <gtest/gtest.h>

#include <algorithm>

#include "ai/ai_fixture.h"
#include "ai/computer_turn.h"
#include "ai/turn_tables.h"

namespace zarnath {
namespace {

using testing::AiState;
using testing::Order;
using Orders = std::vector<Order>;

constexpr int kHome = kHomeWorld0;
constexpr int kEnemy = 0;

// Seat 0 owns every world but world 0, which it scouted this turn and knows to be far too strong
// to attack. Its home world (class 5) is the one world worth gathering at; the others are class 1.
class Gathering : public ::testing::Test {
 protected:
  void SetUp() override { Prepare(s); }
  static void Prepare(AiState& st) {
    st.OwnAllBut({kEnemy});
    auto& info = st.game.ScoutInfo[0];
    info[0][kEnemy] = static_cast<int16_t>(TurnOf(st.game));
    info[1][kEnemy] = 1;
    info[2][kEnemy] = 5;
    info[3][kEnemy] = 5000;
  }
  static int TurnOf(const Game& g) { return static_cast<int>((g.GameYear - 1.0f) * 20.0f + 0.5f); }
  Orders Run(AiState& st) {
    ComputerTurn(st.game);
    return st.Orders();
  }
  Orders Run() { return Run(s); }

  AiState s{9, 1};
  Game& g = s.g();
};

TEST_F(Gathering, LevelOneGathersFromTheNearestOwnWorldOnly) {
  g.WorldShips[3] = 10;
  g.WorldShips[5] = 12;
  const int nearest = s.Years(3, kHome) <= s.Years(5, kHome) ? 3 : 5;
  EXPECT_EQ(Run(),
            (Orders{{nearest, kHome, g.WorldShips[3] + g.WorldShips[5] - (nearest == 3 ? 12.0f : 10.0f)}}));
}

TEST_F(Gathering, LevelSixGathersFromSixNearestWorlds) {
  AiState six(9, 6);
  Prepare(six);
  for (int w : {1, 2, 3, 4, 5, 6, 7}) six.game.WorldShips[w] = 10;
  std::vector<int> inReach;
  for (int w : {1, 2, 3, 4, 5, 6, 7})
    if (six.Years(w, kHome) <= 0.515f) inReach.push_back(w);
  const Orders orders = Run(six);
  EXPECT_EQ(static_cast<int>(orders.size()), std::min<int>(6, static_cast<int>(inReach.size())));
  for (const Order& o : orders) {
    EXPECT_EQ(o.to, kHome);
    EXPECT_EQ(o.ships, 10.0f);
  }
}

TEST_F(Gathering, ASourceFiftyOneAndAHalfHundredthsOfAYearAwayIsUsed) {
  g.WorldShips[6] = 10;
  ASSERT_TRUE(s.PlaceSourceAt(6, kHome, 267));  // 0.5135 year
  EXPECT_EQ(Run(), (Orders{{6, kHome, 10}}));
}

TEST_F(Gathering, ASourceFurtherAwayIsNot) {
  g.WorldShips[6] = 10;
  ASSERT_TRUE(s.PlaceSourceAt(6, kHome, 268));  // 0.5154 year
  EXPECT_EQ(Run(), Orders{});
}

TEST_F(Gathering, NothingOnceNoTargetIsOpen) {
  g.WorldShips[3] = 10;
  g.WorldShips[5] = 10;
  s.Flying(0, 4, kEnemy, 5.0f);  // the only foreign world is already under attack
  EXPECT_EQ(Run(), (Orders{{4, kEnemy, 5.0f}}));
}

TEST_F(Gathering, SourcesNeedMoreShipsThanTheTurnNumberOrABomb) {
  g.GameYear = 2.0f;  // turn 20
  Prepare(s);
  AiState six(9, 6);
  six.game.GameYear = 2.0f;
  Prepare(six);
  for (AiState* st : {&s, &six}) {
    st->game.WorldShips[3] = 20;  // not enough
    st->game.WorldShips[5] = 21;
    st->game.WorldShips[6] = 5;
    st->game.WorldBombs[6] = 2;  // only the bomb goes, one of them
  }
  Orders orders = Run(six);
  std::sort(orders.begin(), orders.end(), [](const Order& a, const Order& b) { return a.from < b.from; });
  EXPECT_EQ(orders, (Orders{{5, kHome, 21}, {6, kHome, 9999}}));
}

TEST_F(Gathering, ASourceSendsOnlyOnce) {
  AiState six(9, 6);
  Prepare(six);
  six.game.WorldClass[4] = 5;  // a second world worth gathering at
  six.game.WorldShips[3] = 10;
  ASSERT_LE(six.Years(3, kHome), 0.515f);
  ASSERT_LE(six.Years(3, 4), 0.515f);
  const Orders orders = Run(six);
  ASSERT_EQ(orders.size(), 1u);
  EXPECT_EQ(orders[0].from, 3);
}

TEST_F(Gathering, NotAgainstAnObjectComingTheOtherWay) {
  g.WorldShips[3] = 10;
  s.Flying(1, kHome, 3, 0.0f);  // anyone's object from the front world to the source
  EXPECT_EQ(Run(), (Orders{{kHome, 3, 0.0f}}));
}

TEST_F(Gathering, ShipsAndABombTogether) {
  g.WorldShips[3] = 10;
  g.WorldBombs[3] = 2;
  EXPECT_EQ(Run(), (Orders{{3, kHome, 10}, {3, kHome, 9999}}));
  EXPECT_EQ(g.WorldBombs[3], 1);
}

// Shields: only the F + 1 most exposed worlds (F = own worlds / 6) are looked at.
int ShieldsOn(const Game& g) {
  int n = 0;
  for (int w = 0; w < g.WorldCount; ++w) n += g.WorldOwner[w] == 1 && g.WorldShieldOn[w] == 1;
  return n;
}

void FullShields(Game& g) {
  for (int w = 0; w < g.WorldCount; ++w)
    if (g.WorldOwner[w] == 1) {
      g.WorldShield[w] = 100;
      g.WorldShieldOn[w] = 1;
    }
}

TEST(Shields, FiveWorldsSwitchOnlyTheMostExposed) {
  AiState s(9, 1);
  s.Seat(1, 2);
  for (int w : {1, 2, 3, 4}) s.Own(w);
  FullShields(s.game);
  ComputerTurn(s.game);
  EXPECT_EQ(ShieldsOn(s.game), 4);
}

TEST(Shields, TwelveWorldsSwitchThree) {
  AiState s(14, 1);
  s.Seat(1, 2);
  s.OwnAllBut({0, 13});
  FullShields(s.game);
  ComputerTurn(s.game);
  EXPECT_EQ(ShieldsOn(s.game), 12 - 3);
}

TEST(Shields, FewShipsSwitchTheShieldOff) {
  AiState s(9, 1);
  s.Seat(1, 2);
  s.game.GameYear = 2.0f;
  s.game.WorldShips[kHome] = 20;  // not more than the turn number
  s.game.WorldShieldOn[kHome] = 1;
  ComputerTurn(s.game);
  EXPECT_EQ(s.game.WorldShieldOn[kHome], 0);
}

TEST(Shields, ARandomSwitchAboveTheThreshold) {
  for (bool travelling : {false, true}) {
    for (uint64_t seed = 1; seed <= 12; ++seed) {
      AiState s(9, 1);
      s.Seat(1, 2);
      s.game.menus.mnuOptionsShield.Checked = travelling;
      s.game.WorldShips[kHome] = 21;
      s.game.random.Seed(seed);
      RandomSource draw = s.game.random;
      const int roll = static_cast<int>(draw.Next() * 100.0);
      ComputerTurn(s.game);
      EXPECT_EQ(s.game.WorldShieldOn[kHome], roll > (travelling ? 50 : 80) ? 1 : 0) << seed;
    }
  }
}

TEST(Shields, LeftAloneWithoutRivalsOrTravellingShields) {
  AiState s(9, 1);
  s.game.WorldShieldOn[kHome] = 1;
  ComputerTurn(s.game);
  EXPECT_EQ(s.game.WorldShieldOn[kHome], 1);
  s.game.setup.chkShield = 1;
  ComputerTurn(s.game);
  EXPECT_EQ(s.game.WorldShieldOn[kHome], 0);
}

// The orderings work by adjacent exchanges: a rich world within a tenth of a year of a
// neighbour's neighbour does not jump over it.
TEST(TurnTables, CandidatesNearestFirstThenRicherSourcesWithinATenth) {
  AiState s(9, 1);
  Game& g = s.g();
  for (int w : {1, 2, 3}) {
    g.WorldProduction[w] = static_cast<uint8_t>(w);
    g.WorldClass[w] = 1;
  }
  std::vector<CandidateRow> rows{{1, 0, 0.30f}, {2, 0, 0.35f}, {3, 0, 0.42f}};
  s.ports.Clear();
  OrderCandidates(g, rows);
  EXPECT_EQ(rows[0].source, 2);
  EXPECT_EQ(rows[1].source, 1);
  EXPECT_EQ(rows[2].source, 3);
  EXPECT_EQ(s.ports.Count("Yield"), 3);  // one pass of the first ordering, two of the second

  rows = {{1, 0, 0.5f}, {2, 4, 0.2f}, {3, 5, 0.2f}};
  OrderCandidates(g, rows);
  EXPECT_EQ(rows[0].source, 3);  // equal times: the richer first
  EXPECT_EQ(rows[1].source, 2);
  EXPECT_EQ(rows[2].source, 1);
}

TEST(TurnTables, ExposureMostExposedFirstThenValueThenProduction) {
  AiState s(9, 1);
  Game& g = s.g();
  g.WorldClass[1] = 1;
  g.WorldClass[2] = 5;
  g.WorldClass[3] = 5;
  std::vector<ExposureRow> rows{{3, 12.0f}, {2, 10.05f}, {1, 10.0f}};
  OrderExposure(g, rows);
  EXPECT_EQ(rows[0].world, 2);
  EXPECT_EQ(rows[1].world, 1);
  EXPECT_EQ(rows[2].world, 3);

  // Equal value: the more productive first; a hangar's code counts half.
  g.WorldClass[4] = 2;
  g.WorldProduction[4] = 3;
  g.WorldClass[5] = 2;
  g.WorldProduction[5] = 9;
  g.WorldClass[6] = 1;
  g.WorldType[6] = 4;  // 4 / 2 + 1 = 3
  rows = {{4, 5.0f}, {5, 5.05f}, {6, 5.08f}};
  OrderExposure(g, rows);
  EXPECT_EQ(rows[0].world, 6);
  EXPECT_EQ(rows[1].world, 5);
  EXPECT_EQ(rows[2].world, 4);
}

}  // namespace
}  // namespace zarnath
