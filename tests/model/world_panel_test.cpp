#include "model/world_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/game.h"
#include "model/numbers.h"
#include "model/view_geometry.h"

namespace zarnath {
namespace {

using Rows = std::vector<std::pair<std::string, int>>;

// Ann (seat 0) and Bob (seat 1); world 8 is Ann's home "Eridania", world 3 "Nix" the one looked
// at, on the game window's geometry at year 1.50 (turn 10).
struct Panel : GameState {
  Panel() {
    WorldCount = 12, PlayerName[0] = "Ann", PlayerName[1] = "Bob", PlayerColor = kPlayerColors;
    GalaxyCenterX = kCenterX, GalaxyCenterY = kCenterY, GalaxyScaleX = 1018.0 / 460.0, GalaxyScaleY = 0.824;
    GameYear = 1.5f;
    WorldName[3] = "Nix", WorldName[8] = "Eridania", WorldOwner[8] = 1;
    WorldProduction[3] = 6, WorldClass[3] = 2, WorldShips[3] = 12.5f, WorldShield[3] = 30,
    WorldKnownStat[3] = 1;
    WorldRadius[3] = 90, WorldAngle[3] = 0;  // right of the sun, on its line
  }
  Rows Of(int w) const {
    Rows rows;
    for (const ListRow& r : BuildWorldPanel(*this, w).rows) rows.emplace_back(r.text, r.data);
    return rows;
  }
};

TEST(WorldPanel, OwnWorldShowsTrueFiguresAndItsCommands) {
  Panel g;
  g.WorldOwner[3] = 1, g.WorldShieldOn[3] = 1, g.WorldType[3] = kTypeFuel, g.WorldBombs[3] = 2;
  g.ProxBombOwner[4] = 1, g.ProxBombWorld[4] = 3, g.ProxBombThreshold[4] = 25;
  g.ProxBombOwner[5] = 2, g.ProxBombWorld[5] = 3, g.ProxBombThreshold[5] = 7;  // Bob's: never listed
  const WorldPanel panel = BuildWorldPanel(g, 3);
  EXPECT_EQ(panel.view, PanelView::kOwn);
  EXPECT_EQ(g.Of(3), (Rows{{" - OWNED WORLD - ", 4},
                           {"   Name: Nix", 0},
                           {"   Owner: Ann", 0},
                           {"   Production:  6", 0},
                           {"   Class:  2", 0},
                           {"   Ships:  12.5", 0},
                           {"   % Shield:  30", 0},
                           {" - Shield: On", 1},
                           {"   Fuel: 2X", 0},
                           {" - Bombs:  2", 2},
                           {" - World History - ", 9},
                           {" - Distances From - ", 3},
                           {" - Distances To - ", 4},
                           {" - Exclude From Gather - ", 6},
                           {" - Gather Nearest Ships - ", 5},
                           {" - Scout Nearest Worlds - ", 7},
                           {" - Threshold:  25", 0}}));
  EXPECT_EQ(panel.width, 147);
  EXPECT_EQ(panel.height, 188 + 4 * 14);
  EXPECT_EQ(panel.colour, kPlayerColors[1]);

  // Home world of a named seat, armed pulse bomb on fuel (no fuel row), no ships: no scout row.
  g.WorldShips[8] = 0, g.WorldType[8] = kTypeArmedPulseFuel, g.WorldNoGather[8] = true;
  const Rows home = g.Of(8);
  EXPECT_EQ(home.front().first, " - HOME WORLD - ");
  ASSERT_EQ(home.size(), 13u);
  EXPECT_EQ(home[7].first, " - Shield: Off");
  EXPECT_EQ(home[11].first, " - Include In Gather - ");
  EXPECT_EQ(BuildWorldPanel(g, 8).height, 188);
  g.PlayerName[0].clear();  // an empty seat's home world is just owned
  EXPECT_EQ(g.Of(8).front().first, " - OWNED WORLD - ");
  g.PlayerName[0] = "Ann", g.WorldShips[8] = 5, g.HasCrystal[0] = 1;
  EXPECT_EQ(g.Of(8).size(), 13u);  // a crystal holder scouts no nearest worlds
}

TEST(WorldPanel, ForeignViewsKeepHistoryAndMarkAtRowsEightAndNine) {
  // The view, its first rows 0..7, and the size before conditional rows.
  Panel crystal, unscouted, scouted, open;
  crystal.HasCrystal[0] = 1, crystal.ScoutInfo[0][0][3] = 4;  // the crystal wins over a scout report
  unscouted.WorldOwner[3] = 2;
  scouted.WorldOwner[3] = 2, scouted.ScoutInfo[0][0][3] = 8, scouted.ScoutInfo[0][3][3] = 40;
  scouted.ScoutInfo[0][4][3] = 15, scouted.WorldMarked[0][3] = true;
  const std::tuple<const char*, Panel*, PanelView, std::vector<std::string>, int, int> cases[] = {
      {"crystal",
       &crystal,
       PanelView::kCrystal,
       {" - Crystal Intelligence - ", "   Name: Nix", "   Owner: None", "   Production:  6", "   Class:  2",
        "   Ships:  12.5", "   % Shield:  30", "   Shield: Off"},
       135,
       188},
      {"unscouted",
       &unscouted,
       PanelView::kUnscouted,
       {" - Known Intelligence - ", "   Name: Nix", "   Owner: Bob", "   Production: N/A", "   Class: N/A",
        "   Ships: N/A", "   % Shield: N/A", "   Shield: N/A"},
       135,
       174 + 2 * 14},
      {"scouted",
       &scouted,
       PanelView::kScouted,
       {" - Turn #8 Intelligence - ", "   Name: Nix", "   Owner: Bob", "   Production: 6", "   Class: 2",
        "   Ships: 40", "   % Shield: 15", "   Shield: N/A"},
       142,
       174 + 2 * 14},
      {"public",
       &open,
       PanelView::kPublic,
       {" - Known Intelligence - ", "   Name: Nix", "   Owner: None", "   Production: 6", "   Class: N/A",
        "   Ships: N/A", "   % Shield: N/A", "   Shield: N/A"},
       135,
       202},
  };
  for (const auto& [what, g, view, first, width, height] : cases) {
    const WorldPanel panel = BuildWorldPanel(*g, 3);
    EXPECT_EQ(panel.view, view) << what;
    ASSERT_GE(panel.rows.size(), 12u) << what;
    for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(panel.rows[i].text, first[i]) << what << i;
    EXPECT_EQ(panel.rows[0].data, 4) << what;
    EXPECT_EQ(panel.rows[8].data, kPanelHistory) << what;
    EXPECT_EQ(panel.rows[9].data, kPanelMark) << what;
    EXPECT_EQ(panel.rows[9].text, g->WorldMarked[0][3] ? " - Unmark World - " : " - Mark World - ") << what;
    EXPECT_EQ(panel.width, width) << what;
    EXPECT_EQ(panel.height, height) << what;
    EXPECT_EQ(panel.rows.back().data,
              panel.view == PanelView::kCrystal ? kPanelNearestShips : kPanelNearestScout)
        << what;
  }
}

TEST(WorldPanel, PublicFigureTruceAndBombRows) {
  // The public figure by WorldKnownStat.
  const std::pair<int, std::string> figures[] = {{1, "   Production: 6"},
                                                 {2, "   Class: 2"},
                                                 {3, "   % Shield: 30"},
                                                 {4, "   Shield: Off"},
                                                 {5, "   Ships: 12.5"}};
  for (const auto& [stat, row] : figures) {
    Panel g;
    g.WorldKnownStat[3] = static_cast<int16_t>(stat);
    const Rows rows = g.Of(3);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                            [](auto& r) { return r.first.find("N/A") != std::string::npos; }),
              4)
        << stat;
    EXPECT_NE(std::find(rows.begin(), rows.end(), std::pair{row, 0}), rows.end()) << stat;
  }
  // A truce (until turn 11, now 10): the scouted and unscouted views lose their send rows, the
  // public view keeps them; a bomb held adds the bomb row.
  Panel g;
  g.TruceUntilTurn = 11, g.WorldBombs[8] = 1;
  ASSERT_EQ(g.Of(3).size(), 15u);
  EXPECT_EQ(g.Of(3).back(), (std::pair<std::string, int>{" - Send Nearest Bomb - ", kPanelNearestBomb}));
  g.ScoutInfo[0][0][3] = 8;
  EXPECT_EQ(g.Of(3).size(), 12u);
  g.TruceUntilTurn = 10;  // over: ships, scout and bomb
  EXPECT_EQ(g.Of(3).size(), 15u);
  g.HasCrystal[0] = 1, g.WorldOwner[3] = 2;  // crystal, foreign world: still the scouted view
  EXPECT_EQ(BuildWorldPanel(g, 3).view, PanelView::kScouted);
  EXPECT_EQ(g.Of(3).size(), 15u);
}

TEST(WorldPanel, OpensTowardsTheSun) {
  Panel g;
  const double x = kCenterX + 90 * g.GalaxyScaleX;
  // Angle of world 3, then left and top of the public view's panel (135 x 202).
  const std::tuple<float, double, double> cases[] = {
      {0.0f, x - 135, kCenterY},                                            // right, on the sun's line
      {static_cast<float>(kPi), kCenterX - 90 * g.GalaxyScaleX, kCenterY},  // left: to the right of it
  };
  for (const auto& [angle, left, top] : cases) {
    g.WorldAngle[3] = angle;
    const WorldPanel p = BuildWorldPanel(g, 3);
    EXPECT_NEAR(p.left, left, 1e-3) << angle;
    EXPECT_NEAR(p.top, top, 1e-3) << angle;
  }
  g.WorldAngle[3] = static_cast<float>(kPi / 2);  // below the sun by 74 px: upwards
  EXPECT_NEAR(BuildWorldPanel(g, 3).top, kCenterY + 90 * 0.824 - 202, 1e-3);
  g.WorldRadius[3] = 20;  // 16.5 px below the sun: downwards
  EXPECT_NEAR(BuildWorldPanel(g, 3).top, kCenterY + 20 * 0.824, 1e-3);
  EXPECT_NEAR(BuildWorldPanel(g, 3).left, kCenterX, 1e-3);  // on the sun's vertical line: to the right
}

}  // namespace
}  // namespace zarnath
