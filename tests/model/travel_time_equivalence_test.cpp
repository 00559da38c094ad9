// The game's interception search against the plain step-by-step search, bit for bit: years and
// launch parameter, at the three steps the game uses, from fuel worlds, for worlds that have
// turned, for launches ahead, and for target angles laid on the edges of the 0.01-radian bins.
// A sample runs always; ZARNATH_LONG_TESTS=1 checks more than 100,000 trips.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <random>

#include "model/travel_time.h"
#include "motion_fixture.h"

namespace zarnath {
namespace {

using namespace testing;

bool LongTests() {
  const char* v = std::getenv("ZARNATH_LONG_TESTS");
  return v && *v && *v != '0';
}

constexpr float kSteps[] = {kLaunchStep, kOptionsStep, kQuickStep};

struct Pair {
  int from, to, ahead;
  float step;
};

// Compares one trip; answers whether it agreed, and says how it did not.
::testing::AssertionResult SameAnswer(const GameState& g, const Pair& p) {
  float years = -1, angle = -1, plainYears = -1, plainAngle = -1;
  PDistCalc(g, p.from, p.to, years, angle, p.step, p.ahead);
  ReferenceSearch(g, p.from, p.to, plainYears, plainAngle, p.step, p.ahead);
  if (std::bit_cast<uint32_t>(years) == std::bit_cast<uint32_t>(plainYears) &&
      std::bit_cast<uint32_t>(angle) == std::bit_cast<uint32_t>(plainAngle))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << p.from << " (ring " << g.WorldRadius[p.from] << ", angle " << g.WorldAngle[p.from] << ") to "
         << p.to << " (ring " << g.WorldRadius[p.to] << ", angle " << g.WorldAngle[p.to] << ") step "
         << p.step << " ahead " << p.ahead << ": " << years << "/" << angle << " against " << plainYears
         << "/" << plainAngle;
}

// The worlds turned by `ticks` orbit steps: each adds its speed and comes back by one period.
void Turn(GameState& g, int ticks) {
  for (int t = 0; t < ticks; ++t)
    for (int w = 0; w < g.WorldCount; ++w) {
      g.WorldAngle[w] = static_cast<float>(g.WorldAngle[w] + static_cast<double>(g.WorldAngularSpeed[w]));
      if (g.WorldAngle[w] > kTwoPi) g.WorldAngle[w] = static_cast<float>(g.WorldAngle[w] - kTwoPi);
    }
}

Pair RandomPair(std::mt19937& rng) {
  Pair p{static_cast<int>(rng() % kMaxWorlds), static_cast<int>(rng() % kMaxWorlds), 0, kSteps[rng() % 3]};
  const uint32_t kind = rng() % 8;
  if (kind < 3) p.ahead = static_cast<int>(rng() % 60);  // the computer turn looks 3 ticks ahead
  if (kind == 3) p.ahead = static_cast<int>(rng() % 2000);
  return p;
}

// Galaxies as a game lays them out, turned by a random number of ticks.
int CheckGalaxies(int galaxies, int pairsEach) {
  std::mt19937 rng(20240611);
  int checked = 0;
  for (int k = 0; k < galaxies; ++k) {
    GameState g;
    LayRings(g, rng(), 4);
    Turn(g, static_cast<int>(rng() % 700));
    for (int i = 0; i < pairsEach; ++i) {
      const Pair p = RandomPair(rng);
      EXPECT_TRUE(SameAnswer(g, p)) << "galaxy " << k;
      ++checked;
    }
  }
  return checked;
}

// The object's computed angle at tick t for the parameter tried `index`-th, as the search has it.
float ShipAngleAt(const GameState& g, int from, int t, int index, float step) {
  float a = -6.283184f;
  for (int i = 0; i < index; ++i) a += step;
  const float ka = static_cast<float>(static_cast<double>(LaunchRate(g, from)) * a);
  float ship = static_cast<float>((t * static_cast<double>(g.WorldAngularSpeed[from]) + g.WorldAngle[from]) +
                                  t * static_cast<double>(ka));
  while (ship > kTwoPi) ship = static_cast<float>(ship - kTwoPi);
  return ship;
}

// Targets that stand still on the edge of a hit: the object's angle at some tick and parameter,
// the bin edges around it and the values one unit in the last place either side of each.
int CheckEdges(int trips) {
  std::mt19937 rng(77);
  int checked = 0;
  for (int k = 0; k < trips; ++k) {
    GameState g;
    LayRings(g, rng(), 3);
    const Pair p{static_cast<int>(rng() % kMaxWorlds), static_cast<int>(rng() % kMaxWorlds), 0,
                 kSteps[rng() % 3]};
    if (p.from == p.to) continue;
    const int tmin = static_cast<int>(std::fabs(g.WorldRadius[p.from] - g.WorldRadius[p.to]));
    const int t = tmin + static_cast<int>(rng() % static_cast<uint32_t>(391 - tmin));
    const int count = p.step == kLaunchStep ? 315 : p.step == kOptionsStep ? 158 : 79;
    const float ship =
        ShipAngleAt(g, p.from, t, static_cast<int>(rng() % static_cast<uint32_t>(count)), p.step);
    if (!(ship >= 0.0f)) continue;
    const float binLow = static_cast<float>(std::floor(ship * 100.0) / 100.0);
    const float edges[] = {ship, binLow, static_cast<float>(binLow + 0.01), static_cast<float>(ship + 0.01),
                           static_cast<float>(ship - 0.01)};
    const float edge = edges[rng() % 5];
    const int ulps = static_cast<int>(rng() % 5) - 2;
    float target = edge;
    for (int u = 0; u < std::abs(ulps); ++u) target = std::nextafter(target, ulps > 0 ? 10.0f : -10.0f);
    if (!(target >= 0.0f)) continue;
    // Still target: its angle at every tick is the one laid down. Or a moving target that
    // passes that angle at tick t.
    if (rng() % 2 == 0) {
      g.WorldAngularSpeed[p.to] = 0.0f;
      g.WorldAngle[p.to] = target;
    } else {
      float start = static_cast<float>(target - t * static_cast<double>(g.WorldAngularSpeed[p.to]));
      while (start < 0.0f) start = static_cast<float>(start + kTwoPi);
      g.WorldAngle[p.to] = start;
    }
    EXPECT_TRUE(SameAnswer(g, p)) << "trip " << k;
    ++checked;
  }
  return checked;
}

TEST(TravelTimeEquivalence, GamesGalaxiesAgreeBitForBit) {
  const int checked = LongTests() ? CheckGalaxies(400, 200) : CheckGalaxies(20, 60);
  EXPECT_GE(checked, LongTests() ? 80000 : 1200);
}

TEST(TravelTimeEquivalence, TargetsOnTheBinEdgesAgreeBitForBit) {
  const int checked = CheckEdges(LongTests() ? 30000 : 1200);
  EXPECT_GE(checked, LongTests() ? 20000 : 800);
}

// Rings off the game's grid, fuel, still and backward-turning worlds, large angles that need many
// turns taken off, and worlds that stand right at the period: the windows widen or the plain
// scan takes over, with the same answers.
TEST(TravelTimeEquivalence, OddAndDamagedValuesAgreeBitForBit) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (int k = 0; k < (LongTests() ? 3000 : 150); ++k) {
    GameState g;
    LayRings(g, rng(), 2);
    const int from = static_cast<int>(rng() % kMaxWorlds), to = static_cast<int>(rng() % kMaxWorlds);
    switch (k % 6) {
      case 0:
        g.WorldRadius[from] = static_cast<float>(1 + rng() % 400);
        g.WorldRadius[to] = static_cast<float>(1 + rng() % 400);
        break;
      case 1:
        g.WorldAngularSpeed[from] = 0, g.WorldAngularSpeed[to] = -unit(rng) * 0.05f;
        break;
      case 2:
        g.WorldAngle[from] = unit(rng) * 900.0f, g.WorldAngle[to] = unit(rng) * 900.0f;
        break;
      case 3:
        g.WorldAngle[from] = static_cast<float>(kTwoPi), g.WorldAngle[to] = std::nextafter(6.283184f, 0.0f);
        break;
      case 4:
        g.WorldAngularSpeed[from] = unit(rng) * 0.9f, g.WorldAngularSpeed[to] = unit(rng) * 0.9f;
        break;
      default:
        g.WorldAngle[from] = -unit(rng) * 20.0f;
        break;
    }
    const Pair p{from, to, static_cast<int>(rng() % 40), kSteps[rng() % 3]};
    EXPECT_TRUE(SameAnswer(g, p)) << "case " << k;
  }
}

// The searches from one world keep what depends on that world alone from one search to the next:
// a change to any value it comes from (the world's angle, speed, ring or fuel, the reference ring,
// the launch time, the step, another galaxy) gives the answer worked out afresh.
TEST(TravelTimeEquivalence, SearchesFromAnOriginWhoseValuesChangedAgreeBitForBit) {
  std::mt19937 rng(8);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  int changed = 0;
  for (int k = 0; k < (LongTests() ? 4000 : 400); ++k) {
    GameState g;
    LayRings(g, rng(), 4);
    Pair p = RandomPair(rng);
    if (p.from == p.to) continue;
    float before = 0, angle = 0;
    PDistCalc(g, p.from, p.to, before, angle, p.step, p.ahead);
    EXPECT_TRUE(SameAnswer(g, p)) << "case " << k;
    GameState other = g;
    GameState& h = k % 9 == 8 ? other : g;
    switch (k % 9) {
      case 0:
        h.WorldAngle[p.from] = unit(rng) * 6.0f;
        break;
      case 1:
        h.WorldAngularSpeed[p.from] = unit(rng) * 0.02f;
        break;
      case 2:
        h.WorldRadius[p.from] = static_cast<float>(10 + rng() % 300);
        break;
      case 3:
        h.WorldType[p.from] = h.WorldType[p.from] == kTypeFuel ? 0 : kTypeFuel;
        break;
      case 4:
        h.WorldRadius[kHomeWorld0] = static_cast<float>(60 + rng() % 100);
        break;
      case 5:
        p.ahead += 1 + static_cast<int>(rng() % 50);
        break;
      case 6:
        p.step = p.step == kQuickStep ? kLaunchStep : kQuickStep;
        break;
      case 7:
        p.step = 0.07f + unit(rng) * 0.1f;
        break;
      default:
        h.WorldAngle[p.from] = std::nextafter(h.WorldAngle[p.from], 10.0f);
        break;
    }
    float after = 0;
    PDistCalc(h, p.from, p.to, after, angle, p.step, p.ahead);
    changed += after != before;
    EXPECT_TRUE(SameAnswer(h, p)) << "case " << k;
  }
  EXPECT_GE(changed, LongTests() ? 2000 : 200);
}

// The bounded search answers exactly when the trip is shorter than the bound, and says no otherwise.
TEST(TravelTimeEquivalence, BoundedSearchAnswersOnlyBelowItsBound) {
  std::mt19937 rng(31);
  for (int k = 0; k < 400; ++k) {
    GameState g;
    LayRings(g, rng(), 4);
    const Pair p = RandomPair(rng);
    float years = 0, angle = 0;
    PDistCalc(g, p.from, p.to, years, angle, p.step, p.ahead);
    const float bounds[] = {years,
                            std::nextafter(years, 0.0f),
                            std::nextafter(years, 1e5f),
                            static_cast<float>((rng() % 800) / 1000.0),
                            1000.0f,
                            0.0f};
    for (float bound : bounds) {
      float y = -1, a = -1;
      const bool found = PDistCalcBelow(g, p.from, p.to, y, a, p.step, p.ahead, bound);
      EXPECT_EQ(found, years < bound) << k << " bound " << bound;
      if (found)
        EXPECT_TRUE(std::bit_cast<uint32_t>(y) == std::bit_cast<uint32_t>(years) &&
                    std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(angle))
            << k;
      else
        EXPECT_TRUE(y == kUnreachableYears && a == 0.0f) << k;
    }
  }
}

}  // namespace
}  // namespace zarnath
