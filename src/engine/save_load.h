// Saving the running game to a file and loading a saved game into it, without the dialogs that
// pick the file.
#pragma once

#include <cstdint>
#include <string>

namespace zarnath {
class Game;

// Writes the game to `path`. A failure is shown in a "Zarnath Error" box and answered false; the
// file that was there before is then whole. Nothing is written, and the reason shown, where no
// whole game is here: none in progress (ended, or never begun), a host's state still coming, or
// a game left part-way.
bool SaveGame(Game& g, const std::string& path);
// As above, for a save chosen while the records held the game numbered `chosenFor` (GameNumber):
// a game that has taken its place since is not written under the name chosen for the other, and
// the reason is shown.
bool SaveGame(Game& g, const std::string& path, uint32_t chosenFor);
// Whether no whole game is here to save, as SaveGame finds it; the reason is then shown.
bool SaveRefused(Game& g);
// Whether this machine loads no saved game: a network client's game comes from its host. The
// reason is then shown.
bool LoadRefused(Game& g);

enum class LoadOutcome {
  kLoaded,
  kNotFound,      // "   File Not Found!   "; nothing changed
  kRefused,       // the file is damaged or cannot be read; shown with its reason, nothing changed
  kProgramEnded,  // the screen is too small for the game window
};

// Reads and checks the whole file first; only a whole and sound file replaces the game. Then the
// game window is laid out and shown, the selection, the turn flags and the colours are reset, a
// network host sends the whole game to its clients, the caption is set and the next-player step
// runs; a human seat to move gets its side lists and its move log.
LoadOutcome LoadSavedGame(Game& g, const std::string& path);

}  // namespace zarnath
