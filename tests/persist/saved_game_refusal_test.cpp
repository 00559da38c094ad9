#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "model/numbers.h"
#include "persist/save_load.h"
#include "persist/saved_game.h"
#include "persist/text_cipher.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using testing::JoinCrLf;
using testing::MakeMidGame;
using testing::ScratchFolder;
using testing::SplitCrLf;
using testing::TestGame;
using testing::WriteBytes;

std::string Ciphered(const std::string& text) {
  return Encrypt(text, kSavedGameKey);
}

constexpr int kFirstWorldLine = 19;
constexpr int kWorldRecordLines = 26;
constexpr int kFirstFleetLine = 799;
constexpr int kFirstBombLine = 1699;
constexpr int kFirstLogLine = 1759;
constexpr int kFirstIntelligenceLine = 1767;

// Everything a load may change, as one text.
std::string Snapshot(const Game& g) {
  std::string s = SavedGameText(g.state());
  const GameMenus& m = g.menus;
  for (const MenuItem* item : {&m.mnuOptionsTruce, &m.mnuOptionsBattle, &m.mnuOptionsShield,
                               &m.mnuOptionsProd, &m.mnuOptionsTreas, &m.mnuOptionsGath, &m.mnuOptionsRadar})
    s += "|" + item->Caption + (item->Checked ? "+" : "-");
  for (int p = 0; p < kSeats; ++p)
    s += "|" + g.setup.txtPL[p] + std::to_string(g.setup.chkAI[p]) + g.setup.txtAI[p] + g.window.lblStatus[p];
  s += "|" + g.setup.txtPlanets + "|" + g.window.Caption + "|" + g.window.txtMove.Text + "|" +
       Str(g.GalaxyCenterX);
  s += g.TurnDone ? "T" : "t";
  s += g.GameLoaded ? "L" : "l";
  s += std::to_string(g.SelectedFrom);
  return s;
}

struct Corruption {
  const char* name;
  std::function<void(std::vector<std::string>&)> change;
  int number;
  const char* mentions;
};

class SavedGameRefusal : public ::testing::Test {
 protected:
  void SetUp() override {
    TestGame source;
    MakeMidGame(source, folder_.path(), false);
    lines_ = SplitCrLf(SavedGameText(source.g()));
    // The game the load would replace: another game in progress.
    MakeMidGame(victim_, folder_.path(), true);
    victim_.g().CurrentPlayer = 2;
    victim_.g().window.Caption = "Zarnath - Year 2.85, Turn #37:  Atlas";
    victim_.ports.Clear();
  }

  // Loads the changed file into the victim; the refusal's message box text.
  std::string Refuse(const std::vector<std::string>& lines, LoadOutcome expected = LoadOutcome::kRefused) {
    const std::string path = folder_.File("bad.zq");
    WriteBytes(path, JoinCrLf(lines));
    const std::string before = Snapshot(victim_.g());
    victim_.ports.Clear();
    EXPECT_EQ(LoadSavedGame(victim_.g(), path), expected);
    EXPECT_EQ(Snapshot(victim_.g()), before) << "the game before the load was changed";
    EXPECT_FALSE(victim_.ports.Has("GameCheck"));
    EXPECT_FALSE(victim_.ports.Has("ShowGameWindow"));
    EXPECT_EQ(victim_.ports.calls.size(), 1u);
    return victim_.ports.calls.empty() ? std::string() : victim_.ports.calls.back();
  }

  ScratchFolder folder_;
  TestGame victim_;
  std::vector<std::string> lines_;
};

TEST_F(SavedGameRefusal, EachDamageIsRefusedWithItsReasonAndNothingChanges) {
  auto cut = [](size_t n) { return [n](std::vector<std::string>& l) { l.resize(n); }; };
  auto set = [](size_t i, const char* text) {
    return [i, text](std::vector<std::string>& l) { l[i] = Ciphered(text); };
  };
  const int world3 = kFirstWorldLine + 3 * kWorldRecordLines;
  const std::vector<Corruption> cases = {
      {"empty file", cut(0), 62, "ends before line 1"},
      {"cut in the header", cut(4), 62, "ends before line 5 (header"},
      {"cut among the players", cut(10), 62, "player 1"},
      {"cut inside a world record", cut(world3 + 5), 62, "world 3, class"},
      {"end inside a text block", cut(kFirstWorldLine + 19), 62,
       "ends inside the world 0, history of player 0"},
      {"cut inside a travel slot", cut(kFirstFleetLine + 9 * 50 + 4), 62, "travel slot 50, class"},
      {"cut inside the bombs", cut(kFirstBombLine + 7), 62, "proximity bomb 2, world"},
      {"cut inside the move logs", cut(kFirstLogLine + 3), 62, "move log of player 1"},
      {"cut inside the intelligence", cut(kFirstIntelligenceLine + 100), 62, "intelligence on world 5"},
      {"production beyond 8 bits", set(world3 + 4, " 300"), 6,
       "world 3, production): 300 is outside 0 to 255"},
      {"ships beyond a float", set(world3 + 15, " 1E+39"), 6, "world 3, ships"},
      {"crystal beyond 16 bits", set(8, " 40000"), 6, "player 0, crystal"},
      {"radar code 3", set(5, "3"), 380, "home world radar): 3 is outside 0 to 2"},
      {"battle mode 5", set(1, "-1"), 380, "battle mode"},
      {"treasures beyond the world count's bound", set(3, "14"), 380,
       "world treasures): 14 is outside 0 to 13"},
      {"player to move 4", set(16, " 4"), 9, "player to move): 4 is outside 0 to 3"},
      {"player to move -1", set(16, "-1"), 9, "player to move"},
      {"world count 31", set(6, " 31"), 9, "world count): 31 is outside 9 to 30"},
      {"world count 8", set(6, " 8"), 9, "world count"},
      {"world owner 5", set(world3 + 14, " 5"), 9, "world 3, owner): 5 is outside 0 to 4"},
      {"fleet owner 5", set(kFirstFleetLine + 2, " 5"), 9, "travel slot 0, owner"},
      {"bomb owner 5", set(kFirstBombLine, " 5"), 9, "proximity bomb 0, owner"},
      {"origin beyond the worlds in play", set(kFirstFleetLine, " 25"), 9,
       "travel slot 0, origin): 25 is outside 0 to 24"},
      {"used slot without destination", set(kFirstFleetLine + 1, " 0"), 9, "travel slot 0, destination"},
      {"bomb world not whole", set(kFirstBombLine + 1, " 2.5"), 9,
       "proximity bomb 0, world): 2.5 is not a world"},
      {"bomb world beyond 29", set(kFirstBombLine + 1, " 30"), 9, "proximity bomb 0, world"},
      {"truth line that is no truth", set(kFirstWorldLine + 9, "Maybe"), 13,
       "\"Maybe\" is not True or False"},
      {"text block without a line",
       [](std::vector<std::string>& l) { l.erase(l.begin() + kFirstWorldLine + 18); }, 5,
       "world 0, history of player 0): the text ends before its first line"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto lines = lines_;
    c.change(lines);
    const std::string shown = Refuse(lines);
    EXPECT_EQ(shown.rfind("MessageBox Zarnath Error: Error #  " + std::to_string(c.number) + "\r", 0), 0u)
        << shown;
    EXPECT_NE(shown.find(c.mentions), std::string::npos) << shown;
  }
}

TEST_F(SavedGameRefusal, AMissingFileIsNotFound) {
  victim_.ports.Clear();
  const std::string before = Snapshot(victim_.g());
  EXPECT_EQ(LoadSavedGame(victim_.g(), folder_.File("nowhere.zq")), LoadOutcome::kNotFound);
  EXPECT_EQ(victim_.ports.calls,
            (std::vector<std::string>{"MessageBox Zarnath Error:    File Not Found!   "}));
  EXPECT_EQ(Snapshot(victim_.g()), before);
}

TEST_F(SavedGameRefusal, TheUndamagedFileLoads) {
  const std::string path = folder_.File("good.zq");
  WriteBytes(path, JoinCrLf(lines_));
  EXPECT_EQ(LoadSavedGame(victim_.g(), path), LoadOutcome::kLoaded);
  EXPECT_FALSE(victim_.ports.Has("MessageBox Zarnath Error"));
}

// A file changed at random is either refused with a reason or read into a state whose indexes
// all lie inside the tables; it never brings the reader down.
TEST_F(SavedGameRefusal, MutatedFilesNeverCrashTheReader) {
  std::mt19937 rng(20240611);
  auto pick = [&rng](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  const char* const numbers[] = {" 0",     "-1",     " 5",   " 31", " 255", " 256",
                                 " 32768", " 1E+39", " 2.5", "x",   "",     " 29"};
  GameState prior;
  int accepted = 0, refused = 0;
  for (int round = 0; round < 1500; ++round) {
    std::vector<std::string> lines = lines_;
    std::string bytes;
    const int mutations = 1 + static_cast<int>(pick(3));
    for (int m = 0; m < mutations; ++m) {
      const size_t i = pick(lines.size());
      switch (pick(6)) {
        case 0:
          lines[i] = Ciphered(numbers[pick(std::size(numbers))]);
          break;
        case 1:
          lines.erase(lines.begin() + static_cast<long>(i));
          break;
        case 2:
          lines.insert(lines.begin() + static_cast<long>(i), lines[pick(lines.size())]);
          break;
        case 3:
          lines[i] = lines[pick(lines.size())];
          break;
        case 4:
          if (!lines[i].empty()) lines[i][pick(lines[i].size())] = static_cast<char>(pick(256));
          break;
        default:
          lines.resize(i);
          break;
      }
      if (lines.empty()) lines.push_back("");
    }
    bytes = JoinCrLf(lines);
    if (round % 7 == 0) bytes.resize(pick(bytes.size() + 1));  // cut anywhere, even inside a line
    if (round % 11 == 0 && !bytes.empty()) bytes[pick(bytes.size())] = '\n';
    const SavedGameRead read = ReadSavedGame(prior, bytes);
    if (!read.state) {
      ++refused;
      EXPECT_FALSE(read.refusal.problem.empty());
      continue;
    }
    ++accepted;
    const GameState& s = *read.state;
    ASSERT_GE(s.WorldCount, 9);
    ASSERT_LE(s.WorldCount, kMaxWorlds);
    ASSERT_GE(s.CurrentPlayer, 0);
    ASSERT_LT(s.CurrentPlayer, kSeats);
    for (int w = 0; w < kMaxWorlds; ++w) ASSERT_LE(s.WorldOwner[w], kSeats);
    for (int f = 0; f < kUsedFleetSlots; ++f) {
      ASSERT_LE(s.FleetFrom[f], s.WorldCount);
      ASSERT_LE(s.FleetTo[f], s.WorldCount);
      ASSERT_LE(s.FleetOwner[f], kSeats);
      if (s.FleetFrom[f] != 0) {
        ASSERT_GE(s.FleetTo[f], 1);
      }
    }
    for (int b = 0; b < kUsedBombSlots; ++b) {
      ASSERT_LE(s.ProxBombOwner[b], kSeats);
      if (s.ProxBombOwner[b] >= 1) {
        ASSERT_EQ(s.ProxBombWorld[b], std::floor(s.ProxBombWorld[b]));
        ASSERT_GE(s.ProxBombWorld[b], 0.0f);
        ASSERT_LT(s.ProxBombWorld[b], static_cast<float>(s.WorldCount));
      }
    }
    const int radar = s.setup.OptRadar[0] + s.setup.OptRadar[1] + s.setup.OptRadar[2];
    ASSERT_EQ(radar, 1);
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(accepted, 0);  // some changes (a flipped byte in a name or a text) are harmless
}

}  // namespace
}  // namespace zarnath
