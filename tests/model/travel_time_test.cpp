#include "model/travel_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/orbit_step.h"
#include "motion_fixture.h"

namespace zarnath {
namespace {

using namespace testing;

struct Answer {
  float years = -1, angle = -1;
  bool operator==(const Answer&) const = default;
};
Answer Solve(const GameState& g, int from, int to, float step = kLaunchStep) {
  Answer a;
  DistCalc(g, from, to, a.years, a.angle, step);
  return a;
}
const auto Ticks = [](int t) { return static_cast<float>(t / 520.0); };
const Answer kAtOnce{0.0f, -6.283184f}, kUnreachable{kUnreachableYears, 0.0f};

TEST(TravelTimeSearch, HandWorkedStillPairs) {
  // Two still worlds on ring 240: a ship's angle after t ticks is t x k x a with k = 130 / (240 x 520),
  // so the target's bin is reached within 390 ticks only by the last a tried, the float sum of the steps.
  const std::tuple<float, float, float> lastA[] = {
      {0.05f, 3.825f, 9.41684f}, {0.1f, 3.825f, 9.41681f}, {0.2f, 3.785f, 9.31681f}};
  for (const auto& [step, target, a] : lastA) {
    GameState g;
    StillPair(g, 240, 0.0f, 240, target);
    EXPECT_EQ(Solve(g, 0, 1, step).years, Ticks(390)) << step;  // one a more hits earlier, one less never
    EXPECT_NEAR(Solve(g, 0, 1, step).angle, a, 1e-5) << step;
    g.WorldType[0] = kTypeFuel;  // the fuel doubles the rate: the same bin at tick 195
    EXPECT_TRUE(step != kLaunchStep || Solve(g, 0, 1).years == Ticks(195));
  }
  GameState g;  // only a negative ship angle could come near 6.279, and those are never raised by a turn
  StillPair(g, 240, 0.0f, 250, 6.279f);
  for (float step : {kLaunchStep, kOptionsStep, kQuickStep}) EXPECT_EQ(Solve(g, 0, 1, step), kUnreachable);
}

TEST(TravelTimeSearch, ToItselfTakesNoTimeAndWorldsOffTheRingsOrDamagedAreUnreachable) {
  GameState g;
  LayRings(g, 3);
  for (int w : {0, 7, 8, 23, 29}) EXPECT_EQ(Solve(g, w, w), kAtOnce) << w;
  g.WorldAngle[9] = 0.25f, g.WorldAngle[10] = 0.2499f;  // bins are cut by floor: 0.25 opens the next one
  EXPECT_NE(Solve(g, 9, 10, kQuickStep), kAtOnce);
  g.WorldRadius[29] = 0, g.WorldAngle[3] = 1e30f, g.WorldAngle[5] = NAN;  // out of play; damaged angles
  for (auto [from, to] : {std::pair{0, 29}, std::pair{29, 0}, std::pair{0, 31}, std::pair{-1, 0},
                          std::pair{3, 4}, std::pair{4, 5}})
    EXPECT_EQ(Solve(g, from, to, kQuickStep), kUnreachable) << from << " to " << to;
}

TEST(TravelTimeSearch, AgreesWithThePlainSearchOverManyPairsAndNeverBeatsTheRingDistance) {
  std::mt19937 rng(2024);
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    GameState g;
    LayRings(g, seed, 4);
    for (int i = 0; i < 10; ++i) {
      int from = static_cast<int>(rng() % kMaxWorlds), to = static_cast<int>(rng() % kMaxWorlds);
      if (i >= 8) from = i == 8 ? 0 : 7, to = 7 - from;  // the innermost and the outermost ring
      const float step = i < 2 || i == 8 ? kLaunchStep : i < 4 ? kOptionsStep : kQuickStep;
      const int ahead = i % 3 == 0 ? static_cast<int>(rng() % 53) : 0;
      Answer got = Solve(g, from, to, step), plain;
      if (ahead != 0) PDistCalc(g, from, to, got.years, got.angle, step, ahead);
      testing::ReferenceSearch(g, from, to, plain.years, plain.angle, step, ahead);
      ASSERT_EQ(got, plain) << "seed " << seed << " " << from << " to " << to << " step " << step;
      // No trip is shorter than the rings are apart: 160 ticks from ring 50 to ring 210.
      ASSERT_GE(got.years, Ticks(static_cast<int>(std::fabs(g.WorldRadius[from] - g.WorldRadius[to]))));
    }
  }
}

TEST(FleetPath, MeetsTheTargetWhereTheSearchFoundIt) {
  std::mt19937 rng(9);
  int checked = 0;
  for (uint32_t seed = 100; seed < 130; ++seed) {
    GameState g;
    LayRings(g, seed, 3);
    const int from = static_cast<int>(rng() % kMaxWorlds), to = static_cast<int>(rng() % kMaxWorlds);
    const Answer a = Solve(g, from, to);
    if (from == to || a == kUnreachable) continue;
    // Written into slot 0 as a launch writes it.
    const float trip = static_cast<float>(Int(a.years * 1000.0 + 0.999) / 1000.0);
    g.FleetFrom[0] = static_cast<uint8_t>(from + 1), g.FleetTo[0] = static_cast<uint8_t>(to + 1);
    g.FleetTripTime[0] = trip, g.FleetTimeLeft[0] = trip, g.FleetAngleParam[0] = a.angle;
    const int hit = static_cast<int>(std::lround(a.years * 520.0));
    const double apart = std::fmod(std::fabs(FleetPathAt(g, 0, hit).angle - g.WorldAngle[to] -
                                             hit * static_cast<double>(g.WorldAngularSpeed[to])),
                                   kTwoPi);
    EXPECT_LT(std::min(apart, kTwoPi - apart), 0.0101) << "seed " << seed;
    // The radius reaches the destination ring one tick before the (rounded up) end of the trip.
    EXPECT_NEAR(FleetPathAt(g, 0, trip * 520.0 - 1.0).radius, g.WorldRadius[to], 1e-3);
    EXPECT_EQ(FleetPathAt(g, 0, 0).radius, g.WorldRadius[from]);
    ++checked;
  }
  EXPECT_GT(checked, 20);
}

}  // namespace
}  // namespace zarnath
