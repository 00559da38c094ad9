#include "persist/high_scores.h"

#include <filesystem>

#include "model/numbers.h"
#include "persist/atomic_file.h"
#include "persist/kept_names.h"
#include "persist/text_cipher.h"

namespace zarnath {

std::string RatingText(float rating) {
  return Format(Val(Str(rating)), "000.0");
}

std::string AverageClassText(float classSum, float worlds) {
  if (worlds == 0.0f) return Format(0.0, "0.00");
  return Format(static_cast<float>(classSum / worlds), "0.00");
}

HighScoreEntry MakeHighScoreEntry(const GameResult& result, float gameYear, const std::string& date) {
  HighScoreEntry row;
  row[kRating] = RatingText(result.rating);
  // The file keeps every row whole, whatever a winner's name holds: a character it cannot keep
  // where it stands is written as "?", and the window shows the name as the file holds it.
  row[kName] = KeptText(result.name, kHighScoreKey);
  row[kTurns] = Str(TurnNumber(gameYear));
  row[kWorlds] = Str(result.worlds);
  row[kProduction] = Str(result.production);
  row[kAverageClass] = AverageClassText(result.classSum, result.worlds);
  row[kShips] = Str(result.ships);
  row[kDate] = date;
  return row;
}

bool IsEmptyRow(const HighScoreEntry& row) {
  return Val(row[kShips]) == 0.0;
}

HighScoreTable EmptyHighScoreTable() {
  HighScoreTable table;
  for (auto& row : table) row.fill(Str(0));
  return table;
}

float StoredRating(const HighScoreEntry& row) {
  return static_cast<float>(Val(row[kRating]));
}

std::string HighScoreFileText(const HighScoreTable& table) {
  std::string out;
  for (const auto& row : table)
    for (const auto& field : row) {
      out += Encrypt(KeptText(field, kHighScoreKey), kHighScoreKey);
      out += "\r\n";
    }
  return out;
}

HighScoreTable ReadHighScoreText(std::string_view bytes, int* wholeRows) {
  HighScoreTable table = EmptyHighScoreTable();
  size_t pos = 0;
  int rows = 0;
  while (rows < kHighScoreRows && pos < bytes.size()) {
    HighScoreEntry row;
    int fields = 0;
    for (; fields < kHighScoreFields && pos < bytes.size(); ++fields) {
      row[static_cast<size_t>(fields)] = Decrypt(NextValueLine(bytes, pos), kHighScoreKey);
    }
    if (fields < kHighScoreFields) break;  // a row cut short is left out
    table[static_cast<size_t>(rows++)] = std::move(row);
  }
  if (wholeRows) *wholeRows = rows;
  return table;
}

std::optional<int> InsertHighScore(HighScoreTable& table, const HighScoreEntry& entry, float rating) {
  for (int r = 0; r < kHighScoreRows; ++r) {
    if (!(StoredRating(table[static_cast<size_t>(r)]) < rating)) continue;
    for (int below = kHighScoreRows - 1; below > r; --below)
      table[static_cast<size_t>(below)] = table[static_cast<size_t>(below - 1)];
    table[static_cast<size_t>(r)] = entry;
    return r;
  }
  return std::nullopt;
}

HighScoreDates DatesOf(std::time_t now) {
  std::tm tm{};
  localtime_r(&now, &tm);
  char stored[32], shortDate[64];
  std::strftime(stored, sizeof stored, "%d/%m/%y", &tm);
  if (std::strftime(shortDate, sizeof shortDate, "%x", &tm) == 0) shortDate[0] = '\0';
  return {stored, shortDate};
}

HighScoreView RecordHighScore(const std::string& folder, const GameResult& result, float gameYear,
                              const HighScoreDates& dates) {
  HighScoreView view;
  const std::string path = JoinPath(folder, kHighScoreFile);
  bool readable = true;
  std::string bytes;
  if (ReadWholeFile(path, bytes)) {
    view.table = ReadHighScoreText(bytes);
  } else {
    view.table = EmptyHighScoreTable();
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
      // Never write over a file that could not be read.
      readable = false;
      view.error = "Cannot read \"" + path + "\"";
    } else if (!WriteFileAtomically(path, HighScoreFileText(view.table), &view.error)) {
      readable = false;
    }
  }

  view.inserted =
      InsertHighScore(view.table, MakeHighScoreEntry(result, gameYear, dates.stored), result.rating);
  if (view.inserted && readable) {
    std::string error;
    view.fileWritten = WriteFileAtomically(path, HighScoreFileText(view.table), &error);
    if (!view.fileWritten) view.error = error;
  }

  for (int r = 0; r < kHighScoreRows; ++r) {
    const auto& row = view.table[static_cast<size_t>(r)];
    if (!IsEmptyRow(row)) view.shown[static_cast<size_t>(r)] = row;
  }
  const auto& last = view.table[kHighScoreRows - 1];
  if (!IsEmptyRow(last) && StoredRating(last) > result.rating && result.worlds > 0)
    view.extra = MakeHighScoreEntry(result, gameYear, dates.shortDate);
  return view;
}

}  // namespace zarnath
