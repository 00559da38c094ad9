#include "ai/ai_fixture.h"
#include "model/data_set.h"

namespace zarnath::testing {
namespace {

using Row = std::pair<float, float>;  // a world (-1: none) and the years to it (1000: none)
std::vector<Row> List(const GameState& g) {
  std::vector<Row> rows;
  for (int k = 0; k < kNearestRows; ++k) rows.push_back({g.NearestList[k][0], g.NearestList[k][1]});
  return rows;
}
// The rows nearest first (ties in the order given), cut or padded to six.
std::vector<Row> Padded(std::vector<Row> rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.second < b.second; });
  rows.resize(kNearestRows, {-1, 1000});
  return rows;
}
const auto At = [](int world, int ticks) { return Row(world, static_cast<float>(ticks / 520.0)); };

TEST(NearestFrom, ListsTheSixNearestForeignWorldsNearestFirst) {
  AiState s(12);
  s.game.WorldOwner[3] = 1;  // own worlds are never listed, another player's are
  s.game.WorldOwner[5] = 2;
  NearestFrom(s.game, kHome, 1);
  std::vector<Row> expected;
  for (int i = 0; i < 12; ++i)
    if (i != kHome && i != 3) expected.push_back({i, s.Years(kHome, i)});
  EXPECT_EQ(List(s.game), Padded(expected));
  EXPECT_EQ(s.game.NearestList[6], (std::array<float, 3>{0, 0, 0}));  // the spare row stays untouched
}

TEST(NearestFrom, TiesKeepWorldOrderAndMissingRowsArePadded) {
  AiState s(13);
  s.OwnAllBut({7, 12});
  s.game.WorldAngle[12] = s.game.WorldAngle[7] = 2.0f;  // one ring, one angle: one place
  NearestFrom(s.game, kHome, 1);
  EXPECT_EQ(List(s.game), Padded({{7, s.Years(kHome, 7)}, {12, s.Years(kHome, 7)}}));
  ASSERT_TRUE(s.Place(kHome, 12, 150));  // a nearer later world goes first
  ASSERT_TRUE(s.Place(kHome, 7, 151));
  NearestFrom(s.game, kHome, 1);
  EXPECT_EQ(List(s.game), Padded({At(12, 150), At(7, 151)}));
  s.game.WorldOwner[12] = 2;  // the searched world is never listed, even someone else's
  NearestFrom(s.game, 12, 2);
  EXPECT_EQ(List(s.game)[0].first, 7);
  s.OwnAllBut({});
  NearestFrom(s.game, kHome, 1);
  EXPECT_EQ(List(s.game), Padded({}));
}

TEST(NearestFrom, TruceHidesOtherPlayersWorldsUntilItsLastTurn) {
  AiState s(9);
  s.OwnAllBut({1, 6});
  s.game.WorldOwner[1] = 2;
  ASSERT_TRUE(s.Place(kHome, 1, 150));
  ASSERT_TRUE(s.Place(kHome, 6, 200));
  s.game.TruceUntilTurn = 10;
  s.game.GameYear = 1.45f;  // turn 9: the truce still lasts
  NearestFrom(s.game, kHome, 1);
  EXPECT_EQ(List(s.game), Padded({At(6, 200)}));
  s.game.WorldShips[3] = 5;  // the searching player's own worlds still gather
  NearestTo(s.game, kHome, 1);
  EXPECT_EQ(List(s.game)[0].first, 3);
  s.game.GameYear = 1.5f;  // turn 10: the truce is over
  NearestFrom(s.game, kHome, 1);
  EXPECT_EQ(List(s.game), Padded({At(1, 150), At(6, 200)}));
}

// Own fleets and bombs take their targets off the list, scouts and others' fleets do not; trips are
// priced for a launch ticks ahead. The sources are own worlds with ships or bombs.
TEST(NearestFrom, FleetsBombsScoutsAndSources) {
  AiState s(9);
  s.OwnAllBut({1, 2, 4, 6});
  s.Flying(0, 3, 1, 0), s.Flying(0, 3, 2, 12), s.Flying(0, 3, 4, 9999), s.Flying(1, 5, 6, 40);
  PNearestFrom(s.game, kHome, 1, 26);
  EXPECT_EQ(List(s.game), Padded({{1, s.Years(kHome, 1, 26)}, {6, s.Years(kHome, 6, 26)}}));
  EXPECT_NE(s.Years(kHome, 1, 26), s.Years(kHome, 1, 0));
  s.OwnAllBut({});
  s.game.WorldShips[2] = 4, s.game.WorldBombs[5] = 1;  // the others and the home world hold nothing
  s.Own(7, 1, 50);                                     // another player's: skipped
  NearestTo(s.game, 0, 1);
  EXPECT_EQ(List(s.game), Padded({{2, s.Years(2, 0)}, {5, s.Years(5, 0)}}));
}

// The searches' solver answers as DistCalc and PDistCalc, also from double-speed fuel worlds,
// after worlds moved or turned faster between calls, and for angles far beyond its tables.
TEST(QuickSolver, AnswersAsTheSolver) {
  TestGame t;
  Game& g = t.g();
  for (int worlds : {30, 14}) {
    g.random.Seed(worlds), g.WorldCount = worlds, g.setup.txtPL = {"A", "B", "", ""}, g.setup.txtOp[1] = "6";
    DataSet(g), GenerateWorlds(g), PlaceSeats(g);
    g.WorldType[4] = g.WorldType[9] = kTypeFuel;
    QuickSolver solver;
    for (int round = 0; round < 3; ++round) {
      for (int ahead : {0, 3})
        for (int a = 0; a < worlds; ++a)
          for (int b = 0; b < worlds; b += 2) {
            float y1 = 0, a1 = 0, y2 = 0, a2 = 0;
            PDistCalc(g, a, b, y1, a1, kQuickStep, ahead);
            solver.Price(g, a, b, ahead, y2, a2);
            ASSERT_EQ(std::make_pair(y1, a1), std::make_pair(y2, a2)) << a << "->" << b << " " << round;
          }
      for (int w = 0; w < worlds; ++w) g.WorldAngle[w] = g.WorldAngle[w] + (w == 6 ? 0 : 0.31);
      g.WorldType[4] = 0, g.WorldAngularSpeed[6] *= 1.5f, g.WorldAngle[2] = round ? -900.0f : g.WorldAngle[2];
    }
  }
}

}  // namespace
}  // namespace zarnath::testing
