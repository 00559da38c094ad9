#include "model/fleet_table.h"

#include <gtest/gtest.h>

#include <optional>

#include "engine/launch.h"
#include "engine/turn.h"
#include "fixtures/event_log.h"
#include "model/orbit_step.h"
#include "model/travel_time.h"
#include "motion_fixture.h"
#include "net/broadcast.h"

namespace zarnath {
namespace {

using enum LaunchResult;

// Slot `slot` in flight from world 0 to world 1 with `tag` ships.
void Use(GameState& g, int slot, double timeLeft, float tag) {
  g.FleetFrom[slot] = 1, g.FleetTo[slot] = 2, g.FleetTimeLeft[slot] = timeLeft, g.FleetShips[slot] = tag;
}

// Ann's world 0 (ring 50, angle 0, 40 ships, class 3, two bombs) and world 1 (ring 210, angle 0.775),
// both still, selected: the launch search meets world 1 at tick 160 with a = 0.966816.
struct Launcher : testing::TestGame {
  Launcher(float ships = 40, int bombs = 2) {
    testing::StillPair(game, 50, 0.0f, 210, 0.775f);
    game.PlayerName[0] = "Ann", game.WorldOwner[0] = 1, game.WorldClass[0] = 3;
    game.WorldShips[0] = ships, game.WorldBombs[0] = static_cast<int16_t>(bombs);
    Select();
  }
  void Select() { game.SelectedFrom = 0, game.SelectedTo = 1, game.InputBusy = true; }
  bool NothingInFlight() const {
    for (int s = 0; s <= kUsedFleetSlots; ++s)
      if (game.FleetFrom[s] != 0 || game.FleetShips[s] != 0 || game.FleetTimeLeft[s] != 0) return false;
    return true;
  }
  bool Untouched() const { return NothingInFlight() && game.WorldShips[0] == 40 && game.WorldBombs[0] == 2; }
};

TEST(Launch, SharesAndOrdersNeverTakeMoreThanTheWorldHolds) {
  // Ships, bombs, share code (with a kind: an order's ship count), answer, ships sent and left.
  const std::tuple<float, int, float, std::optional<LaunchKind>, LaunchResult, float, float> cases[] = {
      {10.5f, 2, 100, {}, kLaunched, 10, 0.5f},         // Int(11.49) would leave -0.5
      {1, 2, 50, {}, kLaunched, 1, 0},                  // Int(1.49)
      {40.02f, 2, 25, {}, kLaunched, 10, 40.02f - 10},  // Int(10.005 + 0.99)
      {41, 2, -5, {}, kLaunched, 11, 30},               // a quarter: Int(10.25 + 0.99)
      {20000, 2, 100, {}, kLaunched, 9998, 10002},      // 9998 at most: 9999 is a bomb
      {50000, 2, -1, {}, kLaunched, 9998, 40002},       // 12500 would read as a bomb
      {0.5f, 2, 100, {}, kNotEnoughShips, 0, 0.5f},     // less than one whole ship
      {40, 2, 1, {}, kLaunched, kScout, 39},            // a scout takes one ship
      {0.9f, 2, 1, {}, kNotEnoughShips, 0, 0.9f},       // and needs one
      {40, 2, 9999, {}, kLaunched, kAnnihilationBomb, 40},
      {40, 2, 10050, {}, kLaunched, 10050, 40},          // proximity threshold 50
      {40, 2, 10000 + 89999, {}, kLaunched, 99999, 40},  // the largest the record carries
      {40, 0, 9999, {}, kNoBomb, 0, 40},
      {40, 0, 10050, {}, kNoBomb, 0, 40},
      {40, 2, 10000 + 90000, {}, kThresholdTooLarge, 0, 40},
      {40, 2, 10050.5f, {}, kLaunched, 10050.5f, 40},     // a fractional threshold
      {40, 2, 99999.49f, {}, kLaunched, 99999.49f, 40},   // still five digits in the record
      {40, 2, 99999.5f, {}, kThresholdTooLarge, 0, 40},   // would be written as six
      {100, 2, 1, LaunchKind::kFleet, kLaunched, 1, 99},  // an order for one ship stays a fleet
      {99, 2, 100, LaunchKind::kFleet, kNotEnoughShips, 0, 99},
      {99, 2, 2.5f, LaunchKind::kFleet, kNotEnoughShips, 0, 99},
      {99, 2, 0, LaunchKind::kFleet, kNotEnoughShips, 0, 99},
  };
  for (const auto& [ships, bombs, code, kind, result, sent, shipsLeft] : cases) {
    Launcher l(ships, bombs);
    Game& g = l.g();
    SCOPED_TRACE(::testing::Message() << code << " of " << ships);
    EXPECT_EQ(kind ? Launch(g, {0, 1, *kind, code}) : Sendships(g, code), result);
    EXPECT_EQ(g.WorldShips[0], shipsLeft);
    EXPECT_EQ(g.WorldBombs[0], bombs - (sent >= kAnnihilationBomb ? 1 : 0));
    EXPECT_TRUE(result == kLaunched
                    ? g.FleetShips[0] == sent && FleetRecord(g, 0).size() == kFleetRecordLength
                    : l.NothingInFlight());
  }
  for (float code : {0.0f, 0.5f, 0.999f, 100.5f, 150.0f, 9998.0f, 9998.5f, 9999.5f}) {
    Launcher l;  // codes that name no kind of object
    EXPECT_EQ(Sendships(l.g(), code), kInvalidOrder) << code;
    EXPECT_TRUE(l.Untouched());
  }
}

TEST(Launch, FromAWorldNotOfTheSeatToMoveIsRefusedWithNothingCharged) {
  // Owner of the source, seat to move, and the answer.
  const std::tuple<int, int, LaunchResult> cases[] = {
      {1, 0, kLaunched}, {2, 0, kNotOwnWorld}, {0, 0, kNotOwnWorld}, {2, 1, kLaunched}, {1, 4, kNotOwnWorld},
  };
  for (const auto& [owner, seat, result] : cases) {
    for (float code : {100.0f, 1.0f, 9999.0f, 10025.0f}) {
      Launcher l;
      Game& g = l.g();
      g.WorldOwner[0] = static_cast<uint8_t>(owner), g.CurrentPlayer = static_cast<int16_t>(seat);
      SCOPED_TRACE(::testing::Message() << "owner " << owner << " seat " << seat << " code " << code);
      EXPECT_EQ(Sendships(g, code), result);
      if (result != kLaunched) {
        EXPECT_TRUE(l.Untouched());
      }
    }
  }
}

TEST(Launch, UnreachableTargetOrNothingSelectedIsRefusedWithNothingCharged) {
  for (float code : {100.0f, 9999.0f}) {
    Launcher l;
    testing::StillPair(l.g(), 240, 0.0f, 250, 6.279f);
    EXPECT_EQ(Sendships(l.g(), code), kUnreachable);
    EXPECT_TRUE(l.g().TravelYears == kUnreachableYears && l.Untouched());
  }
  for (auto [from, to] : {std::pair{0, -1}, std::pair{-1, 1}, std::pair{0, 9}}) {  // no world 9 of 9
    Launcher l;
    l.g().SelectedFrom = from, l.g().SelectedTo = to;
    EXPECT_EQ(Sendships(l.g(), 100), kNothingSelected);
    EXPECT_EQ(Launch(l.g(), LaunchOrder::Scout(from, to)), kNothingSelected);
    EXPECT_TRUE(l.ports.calls.empty() && l.NothingInFlight() && l.g().InputBusy);
  }
}

// A trip of whole turns arrives at the end of its last turn: the launch keeps the time left in
// 64 bits (as a 32-bit float 0.3 year would lie a hair above 156 ticks and arrive a turn late).
TEST(Launch, TripsOfWholeTurnsArriveInTheirLastTurn) {
  // Where the target stands on the reference ring (the source at angle 0), and the whole turns
  // the launch search finds for the trip.
  const std::tuple<float, int> cases[] = {{2.8105f, 6}, {5.1505f, 11}, {5.6205f, 12}};
  for (const auto& [angle, turns] : cases) {
    SCOPED_TRACE(::testing::Message() << turns << " turns");
    testing::TestGame t;
    Game& g = t.g();
    testing::StillPair(g, 130, 0.0f, 130, angle);
    g.PlayerName[0] = "Ann", g.WorldOwner[0] = 1, g.WorldClass[0] = 3, g.WorldShips[0] = 40;
    g.SpeedGame = true, g.GameYear = 1.0f;
    g.SelectedFrom = 0, g.SelectedTo = 1;
    ASSERT_EQ(Sendships(g, 100), kLaunched);
    ASSERT_EQ(g.TravelYears, static_cast<float>(turns * kTicksPerTurn / 520.0));
    EXPECT_EQ(g.FleetTimeLeft[0], turns * 50 / 1000.0);
    EXPECT_EQ(g.FleetTripTime[0], static_cast<float>(turns * 50 / 1000.0));
    for (int turn = 1; turn <= turns + 1; ++turn) {
      g.GameYear += 0.05f;
      GalaxyRotate(g);
      EXPECT_EQ(g.FleetTimeLeft[0] == 0, turn >= turns) << "after turn " << turn;
    }
  }
}

TEST(Launch, WritesTheSlotAndAHumanLaunchSortsClearsAndRedrawsAComputerOneLeavesAllAloneAClientTellsTheHost) {
  // A quarter of 40 ships on the 160-tick trip: stored as 0.308 years, rounded up to thousandths.
  const std::string record = "0102010001030000.30810.9660.308", sent = "[SEND] 00" + record + "*",
                    shielded = "0102010001030400.30810.9660.308";
  // The model fills the first free slot and leaves the table and the selection to the order's end.
  {
    Launcher l;
    GameState copy = l.g().state();
    Use(copy, 0, 0.5, 7);
    const LaunchOrder order = LaunchOrder::Fleet(0, 1, 10);
    LaunchTrip trip;
    ASSERT_EQ(CheckLaunch(copy, 0, order, &trip), kLaunched);
    EXPECT_EQ(LaunchIntoTable(copy, order, trip), 1);
    EXPECT_EQ(FleetRecord(copy, 1), record);
    EXPECT_TRUE(copy.SelectedTo == 1 && copy.InputBusy);
    // A table filled since the check takes nothing and charges nothing.
    for (int s = 2; s < kUsedFleetSlots; ++s) Use(copy, s, 0.5, 7);
    EXPECT_EQ(LaunchIntoTable(copy, order, trip), -1);
    EXPECT_TRUE(copy.WorldShips[0] == 30 && copy.FleetFrom[kUsedFleetSlots] == 0);
  }
  // Computer seat, network game, host, connected, and the frames sent.
  const std::tuple<bool, bool, bool, bool, std::vector<std::string>> cases[] = {
      {false, false, false, false, {}},   {true, false, false, false, {}},
      {false, true, false, true, {sent}}, {false, true, true, true, {}},  // the host sends nothing
      {false, true, false, false, {}},  // nor does a client without its connection
  };
  for (const auto& [computer, network, host, connected, frames] : cases) {
    Launcher l;
    Game& g = l.g();
    g.setup.chkAI[0] = computer, g.NetworkGame = network;
    g.Role = host ? NetRole::kHost : network ? NetRole::kClient : NetRole::kLocal;
    g.WorldShield[0] = 40, g.setup.chkShield = computer;  // the shield travels only with the option
    l.ports.connected = {connected};
    Broadcast broadcast(g);  // the network frames the client's order
    testing::EventLog log(g);
    Use(g, 0, 0.5, 7);
    ASSERT_EQ(Sendships(g, 25), kLaunched);
    EXPECT_EQ(log.Signatures(), (std::vector<std::string>{"FleetLaunched slot 1", "OrderFinished"}));
    EXPECT_EQ(log.All<turn_event::OrderFinished>().at(0).human, !computer);
    EXPECT_EQ(l.ports.Sent(), frames);
    EXPECT_EQ(l.ports.Has("GalaxyDraw"), !computer);                    // a human's window is redrawn
    EXPECT_EQ(FleetRecord(g, computer), computer ? shielded : record);  // a human's: new trip sorted first
    EXPECT_TRUE(g.TravelYears == static_cast<float>(160 / 520.0) &&
                g.FleetAngleParam[computer] == g.TravelAngle);
    EXPECT_EQ(g.WorldShield[0], 40);
    EXPECT_TRUE(g.SelectedTo == (computer ? 1 : -1) && g.InputBusy == computer);
  }
  Launcher full;  // a full table launches nothing but still ends the order
  testing::EventLog log(full.g());
  for (int s = 0; s < kUsedFleetSlots; ++s) Use(full.g(), s, 0.5 - s * 0.001, 1);
  EXPECT_EQ(Sendships(full.g(), 100), kTableFull);
  EXPECT_TRUE(full.g().WorldShips[0] == 40 && full.g().FleetFrom[100] == 0 && full.g().SelectedFrom == -1);
  EXPECT_LT(full.g().FleetTimeLeft[0], full.g().FleetTimeLeft[99]);  // sorted all the same
  EXPECT_EQ(log.Signatures(), std::vector<std::string>{"OrderFinished"});
}

TEST(FleetTable, SortIsStableMovesWholeSlotsAndLeavesFreeSlotsLast) {
  GameState g;
  Use(g, 1, 0.30, 1), Use(g, 2, 0.10, 2), Use(g, 4, 0.10, 3), Use(g, 97, 0.2, 5);
  g.FleetOwner[97] = 3, g.FleetClass[97] = 4, g.FleetShield[97] = 60;
  g.FleetTripTime[97] = 0.4f, g.FleetAngleParam[97] = -2.5f;
  Use(g, 100, 0.01, 9);  // the spare slot is never part of the table
  SortFleets(g);
  EXPECT_EQ(testing::Four<float>(g.FleetShips, 0), (std::array<float, 4>{2, 3, 5, 1}));
  EXPECT_EQ(FleetRecord(g, 2), "0102030000540600.40007.5000.200");
  for (int s = 4; s < kUsedFleetSlots; ++s) EXPECT_TRUE(IsFreeSlot(g, s) && g.FleetTimeLeft[s] == 0) << s;
  EXPECT_EQ(g.FleetShips[100], 9.0f);
  DataClear(g, 2), DataClear(g, 101), DataClear(g, -1);  // out of the table: nothing happens
  EXPECT_EQ(FleetRecord(g, 2), "0000000000000000.00010.0000.000");
}

TEST(FleetTable, RecordKeepsFixedPositionsAndShiftsTheParameter) {
  GameState g;
  g.FleetFrom[3] = 9, g.FleetTo[3] = 4, g.FleetOwner[3] = 1, g.FleetShips[3] = 25, g.FleetClass[3] = 5;
  g.FleetTripTime[3] = 0.308f, g.FleetAngleParam[3] = -1.2345f, g.FleetTimeLeft[3] = 0.250;
  const std::string example = "0904010002550000.30808.7650.250";
  EXPECT_EQ(FleetRecord(g, 3), example);
  g.FleetShield[3] = 100, g.FleetAngleParam[3] = -6.283184f;  // rounded down: -6.284
  EXPECT_EQ(FleetRecord(g, 3), "0904010002551000.30803.7160.250");

  auto v = ParseFleetRecord(example);
  ASSERT_TRUE(v.has_value());
  EXPECT_TRUE(v->from == 9 && v->to == 4 && v->owner == 1 && v->ships == 25 && v->shipClass == 5 &&
              v->shield == 0 && v->tripTime == 0.308f && v->timeLeft == 0.25f);
  EXPECT_NEAR(v->angleParam, -1.235, 1e-6);
  StoreFleetRecord(g, 7, *v);
  EXPECT_EQ(FleetRecord(g, 7), example);
  StoreFleetRecord(g, 100, *v);                                                  // never the spare slot
  StoreFleetRecord(g, 3, *ParseFleetRecord("0000000000000000.00010.0000.000"));  // a free slot clears it
  EXPECT_TRUE(g.FleetFrom[100] == 0 && IsFreeSlot(g, 3) && g.FleetShips[3] == 0 && g.FleetTimeLeft[3] == 0);
  g.WorldCount = 9;  // an order names worlds of the game, and a free slot is no order
  EXPECT_TRUE(FleetRecordFitsGame(g, *v));
  EXPECT_FALSE(FleetRecordFitsGame(g, {.from = 10, .to = 4}) || FleetRecordFitsGame(g, {}));
}

TEST(FleetTable, EveryLaunchParameterReadsBackToTheSameTextAndMalformedRecordsAreRefused) {
  GameState g;  // the host passes its slots on every turn: a record read and sent on keeps every thousandth
  for (int thousandths = -6284; thousandths <= 9425; ++thousandths) {
    const std::string text = "0904010002550000.308" + Format(thousandths / 1000.0 + 10.0, "00.000") + "0.250";
    StoreFleetRecord(g, 0, ParseFleetRecord(text).value());
    ASSERT_EQ(FleetRecord(g, 0), text);
  }
  // Short, long, a blank, a comma, a missing point, signs, a letter, world 31, from or to nowhere,
  // owner 5, shield 101.
  for (const char* bad : {"", "0904010002550000.30808.7650.25", "0904010002550000.30808.7650.2500",
                          "090401000255000 .30808.7650.250", "0904010002550000,30808.7650.250",
                          "0904010002550000030808.7650.250", "0904010-02550000.30808.7650.250",
                          "0904010002550000.308-8.7650.250", "09040100x2550000.30808.7650.250",
                          "3104010002550000.30808.7650.250", "0931010002550000.30808.7650.250",
                          "0004010002550000.30808.7650.250", "0900010002550000.30808.7650.250",
                          "0904050002550000.30808.7650.250", "0904010002551010.30808.7650.250"})
    EXPECT_FALSE(ParseFleetRecord(bad)) << bad;
}

}  // namespace
}  // namespace zarnath
