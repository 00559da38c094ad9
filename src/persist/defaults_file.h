// "defaults.cfg": the last setup's player name, shield travel, battle mode and gather/scout turns.
#pragma once

#include <string>

namespace zarnath {
struct SetupState;

inline constexpr const char* kDefaultsFile = "defaults.cfg";

// Writes the four lines of a new game's setup; false (with the reason) when it failed.
bool WriteDefaults(const std::string& folder, const SetupState& setup, std::string* error = nullptr);

}  // namespace zarnath
