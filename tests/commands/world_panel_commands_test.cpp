#include "commands/world_panel_commands.h"

#include "commands/commands_fixture.h"
#include "commands/gathering.h"
#include "model/nearest.h"

namespace zarnath::testing {
namespace {

struct PanelGame : CommandsGame {
  std::vector<std::string> reports;  // lblPlanet's caption each time it was shown
  PanelGame() {
    game.window.lstInfoVisible = true;
    ports.onRefresh = [this](Control c) {
      if (c == Control::kTxtGame && !game.window.txtGame.Text.empty())
        notices.push_back(game.window.txtGame.Text);
      if (c == Control::kLblPlanet && game.window.lblPlanet.Visible)
        reports.push_back(game.window.lblPlanet.Caption);
    };
  }
  CommandOutcome Click(int w, int code, int row = 5) {
    game.window.lstInfoVisible = true;
    return lstInfo_Click(game, view, w, row, code);
  }
};

TEST(WorldPanelCommands, TheHeaderRowAndAHiddenPanelDoNothingAnInfoRowOnlyExits) {
  PanelGame p;
  p.game.SelectedFrom = 3;
  EXPECT_FALSE(lstInfo_Click(p.game, p.view, kAnnHome, 0, 1).ran);
  p.game.window.lstInfoVisible = false;
  EXPECT_FALSE(lstInfo_Click(p.game, p.view, kAnnHome, 4, 1).ran);
  EXPECT_EQ(p.game.WorldShieldOn[kAnnHome], 0);
  EXPECT_EQ(p.game.SelectedFrom, 3);
  const CommandOutcome info = p.Click(kAnnHome, 0, 2);
  EXPECT_TRUE(info.ran);
  EXPECT_FALSE(info.panelHidden);
  EXPECT_EQ(p.game.SelectedFrom, -1);
  EXPECT_FALSE(p.game.InputBusy);
  EXPECT_TRUE(p.ports.Has("ClearHover"));
}

TEST(WorldPanelCommands, ShieldSwitchesOnlyTheSeatsOwnWorldBeforeDone) {
  PanelGame p;
  p.Client(0);
  const CommandOutcome on = p.Click(kAnnHome, 1);
  EXPECT_EQ(p.game.WorldShieldOn[kAnnHome], 1);
  EXPECT_EQ(on.panelRows, (std::vector<PanelRowEdit>{{7, " - Shield: On"}}));
  EXPECT_EQ(p.view.labels[kAnnHome], "10 S");
  EXPECT_EQ(p.notices,
            std::vector<std::string>{"- World " + p.game.WorldName[kAnnHome] + " Shield Now On -"});
  EXPECT_LT(p.Index("Send 0 [PM] 08 1*"), p.Index("Pause 1500"));
  EXPECT_EQ(p.game.window.txtGame.Text, "");

  p.game.WorldNoGather[kAnnHome] = true;  // excluded: the shield mark goes inside the brackets
  p.view.labels[kAnnHome] = "[10 S]";
  EXPECT_EQ(p.Click(kAnnHome, 1).panelRows[0].text, " - Shield: Off");
  EXPECT_EQ(p.view.labels[kAnnHome], "[10]");
  p.Click(kAnnHome, 1);
  EXPECT_EQ(p.view.labels[kAnnHome], "[10 S]");

  p.ports.Clear();
  p.Click(kBobHome, 1);  // another player's world
  p.game.SeatStatus[0] = TurnStatus::kDoneTurn;
  p.Click(kAnnHome, 1);
  EXPECT_EQ(p.game.WorldShieldOn[kBobHome], 0);
  EXPECT_EQ(p.game.WorldShieldOn[kAnnHome], 1);
  EXPECT_TRUE(p.Calls("Send").empty());
}

TEST(WorldPanelCommands, ExclusionAndMarkToggleWithTheirRows) {
  PanelGame p;
  const CommandOutcome out = p.Click(kAnnHome, 6, 10);
  EXPECT_TRUE(p.game.WorldNoGather[kAnnHome]);
  EXPECT_EQ(out.panelRows, (std::vector<PanelRowEdit>{{10, " - Include In Gather - "}}));
  EXPECT_EQ(p.view.labels[kAnnHome], "[10]");
  EXPECT_EQ(p.notices.back(), "- World " + p.game.WorldName[kAnnHome] + " Excluded From Ship Gathering -");
  EXPECT_EQ(p.Click(kAnnHome, 6, 10).panelRows[0].text, " - Exclude From Gather - ");
  EXPECT_FALSE(p.game.WorldNoGather[kAnnHome]);
  // With the names shown the name is bracketed, and the shield marked inside the brackets.
  const std::string name = p.game.WorldName[kAnnHome];
  p.view.labels[kAnnHome] = name;
  p.Click(kAnnHome, 6, 10);
  p.Click(kAnnHome, 1);
  EXPECT_EQ(p.view.labels[kAnnHome], "[" + name + " S]");
  p.Click(kAnnHome, 6, 10);
  p.Click(kAnnHome, 1);
  EXPECT_EQ(p.view.labels[kAnnHome], name);
  p.Click(3, 6);  // not the seat's world
  EXPECT_FALSE(p.game.WorldNoGather[3]);

  EXPECT_EQ(p.Click(3, 10).panelRows, (std::vector<PanelRowEdit>{{9, " - Unmark World - "}}));
  EXPECT_TRUE(p.game.WorldMarked[0][3]);
  EXPECT_EQ(p.Click(3, 10).panelRows, (std::vector<PanelRowEdit>{{9, " - Mark World - "}}));
  EXPECT_FALSE(p.game.WorldMarked[0][3]);
}

TEST(WorldPanelCommands, BombsOpenTheHomeWorldsPopupOrDialogOnTheSeatsOwnWorldOnly) {
  PanelGame p;
  p.game.WorldBombs[kBobHome] = 2;
  p.game.RadarSeen[1] = 1;
  EXPECT_EQ(p.Click(kBobHome, 2).opens, WindowOpens::kNothing);  // another seat's home world
  EXPECT_EQ(p.game.SelectedFrom, -1);

  p.game.WorldBombs[kAnnHome] = 2;
  p.game.RadarSeen[0] = 1;
  const CommandOutcome popup = p.Click(kAnnHome, 2);
  ASSERT_EQ(popup.opens, WindowOpens::kTravelPopup);
  ASSERT_EQ(popup.popup.rows.size(), 3u);
  EXPECT_EQ(popup.popup.rows[1].code, kMenuSetPulse);
  EXPECT_EQ(popup.popup.rows[2].code, kMenuSetProximity);
  EXPECT_EQ(popup.popup.height, 48);
  EXPECT_EQ(popup.popup.width, 245);
  EXPECT_TRUE(popup.panelHidden);
  EXPECT_EQ(p.game.SelectedFrom, kAnnHome);
  EXPECT_EQ(p.game.SelectedTo, kAnnHome);
  EXPECT_FALSE(p.game.InputBusy);

  p.game.WorldType[kAnnHome] = kTypeArmedPulse;
  const CommandOutcome dialog = p.Click(kAnnHome, 2);
  EXPECT_EQ(dialog.opens, WindowOpens::kProximityDialog);
  EXPECT_EQ(dialog.proximityText, " 10");
  EXPECT_EQ(p.game.ProxFrom, kAnnHome);
  EXPECT_EQ(p.game.SelectedFrom, -1);

  p.game.WorldOwner[3] = 1, p.game.WorldBombs[3] = 1;  // not a home world: nothing
  EXPECT_EQ(p.Click(3, 2).opens, WindowOpens::kNothing);
}

TEST(WorldPanelCommands, DistancesHistoryAndTheirRefusals) {
  PanelGame p;
  const CommandOutcome to = p.Click(3, 4);
  EXPECT_TRUE(to.panelHidden);
  EXPECT_EQ(p.view.distances.header,
            "\r\n    World Travel Distances    \r\n    To " + p.game.WorldName[3] + " (in Turns)    \r\n");
  EXPECT_TRUE(p.view.distances.labels[0].italic);  // the panel's world itself
  EXPECT_TRUE(p.view.distances.labels[1].keepLeftOfCentre);
  EXPECT_EQ(p.view.distances.labels[1].world, 0);
  p.game.TurnDone = true;
  EXPECT_FALSE(p.Click(3, 3).panelHidden);
  const CommandOutcome history = p.Click(3, 9);
  EXPECT_EQ(history.opens, WindowOpens::kWorldHistory);
  EXPECT_EQ(history.world, 3);
}

// Gathering: the own worlds within range that hold ships and are not excluded send everything to
// the world, nearest first.
TEST(NearestSends, SendsFromTheNearestWorldsInRangeNearestFirst) {
  PanelGame p;
  for (int w : {0, 1, 2, 4, 5, 6, 7}) p.game.WorldOwner[w] = 1;
  p.game.WorldNoGather[4] = true;
  p.game.WorldShips[5] = 0, p.game.WorldBombs[5] = 1;  // bombs only
  p.game.setup.txtOp[2] = "100";
  NearestTo(p.game, 3, 1);
  std::vector<std::string> expected;
  for (int k = 0; k < kNearestRows; ++k) {
    const int s = static_cast<int>(p.game.NearestList[k][0]);
    if (s >= 0 && s != 4 && s != 5) expected.push_back("Preview " + std::to_string(s) + ">3 ships");
  }
  ASSERT_GE(expected.size(), 4u);
  p.ports.Clear();
  EXPECT_EQ(GatherNearestShips(p.game, p.view, 3), static_cast<int>(expected.size()));
  EXPECT_EQ(p.Calls("Preview"), expected);
  EXPECT_EQ(p.game.WorldShips[4], 10);
  int launched = 0;
  for (int s = 0; s < kUsedFleetSlots; ++s) launched += p.game.FleetFrom[s] != 0 && p.game.FleetTo[s] == 4;
  EXPECT_EQ(launched, static_cast<int>(expected.size()));
}

TEST(NearestSends, TheRangeCountsAnEntryAtItsExactTimeAndNothingAtZero) {
  PanelGame p;
  p.game.WorldOwner[2] = 1;
  NearestTo(p.game, 3, 1);
  const float years = p.game.NearestList[0][1];
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(years) / 0.05);
  p.game.setup.txtOp[2] = text;
  ASSERT_EQ(GatherRange(p.game), years);
  const int nearest = static_cast<int>(p.game.NearestList[0][0]);
  EXPECT_GE(GatherNearestShips(p.game, p.view, 3), 1);
  EXPECT_EQ(p.game.WorldShips[nearest], 0);

  PanelGame none;
  none.game.setup.txtOp[2] = "0";
  EXPECT_EQ(GatherNearestShips(none.game, none.view, 3), 0);
  EXPECT_EQ(none.reports, std::vector<std::string>{"\r\n    There Are No Ships Nearby To World " +
                                                   none.game.WorldName[3] + "!    \r\n"});
}

TEST(NearestSends, ScoutsGoToTheNearestWorldsNotAlreadyTargetedWhileShipsLast) {
  PanelGame p;
  p.game.setup.txtOp[2] = "100";
  p.game.WorldShips[kAnnHome] = 2;
  NearestFrom(p.game, kAnnHome, 1);
  const int first = static_cast<int>(p.game.NearestList[0][0]);
  const int second = static_cast<int>(p.game.NearestList[1][0]);
  const int third = static_cast<int>(p.game.NearestList[2][0]);
  p.Put(50, kAnnHome, first, 1, 3, 0.5f);  // already bound for the nearest
  p.ports.Clear();
  EXPECT_EQ(ScoutNearestWorlds(p.game, p.view, kAnnHome), 2);
  EXPECT_EQ(p.Calls("Preview"), (std::vector<std::string>{"Preview 8>" + std::to_string(second) + " scout",
                                                          "Preview 8>" + std::to_string(third) + " scout"}));
  EXPECT_EQ(p.game.WorldShips[kAnnHome], 0);
}

TEST(NearestSends, NoneGoesToAnotherPlayersWorldDuringATruce) {
  PanelGame p;
  p.game.setup.txtOp[2] = "100";
  p.game.WorldBombs[kAnnHome] = 1;
  p.game.TruceUntilTurn = 12;
  for (int code : {5, 7, 8}) EXPECT_FALSE(p.Click(kBobHome, code).panelHidden) << code;
  EXPECT_TRUE(p.Calls("Preview").empty());
  p.game.TruceUntilTurn = 0;
  EXPECT_TRUE(p.Click(kBobHome, 8).panelHidden);
  EXPECT_EQ(p.Calls("Preview").size(), 1u);
}

TEST(NearestSends, TheNearestScoutAndBombIgnoreTheRange) {
  PanelGame p;
  p.game.setup.txtOp[2] = "0";
  EXPECT_EQ(SendNearestBomb(p.game, p.view, 3), 0);
  EXPECT_EQ(p.reports, std::vector<std::string>{"\r\n    There Are No Bombs Within Range!    \r\n"});
  EXPECT_TRUE(p.ports.Has("Pause 1500"));
  p.game.WorldBombs[kAnnHome] = 1;
  EXPECT_EQ(SendNearestBomb(p.game, p.view, 3), 1);
  EXPECT_EQ(p.game.WorldBombs[kAnnHome], 0);
  EXPECT_EQ(SendNearestScout(p.game, p.view, 3), 1);
  EXPECT_EQ(p.game.WorldShips[kAnnHome], 9);
}

}  // namespace
}  // namespace zarnath::testing
