// Rounding a value to a whole number as the game's fields hold it.
#pragma once

#include <cstdint>

namespace zarnath {

// CInt: the nearest integer, halves to even, held in 32 bits (saturated).
int32_t RoundToInt32(double value);
// The same, saturated into a 16-bit field.
int16_t RoundToInt16(double value);

}  // namespace zarnath
