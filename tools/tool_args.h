// What the developer tools share in reading their command lines.
#pragma once

#include <cstdint>
#include <string_view>

namespace zarnath::tools {

// A whole number of decimal digits from lo to hi; a number beyond hi is refused, never wrapped.
inline bool ParseInt(std::string_view text, uint64_t lo, uint64_t hi, uint64_t& out) {
  if (text.empty()) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    const auto digit = static_cast<uint64_t>(c - '0');
    if (digit > hi || v > (hi - digit) / 10) return false;
    v = v * 10 + digit;
  }
  if (v < lo) return false;
  out = v;
  return true;
}

}  // namespace zarnath::tools
