// The Done button in a network game and the host's end-of-turn count.
#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "model/game_texts.h"

namespace zarnath {
namespace {

// Ann hosts; Bob and Cid are clients on sockets 1 and 2.
struct Lan : EngineGame {
  Lan() : EngineGame("ABC.") {
    game.SpeedGame = true;
    Host(2);
    GameCheck(game);
    ports.Clear();
  }
  // A client's "[STATUS]" arriving at the host: its caption, then the count.
  bool StatusArrives(int seat) {
    game.SeatStatus[seat] = TurnStatus::kDoneTurn;
    return HostEndTurnIfAllDone(game);
  }
};

TEST(NetworkDone, TheTurnEndsOnTheDoneThatCompletesTheCountAndASecondPressIsRefused) {
  Lan f;
  EndSeatTurn(f.game);
  EXPECT_EQ(f.ports.Sent(), std::vector<std::string>(2, "[STATUS] 00Ann:  Done Turn*"));
  EXPECT_EQ(f.game.window.Caption, "Zarnath - Year 1.00, Turn #0:  Ann (Done Turn)");
  EXPECT_TRUE(f.Noticed("- Waiting on Bob & Cid -"));
  f.ports.Clear();
  EndSeatTurn(f.game);
  EXPECT_EQ(f.ports.calls, std::vector<std::string>{"Focus txtMessage"});
  EXPECT_FALSE(f.StatusArrives(1));
  EXPECT_TRUE(f.StatusArrives(2));
  const std::vector<std::string> sent = f.ports.Sent();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 2),
            std::vector<std::string>(2, "[ENDTURN] 00Endturn*"));
  EXPECT_EQ(sent[2].substr(0, 9), "[SEND] 00");  // then the resolution's stream
  EXPECT_EQ(f.game.GameYear, 1.05f);
}

TEST(NetworkDone, ASeatThatHasLeftCountsOnceWhateverItsSocketShowsAndCannotHoldTheTurn) {
  // {Cid's caption, he has left the game, his socket shows connected, he counts as finished}
  const std::tuple<std::string, bool, bool, bool> cases[] = {
      {"Cid:  Done Turn", false, false, true},  // he had finished, then his connection closed
      {"Cid:  Disconnected", true, false, true},
      {"Cid:  Taking Turn", true, true, true},  // he left while his socket still shows connected
      {"Cid:  Disconnected", false, true, true},
      {"Cid:  Taking Turn", false, true, false}};
  for (const auto& [caption, gone, connected, finished] : cases) {
    SCOPED_TRACE(caption + (gone ? ", left" : "") + (connected ? ", connected" : ""));
    Lan f;
    Game& g = f.game;
    g.SeatStatus[2] = *StatusOfCaption(g, 2, caption), g.PlayerGone[2] = gone;
    f.ports.connected[2] = connected;
    EndSeatTurn(g);
    EXPECT_EQ(HostFinishedSeats(g), finished ? 2 : 1);
    EXPECT_EQ(f.StatusArrives(1), finished);
    EXPECT_EQ(g.GameYear, finished ? 1.05f : 1.0f);
    EXPECT_EQ(f.ports.Count("Send 2 [ENDTURN] 00Endturn*"), finished && connected ? 1 : 0);
  }
}

}  // namespace
}  // namespace zarnath
