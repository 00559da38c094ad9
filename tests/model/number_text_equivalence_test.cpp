// The number texts and pictures stay those of their first writing, which printed every value with
// printf's "%.*e" before cutting it into the game's forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model/numbers.h"

namespace zarnath {
namespace {

namespace reference {

struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal ToDecimal(double magnitude, int precision) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", precision - 1, magnitude);
  Decimal d;
  std::string_view s(buf);
  size_t e = s.find('e');
  for (char c : s.substr(0, e))
    if (c >= '0' && c <= '9') d.digits.push_back(c);
  d.exponent = e == std::string_view::npos ? 0 : std::atoi(buf + e + 1);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

std::string NumberText(double value, int precision) {
  if (value == 0.0 || std::isnan(value)) return " 0";
  std::string sign = value < 0 ? "-" : " ";
  Decimal d = ToDecimal(std::fabs(value), precision);
  const int n = static_cast<int>(d.digits.size());
  std::string body;
  if (d.exponent >= precision || d.exponent < -4) {
    body = d.digits.substr(0, 1);
    if (n > 1) body += "." + d.digits.substr(1);
    char ex[16];
    std::snprintf(ex, sizeof ex, "E%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    body += ex;
  } else if (d.exponent < 0) {
    body = "." + std::string(static_cast<size_t>(-d.exponent - 1), '0') + d.digits;
  } else if (n <= d.exponent + 1) {
    body = d.digits + std::string(static_cast<size_t>(d.exponent + 1 - n), '0');
  } else {
    body = d.digits.substr(0, static_cast<size_t>(d.exponent + 1)) + "." +
           d.digits.substr(static_cast<size_t>(d.exponent + 1));
  }
  return sign + body;
}

std::string Format(double value, std::string_view picture) {
  size_t point = picture.find('.');
  const int intDigits = static_cast<int>(point == std::string_view::npos ? picture.size() : point);
  const int fracDigits = point == std::string_view::npos ? 0 : static_cast<int>(picture.size() - point - 1);
  if (!std::isfinite(value)) value = 0.0;
  const bool negative = value < 0;
  Decimal d = ToDecimal(std::fabs(value), 15);
  std::string whole, frac;
  for (int pos = d.exponent; pos >= 0; --pos) {
    int idx = d.exponent - pos;
    whole.push_back(idx < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(idx)] : '0');
  }
  for (int pos = -1; pos >= -(fracDigits + 1); --pos) {
    int idx = d.exponent - pos;
    frac.push_back(idx >= 0 && idx < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(idx)]
                                                                       : '0');
  }
  if (std::fabs(value) == 0.0) whole.clear(), frac.assign(static_cast<size_t>(fracDigits + 1), '0');
  bool roundUp = frac.back() >= '5';
  frac.pop_back();
  std::string all = whole + frac;
  if (roundUp) {
    int i = static_cast<int>(all.size()) - 1;
    while (i >= 0 && all[static_cast<size_t>(i)] == '9') all[static_cast<size_t>(i--)] = '0';
    if (i >= 0)
      all[static_cast<size_t>(i)]++;
    else
      all.insert(all.begin(), '1');
  }
  std::string w = all.substr(0, all.size() - static_cast<size_t>(fracDigits));
  std::string f = all.substr(all.size() - static_cast<size_t>(fracDigits));
  while (w.size() > 1 && w[0] == '0') w.erase(w.begin());
  if (w == "0" && intDigits == 0) w.clear();
  while (static_cast<int>(w.size()) < intDigits) w.insert(w.begin(), '0');
  bool allZero = (w + f).find_first_not_of('0') == std::string::npos;
  std::string out = (negative && !allZero) ? "-" : "";
  out += w;
  if (fracDigits > 0) out += "." + f;
  return out;
}

enum class Leading { kNone, kNumber, kTooLarge };

bool AboveRange(std::string_view num) {
  const size_t e = num.find('e');
  const std::string_view mantissa = num.substr(0, e);
  long long exponent = 0;
  if (e != std::string_view::npos) {
    size_t i = e + 1;
    const bool negative = i < num.size() && num[i] == '-';
    if (i < num.size() && (num[i] == '+' || num[i] == '-')) ++i;
    for (; i < num.size(); ++i) exponent = std::min(exponent * 10 + (num[i] - '0'), 1000000000LL);
    if (negative) exponent = -exponent;
  }
  const size_t point = std::min(mantissa.find('.'), mantissa.size());
  long long place = static_cast<long long>(point) - 1;
  for (size_t i = 0; i < mantissa.size(); ++i) {
    if (i == point) continue;
    if (mantissa[i] != '0') return place + exponent > 0;
    --place;
  }
  return false;
}

Leading ReadLeading(std::string_view text, double& out) {
  std::string s;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
  size_t i = 0;
  std::string num;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) num.push_back(s[i++]);
  bool digits = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') num.push_back(s[i++]), digits = true;
  if (i < s.size() && s[i] == '.') {
    num.push_back(s[i++]);
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') num.push_back(s[i++]), digits = true;
  }
  if (!digits) return Leading::kNone;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    std::string ex = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ex.push_back(s[j++]);
    size_t start = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') ex.push_back(s[j++]);
    if (j > start) num += ex;
  }
  double v = 0.0;
  const char* first = num.data();
  if (*first == '+' || *first == '-') ++first;
  auto [end, ec] = std::from_chars(first, num.data() + num.size(), v);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    if (AboveRange(std::string_view(first, static_cast<size_t>(num.data() + num.size() - first))))
      return Leading::kTooLarge;
    v = 0.0;
  } else if (ec != std::errc() || !std::isfinite(v)) {
    return Leading::kNone;
  }
  out = num[0] == '-' ? -v : v;
  return Leading::kNumber;
}

std::optional<double> ValInRange(std::string_view text) {
  double v = 0.0;
  switch (ReadLeading(text, v)) {
    case Leading::kNumber:
      return v;
    case Leading::kNone:
      return 0.0;
    case Leading::kTooLarge:
      break;
  }
  return std::nullopt;
}

}  // namespace reference

// Limits, infinities, powers of two and ten with their neighbours, halves that round either way,
// random bit patterns and values of play.
template <typename T>
std::vector<T> Values(uint64_t seed, int randomCount) {
  using L = std::numeric_limits<T>;
  std::vector<T> v;
  auto around = [&](T x) {
    for (T s : {x, -x}) {
      v.push_back(s);
      v.push_back(std::nextafter(s, L::infinity()));
      v.push_back(std::nextafter(s, -L::infinity()));
    }
  };
  for (T x : {T(0), L::min(), L::max(), L::denorm_min(), L::infinity(), L::quiet_NaN()}) around(x);
  for (int e = L::min_exponent - L::digits; e <= L::max_exponent; e += 3) around(std::ldexp(T(1), e));
  for (int e = L::min_exponent10; e <= L::max_exponent10; ++e) around(static_cast<T>(std::pow(10.0L, e)));
  // Whole numbers of play (ships, shields) and the last whole numbers written without an exponent.
  for (int i = -3000; i <= 3000; ++i) around(static_cast<T>(i) * static_cast<T>(i % 7 == 0 ? 3331 : 1));
  for (double top : {1e7, 1e15}) {
    for (double d = 1; d <= 3; ++d) around(static_cast<T>(top - d));
    around(static_cast<T>(top));
  }
  for (int i = -2000; i <= 2000; ++i) {
    around(static_cast<T>(i / 1000.0));
    around(static_cast<T>(i + 0.5));
    around(static_cast<T>(i * 0.0005));
  }
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> play(-1000.0, 1000.0);
  for (int i = 0; i < randomCount; ++i) {
    if constexpr (sizeof(T) == 4)
      v.push_back(std::bit_cast<T>(static_cast<uint32_t>(rng())));
    else
      v.push_back(std::bit_cast<T>(rng()));
    v.push_back(static_cast<T>(play(rng)));
  }
  return v;
}

TEST(NumberTextEquivalence, StrIsTheTextOfItsFirstWriting) {
  int differ = 0;
  for (float v : Values<float>(17, 100000)) {
    const std::string want = reference::NumberText(static_cast<double>(v), 7), got = Str(v);
    if (got != want && ++differ <= 10) ADD_FAILURE() << "float " << std::bit_cast<uint32_t>(v) << ": " << got;
  }
  for (double v : Values<double>(18, 100000)) {
    const std::string want = reference::NumberText(v, 15), got = Str(v);
    if (got != want && ++differ <= 10)
      ADD_FAILURE() << "double " << std::bit_cast<uint64_t>(v) << ": " << got;
  }
  EXPECT_EQ(differ, 0);
}

TEST(NumberTextEquivalence, EveryPictureIsTheTextOfItsFirstWriting) {
  const std::vector<double> values = Values<double>(19, 20000);
  int differ = 0;
  for (const char* picture : {"0", "00", "00000", "0.0", "0.00", "0.000", "00.000", "000.0"})
    for (double v : values) {
      if (std::fabs(v) > 1e30) continue;  // the whole digits of larger values fill a line of their own
      const std::string want = reference::Format(v, picture), got = Format(v, picture);
      if (got != want && ++differ <= 10)
        ADD_FAILURE() << picture << " of " << std::bit_cast<uint64_t>(v) << ": " << got << ", not " << want;
    }
  EXPECT_EQ(differ, 0);
}

// The year of the captions and logs is the picture "0.00" of its hundredths, for every turn count
// a stored year can give: before year 1.00, in long games and at the ends of the range.
TEST(NumberTextEquivalence, TheYearIsItsPictureOfTwoDecimals) {
  std::vector<float> years = {0.0f,
                              -1.0f,
                              0.95f,
                              0.9999f,
                              1e9f,
                              -1e9f,
                              4e9f,
                              -4e9f,
                              3e38f,
                              -3e38f,
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::quiet_NaN()};
  for (int turn = -3000; turn <= 30000; ++turn) years.push_back(1.0f + static_cast<float>(turn) * 0.05f);
  std::mt19937 rng(29);
  for (int i = 0; i < 20000; ++i) years.push_back(std::bit_cast<float>(static_cast<uint32_t>(rng())));
  int differ = 0;
  for (float year : years) {
    const double hundredths = 100.0 + 5.0 * TurnNumber(year);
    const std::string want = reference::Format(hundredths / 100.0, "0.00"), got = YearText(year);
    if (got != want && ++differ <= 10) ADD_FAILURE() << "year " << year << ": " << got << ", not " << want;
  }
  EXPECT_EQ(differ, 0);
}

// Numbers read from texts: signs, points, exponents with every letter, blanks anywhere, long runs of
// digits, magnitudes beyond a 64-bit float either way, and texts that hold no number.
TEST(NumberTextEquivalence, ValReadsWhatItsFirstWritingRead) {
  std::vector<std::string> texts = {"",         " ",        " 12",      "-.5",        ".5",  "1E+400",
                                    "-1e400",   "1e-400",   "1d5",      "1D-3",       "1e",  "1e+",
                                    "+7",       "- 7",      "1 2 3",    "\t\n 4.25x", "x12", "0.000e999",
                                    "1.5E+308", "1.8E+308", "4.9e-324", "2e-324",     "."};
  texts.push_back(std::string(70, '9'));
  texts.push_back(" " + std::string(63, '1') + " .5");
  texts.push_back(std::string(64, ' ') + "3");
  texts.push_back(std::string(300, '0') + "1e-290");
  std::mt19937 rng(23);
  const std::string alphabet = " \t\n+-.0123456789eEdDx,";
  for (int i = 0; i < 200000; ++i) {
    std::string t(rng() % (i % 50 == 0 ? 140 : 24), ' ');
    for (char& c : t) c = alphabet[rng() % alphabet.size()];
    texts.push_back(t);
  }
  int differ = 0;
  for (const std::string& t : texts) {
    const std::optional<double> want = reference::ValInRange(t), got = ValInRange(t);
    const bool same = want.has_value() == got.has_value() &&
                      (!want || std::bit_cast<uint64_t>(*want) == std::bit_cast<uint64_t>(*got));
    if (!same && ++differ <= 10) ADD_FAILURE() << "\"" << t << "\"";
  }
  EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace zarnath
