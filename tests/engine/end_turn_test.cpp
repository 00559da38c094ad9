// The end-of-turn cycle: production and shields, the order of the resolution and what the host
// streams to its clients, and the autosave.
#include <gtest/gtest.h>

#include <array>

#include "engine_fixture.h"

namespace zarnath {
namespace {

TEST(Production, AFullShieldSwitchesOffItsExcessBecomingShipsOrTheNextTurnBeforeShipsGrow) {
  for (int production : {10, 5}) {
    EngineGame f("AB..");
    Game& g = f.game;
    std::tie(g.WorldOwner[3], g.WorldShield[3], g.WorldProduction[3], g.WorldShieldOn[3], g.WorldShips[3]) =
        std::make_tuple(1, 95, production, 1, 20.0f);
    f.AtTurn(1);
    ApplyProduction(g);
    EXPECT_EQ(std::make_tuple(g.WorldShield[3], g.WorldShieldOn[3], g.WorldShips[3]),
              production == 10 ? std::make_tuple(100, 0, 25.0f) : std::make_tuple(100, 1, 20.0f));
    ApplyProduction(g);  // switched off before production, then the ships grow
    EXPECT_EQ(std::make_tuple(g.WorldShield[3], g.WorldShieldOn[3], g.WorldShips[3]),
              std::make_tuple(100, 0, production == 10 ? 35.0f : 25.0f));
  }
}

// A neutral world may switch its shield on only while it holds more ships than the turn's number:
// at exactly that many it never does, one more and some turn's roll switches it on.
TEST(Production, ANeutralWorldRaisesItsShieldOnlyWithMoreShipsThanTheTurnNumber) {
  for (const float extra : {0.0f, 1.0f}) {
    EngineGame f("AB..");
    Game& g = f.game;
    f.AtTurn(6);
    std::tie(g.WorldOwner[3], g.WorldShield[3], g.WorldProduction[3], g.WorldShieldOn[3], g.WorldShips[3]) =
        std::make_tuple(0, 0, 0, 0, 6.0f + extra);
    int raised = 0;
    for (int turn = 0; turn < 60; ++turn) {
      ApplyProduction(g);
      raised += g.WorldShieldOn[3];
      g.WorldShieldOn[3] = 0, g.WorldShield[3] = 0;
    }
    EXPECT_EQ(raised > 0, extra > 0) << extra << ": " << raised;
  }
}

TEST(EndOfTurn, ArrivalsLandEarliestFirstAndTiesKeepTheirOrder) {
  EngineGame f("AB..");
  Game& g = f.game;
  std::tie(g.SpeedGame, g.WorldShips[8], g.WorldName[1], g.WorldName[2], g.WorldName[3]) =
      std::make_tuple(true, 100.0f, "Alpha", "Beta", "Gamma");
  f.Put(0, 1, 8, 1, 7, 0.2f, 104 - 13);  // 13 ticks left: arrives
  f.Put(4, 2, 8, 1, 3, 0.2f, 104 - 13);  // the same time, a later slot
  f.Put(2, 3, 8, 1, 5, 0.2f, 104 - 10);  // 10 ticks left: first
  f.Put(6, 3, 8, 1, 9, 0.5f, 0);         // still far away
  EndTurn(g);
  std::vector<std::string> landed;
  const std::string& log = g.PlayerLog[0];
  for (size_t at = log.find(" From World "); at != std::string::npos; at = log.find(" From World ", at + 1))
    landed.push_back(log.substr(at + 12, log.find(' ', at + 12) - at - 12));
  EXPECT_EQ(landed, (std::vector<std::string>{"Gamma", "Alpha", "Beta"}));
  EXPECT_EQ(g.WorldShips[8], 100.0f + 15 + 10);  // production 10 on the home world
  EXPECT_EQ(g.FleetShips[3], 9.0f);              // the traveller after the three landed slots
  // A speed game: no arrival sound, but each arrival's pause and the cycle's.
  EXPECT_FALSE(f.ports.Has("Sound reinforcements.wav"));
  EXPECT_EQ(f.ports.Count("Pause 1000"), 6);
}

TEST(EndOfTurn, ResolvesLockedAndUnlocksForTheNextTurn) {
  EngineGame f("AB..");
  Game& g = f.game;
  bool locked = false;
  f.ports.onRefresh = [&](Control c) {
    if (c == Control::kWindow && g.window.Caption.rfind("Zarnath - Year 1.05", 0) == 0)
      locked = g.InputBusy && !g.menus.mnuFile.Enabled && g.window.txtMove.Busy;
  };
  std::tie(g.SpeedGame, g.CurrentPlayer) = std::make_tuple(true, 1);
  EndTurn(g);
  EXPECT_TRUE(locked);
  EXPECT_EQ(
      std::make_tuple(g.InputBusy, g.window.txtMove.Busy, g.menus.mnuFile.Enabled, g.menus.mnuHelp.Enabled),
      std::make_tuple(false, false, true, true));
  EXPECT_EQ(g.CurrentPlayer, 0);
  EXPECT_NE(g.PlayerLog[0].find("\r\nYear 1.05, Turn #1"), std::string::npos);
}

// While the turn resolves, the side lists stay in view when one human plays at this computer, and
// are hidden when two or more share it (they would show one player's worlds to the other). The
// first row of the in-transit list is highlighted when an object of the player at this computer
// arrives, not for another seat's object, and not when players share the computer.
TEST(EndOfTurn, TheSideListsFollowTheResolutionOnlyForOneHumanAtTheComputer) {
  for (const std::string seats : {"A1..", "AB.."}) {
    const bool shared = seats == "AB..";
    EngineGame f(seats);
    Game& g = f.game;
    std::tie(g.WorldOwner[3], g.WorldOwner[4], g.WorldShips[3], g.WorldShips[4]) =
        std::make_tuple(1, 2, 10.0f, 10.0f);
    f.Arrived(0, 2, 3, 1, 5.0f);  // Ann's reinforcements
    f.Arrived(1, 2, 4, 2, 5.0f);  // the other seat's
    std::vector<bool> listsAtSteps;
    f.ports.onRefresh = [&](Control c) {
      if (c == Control::kBattleFrames) listsAtSteps.push_back(g.window.SideListsVisible);
    };
    EndTurn(g);
    ASSERT_GE(listsAtSteps.size(), 2u) << seats;
    for (size_t i = 0; i < listsAtSteps.size(); ++i) EXPECT_EQ(listsAtSteps[i], !shared) << seats << " " << i;
    EXPECT_EQ(f.ports.Count("SelectFirstTravelRow"), shared ? 0 : 1) << seats;
    if (!shared) {
      EXPECT_LT(f.Index("SelectFirstTravelRow"), f.Index("Sound reinforcements.wav")) << seats;
    }
  }
}

TEST(ClientEndOfTurn, WaitsLockedForTheHostThenStartsItsSeatsTurnWithTheEndOfItsLog) {
  // {Bob's log, what the log box shows: its last 2000 characters, ending in one CR LF}
  const std::string tail(1990, 't');
  const std::pair<std::string, std::string> cases[] = {
      {"", "\r\n"},
      {"\r\nBob took Tarsis", "\r\nBob took Tarsis\r\n"},
      {std::string(600, 'x') + tail + "abcdefghij", tail + "abcdefghij\r\n"},
      {std::string(600, 'x') + tail + "abcdefgh\r\n", tail + "abcdefgh\r\n"}};
  for (const auto& [log, shown] : cases) {
    EngineGame f("AB..");
    Game& g = f.game;
    f.Client(1);
    g.SpeedGame = true;
    EndTurn(g);
    EXPECT_TRUE(g.InputBusy);
    EXPECT_FALSE(g.menus.mnuFile.Enabled);
    EXPECT_TRUE(g.window.txtMove.Busy);
    EXPECT_EQ(g.GameYear, 1.0f);  // nothing resolved: that is the host's
    std::tie(g.TurnDone, g.PlayerLog[1]) = std::make_tuple(true, log);
    ClientTravelHide(g);
    EXPECT_FALSE(g.InputBusy);
    EXPECT_FALSE(g.TurnDone);
    EXPECT_TRUE(g.menus.mnuFile.Enabled);
    EXPECT_FALSE(g.window.txtMove.Busy);
    EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.00, Turn #0:  Bob");
    EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #0 Bob!, World Color Red -");
    EXPECT_EQ(g.window.txtMove.Text, shown) << log.size();
  }
}

// Turns after `from` until the first autosave offer: the year less half a year must reach the
// stored year, both being single-precision sums of 0.05 steps as the game keeps them.
int TurnsUntilOffer(float from) {
  float year = from;
  int turns = 0;
  for (; static_cast<double>(year) - 0.5 < from || turns == 0; ++turns) year += 0.05f;
  return turns;
}

TEST(AutoSave, OffersHalfAYearAfterItWasSwitchedOnEvenInYearOneAndNeverWhileOff) {
  EngineGame f("AB..");
  Game& g = f.game;
  std::tie(g.SpeedGame, g.AutoSaveYear) = std::make_tuple(true, 1.0f);  // a new game's: AutoSave off
  int offers = 0;
  f.ports.onAutoSave = [&] { ++offers; };
  for (int turn = 0; turn < 12; ++turn) EndTurn(g);
  EXPECT_EQ(offers, 0);
  const auto turnsToOffer = [&] {
    int turns = 0;
    for (offers = 0; offers == 0 && turns < 30; ++turns) EndTurn(g);
    return turns;
  };
  std::tie(g.AutoSaveOn, g.AutoSaveYear) = std::make_tuple(true, g.GameYear);  // at 1.60
  const int wait = TurnsUntilOffer(g.AutoSaveYear);
  EXPECT_EQ(turnsToOffer(), wait);
  f.AtTurn(0);
  g.AutoSaveYear = 1.0f;  // switched on during year 1.00: the first offer too comes half a year later
  EXPECT_NEAR(TurnsUntilOffer(1.0f), 10.5, 0.5);
  EXPECT_EQ(turnsToOffer(), TurnsUntilOffer(1.0f));
  EXPECT_EQ(g.AutoSaveYear, g.GameYear);
}

TEST(HostStream, StartsWithTheWholeFleetTableToEachClientAndEndsWithTravelHide) {
  EngineGame f("ABCD", 12);
  Game& g = f.game;
  f.Host(3);
  std::tie(g.SpeedGame, g.WorldOwner[2]) = std::make_tuple(true, 1);
  f.Put(0, 8, 2, 1, 6, 0.2f, 104 - 5);  // arrives at Ann's world this turn
  f.Put(1, 8, 5, 1, 4, 0.5f, 30);
  EndTurn(g);
  const auto Tag = [](const std::string& message) { return message.substr(0, message.find(' ')); };
  std::array<std::vector<std::string>, 4> byClient;  // each client's lines in the order sent to it
  for (const auto& c : f.ports.calls)
    if (c.rfind("Send ", 0) == 0) byClient[static_cast<size_t>(c[5] - '0')].push_back(c.substr(7));
  const std::vector<std::string> planetTags = {"[PM]", "[PS]", "[PH]", "[PB]", "[PT]"};
  for (size_t client = 1; client <= 3; ++client) {
    const auto& m = byClient[client];
    ASSERT_EQ(m.size(), 100u + 1 + 60 + 5) << client;
    for (size_t j = 0; j < 100; ++j)
      EXPECT_EQ(m[j].substr(0, 9), "[SEND] " + Format(static_cast<int>(j), "00"));
    EXPECT_EQ(m[100], "[GALAXYROTATE] 00GALAXYROTATE*");
    for (size_t i = 0; i < 60; ++i) EXPECT_EQ(Tag(m[101 + i]), planetTags[i % 5]) << i;
    EXPECT_EQ(m[101], "[PM] 00" + Str(static_cast<int>(g.WorldShieldOn[0])) + "*");
    EXPECT_EQ(m[102], "[PS] 00" + Str(g.WorldShips[0]) + "*");
    // Slot 0 lands: re-sent, then the arrival; slot 1 re-sent; then the end of the resolution.
    EXPECT_EQ(Tag(m[161]) + Tag(m[164]), "[SEND][SEND]");
    EXPECT_EQ(std::vector<std::string>(m.begin() + 162, m.begin() + 164),
              (std::vector<std::string>{"[TRAVELSHOW] 00TravelShow*", "[REINFORCEMENTS] 00Reinforcements*"}));
    EXPECT_EQ(m[165], "[TRAVELHIDE] 00TravelHide*");
  }
  // The fleet table goes out client by client, sorted: the lander first.
  const std::vector<std::string> sent = f.ports.Sent();
  for (size_t i = 0; i < 300; ++i) ASSERT_EQ(sent[i], byClient[1 + i / 100][i % 100]) << i;
  EXPECT_TRUE(sent[0].starts_with("[SEND] 0009030100006")) << sent[0];
}

}  // namespace
}  // namespace zarnath
