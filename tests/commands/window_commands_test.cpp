#include "commands/window_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/game.h"
#include "model/motion_fixture.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

using Calls = std::vector<std::string>;

// Ann's turn at this computer; world 0 "Ares" (ring 50) and world 1 "Zea" (ring 210), still.
struct Window : testing::TestGame {
  Window() {
    testing::StillPair(game, 50, 0.0f, 210, 0.775f);
    game.PlayerName[0] = "Ann", game.WorldOwner[0] = 1, game.PlayerColor = kPlayerColors;
    game.WorldName[0] = "Ares", game.WorldName[1] = "Zea", game.WorldClass[0] = game.WorldClass[1] = 2;
    game.GalaxyCenterX = 509, game.GalaxyCenterY = 206, game.GalaxyScaleX = 2, game.GalaxyScaleY = 1;
    game.GameYear = 1.0f;
  }
  void Select(int from = 0, int to = 1) {
    game.SelectedFrom = from, game.SelectedTo = to, game.InputBusy = true;
  }
};

TEST(ViewToggles, TravelSwitchesFleetsBackAndForthWithItsNotices) {
  Window w;
  Game& g = w.g();
  g.window.txtGame.ForeColor = kPlayerColors[2];
  ImgTravel_Click(g);
  EXPECT_TRUE(g.HideFleets);
  EXPECT_EQ(g.menus.mnuOptionsFleets.Caption, "Turn Traveling Fleets On");
  EXPECT_EQ(g.window.txtGame.Text, "- Traveling Fleets Now Off -");
  EXPECT_EQ(g.window.txtGame.ForeColor, kNeutralColor);
  ImgTravel_Click(g);
  EXPECT_FALSE(g.HideFleets);
  EXPECT_EQ(g.menus.mnuOptionsFleets.Caption, "Turn Traveling Fleets Off");
  EXPECT_EQ(g.window.txtGame.Text, "- Traveling Fleets Now On -");
  EXPECT_EQ(w.ports.calls, (Calls{"GalaxyDraw", "Refresh txtGame", "GalaxyDraw", "Refresh txtGame"}));
  EXPECT_FALSE(w.ports.Has("Sound gameinfo.wav"));

  w.ports.Clear(), g.InputBusy = true, g.window.txtGame.ForeColor = kPlayerColors[2];
  ImgTravel_Click(g);  // busy: only the colour
  EXPECT_TRUE(!g.HideFleets && g.window.txtGame.ForeColor == kNeutralColor && w.ports.calls.empty());
}

TEST(ViewToggles, LabelsShowNamesThenTheNormalLabelsAndOnlyRedrawWhileBusy) {
  Window w;
  Game& g = w.g();
  bool namesShown = false;
  const auto show = [&] { namesShown = true; };
  ImgLabels_Click(g, namesShown, show);
  EXPECT_TRUE(namesShown);
  EXPECT_EQ(w.ports.calls, (Calls{"Yield"}));
  w.ports.Clear();
  ImgLabels_Click(g, namesShown, [&] { FAIL() << "names shown twice"; });
  EXPECT_EQ(w.ports.calls, (Calls{"GalaxyDraw", "Yield"}));
  w.ports.Clear(), g.InputBusy = true, g.NetworkGame = true, g.Role = NetRole::kClient;
  ImgLabels_Click(g, false, [&] { FAIL() << "names while busy"; });
  EXPECT_EQ(w.ports.calls, (Calls{"GalaxyDraw", "Yield", "Focus txtMessage"}));
}

TEST(ViewToggles, LogBoxGrowsOverTheNoticeLineAndShrinksBack) {
  Window w;
  Game& g = w.g();
  LogBoxGeometry box{600, 17};
  txtMove_Click(g, box);
  EXPECT_TRUE(box.top == 538 && box.height == 84 && !g.window.txtGame.Visible);
  txtMove_Click(g, box);
  EXPECT_TRUE(box.top == 600 && box.height == 17 && g.window.txtGame.Visible);
  EXPECT_EQ(w.ports.Count("Refresh txtMove"), 2);
}

TEST(StatusButton, ShowsTheReportCentredUnlessBusy) {
  Window w;
  Game& g = w.g();
  g.SeatStatus[0] = TurnStatus::kTakingTurn, g.WorldShips[0] = 12, g.WorldProduction[0] = 3;
  ASSERT_TRUE(ImgStatus_Click(g));
  EXPECT_EQ(g.window.lblPlanet.Caption,
            "\r\n    Ann Owns 1 World With 3 Production and 12 Ships, Rating: 6.0    \r\n");
  EXPECT_TRUE(g.window.lblPlanet.Visible && g.window.lblPlanet.Alignment == 2);
  EXPECT_EQ(w.ports.calls, (Calls{"Refresh lblPlanet", "GalaxyDraw", "Yield"}));
  Window busy;
  busy.g().InputBusy = true;
  EXPECT_FALSE(ImgStatus_Click(busy.g()));
  EXPECT_TRUE(busy.ports.calls.empty() && !busy.g().window.lblPlanet.Visible);
}

TEST(TravelCalculator, DrawsTheTripReportsItAndUnlocks) {
  Window w;
  Game& g = w.g();
  w.Select();
  int drawn = 0;
  mnuComCalc_Click(g, [&](const TravelCalcPlan& plan) {
    ++drawn;
    EXPECT_TRUE(plan.reachable && !plan.ship.empty());
    EXPECT_TRUE(g.InputBusy);
  });
  EXPECT_EQ(drawn, 1);
  float years = 0, angle = 0;
  DistCalc(g, 0, 1, years, angle, kOptionsStep);
  EXPECT_TRUE(g.TravelYears == years && g.TravelAngle == angle);
  EXPECT_EQ(g.window.lblPlanet.Caption, TravelCalcCaption(years));
  EXPECT_TRUE(!g.window.lblPlanet.Visible && g.window.lblPlanet.Alignment == 0);
  EXPECT_TRUE(g.SelectedFrom == -1 && g.SelectedTo == -1 && !g.InputBusy);
  EXPECT_EQ(w.ports.calls, (Calls{"GalaxyDraw", "Refresh lblPlanet", "Refresh window", "Pause 3000",
                                  "Refresh window", "GalaxyDraw", "Console", "Yield"}));
}

TEST(TravelCalculator, UnreachableNoTargetOrResolvingDrawNothing) {
  Window far;  // the solver finds no meeting: reported, never drawn
  testing::StillPair(far.g(), 240, 0.0f, 250, 6.279f);
  far.Select();
  mnuComCalc_Click(far.g(), [](const TravelCalcPlan&) { FAIL() << "drawn"; });
  EXPECT_EQ(far.g().window.lblPlanet.Caption,
            "\r\n    World Zea Cannot Be Reached    \r\n    From World Ares Now    \r\n");
  EXPECT_TRUE(far.ports.Has("Pause 3000") && !far.g().InputBusy);

  for (int to : {-1, 9, 0}) {  // no target, none in play, the source itself (no time)
    Window w;
    w.Select(0, to);
    mnuComCalc_Click(w.g(), [](const TravelCalcPlan& plan) { EXPECT_TRUE(plan.ship.empty()); });
    EXPECT_TRUE(w.g().SelectedFrom == -1 && !w.g().InputBusy) << to;
  }

  Window resolving;
  resolving.Select();
  resolving.g().TurnResolving = true;
  mnuComCalc_Click(resolving.g(), [](const TravelCalcPlan&) { FAIL() << "drawn"; });
  mnuComCalcShips_Click(resolving.g());
  EXPECT_TRUE(resolving.g().InputBusy && resolving.g().SelectedFrom == 0 && resolving.ports.calls.empty());
}

TEST(ShipsReport, ShowsTheEstimateAndEndsUnlocked) {
  Window w;
  Game& g = w.g();
  g.HasCrystal[0] = 1, g.WorldShips[1] = 30;
  w.Select();
  mnuComCalcShips_Click(g);
  EXPECT_NE(g.window.lblPlanet.Caption.find("Based on the Information Crystal for Turn #0"),
            std::string::npos);
  EXPECT_EQ(g.window.lblPlanet.Alignment, 2);  // the crystal report stays centred
  Window blind;
  blind.Select();
  mnuComCalcShips_Click(blind.g());
  EXPECT_NE(blind.g().window.lblPlanet.Caption.find("No Recent Scout Information"), std::string::npos);
  EXPECT_EQ(blind.g().window.lblPlanet.Alignment, 0);
  for (Window* x : {&w, &blind}) {
    EXPECT_TRUE(x->g().SelectedFrom == -1 && !x->g().InputBusy && !x->g().window.lblPlanet.Visible);
    EXPECT_EQ(x->ports.calls, (Calls{"Refresh lblPlanet", "Refresh window", "Pause 3000", "Refresh window",
                                     "GalaxyDraw", "Console"}));
  }
}

}  // namespace
}  // namespace zarnath
