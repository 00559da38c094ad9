#include "ai/ai_fixture.h"
#include "model/data_set.h"
#include "model/truce.h"

#include <bit>
#include <random>

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

// The lists as the rules build them: every candidate priced in full, in world order, inserted when
// below the sixth row unless the truce refuses it; the last answer stays in TravelYears.
void PlainList(GameState& g, int world, int owner, int kind) {
  for (int k = 0; k < kNearestRows; ++k) g.NearestList[k][0] = -1, g.NearestList[k][1] = 1000;
  const bool truce = TruceTurnsLeft(g) > 0;
  for (int i = 0; i < g.WorldCount; ++i) {
    bool candidate = i != world && (kind == 2 ? g.WorldOwner[i] == owner : g.WorldOwner[i] != owner);
    if (kind == 1)
      for (int s = 0; s < kUsedFleetSlots && candidate; ++s)
        candidate = !(g.FleetFrom[s] > 0 && g.FleetOwner[s] == g.CurrentPlayer + 1 && g.FleetTo[s] == i + 1 &&
                      g.FleetShips[s] > 0);
    if (kind == 2) candidate = candidate && (g.WorldShips[i] > 0 || g.WorldBombs[i] >= 1);
    if (!candidate) continue;
    if (kind == 2)
      PDistCalc(g, i, world, g.TravelYears, g.TravelAngle, kQuickStep, 0);
    else
      PDistCalc(g, world, i, g.TravelYears, g.TravelAngle, kQuickStep, kind == 1 ? 3 : 0);
    const float y = g.TravelYears;
    if (!(y < g.NearestList[5][1]) || (truce && g.WorldOwner[i] != 0 && g.WorldOwner[i] != owner)) continue;
    int k = 0;
    while (k < kNearestRows && !(g.NearestList[k][1] > y)) ++k;
    for (int r = kNearestRows - 1; r > k; --r) g.NearestList[r] = g.NearestList[r - 1];
    g.NearestList[k][0] = static_cast<float>(i), g.NearestList[k][1] = y;
  }
}

// Galaxies of mixed owners, ships, bombs and angles, with fleets and scouts of two seats in flight;
// with `twins`, about a third of the worlds share another's ring, angle and speed.
void Mix(AiState& s, std::mt19937& rng, bool twins) {
  GameState& g = s.game;
  for (int w = 0; w < g.WorldCount; ++w) {
    g.WorldOwner[w] = static_cast<uint8_t>(rng() % 3);
    g.WorldShips[w] = static_cast<float>(rng() % 3);
    g.WorldBombs[w] = static_cast<int16_t>(rng() % 2);
    g.WorldAngle[w] = static_cast<float>((rng() % 6283) / 1000.0);
  }
  for (int w = 0; twins && w < g.WorldCount; ++w) {
    const int twin = static_cast<int>(rng() % static_cast<unsigned>(g.WorldCount));
    if (w == kHomeWorld0 || twin == kHomeWorld0 || rng() % 3) continue;
    g.WorldRadius[w] = g.WorldRadius[twin], g.WorldAngle[w] = g.WorldAngle[twin];
    g.WorldAngularSpeed[w] = g.WorldAngularSpeed[twin];
  }
  for (int f = 0; f < 6; ++f)
    s.Flying(static_cast<int>(rng() % 2), 0, static_cast<int>(rng() % g.WorldCount), f % 3 ? 10.0f : 0.0f);
}

// The searches stop pricing a world once it cannot beat the sixth row, yet leave the same list
// and the same last answer in TravelYears and TravelAngle as pricing every world in full: over
// galaxies of mixed owners, with fleets, scouts and a truce, after the worlds have turned.
TEST(NearestSearches, BoundedPricingLeavesWhatFullPricingLeaves) {
  std::mt19937 rng(17);
  int compared = 0;
  for (int round = 0; round < 60; ++round) {
    AiState s(9 + round % 22);
    GameState& g = s.game;
    Mix(s, rng, false);
    g.TruceUntilTurn = round % 4 == 0 ? 30 : 0;
    for (int world = 0; world < g.WorldCount; ++world)
      for (int kind = 0; kind < 3; ++kind) {
        GameState plain = g;
        PlainList(plain, world, 1, kind);
        if (kind == 0) NearestFrom(g, world, 1);
        if (kind == 1) PNearestFrom(g, world, 1, 3);
        if (kind == 2) NearestTo(g, world, 1);
        ASSERT_EQ(List(g), List(plain)) << round << " world " << world << " kind " << kind;
        ASSERT_TRUE(std::bit_cast<uint64_t>(std::array{g.TravelYears, g.TravelAngle}) ==
                    std::bit_cast<uint64_t>(std::array{plain.TravelYears, plain.TravelAngle}))
            << round << " world " << world << " kind " << kind << ": " << g.TravelYears << " "
            << plain.TravelYears;
        ++compared;
      }
  }
  EXPECT_GT(compared, 3000);
}

// A run of searches as a computer turn makes them: worlds a world's last search listed are priced
// first, so the next list must still come out as pricing in world order leaves it, ties of equal
// times included (worlds sharing a ring, an angle and a speed), and for every count of rows weighed
// (the rows beyond it may differ). A search's last answer left for later comes out as pricing at
// once leaves it, unless something wrote TravelYears meanwhile, and outlives a later search with
// no candidate at all.
TEST(NearestSearches, ARunOfSearchesListsAndLeavesWhatPricingInWorldOrderDoes) {
  std::mt19937 rng(29);
  int compared = 0, ties = 0, written = 0;
  for (int round = 0; round < 40; ++round) {
    AiState s(9 + round % 22);
    GameState& g = s.game;
    Mix(s, rng, true);
    g.TruceUntilTurn = round % 5 == 0 ? 30 : 0;
    const uint32_t targeted = OwnAttackTargets(g, g.CurrentPlayer + 1);
    // Each world twice over, so every search follows one from the same world.
    for (int pass = 0; pass < 2; ++pass)
      for (int world = 0; world < g.WorldCount; ++world)
        for (int kind = 0; kind < 3; ++kind) {
          const int rows = kind == 0 ? 1 + static_cast<int>(rng() % kNearestRows) : kNearestRows;
          GameState plain = g;
          PlainList(plain, world, 1, kind);
          LastAnswer later;
          if (kind == 0) NearestFrom(g, world, 1, rows, later);
          if (kind == 1) PNearestFrom(g, world, 1, 3, targeted, later);
          if (kind == 2) NearestTo(g, world, 1, later);
          const auto got = List(g), want = List(plain);
          ASSERT_TRUE(std::equal(got.begin(), got.begin() + rows, want.begin()))
              << round << " world " << world << " kind " << kind << " rows " << rows;
          for (int k = 1; k < rows; ++k) ties += want[k].second == want[k - 1].second && want[k].first >= 0;
          const bool write = rng() % 4 == 0;
          if (write) g.TravelYears = 0.25f, g.TravelAngle = -1.5f, ++written;  // as an order's launch would
          SettleLastAnswer(g, later);
          const auto travel = [](const GameState& x) { return std::array{x.TravelYears, x.TravelAngle}; };
          ASSERT_EQ(std::bit_cast<uint64_t>(travel(g)),
                    std::bit_cast<uint64_t>(write ? std::array{0.25f, -1.5f} : travel(plain)))
              << round << " world " << world << " kind " << kind;
          ++compared;
        }
  }
  EXPECT_GT(compared, 4000);
  EXPECT_GT(ties, 50);
  EXPECT_GT(written, 500);

  // A search with no candidate leaves the answer still waiting as it was.
  AiState s(12);
  LastAnswer later;
  NearestFrom(s.game, kHome, 1, 1, later);
  GameState plain = s.game;
  PlainList(plain, kHome, 1, 0);
  s.OwnAllBut({});
  NearestTo(s.game, 3, 2, later);  // seat 1 owns nothing
  SettleLastAnswer(s.game, later);
  EXPECT_EQ(s.game.TravelYears, plain.TravelYears);
  EXPECT_EQ(s.game.TravelAngle, plain.TravelAngle);
}

// Trips priced from one origin answer as PDistCalc and PDistCalcBelow, also from double-speed
// fuel worlds, after worlds moved or turned faster between runs, for angles far beyond the
// solver's tables, with plain searches from other origins in between, and with more runs open at
// once than the solver keeps origins for.
TEST(TripsFrom, AnswersAsTheSolver) {
  TestGame t;
  Game& g = t.g();
  int compared = 0;
  for (int worlds : {30, 14}) {
    g.random.Seed(worlds), g.WorldCount = worlds, g.setup.txtPL = {"A", "B", "", ""}, g.setup.txtOp[1] = "6";
    DataSet(g), GenerateWorlds(g), PlaceSeats(g);
    g.WorldType[4] = g.WorldType[9] = kTypeFuel;
    for (int round = 0; round < 3; ++round) {
      for (int ahead : {0, 3})
        for (int a = 0; a < worlds; ++a) {
          const TripsFrom trips(g, a, ahead, kQuickStep), other(g, (a + 1) % worlds, ahead, kQuickStep);
          const TripsFrom third(g, a, 0, kLaunchStep), beyond(g, a, ahead, kQuickStep);  // no origin kept
          for (int b = 0; b < worlds; b += 2) {
            // Each run answers first, after the plain searches of the last round from elsewhere.
            float y1 = 0, a1 = 0, y2 = 0, a2 = 0, y3 = 0, a3 = 0, y4 = 0, a4 = 0;
            trips.InTicks(b, 3001, y2, a2);
            other.InTicks(b, 3001, y3, a3);
            beyond.InTicks(b, 3001, y4, a4);
            PDistCalc(g, a, b, y1, a1, kQuickStep, ahead);
            ASSERT_EQ(std::make_pair(y1, a1), std::make_pair(y2, a2)) << a << "->" << b << " " << round;
            ASSERT_EQ(std::make_pair(y1, a1), std::make_pair(y4, a4)) << a << "->" << b << " " << round;
            PDistCalc(g, (a + 1) % worlds, b, y1, a1, kQuickStep, ahead);
            ASSERT_EQ(std::make_pair(y1, a1), std::make_pair(y3, a3)) << a + 1 << "->" << b << " " << round;
            third.InTicks(b, 3001, y3, a3);
            PDistCalc(g, a, b, y1, a1, kLaunchStep, 0);
            ASSERT_EQ(std::make_pair(y1, a1), std::make_pair(y3, a3)) << a << "->" << b << " launch step";
            // Bounded: only a trip below the bound counts.
            PDistCalc(g, a, b, y1, a1, kQuickStep, ahead);
            const float below = b % 4 ? y1 : std::nextafter(y1, 1e9f);
            PDistCalc(g, b, a, y3, a3, kOptionsStep, 1);
            const bool found = trips.InTicks(b, TicksBelow(below), y3, a3);
            ASSERT_EQ(found, PDistCalcBelow(g, a, b, y2, a2, kQuickStep, ahead, below)) << a << "->" << b;
            ASSERT_EQ(std::make_pair(y3, a3), std::make_pair(y2, a2)) << a << "->" << b << " " << round;
            PDistCalc(g, b, a, y3, a3, kOptionsStep, 1);
            ++compared;
          }
        }
      for (int w = 0; w < worlds; ++w) g.WorldAngle[w] = g.WorldAngle[w] + (w == 6 ? 0 : 0.31);
      g.WorldType[4] = 0, g.WorldAngularSpeed[6] *= 1.5f, g.WorldAngle[2] = round ? -900.0f : g.WorldAngle[2];
    }
  }
  EXPECT_GT(compared, 2000);
}

}  // namespace
}  // namespace zarnath::testing
