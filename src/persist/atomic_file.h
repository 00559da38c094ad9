// Writing a whole file so that a failed write never destroys the old one: the text goes to a
// temporary file beside it, which then replaces the old file in one rename. Reading a whole file
// that is a file, and not a huge one.
#pragma once

#include <cstddef>
#include <string>

namespace zarnath {

// True when the whole text reached the disk under `path`; on failure the old file is untouched
// and `error` (when given) says why. Each write has a temporary file of its own, so two writes at
// once leave one of the two texts whole. A file that is there keeps its permissions; a symbolic
// link keeps pointing where it did and the file it names gets the text; a folder, a device or any
// other thing that is not a regular file is never replaced.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// Far more than any file of the game holds (a saved game, the high scores, the defaults).
inline constexpr size_t kMostFileBytes = 64 * 1024 * 1024;

enum class FileRead {
  kRead,
  kMissing,     // nothing of that name
  kNotAFile,    // a folder, a device, a pipe or a socket
  kTooLarge,    // more than the limit
  kUnreadable,  // it cannot be read, or a folder on the way cannot be entered
};

// The whole file when it is a regular file of at most `limit` bytes; otherwise `why` (when given)
// says what is wrong, naming the path.
FileRead ReadRegularFile(const std::string& path, std::string& bytes, std::string* why = nullptr,
                         size_t limit = kMostFileBytes);

// The whole file, or nothing when it cannot be read as above.
bool ReadWholeFile(const std::string& path, std::string& bytes);

std::string JoinPath(const std::string& folder, const std::string& file);

}  // namespace zarnath
