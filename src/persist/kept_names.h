// What the game's ciphered files keep of a name. A line of a file is read up to its line feed,
// less one CR before it, and deciphered; the cipher leaves out a character whose shifted code
// leaves 0 to 255, and one that it turns into a line feed breaks the line. Both depend on the
// character's place in the line and on the file's key, so a name the saved game keeps may still
// lose a character in the high-score file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zarnath {

// The next line of a file's value lines from `pos`, which moves past its line end: up to the line
// feed, without one CR before it. The saved game's and the high-score file's readers take their
// ciphered lines this way.
std::string_view NextValueLine(std::string_view bytes, size_t& pos);

// Whether a file ciphered under `key` gives `text` back unchanged: its ciphered line reads back as
// one line and deciphers to the text.
bool FileKeeps(std::string_view text, std::string_view key);

// Whether the character at `place` (counting from 0) of a text stays whole under `key`.
bool FileKeepsAt(std::string_view text, size_t place, std::string_view key);

// A name typed here must be kept whole by every file it may go into: the saved game and the
// high-score file.
bool FilesKeepName(std::string_view name);
// The place (counting from 0) of the first character of a name that one of them cannot keep, or
// nothing.
std::optional<size_t> FirstUnkeptPlace(std::string_view name);

// `text` with "?" in place of each character the file under `key` cannot keep where it stands, so
// that its line stays whole ("?" keeps at every place under both keys).
std::string KeptText(std::string_view text, std::string_view key);

// A name as a message shows it: "?" for each control character.
std::string NameShown(std::string_view name);

}  // namespace zarnath
