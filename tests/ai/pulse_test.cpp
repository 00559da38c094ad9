#include "ai/ai_fixture.h"
#include "model/click_rules.h"
#include "net/broadcast.h"

namespace zarnath::testing {
namespace {

using TypeAndBombs = std::pair<int, int>;
constexpr int kRival = kHome + 1, kEmptySeat = kHome + 2;

// Seat 0 (a computer) holds its home world with 50 ships, a shield of 10 and two bombs; seat 1's
// home world stands 0.1 radian (13 orbit units) along the ring. Seat 1's objects left a tick ago.
struct Defence : AiState {
  Defence() : AiState(12, 2) {
    Seat(1, 3), OwnAllBut({kRival}), Own(kRival, 1), Angle(kRival, 0.1);
    game.WorldClass[kHome] = 1, game.WorldShips[kHome] = 50, game.WorldShield[kHome] = 10;
    game.WorldBombs[kHome] = 2;
  }
  void Threat(float ships, int to = kHome, float moved = 0.01f) { Flying(1, kRival, to, ships, 0.2f, moved); }
  void Angle(int w, double ahead) { game.WorldAngle[w] = game.WorldAngle[kHome] + ahead; }
  void Type(int type) { game.WorldType[kHome] = type; }
  void Blind() { game.setup.OptRadar = {false, true, false}; }
  // A captured home world of a seat not in the game: arming it would lose a bomb every turn.
  void EmptySeat() { Own(kEmptySeat, 0, 1), game.WorldBombs[kEmptySeat] = 3, Angle(kEmptySeat, 0.2); }
  TypeAndBombs Of(int w) const { return {game.WorldType[w], game.WorldBombs[w]}; }
};

TEST(PulseDefence, ArmsAgainstMoreThanShieldAndShips) {
  struct Case {
    const char* what;
    void (*prepare)(Defence&);
    TypeAndBombs expected;
    int world = kHome;
  } const cases[] = {
      {"threat = shield + ships is held", [](Defence& d) { d.Threat(60); }, {0, 2}},
      {"one ship more arms", [](Defence& d) { d.Threat(30), d.Threat(31); }, {10, 1}},
      {"a bomb bound anywhere counts", [](Defence& d) { d.Threat(9999, 3); }, {10, 1}},
      {"ships bound elsewhere do not", [](Defence& d) { d.Threat(500, 3); }, {0, 2}},
      {"not moved yet", [](Defence& d) { d.Threat(500, kHome, 0); }, {0, 2}},
      {"out of reach (125 units)", [](Defence& d) { d.Angle(kRival, 1.0), d.Threat(500); }, {0, 2}},
      {"own objects", [](Defence& d) { d.Flying(0, kRival, kHome, 500, 0.2f, 0.01f); }, {0, 2}},
      {"radar off", [](Defence& d) { d.Blind(), d.Threat(500); }, {0, 2}},
      {"fuel keeps its code", [](Defence& d) { d.Type(kTypeFuel), d.Threat(500); }, {12, 1}},
      {"armed already", [](Defence& d) { d.Type(10), d.Threat(500); }, {10, 2}},
      {"empty seat", [](Defence& d) { d.EmptySeat(), d.Threat(500, kEmptySeat); }, {0, 3}, kEmptySeat},
  };
  for (const auto& c : cases) {
    Defence d;
    c.prepare(d);
    ComputerTurn(d.game);
    EXPECT_EQ(d.Of(c.world), c.expected) << c.what;
  }
}

// The pulse command as the window calls it for seat 0 ("Ann", human) on its home world.
struct Command : Defence {
  Command() {
    Seat(0, 0), game.setup.txtPL[0] = game.PlayerName[0] = "Ann";
    game.WorldBombs[kHome] = 1, game.PlayerColor = kPlayerColors, game.InputBusy = true;
    game.SelectedFrom = kHome, game.SelectedTo = 3;
    game.PlayerLog[0] = "\r\nYear 1.00, Turn #0", game.WorldHistory[0][kHome] = "older\r\n";
  }
};

// A human is told; a client reports the new code and bombs to the host.
TEST(PulseCommand, ArmsTheHomeWorld) {
  Command c;
  Game& g = c.g();
  mnuComSendPulse_Click(g);
  EXPECT_EQ(c.Of(kHome), TypeAndBombs(10, 0));
  EXPECT_EQ(g.window.txtGame.Text, "- Pulse Bomb Set On World Eridania! -");
  EXPECT_EQ(g.window.txtGame.ForeColor, kPlayerColors[1]);
  EXPECT_EQ(g.window.txtMove.Text, "\r\nYear 1.00, Turn #0\r\n- Pulse Bomb Set On World Eridania! -\r\n");
  EXPECT_EQ(g.WorldHistory[0][kHome],
            "   Year 1.00, Turn #0: A Pulse Bomb Was Set On World Eridania \r\nolder\r\n");
  EXPECT_EQ(std::make_tuple(g.SelectedFrom, g.SelectedTo, g.InputBusy), std::make_tuple(-1, -1, false));
  EXPECT_EQ(c.ports.calls, (std::vector<std::string>{"Refresh window", "Refresh txtGame", "Refresh txtMove",
                                                     "Pause 1500", "GalaxyDraw", "Console", "Yield"}));
  Command client;
  client.game.NetworkGame = true, client.game.Role = NetRole::kClient, client.ports.connected = {true};
  client.game.WorldBombs[kHome] = 2, client.game.WorldType[kHome] = kTypeFuel;
  Broadcast broadcast(client.game);  // the network tells the host
  mnuComSendPulse_Click(client.game);
  EXPECT_EQ(client.ports.Sent(), (std::vector<std::string>{"[PT] 08 12*", "[PB] 08 1*"}));
}

// Worlds that cannot hold an armed pulse bomb are left as they are; the selection is still
// cleared and the human's window unlocked.
TEST(PulseCommand, RefusesWorldsThatCannotBeArmed) {
  const std::pair<int, void (*)(Game&)> cases[] = {
      {kHome, [](Game& g) { g.WorldType[kHome] = 10; }},            // armed already
      {kHome, [](Game& g) { g.WorldType[kHome] = kTypeCrystal; }},  // a treasure code
      {kHome, [](Game& g) { g.WorldBombs[kHome] = 0; }},            // no bomb
      {kRival, [](Game& g) { g.WorldBombs[kRival] = 4; }},          // another player's
      {kEmptySeat, [](Game& g) { g.WorldBombs[kEmptySeat] = 4; }},  // an empty seat's
      {3, [](Game& g) { g.WorldBombs[3] = 4; }},                    // not a home world
  };
  for (const auto& [world, prepare] : cases) {
    Command c;
    prepare(c.game);
    const TypeAndBombs before = c.Of(world);
    c.game.SelectedFrom = world;
    EXPECT_FALSE(CanArmPulseBomb(c.game, c.game.CurrentPlayer, world)) << world;
    mnuComSendPulse_Click(c.game);
    EXPECT_EQ(c.Of(world), before) << world;
    EXPECT_EQ(std::make_tuple(c.game.SelectedFrom, c.game.InputBusy), std::make_tuple(-1, false)) << world;
  }
}

}  // namespace
}  // namespace zarnath::testing
