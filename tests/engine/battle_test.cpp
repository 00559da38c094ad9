// Battles: damage by class pair, shields, passes, the shot delay, the messages a host sends and
// the outcome with its treasures and intelligence.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

#include "engine_fixture.h"

namespace zarnath {
namespace {

// Ann has arrived at world 3, Tarsis, from her home world 8: {ships, shield, class} of both sides.
struct Attack : EngineGame {
  Attack(float ships, int shield, int shipClass, int owner, float fleet, int fleetShield = 0,
         int fleetClass = 3)
      : EngineGame("AB..") {
    std::tie(game.SpeedGame, game.WorldName[3]) = std::make_tuple(true, "Tarsis");
    std::tie(game.WorldShips[3], game.WorldShield[3], game.WorldClass[3], game.WorldOwner[3],
             game.WorldBombs[3]) = std::make_tuple(ships, shield, shipClass, owner, 0);
    Arrived(0, 8, 3, 1, fleet);
    std::tie(game.FleetShield[0], game.FleetClass[0]) = std::make_tuple(fleetShield, fleetClass);
  }
  // The battle is over with `side` the winner, `left` ships and `shield` on its side.
  void Won(int side, int shield, int left) {
    std::tie(game.BattleData[side], game.BattleSide) =
        std::make_tuple(std::array<int32_t, 8>{0, 30, 3, 80, shield, left, 0, 0}, side);
    BattleDone(game, 0);
  }
};

TEST(Hits, DamageByClassPairAndParityEitherWayRound) {
  // {attacker class, defender class, ships lost of an even count, of an odd count}
  const int cases[][4] = {{2, 1, 2, 1}, {4, 2, 2, 1}, {3, 1, 2, 2}, {4, 1, 2, 3}, {5, 1, 3, 3}, {5, 2, 2, 2},
                          {3, 2, 1, 1}, {4, 3, 1, 1}, {5, 3, 1, 1}, {5, 4, 1, 1}, {3, 3, 1, 1}, {1, 5, 1, 1}};
  for (const auto& [attacker, defender, evenLoss, oddLoss] : cases)
    for (int ships : {10, 9}) {
      SCOPED_TRACE(std::to_string(attacker) + "/" + std::to_string(defender) + " " + std::to_string(ships));
      EngineGame f;
      auto& data = f.game.BattleData;
      data[1] = {0, 20, attacker, 80, 0, 20, 20, 0};
      data[2] = {0, ships, defender, 80, 0, ships, ships, 0};
      FromHit(f.game, 0);
      EXPECT_EQ(ships - data[2][5], ships % 2 ? oddLoss : evenLoss);
      std::swap(data[1], data[2]);
      data[1][5] = data[1][6] = ships;
      ToHit(f.game, 0);
      EXPECT_EQ(ships - data[1][5], ships % 2 ? oddLoss : evenLoss);
    }
}

TEST(Hits, TheShotDelayFromTheFleetSizesAndCountsNeverOverflowOrDivideByZero) {
  EXPECT_EQ(ShotDelay(20, 10), 300.1f);
  EXPECT_EQ(ShotDelay(1000, 9), 300.0f);
  EXPECT_EQ(ShotDelay(-1, 500), 300.0f);
  EXPECT_NEAR(ShotDelay(100, 100), 30.02f, 1e-4);
  EXPECT_DOUBLE_EQ(StrengthBarSplit(3, 0), 735);
  EXPECT_DOUBLE_EQ(StrengthBarSplit(0, 0), 280 + 455 / 2.0);
  EXPECT_DOUBLE_EQ(StrengthBarSplit(1, -1), 735);
  Attack huge(50000, 0, 1, 0, 10, 0, 5);  // a garrison past 16 bits fights with its whole count
  BattleSetup(huge.game, 0);
  EXPECT_EQ(std::make_tuple(huge.game.BattleData[2][5], huge.game.BattleData[2][6]),
            std::make_tuple(50000, 50000));
}

TEST(Battle, AnEmptyOrNegativeGarrisonFallsAtTheFirstShotHitOrMiss) {
  for (uint64_t seed = 1; seed <= 12; ++seed) {
    Attack f(seed == 12 ? -1.0f : 0.0f, 80, 3, 0, 5);
    f.game.SpeedGame = false;
    f.game.random.Seed(seed);
    Battle(f.game, 0);
    EXPECT_EQ(std::make_tuple(f.ports.Count("Pause 300"), f.game.BattleSide, f.game.WorldOwner[3],
                              f.game.FleetFrom[0]),
              std::make_tuple(1, 1, 1, 0));
  }
}

TEST(Battle, DefensiveModeAlternatesSingleShotsAndOffensiveModeFiresWholeVolleys) {
  for (bool defensive : {true, false}) {
    Attack f(2, 100, 3, 0, 5, 100);  // every hit on either side only takes shield points
    f.game.setup.chkMode = defensive ? 1 : 0;
    f.Host(1);
    Battle(f.game, 0);
    std::string passes;  // the pass counters of the [FRAMEUPDATE] messages to client 1
    for (const auto& c : f.ports.calls)
      if (c.rfind("Send 1 [FRAMEUPDATE] ", 0) == 0) passes += c.substr(23, c.size() - 24);
    EXPECT_EQ(passes.substr(0, defensive ? 24 : 28),
              defensive ? " 0 0 1 1 2 3 4 5 5 6 6 7" : " 0 0 0 0 0 0 0 1 1 1 1 1 1 1");
  }
}

// Each shot comes the shot delay after the start of the shot before, however long showing it took
// (here 7 ms of the clock for every repaint of the panel): 300 ms apart, not 307.
TEST(Battle, ShotsKeepThePaceOfTheShotDelayWhateverShowingThemTakes) {
  Attack f(20, 0, 3, 2, 10);
  f.game.SpeedGame = false;
  f.ports.onRefresh = [&](Control c) {
    if (c == Control::kBattleFrames) f.ports.nowMs += 7;
  };
  Battle(f.game, 0);
  std::vector<int64_t> shots;  // the clock at the end of each shot's pause
  std::vector<std::string> pauses;
  int64_t clock = 0;
  for (const std::string& c : f.ports.calls) {
    if (c == "Refresh battleFrames") clock += 7;
    if (c.rfind("Pause ", 0) != 0) continue;
    const int ms = std::stoi(c.substr(6));
    clock += ms;
    // Not the rings' frames before the shots (100 ms), nor the outcome's pause after them.
    if (ms != 100 && ms < 1000) shots.push_back(clock), pauses.push_back(c);
  }
  ASSERT_GE(shots.size(), 3u);
  EXPECT_EQ(pauses.front(), "Pause 300");
  for (size_t k = 1; k < shots.size(); ++k) {
    EXPECT_EQ(shots[k] - shots[k - 1], 300) << k;
    EXPECT_EQ(pauses[k], "Pause 293") << k;
  }
}

// A speed game writes the panel's figures once the shots are over: the panel's last repaint shows
// the same figures as in a battle shown shot by shot, after the same dice and the same outcome.
TEST(Battle, ASpeedGameEndsWithThePanelOfAShownBattle) {
  for (uint64_t seed : {3u, 8u, 21u}) {
    std::array<std::string, 2> panels;
    std::array<std::array<std::array<int32_t, 8>, 4>, 2> data;
    for (bool speed : {true, false}) {
      Attack f(40, 5, 2, 2, 60, 3, 3);
      f.game.SpeedGame = speed;
      f.game.random.Seed(seed);
      std::string shown, expected;  // the panel at each repaint, and what the battle's figures say
      f.ports.onRefresh = [&](Control c) {
        if (c != Control::kBattleFrames) return;
        const BattlePanel& p = f.game.window.battle;
        const auto& d = f.game.BattleData;
        if (p.lblCurr[1].Caption.empty()) return;  // the panel at rest after the battle
        shown = p.lblShield[1].Caption + p.lblCurr[1].Caption + p.lblShot[1].Caption +
                p.lblShield[2].Caption + p.lblCurr[2].Caption + p.lblShot[2].Caption;
        expected = Str(d[1][4]) + Str(d[1][5]) + Str(d[1][6]) + Str(d[2][4]) + Str(d[2][5]) + Str(d[2][6]);
      };
      Battle(f.game, 0);
      EXPECT_EQ(shown, expected) << seed;
      panels[speed] = shown;
      data[speed] = f.game.BattleData;
    }
    EXPECT_EQ(panels[0], panels[1]) << seed;
    EXPECT_EQ(data[0], data[1]) << seed;
  }
}

// A class's accuracy from one draw r of the game's source: 60 + 5 (class - 1) plus the whole part
// of r times the rest up to 100, so class 1 gives 60..99 and class 5 80..99.
int AccuracyFor(int shipClass, RandomSource& draws) {
  const int low = 60 + 5 * (std::clamp(shipClass, 1, 5) - 1);
  return low + static_cast<int>(std::floor((100 - low) * static_cast<double>(draws.Next())));
}

TEST(Accuracy, EachClassDrawsExactlyTheValuesOfItsRange) {
  for (int shipClass = 0; shipClass <= 6; ++shipClass) {
    EngineGame f;
    RandomSource draws(7);
    f.game.random.Seed(7);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
      const int accuracy = DrawAccuracy(f.game, shipClass);
      ASSERT_EQ(accuracy, AccuracyFor(shipClass, draws)) << shipClass << " draw " << i;
      seen.insert(accuracy);
    }
    EXPECT_EQ(*seen.begin(), 60 + 5 * (std::clamp(shipClass, 1, 5) - 1)) << shipClass;
    EXPECT_EQ(*seen.rbegin(), 99) << shipClass;
    EXPECT_EQ(seen.size(), 100u - *seen.begin()) << shipClass;
  }
}

TEST(Battle, TheHostSendsEveryStepBeforeItsOwnAndTheAccuraciesOfTheFleetThenTheWorld) {
  for (int shipClass : {1, 3, 5, 0, 9}) {
    const int worldClass = shipClass == 9 ? 5 : 2;
    Attack f(8, 0, worldClass, 0, 12, 0, shipClass);
    f.Host(2);
    f.game.PlayerName[2] = "Cid";  // a second client's seat
    RandomSource draws(11);
    f.game.random.Seed(11);
    Battle(f.game, 0);
    const int attack = AccuracyFor(shipClass, draws), defend = AccuracyFor(worldClass, draws);
    EXPECT_EQ(std::make_tuple(f.game.BattleData[1][3], f.game.BattleData[2][3]),
              std::make_tuple(attack, defend));
    const std::vector<std::string> sent = f.ports.Sent();
    ASSERT_GE(sent.size(), 6u);
    EXPECT_EQ(sent[0], "[BATTLEACCU] 00" + Format(attack, "00") + Format(defend, "00") + "*") << shipClass;
    EXPECT_EQ(sent[1], "[BATTLESETUP] 00BattleSetup*");
    EXPECT_EQ(sent[2], sent[0]);  // both to the first client, then both to the second
    EXPECT_EQ(sent[sent.size() - 3].rfind("[FRAMEUPDATE] 00", 0), 0u);
    EXPECT_EQ(sent.back(), "[BATTLEDONE] " + Format(f.game.BattleSide, "00") + " 0*");
    for (const auto& m : sent)
      EXPECT_TRUE(std::ranges::any_of(std::array{"[BATTLEACCU] ", "[BATTLESETUP] ", "[BATTLEDONE] ",
                                                 "[FROMHIT] ", "[TOHIT] ", "[FRAMEUPDATE] "},
                                      [&m](const char* tag) { return m.starts_with(tag); }))
          << m;
  }
}

TEST(BattleDone, TheWorldChangesHandsOrHoldsAndTheLoserLearnsWhatIsLeft) {
  const std::tuple<int, int, const char*> cases[] = {
      // {owner, winning side, notice}
      {2, 1, "- Ann Took Over World Tarsis With 12 Ships Left -"},
      {0, 2, "- World Tarsis Fought Off 25 Ships From Ann,  12 Ships Left -"},
      {2, 2, "- Bob World Tarsis Fought Off 25 Ships From Ann -"}};
  for (const auto& [owner, side, notice] : cases) {
    Attack f(30, 0, 2, owner, 25);
    Game& g = f.game;
    g.WorldShieldOn[3] = 1;
    g.WorldNoGather[3] = g.WorldMarked[0][3] = true;
    f.Won(side, 7, 12);
    const int loser = side == 1 ? owner - 1 : 0;  // who learns what is left
    EXPECT_EQ(std::make_tuple(g.WorldOwner[3], g.WorldShips[3], g.WorldShield[3], g.FleetFrom[0]),
              std::make_tuple(side == 1 ? 1 : owner, 12.0f, 7, 0));
    EXPECT_EQ(std::make_tuple(g.ScoutInfo[loser][3][3], g.ScoutInfo[loser][4][3]),
              std::make_tuple(int16_t{12}, int16_t{7}));
    EXPECT_TRUE(f.Noticed(notice)) << notice;
    EXPECT_EQ(g.WorldHistory[side == 1 ? 1 : 0][3],
              std::string("   Year 1.00, Turn #0:") +
                  (side == 1 ? " Ann Took Over World Tarsis With" : "  Fought Off 25 Ships From Ann, ") +
                  " 12 Ships Left \r\n");
    EXPECT_EQ(g.PlayerLog[0] + g.PlayerLog[1],
              std::string("\r\n") + notice + "\r\n" + notice);  // every human
    const bool held = side == 2;                                // a taken world's switches are reset
    EXPECT_EQ(std::make_tuple(g.WorldShieldOn[3], g.WorldNoGather[3], g.WorldMarked[0][3]),
              std::make_tuple(int16_t{held}, held, held));
  }
}

TEST(BattleDone, AProximityBombOnATakenWorldKeepsItsOwnerAndIsNotCountedAsABombFound) {
  for (int16_t stored : {0, 1}) {
    Attack f(30, 0, 2, 2, 25);  // Bob's world Tarsis, with his proximity bomb on it
    Game& g = f.game;
    g.WorldBombs[3] = stored;
    std::tie(g.ProxBombOwner[4], g.ProxBombWorld[4], g.ProxBombThreshold[4]) = std::make_tuple(2, 3, 40);
    f.Won(1, 0, 12);
    EXPECT_EQ(g.WorldOwner[3], 1);
    EXPECT_EQ(g.WorldBombs[3], stored);
    EXPECT_EQ(f.NoticeHas("Found On World"), stored > 0);
    EXPECT_EQ(f.Noticed("- A Bomb Was Found On World! -"), stored > 0);
    EXPECT_EQ(std::make_tuple(g.ProxBombOwner[4], g.ProxBombWorld[4], g.ProxBombThreshold[4]),
              std::make_tuple(2, 3.0f, 40.0f));
  }
}

TEST(BattleDone, AnAnnihilationBombLeavesTheWorldEmptyAndUnshielded) {
  Attack f(80, 60, 3, 2, kAnnihilationBomb);
  Game& g = f.game;
  g.SpeedGame = false;
  f.Host(2);
  g.PlayerName[2] = "Cid";
  EndTravel(g, 0);
  EXPECT_EQ(std::make_tuple(g.WorldOwner[3], g.WorldShips[3], g.WorldShield[3]), std::make_tuple(1, 0.0f, 0));
  EXPECT_TRUE(f.Noticed("- Ann Took Over World Tarsis With An Annihilation Bomb -"));
  EXPECT_EQ(f.ports.Sent(), (std::vector<std::string>{"[BATTLEDONE] 01 0*", "[BATTLEDONE] 01 0*"}));
  const int bomb = f.Index("Sound bomb.wav");
  EXPECT_EQ(f.Index("Pause 500", bomb), bomb + 1);
  EXPECT_GT(f.Index("Sound battlewon.wav"), bomb);
}

TEST(BattleDone, TreasuresChangeTheStateEverywhereButAreShownOnlyToTheFinder) {
  const std::tuple<int16_t, int, const char*, const char*> cases[] = {
      {kTypeBomb, 2, "- A Bomb Was Found In A Secret Hangar! -", ": Extra Bomb Found In Secret Hangar! "},
      {kTypeFuel, 2, "- Double Speed Fuel Was Found On World! -", ": Double Speed Fuel Found On World! "},
      {kTypeCrystal, 2, "- An Information Crystal Was Found On World! -",
       ": Information Crystal Found On World!"},
      {40, 1, "- 40 Ships Were Found In A Secret Hangar! -", ": 40 Ships Found In Secret Hangar! "}};
  for (const auto& [code, bombs, notice, history] : cases)
    for (bool computer : {false, true}) {
      Attack f(10, 0, 3, 0, 30);
      Game& g = f.game;
      std::tie(g.setup.chkAI[0], g.WorldType[3], g.WorldBombs[3]) = std::make_tuple(computer, code, bombs);
      f.Won(1, 0, 20);
      EXPECT_EQ(std::make_tuple(g.WorldBombs[3], g.WorldType[3], g.HasCrystal[0], g.WorldShips[3]),
                std::make_tuple(bombs + (code == kTypeBomb), code == kTypeFuel ? kTypeFuel : kTypeNothing,
                                code == kTypeCrystal, code == 40 ? 60.0f : 20.0f));
      const char* bombNotice =
          bombs == 1 ? "- A Bomb Was Found On World! -" : "- 2 Bombs Were Found On World! -";
      EXPECT_EQ(f.Noticed(notice) + f.Noticed(bombNotice), computer ? 0 : 2) << code;
      const std::string found = history + std::string("\r\n   Year 1.00, Turn #0: ") + std::to_string(bombs);
      EXPECT_EQ(g.WorldHistory[0][3].find(found + " Bombs Were Found On World!") != std::string::npos,
                !computer);
      EXPECT_EQ(f.ports.Count("Pause 1000"), 1);  // the speed game skips the treasure's own second
    }
}

// The alert that opens a battle: the two sides' ships with the blank of their number text, the
// attacker's name and the world, in the neutral colour.
TEST(Battle, TheAlertNamesBothSidesAndTheWorld) {
  Attack f(40, 5, 2, 2, 60.5f);
  f.game.SpeedGame = false;
  std::vector<std::pair<std::string, double>> alerts;  // text and colour
  f.ports.onRefresh = [&](Control c) {
    const TextBox& line = f.game.window.txtGame;
    if (c == Control::kTxtGame && line.Text.starts_with("- Battle Alert"))
      alerts.emplace_back(line.Text, line.ForeColor);
  };
  Battle(f.game, 0);
  ASSERT_FALSE(alerts.empty());
  EXPECT_EQ(alerts[0],
            std::make_pair(std::string("- Battle Alert:  60.5 Ships from Ann Attacking 40 Ships on "
                                       "World Tarsis -"),
                           kNeutralColor));
  EXPECT_TRUE(f.ports.Has("Sound battlestart.wav"));
}

// The rings round the target of an arriving object: three frames growing outward in the arriving
// owner's colour, the world owner's and black; three shrinking back, dotted round a neutral world.
TEST(RingAnimations, WorldUpAndWorldDownRadiiAndColours) {
  EngineGame f("AB..");
  Game& g = f.game;
  g.SpeedGame = false;
  g.WorldOwner[3] = 2;
  f.Put(0, 8, 3, 1, 20, 0.4f);
  // Radius, colour, line width and style of each ring drawn.
  auto rings = [&] {
    std::vector<std::string> out;
    for (const std::string& call : f.Calls("Circle ")) {
      std::vector<std::string> part;
      for (size_t at = 0, next; at != std::string::npos; at = next == std::string::npos ? next : next + 1) {
        next = call.find(' ', at);
        part.push_back(call.substr(at, next == std::string::npos ? next : next - at));
      }
      out.push_back(part[3] + " " + part[4] + " " + part[6] + " " + part[7]);
    }
    return out;
  };
  const std::string ann = CallNumber(kPlayerColors[1]), bob = CallNumber(kPlayerColors[2]),
                    none = CallNumber(kPlayerColors[0]);
  f.ports.Clear();
  WorldUp(g, 0);
  EXPECT_EQ(rings(), (std::vector<std::string>{"16 " + ann + " 2 0", "13 " + bob + " 2 0", "10 0 2 0",
                                               "17 " + ann + " 2 0", "14 " + bob + " 2 0", "11 0 2 0",
                                               "18 " + ann + " 2 0", "15 " + bob + " 2 0", "12 0 2 0"}));
  EXPECT_EQ(f.ports.Count("Pause 100"), 3);
  f.ports.Clear();
  WorldDown(g, 0);
  EXPECT_EQ(rings(), (std::vector<std::string>{"18 0 2 0", "15 " + bob + " 2 0", "17 0 2 0",
                                               "14 " + bob + " 2 0", "16 0 2 0", "13 " + bob + " 2 0"}));
  g.WorldOwner[3] = 0;
  g.SpeedGame = true;
  f.ports.Clear();
  WorldDown(g, 0);
  EXPECT_EQ(rings(), (std::vector<std::string>{"18 0 2 2", "15 " + none + " 2 2", "17 0 2 2",
                                               "14 " + none + " 2 2", "16 0 2 2", "13 " + none + " 2 2"}));
  f.ports.Clear();
  WorldUp(g, 0);
  EXPECT_EQ(rings()[1], "13 " + none + " 2 0");
  EXPECT_FALSE(f.ports.Has("Pause 100"));
}

}  // namespace
}  // namespace zarnath
