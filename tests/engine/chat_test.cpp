// The chat's lines: the wrap, and chat lines arriving from the network.
#include "engine/chat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine_fixture.h"

namespace zarnath {
namespace {

std::string Rep(char c, size_t n) {
  return std::string(n, c);
}
const std::string kBreak = "\r\n\t";

TEST(ChatWrap, BreaksAfterTheLastBlankOrCutsHardAfterFiftyCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {Rep('x', 50), Rep('x', 50)},                                      // exactly 50: unwrapped
      {Rep('x', 51), Rep('x', 50) + kBreak + "x"},                       // no blank: cut after the 50th
      {" " + Rep('x', 59), " " + Rep('x', 49) + kBreak + Rep('x', 10)},  // a first blank is no break
      {Rep('a', 49) + " " + Rep('b', 10), Rep('a', 49) + " " + kBreak + Rep('b', 10)},  // blank at 50
      {Rep('a', 19) + " " + Rep('b', 24) + " " + Rep('c', 35),
       Rep('a', 19) + " " + Rep('b', 24) + " " + kBreak + Rep('c', 35)},  // the last blank in reach
      {Rep('x', 120), Rep('x', 50) + kBreak + Rep('x', 50) + kBreak + Rep('x', 20)},
      // A further line holds 51 characters when its 51st is a blank.
      {Rep('x', 50) + Rep('y', 50) + " " + Rep('z', 10),
       Rep('x', 50) + kBreak + Rep('y', 50) + " " + kBreak + Rep('z', 10)},
  };
  for (const auto& [text, wrapped] : cases) EXPECT_EQ(WrapChatText(text), wrapped) << text;
}

TEST(ChatWrap, LongSentencesKeepEveryCharacterInLinesOfFiftyOrFiftyOne) {
  std::string text;
  for (int i = 0; text.size() < 600; ++i) text += std::string(1 + (i * 7) % 13, 'a' + i % 26) + " ";
  const std::string wrapped = WrapChatText(text);
  std::string joined;
  size_t from = 0, lines = 0;
  for (size_t at; (at = wrapped.find(kBreak, from)) != std::string::npos; from = at + 3, ++lines) {
    EXPECT_LE(at - from, lines == 0 ? 50u : 51u);
    EXPECT_EQ(wrapped[at - 1], ' ');  // every break here comes after a blank
    joined += wrapped.substr(from, at - from);
  }
  joined += wrapped.substr(from);
  EXPECT_EQ(joined, text);
  EXPECT_GE(lines, 11u);
}

// Ann hosts with two clients; or Bob plays as a client; or both play at one computer.
struct Chat : EngineGame {
  Chat() : EngineGame("AB..") {}
};

TEST(ChatArrival, TheHostShowsAndRelaysToEveryClientAndAClientOnlyShows) {
  Chat host;
  Game& g = host.game;
  host.Host(2);
  g.PlayerName[2] = "Cy";  // both clients hold a seat
  EXPECT_EQ(ChatMessageArrives(g, " Bob: 1,5 ships"), ChatArrival::kShown);
  EXPECT_EQ(g.window.txtChat.Text, " Bob: 1.5 ships\r\n");
  EXPECT_EQ(host.ports.calls,
            (std::vector<std::string>{"Refresh txtChat", "Send 1 [MESSAGE] 00 Bob: 1.5 ships*", "Yield",
                                      "Send 2 [MESSAGE] 00 Bob: 1.5 ships*", "Yield", "Sound message.wav"}));
  // A speed game or sound off keeps it silent.
  for (auto silence : {&GameState::SpeedGame, &GameState::SoundOff}) {
    Chat f;
    f.game.*silence = true;
    ChatMessageArrives(f.game, " Ann: hi");
    EXPECT_FALSE(f.ports.Has("Sound message.wav"));
  }
  Chat client;
  client.Client(1);
  ChatMessageArrives(client.game, " Ann: hi");
  EXPECT_TRUE(client.ports.Sent().empty());
  EXPECT_EQ(client.game.window.txtChat.Text, " Ann: hi\r\n");
  // Before a game is set up the line belongs to the lobby.
  testing::TestGame lobby;
  EXPECT_EQ(ChatMessageArrives(lobby.g(), " Ann: hi"), ChatArrival::kLobby);
  EXPECT_TRUE(lobby.ports.calls.empty());
  EXPECT_TRUE(lobby.g().window.txtChat.Text.empty());
}
// A pasted message far longer than the history keeps is kept whole, first in the box, and
// goes whole once enough newer lines have come; the box never begins inside a message.
TEST(ChatArrival, AMessageLongerThanTheHistoryIsKeptOrDroppedWhole) {
  ChatHistory chat;
  chat.Renew("Connected...\r\n");
  std::string pasted;
  while (pasted.size() < 10603) pasted += "abcdefghij";
  pasted.resize(10603);
  const std::string message = " Ann: " + WrapChatText(pasted) + "\r\n";
  std::string all = chat.Text;
  for (int i = 0; i < 100; ++i) {
    const std::string line = " Bob: before " + std::to_string(i) + "\r\n";
    chat.Append(line);
    all += line;
  }
  chat.Append(message);
  all += message;
  EXPECT_EQ(chat.Text, message);  // the whole message, first
  bool gone = false;
  for (int i = 0; i < 2000; ++i) {
    const std::string line =
        " Bob: after " + std::to_string(i) + (i % 3 ? "" : WrapChatText(std::string(120, 'w'))) + "\r\n";
    chat.Append(line);
    all += line;
    ASSERT_TRUE(all.ends_with(chat.Text)) << i;
    ASSERT_TRUE(chat.Text.starts_with(message) || chat.Text.starts_with(" Bob: after ")) << i;
    ASSERT_LE(chat.Text.size(), message.size() + 2 * ChatHistory::kKept) << i;
    if (!chat.Text.starts_with(message)) gone = true;
    if (gone) {
      ASSERT_LE(chat.Text.size(), 2 * ChatHistory::kKept) << i;
    }
  }
  EXPECT_TRUE(gone);
}

// After a message longer than the history keeps, the box holds that message alone. Later short
// lines trim nothing until kKept more characters have come, the long message staying first; the
// line that passes that amount trims the box to the whole lines of its last kKept characters.
TEST(ChatArrival, AfterALongMessageShortLinesTrimOnlyOnceTheKeptAmountHasCome) {
  ChatHistory chat;
  chat.Renew("Connected...\r\n");
  for (int i = 0; i < 10; ++i) chat.Append(" Bob: before " + std::to_string(i) + "\r\n");
  const std::string message = " Ann: " + WrapChatText(Rep('m', 9000)) + "\r\n";
  chat.Append(message);
  ASSERT_EQ(chat.Text, message);
  std::string after;           // the short lines since the long message
  std::vector<size_t> starts;  // where each of them begins in `after`
  // About 4,000 / 13 lines are due before the trim; a box never trimmed fails here, not by time.
  for (int i = 0;; ++i) {
    ASSERT_LT(i, 1000) << "the long message was never trimmed";
    const std::string line = " Bob: " + std::to_string(i) + "\r\n";
    starts.push_back(after.size());
    after += line;
    chat.Append(line);
    if (after.size() <= ChatHistory::kKept) {
      ASSERT_EQ(chat.Text.size(), message.size() + after.size()) << i;
      ASSERT_TRUE(chat.Text.starts_with(message) && chat.Text.ends_with(after)) << i;
      continue;
    }
    const size_t from = after.size() - ChatHistory::kKept;
    const size_t first = *std::lower_bound(starts.begin(), starts.end(), from);
    EXPECT_EQ(chat.Text, after.substr(first)) << i;
    break;
  }
}

// Where a chat line and a chat message begin: a line that starts with a tab continues the line
// before it (a message's own breaks), so a message of many lines is passed over whole.
TEST(ChatArrival, LineAndMessageStartsPassOverAMessagesOwnBreaks) {
  const std::string message = " Ann: " + WrapChatText(Rep('m', 600)) + "\r\n";  // thirteen lines
  const std::string text = " Bob: hi\r\n" + message + " Cy: ok\r\n";
  const size_t ann = 10, cy = ann + message.size();
  EXPECT_EQ(ChatLineStartFrom(text, 0), 0u);
  EXPECT_EQ(ChatLineStartFrom(text, 1), ann);
  EXPECT_EQ(ChatLineStartFrom(text, ann), ann);
  EXPECT_EQ(ChatLineStartFrom(text, ann + 1), cy);
  EXPECT_EQ(ChatLineStartFrom(text, cy - 10), cy);
  EXPECT_EQ(ChatLineStartFrom(text, cy + 1), std::string::npos);
  EXPECT_EQ(ChatLineStartFrom(message, 1), std::string::npos);
  EXPECT_EQ(ChatMessageStartAt(text, 3), 0u);
  EXPECT_EQ(ChatMessageStartAt(text, ann), ann);
  EXPECT_EQ(ChatMessageStartAt(text, cy - 10), ann);
  EXPECT_EQ(ChatMessageStartAt(text, cy + 3), cy);
  EXPECT_EQ(ChatMessageStartAt(message, message.size() - 5), 0u);
}

// A long chat keeps its newest lines and a bounded history, trimmed only between whole lines
// (never inside one line's own breaks), and counts what was appended for the box that shows it.
TEST(ChatArrival, ALongChatKeepsItsNewestLinesInABoundedHistory) {
  Chat host;
  Game& g = host.game;
  host.ports.recording = false;
  const std::string wrapped = WrapChatText(std::string(120, 'w'));  // three lines of one message
  size_t appended = 0;
  for (int i = 0; i < 5000; ++i) {
    const std::string line = " Bob: " + std::to_string(i) + (i % 3 == 0 ? wrapped : "");
    ChatMessageArrives(g, line);
    appended += line.size() + 2;
    ASSERT_LE(g.window.txtChat.Text.size(), 2 * ChatHistory::kKept) << i;
  }
  const std::string& text = g.window.txtChat.Text;
  EXPECT_GE(text.size(), ChatHistory::kKept);
  EXPECT_TRUE(text.ends_with(" Bob: 4999\r\n"));
  EXPECT_TRUE(text.starts_with(" Bob: "));  // a whole message first
  EXPECT_EQ(g.window.txtChat.Appended, appended);
  // The lobby's chat is kept the same way, and a new game empties the game's box.
  testing::TestGame lobby;
  for (int i = 0; i < 5000; ++i) lobby.g().setup.txtChat.Append(" Cy: " + std::to_string(i) + "\r\n");
  EXPECT_LE(lobby.g().setup.txtChat.Text.size(), 2 * ChatHistory::kKept);
  EXPECT_TRUE(lobby.g().setup.txtChat.Text.starts_with(" Cy: "));
  const uint64_t renewals = g.window.txtChat.Renewals;
  g.window.txtChat.Renew();
  EXPECT_TRUE(g.window.txtChat.Text.empty());
  EXPECT_EQ(g.window.txtChat.Renewals, renewals + 1);
  EXPECT_EQ(g.window.txtChat.Appended, 0u);
}

}  // namespace
}  // namespace zarnath
