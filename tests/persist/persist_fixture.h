// Helpers of the file tests: a scratch folder, file bytes and lines, a game in the middle of play.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "fixtures/test_game.h"
#include "persist/atomic_file.h"

namespace zarnath::testing {

// A fresh folder under the system's temporary folder, removed again at the end of the test.
struct ScratchFolder {
  std::string dir = (std::filesystem::temp_directory_path() / "zarnath-persist-XXXXXX").string();
  ScratchFolder() {
    if (!::mkdtemp(dir.data())) std::abort();
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  const std::string& path() const { return dir; }
  std::string File(const std::string& name) const { return dir + "/" + name; }
};

inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  return ReadWholeFile(path, bytes) ? bytes : "(cannot be read)";
}
inline void WriteBytes(const std::string& path, const std::string& bytes) {
  if (!WriteFileAtomically(path, bytes)) std::abort();
}
using Lines = std::vector<std::string>;
// The file's lines without their CR LF, and back.
Lines SplitCrLf(const std::string& bytes);
std::string JoinCrLf(const Lines& lines);

// Line numbers (0-based) in the saved game of `MakeMidGame` with one-line texts.
inline constexpr int kFirstWorldLine = 19, kWorldRecordLines = 26, kFirstFleetLine = 799,
                     kFirstBombLine = 1699, kFirstLogLine = 1759, kFirstIntelligenceLine = 1767;

// Three seats (seat 2 a computer) in the middle of play: objects in flight, bombs, histories and logs
// (multi-line when asked), marks, intelligence, and numbers 7 or 15 digits would not give back.
void MakeMidGame(TestGame& t, bool multiLineTexts);

// The names of the fields a saved game holds that differ, floats compared bit for bit.
Lines SavedFieldDifferences(const GameState& a, const GameState& b);

}  // namespace zarnath::testing
