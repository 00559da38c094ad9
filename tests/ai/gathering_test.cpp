#include "ai/ai_fixture.h"

namespace zarnath::testing {
namespace {

int ShieldsOn(const Game& g) {
  int on = 0;
  for (int w = 0; w < g.WorldCount; ++w) on += g.WorldOwner[w] == 1 && g.WorldShieldOn[w] == 1;
  return on;
}

// With a rival, only the W / 6 + 1 most exposed of W own worlds are looked at: no more ships than the
// turn number switch the shield off, more switch it on when a roll of 100 beats 80 (50 when shields
// travel). Without a rival shields are left alone, unless they travel with the ships.
TEST(Shields, TheMostExposedWorldsSwitchByShipsAndARoll) {
  for (int worlds : {9, 14}) {  // 5 own worlds: one looked at; 12: three
    AiState s(worlds, 1);
    s.Seat(1, 2);
    s.OwnAllBut(worlds == 9 ? std::vector<int>{0, 5, 6, 7} : std::vector<int>{0, 13});
    for (int w = 0; w < worlds; ++w) s.game.WorldShield[w] = 100, s.game.WorldShieldOn[w] = 1;
    ComputerTurn(s.game);
    EXPECT_EQ(ShieldsOn(s.game), worlds == 9 ? 4 : 9);
  }
  for (int seed = 1; seed <= 24; ++seed) {
    AiState s(9, 1);
    s.Seat(1, 2);
    s.game.setup.chkShield = seed > 12 ? 1 : 0;  // ships travel with shields
    s.game.WorldShips[kHome] = 21, s.game.random.Seed(seed);
    RandomSource draw = s.game.random;
    const int roll = static_cast<int>(draw.Next() * 100.0);
    ComputerTurn(s.game);
    EXPECT_EQ(ShieldsOn(s.game), roll > (seed > 12 ? 50 : 80)) << seed;
    s.game.GameYear = 2.0f, s.game.WorldShips[kHome] = 20,
    s.game.WorldShieldOn[kHome] = 1;  // turn 20: too few
    ComputerTurn(s.game);
    EXPECT_EQ(ShieldsOn(s.game), 0) << seed;
  }
  AiState alone(9, 1);  // no rival
  for (int travelling : {0, 1}) {
    alone.game.WorldShieldOn[kHome] = 1, alone.game.setup.chkShield = travelling;
    ComputerTurn(alone.game);
    EXPECT_EQ(ShieldsOn(alone.game), 1 - travelling);
  }
}

template <typename Row>
std::vector<int> Column(const std::vector<Row>& rows, float Row::*field) {
  std::vector<int> out;
  for (const Row& r : rows) out.push_back(static_cast<int>(r.*field));
  return out;
}

// Adjacent exchanges, pass after pass (a rich row does not jump a neighbour's neighbour). Candidates:
// nearest first, then the richer source within a tenth of a year. Exposure: most exposed first, then
// within a tenth the more valuable (code / 2 + class), then the more productive.
TEST(TurnTables, OrderedByAdjacentExchanges) {
  AiState s(9, 1);
  Game& g = s.g();
  for (int w : {1, 2, 3}) g.WorldProduction[w] = w, g.WorldClass[w] = 1;
  std::vector<CandidateRow> rows{{1, 0, 0.30f}, {2, 0, 0.35f}, {3, 0, 0.42f}};
  s.ports.Clear();
  OrderCandidates(g, rows);
  EXPECT_EQ(Column(rows, &CandidateRow::source), (std::vector<int>{2, 1, 3}));
  EXPECT_EQ(s.ports.Count("Yield"), 3);  // one pass of the first ordering, two of the second
  rows = {{1, 0, 0.5f}, {2, 4, 0.2f}, {3, 5, 0.2f}};
  OrderCandidates(g, rows);
  EXPECT_EQ(Column(rows, &CandidateRow::source), (std::vector<int>{3, 2, 1}));  // equal times: the richer
  g.WorldClass[2] = g.WorldClass[3] = 5;
  std::vector<ExposureRow> exposure{{3, 10.15f}, {2, 10.05f}, {1, 10.0f}};  // 3 lies beyond the tenth
  OrderExposure(g, exposure);
  EXPECT_EQ(Column(exposure, &ExposureRow::world), (std::vector<int>{2, 1, 3}));
  g.WorldClass[4] = g.WorldClass[5] = 2, g.WorldProduction[4] = 3, g.WorldProduction[5] = 9;
  g.WorldType[6] = 4;  // a hangar's code counts half: 4 / 2 + 1 = 3
  exposure = {{4, 5.0f}, {5, 5.05f}, {6, 5.08f}};
  OrderExposure(g, exposure);
  EXPECT_EQ(Column(exposure, &ExposureRow::world), (std::vector<int>{6, 5, 4}));
}

}  // namespace
}  // namespace zarnath::testing
