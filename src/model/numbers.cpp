#include "model/numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
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
  // A whole number of fewer digits than the precision is written as it stands (the ships and
  // shields of the notices and panels): the digits the scientific form gives, without it.
  const double whole = precision == 7 ? 1e7 : precision == 15 ? 1e15 : 0.0;
  if (std::fabs(value) < whole && value == std::trunc(value)) {
    char out[24];
    out[0] = ' ';
    char* first = value < 0 ? out : out + 1;
    return std::string(out, std::to_chars(first, out + sizeof out, static_cast<long long>(value)).ptr);
  }
  // The digits as ToDecimal finds them, written straight into the text.
  char sci[64];
  const char* sciEnd =
      std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, precision - 1)
          .ptr;
  char digits[32];
  int n = 0;
  const char* c = sci;
  for (; c < sciEnd && *c != 'e'; ++c)
    if (*c >= '0' && *c <= '9' && n < static_cast<int>(sizeof digits)) digits[n++] = *c;
  int exponent = 0;
  if (c < sciEnd) std::from_chars(c + (c[1] == '+' ? 2 : 1), sciEnd, exponent);
  while (n > 1 && digits[n - 1] == '0') --n;

  char out[48];  // plain notation stands only for exponents from -5 to the digits less one
  char* o = out;
  *o++ = value < 0 ? '-' : ' ';
  if (exponent >= precision || exponent < -4) {
    *o++ = digits[0];
    if (n > 1) {
      *o++ = '.';
      for (int i = 1; i < n; ++i) *o++ = digits[i];
    }
    *o++ = 'E';
    *o++ = exponent < 0 ? '-' : '+';
    if (std::abs(exponent) < 10) *o++ = '0';
    o = std::to_chars(o, out + sizeof out, std::abs(exponent)).ptr;
  } else if (exponent < 0) {
    *o++ = '.';
    for (int i = 0; i < -exponent - 1; ++i) *o++ = '0';
    for (int i = 0; i < n; ++i) *o++ = digits[i];
  } else {
    for (int i = 0; i <= exponent || i < n; ++i) {
      if (i == exponent + 1) *o++ = '.';
      *o++ = i < n ? digits[i] : '0';
    }
  }
  return std::string(out, o);
}

}  // namespace

std::string Str(float value) {
  return NumberText(static_cast<double>(value), 7);
}
std::string Str(double value) {
  return NumberText(value, 15);
}
std::string Str(int value) {
  char out[16] = {' '};
  char* first = value < 0 ? out : out + 1;
  return std::string(out, std::to_chars(first, out + sizeof out, value).ptr);
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

// The number at the start of `s` (blanks, tabs and line feeds already taken out), its text
// gathered in `num`, which has room for all of `s`.
Leading ReadNumber(std::string_view s, char* num, double& out) {
  size_t i = 0, n = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) num[n++] = s[i++];
  bool digits = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') num[n++] = s[i++], digits = true;
  if (i < s.size() && s[i] == '.') {
    num[n++] = s[i++];
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') num[n++] = s[i++], digits = true;
  }
  if (!digits) return Leading::kNone;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    // The exponent counts only with digits; the letter stands where the point's digits ended.
    size_t j = i + 1, e = n;
    num[e++] = 'e';
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) num[e++] = s[j++];
    const size_t start = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') num[e++] = s[j++];
    if (j > start) n = e;
  }
  // from_chars reads "." as the point whatever the locale.
  double v = 0.0;
  const char* first = num;
  if (*first == '+' || *first == '-') ++first;
  auto [end, ec] = std::from_chars(first, num + n, v);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    if (AboveRange(std::string_view(first, static_cast<size_t>(num + n - first)))) return Leading::kTooLarge;
    v = 0.0;  // below the smallest magnitude: 0
  } else if (ec != std::errc() || !std::isfinite(v)) {
    return Leading::kNone;
  }
  out = num[0] == '-' ? -v : v;
  return Leading::kNumber;
}

bool Ignored(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

Leading ReadLeading(std::string_view text, double& out) {
  // Most texts hold a short number: its characters are gathered on the stack.
  constexpr size_t kShort = 64;
  char s[kShort], num[kShort];
  size_t n = 0, at = 0;
  for (; at < text.size() && n < kShort; ++at)
    if (!Ignored(text[at])) s[n++] = text[at];
  while (at < text.size() && Ignored(text[at])) ++at;
  if (at == text.size()) return ReadNumber(std::string_view(s, n), num, out);
  std::string all;
  for (char c : text)
    if (!Ignored(c)) all.push_back(c);
  std::string longNum(all.size(), '\0');
  return ReadNumber(all, longNum.data(), out);
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
  // Written from the whole count of hundredths: what the picture "0.00" makes of it, without
  // the decimal expansion (every turn's captions, logs and history lines write it).
  const long long hundredths = 100 + 5LL * TurnNumber(gameYear);
  const unsigned long long h = static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
  std::string text = hundredths < 0 ? "-" : "";
  text += std::to_string(h / 100);
  text += '.';
  text += static_cast<char>('0' + h / 10 % 10);
  text += static_cast<char>('0' + h % 10);
  return text;
}

std::string TurnText(float gameYear) {
  return std::to_string(TurnNumber(gameYear));
}

}  // namespace zarnath
