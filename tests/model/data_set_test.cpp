#include "model/data_set.h"

#include <gtest/gtest.h>

#include "engine/game_window.h"
#include "fixtures/test_game.h"
#include "model/fleet_table.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

// Every slot of every table holds something that is not its cleared value.
void FillEverything(GameState& g) {
  for (int s = 0; s < kFleetSlots; ++s)
    g.FleetFrom[s] = g.FleetTo[s] = g.FleetOwner[s] = g.FleetClass[s] = g.FleetShield[s] = 3,
    g.FleetShips[s] = g.FleetTripTime[s] = g.FleetAngleParam[s] = 1.5f, g.FleetTimeLeft[s] = 0.75;
  for (int w = 0; w < kWorldSlots; ++w) {
    g.WorldAngle[w] = g.WorldRadius[w] = g.WorldAngularSpeed[w] = g.WorldShips[w] = 2.5f;
    g.WorldProduction[w] = g.WorldClass[w] = g.WorldShield[w] = g.WorldShieldOn[w] = g.WorldOwner[w] = 4;
    g.WorldKnownStat[w] = g.WorldType[w] = g.WorldBombs[w] = 5, g.WorldNoGather[w] = true,
    g.WorldName[w] = "Name";
    for (int p = 0; p < kPlayerSlots; ++p) {
      g.WorldMarked[p][w] = true, g.WorldHistory[p][w] = "history";
      for (int k = 0; k < 6; ++k) g.ScoutInfo[p][k][w] = 6;
    }
  }
  for (int b = 0; b < kBombSlots; ++b)
    g.ProxBombOwner[b] = 2, g.ProxBombWorld[b] = 9, g.ProxBombThreshold[b] = 60;
  for (int p = 0; p < kPlayerSlots; ++p)
    g.PlayerName[p] = "Ann", g.PlayerLog[p] = "log", g.HasCrystal[p] = g.RadarSeen[p] = 1,
    g.PlayerGone[p] = true;
  g.ServerRowIP.fill("10.0.0.1"), g.ServerExcluded.fill("x");
}

TEST(DataSet, ClearsEveryUsedSlotAndLeavesTheSpareSlotsAndSettings) {
  testing::TestGame t;
  Game& g = t.g();
  FillEverything(g);
  g.TruceUntilTurn = 25, g.GameYear = 4.25f, g.WorldCount = 17, g.NetworkGame = true;
  DataSet(g);
  for (int s = 0; s < kUsedFleetSlots; ++s)
    EXPECT_EQ(FleetRecord(g, s) + g.ServerRowIP[s], "0000000000000000.00010.0000.000") << s;
  for (int w = 0; w < kMaxWorlds; ++w) {
    SCOPED_TRACE(w);
    const float reals = g.WorldAngle[w] + g.WorldRadius[w] + g.WorldAngularSpeed[w] + g.WorldShips[w];
    const int ints = g.WorldProduction[w] + g.WorldClass[w] + g.WorldShield[w] + g.WorldShieldOn[w] +
                     g.WorldOwner[w] + g.WorldKnownStat[w] + g.WorldType[w] + g.WorldBombs[w] +
                     g.WorldNoGather[w];
    EXPECT_EQ(g.WorldName[w] + Str(reals) + Str(ints), " 0 0");
    for (int p = 0; p < kPlayerSlots; ++p) EXPECT_FALSE(g.WorldMarked[p][w]) << "player " << p;
    for (int p = 0; p < kSeats; ++p)
      for (int k = 0; k < 5; ++k) EXPECT_EQ(g.WorldHistory[p][w] + Str(g.ScoutInfo[p][k][w]), " 0");
  }
  for (int b = 0; b < kUsedBombSlots; ++b)
    EXPECT_EQ(g.ProxBombOwner[b] + g.ProxBombWorld[b] + g.ProxBombThreshold[b], 0.0f);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(g.ServerExcluded[i], "");
  for (int p = 0; p < kSeats; ++p)
    EXPECT_EQ(g.PlayerName[p] + g.PlayerLog[p] + Str(g.HasCrystal[p] + g.RadarSeen[p] + g.PlayerGone[p]),
              " 0");
  EXPECT_FALSE(g.window.WorldLabelsVisible);
  EXPECT_TRUE(t.ports.calls.empty());
  // The spare world 30, travel slot 100, bomb slot 20, player 4 (but for its marks) and scout field 5.
  EXPECT_EQ(std::make_tuple(g.WorldName[30], g.FleetFrom[100], g.ServerRowIP[100]),
            std::make_tuple(std::string("Name"), uint8_t{3}, std::string("10.0.0.1")));
  EXPECT_EQ(std::make_tuple(g.ProxBombOwner[20], g.PlayerName[4], g.WorldMarked[4][0], g.ScoutInfo[0][5][0]),
            std::make_tuple(int16_t{2}, std::string("Ann"), false, int16_t{6}));
  EXPECT_EQ(std::make_tuple(g.TruceUntilTurn, g.GameYear, g.WorldCount, g.NetworkGame),
            std::make_tuple(25, 4.25f, uint8_t{17}, true));
}

// A game cleared on this machine closes the link it was played on (the listener or the host's).
TEST(DataSet, ClearingTheGameClosesSocketZero) {
  testing::TestGame t;
  t.g().WorldName[3] = "Name";
  ClearGame(t.g());
  EXPECT_EQ(t.g().WorldName[3], "");
  EXPECT_EQ(t.ports.calls, std::vector<std::string>{"Close 0"});
}

}  // namespace
}  // namespace zarnath
