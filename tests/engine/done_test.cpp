// The Done button in a network game and the host's end-of-turn count.
#include <gtest/gtest.h>

#include "engine_fixture.h"

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
    game.window.lblStatus[seat] = game.PlayerName[seat] + ":  Done Turn";
    return HostEndTurnIfAllDone(game);
  }
};

TEST(NetworkDone, TheTurnEndsOnTheDoneThatCompletesTheCountAndASecondPressIsRefused) {
  Lan f;
  ImgDone_Click(f.game);
  EXPECT_EQ(f.ports.Sent(), std::vector<std::string>(2, "[STATUS] 00Ann:  Done Turn*"));
  EXPECT_EQ(f.game.window.Caption, "Zarnath - Year 1.00, Turn #0:  Ann (Done Turn)");
  EXPECT_TRUE(f.Noticed("- Waiting on Bob & Cid -"));
  f.ports.Clear();
  ImgDone_Click(f.game);
  EXPECT_EQ(f.ports.calls, std::vector<std::string>{"Focus txtMessage"});
  EXPECT_TRUE(!f.StatusArrives(1) && f.StatusArrives(2));
  const std::vector<std::string> sent = f.ports.Sent();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 2),
            std::vector<std::string>(2, "[ENDTURN] 00Endturn*"));
  EXPECT_EQ(sent[2].substr(0, 9), "[SEND] 00");  // then the resolution's stream
  EXPECT_EQ(f.game.GameYear, 1.05f);
}

TEST(NetworkDone, AGoneOrDisconnectedSeatCountsOnceAndCannotHoldTheTurn) {
  for (bool gone : {false, true}) {  // Cid had finished, then his connection closed; or he left
    Lan f;
    Game& g = f.game;
    std::tie(g.window.lblStatus[2], g.PlayerGone[2]) =
        std::make_tuple(gone ? "Cid:  Disconnected" : "Cid:  Done Turn", gone);
    f.ports.connected[2] = false;
    ImgDone_Click(g);
    EXPECT_EQ(HostFinishedSeats(g), 2) << gone;
    EXPECT_TRUE(f.StatusArrives(1));
    EXPECT_EQ(g.GameYear, 1.05f);
    EXPECT_EQ(f.ports.Count("Send 2 [ENDTURN] 00Endturn*"), 0);
  }
}

}  // namespace
}  // namespace zarnath
