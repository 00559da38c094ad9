// "defaults.cfg": the last setup's player name, shield travel, battle mode and gather/scout turns.
#pragma once

#include <string>

namespace zarnath {
struct SetupState;

inline constexpr const char* kDefaultsFile = "defaults.cfg";

// Writes the four lines of a new game's setup; false (with the reason) when it failed.
bool WriteDefaults(const std::string& folder, const SetupState& setup, std::string* error = nullptr);

// A client that joined a host stores only its name: the file anew with line 1 alone.
bool WriteDefaultsName(const std::string& folder, const std::string& name, std::string* error = nullptr);

// Reads the file back into the setup when the setup window loads: line 1 the first seat's name,
// lines 2 and 3 the shield-travel and battle-mode boxes (0 or 1), line 4 the gather/scout turns
// (1 to 5). A missing file, a missing line or a value its box cannot take ends the reading at
// that line, quietly; what was not read keeps its value. The name never takes a "*" or "_".
void ReadDefaults(const std::string& folder, SetupState& setup);

}  // namespace zarnath
