#include "model/view_geometry.h"

#include <gtest/gtest.h>

#include "fixtures/test_game.h"

namespace zarnath {

TEST(FormSetup, InnerWidthUpTo1000EndsTheProgramAndFrom1001FixesTheGeometry) {
  for (int width : {1000, 1001}) {
    testing::TestGame t;
    Game& g = t.g();
    t.ports.innerWidth = width;
    g.SelectedFrom = 4, g.SelectedTo = 7;
    EXPECT_EQ(FormSetup(g) && FormSetup(g), width > 1000);  // a second layout writes the same values
    EXPECT_EQ(g.GalaxyCenterX + g.GalaxyCenterY, width > 1000 ? 509.0f + 206.0f : 0.0f);
    EXPECT_EQ(g.GalaxyScaleX, width > 1000 ? 2.2130434782608694 : 0.0);
    EXPECT_NEAR(g.GalaxyScaleY, width > 1000 ? 0.824 : 0.0, 1e-15);
    EXPECT_EQ(g.SelectedFrom + g.SelectedTo, width > 1000 ? -2 : 11);  // the message leaves all as it was
    EXPECT_EQ(t.ports.programEnded, width <= 1000);
    if (width > 1000) continue;
    EXPECT_EQ(t.ports.calls,
              (std::vector<std::string>{
                  "ShowGameWindow",
                  "MessageBox Zarnath: Please Run At 1024 x 768 Or Higher Screen Resolution!\r\n"
                  "Right-Click On Desktop, Then Select Properties, Then Settings",
                  "EndProgram"}));
  }
}

}  // namespace zarnath
