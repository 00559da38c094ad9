// A whole hot-seat game between two scripted humans, turn after turn, through the same steps as
// in the window: the announcement, the orders, Done, the resolution, the next announcement.
#include <gtest/gtest.h>

#include "engine/launch.h"
#include "engine_fixture.h"
#include "model/fleet_table.h"

namespace zarnath {
namespace {

// Ann sends every ship she holds against the first world she does not hold; Bob only guards.
TEST(ScriptedGame, TwoScriptedHumansPlayWholeTurnsUntilAConquestEndsTheGame) {
  EngineGame f("AB..", 10);
  Game& g = f.game;
  std::tie(f.ports.recording, g.SpeedGame) = std::make_tuple(false, true);
  for (int w = 0; w < 10; ++w) g.WorldShips[w] = 5, g.WorldShieldOn[w] = 0;
  g.WorldShips[8] = 60;
  ASSERT_TRUE(GameCheck(g));
  int rounds = 0;
  while (rounds < 300 && !g.PlayerName[0].empty()) {
    const float year = g.GameYear;
    ASSERT_EQ(g.window.txtGame.Text.rfind("- Initiating Turn #" + TurnText(year) + " ", 0), 0u);
    int target = 0;
    while (target < g.WorldCount - 1 && g.WorldOwner[target] == 1) ++target;
    for (int w = 0; w < g.WorldCount && g.CurrentPlayer == 0; ++w) {
      if (g.WorldOwner[w] != 1 || g.WorldShips[w] < 1) continue;
      std::tie(g.SelectedFrom, g.SelectedTo) = std::make_tuple(w, target);
      Sendships(g, 100.0f);
    }
    EndSeatTurn(g);
    if (g.PlayerName[0].empty() || g.GameYear == year) continue;
    ++rounds;
    EXPECT_FALSE(g.InputBusy);
    for (int j = 0; j < kUsedFleetSlots; ++j) ASSERT_GT(g.FleetFrom[j] ? g.FleetTimeLeft[j] : 1, 0.0);
  }
  EXPECT_TRUE(f.NoticeHas("- Ann Has Taken Over The Entire Solar System With An Rating Of "));
  EXPECT_TRUE(g.window.SetupVisible);
  EXPECT_GT(rounds, 3);
}

}  // namespace
}  // namespace zarnath
