// Shared helpers of the saved-game and high-score tests: a scratch folder, a game in the middle
// of play, and a field-by-field comparison of everything a saved game holds.
#pragma once

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fixtures/test_game.h"
#include "model/game.h"

namespace zarnath::testing {

// A fresh folder under the system's temporary folder, removed again at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zarnath-persist-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The file's lines without their CR LF.
std::vector<std::string> SplitCrLf(const std::string& bytes);
std::string JoinCrLf(const std::vector<std::string>& lines);

// A game of three seats (seat 2 a computer player) a few turns into play: fleets, scouts and
// bombs in flight, planted proximity bombs, histories and logs (multi-line when asked, one line
// each otherwise), marks, gather exclusions and intelligence, with values whose 7 or 15 digits
// would not give them back.
void MakeMidGame(TestGame& t, const std::string& folder, bool multiLineTexts);

// Every difference in the fields a saved game holds, floats compared bit for bit.
std::vector<std::string> SavedFieldDifferences(const GameState& a, const GameState& b);

}  // namespace zarnath::testing
