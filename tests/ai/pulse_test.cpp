#include <gtest/gtest.h>

#include "ai/ai_fixture.h"
#include "ai/computer_turn.h"
#include "ai/pulse_command.h"

namespace zarnath {
namespace {

using testing::AiState;

constexpr int kHome = kHomeWorld0;
constexpr int kRival = kHomeWorld0 + 1;

// Seat 0 (a computer player) holds its home world with 50 ships behind a shield of 10 and two
// bombs; seat 1's home world stands 0.1 radian further along the same ring, 13 orbit units
// away. Every other world belongs to seat 0 and is idle.
class PulseDefence : public ::testing::Test {
 protected:
  void SetUp() override {
    s.Seat(1, 3);
    s.OwnAllBut({kRival});
    s.Own(kRival, 1);
    g.WorldClass[kHome] = 1;
    g.WorldShips[kHome] = 50;
    g.WorldShield[kHome] = 10;
    g.WorldBombs[kHome] = 2;
    g.WorldAngle[kRival] = static_cast<float>(g.WorldAngle[kHome] + 0.1);
  }
  // An object of seat 1 that left its home world a few ticks ago.
  int Threat(float ships, int to = kHome, float moved = 0.01f) {
    return s.Flying(1, kRival, to, ships, 0.2f, moved);
  }
  bool Armed() {
    ComputerTurn(g);
    return g.WorldType[kHome] == 10;
  }

  AiState s{12, 2};
  Game& g = s.g();
};

TEST_F(PulseDefence, ThreatEqualToShieldAndShipsIsHeld) {
  Threat(60);
  EXPECT_FALSE(Armed());
  EXPECT_EQ(g.WorldBombs[kHome], 2);
}

TEST_F(PulseDefence, OneShipMoreArmsThePulseBomb) {
  Threat(30);
  Threat(31);
  EXPECT_TRUE(Armed());
  EXPECT_EQ(g.WorldBombs[kHome], 1);
}

TEST_F(PulseDefence, AnAnnihilationBombCountsWhereverItIsBound) {
  Threat(9999.0f, 3);
  EXPECT_TRUE(Armed());
}

TEST_F(PulseDefence, OnlyObjectsBoundForTheWorldCountOtherwise) {
  Threat(500.0f, 3);
  EXPECT_FALSE(Armed());
}

TEST_F(PulseDefence, ObjectsThatHaveNotMovedOrAreOutOfReachDoNotCount) {
  Threat(500.0f, kHome, 0.0f);
  g.WorldAngle[kRival] = static_cast<float>(g.WorldAngle[kHome] + 1.0);  // 125 orbit units away
  Threat(500.0f);
  EXPECT_FALSE(Armed());
}

TEST_F(PulseDefence, OwnObjectsDoNotCount) {
  s.Flying(0, kRival, kHome, 500.0f, 0.2f, 0.01f);
  EXPECT_FALSE(Armed());
}

TEST_F(PulseDefence, NeverWithTheRadarOff) {
  g.setup.OptRadar = {false, true, false};
  Threat(500.0f);
  EXPECT_FALSE(Armed());
}

TEST_F(PulseDefence, AFuelHomeWorldKeepsItsFuelCode) {
  g.WorldType[kHome] = kTypeFuel;
  Threat(500.0f);
  ComputerTurn(g);
  EXPECT_EQ(g.WorldType[kHome], 12);
}

TEST_F(PulseDefence, AnArmedWorldIsNotArmedAgain) {
  g.WorldType[kHome] = 10;
  Threat(500.0f);
  ComputerTurn(g);
  EXPECT_EQ(g.WorldType[kHome], 10);
  EXPECT_EQ(g.WorldBombs[kHome], 2);
}

// A captured home world of a seat that is not in the game never goes off: arming it would only
// lose a bomb each turn and pile up its code.
TEST_F(PulseDefence, AnEmptySeatsHomeWorldIsNotArmed) {
  const int empty = kHomeWorld0 + 2;
  s.Own(empty);
  g.WorldShips[empty] = 1;
  g.WorldBombs[empty] = 3;
  g.WorldAngle[empty] = static_cast<float>(g.WorldAngle[kRival] + 0.1);
  s.Flying(1, kRival, empty, 500.0f, 0.2f, 0.01f);
  ComputerTurn(g);
  EXPECT_EQ(g.WorldType[empty], 0);
  EXPECT_EQ(g.WorldBombs[empty], 3);
}

// The pulse command itself, as the window and the computer player call it.
class PulseCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    s.Seat(0, 0);  // a human
    s.game.setup.txtPL[0] = g.PlayerName[0] = "Ann";
    s.Seat(1, 3);
    s.Own(kRival, 1);
    g.WorldBombs[kHome] = 1;
    g.PlayerColor = kPlayerColors;
    g.SelectedFrom = kHome;
    g.SelectedTo = 3;
    g.InputBusy = true;
    g.PlayerLog[0] = "\r\nYear 1.00, Turn #0";
  }
  AiState s{12, 1};
  Game& g = s.g();
};

TEST_F(PulseCommand, ArmsTheHomeWorldAndTellsTheHuman) {
  g.WorldHistory[0][kHome] = "older\r\n";
  mnuComSendPulse_Click(g);
  EXPECT_EQ(g.WorldType[kHome], 10);
  EXPECT_EQ(g.WorldBombs[kHome], 0);
  EXPECT_EQ(g.window.txtGame.Text, "- Pulse Bomb Set On World Eridania! -");
  EXPECT_EQ(g.window.txtGame.ForeColor, kPlayerColors[1]);
  EXPECT_EQ(g.PlayerLog[0], "\r\nYear 1.00, Turn #0\r\n- Pulse Bomb Set On World Eridania! -");
  EXPECT_EQ(g.WorldHistory[0][kHome],
            "   Year 1.00, Turn #0: A Pulse Bomb Was Set On World Eridania \r\nolder\r\n");
  EXPECT_EQ(g.window.txtMove.Text, g.PlayerLog[0] + "\r\n");
  EXPECT_EQ(g.SelectedFrom, -1);
  EXPECT_EQ(g.SelectedTo, -1);
  EXPECT_FALSE(g.InputBusy);
  EXPECT_EQ(s.ports.calls, (std::vector<std::string>{"Refresh window", "Refresh txtGame", "Refresh txtMove",
                                                     "Pause 1500", "GalaxyDraw", "Console", "Yield"}));
}

TEST_F(PulseCommand, AClientReportsTheWorldToTheHost) {
  g.NetworkGame = true;
  g.setup.OptServerClient0 = false;
  s.ports.connected = {true};
  g.WorldBombs[kHome] = 2;
  g.WorldType[kHome] = kTypeFuel;
  mnuComSendPulse_Click(g);
  EXPECT_EQ(s.ports.Sent(), (std::vector<std::string>{"[PT] 08 12*", "[PB] 08 1*"}));
}

TEST_F(PulseCommand, AHostOrSingleMachineSendsNothing) {
  g.NetworkGame = true;
  s.ports.connected = {true};
  mnuComSendPulse_Click(g);
  EXPECT_EQ(g.WorldType[kHome], 10);
  EXPECT_TRUE(s.ports.Sent().empty());
}

TEST_F(PulseCommand, AComputerSeatArmsSilently) {
  s.Seat(0, 4);
  mnuComSendPulse_Click(g);
  EXPECT_EQ(g.WorldType[kHome], 10);
  EXPECT_EQ(g.window.txtGame.Text, "");
  EXPECT_TRUE(g.InputBusy);  // the computer turn keeps its lock
  EXPECT_EQ(s.ports.calls, (std::vector<std::string>{"Refresh window", "Yield"}));
}

TEST_F(PulseCommand, NothingWithoutASourceWorld) {
  g.SelectedFrom = -1;
  mnuComSendPulse_Click(g);
  EXPECT_EQ(g.WorldBombs[kHome], 1);
  EXPECT_TRUE(g.InputBusy);
  EXPECT_TRUE(s.ports.calls.empty());
}

// Worlds that cannot hold an armed pulse bomb are left as they are; the selection is still
// cleared and the human's window unlocked.
TEST_F(PulseCommand, RefusesWorldsThatCannotBeArmed) {
  struct Case {
    const char* what;
    int world;
    void (*prepare)(Game&);
  };
  const Case cases[] = {
      {"already armed", kHome, [](Game& g) { g.WorldType[kHome] = 10; }},
      {"a treasure code", kHome, [](Game& g) { g.WorldType[kHome] = kTypeCrystal; }},
      {"no bomb", kHome, [](Game& g) { g.WorldBombs[kHome] = 0; }},
      {"another player's", kRival, [](Game& g) { g.WorldBombs[kRival] = 4; }},
      {"an empty seat's", kHomeWorld0 + 2,
       [](Game& g) {
         g.WorldOwner[kHomeWorld0 + 2] = 1;
         g.WorldBombs[kHomeWorld0 + 2] = 4;
       }},
      {"not a home world", 3,
       [](Game& g) {
         g.WorldOwner[3] = 1;
         g.WorldBombs[3] = 4;
       }},
  };
  for (const Case& c : cases) {
    AiState fresh{12, 1};
    Game& f = fresh.g();
    fresh.Seat(0, 0);
    fresh.Seat(1, 3);
    fresh.Own(kRival, 1);
    f.WorldBombs[kHome] = 1;
    c.prepare(f);
    const int16_t type = f.WorldType[c.world], bombs = f.WorldBombs[c.world];
    f.SelectedFrom = static_cast<int16_t>(c.world);
    f.InputBusy = true;
    EXPECT_FALSE(CanArmPulseBomb(f, c.world)) << c.what;
    mnuComSendPulse_Click(f);
    EXPECT_EQ(f.WorldType[c.world], type) << c.what;
    EXPECT_EQ(f.WorldBombs[c.world], bombs) << c.what;
    EXPECT_EQ(f.SelectedFrom, -1) << c.what;
    EXPECT_FALSE(f.InputBusy) << c.what;
    EXPECT_EQ(f.window.txtGame.Text, "") << c.what;
  }
}

}  // namespace
}  // namespace zarnath
