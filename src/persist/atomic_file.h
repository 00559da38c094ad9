// Writing a whole file so that a failed write never destroys the old one: the text goes to a
// temporary file beside it, which then replaces the old file in one rename.
#pragma once

#include <string>

namespace zarnath {

// True when the whole text reached the disk under `path`; on failure the old file is untouched
// and `error` (when given) says why.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// The whole file, or nothing when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

std::string JoinPath(const std::string& folder, const std::string& file);

}  // namespace zarnath
