#include "model/orbit_step.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/game.h"
#include "model/headless_ports.h"
#include "model/numbers.h"
#include "motion_fixture.h"

namespace zarnath {
namespace {

// Headless ports that also note the state at every tick of the animation.
struct TickWatch : HeadlessPorts {
  const Game* game = nullptr;
  int world = 0;
  int slot = 0;
  std::vector<float> angles;
  std::vector<double> timesLeft;
  void DrawOrbitTick() override {
    HeadlessPorts::DrawOrbitTick();
    angles.push_back(game->WorldAngle[world]);
    timesLeft.push_back(game->FleetTimeLeft[slot]);
  }
};

struct OrbitStepTest : ::testing::Test {
  TickWatch ports;
  Game g{ports.ports()};

  void SetUp() override {
    ports.game = &g;
    testing::LayRings(g, 21);
    g.GameYear = 1.05f;
    g.PlayerName = {"Ann", "Pandora", "", "Bob", ""};
    g.setup.chkAI = {0, 1, 0, 0};
  }
  void Fly(int slot, double timeLeft) {
    g.FleetFrom[slot] = 1;
    g.FleetTo[slot] = 5;
    g.FleetOwner[slot] = 1;
    g.FleetShips[slot] = 12;
    g.FleetTripTime[slot] = static_cast<float>(timeLeft);
    g.FleetTimeLeft[slot] = timeLeft;
  }
};

TEST_F(OrbitStepTest, CaptionAndYearLineForHumanSeatsOnly) {
  g.PlayerLog[0] = "\r\nA Fleet Arrived";
  g.window.txtGame.Text = "- Old Notice -";
  g.window.txtMove.Text = "old log";
  g.ProxFrom = 4;
  GalaxyRotate(g);
  EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.05, Turn #1");
  EXPECT_EQ(g.PlayerLog[0], "\r\nA Fleet Arrived\r\nYear 1.05, Turn #1");
  EXPECT_EQ(g.PlayerLog[1], "");  // a computer seat
  EXPECT_EQ(g.PlayerLog[2], "");  // an empty seat
  EXPECT_EQ(g.PlayerLog[3], "\r\nYear 1.05, Turn #1");
  EXPECT_EQ(g.ProxFrom, -1);
  EXPECT_EQ(g.window.txtGame.Text, "");
  EXPECT_EQ(g.window.txtMove.Text, "");
  EXPECT_FALSE(g.window.txtMove.Visible);
  EXPECT_FALSE(g.window.SideControlsVisible);
  EXPECT_FALSE(g.window.WorldLabelsVisible);
  EXPECT_FALSE(g.window.lblPlanet.Visible);
  EXPECT_TRUE(g.window.PanelLabelsVisible);
  ASSERT_FALSE(ports.calls.empty());
  EXPECT_EQ(ports.calls.front(), "Refresh window");  // the new caption shows before the ticks
}

TEST_F(OrbitStepTest, YearStaysExactInLongGames) {
  float year = 1.0f;
  for (int turn = 0; turn < 400; ++turn) year += 0.05f;  // as the turns add it up
  g.GameYear = year;
  GalaxyRotate(g);
  EXPECT_EQ(g.window.Caption, "Zarnath - Year 21.00, Turn #400");
  EXPECT_EQ(g.PlayerLog[0], "\r\nYear 21.00, Turn #400");
}

TEST_F(OrbitStepTest, WorldIsTurnedBackOnceItPassesTwoPi) {
  ports.world = 5;
  g.WorldAngle[5] = 6.28f;
  g.WorldAngularSpeed[5] = 0.0121f;
  GalaxyRotate(g);
  ASSERT_EQ(ports.angles.size(), 26u);
  const float passed = static_cast<float>(static_cast<double>(6.28f) + 0.0121f);  // 6.2921
  EXPECT_EQ(ports.angles[0], static_cast<float>(passed - kTwoPi));
  EXPECT_NEAR(ports.angles[0], 0.0089, 1e-4);
  EXPECT_NEAR(ports.angles[25], 0.0089 + 25 * 0.0121, 1e-4);
}

TEST_F(OrbitStepTest, EveryWorldTurns26TicksInATurn) {
  const auto before = g.WorldAngle;
  GalaxyRotate(g);
  for (int w = 0; w < kMaxWorlds; ++w) {
    double moved = g.WorldAngle[w] - static_cast<double>(before[w]);
    while (moved < 0) moved += kTwoPi;
    EXPECT_NEAR(moved, 26.0 * g.WorldAngularSpeed[w], 1e-4) << w;
    EXPECT_LE(g.WorldAngle[w], kTwoPi) << w;  // back within one turn, even from above 2 pi
  }
  EXPECT_EQ(g.WorldAngle[30], 0.0f);  // the spare world never moves
}

TEST_F(OrbitStepTest, ObjectWithAHundredthOfAYearArrivesAfterSixTicks) {
  ports.slot = 0;
  Fly(0, 0.01);
  Fly(1, 0.0);  // arrived last turn, still waiting to be resolved
  Fly(2, 0.3);
  g.FleetTimeLeft[3] = 0.5;  // a free slot is never touched
  GalaxyRotate(g);
  ASSERT_EQ(ports.timesLeft.size(), 26u);
  for (int tick = 1; tick <= 5; ++tick) EXPECT_GT(ports.timesLeft[tick - 1], 0.0) << tick;
  for (int tick = 6; tick <= 26; ++tick) EXPECT_EQ(ports.timesLeft[tick - 1], 0.0) << tick;
  EXPECT_EQ(g.FleetTimeLeft[1], 0.0);
  EXPECT_NEAR(g.FleetTimeLeft[2], 0.25, 1e-12);
  EXPECT_EQ(g.FleetTimeLeft[3], 0.5);
}

TEST_F(OrbitStepTest, AnimatedTurnDrawsEveryTickAndWaits) {
  GalaxyRotate(g);
  EXPECT_EQ(ports.Count("DrawOrbitTick"), 26);
  EXPECT_EQ(ports.Count("DrawDestinationMarks"), 26);
  EXPECT_EQ(ports.Count("Pause 50"), 26);
  EXPECT_EQ(ports.Count("GalaxyDraw"), 0);
  EXPECT_EQ(ports.nowMs, 26 * 50);
}

TEST_F(OrbitStepTest, SpeedGameMovesAlikeAndDrawsOnceWithoutPauses) {
  TickWatch slowPorts;
  Game slow{slowPorts.ports()};
  slowPorts.game = &slow;
  testing::LayRings(slow, 21);
  slow.GameYear = g.GameYear;
  Fly(0, 0.2);
  slow.FleetFrom[0] = 1;
  slow.FleetTimeLeft[0] = 0.2;

  g.SpeedGame = true;
  GalaxyRotate(g);
  GalaxyRotate(slow);
  EXPECT_EQ(g.WorldAngle, slow.WorldAngle);
  EXPECT_EQ(g.FleetTimeLeft[0], slow.FleetTimeLeft[0]);
  EXPECT_EQ(ports.calls, (std::vector<std::string>{"Refresh window", "GalaxyDraw"}));
  EXPECT_EQ(ports.nowMs, 0);
}

// --- what a tick shows ---

struct OrbitViewTest : ::testing::Test {
  GameState g;
  void SetUp() override {
    g.PlayerName = {"Ann", "Bob", "Pandora", "", ""};
    g.setup.chkAI = {0, 0, 1, 0};
    for (int s = 0; s < 4; ++s) {
      g.FleetFrom[s] = 1;
      g.FleetTo[s] = 2;
      g.FleetOwner[s] = static_cast<uint8_t>(s + 1);
      g.FleetTimeLeft[s] = 0.2;
    }
    g.FleetOwner[3] = 0;  // an object whose owner is gone
  }
};

TEST_F(OrbitViewTest, HotSeatShowsBothHumansAndAComputerOnlyOnArrival) {
  EXPECT_TRUE(OrbitTickShowsObject(g, 0));
  EXPECT_TRUE(OrbitTickShowsObject(g, 1));
  EXPECT_FALSE(OrbitTickShowsObject(g, 2));
  EXPECT_FALSE(OrbitTickShowsObject(g, 3));
  g.FleetTimeLeft[2] = 0;
  EXPECT_TRUE(OrbitTickShowsObject(g, 2));
  g.FleetTimeLeft[2] = 0.2;
  g.setup.OptRadar = {false, false, true};  // unlimited radar
  EXPECT_TRUE(OrbitTickShowsObject(g, 2));
  // Two humans at one computer: nobody's destinations are marked.
  EXPECT_FALSE(OrbitTickShowsDestination(g, 0));
  EXPECT_FALSE(OrbitTickShowsDestination(g, 1));
}

TEST_F(OrbitViewTest, OneHumanAgainstComputersSeesItsOwnDestinations) {
  g.PlayerName[1] = "Phoebe";
  g.setup.chkAI[1] = 1;
  EXPECT_TRUE(OrbitTickShowsDestination(g, 0));
  EXPECT_FALSE(OrbitTickShowsDestination(g, 1));
  EXPECT_FALSE(OrbitTickShowsDestination(g, 3));
}

TEST_F(OrbitViewTest, NetworkGameShowsOwnObjectsOnly) {
  g.NetworkGame = true;
  g.CurrentPlayer = 1;
  EXPECT_FALSE(OrbitTickShowsObject(g, 0));
  EXPECT_TRUE(OrbitTickShowsObject(g, 1));
  g.FleetTimeLeft[0] = 0;
  EXPECT_FALSE(OrbitTickShowsObject(g, 0));  // arrival shows only at one computer
  EXPECT_FALSE(OrbitTickShowsDestination(g, 0));
  EXPECT_TRUE(OrbitTickShowsDestination(g, 1));
}

TEST_F(OrbitViewTest, HiddenFleetsShowNeitherObjectsNorDestinations) {
  g.HideFleets = true;
  g.setup.OptRadar = {false, false, true};
  for (int s = 0; s < 4; ++s) {
    EXPECT_FALSE(OrbitTickShowsObject(g, s));
    EXPECT_FALSE(OrbitTickShowsDestination(g, s));
  }
}

}  // namespace
}  // namespace zarnath
