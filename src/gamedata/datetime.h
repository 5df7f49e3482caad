#pragma once
// Date-time values: days since 30 December 1899, the fraction being the time of day.

#include <cstdint>

namespace vsl {

struct CivilDateTime {
  int32_t Year = 1899, Month = 12, Day = 30;
  int32_t Hour = 0, Minute = 0, Second = 0;
};

// Whether year/month/day name a real date of the proleptic Gregorian calendar (years 1..9999).
bool IsValidDate(int32_t year, int32_t month, int32_t day);
// Days since 30 December 1899 of a valid date.
int64_t DaysFromCivil(int32_t year, int32_t month, int32_t day);
// The date-time value of a valid date and time of day.
double EncodeDateTime(const CivilDateTime& t);
// The calendar date and time of a date-time value, the time rounded to the nearest second.
CivilDateTime DecodeDateTime(double value);

}  // namespace vsl
