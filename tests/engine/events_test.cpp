// Arrivals, reinforcements, scouting, proximity bombs and pulse bombs.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/event_display.h"
#include "engine/events.h"
#include "engine_fixture.h"
#include "model/fleet_table.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

using testing::EngineGame;

struct Events : EngineGame {
  explicit Events(int bobLevel = 0) {
    Seat4({{{"Ann"}, {"Bob", bobLevel}, {}, {}}});
    game.WorldName[2] = "Ostra";
    game.WorldName[3] = "Tarsis";
  }
  void Host(int clients) {
    game.NetworkGame = true;
    game.setup.OptServerClient0 = true;
    ports.socketCount = clients + 1;
    ports.connected.assign(static_cast<size_t>(clients + 1), true);
    ports.connected[0] = false;
  }
};

TEST(Scout, TheReportTextAndTheIntelligence) {
  Events f;
  Game& g = f.g();
  f.AtTurn(1);
  g.WorldProduction[3] = 5;
  g.WorldClass[3] = 3;
  g.WorldShieldOn[3] = 1;
  g.WorldShield[3] = 40;
  g.WorldShips[3] = 12.5f;
  g.WorldBombs[3] = 2;
  f.Arrived(5, 8, 3, 1, kScout);
  Scout(g, 5);
  const std::string report =
      "- World Tarsis Scout Info:  Prod: 5,  Class: 3,  Shield: On, 40%,  Ships: 12.5,  Bombs: 2 -";
  EXPECT_TRUE(f.Noticed(report));
  EXPECT_EQ(g.PlayerLog[0], "\r\n" + report);
  EXPECT_EQ(g.WorldHistory[0][3],
            "   Year 1.05, Turn #1:  Scout Info:  Prod: 5,  Class: 3,  Shield: On, 40%,  Ships: 12.5,  "
            "Bombs: 2 \r\n");
  EXPECT_EQ(g.ScoutInfo[0][0][3], 1);
  EXPECT_EQ(g.ScoutInfo[0][1][3], 3);
  EXPECT_EQ(g.ScoutInfo[0][2][3], 5);
  EXPECT_EQ(g.ScoutInfo[0][3][3], 12);
  EXPECT_EQ(g.ScoutInfo[0][4][3], 40);
  EXPECT_EQ(g.FleetFrom[5], 0);
  EXPECT_EQ(g.window.txtGame.Text, "");
  EXPECT_TRUE(f.ports.Has("Sound scout.wav"));
  EXPECT_TRUE(f.ports.Has("Pause 2000"));
  EXPECT_EQ(f.CountPrefix("Star "), 1);
}

TEST(Scout, AWorldWithoutBombsEndsAfterTheShipsAndTheSpeedGameKeepsThePause) {
  Events f;
  Game& g = f.g();
  g.SpeedGame = true;
  g.WorldProduction[3] = 7;
  g.WorldClass[3] = 1;
  g.WorldShieldOn[3] = 0;
  g.WorldShield[3] = 0;
  g.WorldShips[3] = 30;
  f.Arrived(0, 8, 3, 1, kScout);
  Scout(g, 0);
  EXPECT_TRUE(f.Noticed("- World Tarsis Scout Info:  Prod: 7,  Class: 1,  Shield: Off, 0%,  Ships: 30 -"));
  EXPECT_FALSE(f.ports.Has("Sound scout.wav"));
  EXPECT_TRUE(f.ports.Has("Pause 2000"));
}

TEST(Scout, AComputerScoutRecordsButShowsNothing) {
  Events f(3);
  Game& g = f.g();
  g.WorldShips[3] = 44;
  f.Arrived(2, 9, 3, 2, kScout);
  Scout(g, 2);
  EXPECT_EQ(g.ScoutInfo[1][3][3], 44);
  EXPECT_TRUE(f.notices.empty());
  EXPECT_TRUE(g.PlayerLog[1].empty());
  EXPECT_TRUE(g.WorldHistory[1][3].empty());
  EXPECT_FALSE(f.ports.Has("Pause 2000"));
  EXPECT_EQ(g.FleetFrom[2], 0);
}

TEST(Scout, AForeignScoutInANetworkGameIsAnnouncedOnlyToItsOwnersConnection) {
  Events f;
  Game& g = f.g();
  f.Host(3);
  g.PlayerName[2] = "Cid";
  f.Arrived(7, 10, 3, 3, kScout);
  EndTravel(g, 7);
  EXPECT_EQ(f.ports.Count("Send 2 [SCOUT] 07Scout*"), 1);
  EXPECT_EQ(f.ports.Sent().size(), 1u);
  EXPECT_EQ(g.FleetFrom[7], 0);
  EXPECT_TRUE(f.notices.empty());  // the host's own seat is Ann
}

TEST(Reinforcements, ShipsJoinTheWorldWithNoticeLabelAndMark) {
  struct Case {
    float ships;
    int dots;
  };
  for (const Case& c : {Case{kScout, 1}, Case{99, 1}, Case{100, 2}, Case{499, 2}, Case{500, 3}}) {
    Events f;
    Game& g = f.g();
    g.WorldOwner[3] = 1;
    g.WorldShips[3] = 10;
    f.Arrived(1, 2, 3, 1, c.ships);
    EndTravel(g, 1);
    const float n = c.ships == kScout ? 1.0f : c.ships;
    EXPECT_EQ(g.WorldShips[3], 10 + n);
    const std::string notice = "-" + Str(n) + " Reinforcements From World Ostra Arrived At World Tarsis -";
    EXPECT_TRUE(f.Noticed(notice));
    EXPECT_EQ(g.PlayerLog[0], "\r\n" + notice);
    EXPECT_EQ(g.WorldHistory[0][3],
              "   Year 1.00, Turn #0:" + Str(n) + " Reinforcements From World Ostra Arrived \r\n");
    EXPECT_EQ(f.CountPrefix("ShipsLabel + " + StrTrim(n) + " "), 1);
    EXPECT_EQ(f.CountPrefix("Dots "), 1);
    const std::string dots = *std::find_if(f.ports.calls.begin(), f.ports.calls.end(),
                                           [](const std::string& c) { return c.rfind("Dots ", 0) == 0; });
    EXPECT_EQ(dots.substr(dots.size() - 4), " " + std::to_string(c.dots) + " 3") << dots;
    EXPECT_LT(f.Index("Pause 1000"), f.Index("HideShipsLabel"));  // the label stays through the pause
    EXPECT_EQ(g.FleetFrom[1], 0);
  }
}

TEST(Reinforcements, AComputerArrivalAddsShipsSilently) {
  Events f(2);
  Game& g = f.g();
  g.WorldOwner[3] = 2;
  g.WorldShips[3] = 10;
  f.Arrived(1, 9, 3, 2, 15);
  EndTravel(g, 1);
  EXPECT_EQ(g.WorldShips[3], 25.0f);
  EXPECT_TRUE(f.notices.empty());
  EXPECT_TRUE(g.PlayerLog[1].empty());
  EXPECT_FALSE(f.ports.Has("Pause 1000"));
  EXPECT_EQ(g.FleetFrom[1], 0);
}

TEST(Reinforcements, ABombSentHomeIsStoredOnTheWorld) {
  Events f;
  Game& g = f.g();
  f.Host(1);
  g.WorldOwner[3] = 1;
  g.WorldBombs[3] = 1;
  f.Arrived(4, 2, 3, 1, kAnnihilationBomb);
  EndTravel(g, 4);
  EXPECT_EQ(g.WorldBombs[3], 2);
  EXPECT_TRUE(f.Noticed("- A Bomb From World Ostra Was Transferred To World Tarsis -"));
  EXPECT_EQ(g.WorldHistory[0][3],
            "   Year 1.00, Turn #0: A Bomb From World Ostra Was Transferred To World Tarsis \r\n");
  EXPECT_EQ(f.ports.Sent(), (std::vector<std::string>{"[REINFORCEMENTS] 04Reinforcements*"}));
}

// Three worlds on ring 130 turning together: an object leaving world 2 for world 4, and a
// proximity bomb on world 5, `apart` orbit units from world 2.
struct Minefield : Events {
  explicit Minefield(double apart) {
    for (int w : {2, 4, 5}) {
      game.WorldRadius[w] = 130;
      game.WorldAngularSpeed[w] = game.WorldAngularSpeed[8];
      game.WorldType[w] = kTypeNothing;
    }
    game.WorldAngle[2] = 1.0f;
    game.WorldAngle[4] = 2.0f;
    game.WorldAngle[5] = static_cast<float>(1.0 + 2.0 * std::asin(apart / 260.0));
    game.ProxBombOwner[3] = 1;
    game.ProxBombWorld[3] = 5;
    game.ProxBombThreshold[3] = 50;
  }
};

TEST(ProximityBombs, ThresholdAndRange) {
  {
    Minefield f(19);
    f.Put(0, 2, 4, 2, 49, 0.5f, 26);
    EXPECT_FALSE(ProximityFires(f.g(), 0, 3));  // 49 ships pass at any distance
    f.g().FleetShips[0] = 50;
    EXPECT_TRUE(ProximityFires(f.g(), 0, 3));
    f.g().ProxBombThreshold[3] = 500;
    f.g().FleetShips[0] = kAnnihilationBomb;
    EXPECT_TRUE(ProximityFires(f.g(), 0, 3));  // any bomb sets it off
    f.g().FleetShips[0] = kProximityBombBase + 7;
    EXPECT_TRUE(ProximityFires(f.g(), 0, 3));
  }
  {
    Minefield f(21);
    f.Put(0, 2, 4, 2, 5000, 0.5f, 26);
    EXPECT_FALSE(ProximityFires(f.g(), 0, 3));
  }
}

TEST(ProximityBombs, AHitDestroysTheObjectWholeAndUsesTheBombUp) {
  Minefield f(10);
  Game& g = f.g();
  g.WorldName[5] = "Mina";
  g.WorldName[4] = "Cato";
  f.Put(0, 2, 4, 2, 60, 0.5f, 26);
  Proximity(g, 0, 3);
  const std::string notice = "- A Proximity Bomb On World Mina Destroyed 60 Ships From Bob -";
  EXPECT_TRUE(f.Noticed(notice));
  EXPECT_EQ(g.PlayerLog[1], "\r\n" + notice);
  EXPECT_EQ(g.PlayerLog[0], "\r\n" + notice);
  const std::string line =
      "   Year 1.00, Turn #0: A Proximity Bomb Set By Ann On World Cato Destroyed 60 Ships From Bob \r\n";
  EXPECT_EQ(g.WorldHistory[1][4], line);
  EXPECT_EQ(g.WorldHistory[0][4], line);
  EXPECT_EQ(g.ProxBombOwner[3], 0);
  EXPECT_EQ(g.ProxBombWorld[3], 0.0f);
  EXPECT_EQ(g.ProxBombThreshold[3], 0.0f);
  EXPECT_EQ(g.FleetFrom[0], 0);
  EXPECT_TRUE(f.ports.Has("Sound bomb.wav"));
}

TEST(ProximityBombs, BombsInFlightAndScoutsAreReportedByWhatTheyAre) {
  {
    Minefield f(10);
    f.g().WorldName[5] = "Mina";
    f.Put(0, 2, 4, 2, kAnnihilationBomb, 0.5f, 26);
    Proximity(f.g(), 0, 3);
    EXPECT_TRUE(f.Noticed("- A Proximity Bomb On World Mina Destroyed A Bomb From Bob -"));
    EXPECT_NE(f.g().WorldHistory[0][4].find(" Destroyed A Traveling Bomb From Bob \r\n"), std::string::npos);
  }
  {
    Minefield f(10);
    f.g().WorldName[5] = "Mina";
    f.g().ProxBombThreshold[3] = 0;
    f.Put(0, 2, 4, 2, kScout, 0.5f, 26);
    EXPECT_TRUE(ProximityFires(f.g(), 0, 3));
    Proximity(f.g(), 0, 3);
    EXPECT_TRUE(f.Noticed("- A Proximity Bomb On World Mina Destroyed 0 Ships From Bob -"));
  }
}

TEST(ProximityBombs, InTheEndOfTurnADestroyedObjectDoesNotArriveAndIsReSentFree) {
  Events f;
  Game& g = f.g();
  g.SpeedGame = true;
  f.Host(1);
  g.WorldOwner[2] = 2;
  g.ProxBombOwner[0] = 1;
  g.ProxBombWorld[0] = 2;
  g.ProxBombThreshold[0] = 50;
  f.Put(0, 2, 3, 2, 60, 0.05f, 0);  // leaves the mined world and arrives within the turn
  const float before = g.WorldShips[3];
  EndTurn(g);
  const std::vector<std::string> sent = f.ports.Sent();
  const auto at = std::find(sent.begin(), sent.end(), "[PROXIMITY] 0000*");
  ASSERT_NE(at, sent.end());
  EXPECT_EQ(*(at - 1), "[TRAVELSHOW] 00TravelShow*");
  EXPECT_EQ(*(at + 1), "[SEND] 00" + FleetRecord(g, 0) + "*");
  EXPECT_EQ(*(at + 1), "[SEND] 000000000000000000.00010.0000.000*");
  EXPECT_EQ(g.WorldShips[3], before + (g.WorldShieldOn[3] ? 0 : g.WorldProduction[3]) +
                                 (g.WorldShieldOn[3] ? std::max(0, g.WorldShield[3] - 100) : 0));
  EXPECT_EQ(g.WorldOwner[3], 0);
  EXPECT_EQ(g.ProxBombOwner[0], 0);
  EXPECT_EQ(f.ports.Count("Pause 1000"), 1);  // the hit's; nothing arrived
}

TEST(ProximityBombs, ABombIsNeverSetOffByItsOwnersObjects) {
  Events f;
  Game& g = f.g();
  g.SpeedGame = true;
  g.ProxBombOwner[0] = 2;
  g.ProxBombWorld[0] = 2;
  g.ProxBombThreshold[0] = 0;
  f.Put(0, 2, 9, 2, 60, 0.4f, 0);
  EndTurn(g);
  EXPECT_EQ(g.ProxBombOwner[0], 2);
  EXPECT_EQ(g.FleetFrom[0], 3);
}

TEST(ProximitySet, PlantsTheBombAndMarksItBesideTheWorld) {
  Events f;
  Game& g = f.g();
  g.ProxBombOwner[0] = 1;  // an earlier bomb of Ann's on the same world
  g.ProxBombWorld[0] = 3;
  g.ProxBombOwner[1] = 2;  // Bob's bomb elsewhere
  g.ProxBombWorld[1] = 6;
  f.Arrived(9, 8, 3, 1, kProximityBombBase + 50);
  EndTravel(g, 9);
  EXPECT_EQ(g.ProxBombOwner[2], 1);
  EXPECT_EQ(g.ProxBombWorld[2], 3.0f);
  EXPECT_EQ(g.ProxBombThreshold[2], 50.0f);
  const std::string notice = "- A Proximity Bomb With a Threshold of 50 Ships Was Set On World Tarsis -";
  EXPECT_TRUE(f.Noticed(notice));
  EXPECT_EQ(g.PlayerLog[0], "\r\n" + notice);
  EXPECT_EQ(
      g.WorldHistory[0][3],
      "   Year 1.00, Turn #0: A Proximity Bomb With a Threshold of 50 Ships Was Set On World Tarsis\r\n");
  // Ann's second bomb on the world is drawn right of it.
  const ViewPoint at{g.GalaxyCenterX + g.WorldRadius[3] * std::cos(g.WorldAngle[3]) * g.GalaxyScaleX,
                     g.GalaxyCenterY + g.WorldRadius[3] * std::sin(g.WorldAngle[3]) * g.GalaxyScaleY};
  EXPECT_TRUE(f.ports.Has("Blob " + CallNumber(at.x + 20 * g.GalaxyScaleX) + " " + CallNumber(at.y) + " 0 " +
                          CallNumber(kPlayerColors[1])));
  EXPECT_EQ(g.FleetFrom[9], 0);
}

TEST(ProximitySet, WithEveryBombSlotArmedTheBombIsLostAndTheOwnerIsToldSo) {
  Events f;
  Game& g = f.g();
  for (int k = 0; k < kUsedBombSlots; ++k) {
    g.ProxBombOwner[k] = 2;
    g.ProxBombWorld[k] = 6;
    g.ProxBombThreshold[k] = 10;
  }
  f.Arrived(9, 8, 3, 1, kProximityBombBase + 50);
  EndTravel(g, 9);
  const std::string notice =
      "- A Proximity Bomb Could Not Be Set On World Tarsis, All Bomb Slots Are In Use -";
  EXPECT_TRUE(f.Noticed(notice));
  EXPECT_EQ(g.PlayerLog[0], "\r\n" + notice);
  for (int k = 0; k < kUsedBombSlots; ++k) EXPECT_EQ(g.ProxBombOwner[k], 2);
  EXPECT_EQ(g.ProxBombOwner[20], 0);
  EXPECT_EQ(f.CountPrefix("Blob "), 0);
  EXPECT_EQ(f.CountPrefix("Circle "), 0);
  EXPECT_EQ(g.FleetFrom[9], 0);
}

// Ann's home world 8 at (130, 0) with an armed pulse bomb; worlds 2 and 4 on ring 50, world 2
// exactly 80 orbit units from it.
struct PulseRange : Events {
  PulseRange() {
    game.WorldRadius[8] = 130;
    game.WorldAngle[8] = 0;
    game.WorldType[8] = 10;
    game.WorldName[8] = "Home";
    for (int w : {2, 3, 4}) game.WorldRadius[w] = 50;
    game.WorldAngle[2] = 0;
    game.WorldAngle[3] = 1;
    game.WorldAngle[4] = 0.05f;
  }
};

TEST(PulseBomb, DestroysMovedForeignObjectsWithin80Units) {
  PulseRange f;
  Game& g = f.g();
  f.Put(0, 2, 3, 2, 25, 0.5f, 26);      // exactly 80 units away: destroyed
  f.Put(1, 4, 3, 2, 25, 0.5f, 26);      // a little further: spared
  f.Put(2, 2, 3, 2, 25, 0.5f, 0);       // launched this turn: spared
  f.Put(3, 2, 3, 1, 25, 0.5f, 26);      // Ann's own: spared
  f.Put(4, 2, 3, 2, kScout, 0.5f, 26);  // a scout: destroyed
  PulseBomb(g, 8);
  EXPECT_EQ(g.FleetFrom[0], 0);
  EXPECT_NE(g.FleetFrom[1], 0);
  EXPECT_NE(g.FleetFrom[2], 0);
  EXPECT_NE(g.FleetFrom[3], 0);
  EXPECT_EQ(g.FleetFrom[4], 0);
  EXPECT_EQ(g.WorldType[8], kTypeNothing);
  EXPECT_TRUE(g.RadarAlert);
  const std::string ships = "- 25 Ships From Bob Were Destroyed By A Pulse Bomb On World Home -";
  const std::string scout = "- A Scout From Bob Was Destroyed By A Pulse Bomb On World Home -";
  EXPECT_TRUE(f.Noticed(ships));
  EXPECT_TRUE(f.Noticed(scout));
  EXPECT_EQ(g.PlayerLog[0], "\r\n" + ships + "\r\n" + scout);
  EXPECT_EQ(g.PlayerLog[1], g.PlayerLog[0]);
  EXPECT_EQ(g.WorldHistory[0][8],
            "   Year 1.00, Turn #0: A Scout From Bob Was Destroyed By A Pulse Bomb On World Home \r\n"
            "   Year 1.00, Turn #0: 25 Ships From Bob Were Destroyed By A Pulse Bomb On World Home \r\n");
  EXPECT_EQ(f.CountPrefix("ShowLabels 0 "), 1);  // only fleets get a floating label
  EXPECT_EQ(f.CountPrefix("ShowLabels "), 1);
  EXPECT_EQ(f.ports.Count("Sound pulsegot.wav"), 2);
  EXPECT_EQ(f.ports.Count("Pause 1000"), 2);
  EXPECT_EQ(f.ports.Count("Pause 100"), 3);
  EXPECT_EQ(f.ports.Count("Pause 500"), 1);
  EXPECT_EQ(f.ports.Count("Pause 2000"), 1);
  EXPECT_EQ(f.ports.Count("GalaxyDraw"), 8);  // seven ring frames and the last redraw
}

TEST(PulseBomb, AFuelHomeWorldKeepsItsFuelAndRadarOffDestroysNothing) {
  PulseRange f;
  Game& g = f.g();
  g.SpeedGame = true;
  g.WorldType[8] = 12;
  g.setup.OptRadar = {false, true, false};
  f.Put(0, 2, 3, 2, 25, 0.5f, 26);
  PulseBomb(g, 8);
  EXPECT_NE(g.FleetFrom[0], 0);
  EXPECT_EQ(g.WorldType[8], kTypeFuel);
  EXPECT_EQ(f.ports.Count("Pause 2000"), 1);
  EXPECT_EQ(f.ports.Count("Pause 100"), 3);  // the charge keeps its pauses in a speed game
  EXPECT_FALSE(f.ports.Has("Sound pulse.wav"));
}

TEST(PulseBomb, TheEndOfTurnFiresArmedHomeWorldsOfNamedSeatsAndTellsTheClients) {
  PulseRange f;
  Game& g = f.g();
  g.SpeedGame = true;
  f.Host(1);
  g.WorldType[9] = 10;   // Bob's bomb too
  g.WorldType[10] = 10;  // seat 2 is empty: not fired
  EndTurn(g);
  const std::vector<std::string> sent = f.ports.Sent();
  ASSERT_GE(sent.size(), 105u);
  EXPECT_EQ(sent[100], "[TRAVELSHOW] 00TravelShow*");
  EXPECT_EQ(sent[101], "[PULSEBOMB] 08PulseBomb*");
  EXPECT_EQ(sent[102], "[TRAVELSHOW] 00TravelShow*");
  EXPECT_EQ(sent[103], "[PULSEBOMB] 09PulseBomb*");
  EXPECT_EQ(sent[104], "[GALAXYROTATE] 00GALAXYROTATE*");
  EXPECT_EQ(g.WorldType[8], 0);
  EXPECT_EQ(g.WorldType[9], 0);
  EXPECT_EQ(g.WorldType[10], 10);
}

}  // namespace
}  // namespace zarnath
