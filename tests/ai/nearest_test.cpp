#include "ai/nearest.h"

#include <gtest/gtest.h>

#include "ai/ai_fixture.h"
#include "ai/quick_solver.h"
#include "model/data_set.h"
#include "model/galaxy.h"

namespace zarnath {
namespace {

using testing::AiState;

struct Row {
  int world;
  float years;
  bool operator==(const Row&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Row& r) {
  return os << "(" << r.world << ", " << r.years << ")";
}

std::vector<Row> List(const GameState& g) {
  std::vector<Row> rows;
  for (int k = 0; k < kNearestRows; ++k)
    rows.push_back({static_cast<int>(g.NearestList[k][0]), g.NearestList[k][1]});
  return rows;
}

constexpr Row kEmpty{-1, 1000.0f};

TEST(NearestFrom, ListsTheSixNearestForeignWorldsNearestFirst) {
  AiState s(12);
  Game& g = s.g();
  g.WorldOwner[3] = 1;  // own worlds are never listed
  g.WorldOwner[5] = 2;  // another player's world is
  NearestFrom(g, kHomeWorld0, 1);

  // Worked out pair by pair with the solver itself.
  std::vector<Row> expected;
  for (int i = 0; i < g.WorldCount; ++i)
    if (i != kHomeWorld0 && i != 3) expected.push_back({i, s.Years(kHomeWorld0, i)});
  std::stable_sort(expected.begin(), expected.end(),
                   [](const Row& a, const Row& b) { return a.years < b.years; });
  expected.resize(kNearestRows);
  EXPECT_EQ(List(g), expected);
  EXPECT_EQ(g.NearestList[6], (std::array<float, 3>{0, 0, 0}));  // the spare row stays untouched
}

TEST(NearestFrom, EqualTimesKeepAscendingWorldOrder) {
  AiState s(13);
  Game& g = s.g();
  s.OwnAllBut({7, 12});
  // Worlds 7 and 12 share the outer ring: at one angle they are one place.
  g.WorldAngle[12] = g.WorldAngle[7] = 2.0f;
  NearestFrom(g, kHomeWorld0, 1);
  const float y = s.Years(kHomeWorld0, 7);
  EXPECT_EQ(List(g), (std::vector<Row>{{7, y}, {12, y}, kEmpty, kEmpty, kEmpty, kEmpty}));

  // A strictly nearer later world goes first.
  ASSERT_TRUE(s.PlaceAt(kHomeWorld0, 12, 150));
  ASSERT_TRUE(s.PlaceAt(kHomeWorld0, 7, 151));
  NearestFrom(g, kHomeWorld0, 1);
  EXPECT_EQ(List(g),
            (std::vector<Row>{{12, 150 / 520.0f}, {7, 151 / 520.0f}, kEmpty, kEmpty, kEmpty, kEmpty}));
}

TEST(NearestFrom, PadsMissingRowsAndSkipsTheWorldItself) {
  AiState s(9);
  Game& g = s.g();
  s.OwnAllBut({2});
  NearestFrom(g, kHomeWorld0, 1);
  EXPECT_EQ(List(g),
            (std::vector<Row>{{2, s.Years(kHomeWorld0, 2)}, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty}));

  // The searched world is not listed even when someone else owns it.
  g.WorldOwner[2] = 2;
  NearestFrom(g, 2, 2);
  for (const Row& r : List(g)) EXPECT_NE(r.world, 2);

  s.OwnAllBut({});
  NearestFrom(g, kHomeWorld0, 1);
  EXPECT_EQ(List(g), std::vector<Row>(kNearestRows, kEmpty));
}

TEST(NearestFrom, TruceHidesOtherPlayersWorldsUntilItsLastTurn) {
  AiState s(9);
  Game& g = s.g();
  s.OwnAllBut({1, 6});
  g.WorldOwner[1] = 2;
  ASSERT_TRUE(s.PlaceAt(kHomeWorld0, 1, 150));
  ASSERT_TRUE(s.PlaceAt(kHomeWorld0, 6, 200));
  g.TruceUntilTurn = 10;
  g.GameYear = 1.45f;  // turn 9: the truce still lasts
  NearestFrom(g, kHomeWorld0, 1);
  EXPECT_EQ(List(g)[0], (Row{6, 200 / 520.0f}));
  EXPECT_EQ(List(g)[1], kEmpty);
  // During the truce the searching player's own worlds still gather.
  g.WorldShips[3] = 5;
  NearestTo(g, kHomeWorld0, 1);
  EXPECT_EQ(List(g)[0].world, 3);

  g.GameYear = 1.5f;  // turn 10: the truce is over
  NearestFrom(g, kHomeWorld0, 1);
  EXPECT_EQ(List(g)[0], (Row{1, 150 / 520.0f}));
  EXPECT_EQ(List(g)[1], (Row{6, 200 / 520.0f}));
}

TEST(NearestFrom, LeavesTheSolverAnswerOfTheLastWorldPriced) {
  AiState s(12);
  Game& g = s.g();
  NearestFrom(g, kHomeWorld0, 1);
  float years = 0, angle = 0;
  DistCalc(g, kHomeWorld0, 11, years, angle, kQuickStep);
  EXPECT_EQ(g.TravelYears, years);
  EXPECT_EQ(g.TravelAngle, angle);
}

TEST(PNearestFrom, LeavesOutTargetsOfOwnFleetsAndBombsButNotOfScouts) {
  AiState s(9);
  Game& g = s.g();
  s.OwnAllBut({1, 2, 4, 6});
  s.Flying(0, 3, 1, 0.0f);     // own scout: 1 stays listed
  s.Flying(0, 3, 2, 12.0f);    // own fleet: 2 is left out
  s.Flying(0, 3, 4, 9999.0f);  // own bomb: 4 is left out
  s.Flying(1, 5, 6, 40.0f);    // another player's fleet does not matter
  PNearestFrom(g, kHomeWorld0, 1, 3);
  std::vector<int> listed;
  for (const Row& r : List(g))
    if (r.world >= 0) listed.push_back(r.world);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<int>{1, 6}));
  for (const Row& r : List(g)) {
    if (r.world >= 0) {
      EXPECT_EQ(r.years, s.Years(kHomeWorld0, r.world, 3));
    }
  }
}

TEST(PNearestFrom, MeasuresALaunchTicksAhead) {
  AiState s(9);
  Game& g = s.g();
  s.OwnAllBut({5});
  PNearestFrom(g, kHomeWorld0, 1, 26);
  float ahead = 0, angle = 0;
  PDistCalc(g, kHomeWorld0, 5, ahead, angle, kQuickStep, 26);
  EXPECT_EQ(List(g)[0], (Row{5, ahead}));
  PNearestFrom(g, kHomeWorld0, 1, 0);
  EXPECT_EQ(List(g)[0], (Row{5, s.Years(kHomeWorld0, 5)}));
}

TEST(NearestTo, ListsOwnWorldsWithShipsOrBombsMeasuredTowardsTheWorld) {
  AiState s(9);
  Game& g = s.g();
  s.OwnAllBut({});
  g.WorldShips[2] = 4;  // ships
  g.WorldBombs[5] = 1;  // no ships but a bomb
  g.WorldShips[6] = 0;  // nothing: skipped
  g.WorldOwner[7] = 2;  // another player's: skipped
  g.WorldShips[7] = 50;
  NearestTo(g, 0, 1);
  std::vector<Row> expected{{2, s.Years(2, 0)}, {5, s.Years(5, 0)}, {kHomeWorld0, 0}};
  expected.pop_back();  // the home world holds nothing either
  std::stable_sort(expected.begin(), expected.end(),
                   [](const Row& a, const Row& b) { return a.years < b.years; });
  expected.resize(kNearestRows, kEmpty);
  EXPECT_EQ(List(g), expected);
}

// The solver the searches share with the computer turn gives the answers of DistCalc and
// PDistCalc, also from double-speed fuel worlds and after worlds moved between calls.
TEST(QuickSolver, AnswersAsTheSolver) {
  testing::TestGame t;
  Game& g = t.g();
  int compared = 0;
  for (int seed : {3, 11}) {
    g.random.Seed(static_cast<uint64_t>(seed));
    g.WorldCount = static_cast<uint8_t>(seed == 3 ? 30 : 14);
    g.setup.txtPL = {"A", "B", "", ""};
    g.setup.txtOp[1] = "6";
    DataSet(g);
    GenerateWorlds(g);
    PlaceSeats(g);
    g.WorldType[4] = g.WorldType[9] = kTypeFuel;
    QuickSolver solver;
    for (int round = 0; round < 2; ++round) {
      for (int ahead : {0, 3})
        for (int a = 0; a < g.WorldCount; ++a)
          for (int b = 0; b < g.WorldCount; b += 2) {
            float y1 = 0, a1 = 0, y2 = 0, a2 = 0;
            PDistCalc(g, a, b, y1, a1, kQuickStep, ahead);
            solver.Price(g, a, b, ahead, y2, a2);
            ASSERT_EQ(y1, y2) << a << "->" << b << " ahead " << ahead;
            ASSERT_EQ(a1, a2) << a << "->" << b << " ahead " << ahead;
            ++compared;
          }
      // The worlds move on and a fuel world loses its fuel: the tables must follow.
      for (int w = 0; w < g.WorldCount; ++w) g.WorldAngle[w] = static_cast<float>(g.WorldAngle[w] + 0.31);
      g.WorldType[4] = 0;
    }
  }
  EXPECT_GT(compared, 1000);
}

// Angles far below zero give bins beyond the tables: such trips are priced by the solver itself.
TEST(QuickSolver, FarOutAnglesArePricedByTheSolver) {
  AiState s(9);
  Game& g = s.g();
  g.WorldAngle[3] = -900.0f;
  QuickSolver solver;
  for (int other : {0, 5, kHomeWorld0}) {
    float y1 = 0, a1 = 0, y2 = 0, a2 = 0;
    DistCalc(g, 3, other, y1, a1, kQuickStep);
    solver.Price(g, 3, other, 0, y2, a2);
    EXPECT_EQ(y1, y2);
    EXPECT_EQ(a1, a2);
    DistCalc(g, other, 3, y1, a1, kQuickStep);
    solver.Price(g, other, 3, 0, y2, a2);
    EXPECT_EQ(y1, y2);
    EXPECT_EQ(a1, a2);
  }
}

TEST(QuickSolver, UnreachableAndSameWorld) {
  AiState s(9);
  Game& g = s.g();
  QuickSolver solver;
  float years = 0, angle = 0;
  solver.Price(g, 3, 3, 0, years, angle);
  EXPECT_EQ(years, 0.0f);
  EXPECT_EQ(angle, -6.283184f);
  g.WorldRadius[kHomeWorld0] = 10;  // a 30-tick horizon cannot bridge two rings 160 apart
  solver.Price(g, 0, 7, 0, years, angle);
  EXPECT_EQ(years, 10000.0f);
  EXPECT_EQ(angle, 0.0f);
}

}  // namespace
}  // namespace zarnath
