// The end-of-turn cycle: production and shields, the order of the resolution and what the host
// streams to its clients, arrivals, the side lists and the autosave.
#include <gtest/gtest.h>

#include <regex>

#include "engine/turn.h"
#include "engine_fixture.h"
#include "model/fleet_table.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

using testing::EngineGame;

struct Duel : EngineGame {
  Duel() {
    Seat4({{{"Ann"}, {"Bob"}, {}, {}}});
    game.SpeedGame = true;
  }
};

TEST(Production, AShieldThatOverflowsSwitchesOffAndTheExcessBecomesShips) {
  Duel f;
  Game& g = f.g();
  g.WorldOwner[3] = 1;
  g.WorldShield[3] = 95;
  g.WorldProduction[3] = 10;
  g.WorldShieldOn[3] = 1;
  g.WorldShips[3] = 20;
  f.AtTurn(1);
  ApplyProduction(g);
  EXPECT_EQ(g.WorldShield[3], 100);
  EXPECT_EQ(g.WorldShieldOn[3], 0);
  EXPECT_EQ(g.WorldShips[3], 25.0f);
}

TEST(Production, AShieldThatLandsOnAHundredStaysOnUntilTheNextTurn) {
  Duel f;
  Game& g = f.g();
  g.WorldOwner[3] = 1;
  g.WorldShield[3] = 95;
  g.WorldProduction[3] = 5;
  g.WorldShieldOn[3] = 1;
  g.WorldShips[3] = 20;
  f.AtTurn(1);
  ApplyProduction(g);
  EXPECT_EQ(g.WorldShield[3], 100);
  EXPECT_EQ(g.WorldShieldOn[3], 1);
  EXPECT_EQ(g.WorldShips[3], 20.0f);
  ApplyProduction(g);  // switched off before production, then the ships grow
  EXPECT_EQ(g.WorldShieldOn[3], 0);
  EXPECT_EQ(g.WorldShield[3], 100);
  EXPECT_EQ(g.WorldShips[3], 25.0f);
}

TEST(Production, ANeutralGarrisonAboveTheTurnNumberRollsForItsShield) {
  Duel f;
  Game& g = f.g();
  for (int w = 0; w < g.WorldCount; ++w) g.WorldShield[w] = 100;  // no other world draws
  g.WorldShield[3] = 0;
  g.WorldShips[3] = 5;
  f.AtTurn(3);
  uint64_t before = g.random.State();
  ApplyProduction(g);
  EXPECT_NE(g.random.State(), before);
  f.AtTurn(5);  // 5 ships are not more than turn 5
  g.WorldShips[3] = 5;
  before = g.random.State();
  ApplyProduction(g);
  EXPECT_EQ(g.random.State(), before);

  g.WorldOwner[3] = 1;  // an owned world never switches by itself
  g.WorldShips[3] = 50;
  before = g.random.State();
  ApplyProduction(g);
  EXPECT_EQ(g.random.State(), before);
}

TEST(EndOfTurn, ArrivalsLandEarliestFirstAndTiesKeepTheirOrder) {
  Duel f;
  Game& g = f.g();
  g.WorldShips[8] = 100;
  g.WorldName[1] = "Alpha";
  g.WorldName[2] = "Beta";
  g.WorldName[3] = "Gamma";
  g.WorldOwner[1] = g.WorldOwner[2] = g.WorldOwner[3] = 1;
  f.Put(0, 1, 8, 1, 7, 0.2f, 104 - 13);  // 13 ticks left: arrives
  f.Put(4, 2, 8, 1, 3, 0.2f, 104 - 13);  // the same time, a later slot
  f.Put(2, 3, 8, 1, 5, 0.2f, 104 - 10);  // 10 ticks left: first
  f.Put(6, 3, 8, 1, 9, 0.5f, 0);         // still far away
  EndTurn(g);
  std::vector<std::string> landed;
  for (size_t at = g.PlayerLog[0].find("Reinforcements From World "); at != std::string::npos;
       at = g.PlayerLog[0].find("Reinforcements From World ", at + 1))
    landed.push_back(g.PlayerLog[0].substr(at + 26, g.PlayerLog[0].find(' ', at + 26) - at - 26));
  EXPECT_EQ(landed, (std::vector<std::string>{"Gamma", "Alpha", "Beta"}));
  EXPECT_EQ(g.WorldShips[8], 100.0f + 15 + 10);  // production 10 on the home world
  EXPECT_EQ(g.FleetShips[3], 9.0f);              // the traveller after the three landed slots
  EXPECT_TRUE(f.ports.Has("Sound reinforcements.wav") == false);  // a speed game
  EXPECT_EQ(f.ports.Count("Pause 1000"), 6);                      // each arrival's own and the cycle's
}

TEST(EndOfTurn, TwoHumansAtOneComputerKeepTheSideListsHidden) {
  Duel f;
  Game& g = f.g();
  EndTurn(g);
  EXPECT_FALSE(g.window.SideListsVisible);

  EngineGame solo;
  solo.Seat4({{{"Ann"}, {"Atlas", 4}, {}, {}}});
  solo.g().SpeedGame = true;
  EndTurn(solo.g());
  EXPECT_TRUE(solo.g().window.SideListsVisible);
}

TEST(EndOfTurn, ResolvesLockedAndUnlocksForTheNextTurn) {
  Duel f;
  Game& g = f.g();
  bool lockedDuringRotation = false;
  f.ports.onRefresh = [&](Control c) {
    if (c == Control::kWindow && g.window.Caption.rfind("Zarnath - Year 1.05", 0) == 0)
      lockedDuringRotation = g.InputBusy && !g.menus.mnuFile.Enabled && g.window.txtMove.Busy;
  };
  g.CurrentPlayer = 1;
  EndTurn(g);
  EXPECT_TRUE(lockedDuringRotation);
  EXPECT_FALSE(g.InputBusy);
  EXPECT_TRUE(g.menus.mnuFile.Enabled && g.menus.mnuInfo.Enabled && g.menus.mnuOptions.Enabled &&
              g.menus.mnuHelp.Enabled);
  EXPECT_FALSE(g.window.txtMove.Busy);
  EXPECT_EQ(g.CurrentPlayer, 0);
  EXPECT_EQ(g.window.txtMove.Text, g.PlayerLog[0] + "\r\n");
  EXPECT_NE(g.PlayerLog[0].find("\r\nYear 1.05, Turn #1"), std::string::npos);
}

// Turns after `from` until the first autosave offer: the year less half a year must reach the
// stored year, both being single-precision sums of 0.05 steps as the game keeps them.
int TurnsUntilOffer(float from) {
  float year = from;
  int turns = 0;
  do {
    year += 0.05f;
    ++turns;
  } while (static_cast<double>(year) - 0.5 < from);
  return turns;
}

TEST(AutoSave, OnFromYearOneTheFirstOfferComesHalfAYearLater) {
  Duel f;
  Game& g = f.g();
  g.menus.mnuFileAutoSave.Checked = true;
  g.AutoSaveYear = 1.0f;  // switched on during year 1.00
  int offeredAtTurn = -1;
  float offeredInYear = 0;
  f.ports.onAutoSave = [&] {
    if (offeredAtTurn >= 0) return;
    offeredAtTurn = TurnNumber(g.GameYear);
    offeredInYear = g.GameYear;
  };
  for (int turn = 0; turn < 12; ++turn) EndTurn(g);
  EXPECT_EQ(offeredAtTurn, TurnsUntilOffer(1.0f));
  EXPECT_GE(offeredAtTurn, 10);
  EXPECT_LE(offeredAtTurn, 11);
  EXPECT_EQ(f.ports.Count("AutoSave"), 1);
  EXPECT_EQ(g.AutoSaveYear, offeredInYear);
}

TEST(AutoSave, OffWhileTheMenuSaysOffAndEveryHalfYearWhenSwitchedOnLater) {
  Duel f;
  Game& g = f.g();
  g.AutoSaveYear = 1.0f;  // a new game's value with AutoSave off
  for (int turn = 0; turn < 12; ++turn) EndTurn(g);
  EXPECT_FALSE(f.ports.Has("AutoSave"));

  g.AutoSaveYear = g.GameYear;  // switched on at year 1.60
  g.menus.mnuFileAutoSave.Checked = true;
  int offers = 0;
  f.ports.onAutoSave = [&] { ++offers; };
  const int wait = TurnsUntilOffer(g.AutoSaveYear);
  for (int turn = 1; turn < wait; ++turn) EndTurn(g);
  EXPECT_EQ(offers, 0);
  EndTurn(g);
  EXPECT_EQ(offers, 1);
}

// A host with three connected clients.
struct HostGame : EngineGame {
  HostGame() {
    Seat4({{{"Ann"}, {"Bob"}, {"Cid"}, {"Dee"}}}, 12);
    game.SpeedGame = true;
    game.NetworkGame = true;
    game.setup.OptServerClient0 = true;
    ports.socketCount = 4;
    ports.connected = {false, true, true, true};
  }
};

std::string Tag(const std::string& message) {
  return message.substr(0, message.find(' '));
}

TEST(HostStream, StartsWithTheWholeFleetTableToEachClientAndEndsWithTravelHide) {
  HostGame f;
  Game& g = f.g();
  g.WorldOwner[2] = 1;
  f.Put(0, 8, 2, 1, 6, 0.2f, 104 - 5);  // arrives at Ann's world this turn
  f.Put(1, 8, 5, 1, 4, 0.5f, 30);
  EndTurn(g);

  // Each client's lines in the order they were sent to it.
  std::array<std::vector<std::string>, 4> byClient;
  for (const auto& c : f.ports.calls)
    if (c.rfind("Send ", 0) == 0) byClient[static_cast<size_t>(c[5] - '0')].push_back(c.substr(7));
  EXPECT_TRUE(byClient[0].empty());
  for (int client = 1; client <= 3; ++client) {
    const auto& m = byClient[static_cast<size_t>(client)];
    ASSERT_EQ(m.size(), 100u + 1 + 60 + 5) << client;
    for (int j = 0; j < 100; ++j)
      EXPECT_EQ(m[static_cast<size_t>(j)].substr(0, 9), "[SEND] " + Format(j, "00")) << client << " " << j;
    EXPECT_EQ(m[100], "[GALAXYROTATE] 00GALAXYROTATE*");
    for (int w = 0; w < 12; ++w) {
      const std::vector<std::string> tags = {"[PM]", "[PS]", "[PH]", "[PB]", "[PT]"};
      for (size_t t = 0; t < 5; ++t) EXPECT_EQ(Tag(m[101 + 5 * static_cast<size_t>(w) + t]), tags[t]);
    }
    EXPECT_EQ(m[101], "[PM] 00" + Str(static_cast<int>(g.WorldShieldOn[0])) + "*");
    EXPECT_EQ(m[102], "[PS] 00" + Str(g.WorldShips[0]) + "*");
    // Slot 0 lands: re-sent, then the arrival; slot 1 re-sent; then the end of the resolution.
    const std::vector<std::string> tail(m.begin() + 161, m.end());
    ASSERT_EQ(tail.size(), 5u);
    EXPECT_EQ(Tag(tail[0]), "[SEND]");
    EXPECT_EQ(tail[1], "[TRAVELSHOW] 00TravelShow*");
    EXPECT_EQ(tail[2], "[REINFORCEMENTS] 00Reinforcements*");
    EXPECT_EQ(Tag(tail[3]), "[SEND]");
    EXPECT_EQ(tail[4], "[TRAVELHIDE] 00TravelHide*");
  }
  // The fleet table goes out client by client: all of client 1's before client 2's.
  const std::vector<std::string> sent = f.ports.Sent();
  int lastToFirst = -1, firstToSecond = -1;
  for (int i = 0; i < static_cast<int>(f.ports.calls.size()); ++i) {
    const std::string& c = f.ports.calls[static_cast<size_t>(i)];
    if (c.rfind("Send 1 [SEND] 99", 0) == 0) lastToFirst = i;
    if (firstToSecond < 0 && c.rfind("Send 2 [SEND] 00", 0) == 0) firstToSecond = i;
  }
  EXPECT_LT(lastToFirst, firstToSecond);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(Tag(sent[static_cast<size_t>(i)]), "[SEND]");
  EXPECT_EQ(Tag(sent[300]), "[GALAXYROTATE]");
  // The fleet table was sorted before it was sent: the lander first.
  const std::regex record(R"(\[SEND\] 0009030100006.*)");
  EXPECT_TRUE(std::regex_match(sent[0], record)) << sent[0];
}

TEST(HostStream, ANetworkClientOnlyLocksItsWindowUntilTheHostsStream) {
  HostGame f;
  Game& g = f.g();
  g.setup.OptServerClient0 = false;
  g.CurrentPlayer = 2;
  f.ports.socketCount = 1;
  f.ports.connected = {true};
  f.Put(0, 10, 3, 3, 6, 0.2f, 104 - 5);
  EndTurn(g);
  EXPECT_EQ(g.GameYear, 1.0f);
  EXPECT_TRUE(f.ports.Sent().empty());
  EXPECT_TRUE(g.InputBusy);
  EXPECT_FALSE(g.menus.mnuFile.Enabled);
  EXPECT_TRUE(g.window.txtMove.Busy);
  EXPECT_EQ(g.FleetFrom[0], 11);  // nothing landed here

  ClientTravelHide(g);
  EXPECT_FALSE(g.InputBusy);
  EXPECT_TRUE(g.menus.mnuFile.Enabled);
  EXPECT_FALSE(g.window.txtMove.Busy);
  EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #0 Cid!, World Color Yellow -");
}

TEST(HostStream, AClientsLogBoxShowsTheLast2000Characters) {
  HostGame f;
  Game& g = f.g();
  g.setup.OptServerClient0 = false;
  g.PlayerLog[0] = std::string(2500, 'x');
  ClientTravelHide(g);
  EXPECT_EQ(g.window.txtMove.Text, std::string(2000, 'x') + "\r\n");
}

}  // namespace
}  // namespace zarnath
