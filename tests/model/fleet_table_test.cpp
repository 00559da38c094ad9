#include "model/fleet_table.h"

#include <gtest/gtest.h>

#include <string>

#include "fixtures/test_game.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"
#include "motion_fixture.h"

namespace zarnath {
namespace {

// World 0 (ring 50, angle 0) and world 1 (ring 210, angle 0.775), both still: the launch search
// meets world 1 at tick 160 with a = 0.966816, the first a whose ship angle 0.8 a falls in bin 0.77.
struct LaunchTest : ::testing::Test {
  testing::TestGame tg;
  Game& g = tg.g();
  HeadlessPorts& ports = tg.ports;

  void SetUp() override {
    testing::StillPair(g, 50, 0.0f, 210, 0.775f);
    g.PlayerName[0] = "Ann";
    g.setup.chkAI[0] = 0;
    g.CurrentPlayer = 0;
    g.WorldOwner[0] = 1;
    g.WorldShips[0] = 40;
    g.WorldClass[0] = 3;
    g.WorldBombs[0] = 2;
    Select();
  }
  void Select() {
    g.SelectedFrom = 0;
    g.SelectedTo = 1;
    g.InputBusy = true;
  }
  bool NothingInFlight() const {
    for (int s = 0; s <= kUsedFleetSlots; ++s)
      if (g.FleetFrom[s] != 0 || g.FleetShips[s] != 0 || g.FleetTimeLeft[s] != 0) return false;
    return true;
  }
};

// --- share codes ---

TEST_F(LaunchTest, FleetShareIsRoundedUpButNeverMoreThanTheWholeShipsPresent) {
  g.WorldShips[0] = 10.5f;
  EXPECT_EQ(Sendships(g, 100), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetShips[0], 10.0f);  // Int(11.49) would leave the world at -0.5
  EXPECT_EQ(g.WorldShips[0], 0.5f);

  Select();
  g.WorldShips[0] = 1;
  EXPECT_EQ(Sendships(g, 50), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetShips[1], 1.0f);  // Int(1.49)
  EXPECT_EQ(g.WorldShips[0], 0.0f);

  Select();
  g.WorldShips[0] = 40;
  EXPECT_EQ(Sendships(g, 25), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetShips[2], 10.0f);  // Int(10.99)
  EXPECT_EQ(g.WorldShips[0], 30.0f);
}

TEST_F(LaunchTest, FleetShareStopsAt9998SoTheBombCodeStaysFree) {
  g.WorldShips[0] = 20000;
  EXPECT_EQ(Sendships(g, 100), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetShips[0], 9998.0f);
  EXPECT_EQ(g.WorldShips[0], 10002.0f);

  // The quarter of a negative code too: 12500 ships would read as a proximity bomb.
  Select();
  g.WorldShips[0] = 50000;
  EXPECT_EQ(Sendships(g, -1), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetShips[1], 9998.0f);
}

TEST_F(LaunchTest, NegativeCodeSendsAQuarter) {
  g.WorldShips[0] = 41;
  EXPECT_EQ(Sendships(g, -5), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetShips[0], 11.0f);  // Int(10.25 + 0.99)
  EXPECT_EQ(g.WorldShips[0], 30.0f);
}

TEST_F(LaunchTest, ShareOfLessThanOneWholeShipIsRefused) {
  g.WorldShips[0] = 0.5f;
  EXPECT_EQ(Sendships(g, 100), LaunchResult::kNotEnoughShips);
  EXPECT_EQ(g.WorldShips[0], 0.5f);
  EXPECT_TRUE(NothingInFlight());
}

TEST_F(LaunchTest, ScoutTakesOneShipAndNeedsOne) {
  EXPECT_EQ(Sendships(g, 1), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetFrom[0], 1);
  EXPECT_EQ(g.FleetShips[0], kScout);
  EXPECT_EQ(g.WorldShips[0], 39.0f);

  Select();
  g.WorldShips[0] = 0.9f;
  EXPECT_EQ(Sendships(g, 1), LaunchResult::kNotEnoughShips);
  EXPECT_EQ(g.WorldShips[0], 0.9f);
  EXPECT_EQ(g.FleetFrom[1], 0);
}

TEST_F(LaunchTest, CodesThatNameNoKindLaunchNothing) {
  for (float code : {0.0f, 0.5f, 0.999f, 100.5f, 150.0f, 9998.0f, 9998.5f, 9999.5f}) {
    Select();
    EXPECT_EQ(Sendships(g, code), LaunchResult::kInvalidOrder) << code;
  }
  EXPECT_TRUE(NothingInFlight());
  EXPECT_EQ(g.WorldShips[0], 40.0f);
  EXPECT_EQ(g.WorldBombs[0], 2);
}

TEST_F(LaunchTest, BombsTakeOneBombAndNoShips) {
  EXPECT_EQ(Sendships(g, 9999), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetShips[0], kAnnihilationBomb);
  Select();
  EXPECT_EQ(Sendships(g, 10050), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetShips[1], 10050.0f);  // a proximity bomb with threshold 50
  EXPECT_EQ(g.WorldBombs[0], 0);
  EXPECT_EQ(g.WorldShips[0], 40.0f);

  Select();
  EXPECT_EQ(Sendships(g, 9999), LaunchResult::kNoBomb);
  Select();
  EXPECT_EQ(Sendships(g, 10050), LaunchResult::kNoBomb);
  EXPECT_EQ(g.WorldBombs[0], 0);
  EXPECT_EQ(g.FleetFrom[2], 0);
}

TEST_F(LaunchTest, ProximityThresholdMustFitTheSlotRecord) {
  EXPECT_EQ(Sendships(g, 10000 + 89999), LaunchResult::kLaunched);
  EXPECT_EQ(FleetRecord(g, 0).size(), kFleetRecordLength);
  Select();
  EXPECT_EQ(Sendships(g, 10000 + 90000), LaunchResult::kThresholdTooLarge);
  Select();
  EXPECT_EQ(Sendships(g, 10050.5f), LaunchResult::kThresholdTooLarge);
  EXPECT_EQ(g.WorldBombs[0], 1);
  EXPECT_EQ(g.FleetFrom[1], 0);
}

TEST_F(LaunchTest, OrderForOneShipStaysAFleet) {
  g.WorldShips[0] = 100;
  EXPECT_EQ(Launch(g, {LaunchKind::kFleet, 1}), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetShips[0], 1.0f);
  EXPECT_EQ(g.WorldShips[0], 99.0f);

  Select();
  EXPECT_EQ(Launch(g, {LaunchKind::kFleet, 100}), LaunchResult::kNotEnoughShips);
  Select();
  EXPECT_EQ(Launch(g, {LaunchKind::kFleet, 2.5f}), LaunchResult::kNotEnoughShips);
  Select();
  EXPECT_EQ(Launch(g, {LaunchKind::kFleet, 0}), LaunchResult::kNotEnoughShips);
  EXPECT_EQ(g.WorldShips[0], 99.0f);
  EXPECT_EQ(g.FleetFrom[1], 0);
}

TEST_F(LaunchTest, ShieldTravelsOnlyWithTheOption) {
  g.WorldShield[0] = 40;
  g.setup.chkShield = 1;
  Sendships(g, 50);
  EXPECT_EQ(g.FleetShield[0], 40);
  EXPECT_EQ(g.WorldShield[0], 40);
  Select();
  g.setup.chkShield = 0;
  Sendships(g, 50);
  EXPECT_EQ(g.FleetShield[1], 0);
}

// --- what a launch writes ---

TEST_F(LaunchTest, TripOf160TicksIsStoredAsThousandthsRoundedUp) {
  ASSERT_EQ(Sendships(g, 25), LaunchResult::kLaunched);
  EXPECT_EQ(g.TravelYears, static_cast<float>(160 / 520.0));
  EXPECT_EQ(g.FleetTripTime[0], 0.308f);
  EXPECT_EQ(g.FleetTimeLeft[0], static_cast<double>(0.308f));
  EXPECT_EQ(g.FleetAngleParam[0], g.TravelAngle);
  EXPECT_NEAR(g.FleetAngleParam[0], 0.966816f, 1e-5);
  EXPECT_EQ(g.FleetTo[0], 2);
  EXPECT_EQ(g.FleetOwner[0], 1);
  EXPECT_EQ(g.FleetClass[0], 3);
  EXPECT_EQ(FleetRecord(g, 0), "0102010001030000.30810.9660.308");
}

TEST_F(LaunchTest, UnreachableTargetIsRefusedWithNothingCharged) {
  testing::StillPair(g, 240, 0.0f, 250, 6.279f);
  EXPECT_EQ(Sendships(g, 100), LaunchResult::kUnreachable);
  EXPECT_EQ(g.TravelYears, kUnreachableYears);
  EXPECT_EQ(g.WorldShips[0], 40.0f);
  Select();
  EXPECT_EQ(Sendships(g, 9999), LaunchResult::kUnreachable);
  EXPECT_EQ(g.WorldBombs[0], 2);
  EXPECT_TRUE(NothingInFlight());
}

TEST_F(LaunchTest, FullTableLaunchesNothingButStillEndsTheOrder) {
  for (int s = 0; s < kUsedFleetSlots; ++s) {
    g.FleetFrom[s] = 1;
    g.FleetTo[s] = 2;
    g.FleetTimeLeft[s] = 0.5 - s * 0.001;
  }
  g.NetworkGame = true;
  g.setup.OptServerClient0 = false;
  ports.connected = {true};
  EXPECT_EQ(Sendships(g, 100), LaunchResult::kTableFull);
  EXPECT_EQ(g.WorldShips[0], 40.0f);
  EXPECT_EQ(g.FleetFrom[100], 0);
  EXPECT_TRUE(ports.Sent().empty());
  // The human seat still gets the sorted table, the cleared selection and the redraw.
  EXPECT_LT(g.FleetTimeLeft[0], g.FleetTimeLeft[99]);
  EXPECT_EQ(g.SelectedFrom, -1);
  EXPECT_EQ(ports.calls, (std::vector<std::string>{"GalaxyDraw", "Console", "Yield"}));
}

TEST_F(LaunchTest, NothingSelectedDoesNothingAtAll) {
  g.SelectedTo = -1;
  EXPECT_EQ(Sendships(g, 100), LaunchResult::kNothingSelected);
  g.SelectedTo = 1;
  g.SelectedFrom = -1;
  EXPECT_EQ(Launch(g, {LaunchKind::kScout, 0}), LaunchResult::kNothingSelected);
  g.SelectedFrom = 0;
  g.SelectedTo = 9;  // not a world of this 9-world game
  EXPECT_EQ(Sendships(g, 100), LaunchResult::kNothingSelected);
  EXPECT_TRUE(ports.calls.empty());
  EXPECT_TRUE(NothingInFlight());
  EXPECT_TRUE(g.InputBusy);
}

// --- the end of a launch: human and computer seats, network client ---

TEST_F(LaunchTest, HumanLaunchSortsClearsTheSelectionAndRedraws) {
  g.FleetFrom[0] = 1;
  g.FleetTo[0] = 2;
  g.FleetShips[0] = 7;
  g.FleetTimeLeft[0] = 0.5;
  ASSERT_EQ(Sendships(g, 50), LaunchResult::kLaunched);
  EXPECT_EQ(g.FleetShips[0], 20.0f);  // the new 0.308 trip now stands first
  EXPECT_EQ(g.FleetShips[1], 7.0f);
  EXPECT_EQ(g.SelectedFrom, -1);
  EXPECT_EQ(g.SelectedTo, -1);
  EXPECT_FALSE(g.InputBusy);
  EXPECT_EQ(ports.calls, (std::vector<std::string>{"GalaxyDraw", "Console", "Yield"}));
}

TEST_F(LaunchTest, ComputerLaunchLeavesTableSelectionAndWindowAlone) {
  g.setup.chkAI[0] = 1;
  g.FleetFrom[0] = 1;
  g.FleetTo[0] = 2;
  g.FleetShips[0] = 7;
  g.FleetTimeLeft[0] = 0.5;
  ASSERT_EQ(Sendships(g, 50), LaunchResult::kLaunched);
  ASSERT_EQ(Sendships(g, 1), LaunchResult::kLaunched);  // a second order from the same selection
  EXPECT_EQ(g.FleetShips[0], 7.0f);
  EXPECT_EQ(g.FleetShips[1], 20.0f);
  EXPECT_EQ(g.FleetShips[2], kScout);
  EXPECT_EQ(g.SelectedFrom, 0);
  EXPECT_EQ(g.SelectedTo, 1);
  EXPECT_TRUE(g.InputBusy);
  EXPECT_EQ(ports.calls, (std::vector<std::string>{"Yield", "Yield"}));
}

TEST_F(LaunchTest, ClientSendsTheOrderToTheHostAndKeepsItsOwnSlot) {
  g.NetworkGame = true;
  g.setup.OptServerClient0 = false;
  ports.connected = {true};
  ASSERT_EQ(Sendships(g, 25), LaunchResult::kLaunched);
  EXPECT_EQ(ports.calls, (std::vector<std::string>{"Send 0 [SEND] 000102010001030000.30810.9660.308*",
                                                   "Yield", "GalaxyDraw", "Console", "Yield"}));
  EXPECT_EQ(g.FleetFrom[0], 1);
  EXPECT_EQ(g.WorldShips[0], 30.0f);
}

TEST_F(LaunchTest, HostAndUnconnectedClientSendNothing) {
  g.NetworkGame = true;
  ports.connected = {true};
  g.setup.OptServerClient0 = true;
  Sendships(g, 25);
  Select();
  g.setup.OptServerClient0 = false;
  ports.connected = {false};
  Sendships(g, 25);
  EXPECT_TRUE(ports.Sent().empty());
  EXPECT_EQ(g.FleetFrom[1], 1);
}

// --- order of the table ---

void Use(GameState& g, int slot, double timeLeft, float tag) {
  g.FleetFrom[slot] = 1;
  g.FleetTo[slot] = 2;
  g.FleetTimeLeft[slot] = timeLeft;
  g.FleetShips[slot] = tag;
}

TEST(FleetTableOrder, SortIsStableByTimeLeftWithFreeSlotsLast) {
  GameState g;
  Use(g, 1, 0.30, 1);
  Use(g, 2, 0.10, 2);
  Use(g, 4, 0.10, 3);
  Use(g, 100, 0.01, 9);  // the spare slot is never part of the table
  SortFleets(g);
  EXPECT_EQ(g.FleetShips[0], 2.0f);  // the 0.10 that stood earlier
  EXPECT_EQ(g.FleetShips[1], 3.0f);
  EXPECT_EQ(g.FleetShips[2], 1.0f);
  EXPECT_EQ(g.FleetTimeLeft[0], 0.10);
  EXPECT_EQ(g.FleetTimeLeft[2], 0.30);
  for (int s = 3; s < kUsedFleetSlots; ++s) {
    EXPECT_EQ(g.FleetFrom[s], 0) << s;
    EXPECT_EQ(g.FleetTimeLeft[s], 0.0) << s;
  }
  EXPECT_EQ(g.FleetShips[100], 9.0f);
  EXPECT_EQ(g.FleetTimeLeft[100], 0.01);
}

TEST(FleetTableOrder, SortMovesWholeSlots) {
  GameState g;
  Use(g, 97, 0.2, 5);
  g.FleetOwner[97] = 3;
  g.FleetClass[97] = 4;
  g.FleetShield[97] = 60;
  g.FleetTripTime[97] = 0.4f;
  g.FleetAngleParam[97] = -2.5f;
  Use(g, 99, 0.1, 6);
  SortFleets(g);
  EXPECT_EQ(g.FleetShips[0], 6.0f);
  EXPECT_EQ(g.FleetShips[1], 5.0f);
  EXPECT_EQ(g.FleetOwner[1], 3);
  EXPECT_EQ(g.FleetClass[1], 4);
  EXPECT_EQ(g.FleetShield[1], 60);
  EXPECT_EQ(g.FleetTripTime[1], 0.4f);
  EXPECT_EQ(g.FleetAngleParam[1], -2.5f);
  EXPECT_EQ(g.FleetFrom[97], 0);
  EXPECT_EQ(g.FleetOwner[97], 0);
  EXPECT_EQ(g.FleetFrom[99], 0);
}

TEST(FleetTableOrder, DataClearFreesTheWholeSlot) {
  GameState g;
  Use(g, 5, 0.2, 12);
  g.FleetOwner[5] = 2;
  g.FleetClass[5] = 5;
  g.FleetShield[5] = 10;
  g.FleetTripTime[5] = 0.3f;
  g.FleetAngleParam[5] = 1.5f;
  DataClear(g, 5);
  EXPECT_EQ(FleetRecord(g, 5), "0000000000000000.00010.0000.000");
  DataClear(g, 101);  // out of the table: nothing happens
  DataClear(g, -1);
}

// --- the slot record ---

GameState ExampleSlot() {
  GameState g;
  g.FleetFrom[3] = 9;
  g.FleetTo[3] = 4;
  g.FleetOwner[3] = 1;
  g.FleetShips[3] = 25;
  g.FleetClass[3] = 5;
  g.FleetShield[3] = 0;
  g.FleetTripTime[3] = 0.308f;
  g.FleetAngleParam[3] = -1.2345f;
  g.FleetTimeLeft[3] = 0.250;
  return g;
}

TEST(FleetRecordText, FixedPositionsAndTheShiftedParameter) {
  const GameState g = ExampleSlot();
  EXPECT_EQ(FleetRecord(g, 3), "0904010002550000.30808.7650.250");

  GameState h;
  h.FleetFrom[0] = 30;
  h.FleetTo[0] = 1;
  h.FleetOwner[0] = 4;
  h.FleetShips[0] = 10000 + 89999;
  h.FleetClass[0] = 1;
  h.FleetShield[0] = 100;
  h.FleetTripTime[0] = 0.75f;
  h.FleetAngleParam[0] = -6.283184f;  // rounded down: -6.284
  h.FleetTimeLeft[0] = 0.0;
  EXPECT_EQ(FleetRecord(h, 0), "3001049999911000.75003.7160.000");
  h.FleetAngleParam[0] = 9.41684f;
  EXPECT_EQ(FleetRecord(h, 0).substr(20, 6), "19.416");
}

TEST(FleetRecordText, ReadsBackWhatWasWritten) {
  auto v = ParseFleetRecord("0904010002550000.30808.7650.250");
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(v->from, 9);
  EXPECT_EQ(v->to, 4);
  EXPECT_EQ(v->owner, 1);
  EXPECT_EQ(v->ships, 25.0f);
  EXPECT_EQ(v->shipClass, 5);
  EXPECT_EQ(v->shield, 0);
  EXPECT_EQ(v->tripTime, 0.308f);
  EXPECT_NEAR(v->angleParam, -1.235, 1e-6);
  EXPECT_EQ(v->timeLeft, 0.25f);

  GameState g;
  StoreFleetRecord(g, 7, *v);
  EXPECT_NEAR(g.FleetAngleParam[7], -1.235, 1e-6);
  EXPECT_EQ(g.FleetTimeLeft[7], 0.25);
  EXPECT_EQ(FleetRecord(g, 7), "0904010002550000.30808.7650.250");
}

TEST(FleetRecordText, EveryLaunchParameterReadsBackToTheSameText) {
  // A record read and sent on (the host passes its slots to the clients every turn) must not
  // lose a thousandth of the parameter on the way.
  GameState g;
  int checked = 0;
  for (int thousandths = -6284; thousandths <= 9425; ++thousandths) {
    const std::string param = Format(thousandths / 1000.0 + 10.0, "00.000");
    const std::string text = "0904010002550000.308" + param + "0.250";
    auto v = ParseFleetRecord(text);
    ASSERT_TRUE(v) << text;
    StoreFleetRecord(g, 0, *v);
    ASSERT_EQ(FleetRecord(g, 0), text);
    ++checked;
  }
  EXPECT_EQ(checked, 15710);
}

TEST(FleetRecordText, FreeSlotRecordClearsTheSlot) {
  GameState g = ExampleSlot();
  auto v = ParseFleetRecord("0000000000000000.00010.0000.000");
  ASSERT_TRUE(v.has_value());
  StoreFleetRecord(g, 3, *v);
  EXPECT_EQ(g.FleetFrom[3], 0);
  EXPECT_EQ(g.FleetShips[3], 0.0f);
  EXPECT_EQ(g.FleetTimeLeft[3], 0.0);
  EXPECT_EQ(g.FleetAngleParam[3], 0.0f);

  StoreFleetRecord(g, 100, *ParseFleetRecord("0904010002550000.30808.7650.250"));  // never the spare slot
  EXPECT_EQ(g.FleetFrom[100], 0);
}

TEST(FleetRecordText, MalformedRecordsAreRefused) {
  const std::string good = "0904010002550000.30808.7650.250";
  ASSERT_TRUE(ParseFleetRecord(good));
  for (const char* bad : {
           "",
           "0904010002550000.30808.7650.25",    // short
           "0904010002550000.30808.7650.2500",  // long
           "090401000255000 .30808.7650.250",   // blank
           "0904010002550000,30808.7650.250",   // comma
           "0904010002550000030808.7650.250",   // no point
           "0904010-02550000.30808.7650.250",   // sign
           "0904010002550000.308-8.7650.250",   // sign in the parameter
           "09040100x2550000.30808.7650.250",   // letter
           "3104010002550000.30808.7650.250",   // no world 31
           "0931010002550000.30808.7650.250",   // no world 31
           "0004010002550000.30808.7650.250",   // from nowhere to a world
           "0900010002550000.30808.7650.250",   // from a world to nowhere
           "0904050002550000.30808.7650.250",   // owner 5
           "0904010002551010.30808.7650.250",   // shield 101
       }) {
    EXPECT_FALSE(ParseFleetRecord(bad)) << bad;
  }
}

TEST(FleetRecordText, RecordMustNameWorldsOfTheGame) {
  GameState g;
  g.WorldCount = 9;
  auto v = ParseFleetRecord("0904010002550000.30808.7650.250");
  ASSERT_TRUE(v);
  EXPECT_TRUE(FleetRecordFitsGame(g, *v));
  v->from = 10;
  EXPECT_FALSE(FleetRecordFitsGame(g, *v));
  v->from = 0;
  v->to = 0;
  EXPECT_FALSE(FleetRecordFitsGame(g, *v));  // a free slot is no order
}

}  // namespace
}  // namespace zarnath
