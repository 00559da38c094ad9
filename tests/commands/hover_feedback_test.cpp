// The pointer over the galaxy window: the hovered world, resting on a fleet, panels and popups
// closing, the rubber band, the hover label and the news line.
#include "commands/hover_feedback.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/engine_fixture.h"
#include "model/view_rules.h"

namespace zarnath {
namespace {

constexpr int kWorld = 3;

// Ann and Bob at one computer, Ann to move with time on her clock; world 3 stands alone at
// (about) (700, 200), every other world on the far side of the sun.
struct Hover : EngineGame {
  HoverScene scene;
  double wx = 0, wy = 0;
  Hover() : EngineGame("AB..", 12) {
    game.TurnMinutesLeft = 3;
    for (int w = 0; w < game.WorldCount; ++w) game.WorldAngle[w] = 3.0f;
    game.WorldAngle[kWorld] = 0.0f;
    const ViewSpot c = WorldScreenSpot(game, kWorld);
    wx = static_cast<float>(c.x);
    wy = static_cast<float>(c.y);
    game.cosmetic.Seed(7);
  }
  void ShowInfo(PanelBox box) {
    scene.info = box;
    game.window.lstInfoVisible = true;
  }
  void ShowMenu(PanelBox box) {
    scene.menu = box;
    game.window.lstMenuVisible = true;
  }
  HoverOutcome Move(double dx, double dy) { return Form_MouseMove(game, scene, wx + dx, wy + dy); }
  HoverOutcome MoveTo(double x, double y) { return Form_MouseMove(game, scene, x, y); }
};

TEST(Hovering, AWorldEightPixelsAwayIsNamedOnlyWhileThePanelIsHidden) {
  Hover f;
  EXPECT_EQ(HoveredWorld(f.game, f.wx + 8, f.wy), kWorld);
  EXPECT_EQ(HoveredWorld(f.game, f.wx + 8.01, f.wy), -1);
  HoverOutcome out = f.Move(8, 0);
  EXPECT_EQ(out.showLabel, kWorld);
  f.ShowInfo({f.wx - 10, f.wy - 10, 120, 118});
  EXPECT_EQ(HoveredWorld(f.game, f.wx + 8, f.wy), -1);
  EXPECT_EQ(HoveredWorld(f.game, f.wx + 7.9, f.wy), kWorld);
  out = f.Move(8, 0);
  EXPECT_EQ(out.hovered, -1);
  EXPECT_EQ(out.showLabel, -1);
  EXPECT_FALSE(out.hideInfo);
  out = f.Move(7.9, 0);  // hovered, but the panel is up: no label
  EXPECT_EQ(out.hovered, kWorld);
  EXPECT_EQ(out.showLabel, -1);
}

TEST(Hovering, TheTravelPopupWidensTheHoverAndASourceNarrowsTheSearchBox) {
  Hover f;
  f.ShowMenu({f.wx + 30, f.wy, 200, 48});
  const std::tuple<int, double, double, int> cases[] = {
      {-1, 12, 0, kWorld}, {-1, 13.9, 0, kWorld}, {-1, 14, 0, -1},
      {-1, 11, 0, kWorld}, {5, 11, 0, -1},  // with a source only worlds within 10 px on both axes are found
      {5, 9, 9, kWorld},   {5, 9, 10, -1}};
  for (const auto& [source, dx, dy, expected] : cases) {
    f.game.SelectedFrom = static_cast<int16_t>(source);
    EXPECT_EQ(HoveredWorld(f.game, f.wx + dx, f.wy + dy), expected) << source << " " << dx << " " << dy;
  }
}

TEST(Hovering, TheLastAcceptedWorldWinsUnlessOneWasWithinEightPixels) {
  Hover f;
  Game& g = f.game;
  // World 4 just beyond world 3 along the same ray.
  g.WorldAngle[4] = 0.0f;
  g.WorldRadius[4] = g.WorldRadius[kWorld] + static_cast<float>(6 / g.GalaxyScaleX);
  const double w4 = static_cast<float>(WorldScreenSpot(g, 4).x);
  EXPECT_EQ(HoveredWorld(g, f.wx + 4, f.wy), kWorld);  // 4 px from world 3: the scan ends there
  EXPECT_EQ(HoveredWorld(g, w4 + 1, f.wy), kWorld);    // world 3 at 7 px: world 4 is not tried
  EXPECT_EQ(HoveredWorld(g, w4 + 4, f.wy), 4);         // world 3 at 10 px, world 4 at 4 px
}

TEST(Tidying, APopupOf48PixelsStaysAndATallerOneClosesAndClearsTheSelection) {
  for (double height : {48.0, 49.0}) {
    Hover f;
    Game& g = f.game;
    g.SelectedFrom = 8, g.SelectedTo = kWorld;
    f.ShowMenu({300, 100, 200, height});
    const HoverOutcome near = f.MoveTo(520, 150);  // within 20 px of its edge
    EXPECT_FALSE(near.hideMenu);
    const HoverOutcome out = f.MoveTo(521, 150);
    EXPECT_EQ(out.hideMenu, height > 48) << height;
    EXPECT_EQ(g.window.lstMenuVisible, height == 48) << height;
    EXPECT_EQ(g.SelectedFrom == -1 && g.SelectedTo == -1, height > 48) << height;
    EXPECT_EQ(f.ports.Has("GalaxyDraw") && f.ports.Has("Console"), height > 48) << height;
    EXPECT_EQ(out.clearHoverCaption, height > 48);
  }
}

// Escape closes the popup however small, dropping its pair, and the panel with its announcement;
// nothing while input is busy, and nothing when neither is open.
TEST(Tidying, EscapeClosesThePopupAndThePanel) {
  Hover f;
  Game& g = f.game;
  EXPECT_FALSE(EscapeClosesPopups(g).hideMenu || EscapeClosesPopups(g).hideInfo);
  EXPECT_TRUE(f.ports.calls.empty());
  g.SelectedFrom = 8, g.SelectedTo = kWorld;
  f.ShowMenu({300, 100, 200, 30});
  g.InputBusy = true;
  EXPECT_TRUE(EscapeClosesPopups(g).busy);
  EXPECT_TRUE(g.window.lstMenuVisible && g.SelectedFrom == 8);
  g.InputBusy = false;
  const HoverOutcome menu = EscapeClosesPopups(g);
  EXPECT_TRUE(menu.hideMenu && !menu.hideInfo && menu.clearHoverCaption);
  EXPECT_FALSE(g.window.lstMenuVisible);
  EXPECT_TRUE(g.SelectedFrom == -1 && g.SelectedTo == -1);
  EXPECT_TRUE(f.ports.Has("GalaxyDraw") && f.ports.Has("Console"));
  f.ShowInfo({100, 100, 150, 118});
  g.window.lblPlanet.Visible = true;
  const HoverOutcome info = EscapeClosesPopups(g);
  EXPECT_TRUE(info.hideInfo && !info.hideMenu);
  EXPECT_FALSE(g.window.lstInfoVisible || g.window.lblPlanet.Visible);
}

TEST(Tidying, ThePanelClosesTwentyPixelsAwayAndTakesTheAnnouncementWithIt) {
  Hover f;
  Game& g = f.game;
  f.ShowInfo({100, 100, 150, 118});
  g.window.lblPlanet.Visible = true;
  f.scene.worldLabel0 = g.WorldName[0];  // the names are shown: the announcement belongs to them
  EXPECT_FALSE(f.MoveTo(100, 238).hideInfo);
  const HoverOutcome out = f.MoveTo(100, 238.5);
  EXPECT_TRUE(out.hideInfo);
  EXPECT_FALSE(g.window.lstInfoVisible);
  EXPECT_TRUE(out.clearHoverCaption);
  EXPECT_FALSE(g.window.lblPlanet.Visible);
  EXPECT_FALSE(out.resetPlanetColour);
}

TEST(Tidying, AnAnnouncementGoesUnlessTheWorldLabelsShowNamesAndTheHoverLabelHides) {
  for (const char* label0 : {"12", "Longname"}) {
    Hover f;
    Game& g = f.game;
    std::tie(g.window.lblPlanet.Visible, g.window.lblPlanet.Alignment) = std::make_tuple(true, 2);
    f.scene.worldLabel0 = label0;
    f.scene.hoverVisible = true;
    const HoverOutcome out = f.MoveTo(50, 50);
    const bool hides = std::string(label0).size() < 8;
    EXPECT_EQ(!g.window.lblPlanet.Visible, hides) << label0;
    EXPECT_EQ(out.resetPlanetColour && g.window.lblPlanet.Alignment == 0, hides) << label0;
    EXPECT_EQ(f.ports.Count("GalaxyDraw"), hides ? 1 : 0) << label0;
    EXPECT_TRUE(out.hideHoverLabel);
    EXPECT_TRUE(out.clearHoverCaption);
  }
}

TEST(RubberBand, NoBandBelowTheGalaxyEvenWithASourceSelected) {
  Hover f;
  Game& g = f.game;
  g.SelectedFrom = 8;
  EXPECT_FALSE(f.MoveTo(600, 408).drawBand);
  EXPECT_TRUE(f.ports.calls.empty());
  const HoverOutcome out = f.MoveTo(600, 407.5);
  ASSERT_TRUE(out.drawBand);
  const RubberBand& b = out.band;
  const ViewSpot s = WorldScreenSpot(g, 8);
  EXPECT_FLOAT_EQ(b.sx, s.x);
  EXPECT_TRUE(b.cleanFirst);
  EXPECT_TRUE(b.rings);
  EXPECT_TRUE(b.homeRings);
  EXPECT_TRUE(b.line);
  EXPECT_FALSE(b.toWorld);
  EXPECT_TRUE(b.repaint);
  EXPECT_EQ(std::make_tuple(b.tx, b.ty, b.colour), std::make_tuple(600.0, 407.5, kPlayerColors[1]));
  EXPECT_FALSE(out.yieldAfterDrawing);
  // With a target chosen the rings stay without a line, and pending events run.
  g.SelectedTo = 2;
  const HoverOutcome chosen = f.MoveTo(600, 300);
  EXPECT_TRUE(chosen.drawBand);
  EXPECT_FALSE(chosen.band.cleanFirst);
  EXPECT_FALSE(chosen.band.line);
  EXPECT_TRUE(chosen.yieldAfterDrawing);
  // A source that is no home world of a player has no home rings.
  g.SelectedTo = -1, g.SelectedFrom = 0;
  EXPECT_FALSE(f.MoveTo(600, 300).band.homeRings);
}

TEST(RubberBand, ToAHoveredWorldItEndsThereAndNamesItOnTheSourceItselfNothingChanges) {
  Hover f;
  Game& g = f.game;
  g.SelectedFrom = 8;
  g.WorldOwner[kWorld] = 2;
  HoverOutcome out = f.Move(3, 0);
  ASSERT_TRUE(out.drawBand);
  ASSERT_TRUE(out.band.toWorld);
  ASSERT_TRUE(out.band.line);
  ASSERT_TRUE(out.band.cleanFirst);
  EXPECT_NEAR(out.band.tx, f.wx, 1e-3);
  EXPECT_NEAR(out.band.ty, f.wy, 1e-3);
  EXPECT_EQ(out.band.targetColour, kPlayerColors[2]);
  EXPECT_TRUE(out.hideHoverLabel);
  EXPECT_TRUE(out.hideFirstShipsLabel);
  EXPECT_EQ(out.showLabel, kWorld);
  g.WorldLabelsOn = false;
  out = f.Move(3, 0);
  EXPECT_TRUE(out.drawBand);
  EXPECT_TRUE(out.hideHoverLabel);
  EXPECT_EQ(out.showLabel, -1);
  const ViewSpot s = WorldScreenSpot(g, 8);
  out = f.MoveTo(s.x + 2, s.y);
  EXPECT_EQ(out.hovered, 8);
  EXPECT_FALSE(out.drawBand);
  EXPECT_FALSE(out.hideHoverLabel);
  EXPECT_EQ(out.showLabel, -1);
  f.ShowMenu({0, 0, 10, 48});
  EXPECT_FALSE(f.Move(3, 0).drawBand);
}

TEST(RestingOnAFleet, HoldsTheScreenOnlyOnAMovedFleetOfThePlayer) {
  Hover f;
  Game& g = f.game;
  f.Put(0, 8, 9, 1, 40, 0.5f, 130);
  g.FleetAngleParam[0] = 1.5f;  // well off its origin's orbit
  const ViewSpot at = ScreenSpot(g, FleetSpotAt(g, 0, TicksTravelled(g, 0)));
  g.OverlayDrawn = true;
  HoverOutcome out = f.MoveTo(at.x + 4, at.y - 4);
  EXPECT_TRUE(out.onFleet);
  EXPECT_TRUE(g.OverlayDrawn);
  EXPECT_TRUE(f.ports.calls.empty());
  // Off the fleet the overlay is cleared.
  out = f.MoveTo(at.x + 5, at.y);
  EXPECT_FALSE(out.onFleet);
  EXPECT_FALSE(g.OverlayDrawn);
  EXPECT_EQ(f.ports.calls, std::vector<std::string>{"GalaxyDraw"});
  // A fleet not moved yet, another player's, or with fleets hidden holds nothing.
  for (int variant = 0; variant < 3; ++variant) {
    Hover v;
    v.Put(0, 8, 9, variant == 1 ? 2 : 1, 40, 0.5f, variant == 0 ? 0 : 130);
    v.game.FleetAngleParam[0] = 1.5f;
    v.game.HideFleets = variant == 2;
    const ViewSpot p = ScreenSpot(v.game, FleetSpotAt(v.game, 0, TicksTravelled(v.game, 0)));
    v.game.OverlayDrawn = true;
    EXPECT_FALSE(v.MoveTo(p.x, p.y).onFleet) << variant;
    // (An object not moved yet stands on its origin, which the pointer then names instead.)
    EXPECT_EQ(v.game.OverlayDrawn, variant != 1) << variant;
  }
}

TEST(HoverLabel, NamedOnceAndNotWhileTheNamesAreShown) {
  Hover f;
  Game& g = f.game;
  EXPECT_EQ(f.Move(1, 1).showLabel, kWorld);
  f.scene.hoverCaption = g.WorldName[kWorld];  // the label names it already
  EXPECT_EQ(f.Move(1, 1).showLabel, -1);
  f.scene.hoverCaption.clear();
  f.scene.worldLabel0 = g.WorldName[0];
  EXPECT_EQ(f.Move(1, 1).showLabel, -1);
  f.scene.worldLabel0 = "5";
  g.WorldLabelsOn = false;
  EXPECT_EQ(f.Move(1, 1).showLabel, -1);
}

TEST(News, TreasureTextsCountTheUnownedTreasures) {
  Hover f;
  Game& g = f.game;
  EXPECT_EQ(TreasureNews(g), "");
  g.WorldType[2] = kTypeFuel;
  g.WorldType[kHomeWorld0] = kTypeBomb;  // owned: found already
  EXPECT_EQ(TreasureNews(g), " There Is Still 1 World Treasure To Be Found!");
  g.WorldType[4] = g.WorldType[5] = kTypeCrystal;
  EXPECT_EQ(TreasureNews(g), " There Are Still 3 World Treasures To Be Found!");
}

TEST(News, ALeaderIsNamedOnlyWhenAloneOnTop) {
  Hover f;
  Game& g = f.game;  // Ann and Bob: a home world each with equal ships
  g.WorldShips[8] = g.WorldShips[9] = 50;
  g.WorldShips[2] = 0;
  EXPECT_EQ(LeaderNews(g, 1), "");
  EXPECT_EQ(LeaderNews(g, 2), "");
  EXPECT_EQ(LeaderNews(g, 3), "");  // nothing travelling: all at 0
  g.WorldOwner[2] = 2;
  g.WorldShips[9] = 49;
  EXPECT_EQ(LeaderNews(g, 1), " Bob Currently Owns The Most Worlds!");
  EXPECT_EQ(LeaderNews(g, 2), " Ann Currently Has The Most Ships!");
  // Travelling ships: a scout counts one, bombs none.
  f.Put(0, 8, 2, 1, 3, 0.5f);
  f.Put(1, 9, 2, 2, 0, 0.5f);
  f.Put(2, 9, 2, 2, 0, 0.5f);
  f.Put(3, 9, 2, 2, kAnnihilationBomb, 0.5f);
  f.Put(4, 9, 2, 2, kProximityBombBase + 5, 0.5f);
  EXPECT_EQ(LeaderNews(g, 3), " Ann Currently Has The Most Traveling Ships!");
  f.Put(5, 9, 2, 2, 1, 0.5f);
  EXPECT_EQ(LeaderNews(g, 3), "");
  g.PlayerGone[0] = true;  // a player who left is not counted
  EXPECT_EQ(LeaderNews(g, 3), " Bob Currently Has The Most Traveling Ships!");
}

TEST(News, OneIdleMoveInFiveHundredDrawsNewsFromTheCosmeticSourceOnly) {
  Hover f;
  Game& g = f.game;
  g.WorldType[2] = kTypeFuel;
  g.WorldShips[8] = 60;
  const uint64_t gameDraws = g.random.State();
  int news = 0, treasures = 0;
  for (int i = 0; i < 50000; ++i) {
    f.ports.Clear();
    const HoverOutcome out = f.MoveTo(20, 20);
    if (out.news.empty()) continue;
    ++news;
    treasures += out.news == " There Is Still 1 World Treasure To Be Found!";
    EXPECT_TRUE(out.news == " There Is Still 1 World Treasure To Be Found!" ||
                out.news == " Ann Currently Has The Most Ships!")
        << out.news;  // worlds and travelling ships are tied
    EXPECT_EQ(g.window.txtGame.Text, out.news);
    EXPECT_EQ(g.window.txtGame.ForeColor, kNeutralColor);
    EXPECT_EQ(f.ports.calls, (std::vector<std::string>{"Refresh txtGame", "Sound gameinfo.wav"}));
  }
  EXPECT_NEAR(news, 100 * 0.5 + 100 * 0.5 / 3, 40);  // treasures half the time, ships a sixth
  EXPECT_NEAR(treasures, 50, 25);
  EXPECT_EQ(g.random.State(), gameDraws);
  // The same seed tells the same news at the same moves.
  Hover a, b;
  std::string told[2];
  for (int i = 0; i < 3000; ++i) {
    told[0] += a.MoveTo(20, 20).news;
    told[1] += b.MoveTo(20, 20).news;
  }
  EXPECT_EQ(told[0], told[1]);
}

TEST(News, NoneWithALastMinuteAfterDoneWithASourceOrForPlayerZeroAlone) {
  for (int variant = 0; variant < 4; ++variant) {
    Hover f;
    Game& g = f.game;
    g.WorldType[2] = kTypeFuel * (variant != 3);
    if (variant == 0) g.TurnMinutesLeft = 1;
    if (variant == 1) g.TurnDone = true;
    if (variant == 2) g.SelectedFrom = 8;
    if (variant == 3) g.PlayerName[1].clear(), g.WorldShips[8] = 99;
    for (int i = 0; i < 20000; ++i) EXPECT_EQ(f.MoveTo(20, 500).news, "") << variant;
  }
  Hover sound;
  sound.game.SoundOff = true;
  sound.game.WorldType[2] = kTypeFuel;
  int told = 0;
  for (int i = 0; i < 20000; ++i) told += !sound.MoveTo(20, 500).news.empty();
  EXPECT_GT(told, 0);
  EXPECT_FALSE(sound.ports.Has("Sound gameinfo.wav"));
}

TEST(Hovering, NothingWhileInputIsBusy) {
  Hover f;
  f.game.InputBusy = true;
  f.game.SelectedFrom = 8;
  f.ShowMenu({0, 0, 10, 100});
  const HoverOutcome out = f.MoveTo(600, 300);
  EXPECT_TRUE(out.busy);
  EXPECT_FALSE(out.hideMenu);
  EXPECT_FALSE(out.drawBand);
  EXPECT_EQ(f.game.SelectedFrom, 8);
  EXPECT_TRUE(f.ports.calls.empty());
}

}  // namespace
}  // namespace zarnath
