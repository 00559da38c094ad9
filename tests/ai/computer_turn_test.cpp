#include <span>

#include "ai/ai_fixture.h"

namespace zarnath::testing {
namespace {

constexpr int kTarget = 2, kEnemy = 0;  // the attacks' and the gathering's foreign world

const auto F = [](float ships, int from = kHome) { return Order{from, kTarget, ships}; };  // an attack
const auto G = [](int from, float ships) { return Order{from, kHome, ships}; };            // gathering
const Order kScout3{3, kTarget, 0};  // an own scout already on its way

// Attacks: seat 0 owns all but world 2; its class-1 home world holds S = 100 ships, 120 ticks (5 turns
// of growth) from world 2, against D = (5 x production + ships) x mode + shield x class factor.
// Gathering: seat 0 owns all but world 0 (far too strong); its class-5 home world is worth gathering at.
struct Board : AiState {
  explicit Board(bool gather = false) {
    OwnAllBut({gather ? kEnemy : kTarget});
    if (gather) Intel(kEnemy, 0, 1, 5, 5000);
    if (!gather) Home(100), game.WorldAngle[kTarget] = targetAngle;  // 120 ticks from the home world
  }
  void Home(float ships, int cls = 1, int shield = 0, int bombs = 0) {
    game.WorldShips[kHome] = ships, game.WorldClass[kHome] = cls, game.WorldShield[kHome] = shield;
    game.WorldBombs[kHome] = bombs;
  }
  void Public(int known, int prod, float ships, int shield = 0) {
    if (known) game.WorldKnownStat[kTarget] = known;
    game.WorldProduction[kTarget] = prod, game.WorldShips[kTarget] = ships;
    game.WorldShield[kTarget] = shield;
  }
  void Crystal(int p, float n, int shield = 0) { game.HasCrystal[0] = 1, Public(0, p, n, shield); }
  void Scouted(int t0, int p, int n) { game.GameYear = 2, Intel(kTarget, t0, 1, p, n); }  // now turn 20
  void Ships(int w, float ships) { game.WorldShips[w] = ships; }
  void Travelling() { game.setup.chkShield = 1, Home(10, 1, 100); }
  void From7(int ticks) { Home(0), game.WorldShips[7] = 100, At(7, kTarget, ticks); }
  void Second() { Neutral(5), At(kHome, 5, 200); }  // keeps the open targets above 9 / 6
  void TurnTwenty() {  // at level 6: 20 ships stay, 21 go; of 5 ships and two bombs one bomb goes
    Seat(0, 6), game.GameYear = 2, Intel(kEnemy, 20, 1, 5, 5000);
    game.WorldShips[3] = 20, game.WorldShips[5] = 21, game.WorldShips[6] = 5, game.WorldBombs[6] = 2;
  }
  void At(int from, int to, int ticks, int turned = -1) { placed = placed && Place(from, to, ticks, turned); }
  bool placed = true;
  static inline float targetAngle = 0;
};

struct Case {
  const char* what;
  void (*prepare)(Board&);
  Orders expected;
};

// Each threshold and cut-off of the attack, bomb and scout choices, on both sides.
const Case kAttacks[] = {
    // The estimate against the ships, and the quarter share that covers it.
    {"D = S attacks", [](Board& b) { b.Crystal(2, 90); }, {F(100)}},
    {"D = S + 1 holds", [](Board& b) { b.Crystal(2, 91); }, {}},
    {"D = 50 sends half", [](Board& b) { b.Crystal(2, 40); }, {F(50)}},
    {"D = 51 sends three quarters", [](Board& b) { b.Crystal(2, 41); }, {F(75)}},
    {"defensive: 1.25 D = S", [](Board& b) { b.game.setup.chkMode = 1, b.Crystal(2, 70); }, {F(100)}},
    {"defensive: 1.25 D = S + 1.25", [](Board& b) { b.game.setup.chkMode = 1, b.Crystal(2, 71); }, {}},
    // Class 3 against class 1: a shield point counts 3 / 1 / 2 + 0.5 = 2, and so does a ship.
    {"class factor: D = 2S", [](Board& b) { b.Home(50, 3), b.Crystal(2, 70, 10); }, {F(50)}},
    {"class factor: D = 2S + 1", [](Board& b) { b.Home(50, 3), b.Crystal(2, 81, 5); }, {}},
    // Shields travelling with the ships cover the estimate, but half of it must be ships.
    {"travelling shield, half not ships", [](Board& b) { b.Travelling(), b.Crystal(2, 20); }, {}},
    {"travelling shield, half ships", [](Board& b) { b.Travelling(), b.Crystal(2, 10); }, {F(10)}},
    // Targets up to 0.52 year away (from the slow outer ring 270 ticks is 0.5192, 271 is 0.5212).
    {"target at 270 ticks", [](Board& b) { b.Crystal(0, 0), b.From7(270); }, {F(25, 7)}},
    {"target at 271 ticks", [](Board& b) { b.Crystal(0, 0), b.From7(271); }, {}},
    {"target under attack", [](Board& b) { b.Crystal(0, 0), b.Flying(0, 3, kTarget, 5); }, {{3, kTarget, 5}}},
    {"scout under way", [](Board& b) { b.Crystal(0, 0), b.Flying(0, 3, kTarget, 0); }, {kScout3, F(25)}},
    {"taken by the first source", [](Board& b) { b.Crystal(0, 0), b.Ships(3, 100); }, {F(25)}},
    // Intelligence 10 turns old is unusable, older than 5 renewed; the target grows from when learned.
    {"intelligence 10 turns old", [](Board& b) { b.Scouted(10, 0, 0); }, {F(0)}},
    {"intelligence 9 turns old", [](Board& b) { b.Scouted(11, 0, 0); }, {F(25)}},
    {"intelligence 5 turns old", [](Board& b) { b.Scouted(15, 5, 1000); }, {}},
    {"intelligence 6 turns old", [](Board& b) { b.Scouted(14, 5, 1000); }, {F(0)}},
    {"grown 10 turns: 10 x 5 + 50", [](Board& b) { b.Scouted(15, 5, 50); }, {F(100)}},
    {"crystal on a player's world",
     [](Board& b) { b.Seat(1, 3), b.Crystal(0, 0), b.game.WorldOwner[2] = 2; },
     {F(0)}},
    // Bombs: production + class reach 14 (at maximum production 15), or few targets are left.
    {"crystal: rich", [](Board& b) { b.Second(), b.Home(100, 1, 0, 1), b.Crystal(13, 1000); }, {F(9999)}},
    {"crystal: poor", [](Board& b) { b.Second(), b.Home(100, 1, 0, 1), b.Crystal(12, 1000); }, {}},
    {"crystal: one target of 9", [](Board& b) { b.Home(100, 1, 0, 1), b.Crystal(1, 1000); }, {F(9999)}},
    {"scouted: rich", [](Board& b) { b.Home(100, 1, 0, 1), b.Scouted(15, 13, 1000); }, {F(9999)}},
    {"scouted: poor", [](Board& b) { b.Home(100, 1, 0, 1), b.Scouted(15, 12, 1000); }, {}},
    // Public ships grown at maximum production up to S within a fifth of a year; a bomb by production.
    {"public ships at 103 ticks", [](Board& b) { b.Public(5, 5, 10), b.At(kHome, kTarget, 103); }, {F(75)}},
    {"public ships at 104 ticks", [](Board& b) { b.Public(5, 5, 10), b.At(kHome, kTarget, 104); }, {F(0)}},
    {"public ships grown to S", [](Board& b) { b.Public(5, 5, 40), b.At(kHome, kTarget, 100); }, {F(100)}},
    {"public ships grown to S + 1", [](Board& b) { b.Public(5, 5, 41), b.At(kHome, kTarget, 100); }, {F(0)}},
    {"public production 9", [](Board& b) { b.Home(100, 1, 0, 1), b.Public(1, 9, 30); }, {F(9999)}},
    {"public production 8", [](Board& b) { b.Home(100, 1, 0, 1), b.Public(1, 8, 30); }, {F(0)}},
    {"a bomb needs no ships", [](Board& b) { b.Home(0, 1, 0, 1), b.Public(1, 20, 30); }, {F(9999)}},
    {"own object sooner: no scout", [](Board& b) { b.Flying(0, 3, kTarget, 0, 0.1f); }, {kScout3}},
    {"own object later: a scout", [](Board& b) { b.Flying(0, 3, kTarget, 0, 0.3f); }, {kScout3, F(0)}},
};

// Sources within 0.515 year (267 ticks from the outer ring is 0.5135, 268 is 0.5154) holding more
// ships than the turn number, or a bomb, gather at the most exposed valuable world.
const Case kGathering[] = {
    {"source at 267 ticks", [](Board& b) { b.Ships(6, 10), b.At(6, kHome, 267, 6); }, {G(6, 10)}},
    {"source at 268 ticks", [](Board& b) { b.Ships(6, 10), b.At(6, kHome, 268, 6); }, {}},
    {"more than the turn number, or a bomb", [](Board& b) { b.TurnTwenty(); }, {G(5, 21), G(6, 9999)}},
    {"ships and a bomb", [](Board& b) { b.Ships(3, 10), b.game.WorldBombs[3] = 2; }, {G(3, 10), G(3, 9999)}},
    {"no target open", [](Board& b) { b.Ships(3, 10), b.Flying(0, 4, kEnemy, 5); }, {{4, kEnemy, 5}}},
    {"an object the other way", [](Board& b) { b.Ships(3, 10), b.Flying(1, kHome, 3, 0); }, {{kHome, 3, 0}}},
    {"sends once", [](Board& b) { b.Seat(0, 6), b.game.WorldClass[4] = 5, b.Ships(3, 10); }, {G(3, 10)}},
};

TEST(Decisions, EachThresholdOnBothSides) {
  {
    Board probe;
    ASSERT_TRUE(probe.Place(kHome, kTarget, 120));
    Board::targetAngle = probe.game.WorldAngle[kTarget];
  }
  for (bool gather : {false, true})
    for (const Case& c : gather ? std::span<const Case>(kGathering) : std::span<const Case>(kAttacks)) {
      Board b(gather);
      c.prepare(b);
      ASSERT_TRUE(b.placed) << c.what;
      b.game.window.txtMove.Text = "last turn's log";
      bool locked = true;  // while orders are given; afterwards the 10 ms timer presses Done
      b.ports.onYield = [&] { locked = locked && b.game.InputBusy && !b.game.menus.mnuFile.Enabled; };
      ComputerTurn(b.game);
      EXPECT_EQ(b.Sent(), c.expected) << c.what;
      EXPECT_EQ(
          std::make_tuple(locked, b.game.InputBusy, b.game.menus.mnuFile.Enabled, b.game.window.txtMove.Text),
          std::make_tuple(true, false, true, std::string()))
          << c.what;
      EXPECT_EQ(b.ports.calls.back(), "Timer tmrAI on 10") << c.what;
    }
}

}  // namespace
}  // namespace zarnath::testing
