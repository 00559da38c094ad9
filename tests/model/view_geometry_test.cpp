#include "model/view_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fixtures/test_game.h"

namespace zarnath {
namespace {

using testing::TestGame;

const char* const kTooSmall =
    "MessageBox Zarnath: Please Run At 1024 x 768 Or Higher Screen Resolution!\r\n"
    "Right-Click On Desktop, Then Select Properties, Then Settings";

TEST(FormSetup, RefusesAnInnerWidthOf1000) {
  for (int width : {1000, 800}) {
    TestGame t;
    Game& g = t.g();
    g.SelectedFrom = 4;
    t.ports.innerWidth = width;
    EXPECT_FALSE(FormSetup(g));
    EXPECT_EQ(t.ports.calls, (std::vector<std::string>{"ShowGameWindow", kTooSmall, "EndProgram"}));
    EXPECT_TRUE(t.ports.programEnded);
    EXPECT_TRUE(g.window.Visible);  // the message shows over the sized window
    EXPECT_EQ(g.GalaxyCenterX, 0.0f);
    EXPECT_EQ(g.SelectedFrom, 4);
  }
}

TEST(FormSetup, AcceptsAnInnerWidthOf1001AndFixesTheGeometry) {
  TestGame t;
  Game& g = t.g();
  g.SelectedFrom = 4;
  g.SelectedTo = 7;
  t.ports.innerWidth = 1001;
  EXPECT_TRUE(FormSetup(g));
  EXPECT_FALSE(t.ports.programEnded);
  EXPECT_EQ(t.ports.calls, std::vector<std::string>{"ShowGameWindow"});
  EXPECT_EQ(g.GalaxyCenterX, 509.0f);
  EXPECT_EQ(g.GalaxyCenterY, 206.0f);
  EXPECT_EQ(g.GalaxyScaleX, 2.2130434782608694);
  EXPECT_DOUBLE_EQ(g.GalaxyScaleY, 0.824);
  EXPECT_EQ(g.SelectedFrom, -1);
  EXPECT_EQ(g.SelectedTo, -1);

  // A world on the 130 ring at angle 0 and at pi / 2, and the radar reach of 80 on screen.
  EXPECT_NEAR(g.GalaxyCenterX + 130 * g.GalaxyScaleX, 796.70, 0.005);
  EXPECT_NEAR(g.GalaxyCenterY + 130 * std::sin(3.141592 / 2) * g.GalaxyScaleY, 313.12, 0.005);
  EXPECT_NEAR(80 * g.GalaxyScaleX, 177.04, 0.005);
  EXPECT_NEAR(80 * g.GalaxyScaleY, 65.92, 0.005);
}

TEST(FormSetup, ASecondLayoutWritesTheSameValues) {
  TestGame t;
  Game& g = t.g();
  ASSERT_TRUE(FormSetup(g));
  const double scaleX = g.GalaxyScaleX, scaleY = g.GalaxyScaleY;
  g.SelectedFrom = 2;
  ASSERT_TRUE(FormSetup(g));
  EXPECT_EQ(g.GalaxyScaleX, scaleX);
  EXPECT_EQ(g.GalaxyScaleY, scaleY);
  EXPECT_EQ(g.SelectedFrom, -1);
}

}  // namespace
}  // namespace zarnath
