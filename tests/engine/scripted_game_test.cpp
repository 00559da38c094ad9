// A whole hot-seat game between two scripted humans, turn after turn, through the same steps as
// in the window: the announcement, the orders, Done, the resolution, the next announcement.
#include <gtest/gtest.h>

#include "engine/turn.h"
#include "engine_fixture.h"
#include "model/fleet_table.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

using testing::EngineGame;

// Ann sends every ship of every world she holds against the first world she does not hold; Bob
// only guards his home world. Both press Done.
void PlayScriptedTurn(Game& g) {
  if (g.CurrentPlayer == 0) {
    int target = -1;
    for (int w = 0; w < g.WorldCount && target < 0; ++w)
      if (g.WorldOwner[w] != 1) target = w;
    for (int w = 0; w < g.WorldCount && target >= 0; ++w) {
      if (g.WorldOwner[w] != 1 || g.WorldShips[w] < 1) continue;
      g.SelectedFrom = static_cast<int16_t>(w);
      g.SelectedTo = static_cast<int16_t>(target);
      Sendships(g, 100.0f);
    }
  }
  ImgDone_Click(g);
}

int FirstSeatWithAWorld(const GameState& g) {
  for (int p = 0; p < kSeats; ++p)
    for (int w = 0; w < g.WorldCount; ++w)
      if (g.WorldOwner[w] == p + 1) return p;
  return -1;
}

TEST(ScriptedGame, TwoHumansPlayWholeTurnsUntilAConquestEndsTheGame) {
  EngineGame f;
  Game& g = f.g();
  f.ports.recording = false;
  f.Seat4({{{"Ann"}, {"Bob"}, {}, {}}}, 10);
  g.SpeedGame = true;
  for (int w = 0; w < 10; ++w) {
    g.WorldShips[w] = 5;
    g.WorldShieldOn[w] = 0;
  }
  g.WorldShips[8] = 60;
  std::string result;
  f.ports.onRefresh = [&](Control c) {
    if (c == Control::kTxtGame && g.window.txtGame.Text.find("Entire Solar System") != std::string::npos)
      result = g.window.txtGame.Text;
  };
  ASSERT_TRUE(GameCheck(g));

  int rounds = 0;
  while (rounds < 300 && !g.PlayerName[0].empty()) {
    const float year = g.GameYear;
    ASSERT_FALSE(g.InputBusy);
    ASSERT_EQ(g.window.txtGame.Text.rfind("- Initiating Turn #" + TurnText(g.GameYear) + " ", 0), 0u)
        << g.window.txtGame.Text;
    PlayScriptedTurn(g);
    if (g.PlayerName[0].empty() || g.GameYear == year) continue;
    ++rounds;
    ASSERT_EQ(g.CurrentPlayer, FirstSeatWithAWorld(g));
    for (int j = 0; j < kUsedFleetSlots; ++j) {
      if (g.FleetFrom[j] == 0) continue;
      ASSERT_LE(g.FleetFrom[j], g.WorldCount);
      ASSERT_LE(g.FleetTo[j], g.WorldCount);
      ASSERT_GT(g.FleetTimeLeft[j], 0.0);
    }
  }
  EXPECT_TRUE(g.PlayerName[0].empty()) << "still playing after " << rounds << " rounds";
  EXPECT_EQ(result.rfind("- Ann Has Taken Over The Entire Solar System With An Rating Of ", 0), 0u) << result;
  EXPECT_TRUE(g.window.SetupVisible);
  EXPECT_GT(rounds, 3);
}

}  // namespace
}  // namespace zarnath
