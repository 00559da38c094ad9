#include "model/travel_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "fixtures/test_game.h"
#include "model/game.h"
#include "model/orbit_step.h"
#include "motion_fixture.h"

namespace zarnath {
namespace {

using testing::LayRings;
using testing::ReferenceSearch;
using testing::StillPair;

float Ticks(int t) {
  return static_cast<float>(t / 520.0);
}

// --- the search over the launch parameter ---

// Two still worlds on ring 240: k = 130 / (240 x 520), so a ship's angle after t ticks is
// t x k x a and the target's bin is reached within 390 ticks only by the largest a tried.
struct LastParameterCase {
  float step;
  float targetAngle;
  float lastA;
};

TEST(TravelTimeSearch, LastLaunchParameterIsTheFloatSumOfTheSteps) {
  for (const LastParameterCase& c :
       {LastParameterCase{0.05f, 3.825f, 9.41684f}, LastParameterCase{0.1f, 3.825f, 9.41681f},
        LastParameterCase{0.2f, 3.785f, 9.31681f}}) {
    GameState g;
    StillPair(g, 240, 0.0f, 240, c.targetAngle);
    float years = 0, angle = 0;
    DistCalc(g, 0, 1, years, angle, c.step);
    // One value too many would hit earlier; one too few would not hit at all.
    EXPECT_EQ(years, Ticks(390)) << "step " << c.step;
    EXPECT_NEAR(angle, c.lastA, 1e-5) << "step " << c.step;
  }
}

TEST(TravelTimeSearch, FromAWorldToItselfTakesNoTime) {
  testing::TestGame tg;
  LayRings(tg.g(), 11);
  for (int w : {0, 7, 8, 11, 23, 29}) {
    for (float step : {kLaunchStep, kOptionsStep, kQuickStep}) {
      float years = 1, angle = 1;
      DistCalc(tg.g(), w, w, years, angle, step);
      EXPECT_EQ(years, 0.0f) << w;
      EXPECT_EQ(angle, -6.283184f) << w;
    }
  }
}

TEST(TravelTimeSearch, WorldsOfOneRingInOneBinMeetAtOnce) {
  testing::TestGame tg;
  LayRings(tg.g(), 12);
  tg.g().WorldAngle[9] = 1.2301f;
  tg.g().WorldAngle[10] = 1.2389f;  // both in the bin 1.23 .. 1.24
  float years = 1, angle = 1;
  DistCalc(tg.g(), 9, 10, years, angle, kQuickStep);
  EXPECT_EQ(years, 0.0f);
  EXPECT_EQ(angle, -6.283184f);

  tg.g().WorldAngle[10] = 1.2401f;  // the next bin: no longer at once
  DistCalc(tg.g(), 9, 10, years, angle, kQuickStep);
  EXPECT_GT(years, 0.0f);

  tg.g().WorldAngle[9] = 0.25f;  // exactly on the edge: bin 0.25 .. 0.26
  tg.g().WorldAngle[10] = 0.2499f;
  DistCalc(tg.g(), 9, 10, years, angle, kQuickStep);
  EXPECT_GT(years, 0.0f);
}

TEST(TravelTimeSearch, InnermostToOutermostRingTakesAtLeast160Ticks) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> angle(0.0f, 6.28f);
  GameState g;
  LayRings(g, 5);
  int reached = 0;
  for (int i = 0; i < 60; ++i) {
    g.WorldAngle[0] = angle(rng);  // ring 50
    g.WorldAngle[7] = angle(rng);  // ring 210
    for (auto [from, to] : {std::pair{0, 7}, std::pair{7, 0}}) {
      float years = 0, a = 0;
      DistCalc(g, from, to, years, a, i % 2 ? kLaunchStep : kQuickStep);
      ASSERT_GE(years, Ticks(160)) << from << " to " << to;
      if (years < kUnreachableYears) ++reached;
    }
  }
  EXPECT_GT(reached, 100);
}

TEST(TravelTimeSearch, HitTestTakesBinsByFloorSoNegativeShipAnglesMissBinZero) {
  // Target in bin 0; a ship angle a little below 0 would share bin 0 if the bins were cut towards
  // zero. The first a that hits is therefore the first positive one.
  GameState g;
  StillPair(g, 240, 0.0f, 250, 0.005f);
  float years = 0, angle = 0;
  DistCalc(g, 0, 1, years, angle, kLaunchStep);
  EXPECT_EQ(years, Ticks(10));
  EXPECT_GT(angle, 0.0f);
  EXPECT_LT(angle, 0.05f);
}

TEST(TravelTimeSearch, UnreachableTargetGives10000YearsAndParameterZero) {
  // Only a negative ship angle could come near 6.279; ship angles below 0 are never raised by a turn.
  GameState g;
  StillPair(g, 240, 0.0f, 250, 6.279f);
  for (float step : {kLaunchStep, kOptionsStep, kQuickStep}) {
    float years = 1, angle = 1;
    DistCalc(g, 0, 1, years, angle, step);
    EXPECT_EQ(years, kUnreachableYears);
    EXPECT_EQ(angle, 0.0f);
  }
}

TEST(TravelTimeSearch, AnglesAboveTwoPiAreTakenBackByWholeTurns) {
  // The ship starts at 6.2 and must pass 2 pi to reach bin 0.05; the target itself is given a turn
  // too many, as a new galaxy may leave it.
  GameState g;
  StillPair(g, 240, 6.2f, 250, static_cast<float>(kTwoPi + 0.055));
  float years = 0, angle = 0;
  DistCalc(g, 0, 1, years, angle, kLaunchStep);
  EXPECT_LT(years, kUnreachableYears);
  EXPECT_GT(angle, 0.0f);
}

TEST(TravelTimeSearch, FuelWorldDoublesTheRate) {
  GameState g;
  StillPair(g, 240, 0.0f, 240, 3.825f);
  const float plain = LaunchRate(g, 0);
  g.WorldType[0] = kTypeFuel;
  EXPECT_EQ(LaunchRate(g, 0), 2.0f * plain);

  // Twice the rate: the bin the plain world reaches at tick 390 is reached at tick 195.
  float years = 0, angle = 0;
  DistCalc(g, 0, 1, years, angle, kLaunchStep);
  EXPECT_EQ(years, Ticks(195));
  EXPECT_NEAR(angle, 9.41684f, 1e-5);
}

TEST(TravelTimeSearch, WorldsOffTheRingsAreUnreachable) {
  testing::TestGame tg;
  LayRings(tg.g(), 3);
  tg.g().WorldRadius[29] = 0;  // not in play
  float years = 0, angle = 1;
  DistCalc(tg.g(), 0, 29, years, angle, kQuickStep);
  EXPECT_EQ(years, kUnreachableYears);
  DistCalc(tg.g(), 29, 0, years, angle, kQuickStep);
  EXPECT_EQ(years, kUnreachableYears);
  DistCalc(tg.g(), 0, 31, years, angle, kQuickStep);
  EXPECT_EQ(years, kUnreachableYears);
  EXPECT_EQ(angle, 0.0f);

  // Damaged values do not stall the search.
  tg.g().WorldAngle[3] = 1e30f;
  DistCalc(tg.g(), 3, 4, years, angle, kQuickStep);
  EXPECT_EQ(years, kUnreachableYears);
  tg.g().WorldAngle[3] = NAN;
  DistCalc(tg.g(), 4, 3, years, angle, kQuickStep);
  EXPECT_EQ(years, kUnreachableYears);
}

// --- the faster search against the plain one ---

TEST(TravelTimeSearch, AgreesWithThePlainSearchOverManyPairs) {
  std::mt19937 rng(2024);
  int pairs = 0, unreachable = 0;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    GameState g;
    LayRings(g, seed, 4);
    for (int i = 0; i < 10; ++i) {
      const int from = static_cast<int>(rng() % kMaxWorlds), to = static_cast<int>(rng() % kMaxWorlds);
      const float step = i < 2 ? kLaunchStep : i < 4 ? kOptionsStep : kQuickStep;
      const int ahead = i % 3 == 0 ? static_cast<int>(rng() % 53) : 0;
      float years = 0, angle = 0, refYears = 0, refAngle = 0;
      PDistCalc(g, from, to, years, angle, step, ahead);
      ReferenceSearch(g, from, to, refYears, refAngle, step, ahead);
      ASSERT_EQ(years, refYears) << "seed " << seed << " " << from << " to " << to << " step " << step;
      ASSERT_EQ(angle, refAngle) << "seed " << seed << " " << from << " to " << to << " step " << step;
      ++pairs;
      unreachable += years == kUnreachableYears;
    }
  }
  EXPECT_EQ(pairs, 400);
  EXPECT_LT(unreachable, pairs / 4);  // the pairs are mostly real trips
}

// --- a launch ahead of time ---

TEST(TravelTimeAhead, AheadZeroIsTheSameAsNow) {
  GameState g;
  LayRings(g, 77, 5);
  for (int from = 0; from < kMaxWorlds; from += 3) {
    for (int to = 1; to < kMaxWorlds; to += 4) {
      float y1 = 0, a1 = 0, y2 = 0, a2 = 0;
      DistCalc(g, from, to, y1, a1, kQuickStep);
      PDistCalc(g, from, to, y2, a2, kQuickStep, 0);
      ASSERT_EQ(y1, y2);
      ASSERT_EQ(a1, a2);
    }
  }
}

TEST(TravelTimeAhead, OneTurnAheadAnswersForTheWorldsOneTurnOn) {
  testing::TestGame now, later;
  LayRings(now.g(), 78);
  LayRings(later.g(), 78);
  later.g().SpeedGame = true;
  GalaxyRotate(later.g());  // the worlds one turn on, as the game moves them
  int compared = 0;
  for (int from = 0; from < kMaxWorlds; from += 2) {
    for (int to = 1; to < kMaxWorlds; to += 3) {
      float y1 = 0, a1 = 0, y2 = 0, a2 = 0;
      PDistCalc(now.g(), from, to, y1, a1, kQuickStep, kTicksPerTurn);
      DistCalc(later.g(), from, to, y2, a2, kQuickStep);
      EXPECT_EQ(y1, y2) << from << " to " << to;
      EXPECT_EQ(a1, a2) << from << " to " << to;
      ++compared;
    }
  }
  EXPECT_EQ(compared, 150);
}

// --- the path of an object in flight ---

// A launch written into slot 0 the way the fleet table writes it.
void PutInFlight(GameState& g, int from, int to) {
  float years = 0, angle = 0;
  DistCalc(g, from, to, years, angle, kLaunchStep);
  const float trip = static_cast<float>(Int(years * 1000.0 + 0.999) / 1000.0);
  g.FleetFrom[0] = static_cast<uint8_t>(from + 1);
  g.FleetTo[0] = static_cast<uint8_t>(to + 1);
  g.FleetOwner[0] = 1;
  g.FleetShips[0] = 10;
  g.FleetTripTime[0] = trip;
  g.FleetTimeLeft[0] = trip;
  g.FleetAngleParam[0] = angle;
}

double AngleApart(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), kTwoPi);
  return std::min(d, kTwoPi - d);
}

TEST(FleetPath, MeetsTheTargetWhereTheSearchFoundIt) {
  std::mt19937 rng(9);
  int checked = 0;
  for (uint32_t seed = 100; seed < 130; ++seed) {
    GameState g;
    LayRings(g, seed, 3);
    const int from = static_cast<int>(rng() % kMaxWorlds), to = static_cast<int>(rng() % kMaxWorlds);
    if (from == to) continue;
    float years = 0, angle = 0;
    DistCalc(g, from, to, years, angle, kLaunchStep);
    if (years >= kUnreachableYears) continue;
    PutInFlight(g, from, to);
    const int t = static_cast<int>(std::lround(years * 520.0));
    const PathPoint hit = FleetPathAt(g, 0, t);
    const double target = g.WorldAngle[to] + t * static_cast<double>(g.WorldAngularSpeed[to]);
    EXPECT_LT(AngleApart(hit.angle, target), 0.0101) << "seed " << seed;
    // The radius reaches the destination ring one tick before the (rounded up) end of the trip.
    const PathPoint end = FleetPathAt(g, 0, g.FleetTripTime[0] * 520.0 - 1.0);
    EXPECT_NEAR(end.radius, g.WorldRadius[to], 1e-3);
    EXPECT_NEAR(FleetPathAt(g, 0, 0).radius, g.WorldRadius[from], 1e-9);
    ++checked;
  }
  EXPECT_GT(checked, 20);
}

TEST(FleetPath, StaysTheSameCurveWhileTheWorldsMove) {
  testing::TestGame tg;
  Game& g = tg.g();
  LayRings(g, 31);
  g.WorldType[3] = kTypeFuel;
  PutInFlight(g, 3, 22);
  ASSERT_GT(g.FleetTripTime[0], 0.06f);  // still in flight after a turn
  const PathPoint before = FleetPathAt(g, 0, 35);
  EXPECT_EQ(FleetTicksElapsed(g, 0), 0.0);
  g.SpeedGame = true;
  GalaxyRotate(g);
  EXPECT_NEAR(FleetTicksElapsed(g, 0), 26.0, 1e-6);
  const PathPoint after = FleetPathAt(g, 0, 35);
  EXPECT_NEAR(after.x, before.x, 1e-3);
  EXPECT_NEAR(after.y, before.y, 1e-3);
}

}  // namespace
}  // namespace zarnath
