#include "model/data_set.h"

#include <gtest/gtest.h>

#include "fixtures/test_game.h"

namespace zarnath {
namespace {

using testing::TestGame;

// Every declared slot of every table filled with something that is not its cleared value.
void FillEverything(GameState& g) {
  for (int s = 0; s < kFleetSlots; ++s) {
    g.FleetFrom[s] = g.FleetTo[s] = g.FleetOwner[s] = g.FleetClass[s] = g.FleetShield[s] = 3;
    g.FleetShips[s] = g.FleetTripTime[s] = g.FleetAngleParam[s] = 1.5f;
    g.FleetTimeLeft[s] = 0.75;
  }
  for (int w = 0; w < kWorldSlots; ++w) {
    g.WorldAngle[w] = g.WorldRadius[w] = g.WorldAngularSpeed[w] = g.WorldShips[w] = 2.5f;
    g.WorldName[w] = "Name";
    g.WorldProduction[w] = g.WorldClass[w] = g.WorldShield[w] = g.WorldShieldOn[w] = g.WorldOwner[w] = 4;
    g.WorldKnownStat[w] = g.WorldType[w] = g.WorldBombs[w] = 5;
    g.WorldNoGather[w] = true;
    for (int p = 0; p < kPlayerSlots; ++p) {
      g.WorldMarked[p][w] = true;
      g.WorldHistory[p][w] = "history";
      for (int k = 0; k < 6; ++k) g.ScoutInfo[p][k][w] = 6;
    }
  }
  for (int b = 0; b < kBombSlots; ++b) {
    g.ProxBombOwner[b] = 2;
    g.ProxBombWorld[b] = 9;
    g.ProxBombThreshold[b] = 60;
  }
  for (int p = 0; p < kPlayerSlots; ++p) {
    g.PlayerName[p] = "Ann";
    g.PlayerLog[p] = "log";
    g.HasCrystal[p] = 1;
    g.PlayerGone[p] = true;
    g.RadarSeen[p] = 1;
  }
  for (auto& row : g.ServerRowIP) row = "10.0.0.1";
  for (auto& entry : g.ServerExcluded) entry = "x";
}

TEST(DataSet, ClearsEveryUsedSlot) {
  TestGame t;
  Game& g = t.g();
  FillEverything(g);
  DataSet(g);

  for (int s = 0; s < kUsedFleetSlots; ++s) {
    SCOPED_TRACE(s);
    EXPECT_TRUE(IsFreeSlot(g, s));
    EXPECT_EQ(g.FleetTo[s] + g.FleetOwner[s] + g.FleetClass[s] + g.FleetShield[s], 0);
    EXPECT_EQ(g.FleetShips[s], 0.0f);
    EXPECT_EQ(g.FleetTripTime[s], 0.0f);
    EXPECT_EQ(g.FleetAngleParam[s], 0.0f);
    EXPECT_EQ(g.FleetTimeLeft[s], 0.0);
    EXPECT_EQ(g.ServerRowIP[s], "");
  }
  for (int w = 0; w < kMaxWorlds; ++w) {
    SCOPED_TRACE(w);
    EXPECT_EQ(g.WorldAngle[w] + g.WorldRadius[w] + g.WorldAngularSpeed[w] + g.WorldShips[w], 0.0f);
    EXPECT_EQ(g.WorldName[w], "");
    EXPECT_EQ(
        g.WorldProduction[w] + g.WorldClass[w] + g.WorldShield[w] + g.WorldShieldOn[w] + g.WorldOwner[w], 0);
    EXPECT_EQ(g.WorldKnownStat[w] + g.WorldType[w] + g.WorldBombs[w], 0);
    EXPECT_FALSE(g.WorldNoGather[w]);
    for (int p = 0; p < kSeats; ++p) {
      EXPECT_EQ(g.WorldHistory[p][w], "");
      for (int k = 0; k < 5; ++k) EXPECT_EQ(g.ScoutInfo[p][k][w], 0);
    }
    for (int k = 0; k < kPlayerSlots; ++k) EXPECT_FALSE(g.WorldMarked[k][w]) << "player " << k;
  }
  for (int b = 0; b < kUsedBombSlots; ++b) {
    EXPECT_EQ(g.ProxBombOwner[b], 0);
    EXPECT_EQ(g.ProxBombWorld[b], 0.0f);
    EXPECT_EQ(g.ProxBombThreshold[b], 0.0f);
  }
  for (int i = 0; i < 50; ++i) EXPECT_EQ(g.ServerExcluded[i], "");
  for (int p = 0; p < kSeats; ++p) {
    EXPECT_EQ(g.PlayerName[p], "");
    EXPECT_EQ(g.PlayerLog[p], "");
    EXPECT_EQ(g.HasCrystal[p], 0);
    EXPECT_FALSE(g.PlayerGone[p]);
    EXPECT_EQ(g.RadarSeen[p], 0);
  }
  EXPECT_FALSE(g.window.WorldLabelsVisible);
  EXPECT_EQ(t.ports.calls, std::vector<std::string>{"Close 0"});
}

TEST(DataSet, LeavesTheExtraSlotsAlone) {
  TestGame t;
  Game& g = t.g();
  FillEverything(g);
  DataSet(g);

  // World 30.
  EXPECT_EQ(g.WorldAngle[30], 2.5f);
  EXPECT_EQ(g.WorldShips[30], 2.5f);
  EXPECT_EQ(g.WorldName[30], "Name");
  EXPECT_EQ(g.WorldOwner[30], 4);
  EXPECT_EQ(g.WorldType[30], 5);
  EXPECT_TRUE(g.WorldNoGather[30]);
  EXPECT_TRUE(g.WorldMarked[0][30]);
  EXPECT_EQ(g.WorldHistory[0][30], "history");
  EXPECT_EQ(g.ScoutInfo[0][1][30], 6);
  // Travel slot 100 and bomb slot 20.
  EXPECT_EQ(g.FleetFrom[100], 3);
  EXPECT_EQ(g.FleetTimeLeft[100], 0.75);
  EXPECT_EQ(g.ServerRowIP[100], "10.0.0.1");
  EXPECT_EQ(g.ProxBombOwner[20], 2);
  EXPECT_EQ(g.ProxBombThreshold[20], 60.0f);
  EXPECT_EQ(g.ServerExcluded[50], "x");
  // Player 4: only its marks are cleared.
  EXPECT_EQ(g.PlayerName[4], "Ann");
  EXPECT_EQ(g.PlayerLog[4], "log");
  EXPECT_EQ(g.HasCrystal[4], 1);
  EXPECT_TRUE(g.PlayerGone[4]);
  EXPECT_EQ(g.RadarSeen[4], 1);
  EXPECT_EQ(g.WorldHistory[4][0], "history");
  EXPECT_EQ(g.ScoutInfo[4][0][0], 6);
  EXPECT_FALSE(g.WorldMarked[4][0]);
  // ScoutInfo field 5 is never used.
  EXPECT_EQ(g.ScoutInfo[0][5][0], 6);
}

TEST(DataSet, LeavesTheSettingsAndTheSeatStateAlone) {
  TestGame t;
  Game& g = t.g();
  g.TruceUntilTurn = 25;
  g.AutoSaveYear = 3.5f;
  g.SpeedGame = g.SoundOff = g.HideFleets = true;
  g.GameYear = 4.25f;
  g.CurrentPlayer = 2;
  g.WorldCount = 17;
  g.NetworkGame = g.TurnDone = g.InputBusy = g.GameOver = true;
  g.PlayerColor = kPlayerColors;
  g.CpuName[0] = "Pandora";
  DataSet(g);
  EXPECT_EQ(g.TruceUntilTurn, 25);
  EXPECT_EQ(g.AutoSaveYear, 3.5f);
  EXPECT_TRUE(g.SpeedGame && g.SoundOff && g.HideFleets);
  EXPECT_EQ(g.GameYear, 4.25f);
  EXPECT_EQ(g.CurrentPlayer, 2);
  EXPECT_EQ(g.WorldCount, 17);
  EXPECT_TRUE(g.NetworkGame && g.TurnDone && g.InputBusy && g.GameOver);
  EXPECT_EQ(g.PlayerColor[2], Rgb(255, 50, 0));
  EXPECT_EQ(g.CpuName[0], "Pandora");
}

}  // namespace
}  // namespace zarnath
