// The names of saved-game files as the save and load dialogs treat them: a typed name gets the
// extension ".zq" unless it ends in it exactly, and a folder's file list holds exactly the files
// whose names a load would use unchanged, so every listed file loads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zarnath {

inline constexpr std::string_view kSavedGameExtension = ".zq";

// The name a typed name stands for: unchanged when its last three characters are exactly ".zq"
// (case matters), else with ".zq" appended ("game" -> "game.zq", "game.ZQ" -> "game.ZQ.zq").
// An empty name stays empty: there is nothing to save or load.
std::string CompleteSavedGameName(std::string_view typed);

// Whether the file list shows a file of this name: it ends in ".zq" exactly, the same rule that
// leaves a typed name unchanged.
bool IsSavedGameName(std::string_view fileName);

// The saved games of a folder: the names of its regular files (also through a symbolic link)
// that `IsSavedGameName` accepts, in alphabetical order regardless of case. Empty when the
// folder cannot be read.
std::vector<std::string> ListSavedGames(const std::string& folder);

// The folders inside a folder, hidden ones left out, in the same order. Empty when it cannot be
// read.
std::vector<std::string> ListSubfolders(const std::string& folder);

}  // namespace zarnath
