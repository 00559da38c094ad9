// Battles: damage by class pair, shields, passes, the shot delay, the messages a host sends and
// the outcome with its treasures and intelligence.
#include "engine/battle.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "engine/events.h"
#include "engine_fixture.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

using testing::EngineGame;

// Ann (seat 0) attacks world 3 from her home world 8.
struct Attack : EngineGame {
  explicit Attack(int defenderSeatLevel = 0) {
    Seat4({{{"Ann"}, {"Bob", defenderSeatLevel}, {}, {}}});
    game.SpeedGame = true;
    game.WorldName[3] = "Tarsis";
  }
  int Fleet(float ships, int shield = 0, int shipClass = 3) {
    Arrived(0, 8, 3, 1, ships);
    game.FleetShield[0] = static_cast<uint8_t>(shield);
    game.FleetClass[0] = static_cast<uint8_t>(shipClass);
    return 0;
  }
  void World(float ships, int shield = 0, int shipClass = 3, int owner = 0) {
    game.WorldShips[3] = ships;
    game.WorldShield[3] = static_cast<uint8_t>(shield);
    game.WorldClass[3] = static_cast<uint8_t>(shipClass);
    game.WorldOwner[3] = static_cast<uint8_t>(owner);
    game.WorldType[3] = kTypeNothing;
    game.WorldBombs[3] = 0;
  }
  void Host(int clients) {
    game.NetworkGame = true;
    game.setup.OptServerClient0 = true;
    ports.socketCount = clients + 1;
    ports.connected.assign(static_cast<size_t>(clients + 1), true);
    ports.connected[0] = false;
  }
  // The pass counters of the [FRAMEUPDATE] messages to client 1, in order.
  std::vector<std::string> Passes() const {
    std::vector<std::string> out;
    for (const auto& c : ports.calls)
      if (c.rfind("Send 1 [FRAMEUPDATE] ", 0) == 0) out.push_back(c.substr(23, c.size() - 24));
    return out;
  }
};

TEST(Hits, DamageByClassPairAndParity) {
  struct Case {
    int attacker, defender, evenLoss, oddLoss;
  };
  const Case cases[] = {{2, 1, 2, 1}, {4, 2, 2, 1}, {3, 1, 2, 2}, {4, 1, 2, 3}, {5, 1, 3, 3}, {5, 2, 2, 2},
                        {3, 2, 1, 1}, {4, 3, 1, 1}, {5, 3, 1, 1}, {5, 4, 1, 1}, {3, 3, 1, 1}, {1, 5, 1, 1}};
  for (const Case& c : cases)
    for (int ships : {10, 9}) {
      EngineGame f;
      Game& g = f.g();
      g.BattleData[1] = {0, 20, c.attacker, 80, 0, 20, 20, 0};
      g.BattleData[2] = {0, ships, c.defender, 80, 0, ships, ships, 0};
      FromHit(g, 0);
      EXPECT_EQ(ships - g.BattleData[2][5], ships % 2 == 0 ? c.evenLoss : c.oddLoss)
          << c.attacker << "/" << c.defender << " with " << ships;
      // The same rule the other way round.
      g.BattleData[1] = {0, ships, c.defender, 80, 0, ships, ships, 0};
      g.BattleData[2] = {0, 20, c.attacker, 80, 0, 20, 20, 0};
      ToHit(g, 0);
      EXPECT_EQ(ships - g.BattleData[1][5], ships % 2 == 0 ? c.evenLoss : c.oddLoss);
    }
}

TEST(Hits, AShieldAbsorbsHitsAndShipsNeverGoBelowZero) {
  EngineGame f;
  Game& g = f.g();
  g.BattleData[1] = {0, 5, 5, 90, 0, 5, 5, 0};
  g.BattleData[2] = {0, 2, 1, 70, 2, 2, 2, 0};
  FromHit(g, 0);
  FromHit(g, 0);
  EXPECT_EQ(g.BattleData[2][4], 0);
  EXPECT_EQ(g.BattleData[2][5], 2);
  FromHit(g, 0);  // class 5 on class 1: three ships
  EXPECT_EQ(g.BattleData[2][5], 0);
  EXPECT_EQ(g.BattleData[2][6], 0);  // shots follow the ships left
}

TEST(ShotDelay, FromTheFleetSizes) {
  EXPECT_EQ(ShotDelay(20, 10), 300.1f);
  EXPECT_EQ(ShotDelay(1000, 9), 300.0f);
  EXPECT_EQ(ShotDelay(0, 500), 300.0f);
  EXPECT_EQ(ShotDelay(-1, 500), 300.0f);
  EXPECT_NEAR(ShotDelay(100, 100), 30.02f, 1e-4);
}

TEST(StrengthBar, SplitsByShipsLeftAndNeverDividesByZero) {
  EXPECT_DOUBLE_EQ(StrengthBarSplit(1, 1), 280 + 455 / 2.0);
  EXPECT_DOUBLE_EQ(StrengthBarSplit(3, 0), 735);
  EXPECT_DOUBLE_EQ(StrengthBarSplit(0, 0), 280 + 455 / 2.0);
  EXPECT_DOUBLE_EQ(StrengthBarSplit(1, -1), 735);
}

TEST(Accuracy, TwoDigitsFromTheClassFloor) {
  EngineGame f;
  for (int c = 0; c <= 9; ++c)
    for (int i = 0; i < 500; ++i) {
      const int a = DrawAccuracy(f.g(), c);
      const int lowest = 60 + (std::clamp(c, 1, 5) - 1) * 5;
      ASSERT_GE(a, lowest) << c;
      ASSERT_LE(a, 99) << c;
    }
}

TEST(Battle, AnEmptyWorldFallsAtTheFirstShotHitOrMiss) {
  for (uint64_t seed = 1; seed <= 20; ++seed) {
    Attack f;
    Game& g = f.g();
    g.SpeedGame = false;
    g.random.Seed(seed);
    f.World(0, 80);
    f.Fleet(5);
    Battle(g, 0);
    EXPECT_EQ(f.ports.Count("Pause 300"), 1);
    EXPECT_EQ(g.BattleSide, 1);
    EXPECT_EQ(g.WorldOwner[3], 1);
    EXPECT_EQ(g.FleetFrom[0], 0);
  }
}

TEST(Battle, ANegativeGarrisonFallsLikeAnEmptyOne) {
  Attack f;
  Game& g = f.g();
  f.World(-1);
  f.Fleet(3);
  Battle(g, 0);
  EXPECT_EQ(g.WorldOwner[3], 1);
  EXPECT_EQ(g.BattleData[2][5], 0);
}

TEST(Battle, DefensiveModeAlternatesSingleShotsThenTheLargerSideFiresAlone) {
  Attack f;
  Game& g = f.g();
  g.setup.chkMode = 1;
  f.Host(1);
  f.World(2, 100);  // every hit of the attacker only takes shield points...
  f.Fleet(5, 100);  // ...and so does every hit of the defender
  Battle(g, 0);
  const std::vector<std::string> passes = f.Passes();
  ASSERT_GE(passes.size(), 14u);
  const std::vector<std::string> expected = {" 0", " 0", " 1", " 1", " 2", " 3",
                                             " 4", " 5", " 5", " 6", " 6", " 7"};
  EXPECT_EQ(std::vector<std::string>(passes.begin(), passes.begin() + 12), expected);
}

TEST(Battle, OffensiveModeFiresWholeVolleysAndBothReload) {
  Attack f;
  Game& g = f.g();
  f.Host(1);
  f.World(2, 100);
  f.Fleet(5, 100);
  Battle(g, 0);
  const std::vector<std::string> passes = f.Passes();
  ASSERT_GE(passes.size(), 14u);
  EXPECT_EQ(std::vector<std::string>(passes.begin(), passes.begin() + 7), std::vector<std::string>(7, " 0"));
  EXPECT_EQ(std::vector<std::string>(passes.begin() + 7, passes.begin() + 14),
            std::vector<std::string>(7, " 1"));
}

TEST(Battle, TheHostSendsEveryStepBeforeItsOwnAndTheAccuracyCarriesFourDigits) {
  const std::regex accuracy(R"(\[BATTLEACCU\] 00\d{4}\*)");
  for (int shipClass : {1, 3, 5, 0, 9}) {
    Attack f;
    Game& g = f.g();
    f.Host(2);
    f.World(8, 0, shipClass == 9 ? 5 : 2);
    f.Fleet(12, 0, shipClass);
    Battle(g, 0);
    const std::vector<std::string> sent = f.ports.Sent();
    ASSERT_GE(sent.size(), 6u);
    EXPECT_TRUE(std::regex_match(sent[0], accuracy)) << sent[0];
    EXPECT_EQ(sent[1], "[BATTLESETUP] 00BattleSetup*");
    EXPECT_EQ(sent[2], sent[0]);  // both to the first client, then both to the second
    EXPECT_EQ(sent[4].rfind("[", 0), 0u);
    EXPECT_EQ(sent.back(), "[BATTLEDONE] " + Format(g.BattleSide, "00") + " 0*");
    EXPECT_EQ(sent[sent.size() - 3], "[FRAMEUPDATE] 00" + sent[sent.size() - 3].substr(16));
    for (const auto& m : sent) {
      const std::string tag = m.substr(0, m.find(' '));
      EXPECT_TRUE(tag == "[BATTLEACCU]" || tag == "[BATTLESETUP]" || tag == "[FROMHIT]" || tag == "[TOHIT]" ||
                  tag == "[FRAMEUPDATE]" || tag == "[BATTLEDONE]")
          << m;
    }
  }
}

TEST(Battle, AClientReplaysTheHostsHitsToTheSameResult) {
  Attack host;
  host.Host(1);
  host.World(30, 10, 2, 2);
  host.Fleet(40, 5, 4);
  Battle(host.g(), 0);

  Attack client;
  Game& c = client.g();
  c.NetworkGame = true;
  c.setup.OptServerClient0 = false;
  c.CurrentPlayer = 1;
  client.World(30, 10, 2, 2);
  client.Fleet(40, 5, 4);
  const uint64_t untouched = c.random.State();
  for (const std::string& m : host.ports.Sent()) {
    const std::string tag = m.substr(0, m.find(' '));
    if (tag == "[BATTLEACCU]") {
      c.AttackAccuracy = static_cast<uint8_t>(Val(m.substr(15, 2)));
      c.DefendAccuracy = static_cast<uint8_t>(Val(m.substr(17, 2)));
    } else if (tag == "[BATTLESETUP]") {
      BattleSetup(c, 0);
    } else if (tag == "[FROMHIT]") {
      FromHit(c, 0);
    } else if (tag == "[TOHIT]") {
      ToHit(c, 0);
    } else if (tag == "[FRAMEUPDATE]") {
      FrameUpdate(c, 0);
    } else if (tag == "[BATTLEDONE]") {
      c.BattleSide = static_cast<uint8_t>(Val(m.substr(13, 2)));
      BattleDone(c, static_cast<int>(Val(m.substr(15))));
    }
  }
  EXPECT_EQ(c.random.State(), untouched);  // a client never rolls
  EXPECT_EQ(c.WorldOwner[3], host.g().WorldOwner[3]);
  EXPECT_EQ(c.WorldShips[3], host.g().WorldShips[3]);
  EXPECT_EQ(c.WorldShield[3], host.g().WorldShield[3]);
  EXPECT_EQ(c.FleetFrom[0], 0);
}

TEST(Battle, SetupFillsThePanelAndTheAlert) {
  Attack f;
  Game& g = f.g();
  g.SpeedGame = false;
  f.World(20.5f, 30, 2, 2);
  f.Fleet(25, 0, 5);
  BattleSetup(g, 0);
  EXPECT_EQ(g.window.txtGame.Text,
            "- Battle Alert:  25 Ships from Ann Attacking 20.5 Ships on World Tarsis -");
  EXPECT_EQ(g.window.battle.Label[1].Caption, "Ann");
  EXPECT_EQ(g.window.battle.Label[2].Caption, "World Tarsis");
  EXPECT_EQ(g.window.battle.lblOrig[2].Caption, " 20.5");
  EXPECT_EQ(g.window.battle.lblOrig[2].ForeColor, kPlayerColors[2]);
  EXPECT_EQ(g.window.battle.lblCurr[1].ForeColor, kPlayerColors[1]);
  EXPECT_EQ(g.window.battle.Label[12].ForeColor, kNeutralColor);
  EXPECT_EQ(g.BattleData[2][5], 20);  // halves to even
  EXPECT_EQ(g.BattleDelay, ShotDelay(20.5f, 25));
  EXPECT_TRUE(f.ports.Has("Sound battlestart.wav"));
  EXPECT_EQ(f.CountPrefix("StrengthBar "), 1);
  EXPECT_EQ(f.ports.Count("Pause 100"), 3);  // the rings grow round the world
}

TEST(Battle, AHugeGarrisonFightsWithItsWholeCount) {
  Attack f;
  Game& g = f.g();
  f.World(50000, 0, 1);
  f.Fleet(10, 0, 5);
  BattleSetup(g, 0);
  EXPECT_EQ(g.BattleData[2][5], 50000);
  EXPECT_EQ(g.BattleData[2][6], 50000);
}

TEST(BattleDone, AWonWorldChangesHandsWithItsShipsAndShieldLeft) {
  Attack f;
  Game& g = f.g();
  f.World(30, 0, 2, 2);
  g.WorldShieldOn[3] = 1;
  g.WorldNoGather[3] = true;
  g.WorldMarked[0][3] = true;
  f.Fleet(40);
  g.BattleData[1] = {0, 40, 3, 80, 7, 12, 3, 0};
  g.BattleSide = 1;
  BattleDone(g, 0);
  EXPECT_EQ(g.WorldOwner[3], 1);
  EXPECT_EQ(g.WorldShips[3], 12.0f);
  EXPECT_EQ(g.WorldShield[3], 7);
  EXPECT_EQ(g.WorldShieldOn[3], 0);
  EXPECT_FALSE(g.WorldNoGather[3]);
  EXPECT_FALSE(g.WorldMarked[0][3]);
  // The former owner learns how the world now stands; every human logs the take-over.
  EXPECT_EQ(g.ScoutInfo[1][3][3], 12);
  EXPECT_EQ(g.ScoutInfo[1][4][3], 7);
  const std::string notice = "- Ann Took Over World Tarsis With 12 Ships Left -";
  EXPECT_TRUE(f.Noticed(notice));
  EXPECT_NE(g.PlayerLog[0].find("\r\n" + notice), std::string::npos);
  EXPECT_NE(g.PlayerLog[1].find("\r\n" + notice), std::string::npos);
  EXPECT_EQ(g.WorldHistory[1][3],
            "   Year 1.00, Turn #0: Ann Took Over World Tarsis With 12 Ships Left \r\n");
  EXPECT_EQ(g.FleetFrom[0], 0);
  EXPECT_EQ(g.window.battle.Label[1].Caption, "");
  EXPECT_EQ(g.window.battle.Label[5].ForeColor, kPanelGrey);
  EXPECT_EQ(g.window.txtGame.Text, "");
  EXPECT_TRUE(f.ports.Has("Pause 1000"));
}

TEST(BattleDone, AHeldWorldNamesTheShipsLeftOnlyWhenNeutral) {
  {
    Attack f;
    Game& g = f.g();
    f.World(30);
    f.Fleet(25);
    g.BattleData[2] = {0, 30, 3, 80, 0, 9, 2, 0};
    g.BattleSide = 2;
    BattleDone(g, 0);
    EXPECT_TRUE(f.Noticed("- World Tarsis Fought Off 25 Ships From Ann,  9 Ships Left -"));
    EXPECT_EQ(g.WorldHistory[0][3],
              "   Year 1.00, Turn #0:  Fought Off 25 Ships From Ann,  9 Ships Left \r\n");
    EXPECT_EQ(g.WorldShips[3], 9.0f);
    EXPECT_EQ(g.ScoutInfo[0][3][3], 9);                         // the attacker learns what is left
    EXPECT_TRUE(f.ports.Has("Sound battlelost.wav") == false);  // a speed game
  }
  {
    Attack f;
    Game& g = f.g();
    f.World(30, 0, 3, 2);
    f.Fleet(25);
    g.BattleData[2] = {0, 30, 3, 80, 0, 9, 2, 0};
    g.BattleSide = 2;
    BattleDone(g, 0);
    EXPECT_TRUE(f.Noticed("- Bob World Tarsis Fought Off 25 Ships From Ann -"));
    EXPECT_EQ(g.WorldOwner[3], 2);
  }
}

TEST(BattleDone, AnAnnihilationBombLeavesTheWorldEmptyAndUnshielded) {
  Attack f;
  Game& g = f.g();
  g.SpeedGame = false;
  f.Host(2);
  f.World(80, 60, 3, 2);
  f.Fleet(kAnnihilationBomb);
  EndTravel(g, 0);
  EXPECT_EQ(g.WorldOwner[3], 1);
  EXPECT_EQ(g.WorldShips[3], 0.0f);
  EXPECT_EQ(g.WorldShield[3], 0);
  EXPECT_TRUE(f.Noticed("- Ann Took Over World Tarsis With An Annihilation Bomb -"));
  EXPECT_EQ(f.ports.Sent(), (std::vector<std::string>{"[BATTLEDONE] 01 0*", "[BATTLEDONE] 01 0*"}));
  const int bomb = f.Index("Sound bomb.wav");
  ASSERT_GE(bomb, 0);
  EXPECT_EQ(f.Index("Pause 500", bomb), bomb + 1);
  EXPECT_GT(f.Index("Sound battlewon.wav"), bomb);
}

TEST(BattleDone, TreasuresChangeTheStateEverywhereButAreShownOnlyToTheFinder) {
  struct Case {
    int16_t code;
    const char* notice;
    const char* history;
  };
  const Case cases[] = {
      {kTypeBomb, "- A Bomb Was Found In A Secret Hangar! -", ": Extra Bomb Found In Secret Hangar! "},
      {kTypeFuel, "- Double Speed Fuel Was Found On World! -", ": Double Speed Fuel Found On World! "},
      {kTypeCrystal, "- An Information Crystal Was Found On World! -",
       ": Information Crystal Found On World!"},
      {40, "- 40 Ships Were Found In A Secret Hangar! -", ": 40 Ships Found In Secret Hangar! "}};
  for (const Case& c : cases)
    for (bool computer : {false, true}) {
      Attack f;
      Game& g = f.g();
      if (computer) g.setup.chkAI[0] = 1;
      f.World(10);
      g.WorldType[3] = c.code;
      g.WorldBombs[3] = 2;
      f.Fleet(30);
      g.BattleData[1] = {0, 30, 3, 80, 0, 20, 0, 0};
      g.BattleSide = 1;
      BattleDone(g, 0);
      EXPECT_EQ(g.WorldBombs[3], c.code == kTypeBomb ? 3 : 2);
      EXPECT_EQ(g.WorldType[3], c.code == kTypeFuel ? kTypeFuel : kTypeNothing);
      EXPECT_EQ(g.HasCrystal[0], c.code == kTypeCrystal ? 1 : 0);
      EXPECT_EQ(g.WorldShips[3], c.code == 40 ? 60.0f : 20.0f);
      EXPECT_EQ(f.Noticed(c.notice), !computer) << c.code;
      EXPECT_EQ(f.Noticed("- 2 Bombs Were Found On World! -"), !computer);
      EXPECT_EQ(g.WorldHistory[0][3].find(c.history) != std::string::npos, !computer) << c.code;
      EXPECT_EQ(g.WorldHistory[0][3].find(": 2 Bombs Were Found On World!") != std::string::npos, !computer);
      EXPECT_EQ(f.ports.Count("Pause 1000"), 1);  // the speed game skips the treasure's own second
    }
}

TEST(BattleDone, ASingleBombFoundIsNamedSo) {
  Attack f;
  Game& g = f.g();
  f.World(10);
  g.WorldBombs[3] = 1;
  f.Fleet(30);
  g.BattleData[1] = {0, 30, 3, 80, 0, 20, 0, 0};
  g.BattleSide = 1;
  BattleDone(g, 0);
  EXPECT_TRUE(f.Noticed("- A Bomb Was Found On World! -"));
  EXPECT_NE(g.WorldHistory[0][3].find(": 1 Bombs Were Found On World!"), std::string::npos);
}

}  // namespace
}  // namespace zarnath
