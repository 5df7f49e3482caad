#pragma once
// Conversions of the texts typed into the settings edits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vsl {

// An int32 in decimal; leading blanks allowed. Throws ConvertError
// "'<text>' is not a valid integer value".
int32_t TextToInt(std::string_view text);

// A decimal number with `decimalSeparator` as its separator. Throws ConvertError
// "'<text>' is not a valid floating point value".
long double TextToFloat(std::string_view text, char decimalSeparator);

// The text without its leading blanks; TrimBlanks drops the trailing ones too.
std::string_view TrimLeft(std::string_view text);
std::string_view TrimBlanks(std::string_view text);

// A date as its three edits hold it: day, month and year texts, written "DD-MM-YYYY" (joined by '-').
struct DateText {
  std::string Day, Month, Year;

  std::string Joined() const { return Day + "-" + Month + "-" + Year; }
  // The three parts of a text with exactly two '-'; none otherwise. The parts are not checked.
  static std::optional<DateText> Split(std::string_view text);
};

// A date in day-month-year order joined by '-', as a date-time value at midnight. A year of one or
// two digits is taken in the current century. Throws ConvertError "'<text>' is not a valid date".
double TextToDate(std::string_view text);

// Round to nearest, a tie to the even integer; Trunc toward zero. Both work in 64 bits and keep the low
// 32 bits of the result, as storing a 64-bit integer into a 32-bit one does; a value beyond the 64-bit
// range (or not a number) throws MathError.
int32_t RoundHalfEven(long double x);
int32_t TruncToInt(long double x);

// The low 32 bits of a 64-bit result, as two's complement: how 32-bit integer arithmetic wraps.
inline int32_t WrapInt32(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

}  // namespace vsl
