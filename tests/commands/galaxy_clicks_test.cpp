#include <array>
#include <cmath>

#include "commands/commands_fixture.h"
#include "commands/proximity_dialog.h"
#include "engine/turn.h"
#include "model/numbers.h"

namespace zarnath::testing {
namespace {

TEST(GalaxyClicks, TheLayoutGivesEveryWorldItsOwnSquareAwayFromTheSun) {
  CommandsGame c;
  for (int a = 0; a < 12; ++a) {
    EXPECT_FALSE(SunHit(c.game, c.Pixel(a).x, c.Pixel(a).y)) << a;
    for (int b = a + 1; b < 12; ++b)
      EXPECT_TRUE(std::abs(c.Pixel(a).x - c.Pixel(b).x) >= 20 || std::abs(c.Pixel(a).y - c.Pixel(b).y) >= 20)
          << a << " " << b;
  }
}

// A press inside the 19 x 19 square round an own world's pixel selects it: ring, dot and list row;
// a press 10 px off on either axis misses and only clears the lists.
TEST(GalaxyClicks, APressAtAWorldsPixelSelectsItAndTenPixelsOffMisses) {
  struct Case {
    double dx, dy;
    bool hit;
  };
  for (const Case& k : {Case{0, 0, true}, Case{9.5, -9.5, true}, Case{10, 0, false}, Case{0, 10, false},
                        Case{-10, 0, false}, Case{0, -10, false}}) {
    CommandsGame c;
    const CommandOutcome out = c.Press(kAnnHome, kLeftButton, k.dx, k.dy);
    EXPECT_EQ(c.game.SelectedFrom, k.hit ? kAnnHome : -1) << k.dx << "," << k.dy;
    EXPECT_EQ(out.ownedRow, k.hit ? kAnnHome : -1);
    EXPECT_EQ(c.Index("SourceMark 8") > c.Index("CleanGalaxy"), k.hit);
    EXPECT_EQ(c.Index("SourceMark 8") < static_cast<int>(c.ports.calls.size()), k.hit);
    EXPECT_EQ(out.clearListSelections, !k.hit);
  }
  CommandsGame fraction;  // a fraction of a ship is enough to select
  fraction.game.WorldShips[kAnnHome] = 0.5f;
  fraction.Press(kAnnHome);
  EXPECT_EQ(fraction.game.SelectedFrom, kAnnHome);
}

// The world's own label keeps the home world's gap on the map; the panel's displays place it by
// its owner, like the others.
TEST(GalaxyClicks, TheDistancesLabelOfTheWorldItselfKeepsItsGapOnTheMapOnly) {
  CommandsGame c;
  for (bool fromPanel : {false, true}) {
    const DistanceLabels plan = PlanDistances(c.game, kAnnHome, false, fromPanel);
    ASSERT_FALSE(plan.labels.empty());
    EXPECT_EQ(plan.labels[0].world, kAnnHome);
    EXPECT_EQ(plan.labels[0].gap, fromPanel ? 0 : 20);
    for (size_t i = 1; i < plan.labels.size(); ++i) EXPECT_EQ(plan.labels[i].gap, 0);
  }
}

TEST(GalaxyClicks, TheSunOpensTheStatusReportOrCancelsASelection) {
  CommandsGame c;
  const CommandOutcome out = Form_MouseDown(c.game, c.view, kLeftButton, kCenterX + 24, kCenterY - 24);
  EXPECT_EQ(out.opens, WindowOpens::kStatusReport);
  c.Press(kAnnHome);
  ASSERT_EQ(c.game.SelectedFrom, kAnnHome);
  const CommandOutcome cancel = Form_MouseDown(c.game, c.view, kLeftButton, kCenterX, kCenterY);
  EXPECT_EQ(cancel.opens, WindowOpens::kNothing);
  EXPECT_EQ(c.game.SelectedFrom, -1);
  EXPECT_TRUE(c.ports.Has("GalaxyDraw"));
  c.game.InputBusy = true;  // a busy window takes no press
  EXPECT_FALSE(Form_MouseDown(c.game, c.view, kLeftButton, kCenterX, kCenterY).ran);
}

TEST(GalaxyClicks, AFirstPressActsByButtonOwnerAndTurnState) {
  CommandsGame c;
  c.game.WorldShips[kAnnHome] = 0;
  c.Press(kAnnHome);  // own and empty: the notice, held 1500 ms
  EXPECT_EQ(c.game.window.lblPlanet.Caption,
            "\r\n    There Are Currently No Ships Or Bombs At This World!    \r\n");
  EXPECT_TRUE(c.game.window.lblPlanet.Visible);
  EXPECT_TRUE(c.ports.Has("Pause 1500"));
  EXPECT_EQ(c.game.SelectedFrom, -1);

  EXPECT_EQ(c.Press(kBobHome).opens, WindowOpens::kWorldHistory);  // another player's world
  EXPECT_FALSE(c.game.window.lblPlanet.Visible);                   // the next press hid the notice
  const CommandOutcome panel = c.Press(3, kRightButton);
  EXPECT_EQ(panel.opens, WindowOpens::kWorldPanel);
  EXPECT_EQ(panel.world, 3);
  EXPECT_TRUE(c.game.window.lstInfoVisible);

  c.game.WorldShips[kAnnHome] = 10;
  c.Press(kAnnHome, kMiddleButton);  // the distances from an own world, in whole turns
  ASSERT_EQ(c.view.distances.labels.size(), 12u);
  EXPECT_EQ(c.view.distances.header, "\r\n    World Travel Distances    \r\n    From " +
                                         c.game.WorldName[kAnnHome] + " (in Turns)    \r\n");
  float years = 0, angle = 0;
  DistCalc(c.game, kAnnHome, 0, years, angle, kQuickStep);
  EXPECT_EQ(c.view.distances.labels[1].caption,
            c.game.WorldName[0] + ": " + Format(Int(years / 0.05 + 0.999), "0"));
  EXPECT_FALSE(c.game.InputBusy);

  c.game.TurnDone = true;  // after Done: history instead of selection, panel instead of distances
  EXPECT_EQ(c.Press(kAnnHome).opens, WindowOpens::kWorldHistory);
  EXPECT_EQ(c.Press(kAnnHome, kMiddleButton).opens, WindowOpens::kWorldPanel);
  EXPECT_EQ(c.game.SelectedFrom, -1);
}

TEST(GalaxyClicks, OfTwoWorldsUnderThePointerTheLeftActsOnTheLowerTheRightShowsTheHigher) {
  CommandsGame c;
  c.game.WorldRadius[5] = c.game.WorldRadius[kAnnHome], c.game.WorldAngle[5] = c.game.WorldAngle[kAnnHome];
  c.game.WorldOwner[5] = 1;
  c.Press(kAnnHome);
  EXPECT_EQ(c.game.SelectedFrom, 5);
  CommandsGame r;
  r.game.WorldRadius[5] = r.game.WorldRadius[kAnnHome], r.game.WorldAngle[5] = r.game.WorldAngle[kAnnHome];
  EXPECT_EQ(r.Press(5, kRightButton).world, kAnnHome);
}

// The second press: the popup's rows in order, 20 px + 14 per further row, opening towards the sun.
TEST(GalaxyClicks, ASecondPressOpensThePopupPlacedTowardsTheSun) {
  for (int target : {1, 4, 6, 10}) {
    CommandsGame c;
    c.game.WorldShips[kAnnHome] = 5;
    c.Press(kAnnHome);
    const CommandOutcome out = c.Press(target);
    ASSERT_EQ(out.opens, WindowOpens::kTravelPopup) << target;
    EXPECT_EQ(c.game.SelectedTo, target);
    EXPECT_TRUE(c.game.window.lstMenuVisible);
    std::vector<int> codes;
    for (const MenuRow& row : out.popup.rows) codes.push_back(row.code);
    EXPECT_EQ(codes, (std::vector<int>{0, 1, 11, 7, 6, 5, 4, 3, 11}));
    EXPECT_EQ(out.popup.height, 20 + 14 * 8);
    const ViewPoint p = c.Pixel(target);
    EXPECT_EQ(out.popup.left, p.x > kCenterX ? p.x - out.popup.width : p.x) << target;
    EXPECT_EQ(out.popup.top, p.y > kCenterY ? p.y - out.popup.height : p.y) << target;
    EXPECT_TRUE(c.ports.Has("TargetMark " + std::to_string(target)));
  }
}

TEST(GalaxyClicks, ATruceRefusesAttacksOnOtherPlayersWorldsWithItsNotice) {
  struct Case {
    int turn;
    int target;
    std::string notice;  // empty: not refused
  };
  for (const Case& k : {Case{11, kBobHome, "\r\n    Battle Truce Ends Next Turn    \r\n"},
                        Case{9, kBobHome, "\r\n    Battle Truce Ends In 3 Turns    \r\n"},
                        Case{12, kBobHome, ""}, Case{9, 3, ""}, Case{9, 5, ""}}) {
    CommandsGame c;
    c.game.WorldOwner[5] = 1;
    c.game.TruceUntilTurn = 12;
    c.AtTurn(k.turn);
    c.Press(kAnnHome);
    std::vector<std::string> shown;
    c.ports.onRefresh = [&](Control ctl) {
      if (ctl == Control::kLblPlanet && c.game.window.lblPlanet.Visible)
        shown.push_back(c.game.window.lblPlanet.Caption);
    };
    const CommandOutcome out = c.Press(k.target);
    if (k.notice.empty()) {
      EXPECT_EQ(out.opens, WindowOpens::kTravelPopup) << k.turn << " " << k.target;
      continue;
    }
    EXPECT_EQ(shown, std::vector<std::string>{k.notice});
    EXPECT_TRUE(c.ports.Has("Pause 3000"));
    EXPECT_FALSE(c.game.window.lblPlanet.Visible);
    EXPECT_EQ(out.opens, WindowOpens::kNothing);
    EXPECT_EQ(c.game.SelectedFrom, -1);
    EXPECT_EQ(c.game.SelectedTo, -1);
  }
}

TEST(GalaxyClicks, OwnMovedObjectsAndOwnBombsArePickedOnTheView) {
  CommandsGame c;
  c.Put(0, kAnnHome, 3, 1, 20, 0.5f, 130);  // moved five turns
  c.Put(1, kAnnHome, 4, 1, 20, 0.5f, 0);    // launched this turn
  c.Put(2, kBobHome, 4, 2, 20, 0.5f, 130);  // another player's
  ASSERT_TRUE(WorldsHitAt(c.game, ToPixel(c.game, FleetUnscaledNow(c.game, 0)).x,
                          ToPixel(c.game, FleetUnscaledNow(c.game, 0)).y)
                  .empty());
  for (int s : {0, 1, 2}) {
    const ViewPoint at = ToPixel(c.game, FleetUnscaledNow(c.game, s));
    c.ports.Clear();
    Form_MouseDown(c.game, c.view, kRightButton, at.x + 4, at.y - 4);
    EXPECT_EQ(c.ports.Has("FleetPaths " + std::to_string(s + 1)), s == 0) << s;
    EXPECT_EQ(c.game.OverlayDrawn, s == 0);
    c.game.OverlayDrawn = false;
  }
  c.game.HideFleets = true;
  const ViewPoint at = ToPixel(c.game, FleetUnscaledNow(c.game, 0));
  c.ports.Clear();
  Form_MouseDown(c.game, c.view, kLeftButton, at.x, at.y);
  EXPECT_FALSE(c.ports.Has("FleetPaths 1"));

  // Two own bombs on world 3: the second stands right of it.
  c.game.ProxBombOwner[4] = c.game.ProxBombOwner[6] = 1;
  c.game.ProxBombWorld[4] = c.game.ProxBombWorld[6] = 3;
  c.game.ProxBombThreshold[6] = 25;
  const ViewPoint w = c.Pixel(3);
  c.ports.Clear();
  Form_MouseDown(c.game, c.view, kLeftButton, w.x + 20 * c.game.GalaxyScaleX + 4, w.y);
  EXPECT_TRUE(c.Calls("ShipsLabel").empty());
  EXPECT_EQ(c.Calls("ThresholdLabel"),
            std::vector<std::string>{"ThresholdLabel Ship Threshold: 25 " +
                                     std::to_string(static_cast<long>(c.game.PlayerColor[1]))});
  EXPECT_TRUE(c.ports.Has("Pause 1500"));
}

TEST(GalaxyClicks, ASecondPressOnTheSourceOpensItsBombCommands) {
  CommandsGame c;
  c.game.WorldBombs[kAnnHome] = 1;
  c.game.RadarSeen[0] = 1;
  c.Press(kAnnHome);
  const CommandOutcome popup = c.Press(kAnnHome);
  ASSERT_EQ(popup.opens, WindowOpens::kTravelPopup);
  EXPECT_EQ(popup.popup.rows,
            (std::vector<MenuRow>{{" - Set A Pulse Bomb On World " + c.game.WorldName[kAnnHome], 10},
                                  {" - Set Proximity Bomb on World " + c.game.WorldName[kAnnHome], 9}}));
  EXPECT_EQ(popup.popup.height, 34);
  EXPECT_EQ(c.game.SelectedFrom, kAnnHome);
  EXPECT_EQ(c.game.SelectedTo, kAnnHome);

  c.game.RadarSeen[0] = 0;  // the radar saw nothing: the proximity dialog at once
  c.game.WorldShips[kAnnHome] = 12;
  c.game.SelectedFrom = c.game.SelectedTo = -1;
  c.Press(kAnnHome);
  const CommandOutcome dialog = c.Press(kAnnHome);
  EXPECT_EQ(dialog.opens, WindowOpens::kProximityDialog);
  EXPECT_EQ(dialog.proximityText, "12");
  EXPECT_EQ(dialog.proximityValue, 12);
  EXPECT_EQ(c.game.ProxFrom, kAnnHome);
  EXPECT_EQ(c.game.SelectedFrom, -1);

  c.game.WorldBombs[kAnnHome] = 0;  // no bombs: the second press cancels
  c.Press(kAnnHome);
  EXPECT_EQ(c.Press(kAnnHome).opens, WindowOpens::kNothing);
  EXPECT_EQ(c.game.SelectedFrom, -1);
}

// The radar's sightings come from the rules when a turn begins, not from painting: without any
// window, a foreign fleet within reach of the home world makes its bomb commands offer the pulse.
// Unlimited radar sees it as the radar on does; with the radar off nothing is seen.
TEST(GalaxyClicks, ATurnBeginningWithAForeignFleetInRadarReachOffersThePulseBomb) {
  struct Case {
    const char* radar;
    std::array<bool, 3> option;  // on, off, unlimited: one of them
    bool inReach, seen;
  };
  const Case cases[] = {
      {"on", {true, false, false}, true, true},        {"on", {true, false, false}, false, false},
      {"unlimited", {false, false, true}, true, true}, {"unlimited", {false, false, true}, false, false},
      {"off", {false, true, false}, true, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "radar " << k.radar << (k.inReach ? ", in reach" : ", out of reach"));
    CommandsGame c;
    Game& g = c.game;
    g.setup.OptRadar = k.option;
    g.WorldBombs[kAnnHome] = 1;
    c.Put(0, kBobHome, 3, 2, 20, 0.3f, 6);  // Bob's fleet, six ticks out from his home world
    if (!k.inReach) g.WorldAngle[kBobHome] = g.WorldAngle[kAnnHome] + 3.0f;
    g.RadarSeen.fill(k.seen ? 0 : 1);  // the opposite of what the radar sees now
    ASSERT_TRUE(GameCheck(g));         // Ann's turn begins
    EXPECT_EQ(g.RadarSeen[0], k.seen ? 1 : 0);
    c.Press(kAnnHome);
    EXPECT_EQ(c.Press(kAnnHome).opens, k.seen ? WindowOpens::kTravelPopup : WindowOpens::kProximityDialog);
  }
}

TEST(GalaxyClicks, APopupRowRunsItsCommandWithInputLocked) {
  CommandsGame c;
  c.Press(kAnnHome);
  const CommandOutcome out = c.Press(3);
  std::vector<int> run;
  const MenuCommandRunner runner = [&](Game& g, int code) {
    EXPECT_TRUE(g.InputBusy);
    EXPECT_FALSE(g.window.lstMenuVisible);
    run.push_back(code);
  };
  EXPECT_EQ(lstMenu_Click(c.game, out.popup, 0, runner), 0);  // the title: nothing, the popup stays
  EXPECT_EQ(lstMenu_Click(c.game, out.popup, -1, runner), 0);
  EXPECT_TRUE(c.game.window.lstMenuVisible);
  EXPECT_EQ(lstMenu_Click(c.game, out.popup, 3, runner), kMenuSendAll);
  EXPECT_EQ(run, std::vector<int>{kMenuSendAll});
  EXPECT_FALSE(c.game.InputBusy);
  EXPECT_FALSE(c.game.window.lstMenuVisible);
  EXPECT_EQ(lstMenu_Click(c.game, out.popup, 3, runner), 0);  // a hidden popup takes no click
}

// When the turn passes to another seat, a panel or popup opened for the last one is hidden.
TEST(GalaxyClicks, PanelsAndPopupsHideWhenTheTurnPasses) {
  CommandsGame c;
  c.game.window.lstInfoVisible = c.game.window.lstMenuVisible = true;
  TravelShow(c.game);
  EXPECT_FALSE(c.game.window.lstInfoVisible || c.game.window.lstMenuVisible);
  c.game.window.lstInfoVisible = c.game.window.lstMenuVisible = true;
  c.game.CurrentPlayer = 1;
  c.game.InputBusy = false;
  GameCheck(c.game);
  EXPECT_FALSE(c.game.window.lstInfoVisible || c.game.window.lstMenuVisible);
}

}  // namespace
}  // namespace zarnath::testing

namespace zarnath::testing {
namespace {

// The whole road of an order: select, target, the 50 % row of the popup, a fleet on its way.
TEST(GalaxyClicks, TheFiftyPercentRowLaunchesHalfTheShipsThroughTheSendCommand) {
  CommandsGame c;
  c.game.WorldShips[kAnnHome] = 5;
  c.Press(kAnnHome);
  const CommandOutcome out = c.Press(3);
  int row = -1;
  for (size_t r = 0; r < out.popup.rows.size(); ++r)
    if (out.popup.rows[r].code == kMenuSend50) row = static_cast<int>(r);
  ASSERT_GE(row, 0);
  ProximityDialog dialog;
  EXPECT_EQ(lstMenu_Click(c.game, out.popup, row, GameMenuCommands(dialog, nullptr)), kMenuSend50);
  EXPECT_EQ(c.game.WorldShips[kAnnHome], 2);
  EXPECT_EQ(c.game.FleetFrom[0], kAnnHome + 1);
  EXPECT_EQ(c.game.FleetTo[0], 4);
  EXPECT_EQ(c.game.FleetShips[0], 3);
  EXPECT_EQ(c.game.SelectedFrom, -1);

  c.Press(kAnnHome);  // a popup row does nothing while a turn is being resolved
  const CommandOutcome again = c.Press(3);
  c.game.TurnResolving = true;
  EXPECT_EQ(lstMenu_Click(c.game, again.popup, 3, GameMenuCommands(dialog, nullptr)), 0);
  EXPECT_EQ(c.game.WorldShips[kAnnHome], 2);
}

// Above 4.5 ships the four shares differ from each other's rounding (with 20 ships: 15, 10, 5 and
// 2): each row of the popup names exactly the ships its click launches.
TEST(GalaxyClicks, EachShareRowNamesTheShipsItsClickLaunches) {
  for (const float ships : {20.0f, 37.0f, 101.5f}) {
    std::vector<std::string> named, sent;
    std::vector<float> counts;
    for (const int code : {kMenuSend75, kMenuSend50, kMenuSend25, kMenuSend10}) {
      CommandsGame c;
      c.game.WorldShips[kAnnHome] = ships;
      c.Press(kAnnHome);
      const CommandOutcome out = c.Press(3);
      int row = -1;
      for (size_t r = 0; r < out.popup.rows.size(); ++r)
        if (out.popup.rows[r].code == code) row = static_cast<int>(r);
      ASSERT_GE(row, 0) << ships << " " << code;
      named.push_back(out.popup.rows[static_cast<size_t>(row)].text);
      ProximityDialog dialog;
      ASSERT_EQ(lstMenu_Click(c.game, out.popup, row, GameMenuCommands(dialog, nullptr)), code);
      ASSERT_EQ(c.game.FleetFrom[0], kAnnHome + 1) << ships << " " << code;
      counts.push_back(c.game.FleetShips[0]);
      sent.push_back(" - Send" + Str(c.game.FleetShips[0]) + " Ships From World " +
                     c.game.WorldName[kAnnHome] + " To " + c.game.WorldName[3]);
    }
    EXPECT_EQ(named, sent) << ships;
    if (ships == 20.0f) {
      EXPECT_EQ(counts, (std::vector<float>{15, 10, 5, 2}));
    }
  }
}

}  // namespace
}  // namespace zarnath::testing
