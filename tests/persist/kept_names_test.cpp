#include "persist/kept_names.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "persist/high_scores.h"
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

TEST(KeptNames, TypedNamesAndACarriageReturnAtTheLinesEnd) {
  // Names a player may type, refused where a file would change them.
  for (const char* name : {"Ra\xFAl", "Gr\xFCn", "\xFFves", "\xD1" "and\xFA \xE9", "Kr\xFCger", "Bj\xF8rn"})
    EXPECT_FALSE(FilesKeepName(name)) << name;
  for (const char* name : {"Jos\xE9",
                           "\xD1"
                           "and",
                           "Ann",
                           "Ren\xE9"
                           "e",
                           "Bj\xF6"
                           "rk"})
    EXPECT_TRUE(FilesKeepName(name)) << name;
  EXPECT_EQ(FirstUnkeptPlace("Ra\xFAl"), 2u);
  // Character 14 second ciphers into a CR at the line's end, which the reader keeps.
  EXPECT_EQ(Encrypt("A\x0E", kSavedGameKey).back(), '\r');
  EXPECT_TRUE(FileKeeps("A\x0E", kSavedGameKey));
  // The winner's name with character 11 fourth would break the high-score file's line.
  EXPECT_FALSE(FileKeeps("Abc\x0B", kHighScoreKey));
  EXPECT_EQ(KeptText("Abc\x0B", kHighScoreKey), "Abc?");
  EXPECT_EQ(NameShown("C\x0By"), "C?y");
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

}  // namespace
}  // namespace zarnath
