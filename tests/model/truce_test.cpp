#include "model/truce.h"

#include <gtest/gtest.h>

#include "fixtures/test_game.h"

namespace zarnath {
namespace {

// Turn T of the game: the year that Int((year - 1) x 20 + 0.001) reads as T.
void AtTurn(GameState& g, int turn) {
  g.GameYear = 1.0f + static_cast<float>(turn) * 0.05f;
}

// The truce until turn 12 counts down to its end in turn 12; a game without one has none.
TEST(Truce, RunsUntilItsTurnAndEndsInIt) {
  // Truce turn, turn number, turns left, ends in this turn.
  const std::tuple<int, int, int, bool> cases[] = {
      {12, 0, 12, false}, {12, 7, 5, false}, {12, 11, 1, false}, {12, 12, 0, true},
      {12, 13, 0, false}, {0, 0, 0, false},  {0, 5, 0, false},   {-3, 0, 0, false},
  };
  for (const auto& [until, turn, left, ends] : cases) {
    GameState g;
    g.TruceUntilTurn = static_cast<int16_t>(until);
    AtTurn(g, turn);
    EXPECT_EQ(TruceTurnsLeft(g), left) << until << " at " << turn;
    EXPECT_EQ(TruceEndsThisTurn(g), ends) << until << " at " << turn;
  }
}

// Only another player's world in play is protected, and only while the truce runs.
TEST(Truce, ProtectsOnlyAnotherPlayersWorld) {
  GameState g;
  g.WorldCount = 10, g.TruceUntilTurn = 10;
  g.WorldOwner[1] = 1, g.WorldOwner[2] = 2, g.WorldOwner[3] = 0, g.WorldOwner[12] = 2;
  AtTurn(g, 9);
  // Seat, world, protected.
  const std::tuple<int, int, bool> cases[] = {
      {0, 2, true},   {1, 1, true},  {0, 1, false},
      {1, 2, false},  {0, 3, false}, {0, 12, false},  // not in play
      {-1, 2, false}, {4, 2, false},                  // not a seat
  };
  for (const auto& [seat, w, shielded] : cases)
    EXPECT_EQ(TruceProtects(g, seat, w), shielded) << seat << " " << w;
  AtTurn(g, 10);
  EXPECT_FALSE(TruceProtects(g, 0, 2));
}

}  // namespace
}  // namespace zarnath
