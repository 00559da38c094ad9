// The text cipher of the game's files: each character code is shifted by an amount that depends
// on its position in the line and on a key text. Every ciphered line of a file is one call; a
// file is never ciphered as a whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarnath {

// Saved games and the network access files.
inline constexpr std::string_view kSavedGameKey = "pold";
// The high-score file.
inline constexpr std::string_view kHighScoreKey = "tavn8";

// The key number of a key text: the floor of (sum of its character codes) x 0.1 / 6, the sum kept
// as a 16-bit signed count.
int16_t KeyNumber(std::string_view key);

// The code Encrypt gives character code `c` at `place` of a line (1 for the first character):
// outside 0 to 255 when the character is left out.
int EncryptedCode(unsigned char c, size_t place, std::string_view key);

// Ciphers one line. A character whose shifted code leaves 0 to 255 is left out; the characters
// after it keep the shift of their own place in the input.
std::string Encrypt(std::string_view text, std::string_view key);
// Undoes Encrypt for every line whose ciphered codes all stayed within 0 to 255.
std::string Decrypt(std::string_view text, std::string_view key);

}  // namespace zarnath
