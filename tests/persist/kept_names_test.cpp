#include "persist/kept_names.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "persist/high_scores.h"
#include "persist/saved_game.h"
#include "persist/text_cipher.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using namespace testing;

// What each file cannot keep at each place of the cipher's six-place cycle: the codes it leaves
// out (from `lostFrom` up, or up to `lostTo`) and the one it turns into a line feed.
struct PlaceRule {
  int lostFrom = 256;  // codes from here to 255 are left out
  int lostTo = -1;     // codes from 0 to here are left out
  int lineFeed;
};
constexpr PlaceRule kSavedGame[6] = {{253, -1, 7},  {256, 0, 11}, {248, -1, 2},
                                     {256, -1, 10}, {249, -1, 3}, {256, 4, 15}};
constexpr PlaceRule kHighScore[6] = {{252, -1, 6}, {256, 1, 12}, {247, -1, 1},
                                     {256, 0, 11}, {248, -1, 2}, {256, 5, 16}};

TEST(KeptNames, EveryCodeAtEveryPlaceUnderBothKeys) {
  for (int place = 0; place < 12; ++place) {
    const PlaceRule& saved = kSavedGame[place % 6];
    const PlaceRule& score = kHighScore[place % 6];
    for (int code = 0; code < 256; ++code) {
      const std::string name = std::string(static_cast<size_t>(place), 'A') + static_cast<char>(code) + "z";
      const auto keeps = [code](const PlaceRule& r) {
        return code < r.lostFrom && code > r.lostTo && code != r.lineFeed;
      };
      SCOPED_TRACE("place " + std::to_string(place + 1) + ", code " + std::to_string(code));
      // The rule is what each file's reader gives back of the written line.
      EXPECT_EQ(FileKeeps(name, kSavedGameKey), keeps(saved));
      EXPECT_EQ(FileKeeps(name, kHighScoreKey), keeps(score));
      EXPECT_EQ(FileKeepsAt(name, static_cast<size_t>(place), kSavedGameKey), keeps(saved));
      EXPECT_EQ(FilesKeepName(name), keeps(saved) && keeps(score));
      EXPECT_EQ(FirstUnkeptPlace(name),
                keeps(saved) && keeps(score) ? std::nullopt : std::optional<size_t>(place));
      // "?" in place of what the file cannot keep: the line reads back whole.
      const std::string kept = KeptText(name, kHighScoreKey);
      EXPECT_TRUE(FileKeeps(kept, kHighScoreKey));
      EXPECT_EQ(kept == name, keeps(score));
    }
  }
}

// The lines of a file as its reader splits them: at each line feed.
long LineEnds(const std::string& bytes) {
  return std::count(bytes.begin(), bytes.end(), '\n');
}

// A winner's name the file cannot keep: the file keeps its 80 lines, and every row, that one and
// the ones after it, reads back whole.
TEST(KeptNames, AWinnersNameTheHighScoreFileCannotKeep) {
  ScratchFolder folder;
  const std::string path = folder.File(kHighScoreFile);
  const HighScoreDates dates{"11/06/24", "6/11/2024"};
  for (int r = 0; r < kHighScoreRows; ++r)
    RecordHighScore(folder.path(), {"P" + std::to_string(r), 100.0f - 5.0f * r, 9, 8, 7, 6}, 2.0f, dates);
  const HighScoreView view =
      RecordHighScore(folder.path(), {"Abc\x0B\xE9", 97, 1234, 150, 24, 70}, 2.0f, dates);
  ASSERT_EQ(view.inserted, 1);
  EXPECT_EQ(view.table[1][kName], "Abc?\xE9");
  EXPECT_EQ(LineEnds(ReadBytes(path)), 80);
  int rows = 0;
  const HighScoreTable stored = ReadHighScoreText(ReadBytes(path), &rows);
  EXPECT_EQ(rows, kHighScoreRows);
  EXPECT_EQ(stored, view.table);
  for (int r = 2; r < kHighScoreRows; ++r) {
    EXPECT_EQ(stored[r][kName], "P" + std::to_string(r - 1));
    EXPECT_EQ(stored[r][kRating], RatingText(100.0f - 5.0f * (r - 1)));
    EXPECT_EQ(stored[r][kDate], "11/06/24");
  }
  // A field a damaged file gave back that no longer keeps where it stands is written whole too.
  HighScoreTable odd = stored;
  odd[3][kShips] = "\x0B\x0B\x0B\x0B";
  EXPECT_EQ(LineEnds(HighScoreFileText(odd)), 80);
}

// The save looks at every seat's and every world's name (a host sends both) with its own key:
// what it writes the loader gives back, and a name it would change is refused with the seat or
// the world named. A name the high-score file alone cannot keep still saves.
TEST(KeptNames, TheSaveLooksAtEverySeatsAndEveryWorldsName) {
  ScratchFolder folder;
  const std::string path = folder.File("names.zq");
  struct Case {
    int seat;  // -1: world 17's name
    std::string name;
    std::string refusal;
  };
  const Case cases[] = {
      {2, "C\x0By", "The name \"C?y\" of player 3 (Yellow) holds a character that a saved game cannot keep."},
      {0, "Gr\xFCn",
       "The name \"Gr\xFCn\" of player 1 (Blue) holds a character that a saved game cannot keep."},
      {-1, "Ax\xF9", "The world name \"Ax\xF9\" holds a character that a saved game cannot keep."},
      {1, "A\x0E", ""},  // a CR at the line's end, which the reader keeps
      {1,
       "\xFC"
       "ber",
       ""},  // lost first in the high-score file only
      {-1, "\x0BCy", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(NameShown(c.name));
    TestGame t;
    MakeMidGame(t, false);
    (c.seat < 0 ? t.g().WorldName[17] : t.g().PlayerName[static_cast<size_t>(c.seat)]) = c.name;
    std::filesystem::remove(path);
    std::string error;
    EXPECT_EQ(WriteSavedGame(t.g(), path, &error), c.refusal.empty());
    EXPECT_EQ(error, c.refusal);
    EXPECT_EQ(std::filesystem::exists(path), c.refusal.empty());
    // Without the check, the loader would refuse or change what the writer makes of such a name.
    const SavedGameRead read = ReadSavedGame(GameState(), SavedGameText(t.g()));
    const bool same =
        read.state && (c.seat < 0 ? read.state->WorldName[17]
                                  : read.state->PlayerName[static_cast<size_t>(c.seat)]) == c.name;
    EXPECT_EQ(same, c.refusal.empty());
  }
}

}  // namespace
}  // namespace zarnath
