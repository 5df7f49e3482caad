#include "gamedata/datetime.h"

#include <cmath>

namespace vsl {

namespace {

constexpr int64_t kDaysFromEpochTo1899_12_30 = -25569;  // 1970-01-01 is day 25569

bool IsLeap(int32_t y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysSinceUnixEpoch(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int32_t& year, int32_t& month, int32_t& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int32_t>(yoe + era * 400 + (month <= 2));
}

}  // namespace

bool IsValidDate(int32_t year, int32_t month, int32_t day) {
  static constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  return day <= kDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
}

int64_t DaysFromCivil(int32_t year, int32_t month, int32_t day) {
  return DaysSinceUnixEpoch(year, month, day) - kDaysFromEpochTo1899_12_30;
}

double EncodeDateTime(const CivilDateTime& t) {
  const double days = static_cast<double>(DaysFromCivil(t.Year, t.Month, t.Day));
  const double time = (t.Hour * 3600.0 + t.Minute * 60.0 + t.Second) / 86400.0;
  // Before the epoch the fraction counts away from zero, as the whole part does.
  return days >= 0 ? days + time : days - time;
}

CivilDateTime DecodeDateTime(double value) {
  double whole = std::trunc(value);
  double fraction = std::fabs(value - whole);
  int64_t seconds = std::llround(fraction * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    whole += value >= 0 ? 1 : -1;
  }
  CivilDateTime t;
  CivilFromDays(static_cast<int64_t>(whole) + kDaysFromEpochTo1899_12_30, t.Year, t.Month, t.Day);
  t.Hour = static_cast<int32_t>(seconds / 3600);
  t.Minute = static_cast<int32_t>(seconds / 60 % 60);
  t.Second = static_cast<int32_t>(seconds % 60);
  return t;
}

}  // namespace vsl
