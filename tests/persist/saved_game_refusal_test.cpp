#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "engine/save_load.h"
#include "headless/headless_match.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/state_check.h"
#include "persist/saved_game.h"
#include "persist/text_cipher.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using namespace testing;

// Everything a load may change, as one text.
std::string Snapshot(const Game& g) {
  std::string s = SavedGameText(g.state()) + g.window.Caption + g.window.txtMove.Text + g.setup.txtPlanets +
                  g.menus.mnuOptionsTruce.Caption + g.menus.mnuOptionsBattle.Caption;
  for (int p = 0; p < kSeats; ++p)
    s += g.setup.txtPL[p] + g.setup.txtAI[p] + Str(g.setup.chkAI[p]) + StatusCaption(g, p);
  return s + (g.GameLoaded ? "L" : "l");
}

TEST(SavedGameRefusal, EachDamageIsRefusedWithItsReasonAndNothingChanges) {
  ScratchFolder folder;
  TestGame source, victim;  // the victim: another game in progress that a load would replace
  MakeMidGame(source, false);
  MakeMidGame(victim, true);
  const std::string path = folder.File("bad.zq"), before = Snapshot(victim.g());
  const int world3 = kFirstWorldLine + 3 * kWorldRecordLines, fleet = kFirstFleetLine, bomb = kFirstBombLine;
  // The line changed, its new text (none: the file ends before it), the error and its words.
  const std::tuple<int, const char*, int, const char*> cases[] = {
      {0, nullptr, 62, "ends before line 1"},
      {4, nullptr, 62, "ends before line 5 (header"},
      {10, nullptr, 62, "player 1"},
      {world3 + 5, nullptr, 62, "world 3, class"},
      {kFirstWorldLine + 19, nullptr, 62, "ends inside the world 0, history of player 0"},
      {fleet + 9 * 50 + 4, nullptr, 62, "travel slot 50, class"},
      {bomb + 7, nullptr, 62, "proximity bomb 2, world"},
      {kFirstLogLine + 3, nullptr, 62, "move log of player 1"},
      {kFirstIntelligenceLine + 100, nullptr, 62, "intelligence on world 5"},
      {world3 + 4, " 300", 6, "world 3, production): 300 is outside 0 to 255"},
      {world3 + 15, " 1E+39", 6, "world 3, ships"},
      {8, " 40000", 6, "player 0, crystal"},
      {5, "3", 380, "home world radar): 3 is outside 0 to 2"},
      {3, "14", 380, "world treasures): 14 is outside 0 to 13"},
      {16, " 4", 9, "player to move): 4 is outside 0 to 3"},
      {6, " 31", 9, "world count): 31 is outside 9 to 30"},
      {world3 + 14, " 5", 9, "world 3, owner): 5 is outside 0 to 4"},
      {bomb, " 5", 9, "proximity bomb 0, owner"},
      {fleet, " 25", 9, "travel slot 0, origin): 25 is outside 0 to 24"},
      {fleet + 1, " 0", 9, "travel slot 0, destination"},
      {bomb + 1, " 2.5", 9, "proximity bomb 0, world): 2.5 is not a world"},
      {bomb + 1, " 30", 9, "proximity bomb 0, world"},
      {kFirstWorldLine + 9, "Maybe", 13, "\"Maybe\" is not True or False"},
  };
  for (const auto& [line, value, number, mentions] : cases) {
    Lines bad = SplitCrLf(SavedGameText(source.g()));
    bad.resize(value ? bad.size() : line);
    if (value) bad[line] = Encrypt(value, kSavedGameKey);
    WriteBytes(path, JoinCrLf(bad));
    victim.ports.Clear();
    EXPECT_EQ(LoadSavedGame(victim.g(), path), LoadOutcome::kRefused) << mentions;
    ASSERT_EQ(victim.ports.calls.size(), 1u) << mentions;  // the message box alone
    const std::string& shown = victim.ports.calls[0];
    EXPECT_EQ(shown.rfind("MessageBox Zarnath Error: Error # " + Str(number) + "\r", 0), 0u) << shown;
    EXPECT_NE(shown.find(mentions), std::string::npos) << shown;
    EXPECT_EQ(Snapshot(victim.g()), before) << mentions;
  }
  victim.ports.Clear();
  EXPECT_EQ(LoadSavedGame(victim.g(), folder.File("nowhere.zq")), LoadOutcome::kNotFound);
  EXPECT_EQ(victim.ports.calls, Lines{"MessageBox Zarnath Error:    File Not Found!   "});
  EXPECT_EQ(Snapshot(victim.g()), before);
}

// A file whose every value fits its field but whose game cannot be played is refused at the line
// of the field that breaks a rule, with nothing changed; the same rules hold during play.
TEST(SavedGameRefusal, AStateTheGameCannotPlayIsRefusedAtItsLine) {
  ScratchFolder folder;
  TestGame source, victim;
  MakeMidGame(source, false);
  MakeMidGame(victim, true);
  const std::string path = folder.File("bad.zq"), before = Snapshot(victim.g());
  const int world3 = kFirstWorldLine + 3 * kWorldRecordLines,
            world25 = kFirstWorldLine + 25 * kWorldRecordLines;
  const int slot0 = kFirstFleetLine, slot60 = kFirstFleetLine + 9 * 60, bomb0 = kFirstBombLine;
  // The line changed (0-based), its new text, the error number (0: the file loads) and the
  // field named in the message.
  const std::tuple<int, const char*, int, const char*> cases[] = {
      {7, "", 380, "player 0, name"},  // no game is set up
      {15, " 1E+10", 380, "game, year"},
      {15, " 1639.5", 380, "game, year"},  // turn 32770
      {15, "-1000", 380, "game, year"},    // every game starts in 1.00
      {15, " .95", 380, "game, year"},
      {15, " 1", 0, ""},
      {15, " 1639.35", 0, ""},                           // turn 32767
      {world3 + 1, " 0", 380, "world 3, orbit radius"},  // in play without a ring
      {world3 + 5, " 0", 380, "world 3, class"},
      {world3 + 5, " 6", 380, "world 3, class"},
      {world3 + 6, " 101", 380, "world 3, shield"},
      {world3 + 14, " 4", 380, "world 3, owner"},  // seat 3 is empty
      {world3 + 15, "-.5", 380, "world 3, ships"},
      {world3 + 16, "-1", 380, "world 3, treasure"},
      {world3 + 17, "-1", 380, "world 3, bombs"},
      {world25 + 14, " 1", 380, "world 25, owner"},  // out of play
      {slot0 + 2, " 0", 380, "travel slot 0, owner"},
      {slot0 + 3, "-1", 380, "travel slot 0, ships"},
      {slot0 + 4, " 0", 380, "travel slot 0, class"},
      {slot0 + 5, " 255", 380, "travel slot 0, shield"},
      {slot0 + 6, " .6", 380, "travel slot 0, time left"},  // above its trip of .5
      {slot0 + 6, "-.1", 380, "travel slot 0, time left"},
      {slot0 + 7, " 0", 380, "travel slot 0, trip time"},
      {slot0 + 7, " .751", 380, "travel slot 0, trip time"},  // beyond the launch search's reach
      {slot0 + 7, " .75", 0, ""},
      {slot0 + 7, " 10000", 380, "travel slot 0, trip time"},
      {slot0 + 8, " 9.5", 380, "travel slot 0, path parameter"},
      {slot0 + 8, "-6.284", 0, ""},  // -2 pi as a client's record rounds it down
      {slot0 + 8, "-6.285", 380, "travel slot 0, path parameter"},
      {slot60 + 3, " 5", 380, "travel slot 60, ships"},  // a free slot that holds something
      {slot60 + 8, " .25", 380, "travel slot 60, path parameter"},
      {bomb0 + 2, "-1", 380, "proximity bomb 0, threshold"},
      {world3 + 2, " 1E+400", 6, "world 3, angular speed"},  // too large to read, not 0
      {world3 + 4, " 1E+400", 6, "world 3, production"},
      {world3 + 9, " 1E+400", 6, "world 3, mark of player 0"},
      {slot0 + 6, "-1E+400", 6, "travel slot 0, time left"},
  };
  for (const auto& [line, value, number, field] : cases) {
    SCOPED_TRACE(::testing::Message() << "line " << line + 1 << " = \"" << value << "\"");
    Lines bad = SplitCrLf(SavedGameText(source.g()));
    bad[line] = Encrypt(value, kSavedGameKey);
    const SavedGameRead read = ReadSavedGame(victim.g().state(), JoinCrLf(bad));
    if (number == 0) {
      ASSERT_TRUE(read.state) << read.refusal.problem;
      EXPECT_EQ(CheckInvariants(*read.state), "");
      continue;
    }
    ASSERT_FALSE(read.state);
    EXPECT_EQ(read.refusal.Message().rfind("Error #  " + std::to_string(number) + "\rLine " +
                                               std::to_string(line + 1) + " (" + field + "): ",
                                           0),
              0u)
        << read.refusal.Message();
    if (number != 380) continue;
    WriteBytes(path, JoinCrLf(bad));  // through the loader: one message and nothing changed
    victim.ports.Clear();
    EXPECT_EQ(LoadSavedGame(victim.g(), path), LoadOutcome::kRefused);
    EXPECT_EQ(victim.ports.calls.size(), 1u);
    EXPECT_EQ(Snapshot(victim.g()), before);
  }
}

// Copies the object in travel slot `from` into slot `to`, field by field.
void CopySlot(GameState& g, int from, int to) {
  const auto f = static_cast<size_t>(from), t = static_cast<size_t>(to);
  g.FleetFrom[t] = g.FleetFrom[f], g.FleetTo[t] = g.FleetTo[f], g.FleetOwner[t] = g.FleetOwner[f];
  g.FleetShips[t] = g.FleetShips[f], g.FleetClass[t] = g.FleetClass[f], g.FleetShield[t] = g.FleetShield[f];
  g.FleetTimeLeft[t] = g.FleetTimeLeft[f], g.FleetTripTime[t] = g.FleetTripTime[f];
  g.FleetAngleParam[t] = g.FleetAngleParam[f];
}

// The table's spare travel slot 100 is never written; an object that stands in it (left there by
// the game the load would replace) is past the table, and the loader refuses the game naming that
// slot and field, with nothing changed. Slot 99, the table's last, loads.
TEST(SavedGameRefusal, AnObjectPastTheTravelTableIsRefused) {
  ScratchFolder folder;
  TestGame source, victim, last;
  MakeMidGame(source, false);
  MakeMidGame(victim, true);
  MakeMidGame(last, false);
  const std::string path = folder.File("game.zq");
  WriteBytes(path, SavedGameText(source.g()));
  Game& g = victim.g();
  ASSERT_NE(g.FleetFrom[0], 0);
  CopySlot(g, 0, kUsedFleetSlots);
  const std::optional<StateFault> fault = CheckGameState(g);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->Text(), "travel slot 100, origin: the slot lies beyond the table.");
  const std::string before = Snapshot(g);
  victim.ports.Clear();
  EXPECT_EQ(LoadSavedGame(g, path), LoadOutcome::kRefused);
  EXPECT_EQ(victim.ports.calls, Lines{"MessageBox Zarnath Error: Error #  380\rThe game cannot be played: "
                                      "travel slot 100, origin: the slot lies beyond the table."});
  EXPECT_EQ(Snapshot(g), before);

  Game& h = last.g();
  ASSERT_EQ(h.FleetFrom[kUsedFleetSlots - 1], 0);
  CopySlot(h, 0, kUsedFleetSlots - 1);
  EXPECT_FALSE(CheckGameState(h));
  const SavedGameRead read = ReadSavedGame(GameState(), SavedGameText(h));
  ASSERT_TRUE(read.state) << read.refusal.Message();
  EXPECT_EQ(read.state->FleetFrom[kUsedFleetSlots - 1], h.FleetFrom[0]);
}

// A file changed at random is refused with a reason or read into a state whose indexes all lie
// inside the tables; it never brings the reader down.
TEST(SavedGameRefusal, MutatedFilesNeverCrashTheReader) {
  TestGame source;
  MakeMidGame(source, false);
  const Lines lines = SplitCrLf(SavedGameText(source.g()));
  std::mt19937 rng(20240611);
  auto pick = [&rng](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  const char* const numbers[] = {" 0",     "-1",     " 5",   " 31", " 255", " 256",
                                 " 32768", " 1E+39", " 2.5", "x",   "",     " 29"};
  const std::function<void(Lines&, size_t)> mutations[] = {
      [&](Lines& l, size_t i) { l[i] = Encrypt(numbers[pick(std::size(numbers))], kSavedGameKey); },
      [](Lines& l, size_t i) { l.erase(l.begin() + static_cast<long>(i)); },
      [&](Lines& l, size_t i) { l.insert(l.begin() + static_cast<long>(i), l[pick(l.size())]); },
      [&](Lines& l, size_t i) { l[i] = l[pick(l.size())]; },
      [&](Lines& l, size_t i) { l[i].insert(pick(l[i].size() + 1), 1, static_cast<char>(pick(256))); },
      [](Lines& l, size_t i) { l.resize(std::max<size_t>(i, 1)); }};
  int accepted = 0;
  for (int round = 0; round < 1500; ++round) {
    Lines l = lines;
    for (int m = 0, n = 1 + static_cast<int>(pick(3)); m < n; ++m) mutations[pick(6)](l, pick(l.size()));
    std::string bytes = JoinCrLf(l);
    if (round % 7 == 0) bytes.resize(pick(bytes.size() + 1));  // cut anywhere, even inside a line
    if (round % 11 == 0 && !bytes.empty()) bytes[pick(bytes.size())] = '\n';
    const SavedGameRead read = ReadSavedGame(GameState(), bytes);
    EXPECT_TRUE(read.state || !read.refusal.problem.empty());
    if (!read.state) continue;
    ++accepted;
    const GameState& s = *read.state;
    ASSERT_TRUE(s.WorldCount >= 9 && s.WorldCount <= kMaxWorlds && s.CurrentPlayer >= 0 &&
                s.CurrentPlayer < kSeats);
    for (int w = 0; w < kMaxWorlds; ++w) ASSERT_LE(s.WorldOwner[w], kSeats);
    for (int f = 0; f < kUsedFleetSlots; ++f)
      ASSERT_TRUE(s.FleetFrom[f] <= s.WorldCount && s.FleetTo[f] <= s.WorldCount &&
                  s.FleetOwner[f] <= kSeats && (s.FleetFrom[f] == 0 || s.FleetTo[f] >= 1));
    for (int b = 0; b < kUsedBombSlots; ++b) {
      const int owner = s.ProxBombOwner[b];
      const float w = s.ProxBombWorld[b];
      ASSERT_TRUE(owner <= kSeats && (owner < 1 || (w == std::floor(w) && w >= 0 && w < s.WorldCount))) << w;
    }
    ASSERT_EQ(s.setup.OptRadar[0] + s.setup.OptRadar[1] + s.setup.OptRadar[2], 1);
    ASSERT_EQ(CheckInvariants(s), "");  // and every rule of play holds
  }
  EXPECT_TRUE(accepted > 0 && accepted < 1500);  // some changes (a byte in a name or a text) are harmless
}

// The whole text of a refusal for a game that cannot be played: a seat's field, a world's field and
// a proximity bomb's field, each named with the line it was read from.
TEST(SavedGameRefusal, AStateTheGameCannotPlayNamesItsLineWordForWord) {
  TestGame source;
  MakeMidGame(source, false);
  const std::tuple<int, const char*, const char*> cases[] = {
      {7, "", "Error #  380\rLine 8 (player 0, name): the first seat is empty: no game is set up."},
      {kFirstWorldLine + 3 * kWorldRecordLines + 5, " 6",
       "Error #  380\rLine 103 (world 3, class): 6 is outside 1 to 5."},
      {kFirstBombLine + 2, "-2",
       "Error #  380\rLine 1702 (proximity bomb 0, threshold): -2 is no threshold of 0 or more."},
      {15, " .5", "Error #  380\rLine 16 (game, year): .5 lies before 1.00, the year every game starts in."},
  };
  for (const auto& [line, value, message] : cases) {
    Lines bad = SplitCrLf(SavedGameText(source.g()));
    bad[static_cast<size_t>(line)] = Encrypt(value, kSavedGameKey);
    const SavedGameRead read = ReadSavedGame(source.g().state(), JoinCrLf(bad));
    ASSERT_FALSE(read.state);
    EXPECT_EQ(read.refusal.Message(), message);
  }
}

}  // namespace
}  // namespace zarnath
