// The ships-needed estimate, the status report and the travel-distance calculator's picture.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "model/game.h"
#include "model/motion_fixture.h"
#include "model/ships_needed.h"
#include "model/status_report.h"
#include "model/travel_calc.h"
#include "model/travel_time.h"
#include "model/world_names.h"

namespace zarnath {
namespace {

// Ann's world 0 "Ares" (class 4) aims at world 1 "Zea" (class 2, production 3, 30 ships, shield 10)
// at year 1.50 (turn 10); the trip takes 62 ticks.
struct Estimate : GameState {
  Estimate() {
    WorldCount = 9, PlayerName[0] = "Ann", WorldOwner[0] = 1, GameYear = 1.5f;
    WorldName[0] = "Ares", WorldName[1] = "Zea", WorldClass[0] = 4, WorldShield[0] = 100;
    WorldClass[1] = 2, WorldProduction[1] = 3, WorldShips[1] = 30, WorldShield[1] = 10;
  }
  void Scouted(int turn, int ships = 30, int shield = 10) {
    auto& s = ScoutInfo[0];
    s[0][1] = static_cast<int16_t>(turn), s[1][1] = 2, s[2][1] = 3, s[3][1] = static_cast<int16_t>(ships);
    s[4][1] = static_cast<int16_t>(shield);
  }
  ShipsEstimate Of(double ticks = 62) const {
    return EstimateShipsFor(*this, 0, 1, static_cast<float>(ticks / 520.0));
  }
};

TEST(ShipsNeeded, WorkedExample) {
  // Crystal or scout report, defensive mode, shields travel, the estimate and its source's turn.
  const std::tuple<const char*, bool, int, int, double, EstimateSource, int> cases[] = {
      {"crystal", true, 0, 0, 37, EstimateSource::kCrystal, 10},
      {"defensive", true, 1, 0, 43, EstimateSource::kCrystal, 10},
      {"travelling shield", true, 0, 1, 19, EstimateSource::kCrystal, 10},
      {"scouted at turn 8", false, 0, 0, 41, EstimateSource::kScout, 8},
  };
  for (const auto& [what, crystal, mode, shields, ships, source, turn] : cases) {
    Estimate g;
    g.HasCrystal[0] = crystal ? 1 : 0, g.setup.chkMode = mode, g.setup.chkShield = shields;
    if (!crystal) g.Scouted(8);
    const ShipsEstimate e = g.Of();
    EXPECT_EQ(e.ships, ships) << what;
    EXPECT_EQ(e.source, source) << what;
    EXPECT_EQ(e.turn, turn) << what;
  }
  Estimate g;
  g.HasCrystal[0] = 1;
  EXPECT_EQ(ShipsReportText(g, g.Of(), 0, 1),
            "\r\n    Based on the Information Crystal for Turn #10    \r\n    ~37 Ships From World Ares "
            "Would Be    \r\n"
            "    Needed To Take Over World Zea    \r\n");
  g.HasCrystal[0] = 0, g.Scouted(8);
  EXPECT_EQ(
      ShipsReportText(g, g.Of(), 0, 1),
      "\r\n    Based on Turn #8 Scout Intelligence:    \r\n    ~41 Ships From World Ares Would Be    \r\n"
      "    Needed To Take Over World Zea    \r\n");
}

TEST(ShipsNeeded, KnowledgeMustBeRecentAndTheCrystalSeesOnlyUnownedWorlds) {
  const std::tuple<const char*, void (*)(Estimate&), EstimateSource> cases[] = {
      {"report 4 turns old", [](Estimate& g) { g.Scouted(6); }, EstimateSource::kScout},
      {"report 5 turns old", [](Estimate& g) { g.Scouted(5); }, EstimateSource::kNone},
      {"never scouted", [](Estimate&) {}, EstimateSource::kNone},
      {"crystal, Bob's world", [](Estimate& g) { g.HasCrystal[0] = 1, g.WorldOwner[1] = 2; },
       EstimateSource::kNone},
      {"crystal, Bob's world scouted",
       [](Estimate& g) { g.HasCrystal[0] = 1, g.WorldOwner[1] = 2, g.Scouted(9); }, EstimateSource::kScout},
  };
  for (const auto& [what, prepare, source] : cases) {
    Estimate g;
    prepare(g);
    EXPECT_EQ(g.Of().source, source) << what;
  }
  Estimate g;  // no knowledge: CalcShips leaves the caller's text, the report asks for a scout
  std::string result = "Send Scout";
  testing::StillPair(g, 50, 0.0f, 210, 0.775f);
  g.SelectedFrom = 0, g.SelectedTo = 1;
  CalcShips(g, result);
  EXPECT_EQ(result, "Send Scout");
  EXPECT_EQ(
      ShipsReportText(g, g.Of(), 0, 1),
      "\r\n    No Recent Scout Information Available!    \r\n    Please Send A Scout to World Zea    \r\n");
  g.Scouted(9);
  g.TravelYears = 7;
  CalcShips(g, result);
  float years = 0, angle = 0;
  DistCalc(g, 0, 1, years, angle, kQuickStep);
  EXPECT_EQ(g.TravelYears, years);  // the quick step's time, whatever the caller held
  EXPECT_EQ(result, Format(EstimateShipsFor(g, 0, 1, years).ships, "0"));
}

TEST(ShipsNeeded, ClassesAndTheFloor) {
  Estimate g;
  g.HasCrystal[0] = 1, g.WorldClass[0] = 2;  // equal classes: K = 1; D = 39, X = 49
  EXPECT_EQ(g.Of().ships, 50);
  g.WorldClass[0] = 1;
  EXPECT_EQ(g.Of().ships, 50);
  g.setup.chkShield = 1, g.WorldShield[0] = 100, g.WorldShips[1] = 0, g.WorldProduction[1] = 0,
  g.WorldShield[1] = 0;
  EXPECT_EQ(g.Of().ships, 1);  // never below one
}

// Ann owns worlds 0 (class 3, production 5, 20.5 ships) and 1 (class 2, production 4, 10 ships)
// and has 30 ships, a scout and a bomb in flight; Bob owns nothing but a fleet of 7; Cid nothing.
struct Status : GameState {
  Status() {
    WorldCount = 9, GameYear = 1.0f;
    PlayerName = {"Ann", "Bob", "Cid", "Dee", ""};
    SeatStatus = {TurnStatus::kTakingTurn, TurnStatus::kTakingTurn, TurnStatus::kTakingTurn,
                  TurnStatus::kEliminated};
    WorldOwner[0] = WorldOwner[1] = 1, WorldClass[0] = 3, WorldClass[1] = 2;
    WorldProduction[0] = 5, WorldProduction[1] = 4, WorldShips[0] = 20.5f, WorldShips[1] = 10;
    Fly(0, 1, 30), Fly(1, 1, kScout), Fly(2, 1, 10020), Fly(3, 2, 7);
  }
  void Fly(int slot, int owner, float code) {
    FleetFrom[slot] = 1, FleetTo[slot] = 2, FleetOwner[slot] = static_cast<uint8_t>(owner),
    FleetShips[slot] = code;
  }
};

TEST(StatusReport, OneLinePerPlayerStillInTheGame) {
  Status g;
  EXPECT_EQ(StatusLine(g, 0), "    Ann Owns 2 Worlds With 9 Production and 62.5 Ships, Rating: 45.0    \r\n");
  EXPECT_EQ(StatusLine(g, 1), "    Bob Owns 0 World With 0 Production and 7 Ships, Rating: 0.0    \r\n");
  EXPECT_EQ(StatusLine(g, 2), "    Cid Was Eliminated From Game!    \r\n");
  EXPECT_EQ(StatusLine(g, 3), "");  // eliminated by its caption
  EXPECT_EQ(StatusReportText(g),
            "\r\n" + StatusLine(g, 0) + StatusLine(g, 1) + "    Cid Was Eliminated From Game!    \r\n");
  g.WorldOwner[1] = 0;
  for (int i = 0; i < 19; ++i) g.GameYear += 0.05f;  // turn 19: divided by 20
  EXPECT_EQ(StatusLine(g, 0), "    Ann Owns 1 World With 5 Production and 52.5 Ships, Rating: 0.8    \r\n");
  g.PlayerName = {"", "", "", "", ""};
  EXPECT_EQ(StatusReportText(g), "");
}

// A rating asked for a turn before the first (a damaged game's year) is that of the first turn,
// never a division by 0 or a negative rating.
TEST(StatusReport, ARatingBeforeTheFirstTurnIsTheFirstTurns) {
  const PlayerStock s{.worlds = 2, .ships = 10, .production = 9, .classSum = 5};
  EXPECT_EQ(RatingOf(s, 0), 45.0f);
  EXPECT_EQ(RatingOf(s, 9), 4.5f);
  for (int turn : {-1, -10, -32768}) EXPECT_EQ(RatingOf(s, turn), 45.0f) << turn;
}

TEST(TravelCalc, ReportsYearsAndTurns) {
  EXPECT_EQ(TravelCalcCaption(26 / 520.0f),
            "\r\n    The Travel Distance Between Worlds    \r\n    is 0.05 Years, (1 Turn)    \r\n");
  EXPECT_EQ(TravelCalcCaption(62 / 520.0f),
            "\r\n    The Travel Distance Between Worlds    \r\n    is 0.12 Years, (3 Turns)    \r\n");
}

// World 0 (ring 50) to world 1 (ring 210), both still, on the game window's geometry.
struct Calc : Estimate {
  Calc() {
    testing::StillPair(*this, 50, 0.0f, 210, 0.775f);
    PlayerColor = kPlayerColors, GalaxyCenterX = 509, GalaxyCenterY = 206, GalaxyScaleX = 2, GalaxyScaleY = 1;
  }
};

TEST(TravelCalc, DrawsDottedTrailsClearOfTheWorldsAndMeetsTheTarget) {
  Calc g;
  float years = 0, angle = 0;
  DistCalc(g, 0, 1, years, angle, kOptionsStep);
  const TravelCalcPlan plan = PlanTravelCalc(g, 0, 1, years, angle);
  ASSERT_TRUE(plan.reachable);
  EXPECT_FALSE(plan.ship.empty());
  EXPECT_TRUE(plan.target.empty());  // a still target: its arc never leaves its world
  for (size_t i = 0; i < plan.ship.size(); ++i) {
    const TrailSegment& s = plan.ship[i];
    EXPECT_GT(std::hypot(s.from.x - plan.source.at.x, s.from.y - plan.source.at.y), kTrailClearance);
    EXPECT_EQ(s.colour, i % 2 == 0 ? kPlayerColors[1] : kBlackColor) << i;
  }
  // The meeting point is the target: the search's tolerance is a hundredth of a radian.
  EXPECT_NEAR(plan.meeting.x, plan.targetNow.x, 210 * 2 * 0.011);
  EXPECT_NEAR(plan.meeting.y, plan.targetNow.y, 210 * 0.011);
  EXPECT_EQ(plan.caption, TravelCalcCaption(years));
  EXPECT_TRUE(plan.source.rightAligned && !plan.destination.rightAligned);
  EXPECT_EQ(plan.source.gap, 15);
  EXPECT_EQ(plan.destination.gap, 13);  // unowned

  g.WorldType[0] = kTypeFuel;  // the fuel bends the path twice as far sideways
  const TravelCalcPlan fuel = PlanTravelCalc(g, 0, 1, years, angle / 2);
  EXPECT_NEAR(fuel.meeting.x, plan.meeting.x, 1e-6);
}

TEST(TravelCalc, AnUnreachableTargetOrNoTimeDrawsNoTrail) {
  Calc g;
  const TravelCalcPlan far = PlanTravelCalc(g, 0, 1, kUnreachableYears, 0);
  EXPECT_FALSE(far.reachable);
  EXPECT_TRUE(far.ship.empty() && far.target.empty());
  EXPECT_EQ(far.caption, "\r\n    World Zea Cannot Be Reached    \r\n    From World Ares Now    \r\n");
  const TravelCalcPlan none = PlanTravelCalc(g, 0, 0, 0, 0);
  EXPECT_TRUE(none.reachable && none.ship.empty() && none.target.empty());
  EXPECT_EQ(none.caption,
            "\r\n    The Travel Distance Between Worlds    \r\n    is 0.00 Years, (0 Turn)    \r\n");
}

TEST(WorldNames, SitLeftOfTheirWorldsOrRightNearTheEdge) {
  Calc g;
  g.PlayerName[0] = "Ann", g.WorldOwner[8] = 1, g.WorldRadius[8] = 130, g.WorldName[8] = "Eridania";
  // World, its angle, owned?, the label's left, right-aligned, italic.
  g.WorldAngle[0] = 0, g.WorldAngle[1] = 0, g.WorldAngle[8] = 0;
  const std::tuple<int, int, double, bool, bool> cases[] = {
      {0, 1, 509 + 100 - 40 - 16, true, false},  // owned
      {8, 1, 509 + 260 - 40 - 20, true, true},   // owned home world of a named seat
      {1, 0, 509 + 420 - 40 - 14, true, false},  // unowned
  };
  for (const auto& [w, owner, left, right, italic] : cases) {
    g.WorldOwner[w] = static_cast<uint8_t>(owner);
    WorldNameLabel label = WorldNameLabelFor(g, w);
    PlaceWorldName(g, label, 40);
    EXPECT_DOUBLE_EQ(label.left, left) << w;
    EXPECT_DOUBLE_EQ(label.top, 206 - 7) << w;
    EXPECT_EQ(label.rightAligned, right) << w;
    EXPECT_EQ(label.italic, italic) << w;
    EXPECT_EQ(label.caption, g.WorldName[w]);
  }
  g.WorldAngle[1] = static_cast<float>(kPi);  // 509 - 420 = 89: 89 - 40 - 14 = 35, still in
  WorldNameLabel label = WorldNameLabelFor(g, 1);
  PlaceWorldName(g, label, 80);  // 89 - 80 - 14 < 5: to the right, left-aligned
  EXPECT_FALSE(label.rightAligned);
  EXPECT_NEAR(label.left, 89 - 80 - 14 + 80 + 28, 1e-3);
}

}  // namespace
}  // namespace zarnath
