#include "persist/saved_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "commands/menu_commands.h"
#include "engine/save_load.h"
#include "engine/turn.h"
#include "model/exact_number.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/setup_rules.h"
#include "persist/text_cipher.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using namespace testing;

TEST(ExactNumberText, TheGamesTextWhereExactElseTheShortestThatReadsBack) {
  for (float v : {0.0f, 12.0f, -1.0f, 1.05f, 12345680.0f, 0.00001f, 10050.0f}) EXPECT_EQ(ExactStr(v), Str(v));
  for (double v : {0.1, -2.5, 1e15, 1.5e-7, 0.05}) EXPECT_EQ(ExactStr(v), Str(v));
  EXPECT_EQ(ExactStr(1.0f / 3.0f) + ExactStr(12345678.0f), " .33333334 1.2345678E+07");
  EXPECT_EQ(ExactStr(0.1 + 0.2), " .30000000000000004");
  auto same = [](auto v) {
    const auto back = static_cast<decltype(v)>(Val(ExactStr(v)));
    return std::memcmp(&back, &v, sizeof v) == 0;
  };
  for (float v : {16777215.0f, 1.0e-6f / 3.0f, 3.4028235e38f, 1.4e-45f, 1.0f + 0.05f * 7, -0.0f})
    EXPECT_TRUE(same(v)) << ExactStr(v);
  for (double v : {1.0 / 3.0, 2.0 / 520.0, -1e-300, 1.7976931348623157e308})
    EXPECT_TRUE(same(v)) << ExactStr(v);
}

// A mid-game with one-line texts: its file, and the game read back from it.
TEST(SavedGameFormat, OneLineTextsGive2367CrLfLinesThatReadBackFieldByField) {
  TestGame t;
  MakeMidGame(t, false);
  const std::string text = SavedGameText(t.g());
  const SavedGameRead read = ReadSavedGame(GameState(), text);
  ASSERT_TRUE(read.state) << read.refusal.Message();
  EXPECT_EQ(SavedFieldDifferences(t.g(), *read.state), Lines());
  EXPECT_EQ(SavedGameText(*read.state), text);
  const Lines lines = SplitCrLf(text);
  ASSERT_EQ(lines.size(), 2367u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r') + std::count(text.begin(), text.end(), '\n'),
            2 * 2367);
  // Options as single digits, the world count, an empty seat, the seat to move, the truce.
  std::string head;
  for (int i : {0, 1, 2, 3, 4, 5, 6, 13, 14, 16, 18}) head += Decrypt(lines[i], kSavedGameKey) + "|";
  EXPECT_EQ(head, "1|1|20|5|4|2| 24|| 0| 1| 12|");
  for (int b = 0; b < 4; ++b) EXPECT_EQ(lines[kFirstWorldLine + 19 + 2 * b], " 255");
  // Lines that read like the end of a text stay in it.
  GameState& g = t.g();
  g.WorldHistory[0][0] = "one\r\ntwo";
  g.WorldHistory[1][0] = "255\r\nx\r\n 255";
  const Lines more = SplitCrLf(SavedGameText(g));
  ASSERT_EQ(more.size(), 2367u + 1 + 2);
  EXPECT_EQ(Lines(more.begin() + kFirstWorldLine + 18, more.begin() + kFirstWorldLine + 25),
            (Lines{"one", "two", " 255", "  255", "x", "   255", " 255"}));
  const SavedGameRead back = ReadSavedGame(GameState(), JoinCrLf(more));
  ASSERT_TRUE(back.state) << back.refusal.Message();
  EXPECT_EQ(back.state->WorldHistory, g.WorldHistory);
  // A log trimmed just after a CR begins with a lone line feed, a history trimmed at a CR ends
  // with it: both come back as they were, and a file of LF lines still reads.
  g.PlayerLog[1] = "\nYear 1.50, Turn #10\r\n- x -";
  g.WorldHistory[2][0] = "   Year 1.05, Turn #1: a\r";
  const SavedGameRead trimmed = ReadSavedGame(GameState(), SavedGameText(g));
  ASSERT_TRUE(trimmed.state) << trimmed.refusal.Message();
  EXPECT_EQ(SavedFieldDifferences(g, *trimmed.state), Lines());
  std::string lfLines = SavedGameText(t.g());
  for (size_t at; (at = lfLines.find("\r\n")) != std::string::npos;) lfLines.erase(at, 1);
  const SavedGameRead unix = ReadSavedGame(GameState(), lfLines);
  ASSERT_TRUE(unix.state) << unix.refusal.Message();
  EXPECT_EQ(unix.state->WorldHistory[0][0], "one\r\ntwo");
}

TEST(SavedGameLoader, TakesOverOptionsSeatsAndRestartsPlay) {
  ScratchFolder folder;
  TestGame saved, t, host;
  MakeMidGame(saved, true);
  saved.g().GameYear = 1.55f;
  const std::string path = folder.File("game.zq");
  ASSERT_TRUE(SaveGame(saved.g(), path));
  Game& g = t.g();
  g.setup.chkAI[1] = 1;  // a computer in the last setup; in the file a human
  g.setup.txtPLLocked[1] = g.setup.levelVisible[1] = true;
  g.setup.txtPlanets = "9";
  g.TurnDone = g.InputBusy = g.GameOver = g.HideFleets = true;
  g.SelectedFrom = 4;
  t.ports.SetTimer(GameTimer::kAI, 10, true);  // a computer of the running game has yet to press Done
  SetTurnTimer(g, 60000, true);                // and the running turn's clock counts down
  ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
  EXPECT_FALSE(t.ports.TimerEnabled(GameTimer::kAI));
  EXPECT_FALSE(t.ports.TimerEnabled(GameTimer::kTurn));
  EXPECT_EQ(SavedFieldDifferences(saved.g(), g), Lines());  // multi-line texts
  // Seat 1 is a human again; the setup holds the game's 24 worlds.
  EXPECT_EQ(
      std::tie(g.setup.chkAI[1], g.setup.chkAI[2], g.setup.txtAI[2], g.setup.txtPL[2], g.setup.txtPlanets),
      std::make_tuple(0, 1, "4", "Atlas", "24"));
  // The setup window shows seat 1 with a name box to type in and seat 2 at its level.
  EXPECT_EQ(std::tie(g.setup.txtPLLocked[1], g.setup.levelVisible[1], g.setup.txtPLLocked[2],
                     g.setup.levelVisible[2], g.setup.HScrollAI[2]),
            std::make_tuple(false, false, true, true, 4));
  const GameMenus& m = g.menus;
  EXPECT_TRUE(m.mnuOptionsShield.Checked && m.mnuOptionsTruce.Checked);
  EXPECT_EQ(std::tie(m.mnuOptionsBattle.Caption, m.mnuOptionsGath.Caption, m.mnuOptionsTruce.Caption),
            std::make_tuple("Defensive Battle Mode", "Maximum Gather/Scout Turns = 4",
                            "Battle Truce Until Turn #12"));
  EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.55, Turn #11:  J\xF6rg");
  EXPECT_EQ(g.MaxProduction, 20.0);  // the file's production option, as the computers weigh it
  EXPECT_FALSE(g.TurnDone || g.InputBusy || g.GameOver || g.HideFleets || g.SelectedFrom != -1 ||
               !g.GameLoaded);
  // The seat's last 2000 characters of log, after one next-player step and its side lists.
  EXPECT_EQ(g.window.txtMove.Text, g.PlayerLog[1].substr(g.PlayerLog[1].size() - 2000));
  const auto check = std::find(t.ports.calls.begin(), t.ports.calls.end(), "GameCheck");
  EXPECT_TRUE(t.ports.Count("GameCheck") == 1 && !t.ports.Has("GalaxySync"));
  EXPECT_NE(std::find(check, t.ports.calls.end(), "Console"), t.ports.calls.end());
  // A network host sends the game and sets every seat taking its turn (seat 1's client is here).
  host.g().NetworkGame = host.g().setup.OptServerClient0 = true;
  host.ports.socketCount = 4;
  host.ports.connected = {false, true, false, false};
  ASSERT_EQ(LoadSavedGame(host.g(), path), LoadOutcome::kLoaded);
  EXPECT_TRUE(host.ports.Has("GalaxySync") && host.g().CurrentPlayer == 0);
  EXPECT_EQ(StatusCaption(host.g(), 1) + "|" + StatusCaption(host.g(), 3), "J\xF6rg:  Taking Turn|");
}

// A game loaded from the title, where the setup held only the player's name and 30 worlds: Reset
// Solar System starts a new galaxy for the loaded game's players, on as many worlds.
TEST(SavedGameLoader, ResetSolarSystemThenKeepsTheLoadedPlayersAndWorldCount) {
  ScratchFolder folder;
  TestGame saved, t;
  MakeMidGame(saved, false);
  const std::string path = folder.File("game.zq");
  ASSERT_TRUE(SaveGame(saved.g(), path));
  Game& g = t.g();
  g.setup.txtPL = {"Ulla", "", "", "Kim"};
  g.setup.chkAI = {0, 0, 1, 0};
  g.setup.txtAI[2] = "6";  // a computer of another level in the last setup
  g.setup.txtPlanets = "30";
  g.setup.VScroll1 = 30;
  ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
  EXPECT_EQ(g.setup.txtPL, (std::array<std::string, kSeats>{"Ulla", "J\xF6rg", "Atlas", ""}));
  EXPECT_EQ(std::tie(g.setup.txtPlanets, g.setup.VScroll1), std::make_tuple("24", 24));
  ASSERT_TRUE(mnuFileNewSS_Click(g));
  EXPECT_EQ(g.WorldCount, 24);
  EXPECT_EQ(g.PlayerName, (std::array<std::string, 5>{"Ulla", "J\xF6rg", "Atlas", "", ""}));
  EXPECT_EQ(std::tie(g.setup.chkAI[0], g.setup.chkAI[1], g.setup.chkAI[2], g.setup.chkAI[3]),
            std::make_tuple(0, 0, 1, 0));
}

// The loaded game's production, treasures and gathering stand in the setup's option boxes and on
// their bars (5 treasures, below the 13 that 24 worlds allow), so that the setup's own rule, which
// puts a box back to its bar, changes nothing: Reset Solar System hides 5 treasures in a galaxy
// of production up to 20, not the setup's 12.
TEST(SavedGameLoader, ResetSolarSystemThenKeepsTheLoadedOptions) {
  ScratchFolder folder;
  TestGame saved, t;
  MakeMidGame(saved, false);
  const std::string path = folder.File("game.zq");
  ASSERT_TRUE(SaveGame(saved.g(), path));
  Game& g = t.g();
  g.setup.txtPlanets = "30";
  g.setup.VScroll1 = 30;
  g.setup.treasuresMax = 16;
  g.setup.VScrollOp = {12, 10, 2};
  g.setup.txtOp = {"12", "10", "2"};
  ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
  EXPECT_EQ(g.setup.txtOp, (std::array<std::string, 3>{"20", "5", "4"}));
  EXPECT_EQ(g.setup.VScrollOp, (std::array<int, 3>{20, 5, 4}));
  EXPECT_EQ(g.setup.treasuresMax, 13);
  SettleOptionTexts(g);
  EXPECT_EQ(g.setup.txtOp, (std::array<std::string, 3>{"20", "5", "4"}));

  ASSERT_TRUE(mnuFileNewSS_Click(g));
  ASSERT_EQ(g.GameYear, 1.0f);
  EXPECT_EQ(g.MaxProduction, 20.0);
  int treasures = 0, mostProduction = 0;
  for (int w = 0; w < g.WorldCount; ++w) {
    if (g.WorldOwner[w] != 0) continue;
    treasures += g.WorldType[w] != kTypeNothing ? 1 : 0;
    mostProduction = std::max<int>(mostProduction, g.WorldProduction[w]);
  }
  EXPECT_EQ(treasures, 5);
  EXPECT_TRUE(mostProduction > 12 && mostProduction <= 20) << mostProduction;  // 21 worlds drawn from 1 to 20
  EXPECT_EQ(std::tie(g.menus.mnuOptionsProd.Caption, g.menus.mnuOptionsTreas.Caption,
                     g.menus.mnuOptionsGath.Caption),
            std::make_tuple("Maximum World Production = 20", "World Treasures = 5",
                            "Maximum Gather/Scout Turns = 4"));
}

// A loaded seat plays as a computer when its name begins with the first five characters of a
// computer's name; four characters are not enough, nor a name shorter than five.
TEST(SavedGameLoader, ASeatIsAComputerByTheFirstFiveCharactersOfItsName) {
  const std::pair<const char*, int> cases[] = {{"Atlas", 4}, {"Atlases", 4}, {"Atlax", 0},
                                               {"Hyper", 6}, {"Hypex", 0},   {"Titan", 5},
                                               {"Titam", 0}, {"Pand", 0},    {"Calypsonian", 3}};
  ScratchFolder folder;
  TestGame saved;
  MakeMidGame(saved, false);
  for (const auto& [name, level] : cases) {
    saved.g().PlayerName[2] = name;
    const std::string path = folder.File("seat.zq");
    ASSERT_TRUE(SaveGame(saved.g(), path));
    TestGame t;
    ASSERT_EQ(LoadSavedGame(t.g(), path), LoadOutcome::kLoaded) << name;
    EXPECT_EQ(t.g().setup.chkAI[2], level > 0 ? 1 : 0) << name;
    if (level > 0) {
      EXPECT_EQ(t.g().setup.txtAI[2], std::to_string(level)) << name;
    }
  }
}

// An older file: a two-line header, 13-line world records (for worlds 0 and 5), no intelligence.
TEST(SavedGameOlderLayouts, KeepWhatTheFileDoesNotHold) {
  TestGame t;
  MakeMidGame(t, false);
  const Lines lines = SplitCrLf(SavedGameText(t.g()));
  Lines old = {lines[0], Encrypt(" 24", kSavedGameKey), Encrypt("Atlas II", kSavedGameKey)};
  old.insert(old.end(), lines.begin() + 8, lines.begin() + kFirstIntelligenceLine);
  old[4] = Encrypt("Atla", kSavedGameKey);  // seat 1: too short to be a computer player
  for (int w : {5, 0})
    old.erase(old.begin() + 22 + w * kWorldRecordLines, old.begin() + 27 + w * kWorldRecordLines);
  GameState prior;
  prior.setup.txtOp = {"15", "7", "3"};
  prior.WorldNoGather[0] = prior.WorldNoGather[5] = prior.WorldMarked[2][5] = true;
  prior.WorldNoGather[6] = !t.g().WorldNoGather[6];
  prior.ScoutInfo[1][2][3] = 77;
  const SavedGameRead read = ReadSavedGame(prior, JoinCrLf(old));
  ASSERT_TRUE(read.state) << read.refusal.Message();
  EXPECT_TRUE(read.olderHeader && !read.intelligenceRead && read.olderWorldRecords == 2);
  const GameState& s = *read.state;
  EXPECT_EQ(std::tie(s.WorldCount, s.PlayerName[0], s.setup.chkMode, s.setup.txtOp[0], s.ScoutInfo[1][2][3]),
            std::make_tuple(24, "Atlas II", 0, "15", 77));
  EXPECT_EQ(s.setup.txtAI[0] + s.setup.txtPL[0] + Str(s.setup.chkAI[0]) + Str(s.setup.chkAI[1]),
            "4Atlas 1 0");
  EXPECT_TRUE(s.WorldNoGather[5] && s.WorldMarked[2][5] && s.WorldNoGather[0]);
  EXPECT_EQ(s.WorldNoGather[6], t.g().WorldNoGather[6]);
  EXPECT_EQ(std::tie(s.WorldHistory, s.WorldOwner), std::tie(t.g().WorldHistory, t.g().WorldOwner));
}

}  // namespace
}  // namespace zarnath
