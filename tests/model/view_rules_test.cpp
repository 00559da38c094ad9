// What the galaxy view decides without pixels: labels, icons, trails, what each seat sees.
#include "model/view_rules.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/game_window.h"
#include "fixtures/test_game.h"
#include "model/numbers.h"
#include "model/view_geometry.h"

namespace zarnath {
namespace {

// Twelve worlds on rings 50..210 at angle 0, two human seats (0 and 1) and a computer (2), radar On.
struct ViewGame : testing::TestGame {
  ViewGame() {
    Game& g = game;
    FormSetup(g);
    g.PlayerColor = kPlayerColors;
    g.WorldCount = 12;
    for (int w = 0; w < 12; ++w) {
      g.WorldRadius[w] = static_cast<float>(50 + 20 * (w % 9));
      g.WorldAngle[w] = 0;
      g.WorldAngularSpeed[w] = 0.001f;
    }
    g.setup.txtPL = {"Ann", "Bob", "Cal", ""};
    g.PlayerName = {"Ann", "Bob", "Cal", "", ""};
    g.setup.chkAI = {0, 0, 1, 0};
    g.WorldOwner[8] = 1, g.WorldOwner[9] = 2, g.WorldOwner[10] = 3;
    g.GameYear = 1.0f;
  }
  // A fleet of `owner` from world `from` to `to`, `moved` ticks out of a 0.5-year trip.
  int Launch(int slot, int owner, int from, int to, float ships, int moved) {
    Game& g = game;
    g.FleetFrom[slot] = static_cast<uint8_t>(from + 1);
    g.FleetTo[slot] = static_cast<uint8_t>(to + 1);
    g.FleetOwner[slot] = static_cast<uint8_t>(owner);
    g.FleetShips[slot] = ships;
    g.FleetTripTime[slot] = 0.5f;
    g.FleetTimeLeft[slot] = 0.5 - moved / 520.0;
    return slot;
  }
};

TEST(ViewGeometry, WorldsStandWhereTheScalesPutThem) {
  ViewGame t;
  Game& g = t.game;
  g.WorldRadius[3] = 130, g.WorldAngle[3] = static_cast<float>(kPi / 2);
  const ViewSpot p = WorldScreenSpot(g, 3);
  EXPECT_NEAR(p.x, 509, 1e-3);
  EXPECT_NEAR(p.y, 313.12, 1e-3);
  g.WorldAngle[3] = 0;
  EXPECT_NEAR(WorldScreenSpot(g, 3).x, 796.70, 0.01);
  const ViewSpot u = ScreenSpot(g, {g.GalaxyCenterX + 80.0, g.GalaxyCenterY + 80.0});
  EXPECT_NEAR(u.x - 509, 177.04, 0.01);
  EXPECT_NEAR(u.y - 206, 65.92, 1e-9);
}

TEST(FormSetup, ClearsTheFormerGamesHomeWorldItalics) {
  ViewGame t;
  t.game.window.lblNameItalic[9] = true;
  ASSERT_TRUE(FormSetup(t.game));
  EXPECT_FALSE(t.game.window.lblNameItalic[9]);
}

TEST(MapMarks, IconByShipCount) {
  struct Row {
    float ships;
    MarkKind kind;
    int count, size;
  } rows[] = {{0, MarkKind::kStar, 0, 0},    {1, MarkKind::kDots, 1, 3},    {99, MarkKind::kDots, 1, 3},
              {100, MarkKind::kDots, 2, 3},  {499, MarkKind::kDots, 2, 3},  {500, MarkKind::kDots, 3, 2},
              {9998, MarkKind::kDots, 3, 2}, {9999, MarkKind::kBlob, 0, 0}, {10050, MarkKind::kBlob, 0, 0}};
  for (const Row& r : rows) {
    const MarkShape m = MarkFor(r.ships, 2);
    EXPECT_TRUE(m.kind == r.kind && m.count == r.count && m.size == r.size) << r.ships;
  }
  EXPECT_EQ(MarkFor(700, 3).size, 3);
}

TEST(FleetTrail, SegmentsByTicksTravelled) {
  for (auto [n, segments] : {std::pair{0.0, 0}, {1.0, 0}, {2.0, 1}, {6.0, 4}, {7.0, 5}, {30.0, 5}})
    EXPECT_EQ(TrailSegments(n), segments) << n;
  EXPECT_NEAR(TrailTicks(2)[0], 0.7, 1e-12);
}

TEST(FleetPosition, WhatAnObjectShowsOfItself) {
  ViewGame t;
  Game& g = t.game;
  const int fresh = t.Launch(0, 1, 8, 3, 20, 0), flying = t.Launch(1, 1, 8, 3, 20, 4);
  const int cpuScout = t.Launch(2, 3, 10, 3, 0, 260), cpuAttack = t.Launch(3, 3, 10, 3, 20, 260);
  const int cpuReinforce = t.Launch(4, 3, 10, 10, 20, 260);
  g.FleetTimeLeft[2] = g.FleetTimeLeft[3] = g.FleetTimeLeft[4] = 0;
  EXPECT_EQ(FleetShowFor(g, fresh), FleetShow::kNothing);
  EXPECT_EQ(FleetShowFor(g, flying), FleetShow::kInFlight);
  EXPECT_EQ(FleetShowFor(g, cpuScout), FleetShow::kNothing);
  EXPECT_EQ(FleetShowFor(g, cpuAttack), FleetShow::kArrivedRing);
  EXPECT_EQ(FleetShowFor(g, cpuReinforce), FleetShow::kNothing);
  g.HideFleets = true;
  EXPECT_EQ(FleetShowFor(g, flying), FleetShow::kNothing);
  // A free slot, or one whose worlds are not in play, shows nothing and reads no table.
  g.HideFleets = false;
  g.FleetTo[1] = 0;
  EXPECT_EQ(FleetShowFor(g, 1), FleetShow::kNothing);
  g.FleetTo[1] = 200;
  EXPECT_EQ(FleetShowFor(g, 1), FleetShow::kNothing);
  EXPECT_EQ(FleetShowFor(g, 57), FleetShow::kNothing);
}

TEST(FleetPosition, DashesAlternateWithTheDestinationsColour) {
  ViewGame t;
  Game& g = t.game;
  const int own = t.Launch(0, 1, 8, 8, 20, 4), foreign = t.Launch(1, 1, 8, 9, 20, 4),
            neutral = t.Launch(2, 1, 8, 3, 20, 4);
  EXPECT_EQ(DestinationDashColour(g, own), kWhiteColor);
  EXPECT_EQ(DestinationDashColour(g, foreign), kPlayerColors[2]);
  EXPECT_EQ(DestinationDashColour(g, neutral), kTrailOlive);
  EXPECT_EQ(NextDash(kPlayerColors[1], kPlayerColors[1], kTrailOlive), kTrailOlive);
  EXPECT_EQ(NextDash(kTrailOlive, kPlayerColors[1], kTrailOlive), kPlayerColors[1]);
}

TEST(FleetPosition, PathStartsAtTheOriginAndEndsOnTheDestinationRing) {
  ViewGame t;
  Game& g = t.game;
  const int s = t.Launch(0, 1, 8, 3, 20, 0);
  g.FleetAngleParam[s] = 0;
  const ViewSpot start = FleetSpotAt(g, s, 0), end = FleetSpotAt(g, s, 259);
  EXPECT_NEAR(OrbitDistance(start, WorldOrbitSpot(g, 8)), 0, 1e-9);
  EXPECT_NEAR(OrbitDistance(end, {g.GalaxyCenterX, g.GalaxyCenterY}), g.WorldRadius[3], 1e-6);
}

TEST(FleetPaths, TheWalkIsOneTickAStepAndBoundedForTripsBeyondReach) {
  ViewGame t;
  Game& g = t.game;
  const int s = t.Launch(0, 1, 8, 3, 20, 0);
  g.FleetTimeLeft[s] = 0.1;
  g.FleetTripTime[s] = 0.5f;
  const auto ticks = PathTicks(g, s);
  ASSERT_TRUE(ticks.size() == 52 || ticks.size() == 53) << ticks.size();
  EXPECT_EQ(ticks.front(), 260.0f);
  for (float trip : {3e6f, 1e30f, std::nanf("")}) {  // only a foreign saved game holds such a trip
    g.FleetTripTime[s] = trip;
    g.FleetTimeLeft[s] = trip;
    EXPECT_LE(PathTicks(g, s).size(), static_cast<size_t>(kMostPathTicks)) << trip;
  }
}

TEST(FleetLabels, CaptionsByKindTurnsAndRadar) {
  struct Row {
    float ships;
    double left;
    bool radar;
    const char* caption;
  } rows[] = {{25, 0.15, false, "25  (3 Turns)"},
              {25, 0.05, false, "25  (1 Turn)"},
              {25, 0.1, false, "25  (2 Turns)"},
              {25, 0.0501, false, "25  (2 Turns)"},
              {25, 0, false, "25  (0 Turn)"},
              {25, 0.15, true, "25"},
              {0, 0.05, false, "1 Turn"},
              {0, 0, true, "0 Turn"},
              {9999, 0.3, true, "6 Turns"},
              {10040, 0.05, false, "1 Turn"},
              {12.5f, 0.05, false, "12.5  (1 Turn)"}};
  for (const Row& r : rows) EXPECT_EQ(FleetLabelCaption(r.ships, r.left, r.radar), r.caption) << r.caption;
}

TEST(FleetLabels, StackUpwardOverEarlierLabelsAtTheSamePlace) {
  const LabelBox first{100, 50, 40, 13};
  EXPECT_EQ(StackedTop(first, {}), 50);
  EXPECT_EQ(StackedTop(first, {first}), 37);
  EXPECT_EQ(StackedTop(first, {first, {100, 37, 40, 13}}), 24);
  // Five pixels apart (corner to corner) is apart enough, even when the texts overlap.
  EXPECT_EQ(StackedTop(first, {{103, 46, 40, 13}}), 50);
  EXPECT_EQ(StackedTop(first, {{102, 49, 40, 13}}), 37);
  // A label of no height cannot get clear; it is left where it is.
  EXPECT_EQ(StackedTop({100, 50, 40, 0}, {first}), 50);
}

TEST(WorldLabels, ShipLabelCaptionAndPlace) {
  ViewGame t;
  Game& g = t.game;
  g.WorldOwner[4] = 1;
  g.WorldShips[4] = 12;
  EXPECT_EQ(WorldShipLabelCaption(g, 4), "12");
  g.WorldType[4] = kTypeFuel, g.WorldShieldOn[4] = 1, g.WorldNoGather[4] = true;
  EXPECT_EQ(WorldShipLabelCaption(g, 4), "[12 D S]");
  g.WorldShips[4] = 12.25f, g.WorldType[4] = 0, g.WorldShieldOn[4] = 0, g.WorldNoGather[4] = false;
  EXPECT_EQ(WorldShipLabelCaption(g, 4), "12.25");
  EXPECT_EQ(WorldShipLabelGap(g, 4), 15);
  EXPECT_EQ(WorldShipLabelGap(g, 8), 20);
  g.PlayerName[0].clear();
  EXPECT_EQ(WorldShipLabelGap(g, 8), 15);
}

TEST(WorldLabels, ShipLabelsOnlyOnTheViewersWorldsWhileCommandsAreOpen) {
  ViewGame t;
  Game& g = t.game;
  EXPECT_TRUE(WorldShipLabelShown(g, 8));
  EXPECT_FALSE(WorldShipLabelShown(g, 9));
  g.InputBusy = true;
  EXPECT_FALSE(WorldShipLabelShown(g, 8));
  g.window.MousePointer = kHourglassPointer;
  EXPECT_TRUE(WorldShipLabelShown(g, 8));
  g.SelectedFrom = 3;
  EXPECT_FALSE(WorldShipLabelShown(g, 8));
  g.SelectedFrom = -1;
  g.ShipLabelsOn = false;
  EXPECT_FALSE(WorldShipLabelShown(g, 8));
  g.ShipLabelsOn = true;
  g.CurrentPlayer = 2;  // a computer seat sees no labels on its worlds
  EXPECT_FALSE(WorldShipLabelShown(g, 10));
}

TEST(WorldLabels, NameRiseAndPlaceBesideTheWorld) {
  ViewGame t;
  Game& g = t.game;
  g.WorldOwner[4] = 2;
  EXPECT_EQ(WorldNameRise(g, 8), 20);
  EXPECT_EQ(WorldNameRise(g, 4), 15);
  EXPECT_EQ(WorldNameRise(g, 3), 13);
  const ViewSpot p8 = WorldScreenSpot(g, 8), p3 = WorldScreenSpot(g, 3);
  EXPECT_NEAR(NameLabelBeside(g, 8, 40, 13).left, p8.x - 60, 1e-9);
  EXPECT_NEAR(NameLabelBeside(g, 3, 40, 13).left, p3.x - 54, 1e-9);
  EXPECT_NEAR(NameLabelBeside(g, 3, 40, 13).top, p3.y - 7, 1e-9);
  g.WorldRadius[3] = 230,
  g.WorldAngle[3] = static_cast<float>(kPi);  // far left: the label goes to the right of it
  const double x = WorldScreenSpot(g, 3).x;
  ASSERT_LT(x - 54, 5);
  EXPECT_NEAR(NameLabelBeside(g, 3, 40, 13).left, x - 54 + 68, 1e-9);
}

TEST(LabelSpreading, LeavesApartLabelsAndMovesOverlapsApart) {
  const std::vector<ViewSpot> worlds{{100, 100}, {300, 300}, {500, 100}};
  std::vector<LabelBox> labels{{40, 93, 45, 13}, {240, 293, 45, 13}, {440, 93, 45, 13}};
  const auto before = labels;
  SpreadLabels(labels, worlds);
  for (size_t i = 0; i < labels.size(); ++i)
    EXPECT_EQ(std::make_pair(labels[i].left, labels[i].top), std::make_pair(before[i].left, before[i].top))
        << i;
  // Equal Lefts never overlap; a label over another one moves, and every place stays a number.
  std::vector<LabelBox> same{{40, 93, 45, 13}, {40, 93, 45, 13}};
  SpreadLabels(same, {{100, 100}, {100, 100}});
  EXPECT_EQ(same[0].top, 93);
  std::vector<LabelBox> over{{40, 93, 45, 13}, {50, 95, 45, 13}};
  SpreadLabels(over, {{100, 100}, {110, 102}});
  for (const LabelBox& l : over) EXPECT_TRUE(std::isfinite(l.left) && std::isfinite(l.top));
  EXPECT_FALSE(over[0].left == 40 && over[0].top == 93);
}

// Two labels a hair too close: the upper one turns about its world by one step of 4 degrees (its
// anchor, the edge next to the world, keeps its distance) and that parts them; the lower one stays.
TEST(LabelSpreading, AnOverlapTurnsTheLabelByFourDegreesAStep) {
  const std::vector<ViewSpot> worlds{{110, 100}, {130, 150}};
  std::vector<LabelBox> labels{{40, 93, 45, 13}, {45, 105.9, 45, 13}};
  const LabelBox lower = labels[1];
  auto anchor = [&](const LabelBox& l) {  // the right edge's middle, to the left of world 0
    return std::pair{worlds[0].x - (l.left + l.width), worlds[0].y - (l.top + l.height / 2)};
  };
  const auto [dx0, dy0] = anchor(labels[0]);
  SpreadLabels(labels, worlds);
  const auto [dx1, dy1] = anchor(labels[0]);
  EXPECT_NEAR(std::atan2(dy1, dx1) - std::atan2(dy0, dx0), 4 * kPi / 180, 1e-9);
  EXPECT_NEAR(std::hypot(dx1, dy1), std::hypot(dx0, dy0), 1e-9);
  EXPECT_EQ(std::make_pair(labels[1].left, labels[1].top), std::make_pair(lower.left, lower.top));
}

TEST(LabelSpreading, AnAnchorStraightAboveItsWorldStillTurnsToANumber) {
  // The label's right edge lies exactly over its world: the angle has no tangent.
  std::vector<LabelBox> labels{{55, 80, 45, 13}, {56, 82, 45, 13}};
  SpreadLabels(labels, {{100, 100}, {101, 100}});
  for (const LabelBox& l : labels) EXPECT_TRUE(std::isfinite(l.left) && std::isfinite(l.top));
  // The anchor ends at least 14 px from the world point.
  const LabelBox& l = labels[0];
  const double ax = l.left > 100 ? l.left : l.left + l.width, ay = l.top + l.height / 2;
  EXPECT_GE(std::hypot(ax - 100, ay - 100), 14 - 1e-9);
}

TEST(Radar, StationsAndSightingsBySeatAndOption) {
  ViewGame t;
  Game& g = t.game;
  // Bob's fleet 6 ticks out from his home world (ring 50), about 44 units from Ann's (ring 90).
  g.WorldRadius[8] = 90;
  g.WorldAngle[9] = 0.3f;
  const int s = t.Launch(0, 2, 9, 3, 20, 6);
  FleetScan scan = ScanFleets(g);
  ASSERT_EQ(scan.fleets.size(), 1u);
  EXPECT_FALSE(scan.fleets[0].ownRule);
  ASSERT_EQ(scan.fleets[0].sightings.size(), 1u);
  EXPECT_EQ(scan.fleets[0].sightings[0].home, 8);
  EXPECT_TRUE(g.RadarAlert);
  EXPECT_TRUE(scan.radarCount == 1);
  EXPECT_EQ(RadarNotice(scan.radarCount, false), "- Radar Alert:  1 Enemy Traveling Fleet Detected! -");
  // A captured home world of another named seat serves too: the fleet is counted twice.
  g.WorldOwner[10] = 1;
  g.WorldAngle[10] = g.WorldAngle[8];
  g.WorldRadius[10] = g.WorldRadius[8];
  scan = ScanFleets(g);
  EXPECT_EQ(scan.radarCount, 2);
  EXPECT_EQ(RadarNotice(scan.radarCount, false), "- Radar Alert:  2 Enemy Traveling Fleets Detected! -");
  EXPECT_EQ(RadarNotice(2, true), "");
  EXPECT_EQ(RadarNotice(0, false), "");
  // Radar off: nothing seen. A source world chosen: nothing drawn of foreign objects.
  g.setup.OptRadar = {false, true, false};
  EXPECT_TRUE(ScanFleets(g).fleets.empty());
  EXPECT_TRUE(!g.RadarAlert);
  g.setup.OptRadar = {false, false, true};
  g.SelectedFrom = 8;
  EXPECT_TRUE(ScanFleets(g).fleets.empty());
  g.SelectedFrom = -1;
  // Unlimited radar: far fleets are shown and raise the alert, but are not counted.
  g.WorldAngle[9] = 3.0f;
  g.WorldAngle[10] = 1.5f;
  scan = ScanFleets(g);
  ASSERT_EQ(scan.fleets.size(), 1u);
  EXPECT_TRUE(g.RadarAlert);
  EXPECT_EQ(scan.radarCount, 0);
  // A fleet launched this turn is never shown by radar.
  g.FleetTimeLeft[s] = g.FleetTripTime[s];
  EXPECT_TRUE(ScanFleets(g).fleets.empty());
  // A computer viewer sees no foreign objects.
  g.FleetTimeLeft[s] = 0.4;
  g.CurrentPlayer = 2;
  EXPECT_TRUE(ScanFleets(g).fleets.empty());
}

// The rules mark the home worlds whose radar sees a foreign object or planted bomb within 80
// units, as the full redraw shows them; the redraw itself marks nothing.
TEST(Radar, TheRulesMarkTheHomeWorldsThatSeeAForeignObjectOrBombInReach) {
  ViewGame t;
  Game& g = t.game;
  g.WorldRadius[8] = 90;  // Ann's home world, about 44 units from Bob's fleet
  g.WorldAngle[9] = 0.3f;
  const int s = t.Launch(0, 2, 9, 3, 20, 6);
  using Seen = PerPlayer<uint8_t>;
  ScanFleets(g);
  EXPECT_EQ(g.RadarSeen, Seen{}) << "the redraw's scan marks nothing";
  MarkRadarSightings(g);
  EXPECT_EQ(g.RadarSeen, (Seen{1, 0, 0, 0, 0}));
  // Each case clears what an earlier marking left.
  const std::pair<const char*, void (*)(Game&)> unseen[] = {
      {"radar off",
       [](Game& k) {
         k.setup.OptRadar = {false, true, false};
       }},
      {"out of reach, even with unlimited radar",
       [](Game& k) {
         k.WorldAngle[9] = 3.0f, k.setup.OptRadar = {false, false, true};
       }},
      {"a source world chosen", [](Game& k) { k.SelectedFrom = 8; }},
      {"not moved yet", [](Game& k) { k.FleetTimeLeft[0] = k.FleetTripTime[0]; }},
      {"a computer viewing", [](Game& k) { k.CurrentPlayer = 2; }},
      {"the viewer's own fleet", [](Game& k) { k.FleetOwner[0] = 1; }},
  };
  for (const auto& [what, change] : unseen) {
    ViewGame u;
    Game& k = u.game;
    k.WorldRadius[8] = 90, k.WorldAngle[9] = 0.3f;
    u.Launch(0, 2, 9, 3, 20, 6);
    k.RadarSeen = {1, 1, 1, 1, 1};
    change(k);
    MarkRadarSightings(k);
    EXPECT_EQ(k.RadarSeen, Seen{}) << what;
  }
  // A foreign proximity bomb planted within reach is seen; the viewer's own is not.
  g.FleetFrom[s] = 0;
  g.ProxBombOwner[0] = 2, g.ProxBombWorld[0] = 9;
  MarkRadarSightings(g);
  EXPECT_EQ(g.RadarSeen, (Seen{1, 0, 0, 0, 0}));
  g.ProxBombOwner[0] = 1;
  MarkRadarSightings(g);
  EXPECT_EQ(g.RadarSeen, Seen{});
}

TEST(Radar, OwnObjectsAndTargetsOfTheRedraw) {
  ViewGame t;
  Game& g = t.game;
  t.Launch(0, 1, 8, 3, 20, 6);
  t.Launch(1, 3, 10, 4, 20, 6);  // the computer's, far away
  g.WorldTargeted[5] = true;
  g.LabelIndex = 7;
  FleetScan scan = ScanFleets(g);
  ASSERT_EQ(scan.fleets.size(), 1u);
  EXPECT_TRUE(scan.fleets[0].ownRule);
  EXPECT_TRUE(scan.fleets[0].drawn);
  EXPECT_TRUE(g.WorldTargeted[3]);
  EXPECT_TRUE(!g.WorldTargeted[5]);
  EXPECT_TRUE(!g.WorldTargeted[4]);
  EXPECT_TRUE(g.LabelIndex == 0);
  // While a turn is resolved, every object falls under the own rule; a computer's is drawn only
  // with unlimited radar.
  g.InputBusy = true;
  scan = ScanFleets(g);
  ASSERT_EQ(scan.fleets.size(), 2u);
  EXPECT_FALSE(scan.fleets[1].drawn);
  g.setup.OptRadar = {false, false, true};
  EXPECT_TRUE(ScanFleets(g).fleets[1].drawn);
}

TEST(ProximityBombs, StackedRoundTheirWorldOwnerByOwner) {
  ViewGame t;
  Game& g = t.game;
  for (int j = 0; j < 6; ++j) g.ProxBombOwner[j] = 1, g.ProxBombWorld[j] = 3;
  g.ProxBombOwner[2] = 2;  // another owner's bomb does not count
  const int expected[] = {0, 1, 0, 2, 3, 4};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(BombStackIndex(g, j), expected[j]) << j;
  const ViewSpot offsets[] = {{-20, 0}, {20, 0}, {0, 20}, {0, -20}, {0, 0}, {0, 0}};
  for (int c = 0; c < 6; ++c) EXPECT_TRUE(BombOffset(c).x == offsets[c].x && BombOffset(c).y == offsets[c].y);
  g.ProxBombWorld[1] = -1;
  g.ProxBombWorld[4] = 40;
  EXPECT_EQ(BombWorld(g, 0), 3);
  EXPECT_EQ(BombWorld(g, 1), -1);
  EXPECT_EQ(BombWorld(g, 4), -1);
}

TEST(ScoutedWorlds, CrossMarksOfTheFullAndTheLightRedraw) {
  ViewGame t;
  Game& g = t.game;
  g.GameYear = 1.0f + 10 * 0.05f;  // turn 10
  g.ScoutInfo[0][0][3] = 6;        // learned at turn 6: shown
  g.ScoutInfo[0][0][4] = 5;        // at turn 5: too old
  EXPECT_TRUE(ScoutCrossShown(g, 3));
  EXPECT_TRUE(CleanScoutCrossShown(g, 3));
  EXPECT_FALSE(ScoutCrossShown(g, 4) || CleanScoutCrossShown(g, 4));
  t.Launch(0, 1, 8, 3, 20, 0);  // bound for it, not yet moved: no cross in the light redraw
  EXPECT_FALSE(CleanScoutCrossShown(g, 3));
  g.WorldTargeted[3] = true;
  EXPECT_FALSE(ScoutCrossShown(g, 3));
  // With the crystal: untargeted neutral worlds only.
  g.HasCrystal[0] = 1;
  EXPECT_TRUE(ScoutCrossShown(g, 5));
  EXPECT_TRUE(CleanScoutCrossShown(g, 5));
  EXPECT_FALSE(ScoutCrossShown(g, 9) || CleanScoutCrossShown(g, 9) || ScoutCrossShown(g, 3));
}

TEST(DestinationMarks, OwnMarkersAndArrivalsDuringTheTurn) {
  ViewGame t;
  Game& g = t.game;
  const int own = t.Launch(0, 1, 8, 3, 20, 6), home = t.Launch(1, 1, 3, 8, 20, 6),
            cpu = t.Launch(2, 3, 10, 3, 20, 6);
  g.WorldBombs[8] = 2;
  EXPECT_EQ(DestinationMarkFor(g, own), DestinationMark::kMarker);
  EXPECT_EQ(DestinationMarkFor(g, home), DestinationMark::kNone);  // bombs stored there are marked instead
  EXPECT_EQ(DestinationMarkFor(g, cpu), DestinationMark::kNone);
  g.InputBusy = true;
  g.setup.chkAI[1] = 1;  // seat 0 the only human: markers go on while the turn is resolved
  g.FleetTimeLeft[cpu] = 0;
  EXPECT_EQ(DestinationMarkFor(g, own), DestinationMark::kMarker);
  EXPECT_EQ(DestinationMarkFor(g, cpu), DestinationMark::kPosition);
  g.HideFleets = true;
  EXPECT_EQ(DestinationMarkFor(g, cpu), DestinationMark::kNone);
}

TEST(Seats, OwnerCodesOutOfRangeIndexNothing) {
  ViewGame t;
  Game& g = t.game;
  EXPECT_FALSE(OwnerIsComputer(g, 0) || OwnerIsHumanSeat(g, 0) || OwnerIsComputer(g, 9));
  EXPECT_EQ(OwnerColourOf(g, 0), kNeutralColor);
  EXPECT_EQ(OwnerColourOf(g, 200), kNeutralColor);
  g.CurrentPlayer = -1;
  EXPECT_FALSE(ViewerHuman(g) || RadarStation(g, 8) || CleanScoutCrossShown(g, 3));
}

}  // namespace
}  // namespace zarnath
