#include "model/exact_number.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <system_error>

namespace zarnath {
namespace {

// |value| with `digits` significant digits: the digits without trailing zeros and the power of
// ten of the first one. `sci` keeps the scientific form ("1.2345600e+02") the digits came from.
struct Rounded {
  char sci[40];
  size_t sciSize = 0;
  char digits[20];
  int count = 0;
  int exponent = 0;
};

void Round(double magnitude, int digits, Rounded& r) {
  const auto done =
      std::to_chars(r.sci, r.sci + sizeof r.sci, magnitude, std::chars_format::scientific, digits - 1);
  r.sciSize = static_cast<size_t>(done.ptr - r.sci);
  r.count = 0;
  const char* c = r.sci;
  for (; c < done.ptr && *c != 'e'; ++c)
    if (*c >= '0' && *c <= '9') r.digits[r.count++] = *c;
  int exponent = 0;
  if (c < done.ptr) std::from_chars(c + (c[1] == '+' ? 2 : 1), done.ptr, exponent);
  r.exponent = exponent;
  while (r.count > 1 && r.digits[r.count - 1] == '0') --r.count;
}

// Whether the rounded digits, read as the game reads a number (as a 64-bit float, a number
// beyond its range reading as nothing), give back `value` with its very bits.
template <typename T>
bool ReadsBack(const Rounded& r, T value) {
  double read = 0.0;
  const auto [end, ec] = std::from_chars(r.sci, r.sci + r.sciSize, read);
  (void)end;
  if (ec != std::errc() || !std::isfinite(read)) return false;
  if (std::signbit(value)) read = -read;
  const T back = static_cast<T>(read);
  return back == value && std::signbit(back) == std::signbit(value);
}

// The game's number form of the rounded digits; plain notation while the decimal exponent lies
// from -5 to plainDigits - 1, exponent notation ("1.5E-07") beyond.
std::string NumberText(bool negative, const Rounded& r, int plainDigits) {
  char buf[48];
  char* o = buf;
  *o++ = negative ? '-' : ' ';
  const int n = r.count, exponent = r.exponent;
  if (exponent >= plainDigits || exponent < -4) {
    *o++ = r.digits[0];
    if (n > 1) {
      *o++ = '.';
      for (int i = 1; i < n; ++i) *o++ = r.digits[i];
    }
    *o++ = 'E';
    *o++ = exponent < 0 ? '-' : '+';
    const int e = std::abs(exponent);
    if (e < 10) *o++ = '0';
    o = std::to_chars(o, buf + sizeof buf, e).ptr;
  } else if (exponent < 0) {
    *o++ = '.';
    for (int i = 0; i < -exponent - 1; ++i) *o++ = '0';
    for (int i = 0; i < n; ++i) *o++ = r.digits[i];
  } else {
    for (int i = 0; i <= exponent || i < n; ++i) {
      if (i == exponent + 1) *o++ = '.';
      *o++ = i < n ? r.digits[i] : '0';
    }
  }
  return std::string(buf, o);
}

// The first of the digit counts tried whose text reads back, else the last one tried.
template <typename T>
std::string Exact(T value, std::initializer_list<int> tries, int plainDigits) {
  if (!std::isfinite(value)) return " 0";  // never held by a game; written as nothing at all
  if (value == 0) return std::signbit(value) ? "-0" : " 0";
  Rounded r;
  const double magnitude = std::fabs(static_cast<double>(value));
  for (int digits : tries) {
    Round(magnitude, digits, r);
    if (ReadsBack(r, value)) break;
  }
  return NumberText(std::signbit(value), r, plainDigits);
}

}  // namespace

std::string ExactStr(float value) {
  return Exact(value, {7, 8, 9, 17}, 7);
}

std::string ExactStr(double value) {
  return Exact(value, {15, 16, 17}, 15);
}

}  // namespace zarnath
