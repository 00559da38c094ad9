// Arrivals, reinforcements, scouting, proximity bombs and pulse bombs.
#include <gtest/gtest.h>

#include <cmath>

#include "engine_fixture.h"
#include "model/fleet_table.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

struct Events : EngineGame {
  Events() : EngineGame("AB..") { game.WorldName[2] = "Ostra", game.WorldName[3] = "Tarsis"; }
};

TEST(Scout, TheReportTextAndTheIntelligence) {
  Events f;
  Game& g = f.game;
  f.AtTurn(1);
  std::tie(g.WorldProduction[3], g.WorldClass[3], g.WorldShieldOn[3], g.WorldShield[3], g.WorldBombs[3],
           g.WorldShips[3]) = std::make_tuple(5, 3, 1, 40, 2, 12.5f);
  f.Arrived(5, 8, 3, 1, kScout);
  Scout(g, 5);
  const std::string report =
      "World Tarsis Scout Info:  Prod: 5,  Class: 3,  Shield: On, 40%,  Ships: 12.5,  Bombs: 2";
  EXPECT_TRUE(f.Noticed("- " + report + " -"));
  EXPECT_EQ(g.PlayerLog[0], "\r\n- " + report + " -");
  EXPECT_EQ(g.WorldHistory[0][3], "   Year 1.05, Turn #1:  " + report.substr(13) + " \r\n");
  EXPECT_EQ((std::vector<int>{g.ScoutInfo[0][0][3], g.ScoutInfo[0][1][3], g.ScoutInfo[0][2][3],
                              g.ScoutInfo[0][3][3], g.ScoutInfo[0][4][3], g.FleetFrom[5]}),
            (std::vector<int>{1, 3, 5, 12, 40, 0}));
  EXPECT_TRUE(f.ports.Has("Sound scout.wav"));
  EXPECT_TRUE(f.ports.Has("Pause 2000"));
}

TEST(Reinforcements, ShipsJoinTheWorldWithNoticeAndAMarkByTheirNumber) {
  for (const auto& [ships, dots] :
       {std::pair{kScout, 1}, {99.0f, 1}, {100.0f, 2}, {499.0f, 2}, {500.0f, 3}}) {
    Events f;
    Game& g = f.game;
    std::tie(g.WorldOwner[3], g.WorldShips[3]) = std::make_tuple(1, 10.0f);
    f.Arrived(1, 2, 3, 1, ships);
    EndTravel(g, 1);
    const float n = ships == kScout ? 1.0f : ships;
    EXPECT_EQ(std::make_tuple(g.WorldShips[3], g.FleetFrom[1]), std::make_tuple(10 + n, uint8_t{0}));
    EXPECT_EQ(g.PlayerLog[0],
              "\r\n-" + Str(n) + " Reinforcements From World Ostra Arrived At World Tarsis -");
    const std::vector<std::string> mark = f.Calls("Dots ");
    ASSERT_EQ(mark.size(), 1u) << ships;
    EXPECT_TRUE(mark[0].ends_with(" " + std::to_string(dots) + " 3")) << mark[0];
    EXPECT_LT(f.Index("Pause 1000"), f.Index("HideShipsLabel"));  // the ships label stays through the pause
  }
}

// The "+ n" label stands 21 px from a home world that carries a player's name, 18 px from any other.
TEST(Reinforcements, TheLabelStandsFurtherFromANamedHomeWorld) {
  for (const auto& [to, gap] : {std::pair{kHomeWorld0, 21}, {kHomeWorld0 + 2, 18}, {3, 18}}) {
    Events f;
    Game& g = f.game;
    std::tie(g.WorldOwner[to], g.WorldShips[to]) = std::make_tuple(1, 10.0f);
    f.Arrived(1, 2, to, 1, 7.0f);
    EndTravel(g, 1);
    const ViewPoint at = WorldPixel(g, to);
    const std::vector<std::string> label = f.Calls("ShipsLabel ");
    ASSERT_EQ(label.size(), 1u) << to;
    EXPECT_EQ(label[0], "ShipsLabel + 7 " + CallNumber(at.x) + " " + CallNumber(at.y) + " " +
                            std::to_string(gap) + " " + CallNumber(kPlayerColors[1]))
        << to;
  }
}

// An annihilation bomb sent to a world of its owner joins the world's bombs: no battle, the
// transfer notice with both names, a ring also about a home world, and the bomb's blob.
TEST(Reinforcements, ABombAtAnOwnWorldIsTransferredToItsBombs) {
  for (const int to : {3, kHomeWorld0}) {
    Events f;
    Game& g = f.game;
    f.AtTurn(2);
    std::tie(g.WorldOwner[3], g.WorldBombs[3], g.WorldShips[3]) = std::make_tuple(1, 1, 10.0f);
    g.WorldBombs[kHomeWorld0] = 1;
    const float ships = g.WorldShips[to];
    f.Arrived(4, 2, to, 1, kAnnihilationBomb);
    EndTravel(g, 4);
    const std::string& name = g.WorldName[to];
    const std::string notice = "- A Bomb From World Ostra Was Transferred To World " + name + " -";
    EXPECT_EQ(std::make_tuple(g.WorldBombs[to], g.WorldShips[to], g.WorldOwner[to], g.FleetFrom[4]),
              std::make_tuple(int16_t{2}, ships, uint8_t{1}, uint8_t{0}))
        << name;
    EXPECT_TRUE(f.Noticed(notice)) << name;
    EXPECT_EQ(g.PlayerLog[0], "\r\n" + notice);
    EXPECT_EQ(g.WorldHistory[0][to],
              "   Year 1.10, Turn #2: A Bomb From World Ostra Was Transferred To World " + name + " \r\n");
    const ViewPoint at = WorldPixel(g, to);
    ASSERT_EQ(f.Calls("Circle ").size(), 1u) << name;
    EXPECT_TRUE(
        f.Calls("Circle ")[0].starts_with("Circle " + CallNumber(at.x) + " " + CallNumber(at.y) + " 14 "))
        << f.Calls("Circle ")[0];
    ASSERT_EQ(f.Calls("Blob ").size(), 1u) << name;
    EXPECT_TRUE(f.Calls("Blob ")[0].starts_with("Blob " + CallNumber(at.x) + " " + CallNumber(at.y) + " " +
                                                CallNumber(kPlayerColors[1])))
        << f.Calls("Blob ")[0];
    EXPECT_FALSE(f.ports.Has("Sound battlestart.wav") || f.ports.Has("Sound bomb.wav")) << name;
    EXPECT_TRUE(f.ports.Has("Pause 1000")) << name;
  }

  // On a network host a client's bomb is only counted, after every client is told.
  Events h;
  Game& g = h.game;
  h.Host(1);
  std::tie(g.WorldOwner[3], g.WorldBombs[3]) = std::make_tuple(2, 0);
  h.Arrived(4, 2, 3, 2, kAnnihilationBomb);
  EndTravel(g, 4);
  EXPECT_EQ(std::make_tuple(g.WorldBombs[3], g.FleetFrom[4]), std::make_tuple(int16_t{1}, uint8_t{0}));
  EXPECT_EQ(h.ports.Sent(), std::vector<std::string>{"[REINFORCEMENTS] 04Reinforcements*"});
  EXPECT_TRUE(h.notices.empty());
}

// A scout at a foreign world is reported to its owner's connection only, once; the other
// clients learn only that its slot is free, and the host's own player has no connection to tell.
TEST(Scout, OnlyTheOwnersConnectionIsToldOnce) {
  const std::string freed = "[SEND] 05" + FleetRecord(Events().game, 5) + "*";  // a free slot
  struct Case {
    const char* what;
    int owner;
    std::vector<bool> connected;
    std::vector<std::string> sent;
  } const cases[] = {
      {"Cid's scout",
       3,
       {false, true, true, true},
       {"Send 2 [SCOUT] 05Scout*", "Send 1 " + freed, "Send 2 " + freed, "Send 3 " + freed}},
      {"Ann's own, on the host",
       1,
       {false, true, true, true},
       {"Send 1 " + freed, "Send 2 " + freed, "Send 3 " + freed}},
      {"Bob's, his connection lost", 2, {false, false, true, true}, {"Send 2 " + freed, "Send 3 " + freed}},
  };
  for (const Case& c : cases) {
    EngineGame f("ABCD");
    Game& g = f.game;
    f.Host(3);
    f.ports.connected = c.connected;
    std::tie(g.WorldOwner[3], g.WorldShips[3]) = std::make_tuple(c.owner == 1 ? 2 : 1, 12.0f);
    f.Arrived(5, 2, 3, c.owner, kScout);
    EndTravel(g, 5);
    EXPECT_EQ(f.Calls("Send "), c.sent) << c.what;
    EXPECT_EQ(g.ScoutInfo[static_cast<size_t>(c.owner - 1)][3][3], 12) << c.what;  // the host learns it too
    EXPECT_EQ(g.FleetFrom[5], 0) << c.what;
  }
}

// Worlds 2, 4 and 5 on ring 130 turning together: Bob's `ships` leaving world 2 for world 4, and
// Ann's proximity bomb with a threshold of 50 on world 5, Mina, `apart` orbit units from world 2.
struct Minefield : Events {
  Minefield(double apart, float ships) {
    for (int w : {2, 4, 5}) game.WorldRadius[w] = 130, game.WorldAngularSpeed[w] = game.WorldAngularSpeed[8];
    std::tie(game.WorldAngle[2], game.WorldAngle[4], game.WorldName[4], game.WorldName[5]) =
        std::make_tuple(1.0f, 2.0f, "Cato", "Mina");
    game.WorldAngle[5] = static_cast<float>(1.0 + 2.0 * std::asin(apart / 260.0));
    std::tie(game.ProxBombOwner[3], game.ProxBombWorld[3], game.ProxBombThreshold[3]) =
        std::make_tuple(1, 5, 50);
    Put(0, 2, 4, 2, ships, 0.5f, 26);
  }
};

TEST(ProximityBombs, FiftyShipsWithinTwentyUnitsOrAnyBombSetItOffAndAreDestroyedWhole) {
  using C = std::tuple<double, float, float, bool>;  // {apart, ships, threshold, fires}
  for (const auto& [apart, ships, threshold, fires] :
       {C{19, 49, 50, false}, C{19, 50, 50, true}, C{20.5, 5000, 50, false}, C{19, kScout, 0, true},
        C{19, kAnnihilationBomb, 500, true}, C{19, kProximityBombBase + 7, 500, true}}) {
    Minefield f(apart, ships);
    f.game.ProxBombThreshold[3] = threshold;
    EXPECT_EQ(ProximityFires(f.game, 0, 3), fires) << apart << " " << ships;
    if (!fires) continue;
    Proximity(f.game, 0, 3);  // a hit destroys the object whole and uses the bomb up
    EXPECT_EQ(std::make_tuple(f.game.FleetFrom[0], f.game.ProxBombOwner[3], f.game.ProxBombThreshold[3]),
              std::make_tuple(0, 0, 0.0f));
    if (ships != 50) continue;
    const std::string notice = "- A Proximity Bomb On World Mina Destroyed 50 Ships From Bob -";
    EXPECT_TRUE(f.Noticed(notice));
    EXPECT_EQ(std::make_pair(f.game.PlayerLog[0], f.game.PlayerLog[1]),
              std::make_pair("\r\n" + notice, "\r\n" + notice));
    EXPECT_EQ(
        f.game.WorldHistory[1][4],
        "   Year 1.00, Turn #0: A Proximity Bomb Set By Ann On World Cato Destroyed 50 Ships From Bob \r\n");
  }
}

TEST(ProximityBombs, TheEndOfTurnScanSparesTheBombOwnersOwnObjects) {
  for (int owner : {1, 2}) {  // Ann's bomb, Ann's or Bob's fleet
    Minefield f(19, 5000);
    f.game.FleetOwner[0] = static_cast<uint8_t>(owner);
    EndTurn(f.game);
    EXPECT_EQ(f.game.ProxBombOwner[3], owner == 1 ? 1 : 0) << owner;
    EXPECT_EQ(f.game.FleetFrom[0] != 0, owner == 1) << owner;
  }
}

// Worlds standing still on ring 130: Bob's 5000 ships from world 2 (at angle 0) to world 4, a
// tenth of a year left of a 0.2-year trip with a path parameter of 6, so that the last turn's
// samples sweep from 0.3 to 0.6 rad, twice that from a double-speed fuel world; Ann's bomb on world
// 5 at angle `bomb`.
struct StillMinefield : Events {
  StillMinefield(double bomb, bool fuel) {
    for (int w : {2, 4, 5, 8}) game.WorldRadius[w] = 130, game.WorldAngularSpeed[w] = 0;
    std::tie(game.WorldAngle[2], game.WorldAngle[4], game.WorldAngle[5]) =
        std::make_tuple(0.0f, 3.0f, static_cast<float>(bomb));
    game.WorldType[2] = fuel ? kTypeFuel : kTypeNothing;
    std::tie(game.ProxBombOwner[3], game.ProxBombWorld[3], game.ProxBombThreshold[3]) =
        std::make_tuple(1, 5.0f, 50.0f);
    Put(0, 2, 4, 2, 5000, 0.2f);
    std::tie(game.FleetTimeLeft[0], game.FleetAngleParam[0]) = std::make_tuple(0.1, 6.0f);
  }
};

// The scan samples the object's path through the whole turn, the start and the end included, and
// an object from a double-speed fuel world travels its path twice as fast.
TEST(ProximityBombs, TheScanCoversTheWholeTurnAtTheObjectsOwnSpeed) {
  const double kFifteenUnits = 15.0 / 130;  // in radians on ring 130
  struct Case {
    const char* what;
    double bomb;
    bool fuel, fires;
  } const cases[] = {
      {"just past where a fuel object ends the turn", 1.2 + kFifteenUnits, true, true},
      {"just before where a fuel object began the turn", 0.6 - kFifteenUnits, true, true},
      {"halfway along a fuel object's turn", 0.9, true, true},
      {"halfway along a fuel object's turn, an ordinary object", 0.9, false, false},
      {"just past where an ordinary object ends the turn", 0.6 + kFifteenUnits, false, true},
      {"just before where an ordinary object began the turn", 0.3 - kFifteenUnits, false, true},
      {"well past an ordinary object's turn", 0.6 + 3 * kFifteenUnits, false, false},
  };
  for (const Case& c : cases) {
    StillMinefield f(c.bomb, c.fuel);
    EXPECT_EQ(ProximityFires(f.game, 0, 3), c.fires) << c.what;
  }
}

// An object coming down from ring 130 to ring 70, with the bomb's world at the angle the object
// ends the turn at, on a ring `gap` units inside the object's distance from the sun then: within
// the range it fires, beyond it no sample does.
TEST(ProximityBombs, AnObjectBetweenTheRingsFiresOnlyWithinTheRangeOfTheBombWorld) {
  for (const auto& [gap, fires] : {std::pair{19.9, true}, std::pair{20.1, false}}) {
    StillMinefield f(0.0, false);
    f.game.WorldRadius[4] = 70;
    const PathPoint end = FleetPathAt(f.game, 0, FleetTicksElapsed(f.game, 0));
    f.game.WorldRadius[5] = static_cast<float>(end.radius - gap);
    f.game.WorldAngle[5] = static_cast<float>(end.angle);
    EXPECT_EQ(ProximityFires(f.game, 0, 3), fires) << gap;
  }
}

TEST(ProximitySet, PlantsTheBombInAFreeSlotOrSaysTruthfullyThatNoneIsFree) {
  for (bool full : {false, true}) {
    Events f;
    Game& g = f.game;
    for (int k = 0; k < (full ? kUsedBombSlots : 1); ++k)
      std::tie(g.ProxBombOwner[k], g.ProxBombWorld[k], g.ProxBombThreshold[k]) = std::make_tuple(2, 6, 10);
    f.Arrived(9, 8, 3, 1, kProximityBombBase + 50);
    EndTravel(g, 9);
    EXPECT_EQ(g.PlayerLog[0],
              full ? "\r\n- A Proximity Bomb Could Not Be Set On World Tarsis, All Bomb Slots Are In Use -"
                   : "\r\n- A Proximity Bomb With a Threshold of 50 Ships Was Set On World Tarsis -");
    const int k = full ? kUsedBombSlots : 1;
    EXPECT_EQ(std::make_tuple(g.ProxBombOwner[k], g.ProxBombWorld[k], g.ProxBombThreshold[k], g.FleetFrom[9]),
              full ? std::make_tuple(0, 0.0f, 0.0f, 0) : std::make_tuple(1, 3.0f, 50.0f, 0));
    EXPECT_EQ(f.Calls("Blob ").size() + f.Calls("Circle ").size(),
              full ? 0u : 3u);  // a set bomb's marks only
  }
}

// The mark of a bomb set on a world stands left, right, below and then above it by the owner's
// earlier bombs on the same world (20 units scaled); other owners' and other worlds' bombs do not
// count, and a fifth bomb's mark stands on the world itself.
TEST(ProximitySet, TheMarkMovesAroundTheWorldByTheOwnersEarlierBombsThere) {
  const std::pair<double, double> offsets[] = {{-20, 0}, {20, 0}, {0, 20}, {0, -20}, {0, 0}};
  for (int earlier = 0; earlier < 5; ++earlier) {
    Events f;
    Game& g = f.game;
    std::tie(g.ProxBombOwner[0], g.ProxBombWorld[0], g.ProxBombThreshold[0]) =
        std::make_tuple(2, 3.0f, 10.0f);
    std::tie(g.ProxBombOwner[1], g.ProxBombWorld[1], g.ProxBombThreshold[1]) =
        std::make_tuple(1, 6.0f, 10.0f);
    for (int k = 2; k < 2 + earlier; ++k)
      std::tie(g.ProxBombOwner[k], g.ProxBombWorld[k], g.ProxBombThreshold[k]) =
          std::make_tuple(1, 3.0f, 10.0f);
    f.Arrived(9, 8, 3, 1, kProximityBombBase + 50);
    EndTravel(g, 9);
    ASSERT_EQ(g.ProxBombOwner[2 + earlier], 1) << earlier;
    const ViewPoint at = WorldPixel(g, 3);
    const auto [dx, dy] = offsets[earlier];
    const std::vector<std::string> blob = f.Calls("Blob ");
    ASSERT_EQ(blob.size(), 1u) << earlier;
    EXPECT_TRUE(blob[0].starts_with("Blob " + CallNumber(at.x + dx * g.GalaxyScaleX) + " " +
                                    CallNumber(at.y + dy * g.GalaxyScaleY) + " "))
        << earlier << ": " << blob[0];
  }
}

// Ann's home world 8, Home, at (130, 0) with an armed pulse bomb (type 10, or 12 on a fuel
// world); worlds 2, 3 and 4 on ring 50, world 2 exactly 80 orbit units from it.
struct PulseRange : Events {
  explicit PulseRange(int16_t type = 10) {
    std::tie(game.WorldRadius[8], game.WorldAngle[8], game.WorldType[8], game.WorldName[8]) =
        std::make_tuple(130.0f, 0.0f, type, "Home");
    for (int w : {2, 3, 4}) game.WorldRadius[w] = 50;
    std::tie(game.WorldAngle[2], game.WorldAngle[3], game.WorldAngle[4]) = std::make_tuple(0.0f, 1.0f, 0.05f);
  }
};

TEST(PulseBomb, DestroysMovedForeignObjectsWithin80Units) {
  PulseRange f;
  Game& g = f.game;
  f.Put(0, 2, 3, 2, 25, 0.5f, 26);      // exactly 80 units away: destroyed
  f.Put(1, 4, 3, 2, 25, 0.5f, 26);      // a little further: spared
  f.Put(2, 2, 3, 2, 25, 0.5f, 0);       // launched this turn: spared
  f.Put(3, 2, 3, 1, 25, 0.5f, 26);      // Ann's own: spared
  f.Put(4, 2, 3, 2, kScout, 0.5f, 26);  // a scout: destroyed
  PulseBomb(g, 8);
  EXPECT_EQ(
      (std::vector<int>{g.FleetFrom[0], g.FleetFrom[1], g.FleetFrom[2], g.FleetFrom[3], g.FleetFrom[4]}),
      (std::vector<int>{0, 5, 3, 3, 0}));
  EXPECT_EQ(std::make_tuple(g.WorldType[8], g.RadarAlert), std::make_tuple(kTypeNothing, true));
  const std::string ships = "- 25 Ships From Bob Were Destroyed By A Pulse Bomb On World Home -";
  const std::string scout = "- A Scout From Bob Was Destroyed By A Pulse Bomb On World Home -";
  EXPECT_TRUE(f.Noticed(ships));
  EXPECT_TRUE(f.Noticed(scout));
  EXPECT_EQ(g.PlayerLog[1], "\r\n" + ships + "\r\n" + scout);
  EXPECT_EQ(g.WorldHistory[0][8],
            "   Year 1.00, Turn #0: A Scout From Bob Was Destroyed By A Pulse Bomb On World Home \r\n"
            "   Year 1.00, Turn #0: 25 Ships From Bob Were Destroyed By A Pulse Bomb On World Home \r\n");
  EXPECT_EQ(f.ports.Count("GalaxyDraw"), 8);  // seven ring frames and the last redraw

  PulseRange fuel(12);  // radar off: nothing destroyed; the speed game keeps the charge's pauses
  std::tie(fuel.game.SpeedGame, fuel.game.setup.OptRadar) =
      std::make_tuple(true, std::array{false, true, false});
  fuel.Put(0, 2, 3, 2, 25, 0.5f, 26);
  PulseBomb(fuel.game, 8);
  EXPECT_EQ(std::make_tuple(fuel.game.FleetFrom[0], fuel.game.WorldType[8]), std::make_tuple(3, kTypeFuel));
  EXPECT_EQ(fuel.ports.Count("Pause 100"), 3);
}

}  // namespace
}  // namespace zarnath
