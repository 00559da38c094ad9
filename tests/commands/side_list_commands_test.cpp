#include "commands/side_list_commands.h"

#include "commands/commands_fixture.h"
#include "model/fleet_table.h"
#include "model/recall.h"

namespace zarnath::testing {
namespace {

bool SlotFree(const Game& g, int s) {
  return g.FleetFrom[s] == 0 && g.FleetTo[s] == 0 && g.FleetOwner[s] == 0 && g.FleetShips[s] == 0 &&
         g.FleetTripTime[s] == 0 && g.FleetTimeLeft[s] == 0;
}

// A recall answered Yes gives back what was launched and frees the slot.
TEST(Recall, YesRefundsWhatWasLaunchedAndFreesTheSlot) {
  struct Case {
    float code;
    float ships;  // the origin's ships after the refund
    int bombs;    // and its bombs
  };
  for (const Case& k : {Case{12, 22, 0}, Case{kScout, 11, 0}, Case{kAnnihilationBomb, 10, 1},
                        Case{kProximityBombBase + 25, 10, 1}}) {
    CommandsGame c;
    c.game.WorldOwner[3] = 1;
    c.Put(4, 3, 5, 1, k.code, 0.5f);
    c.ports.answers = {Answer::kNo, Answer::kYes};
    EXPECT_EQ(lstTravel_Click(c.game, c.view, 4), TravelClick::kShown);  // No: the path, nothing changes
    EXPECT_EQ(c.game.WorldShips[3], 10);
    EXPECT_FALSE(SlotFree(c.game, 4));
    EXPECT_TRUE(c.ports.Has("FleetPaths 5"));
    EXPECT_LT(c.Index("ShowLabels 4 " + CallNumber(FleetUnscaledNow(c.game, 4).x) + " " +
                      CallNumber(FleetUnscaledNow(c.game, 4).y)),
              c.Index("Pause 2000"));
    EXPECT_EQ(lstTravel_Click(c.game, c.view, 4), TravelClick::kRecalled);
    EXPECT_EQ(c.game.WorldShips[3], k.ships) << k.code;
    EXPECT_EQ(c.game.WorldBombs[3], k.bombs) << k.code;
    EXPECT_TRUE(SlotFree(c.game, 4));
    EXPECT_TRUE(c.ports.Has("Console"));
  }
}

TEST(Recall, AMovedObjectABusyWindowOrNoRowOfferNoRecall) {
  CommandsGame c;
  c.Put(0, kAnnHome, 3, 1, 12, 0.5f, 26);
  EXPECT_EQ(lstTravel_Click(c.game, c.view, 0), TravelClick::kShown);
  EXPECT_FALSE(c.ports.Has("MessageBox Zarnath: Do You Want to Recall This Traveling Fleet?"));
  EXPECT_EQ(lstTravel_Click(c.game, c.view, -1), TravelClick::kNothing);
  EXPECT_EQ(lstTravel_Click(c.game, c.view, 7), TravelClick::kNothing);  // a free slot
  c.Put(1, kAnnHome, 3, 1, 12, 0.5f);
  c.game.InputBusy = true;
  EXPECT_EQ(lstTravel_Click(c.game, c.view, 1), TravelClick::kNothing);
  EXPECT_EQ(c.game.WorldShips[kAnnHome], 10);
}

// A client tells the host first, with the slot's record, then refunds on its own copy.
TEST(Recall, AClientSendsTheRecordBeforeItsRefund) {
  CommandsGame c;
  c.Client(0);
  c.Put(2, kAnnHome, 3, 1, 12, 0.5f);
  const std::string message = "[UNSEND] 00" + FleetRecord(c.game, 2) + "*";
  double shipsWhenSent = -1;
  c.ports.onYield = [&] {
    if (!c.ports.Sent().empty() && shipsWhenSent < 0) shipsWhenSent = c.game.WorldShips[kAnnHome];
  };
  lstTravel_Click(c.game, c.view, 2);
  EXPECT_EQ(c.ports.Sent(), std::vector<std::string>{message});
  EXPECT_EQ(shipsWhenSent, 10);
  EXPECT_EQ(c.game.WorldShips[kAnnHome], 22);
}

// The recall names only the recalling seat's own object that has not moved; anything else is
// refused with nothing refunded. The host finds a client's object by its record.
TEST(Recall, OnlyTheSeatsOwnUnmovedObjectIsRecalled) {
  CommandsGame c;
  c.Put(0, kBobHome, 3, 2, 12, 0.5f);
  c.Put(1, kAnnHome, 3, 1, 12, 0.5f, 1);
  c.Put(2, kAnnHome, 3, 1, 12, 0.5f);
  c.game.FleetTo[3] = 5, c.game.FleetFrom[3] = 40, c.game.FleetOwner[3] = 1;  // worlds not in play
  struct Case {
    int slot, seat;
    RecallResult result;
  };
  for (const Case& k : {Case{0, 0, RecallResult::kNotOwnObject}, Case{1, 0, RecallResult::kAlreadyMoved},
                        Case{2, 1, RecallResult::kNotOwnObject}, Case{2, 4, RecallResult::kNotOwnObject},
                        Case{3, 0, RecallResult::kNoSuchSlot}, Case{5, 0, RecallResult::kFreeSlot},
                        Case{100, 0, RecallResult::kNoSuchSlot}, Case{-1, 0, RecallResult::kNoSuchSlot}}) {
    EXPECT_EQ(Recall(c.game, k.slot, k.seat), k.result) << k.slot << " " << k.seat;
  }
  EXPECT_EQ(c.game.WorldShips[kAnnHome], 10);
  EXPECT_EQ(c.game.WorldShips[kBobHome], 10);
  c.ports.answers = {Answer::kYes};  // another seat's object in the list: only its path is shown
  c.game.CurrentPlayer = 0;
  EXPECT_EQ(lstTravel_Click(c.game, c.view, 0), TravelClick::kShown);
  EXPECT_EQ(c.game.WorldShips[kBobHome], 10);

  EXPECT_EQ(FindSlotByRecord(c.game, FleetRecord(c.game, 2)), 2);
  EXPECT_EQ(FindSlotByRecord(c.game, FleetRecord(c.game, 2).substr(1)), -1);
  const std::string record = FleetRecord(c.game, 2);
  EXPECT_EQ(RecallByRecord(c.game, record, 1), RecallResult::kNotOwnObject);  // sent by another seat
  EXPECT_EQ(RecallByRecord(c.game, record, 0), RecallResult::kRecalled);
  EXPECT_EQ(RecallByRecord(c.game, record, 0), RecallResult::kNoSuchSlot);  // once only
  EXPECT_EQ(c.game.WorldShips[kAnnHome], 22);
}

TEST(OwnedList, AClickPointsTheWorldOutADoubleClickSwitchesItsShield) {
  CommandsGame c;
  lstOwned_Click(c.game, c.view, kAnnHome);
  EXPECT_EQ(c.Calls("Circle").size(), 1u);
  EXPECT_TRUE(c.ports.Has("WorldLabel 8"));
  c.game.SelectedFrom = kAnnHome;  // a source is selected: nothing drawn
  c.ports.Clear();
  lstOwned_Click(c.game, c.view, kAnnHome);
  EXPECT_TRUE(c.Calls("Circle").empty());

  c.Client(0);
  c.game.WorldOwner[3] = 1;
  c.game.SeatStatus[0] = TurnStatus::kDoneTurn;  // the list still switches after Done
  c.ports.Clear();
  EXPECT_EQ(lstOwned_DblClick(c.game, c.view, 1), kAnnHome);  // the second own world
  EXPECT_EQ(c.game.WorldShieldOn[kAnnHome], 1);
  EXPECT_EQ(c.notices,
            std::vector<std::string>{"- World " + c.game.WorldName[kAnnHome] + " Shield Now On -"});
  EXPECT_LT(c.Index("Pause 1500"), c.Index("Send 0 [PM] 08 1*"));
  EXPECT_EQ(lstOwned_DblClick(c.game, c.view, 2), -1);  // fewer own worlds
  EXPECT_EQ(c.game.WorldShieldOn[3], 0);
}

TEST(WorldLabelClicks, LeftOrMiddleTogglesExclusionRightTogglesAnOwnShield) {
  CommandsGame c;
  c.game.WorldShieldOn[kAnnHome] = 1;
  c.view.labels[kAnnHome] = "10 S";
  EXPECT_TRUE(lblName_MouseDown(c.game, c.view, kAnnHome, kLeftButton));
  EXPECT_TRUE(c.game.WorldNoGather[kAnnHome]);
  EXPECT_EQ(c.view.labels[kAnnHome], "[10 S]");
  EXPECT_EQ(c.notices.back(), "- World " + c.game.WorldName[kAnnHome] + " Excluded From Ship Gathering -");
  EXPECT_TRUE(c.ports.Has("Pause 1000"));
  lblName_MouseDown(c.game, c.view, kBobHome, kMiddleButton);  // any world, also another player's
  EXPECT_TRUE(c.game.WorldNoGather[kBobHome]);

  c.Client(0);
  c.ports.Clear();
  lblName_MouseDown(c.game, c.view, kAnnHome, kRightButton);
  EXPECT_EQ(c.game.WorldShieldOn[kAnnHome], 0);
  EXPECT_EQ(c.view.labels[kAnnHome], "[10]");
  EXPECT_LT(c.Index("Send 0 [PM] 08 0*"), c.Index("Label 8 [10]"));
  lblName_MouseDown(c.game, c.view, kAnnHome, kRightButton);
  EXPECT_EQ(c.view.labels[kAnnHome], "[10 S]");

  lblName_MouseDown(c.game, c.view, kBobHome, kRightButton);  // not own: unchanged, the pause still runs
  EXPECT_EQ(c.game.WorldShieldOn[kBobHome], 0);
  c.game.SeatStatus[0] = TurnStatus::kDoneTurn;
  lblName_MouseDown(c.game, c.view, kAnnHome, kRightButton);
  EXPECT_EQ(c.game.WorldShieldOn[kAnnHome], 1);
  EXPECT_EQ(c.game.window.txtGame.Text, "");

  // The hover label (30) and labels of slots not in play are not worlds.
  for (int index : {30, 12, -1, 31}) {
    EXPECT_FALSE(lblName_MouseDown(c.game, c.view, index, kLeftButton));
    EXPECT_FALSE(lblName_MouseDown(c.game, c.view, index, kRightButton));
  }
  EXPECT_FALSE(c.game.WorldNoGather[30]);
}

// While the labels show the worlds' names or their distances, every switch edits that caption: it
// never becomes the ship count, and a name is never cut.
TEST(WorldLabelClicks, TheCaptionShowingIsEditedInPlace) {
  CommandsGame c;
  const std::string name = c.game.WorldName[kAnnHome];
  c.view.labels[kAnnHome] = name;
  lblName_MouseDown(c.game, c.view, kAnnHome, kLeftButton);
  EXPECT_EQ(c.view.labels[kAnnHome], "[" + name + "]");
  lblName_MouseDown(c.game, c.view, kAnnHome, kRightButton);
  EXPECT_EQ(c.view.labels[kAnnHome], "[" + name + " S]");
  lstOwned_DblClick(c.game, c.view, 0);  // off again from the list: inside the brackets too
  EXPECT_EQ(c.view.labels[kAnnHome], "[" + name + "]");
  lblName_MouseDown(c.game, c.view, kAnnHome, kMiddleButton);
  EXPECT_EQ(c.view.labels[kAnnHome], name);
  // A shield switched on before the names were shown: switching it off leaves the name whole.
  lblName_MouseDown(c.game, c.view, kAnnHome, kRightButton);
  c.view.labels[kAnnHome] = name + ": 3";
  lblName_MouseDown(c.game, c.view, kAnnHome, kRightButton);
  EXPECT_EQ(c.view.labels[kAnnHome], name + ": 3");
  EXPECT_EQ(c.game.WorldShieldOn[kAnnHome], 0);
  c.view.labels[kAnnHome] = "Zea";  // shorter than a mark
  lblName_MouseDown(c.game, c.view, kAnnHome, kMiddleButton);
  lblName_MouseDown(c.game, c.view, kAnnHome, kMiddleButton);
  EXPECT_EQ(c.view.labels[kAnnHome], "Zea");
  // A label that shows nothing of the brackets keeps what it shows when the world is included.
  c.view.labels[kBobHome] = "Borea";
  c.game.WorldNoGather[kBobHome] = true;
  lblName_MouseDown(c.game, c.view, kBobHome, kLeftButton);
  EXPECT_EQ(c.view.labels[kBobHome], "Borea");
}

}  // namespace
}  // namespace zarnath::testing
