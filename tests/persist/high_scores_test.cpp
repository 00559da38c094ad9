#include "persist/high_scores.h"

#include "persist/high_score_rows.h"

#include <gtest/gtest.h>

#include "persist/text_cipher.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using namespace testing;

HighScoreView Record(const ScratchFolder& folder, float rating, const std::string& name = "Ulla") {
  return RecordHighScore(folder.path(), {name, rating, 1234.5f, 150, 24, 70}, 2.0f,
                         {"11/06/24", "6/11/2024"});
}

TEST(HighScores, RowsNewFileOrderFullTableAndAFileCutShort) {
  EXPECT_EQ(RatingText(12.34f) + RatingText(1234.5f), "012.31234.5");
  EXPECT_EQ(MakeHighScoreEntry({"Ulla", 87.65f, 1234.5f, 150, 24, 70}, 1.55f, "11/06/24"),
            (HighScoreEntry{"087.7", "Ulla", " 11", " 24", " 150", "2.92", " 1234.5", "11/06/24"}));
  EXPECT_EQ(MakeHighScoreEntry({"x", 5, 1, 1, 0, 12}, 1.0f, "d")[kAverageClass], "0.00");  // no world owned
  ScratchFolder folder;
  const std::string path = folder.File(kHighScoreFile);
  const HighScoreView look = Record(folder, 0);  // a missing file is made of empty rows
  EXPECT_EQ(ReadBytes(path), JoinCrLf(std::vector<std::string>(80, "$.")));  // 320 bytes
  EXPECT_FALSE(look.inserted || look.extra);
  EXPECT_EQ(Record(folder, 60, "first").inserted, 0);
  EXPECT_EQ(Decrypt(SplitCrLf(ReadBytes(path))[2], kHighScoreKey), " 20");
  HighScoreView view = Record(folder, 60, "second");  // equal ratings keep the older row above
  EXPECT_EQ(view.table[0][kName] + view.table[1][kName] + view.table[1][kRating], "firstsecond060.0");
  // A full table whose last rating is 55.
  HighScoreTable full = EmptyHighScoreTable();
  for (int r = 0; r < kHighScoreRows; ++r)
    full[r] = MakeHighScoreEntry({"P" + std::to_string(r), 100.0f - 5.0f * r, 1, 1, 1, 1}, 2.0f, "01/01/24");
  WriteBytes(path, HighScoreFileText(full));
  const std::string before = ReadBytes(path);
  view = Record(folder, 55);  // neither in the table nor on the extra row
  EXPECT_FALSE(view.inserted || view.extra);
  view = Record(folder, 54);  // on the extra row only, with the short date
  ASSERT_TRUE(view.extra && !view.inserted);
  EXPECT_EQ((*view.extra)[kRating] + " " + (*view.extra)[kDate], "054.0 6/11/2024");
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(Record(folder, 56).inserted, 9);  // in the last row's place
  HighScoreTable stored = ReadHighScoreText(ReadBytes(path));
  EXPECT_EQ(stored[9][kRating], "056.0");
  stored[9] = full[9];
  EXPECT_EQ(stored, full);
  // Read as far as whole rows go, written back complete at the next insertion.
  auto lines = SplitCrLf(before);
  lines.resize(43);  // five rows and three lines of the sixth
  WriteBytes(path, JoinCrLf(lines));
  EXPECT_EQ(Record(folder, 0).shown[5], HighScoreEntry{});
  EXPECT_EQ(Record(folder, 30).inserted, 5);
  int rows = 0;
  stored = ReadHighScoreText(ReadBytes(path), &rows);
  EXPECT_EQ(rows, 10);
  EXPECT_EQ(stored[4], full[4]);
  EXPECT_TRUE(IsEmptyRow(stored[6]));
}

TEST(HighScores, WindowLinesHeadingsRowsHighlightAndExtraLine) {
  ScratchFolder folder;
  Record(folder, 70, "first");
  HighScoreLines lines = HighScoreWindowText(Record(folder, 80, "second"));
  EXPECT_EQ(lines[0].captions,
            (HighScoreEntry{"rating:", "name:", "turns:", "worlds:", "prod:", "class:", "ships:", "date:"}));
  EXPECT_EQ(lines[1].captions,
            (HighScoreEntry{"080.0", "second", " 20", " 24", " 150", "2.92", " 1234.5", "11/06/24"}));
  EXPECT_EQ(lines[2].captions[kName], "first");
  EXPECT_TRUE(lines[1].highlighted && !lines[2].highlighted && !lines[0].highlighted);
  EXPECT_EQ(lines[3].captions, HighScoreEntry{});  // empty rows show nothing
  EXPECT_FALSE(lines[kHighScoreExtraLine].visible);
  // The menu's look at the table highlights nothing.
  lines = HighScoreWindowText(RecordHighScore(folder.path(), {}, 1.0f, {"a", "b"}));
  for (const HighScoreLine& line : lines) EXPECT_FALSE(line.highlighted);
  EXPECT_EQ(lines[2].captions[kName], "first");
  // A result below a full table shows on the extra line only.
  for (int r = 0; r < 8; ++r) Record(folder, 60.0f - r, "P" + std::to_string(r));
  lines = HighScoreWindowText(Record(folder, 10, "late"));
  EXPECT_TRUE(lines[kHighScoreExtraLine].visible && lines[kHighScoreExtraLine].highlighted);
  EXPECT_EQ(lines[kHighScoreExtraLine].captions[kName] + lines[kHighScoreExtraLine].captions[kDate],
            "late6/11/2024");
  EXPECT_EQ(lines[10].captions[kName], "P7");
}

}  // namespace
}  // namespace zarnath
