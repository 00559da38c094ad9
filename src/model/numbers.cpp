#include "model/numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zarnath {
namespace {

// Decimal digits and exponent of |value| rounded to `precision` significant digits.
struct Decimal {
  std::string digits;  // no leading or trailing zeros, at least one digit
  int exponent = 0;    // value = 0.d1d2d3... x 10^(exponent + 1), i.e. d1 sits at 10^exponent
};

Decimal ToDecimal(double magnitude, int precision) {
  // The digits printf's "%.*e" gives, rounded from the exact binary value.
  char buf[64];
  const char* end =
      std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, precision - 1).ptr;
  Decimal d;
  const char* c = buf;
  for (; c < end && *c != 'e'; ++c)
    if (*c >= '0' && *c <= '9') d.digits.push_back(*c);
  int exponent = 0;
  if (c < end) std::from_chars(c + (c[1] == '+' ? 2 : 1), end, exponent);
  d.exponent = exponent;
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

}  // namespace

std::string Str(float value) {
  return NumberText(static_cast<double>(value), 7);
}
std::string Str(double value) {
  return NumberText(value, 15);
}
std::string Str(int value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string StrTrim(float value) {
  std::string s = Str(value);
  return s[0] == ' ' ? s.substr(1) : s;
}

namespace {

enum class Leading { kNone, kNumber, kTooLarge };

// Whether a decimal number that a 64-bit float cannot hold lies above its range (rather than
// below it): the power of ten of its first significant digit is positive.
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
  // The power of ten of each digit: the one just before the point stands for 10^0.
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
  // from_chars reads "." as the point whatever the locale.
  double v = 0.0;
  const char* first = num.data();
  if (*first == '+' || *first == '-') ++first;
  auto [end, ec] = std::from_chars(first, num.data() + num.size(), v);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    if (AboveRange(std::string_view(first, static_cast<size_t>(num.data() + num.size() - first))))
      return Leading::kTooLarge;
    v = 0.0;  // below the smallest magnitude: 0
  } else if (ec != std::errc() || !std::isfinite(v)) {
    return Leading::kNone;
  }
  out = num[0] == '-' ? -v : v;
  return Leading::kNumber;
}

}  // namespace

double Val(std::string_view text) {
  double v = 0.0;
  return ReadLeading(text, v) == Leading::kNumber ? v : 0.0;
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

std::string Format(double value, std::string_view picture) {
  size_t point = picture.find('.');
  const int intDigits = static_cast<int>(point == std::string_view::npos ? picture.size() : point);
  const int fracDigits = point == std::string_view::npos ? 0 : static_cast<int>(picture.size() - point - 1);
  if (!std::isfinite(value)) value = 0.0;
  const bool negative = value < 0;
  // Round half away from zero on the 15-digit decimal form, as the display rules do.
  Decimal d = ToDecimal(std::fabs(value), 15);
  // Digits before the point and after it, exact to fracDigits + 1 places.
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

double RoundEven(double value) {
  return std::nearbyint(value);
}

std::optional<long long> RoundInto(double value, long long lo, long long hi) {
  if (!std::isfinite(value)) return std::nullopt;
  double r = std::nearbyint(value);
  if (r < static_cast<double>(lo) || r > static_cast<double>(hi)) return std::nullopt;
  return static_cast<long long>(r);
}

int TurnNumber(float gameYear) {
  const double turn = std::nearbyint((static_cast<double>(gameYear) - 1.0) * 20.0);
  if (std::isnan(turn)) return 0;
  return static_cast<int>(std::clamp(turn, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

std::string YearText(float gameYear) {
  // Year 1.00 is turn 0 and each turn is 0.05 year: 5 hundredths.
  long long hundredths = 100 + 5LL * TurnNumber(gameYear);
  return Format(static_cast<double>(hundredths) / 100.0, "0.00");
}

std::string TurnText(float gameYear) {
  return std::to_string(TurnNumber(gameYear));
}

}  // namespace zarnath
