#include "persist/saved_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/numbers.h"
#include "persist/exact_number.h"
#include "persist/save_load.h"
#include "persist/text_cipher.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using testing::JoinCrLf;
using testing::MakeMidGame;
using testing::ReadBytes;
using testing::SavedFieldDifferences;
using testing::ScratchFolder;
using testing::SplitCrLf;
using testing::TestGame;

std::string Plain(const std::string& line) {
  return Decrypt(line, kSavedGameKey);
}
std::string Ciphered(const std::string& text) {
  return Encrypt(text, kSavedGameKey);
}

// Line numbers (0-based) of the one-line layout.
constexpr int kFirstWorldLine = 19;
constexpr int kWorldRecordLines = 26;
constexpr int kFirstFleetLine = 799;
constexpr int kFirstBombLine = 1699;
constexpr int kFirstLogLine = 1759;
constexpr int kFirstIntelligenceLine = 1767;

TEST(ExactNumberText, SameAsTheGameNumberTextWhereThatIsExact) {
  for (float v : {0.0f, 12.0f, -1.0f, 0.5f, 1.05f, 130.0f, 12345680.0f, 0.00001f, 9999.0f, 10050.0f})
    EXPECT_EQ(ExactStr(v), Str(v)) << v;
  for (double v : {0.0, 0.1, -2.5, 1e15, 1.5e-7, 0.05}) EXPECT_EQ(ExactStr(v), Str(v)) << v;
}

TEST(ExactNumberText, ReadsBackToTheSameBits) {
  // Values whose 7 or 15 digits give another value back.
  const float singles[] = {1.0f / 3.0f, 16777215.0f,      1.0e-6f / 3.0f, 3.4028235e38f, 1.4e-45f,
                           -2.7182817f, 1.0f + 0.05f * 7, 123456792.0f,   12345678.0f,   -0.0f};
  for (float v : singles) {
    const std::string text = ExactStr(v);
    const float back = static_cast<float>(Val(text));
    EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text;
    EXPECT_TRUE(text[0] == ' ' || text[0] == '-') << text;
  }
  EXPECT_EQ(ExactStr(1.0f / 3.0f), " .33333334");
  EXPECT_EQ(ExactStr(12345678.0f), " 1.2345678E+07");
  const double doubles[] = {1.0 / 3.0, 0.1 + 0.2, 2.0 / 520.0, -1e-300, 1.7976931348623157e308};
  for (double v : doubles) {
    const std::string text = ExactStr(v);
    const double back = Val(text);
    EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text;
  }
  EXPECT_EQ(ExactStr(0.1 + 0.2), " .30000000000000004");
}

TEST(SavedGameFormat, OneLineTextsGive2367CrLfLines) {
  ScratchFolder folder;
  TestGame t;
  MakeMidGame(t, folder.path(), /*multiLineTexts=*/false);
  const std::string text = SavedGameText(t.g());
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kSavedGameLines);
  const auto lines = SplitCrLf(text);
  ASSERT_EQ(static_cast<int>(lines.size()), kSavedGameLines);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  for (const auto& line : lines) EXPECT_EQ(line.find('\r'), std::string::npos);

  // Header: single digits without a blank, then the world count as number text.
  EXPECT_EQ(Plain(lines[0]), "1");
  EXPECT_EQ(Plain(lines[1]), "1");
  EXPECT_EQ(Plain(lines[2]), "20");
  EXPECT_EQ(Plain(lines[5]), "2");
  EXPECT_EQ(Plain(lines[6]), " 24");
  // An empty seat: an empty name and " 0".
  EXPECT_EQ(Plain(lines[13]), "");
  EXPECT_EQ(Plain(lines[14]), " 0");
  EXPECT_EQ(Plain(lines[16]), " 1");  // the player to move
  EXPECT_EQ(Plain(lines[18]), " 12");
  // World 0: its flag lines, then its four text blocks.
  EXPECT_TRUE(Plain(lines[kFirstWorldLine + 8]) == "True" || Plain(lines[kFirstWorldLine + 8]) == "False");
  for (int b = 0; b < 4; ++b) EXPECT_EQ(lines[kFirstWorldLine + 19 + 2 * b], " 255");
  // Free travel slots and bomb slots are written too; the logs close the free texts.
  EXPECT_EQ(Plain(lines[kFirstFleetLine + 9 * 99]), " 0");
  EXPECT_EQ(Plain(lines[kFirstBombLine + 3 * 19]), " 0");
  EXPECT_EQ(lines[kFirstLogLine + 7], " 255");
  EXPECT_EQ(lines[kFirstLogLine + 6], "");  // player 3's empty log
}

TEST(SavedGameFormat, MultiLineTextsAndLinesThatLookLikeTheEnd) {
  GameState g;
  g.WorldCount = 12;
  g.WorldHistory[0][0] = "one\r\ntwo\r\nthree";
  g.WorldHistory[1][0] = "255\r\nx\r\n 255";
  g.PlayerLog[1] = "log\r\n";
  const auto lines = SplitCrLf(SavedGameText(g));
  // A history of three lines takes four; "255" and " 255" are kept apart from the end line.
  EXPECT_EQ(static_cast<int>(lines.size()), kSavedGameLines + 2 + 2 + 1);
  EXPECT_EQ(
      std::vector<std::string>(lines.begin() + kFirstWorldLine + 18, lines.begin() + kFirstWorldLine + 22),
      (std::vector<std::string>{"one", "two", "three", " 255"}));
  EXPECT_EQ(
      std::vector<std::string>(lines.begin() + kFirstWorldLine + 22, lines.begin() + kFirstWorldLine + 26),
      (std::vector<std::string>{"  255", "x", "   255", " 255"}));

  GameState prior;
  SavedGameRead read = ReadSavedGame(prior, JoinCrLf(lines));
  ASSERT_TRUE(read.state) << read.refusal.Message();
  EXPECT_EQ(read.state->WorldHistory[0][0], "one\r\ntwo\r\nthree");
  EXPECT_EQ(read.state->WorldHistory[1][0], "255\r\nx\r\n 255");
  EXPECT_EQ(read.state->PlayerLog[1], "log\r\n");
  EXPECT_EQ(read.state->PlayerLog[0], "");
}

TEST(SavedGameRoundTrip, MidGameLoadsIntoAFreshGameFieldByField) {
  for (bool multiLine : {false, true}) {
    SCOPED_TRACE(multiLine ? "multi-line texts" : "one-line texts");
    ScratchFolder folder;
    TestGame saved;
    MakeMidGame(saved, folder.path(), multiLine);
    const std::string path = folder.File("game.zq");
    ASSERT_TRUE(SaveGame(saved.g(), path));

    TestGame fresh;
    fresh.g().programFolder = folder.path();
    ASSERT_EQ(LoadSavedGame(fresh.g(), path), LoadOutcome::kLoaded);
    const auto diffs = SavedFieldDifferences(saved.g(), fresh.g());
    EXPECT_TRUE(diffs.empty()) << diffs.size() << " differences, first: " << diffs.front();
    // Saving the loaded game gives the same file again.
    EXPECT_EQ(SavedGameText(fresh.g()), ReadBytes(path));
  }
}

TEST(SavedGameLoader, TakesOverOptionsSeatsAndRestartsPlay) {
  ScratchFolder folder;
  TestGame saved;
  MakeMidGame(saved, folder.path(), true);
  saved.g().GameYear = 1.55f;
  const std::string path = folder.File("game.zq");
  ASSERT_TRUE(SaveGame(saved.g(), path));

  TestGame t;
  Game& g = t.g();
  g.setup.chkAI[1] = 1;  // seat 1 was a computer in the last setup; in the file it is a human
  g.setup.txtPL[1] = "Titan";
  g.setup.txtPlanets = "9";
  g.TurnDone = g.InputBusy = g.GameOver = g.HideFleets = true;
  g.SelectedFrom = 4;
  g.menus.mnuOptionsTruce.Caption = "No Battle Truce";
  ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);

  EXPECT_EQ(g.setup.chkAI, (std::array<int, kSeats>{0, 0, 1, 0}));
  EXPECT_EQ(g.setup.txtAI[2], "4");
  EXPECT_EQ(g.setup.txtPL[2], "Atlas");
  EXPECT_EQ(g.setup.txtPL[1], "");
  EXPECT_EQ(g.setup.txtPlanets, "11");  // a computer in seat 2 needs at least 11 worlds
  EXPECT_EQ(g.setup.txtOp, (std::array<std::string, 3>{"20", "5", "4"}));
  EXPECT_EQ(g.setup.OptRadar, (std::array<bool, 3>{false, false, true}));
  EXPECT_TRUE(g.menus.mnuOptionsShield.Checked);
  EXPECT_EQ(g.menus.mnuOptionsBattle.Caption, "Defensive Battle Mode");
  EXPECT_EQ(g.menus.mnuOptionsProd.Caption, "Maximum World Production = 20");
  EXPECT_EQ(g.menus.mnuOptionsTreas.Caption, "World Treasures = 5");
  EXPECT_EQ(g.menus.mnuOptionsGath.Caption, "Maximum Gather/Scout Turns = 4");
  EXPECT_EQ(g.menus.mnuOptionsRadar.Caption, "Home World Radar Unlimited");
  EXPECT_EQ(g.menus.mnuOptionsTruce.Caption, "Battle Truce Until Turn #12");
  EXPECT_TRUE(g.menus.mnuOptionsTruce.Checked);

  EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.55, Turn #11:  J\xF6rg");
  EXPECT_FALSE(g.TurnDone || g.InputBusy || g.GameOver || g.HideFleets);
  EXPECT_TRUE(g.GameLoaded);
  EXPECT_EQ(g.SelectedFrom, -1);
  EXPECT_EQ(g.PlayerColor, kPlayerColors);
  EXPECT_FLOAT_EQ(g.GalaxyCenterX, 509.0f);
  // The move log shows the last 2000 characters of the seat's log, ending in one line break.
  const std::string& log = g.PlayerLog[1];
  ASSERT_GT(log.size(), 2000u);
  EXPECT_EQ(g.window.txtMove.Text, log.substr(log.size() - 2000));
  EXPECT_TRUE(g.window.txtMove.Visible);
  // The next-player step runs once, then the human seat's lists are refreshed.
  const auto& calls = t.ports.calls;
  auto check = std::find(calls.begin(), calls.end(), "GameCheck");
  ASSERT_NE(check, calls.end());
  EXPECT_EQ(t.ports.Count("GameCheck"), 1);
  EXPECT_NE(std::find(check, calls.end(), "Console"), calls.end());
  EXPECT_FALSE(t.ports.Has("GalaxySync"));
}

TEST(SavedGameLoader, NetworkHostSendsTheGameAndSetsEverySeatTakingItsTurn) {
  ScratchFolder folder;
  TestGame saved;
  MakeMidGame(saved, folder.path(), false);
  const std::string path = folder.File("net.zq");
  ASSERT_TRUE(SaveGame(saved.g(), path));

  TestGame t;
  t.g().NetworkGame = true;
  t.g().setup.OptServerClient0 = true;
  ASSERT_EQ(LoadSavedGame(t.g(), path), LoadOutcome::kLoaded);
  EXPECT_EQ(t.g().CurrentPlayer, 0);
  EXPECT_TRUE(t.ports.Has("GalaxySync"));
  EXPECT_EQ(t.g().window.lblStatus[1], "J\xF6rg:  Taking Turn");
  EXPECT_EQ(t.g().window.lblStatus[3], "");
  EXPECT_NE(t.g().window.Caption.find(", Turn #37:  Ulla"), std::string::npos) << t.g().window.Caption;
}

// The one-line file of a mid-game, cut into its lines.
std::vector<std::string> MidGameLines(const std::string& folder) {
  TestGame t;
  MakeMidGame(t, folder, false);
  return SplitCrLf(SavedGameText(t.g()));
}

TEST(SavedGameOlderLayouts, TwoLineHeaderKeepsTheOptions) {
  ScratchFolder folder;
  auto lines = MidGameLines(folder.path());
  // Line 2 holds the world count; lines 3 to 7 are not there.
  std::vector<std::string> old = {lines[0], Ciphered(" 24")};
  old.insert(old.end(), lines.begin() + 7, lines.end());

  GameState prior;
  prior.setup.chkMode = 0;
  prior.setup.txtOp = {"15", "7", "3"};
  prior.menus.mnuOptionsBattle.Caption = "Offensive Battle Mode";
  SavedGameRead read = ReadSavedGame(prior, JoinCrLf(old));
  ASSERT_TRUE(read.state) << read.refusal.Message();
  EXPECT_TRUE(read.olderHeader);
  EXPECT_EQ(read.state->WorldCount, 24);
  EXPECT_EQ(read.state->PlayerName[0], "Ulla");  // line 3 is the first player's name
  EXPECT_EQ(read.state->setup.chkShield, 1);
  EXPECT_EQ(read.state->setup.chkMode, 0);
  EXPECT_EQ(read.state->setup.txtOp, prior.setup.txtOp);
  EXPECT_EQ(read.state->menus.mnuOptionsBattle.Caption, "Offensive Battle Mode");
}

TEST(SavedGameOlderLayouts, ThirteenLineWorldRecordsKeepMarksAndExclusions) {
  ScratchFolder folder;
  TestGame t;
  MakeMidGame(t, folder.path(), false);
  auto lines = SplitCrLf(SavedGameText(t.g()));
  // Worlds 0 and 5 in the older record: no gather line and no mark lines.
  for (int w : {5, 0}) {
    auto at = lines.begin() + kFirstWorldLine + w * kWorldRecordLines + 8;
    lines.erase(at, at + 5);
  }
  GameState prior;
  prior.WorldNoGather[0] = prior.WorldNoGather[5] = true;
  prior.WorldMarked[2][5] = true;
  prior.WorldNoGather[1] = !t.g().WorldNoGather[1];
  SavedGameRead read = ReadSavedGame(prior, JoinCrLf(lines));
  ASSERT_TRUE(read.state) << read.refusal.Message();
  EXPECT_EQ(read.olderWorldRecords, 2);
  const GameState& s = *read.state;
  EXPECT_TRUE(s.WorldNoGather[0] && s.WorldNoGather[5] && s.WorldMarked[2][5]);
  EXPECT_EQ(s.WorldNoGather[1], t.g().WorldNoGather[1]);
  for (int w : {0, 5}) {
    EXPECT_EQ(s.WorldKnownStat[w], t.g().WorldKnownStat[w]);
    EXPECT_EQ(s.WorldOwner[w], t.g().WorldOwner[w]);
    EXPECT_EQ(s.WorldHistory[3][w], t.g().WorldHistory[3][w]);
  }
  EXPECT_EQ(s.ScoutInfo[3][4][29], t.g().ScoutInfo[3][4][29]);
}

TEST(SavedGameOlderLayouts, FileEndingAfterTheLogsKeepsTheIntelligence) {
  ScratchFolder folder;
  auto lines = MidGameLines(folder.path());
  lines.resize(kFirstIntelligenceLine);
  GameState prior;
  prior.ScoutInfo[1][2][3] = 77;
  SavedGameRead read = ReadSavedGame(prior, JoinCrLf(lines));
  ASSERT_TRUE(read.state) << read.refusal.Message();
  EXPECT_FALSE(read.intelligenceRead);
  EXPECT_EQ(read.state->ScoutInfo[1][2][3], 77);
}

TEST(SavedGameOlderLayouts, ComputerSeatsByTheFirstFiveCharacters) {
  ScratchFolder folder;
  auto lines = MidGameLines(folder.path());
  lines[7] = Ciphered("Atlas II");  // seat 0
  lines[9] = Ciphered("Atla");      // seat 1: too short to match
  GameState prior;
  SavedGameRead read = ReadSavedGame(prior, JoinCrLf(lines));
  ASSERT_TRUE(read.state);
  EXPECT_EQ(read.state->setup.chkAI[0], 1);
  EXPECT_EQ(read.state->setup.txtAI[0], "4");
  EXPECT_EQ(read.state->setup.txtPL[0], "Atlas");
  EXPECT_EQ(read.state->PlayerName[0], "Atlas II");
  EXPECT_EQ(read.state->setup.chkAI[1], 0);
}

}  // namespace
}  // namespace zarnath
