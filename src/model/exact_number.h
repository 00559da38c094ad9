// Number text that reads back to the very same value. It is the game's ordinary number text
// (leading blank, "." as the point, no "0" before it, an exponent for extreme magnitudes) with 7
// significant digits for a 32-bit float and 15 for a 64-bit one, and only where those digits do
// not give the value back, the fewest further digits that do.
#pragma once

#include <string>

namespace zarnath {

std::string ExactStr(float value);
std::string ExactStr(double value);

}  // namespace zarnath
