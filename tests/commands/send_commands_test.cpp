#include "commands/send_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "model/game.h"
#include "model/motion_fixture.h"
#include "model/side_lists.h"

namespace zarnath {
namespace {

// Ann's world 0 "Ares" (ring 50) and world 1 "Zea" (ring 210), both still and selected; a turn of
// Ann's at this computer, with the travel popup holding the window busy.
struct Sender : testing::TestGame {
  explicit Sender(float ships = 5, int bombs = 0) {
    testing::StillPair(game, 50, 0.0f, 210, 0.775f);
    game.PlayerName[0] = "Ann", game.WorldOwner[0] = 1, game.WorldClass[0] = 3;
    game.WorldName[0] = "Ares", game.WorldName[1] = "Zea";
    game.WorldShips[0] = ships, game.WorldBombs[0] = static_cast<int16_t>(bombs);
    game.SelectedFrom = 0, game.SelectedTo = 1, game.InputBusy = true;
  }
};

TEST(SendCommands, HalfOfFiveShipsLeavesTwoAndListsThreeOnTheWay) {
  Sender s;
  Game& g = s.g();
  const SendOutcome out = mnuComSend50_Click(g);
  EXPECT_TRUE(out.ran && out.result == LaunchResult::kLaunched && out.notice.empty());
  EXPECT_EQ(g.WorldShips[0], 2.0f);
  const SideLists panes = BuildSideLists(g);
  ASSERT_EQ(panes.travel.size(), 1u);
  EXPECT_EQ(panes.travel[0].text.rfind(" 3 Ships Will Reach World Zea in ", 0), 0u) << panes.travel[0].text;
  EXPECT_TRUE(g.SelectedFrom == -1 && g.SelectedTo == -1 && !g.InputBusy);
}

TEST(SendCommands, EachItemSendsItsShareOrObject) {
  const std::tuple<SendCommand, float, float, float> cases[] = {
      // command, ships sent (the code), ships left, bombs left
      {SendCommand::kScout, kScout, 39, 1}, {SendCommand::kAll, 40, 0, 1}, {SendCommand::k75, 30, 10, 1},
      {SendCommand::k25, 10, 30, 1},        {SendCommand::k10, 4, 36, 1},  {SendCommand::kBomb, 9999, 40, 0},
  };
  for (const auto& [command, code, left, bombs] : cases) {
    Sender s(40, 1);
    RunSendCommand(s.g(), command);
    EXPECT_EQ(s.g().FleetShips[0], code) << kSendCommands[static_cast<size_t>(command)].caption;
    EXPECT_EQ(s.g().WorldShips[0], left);
    EXPECT_EQ(s.g().WorldBombs[0], bombs);
  }
}

TEST(SendCommands, ARefusedLaunchIsExplainedInTheNoticeLine) {
  const std::tuple<const char*, void (*)(Game&), SendCommand, std::string> cases[] = {
      {"no bomb", [](Game&) {}, SendCommand::kBomb, "- No Bomb Left On World Ares! -"},
      {"no ship", [](Game& g) { g.WorldShips[0] = 0.5f; }, SendCommand::kAll,
       "- Not Enough Ships On World Ares To Send! -"},
      {"no scout", [](Game& g) { g.WorldShips[0] = 0; }, SendCommand::kScout,
       "- Not Enough Ships On World Ares To Send! -"},
      {"Bob's world", [](Game& g) { g.WorldOwner[0] = 2; }, SendCommand::k50,
       "- World Ares Is Not Yours To Send From! -"},
      {"out of reach", [](Game& g) { testing::StillPair(g, 240, 0.0f, 250, 6.279f); }, SendCommand::k50,
       "- World Zea Cannot Be Reached From World Ares! -"},
  };
  for (const auto& [what, prepare, command, notice] : cases) {
    Sender s;
    prepare(s.g());
    const SendOutcome out = RunSendCommand(s.g(), command);
    EXPECT_EQ(out.notice, notice) << what;
    EXPECT_TRUE(s.g().FleetFrom[0] == 0 && s.g().WorldBombs[0] == 0) << what;
    EXPECT_TRUE(s.ports.Has("Pause 1500")) << what;
    EXPECT_TRUE(s.g().window.txtGame.Text.empty()) << what;  // cleared after the pause
  }
  Sender full;  // a full table
  for (int j = 0; j < kUsedFleetSlots; ++j) full.g().FleetFrom[j] = 2, full.g().FleetTimeLeft[j] = 0.5;
  EXPECT_EQ(mnuComSendAll_Click(full.g()).notice, "- Too Many Objects In Flight, Nothing Sent! -");
  EXPECT_EQ(LaunchRefusalText(full.g(), LaunchResult::kThresholdTooLarge, 0, 1),
            "- Proximity Bomb Threshold Too Large, Nothing Sent! -");
  EXPECT_EQ(LaunchRefusalText(full.g(), LaunchResult::kNothingSelected, -1, -1), "");
  EXPECT_EQ(LaunchRefusalText(full.g(), LaunchResult::kTruce, 0, 1),
            "- The Battle Truce Protects World Zea, Nothing Sent! -");
}

TEST(SendCommands, DoNothingWithoutASourceWhileATurnIsResolvedOrForAComputerSeat) {
  const std::pair<const char*, void (*)(Game&)> cases[] = {
      {"no source", [](Game& g) { g.SelectedFrom = -1; }},
      {"resolving", [](Game& g) { g.TurnResolving = true; }},
      {"computer to move", [](Game& g) { g.setup.chkAI[0] = 1; }},
  };
  for (const auto& [what, prepare] : cases) {
    Sender s;
    prepare(s.g());
    const int from = s.g().SelectedFrom;
    EXPECT_FALSE(RunSendCommand(s.g(), SendCommand::kAll).ran) << what;
    EXPECT_TRUE(s.g().FleetFrom[0] == 0 && s.g().WorldShips[0] == 5) << what;
    // The busy flag that another operation set stays set, and so does the selection.
    EXPECT_TRUE(s.g().InputBusy && s.g().SelectedFrom == from && s.ports.calls.empty()) << what;
  }
  Sender noTarget;  // a source without a target: the launch does nothing
  noTarget.g().SelectedTo = -1;
  const SendOutcome out = mnuComSendScout_Click(noTarget.g());
  EXPECT_TRUE(out.ran && out.result == LaunchResult::kNothingSelected && out.notice.empty());
  EXPECT_EQ(noTarget.g().WorldShips[0], 5);
}

// A popup row clicked while the end of the turn yields (an arrival, a battle) sends nothing and
// leaves the resolution's lock in place.
TEST(SendCommands, AreRefusedAtEveryYieldOfTheEndOfTurn) {
  EngineGame f("AB..");
  Game& g = f.game;
  g.SpeedGame = true;
  f.Put(0, 9, 8, 2, 5, 0.2f, 104 - 13);  // Bob's fleet lands on Ann's home world this turn
  int tries = 0, ran = 0;
  f.ports.onYield = [&] {
    if (!g.TurnResolving) return;
    g.SelectedFrom = 8, g.SelectedTo = 9, ++tries;
    ran += mnuComSendAll_Click(g).ran ? 1 : 0;
    EXPECT_TRUE(g.InputBusy);
  };
  EndTurn(g);
  EXPECT_GT(tries, 2);
  EXPECT_EQ(ran, 0);
  EXPECT_FALSE(g.TurnResolving || g.InputBusy);
  for (int j = 0; j < kUsedFleetSlots; ++j) EXPECT_NE(g.FleetOwner[j], 1) << j;  // nothing of Ann's flies
}

}  // namespace
}  // namespace zarnath
