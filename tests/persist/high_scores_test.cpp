#include "persist/high_scores.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "persist/text_cipher.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::SplitCrLf;
using testing::WriteBytes;

const HighScoreDates kDates{"11/06/24", "6/11/2024"};

GameResult Won(float rating, const std::string& name = "Ulla") {
  return {name, rating, 1234.5f, 150, 24, 70};
}

// A full table rated 100, 95, ... 55, written to the folder's file.
HighScoreTable FullTable(const std::string& folder) {
  HighScoreTable table = EmptyHighScoreTable();
  for (int r = 0; r < kHighScoreRows; ++r)
    table[static_cast<size_t>(r)] =
        MakeHighScoreEntry(Won(100.0f - 5.0f * r, "P" + std::to_string(r)), 2.0f, "01/01/24");
  WriteBytes(folder + "/" + kHighScoreFile, HighScoreFileText(table));
  return table;
}

TEST(HighScoreRow, FieldsOfANewResult) {
  EXPECT_EQ(RatingText(12.34f), "012.3");
  EXPECT_EQ(RatingText(1234.5f), "1234.5");
  EXPECT_EQ(RatingText(0.0f), "000.0");
  const HighScoreEntry row = MakeHighScoreEntry({"Ulla", 87.65f, 1234.5f, 150, 24, 70}, 1.55f, "11/06/24");
  EXPECT_EQ(row, (HighScoreEntry{"087.7", "Ulla", " 11", " 24", " 150", "2.92", " 1234.5", "11/06/24"}));
  // No world owned: no division, an average class of 0.
  EXPECT_EQ(AverageClassText(12, 0), "0.00");
  EXPECT_EQ(MakeHighScoreEntry({"x", 5, 1, 1, 0, 0}, 1.0f, "d")[kAverageClass], "0.00");
}

TEST(HighScoreFile, AMissingFileIsMadeOfTenEmptyRows) {
  ScratchFolder folder;
  const HighScoreView view = RecordHighScore(folder.path(), GameResult{}, 0.0f, kDates);  // the menu's look
  const std::string bytes = ReadBytes(folder.File(kHighScoreFile));
  EXPECT_EQ(bytes.size(), 320u);
  std::string expected;
  for (int i = 0; i < 80; ++i) expected += "$.\r\n";
  EXPECT_EQ(bytes, expected);
  EXPECT_FALSE(view.inserted);
  EXPECT_FALSE(view.extra);
  for (const auto& row : view.shown) EXPECT_EQ(row, HighScoreEntry{});
}

TEST(HighScoreFile, FirstResultBecomesRowZero) {
  ScratchFolder folder;
  const HighScoreView view = RecordHighScore(folder.path(), Won(50), 2.0f, kDates);
  ASSERT_EQ(view.inserted, 0);
  EXPECT_TRUE(view.fileWritten);
  const auto lines = SplitCrLf(ReadBytes(folder.File(kHighScoreFile)));
  ASSERT_EQ(lines.size(), 80u);
  EXPECT_EQ(Decrypt(lines[0], kHighScoreKey), "050.0");
  EXPECT_EQ(Decrypt(lines[1], kHighScoreKey), "Ulla");
  EXPECT_EQ(Decrypt(lines[2], kHighScoreKey), " 20");
  EXPECT_EQ(Decrypt(lines[7], kHighScoreKey), "11/06/24");
  for (size_t i = 8; i < 80; ++i) EXPECT_EQ(Decrypt(lines[i], kHighScoreKey), " 0");
  EXPECT_EQ(view.shown[0][kName], "Ulla");
  EXPECT_EQ(view.shown[1], HighScoreEntry{});
}

TEST(HighScoreFile, EqualRatingsKeepTheOlderRowAbove) {
  ScratchFolder folder;
  RecordHighScore(folder.path(), Won(60, "first"), 2.0f, kDates);
  const HighScoreView view = RecordHighScore(folder.path(), Won(60, "second"), 2.0f, kDates);
  EXPECT_EQ(view.inserted, 1);
  EXPECT_EQ(view.table[0][kName], "first");
  EXPECT_EQ(view.table[1][kName], "second");
}

TEST(HighScoreFile, FullTableWithLastRating55) {
  ScratchFolder folder;
  const std::string path = folder.File(kHighScoreFile);
  const HighScoreTable full = FullTable(folder.path());
  const std::string before = ReadBytes(path);

  // 55 equals the last row: not in the table and not on the extra line.
  HighScoreView view = RecordHighScore(folder.path(), Won(55), 2.0f, kDates);
  EXPECT_FALSE(view.inserted);
  EXPECT_FALSE(view.extra);
  EXPECT_EQ(ReadBytes(path), before);

  // 54 only shows on the extra line, with the short date; the file is untouched.
  view = RecordHighScore(folder.path(), Won(54), 2.0f, kDates);
  EXPECT_FALSE(view.inserted);
  ASSERT_TRUE(view.extra);
  EXPECT_EQ((*view.extra)[kRating], "054.0");
  EXPECT_EQ((*view.extra)[kDate], "6/11/2024");
  EXPECT_EQ(ReadBytes(path), before);

  // 56 takes the last row's place.
  view = RecordHighScore(folder.path(), Won(56), 2.0f, kDates);
  ASSERT_EQ(view.inserted, 9);
  EXPECT_FALSE(view.extra);
  int rows = 0;
  const HighScoreTable stored = ReadHighScoreText(ReadBytes(path), &rows);
  EXPECT_EQ(rows, 10);
  EXPECT_EQ(stored[9][kRating], "056.0");
  for (int r = 0; r < 9; ++r) EXPECT_EQ(stored[static_cast<size_t>(r)], full[static_cast<size_t>(r)]);
}

TEST(HighScoreFile, AResultInTheMiddlePushesTheRestDown) {
  ScratchFolder folder;
  const HighScoreTable full = FullTable(folder.path());
  const HighScoreView view = RecordHighScore(folder.path(), Won(82), 2.0f, kDates);
  ASSERT_EQ(view.inserted, 4);  // below 100, 95, 90, 85
  for (int r = 5; r < kHighScoreRows; ++r)
    EXPECT_EQ(view.table[static_cast<size_t>(r)], full[static_cast<size_t>(r - 1)]);
}

TEST(HighScoreFile, ACutShortFileIsReadAsFarAsItIsWholeAndWrittenBackComplete) {
  ScratchFolder folder;
  const std::string path = folder.File(kHighScoreFile);
  const HighScoreTable full = FullTable(folder.path());
  auto lines = SplitCrLf(ReadBytes(path));
  lines.resize(43);  // five whole rows and three lines of the sixth
  testing::WriteBytes(path, testing::JoinCrLf(lines));

  HighScoreView view = RecordHighScore(folder.path(), GameResult{}, 0.0f, kDates);
  EXPECT_EQ(ReadBytes(path).size(), testing::JoinCrLf(lines).size());  // only shown, not touched
  for (int r = 0; r < 5; ++r) EXPECT_EQ(view.shown[static_cast<size_t>(r)], full[static_cast<size_t>(r)]);
  EXPECT_EQ(view.shown[5], HighScoreEntry{});

  view = RecordHighScore(folder.path(), Won(30), 2.0f, kDates);
  ASSERT_EQ(view.inserted, 5);
  int rows = 0;
  const HighScoreTable stored = ReadHighScoreText(ReadBytes(path), &rows);
  EXPECT_EQ(rows, 10);
  EXPECT_EQ(SplitCrLf(ReadBytes(path)).size(), 80u);
  EXPECT_EQ(stored[4], full[4]);
  EXPECT_EQ(stored[5][kRating], "030.0");
  EXPECT_TRUE(IsEmptyRow(stored[6]));
}

TEST(HighScoreFile, AFailedWriteIsReportedAndTheOldFileStaysWhole) {
  ScratchFolder folder;
  const std::string path = folder.File(kHighScoreFile);
  FullTable(folder.path());
  const std::string before = ReadBytes(path);
  std::filesystem::create_directory(path + ".tmp");  // the temporary file cannot be made
  const HighScoreView view = RecordHighScore(folder.path(), Won(99), 2.0f, kDates);
  EXPECT_EQ(view.inserted, 1);
  EXPECT_FALSE(view.fileWritten);
  EXPECT_NE(view.error.find("Score130"), std::string::npos) << view.error;
  EXPECT_EQ(ReadBytes(path), before);
}

}  // namespace
}  // namespace zarnath
