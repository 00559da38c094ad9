#include "persist/exact_number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/numbers.h"

namespace zarnath {
namespace {

// |value| with `digits` significant digits in the game's number form; plain notation while the
// decimal exponent lies from -5 to plainDigits - 1, exponent notation ("1.5E-07") beyond.
std::string NumberText(double value, int digits, int plainDigits) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(value));
  std::string mantissa;
  const char* e = buf;
  for (; *e && *e != 'e'; ++e)
    if (*e >= '0' && *e <= '9') mantissa.push_back(*e);
  const int exponent = *e ? std::atoi(e + 1) : 0;
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
  const int n = static_cast<int>(mantissa.size());
  std::string body;
  if (exponent >= plainDigits || exponent < -4) {
    body = mantissa.substr(0, 1);
    if (n > 1) body += "." + mantissa.substr(1);
    char ex[16];
    std::snprintf(ex, sizeof ex, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    body += ex;
  } else if (exponent < 0) {
    body = "." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
  } else if (n <= exponent + 1) {
    body = mantissa + std::string(static_cast<size_t>(exponent + 1 - n), '0');
  } else {
    body = mantissa.substr(0, static_cast<size_t>(exponent + 1)) + "." +
           mantissa.substr(static_cast<size_t>(exponent + 1));
  }
  return (std::signbit(value) ? "-" : " ") + body;
}

bool SameBits(double a, double b) {
  return a == b && std::signbit(a) == std::signbit(b);
}

}  // namespace

std::string ExactStr(float value) {
  if (!std::isfinite(value)) return " 0";  // never held by a game; written as nothing at all
  if (value == 0.0f) return std::signbit(value) ? "-0" : " 0";
  for (int digits : {7, 8, 9, 17}) {
    std::string text = NumberText(value, digits, 7);
    if (SameBits(static_cast<float>(Val(text)), value)) return text;
  }
  return NumberText(value, 17, 7);
}

std::string ExactStr(double value) {
  if (!std::isfinite(value)) return " 0";
  if (value == 0.0) return std::signbit(value) ? "-0" : " 0";
  for (int digits : {15, 16, 17}) {
    std::string text = NumberText(value, digits, 15);
    if (SameBits(Val(text), value)) return text;
  }
  return NumberText(value, 17, 15);
}

}  // namespace zarnath
