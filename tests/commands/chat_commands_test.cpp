// The chat entry: Send and its lock, and the keys.
#include "commands/chat_commands.h"

#include <gtest/gtest.h>

#include "engine/engine_fixture.h"

namespace zarnath {
namespace {

std::string Rep(char c, size_t n) {
  return std::string(n, c);
}
const std::string kBreak = "\r\n\t";

// Ann hosts with two clients; or Bob plays as a client; or both play at one computer.
struct Chat : EngineGame {
  Chat() : EngineGame("AB..") {}
  void Type(const std::string& text) { game.window.txtMessage.Text = text; }
};

TEST(ChatSend, TheHostRelaysToConnectedClientsShowsItsLineAndLocksSend) {
  Chat f;
  Game& g = f.game;
  f.Host(3);
  g.PlayerName[2] = "Cy", g.PlayerName[3] = "Di";  // every client holds a seat
  f.ports.connected[2] = false;
  f.Type("hello, all");
  EXPECT_TRUE(ImgSend_Click(g));
  EXPECT_EQ(f.ports.calls,
            (std::vector<std::string>{"Send 1 [MESSAGE] 00 Ann: hello, all*", "Yield",
                                      "Send 3 [MESSAGE] 00 Ann: hello, all*", "Yield", "Refresh txtChat",
                                      "Sound message.wav", "Timer tmrChat on 2000"}));
  EXPECT_EQ(g.window.txtChat.Text, " Ann: hello, all\r\n");
  EXPECT_TRUE(g.window.txtMessage.Text.empty());
  EXPECT_FALSE(g.window.ImgSendEnabled);
  // With sound off the host's own line is silent; a speed game does not silence it.
  ChatLockEnds(g);
  std::tie(g.SpeedGame, g.SoundOff) = std::make_tuple(true, false);
  f.Type("x");
  f.ports.Clear();
  ImgSend_Click(g);
  EXPECT_TRUE(f.ports.Has("Sound message.wav"));
  ChatLockEnds(g);
  g.SoundOff = true;
  f.Type("y");
  f.ports.Clear();
  ImgSend_Click(g);
  EXPECT_FALSE(f.ports.Has("Sound message.wav"));
  EXPECT_EQ(g.window.txtChat.Text, " Ann: hello, all\r\n Ann: x\r\n Ann: y\r\n");
}

TEST(ChatSend, AClientSendsToTheHostOnlyAndAGameAtOneComputerShowsNothing) {
  const std::tuple<const char*, std::vector<std::string>> cases[] = {
      {"connected client", {"Send 0 [MESSAGE] 00 Bob: hi*", "Timer tmrChat on 2000"}},
      {"cut-off client", {"Timer tmrChat on 2000"}},
      {"one computer", {"Timer tmrChat on 2000"}},
  };
  for (const auto& [kind, calls] : cases) {
    Chat f;
    Game& g = f.game;
    const std::string k = kind;
    if (k != "one computer") f.Client(1, k == "connected client");
    if (k == "one computer") g.CurrentPlayer = 1;
    f.Type("hi");
    EXPECT_TRUE(ImgSend_Click(g));
    EXPECT_EQ(f.ports.calls, calls) << kind;
    EXPECT_TRUE(g.window.txtChat.Text.empty()) << kind;
    EXPECT_TRUE(g.window.txtMessage.Text.empty()) << kind;
    EXPECT_FALSE(g.window.ImgSendEnabled) << kind;
  }
}

TEST(ChatSend, AnEmptyBoxSendsNothingAndLocksNothing) {
  Chat f;
  f.Host(1);
  EXPECT_FALSE(ImgSend_Click(f.game));
  EXPECT_EQ(txtMessage_KeyPress(f.game, kKeyEnter), 0);
  EXPECT_TRUE(f.ports.calls.empty());
  EXPECT_TRUE(f.game.window.ImgSendEnabled);
}

TEST(ChatSend, AStarTypedOrPastedNeverReachesANetworkFrame) {
  Chat f;
  Game& g = f.game;
  f.Client(1);
  EXPECT_EQ(txtMessage_KeyPress(g, kKeyStar), 0);
  EXPECT_EQ(txtMessage_KeyPress(g, 'a'), 'a');
  g.PlayerName[1] = "B*b";
  f.Type("pasted *bold* " + Rep('x', 45) + "*");
  ImgSend_Click(g);
  EXPECT_EQ(f.ports.Sent(),
            std::vector<std::string>{"[MESSAGE] 00 Bb: pasted bold " + kBreak + Rep('x', 45) + "*"});
  // Nothing but stars: nothing is sent, the box is emptied.
  ChatLockEnds(g);
  f.ports.Clear();
  f.Type("***");
  EXPECT_TRUE(ImgSend_Click(g));
  EXPECT_TRUE(f.ports.Sent().empty());
  EXPECT_TRUE(g.window.txtMessage.Text.empty());
  // A relayed line is cleaned too.
  Chat host;
  host.Host(1);
  ChatMessageArrives(host.game, " Bob: a*b");
  EXPECT_EQ(host.ports.Sent(), std::vector<std::string>{"[MESSAGE] 00 Bob: ab*"});
}

TEST(ChatSend, EnterTwiceWithinTwoSecondsSendsOnlyTheFirstLine) {
  Chat f;
  Game& g = f.game;
  f.Client(1);
  f.Type("one");
  EXPECT_EQ(txtMessage_KeyPress(g, kKeyEnter), 0);
  f.Type("two");
  EXPECT_EQ(txtMessage_KeyPress(g, kKeyEnter), kKeyEnter);  // the box takes it; nothing is sent
  EXPECT_FALSE(ImgSend_Click(g));                           // the locked button does nothing
  EXPECT_EQ(f.ports.Sent().size(), 1u);
  EXPECT_EQ(g.window.txtMessage.Text, "two");
  f.ports.Clear();
  ASSERT_TRUE(f.ports.FireNextTimer([&](GameTimer t) { TimerTick(g, t); }));
  EXPECT_EQ(f.ports.nowMs, 2000);
  EXPECT_EQ(f.ports.calls, (std::vector<std::string>{"Focus txtMessage", "Timer tmrChat off 2000"}));
  EXPECT_TRUE(g.window.ImgSendEnabled);
  EXPECT_EQ(txtMessage_KeyPress(g, kKeyEnter), 0);
  EXPECT_EQ(f.ports.Sent(), std::vector<std::string>{"[MESSAGE] 00 Bob: two*"});
}

}  // namespace
}  // namespace zarnath
