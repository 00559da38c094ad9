#include <gtest/gtest.h>

#include "model/game.h"
#include "model/game_texts.h"

namespace zarnath {
namespace {

// A seat's label is made from its status and read back from that text; only its own name with one
// of the four endings reads as a status.
TEST(SeatStatus, TheLabelIsMadeFromTheStatusAndReadsBackToIt) {
  GameState g;
  g.PlayerName = {"Ann", "Bob", "", "Dee", ""};
  const std::pair<TurnStatus, const char*> labels[] = {
      {TurnStatus::kTakingTurn, "Bob:  Taking Turn"},
      {TurnStatus::kDoneTurn, "Bob:  Done Turn"},
      {TurnStatus::kDisconnected, "Bob:  Disconnected"},
      {TurnStatus::kEliminated, "Bob:  Eliminated"},
  };
  for (const auto& [status, label] : labels) {
    g.SeatStatus[1] = status;
    EXPECT_EQ(StatusCaption(g, 1), label);
    EXPECT_EQ(StatusOfCaption(g, 1, label), status) << label;
    EXPECT_EQ(SeatFinished(g, 1), status != TurnStatus::kTakingTurn) << label;
  }
  for (const char* other :
       {"Ann:  Done Turn", "Bob: Done Turn", "Bob:  Done Turn ", "Bob:  Asleep", "", "Bob"})
    EXPECT_FALSE(StatusOfCaption(g, 1, other)) << other;
  EXPECT_FALSE(StatusOfCaption(g, 4, "Bob:  Done Turn"));

  SetAllTakingTurn(g);
  EXPECT_EQ(g.SeatStatus, (std::array<TurnStatus, 4>{TurnStatus::kTakingTurn, TurnStatus::kTakingTurn,
                                                     TurnStatus::kNone, TurnStatus::kTakingTurn}));
  EXPECT_EQ(StatusCaption(g, 2), "");  // an empty seat shows nothing
  EXPECT_FALSE(SeatFinished(g, 2) || SeatFinished(g, -1) || SeatFinished(g, 4));
}

}  // namespace
}  // namespace zarnath
