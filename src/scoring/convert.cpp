// Conversions of the texts typed into the settings edits, and the two float-to-integer conversions.

#include "scoring/convert.h"

#include <charconv>
#include <cmath>

#include "gamedata/datetime.h"
#include "scoring/errors.h"

namespace vsl {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

[[noreturn]] void Fail(std::string_view text, const char* what) {
  throw ConvertError("'" + std::string(text) + "' is not a valid " + what);
}

// Appends the digits at the front of `s` to `out` and drops them from `s`; returns how many there were.
size_t TakeDigits(std::string_view& s, std::string& out) {
  size_t n = 0;
  while (n < s.size() && IsDigit(s[n])) ++n;
  out.append(s.substr(0, n));
  s.remove_prefix(n);
  return n;
}

// A field of decimal digits only, at most four of them; -1 otherwise.
int32_t DateField(std::string_view s) {
  if (s.empty() || s.size() > 4) return -1;
  int32_t v = 0;
  for (char c : s) {
    if (!IsDigit(c)) return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

constexpr long double kTwoTo63 = 9223372036854775808.0L;

// A whole number of the 64-bit range, kept to its low 32 bits.
int32_t WholeToInt32(long double whole) {
  if (!(whole >= -kTwoTo63 && whole < kTwoTo63)) throw MathError();
  return WrapInt32(static_cast<int64_t>(whole));
}

}  // namespace

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

std::string_view TrimBlanks(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::optional<DateText> DateText::Split(std::string_view text) {
  const size_t dash1 = text.find('-');
  const size_t dash2 = dash1 == std::string_view::npos ? dash1 : text.find('-', dash1 + 1);
  if (dash2 == std::string_view::npos || text.find('-', dash2 + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  return DateText{std::string(text.substr(0, dash1)), std::string(text.substr(dash1 + 1, dash2 - dash1 - 1)),
                  std::string(text.substr(dash2 + 1))};
}

int32_t TextToInt(std::string_view text) {
  std::string_view s = TrimLeft(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) Fail(text, "integer value");
  int64_t v = 0;
  for (char c : s) {
    if (!IsDigit(c)) Fail(text, "integer value");
    v = v * 10 + (c - '0');
    if (v > int64_t{INT32_MAX} + 1) Fail(text, "integer value");
  }
  if (negative) v = -v;
  if (v > INT32_MAX) Fail(text, "integer value");
  return static_cast<int32_t>(v);
}

long double TextToFloat(std::string_view text, char decimalSeparator) {
  std::string_view s = TrimBlanks(text);
  // Rebuilt with '.' and without a '+' so that the locale-free parser below reads it.
  std::string normal;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    if (s.front() == '-') normal += '-';
    s.remove_prefix(1);
  }
  size_t digits = TakeDigits(s, normal);
  if (!s.empty() && s.front() == decimalSeparator) {
    normal += '.';
    s.remove_prefix(1);
    digits += TakeDigits(s, normal);
  }
  if (digits == 0) Fail(text, "floating point value");
  if (!s.empty() && (s.front() == 'e' || s.front() == 'E')) {
    normal += 'e';
    s.remove_prefix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
      normal += s.front();
      s.remove_prefix(1);
    }
    if (TakeDigits(s, normal) == 0) Fail(text, "floating point value");
  }
  if (!s.empty()) Fail(text, "floating point value");
  long double value = 0;
  const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (ec != std::errc() || end != normal.data() + normal.size()) Fail(text, "floating point value");
  return value;
}

double TextToDate(std::string_view text) {
  const std::optional<DateText> parts = DateText::Split(TrimBlanks(text));
  if (!parts) Fail(text, "date");
  const int32_t day = DateField(parts->Day);
  const int32_t month = DateField(parts->Month);
  int32_t year = DateField(parts->Year);
  if (day < 0 || month < 0 || year < 0) Fail(text, "date");
  if (parts->Year.size() <= 2) year += 2000;  // a short year lies in the current century
  if (!IsValidDate(year, month, day)) Fail(text, "date");
  return static_cast<double>(DaysFromCivil(year, month, day));
}

int32_t RoundHalfEven(long double x) {
  if (std::isnan(x)) throw MathError();
  return WholeToInt32(std::nearbyint(x));  // the default rounding mode takes a tie to the even neighbour
}

int32_t TruncToInt(long double x) {
  if (std::isnan(x)) throw MathError();
  return WholeToInt32(std::trunc(x));
}

}  // namespace vsl
