#include "persist/text_cipher.h"

#include <cmath>

namespace zarnath {
namespace {

// By position number (place in the line modulo 6): the term subtracted from the key number, and
// whether Encrypt adds (true) or subtracts (false) the difference.
constexpr int kOffset[6] = {2, 5, 4, 2, 3, 5};
constexpr bool kAdds[6] = {false, true, false, true, false, true};

// The shifted code of character code `c` at `place` (counting from 1) under key number `k`.
int Shifted(int c, size_t place, int k, bool encrypt) {
  const size_t p = place % 6;  // 1 for the first character, 0 for the sixth, 1 again for the seventh
  const int term = k - kOffset[p];
  return encrypt ? (kAdds[p] ? c + term : c - term) + static_cast<int>(p)
                 : (kAdds[p] ? c - term : c + term) - static_cast<int>(p);
}

std::string Shift(std::string_view text, std::string_view key, bool encrypt) {
  const int k = KeyNumber(key);
  std::string out;
  out.reserve(text.size());
  size_t place = 0;
  for (char ch : text) {
    const int shifted = Shifted(static_cast<unsigned char>(ch), ++place, k, encrypt);
    if (shifted >= 0 && shifted <= 255) out.push_back(static_cast<char>(static_cast<unsigned char>(shifted)));
  }
  return out;
}

}  // namespace

int16_t KeyNumber(std::string_view key) {
  int16_t sum = 0;
  for (char ch : key) sum = static_cast<int16_t>(sum + static_cast<unsigned char>(ch));
  return static_cast<int16_t>(std::floor(static_cast<double>(sum) * 0.1 / 6.0));
}

int EncryptedCode(unsigned char c, size_t place, std::string_view key) {
  return Shifted(c, place, KeyNumber(key), true);
}

std::string Encrypt(std::string_view text, std::string_view key) {
  return Shift(text, key, true);
}
std::string Decrypt(std::string_view text, std::string_view key) {
  return Shift(text, key, false);
}

}  // namespace zarnath
