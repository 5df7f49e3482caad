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

// Round to nearest, a tie to the even integer; Trunc toward zero.
int32_t RoundHalfEven(long double x);
int32_t TruncToInt(long double x);

}  // namespace vsl
