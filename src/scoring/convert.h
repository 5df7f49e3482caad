#pragma once
// Conversions of the texts typed into the settings edits.

#include <cstdint>
#include <string>
#include <string_view>

namespace vsl {

// An int32 in decimal; leading blanks allowed. Throws ConvertError
// "'<text>' is not a valid integer value".
int32_t TextToInt(std::string_view text);

// A decimal number with `decimalSeparator` as its separator. Throws ConvertError
// "'<text>' is not a valid floating point value".
long double TextToFloat(std::string_view text, char decimalSeparator);

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
