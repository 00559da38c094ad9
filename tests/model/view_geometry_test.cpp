#include "model/view_geometry.h"

#include <gtest/gtest.h>

#include "engine/game_window.h"
#include "fixtures/test_game.h"

namespace zarnath {

TEST(FormSetup, InnerWidthUpTo1000EndsTheProgramAndFrom1001FixesTheGeometry) {
  for (int width : {1000, 1001}) {
    testing::TestGame t;
    Game& g = t.g();
    t.ports.innerWidth = width;
    g.SelectedFrom = 4, g.SelectedTo = 7;
    const bool laidOut = FormSetup(g);
    EXPECT_EQ(laidOut, width > 1000);
    if (laidOut) {
      EXPECT_TRUE(FormSetup(g));  // a second layout writes the same values
    }
    EXPECT_EQ(std::make_pair(g.GalaxyCenterX, g.GalaxyCenterY),
              width > 1000 ? std::make_pair(509.0f, 206.0f) : std::make_pair(0.0f, 0.0f));
    // The view reaches 230 orbit units from the sun to either side and 250 up and down.
    EXPECT_DOUBLE_EQ(230 * g.GalaxyScaleX, g.GalaxyCenterX);
    EXPECT_DOUBLE_EQ(250 * g.GalaxyScaleY, g.GalaxyCenterY);
    EXPECT_EQ(std::make_pair(int{g.SelectedFrom}, int{g.SelectedTo}),  // the message leaves all as it was
              width > 1000 ? std::make_pair(-1, -1) : std::make_pair(4, 7));
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
