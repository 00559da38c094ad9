// Number rules shared by every part of the game: how numbers become text,
// how text becomes numbers, and how values become integers.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarnath {

// The angle constant every orbit formula uses, and twice it. Angles are stored as 32-bit floats
// and compared with, and reduced by, this double-precision 2 pi.
inline constexpr double kPi = 3.141592;
inline constexpr double kTwoPi = 6.283184;

// Number text of a single-precision value: a leading blank when not negative, "-" otherwise,
// at most 7 significant digits, no leading zero before the point (" .5"), trailing zeros dropped,
// an exponent ("1E-05") for very small or large magnitudes.
std::string Str(float value);
// The same for a double-precision value, with at most 15 significant digits.
std::string Str(double value);
// Whole numbers of the narrow integer fields.
std::string Str(int value);

// Str without its leading blank (the form labels show).
std::string StrTrim(float value);

// The leading number of a text: blanks, tabs and line feeds are ignored, then an optional sign,
// digits, a point, digits and an optional exponent. Anything else ends the number; no number is 0,
// and so is a number too large for a 64-bit float.
double Val(std::string_view text);
// The same number, or nothing when its magnitude is beyond a 64-bit float ("1E+400"); a magnitude
// too small for one reads as 0.
std::optional<double> ValInRange(std::string_view text);

// Formats a value by one of the pictures the game uses: "0", "00", "00000", "0.0", "0.00",
// "0.000", "00.000", "000.0". Rounds half away from zero on the value's 15-digit decimal form.
std::string Format(double value, std::string_view picture);

// Int: the floor, for every value (negative ones and those beyond any integer type included).
inline double Int(double value) {
  return std::floor(value);
}

// Rounding to an integer: the nearest value, ties to the even one.
double RoundEven(double value);

// Rounding into an integer field; nothing when the value does not fit [lo, hi].
std::optional<long long> RoundInto(double value, long long lo, long long hi);

// The year and turn of a game time. The year grows by 0.05 a turn as a 32-bit float sum, which
// drifts in long games; the shown texts go through the whole turn count so they stay exact. A
// year beyond every turn an int counts gives the nearest one it does.
int TurnNumber(float gameYear);
std::string YearText(float gameYear);
std::string TurnText(float gameYear);

}  // namespace zarnath
