#include "model/exact_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "model/numbers.h"

namespace zarnath {
namespace {

// The number text as it was first written: each try prints the value with printf's "%.*e" and
// reads the text back with the game's own reader.
namespace reference {

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

std::string ExactStr(float value) {
  if (!std::isfinite(value)) return " 0";
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

}  // namespace reference

// Each value with its neighbours one step below and above, of either sign.
template <typename T>
void AddAround(std::vector<T>& values, T v) {
  for (T s : {v, -v}) {
    values.push_back(s);
    values.push_back(std::nextafter(s, std::numeric_limits<T>::infinity()));
    values.push_back(std::nextafter(s, -std::numeric_limits<T>::infinity()));
  }
}

// Where the text changes form or digit count: limits, subnormals, powers of two and of ten, the
// edges of plain notation, values whose rounding carries into a new digit, and values of play.
template <typename T>
std::vector<T> EdgeValues(int plainDigits) {
  using L = std::numeric_limits<T>;
  std::vector<T> v;
  for (T x : {T(0), L::min(), L::max(), L::denorm_min(), L::epsilon(), L::infinity(), L::quiet_NaN()})
    AddAround(v, x);
  for (int e = L::min_exponent - L::digits; e <= L::max_exponent; ++e) AddAround(v, std::ldexp(T(1), e));
  for (int e = L::min_exponent10 - 10; e <= L::max_exponent10; ++e) {
    const T ten = static_cast<T>(std::pow(10.0L, e));
    AddAround(v, ten);
    // Just below a power of ten: rounding to fewer digits carries ("9.9999999" -> "1E+01").
    AddAround(v, static_cast<T>(ten * (1 - 2 * L::epsilon())));
    AddAround(v, static_cast<T>(ten * 0.5));
  }
  for (double x : {1e-5, 9.99999e-5, 1e-4, 0.5, 1.0 / 3, 2.0 / 3, 0.05, 0.1, 0.3, 0.7, 2.35, 123.4567,
                   9999999.5, 99999999.0, 1e15 - 0.5, 999999999999999.0, 1e16, 6.283184, 3.141592})
    AddAround(v, static_cast<T>(x));
  for (int p = plainDigits - 2; p <= plainDigits + 2; ++p) {
    const double edge = std::pow(10.0, p);
    AddAround(v, static_cast<T>(edge - 1));
    AddAround(v, static_cast<T>(edge - 0.5));
  }
  // A game's years, sums of 0.05, and shares of a ring.
  T year = 0;
  for (int turn = 0; turn < 40000; ++turn) v.push_back(year = static_cast<T>(year + T(0.05)));
  for (int i = 1; i <= 2000; ++i) v.push_back(static_cast<T>(6.283184 * i / 2001.0));
  return v;
}

TEST(ExactNumberText, FloatTextsAreThoseOfTheFirstWriting) {
  std::vector<float> values = EdgeValues<float>(7);
  std::mt19937_64 rng(4711);
  for (int i = 0; i < 300000; ++i) values.push_back(std::bit_cast<float>(static_cast<uint32_t>(rng())));
  // Every bit pattern with a fixed stride, sweeping all signs and exponents.
  for (uint64_t bits = 12345; bits <= UINT32_MAX; bits += 8191)
    values.push_back(std::bit_cast<float>(static_cast<uint32_t>(bits)));
  std::uniform_real_distribution<float> ships(0.0f, 1000.0f);
  for (int i = 0; i < 50000; ++i) values.push_back(ships(rng));
  int differ = 0;
  for (float v : values) {
    const std::string want = reference::ExactStr(v), got = ExactStr(v);
    if (got != want && ++differ <= 10)
      ADD_FAILURE() << "bits " << std::bit_cast<uint32_t>(v) << ": \"" << got << "\", not \"" << want << "\"";
  }
  EXPECT_EQ(differ, 0) << "of " << values.size();
}

TEST(ExactNumberText, DoubleTextsAreThoseOfTheFirstWriting) {
  std::vector<double> values = EdgeValues<double>(15);
  std::mt19937_64 rng(815);
  for (int i = 0; i < 300000; ++i) values.push_back(std::bit_cast<double>(rng()));
  // Times left of trips: products and quotients of ordinary values.
  std::uniform_real_distribution<double> trip(0.0, 0.75);
  for (int i = 0; i < 100000; ++i) values.push_back(trip(rng) * (1.0 / 3.0));
  // Floats widened to doubles, whose few significant bits often need fewer than 17 digits.
  for (int i = 0; i < 50000; ++i) values.push_back(std::bit_cast<float>(static_cast<uint32_t>(rng())));
  int differ = 0;
  for (double v : values) {
    const std::string want = reference::ExactStr(v), got = ExactStr(v);
    if (got != want && ++differ <= 10)
      ADD_FAILURE() << "bits " << std::bit_cast<uint64_t>(v) << ": \"" << got << "\", not \"" << want << "\"";
  }
  EXPECT_EQ(differ, 0) << "of " << values.size();
}

}  // namespace
}  // namespace zarnath
