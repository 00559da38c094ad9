#include "model/orbit_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/turn.h"
#include "motion_fixture.h"

namespace zarnath {
namespace {

// Rings laid out on headless ports that also note world 5's angle and slot 0's time left every tick;
// drawing a tick takes `drawMs` of the clock.
struct OrbitStep : HeadlessPorts {
  Game g{ports()};
  std::vector<float> angles;
  std::vector<double> timesLeft;
  int drawMs = 0;
  OrbitStep() { testing::LayRings(g, 21); }
  void DrawOrbitTick() override {
    HeadlessPorts::DrawOrbitTick();
    angles.push_back(g.WorldAngle[5]);
    timesLeft.push_back(g.FleetTimeLeft[0]);
    nowMs += drawMs;
  }
};

TEST(OrbitStep, WorldsAndObjectsMove26TicksAlikeInBothSpeedsUnderAnExactYearCaption) {
  for (bool speedGame : {false, true}) {
    OrbitStep o;
    Game& g = o.g;
    g.SpeedGame = speedGame;
    g.PlayerName = {"Ann", "Pandora", "", "Bob", ""}, g.setup.chkAI = {0, 1, 0, 0}, g.GameYear = 1.0f;
    for (int turn = 0; turn < 400; ++turn) g.GameYear += 0.05f;  // as the turns add it up
    g.PlayerLog[0] = "\r\nA Fleet Arrived", g.window.txtGame.Text = g.window.txtMove.Text = "old",
    g.ProxFrom = 4;
    g.WorldAngle[5] = 6.28f, g.WorldAngularSpeed[5] = 0.0121f;
    const auto before = g.WorldAngle;
    const double timeLeft[4] = {0.01, 0.0, 0.3, 0.5};  // arrives at tick 6; arrived; in flight; free slot
    for (int s = 0; s < 4; ++s)
      g.FleetFrom[s] = g.FleetTo[s] = s < 3 ? 1 : 0, g.FleetTimeLeft[s] = timeLeft[s];
    GalaxyRotate(g);
    EXPECT_EQ(g.window.Caption, "Zarnath - Year 21.00, Turn #400");  // human seats log the year
    EXPECT_EQ(g.PlayerLog,
              (std::array<std::string, kPlayerSlots>{"\r\nA Fleet Arrived\r\nYear 21.00, Turn #400", "", "",
                                                     "\r\nYear 21.00, Turn #400", ""}));
    EXPECT_EQ(g.ProxFrom, -1);
    EXPECT_EQ(g.window.txtGame.Text + g.window.txtMove.Text, "");
    EXPECT_EQ(
        std::make_tuple(g.window.txtMove.Visible, g.window.SideControlsVisible, g.window.WorldLabelsVisible,
                        g.window.lblPlanet.Visible, g.window.PanelLabelsVisible),
        std::make_tuple(false, false, false, false, true));
    EXPECT_EQ(o.calls.front(), "Refresh window");  // the new caption shows before the ticks
    for (int w = 0; w < kMaxWorlds; ++w) {
      const double moved = std::fmod(g.WorldAngle[w] - static_cast<double>(before[w]) + kTwoPi, kTwoPi);
      EXPECT_NEAR(moved, 26.0 * g.WorldAngularSpeed[w], 1e-4) << w;
      EXPECT_LE(g.WorldAngle[w], kTwoPi) << w;  // back within one turn, even from above 2 pi
    }
    EXPECT_EQ(g.WorldAngle[30], 0.0f);  // the spare world never moves
    EXPECT_EQ(std::make_tuple(g.FleetTimeLeft[0], g.FleetTimeLeft[1], g.FleetTimeLeft[3]),
              std::make_tuple(0.0, 0.0, 0.5));
    EXPECT_NEAR(g.FleetTimeLeft[2], 0.25, 1e-12);
    if (speedGame) {  // drawn once, no pauses
      EXPECT_EQ(o.calls, (std::vector<std::string>{"Refresh window", "GalaxyDraw"}));
      EXPECT_EQ(o.nowMs, 0);
      continue;
    }
    ASSERT_EQ(o.angles.size(), 26u);
    EXPECT_EQ(o.angles[0],
              static_cast<float>(static_cast<float>(static_cast<double>(6.28f) + 0.0121f) - kTwoPi));
    for (int tick = 1; tick <= 26; ++tick) EXPECT_EQ(o.timesLeft[tick - 1] > 0.0, tick <= 5) << tick;
    EXPECT_EQ(o.Count("DrawOrbitTick") + o.Count("DrawDestinationMarks") + o.Count("Pause 50"), 3 * 26);
    EXPECT_EQ(o.Count("GalaxyDraw"), 0);
    EXPECT_EQ(o.nowMs, 26 * 50);
  }
}

// A frame lasts 50 ms from its start: 26 ticks take 1.30 s whether a frame takes 6 ms to draw or
// none; a frame slower than that is shown at once after the last.
TEST(OrbitStep, TheAnimationKeepsItsPaceWhateverDrawingTakes) {
  for (int drawMs : {0, 6, 49, 50, 70}) {
    OrbitStep o;
    o.drawMs = drawMs;
    o.g.PlayerName = {"Ann", "", "", "", ""}, o.g.GameYear = 1.0f;
    GalaxyRotate(o.g);
    const int pause = std::max(0, 50 - drawMs);
    EXPECT_EQ(o.Count("Pause " + std::to_string(pause)), 26) << drawMs;
    EXPECT_EQ(o.nowMs, 26 * std::max(50, drawMs)) << drawMs;
  }
}

// What a tick shows of slots 0..3 (of seats 1, 2, 3 and of nobody): "o" the object, "d" its destination.
TEST(OrbitView, ObjectsAndDestinationsShownByGameKind) {
  GameState g;
  g.PlayerName = {"Ann", "Bob", "Pandora", "", ""}, g.setup.chkAI = {0, 0, 1, 0};  // seat 3 a computer
  for (int s = 0; s < 4; ++s)
    g.FleetFrom[s] = 1, g.FleetOwner[s] = s == 3 ? 0 : s + 1, g.FleetTimeLeft[s] = 0.2;
  g.FleetTimeLeft[2] = 0;
  auto shown = [&g](std::string s = "") {
    for (int k = 0; k < 4; ++k)
      s += {"-o"[OrbitTickShowsObject(g, k)], "-d"[OrbitTickShowsDestination(g, k)]};
    return s;
  };
  EXPECT_EQ(shown(), "o-o-o---");  // two humans at one computer: theirs, and a computer's on arrival
  g.setup.OptRadar = {false, false, true};
  EXPECT_EQ(shown(), "o-o-o-o-");  // unlimited radar shows every object
  g.HideFleets = true;
  EXPECT_EQ(shown(), "--------");
  g.HideFleets = false, g.setup.OptRadar = {true, false, false}, g.setup.chkAI[1] = 1;
  g.FleetTimeLeft[2] = 0.2;
  EXPECT_EQ(shown(), "od------");  // one human against computers sees its own destinations
  g.setup.chkAI[1] = 0, g.NetworkGame = true, g.Role = NetRole::kClient, g.CurrentPlayer = 1,
  g.FleetTimeLeft[0] = 0;
  EXPECT_EQ(shown(), "--od----");  // a network game shows own objects only, arrivals included
}

}  // namespace
}  // namespace zarnath
