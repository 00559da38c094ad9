// The saved-game file: the whole state of a game in progress as ciphered value lines and plain
// text blocks, one value a line, each line ended by CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/game.h"

namespace zarnath {

// Lines of a file whose free texts (world histories and move logs) are all one line long.
inline constexpr int kSavedGameLines = 2367;
// The line that ends a free text.
inline constexpr std::string_view kTextBlockEnd = " 255";

// The file of a game state. Numbers read back to the very value they hold; a text line that
// looks like the end-of-text line is written with one more leading blank.
std::string SavedGameText(const GameState& g);

// The first name the file cannot keep, as the reason it is not written: a player's or a world's
// name that would not read back as it is, because the cipher leaves a character of it out or
// turns one into a line's end (a name a host sent may hold any character; one typed here is
// refused where it is typed). Nothing when every name keeps.
std::optional<std::string> UnkeptName(const GameState& g);

// Writes the file through a temporary file and a rename; false (with the reason) when it
// failed, and the file that was there before is then whole. A game holding a name the file
// cannot keep is not written.
bool WriteSavedGame(const GameState& g, const std::string& path, std::string* error = nullptr);

// Why a file was refused: an error number and what is wrong where.
struct SavedGameRefusal {
  int number = 0;
  std::string problem;
  // The text of the "Zarnath Error" box: "Error # ", the number, a CR and the problem.
  std::string Message() const;
};

struct SavedGameRead {
  // The game after the load: `prior` with every value the file holds taken over, the setup's
  // options, the option menus and the computer seats set from it. Empty when refused.
  std::optional<GameState> state;
  SavedGameRefusal refusal;
  bool olderHeader = false;       // a two-line header without options
  int olderWorldRecords = 0;      // world records without the gather and mark lines
  bool intelligenceRead = false;  // false when the file ends after the move logs
};

// Reads and checks a whole file. A file that ends anywhere before its last move log, or inside
// the intelligence lines, holds a value its field cannot take, or a game that breaks a rule of
// play (CheckGameState, named by the line of the field), is refused; what the file does not hold
// keeps its value from `prior`.
SavedGameRead ReadSavedGame(const GameState& prior, std::string_view bytes);

}  // namespace zarnath
