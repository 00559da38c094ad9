// The table of the ten best results at this computer and its file "Score130": 80 lines, row 0
// (the best) first, eight ciphered fields a row.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace zarnath {

inline constexpr const char* kHighScoreFile = "Score130";
inline constexpr int kHighScoreRows = 10;
inline constexpr int kHighScoreFields = 8;

// Fields of a row, in the order of the file and of the window's columns.
enum HighScoreField { kRating, kName, kTurns, kWorlds, kProduction, kAverageClass, kShips, kDate };

using HighScoreEntry = std::array<std::string, kHighScoreFields>;
using HighScoreTable = std::array<HighScoreEntry, kHighScoreRows>;

// A finished game's figures, as the next-player step hands them over.
struct GameResult {
  std::string name;
  float rating = 0, ships = 0, production = 0, worlds = 0, classSum = 0;
};

// "000.0" of the rating's number text, with "." as the point: 12.34 gives "012.3".
std::string RatingText(float rating);
// ClassSum / Worlds as "0.00"; "0.00" when no world is owned.
std::string AverageClassText(float classSum, float worlds);
// The row of a result; `date` is the date text of the row. The name is the one the file keeps.
HighScoreEntry MakeHighScoreEntry(const GameResult& result, float gameYear, const std::string& date);

// A row whose ships field reads as 0 is empty; a new table is ten empty rows of " 0".
bool IsEmptyRow(const HighScoreEntry& row);
HighScoreTable EmptyHighScoreTable();
// The stored rating of a row, as a 32-bit float.
float StoredRating(const HighScoreEntry& row);

// The 80 ciphered lines of a table; a character a line cannot keep where it stands is written as
// "?", so every field reads back as one line.
std::string HighScoreFileText(const HighScoreTable& table);
// The rows of a file as far as they are whole; the rest stay empty. `wholeRows` tells how many.
HighScoreTable ReadHighScoreText(std::string_view bytes, int* wholeRows = nullptr);

// Puts a result before the first row with a lower rating; rows of an equal rating stay above it
// and the last row drops out. The row it went to, or nothing when it did not enter.
std::optional<int> InsertHighScore(HighScoreTable& table, const HighScoreEntry& entry, float rating);

// The dates of a row: "dd/mm/yy" for a stored row, the short date of the user's locale for the
// extra line.
struct HighScoreDates {
  std::string stored;
  std::string shortDate;
};
HighScoreDates DatesOf(std::time_t now);

// What the high-score window shows after a result was ranked.
struct HighScoreView {
  HighScoreTable table;                              // as stored in the file
  std::array<HighScoreEntry, kHighScoreRows> shown;  // empty captions for empty rows
  std::optional<int> inserted;                       // the highlighted row
  std::optional<HighScoreEntry> extra;               // a result that did not make a full table
  bool fileWritten = false;
  std::string error;  // why the file could not be made or written back
};

// Reads the file in `folder` (creating it with ten empty rows when it is missing), ranks the
// result, writes the file back when the result entered the table, and says what to show. The
// menu's empty result (no name, all figures 0) only shows the table.
HighScoreView RecordHighScore(const std::string& folder, const GameResult& result, float gameYear,
                              const HighScoreDates& dates);

}  // namespace zarnath
