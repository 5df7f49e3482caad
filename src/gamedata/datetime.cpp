#include "gamedata/datetime.h"

#include <chrono>
#include <cmath>

namespace vsl {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr sys_days kDayZero = sys_days(year_month_day(year(1899), month(12), day(30)));

}  // namespace

bool IsValidDate(int32_t y, int32_t m, int32_t d) {
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  return year_month_day(year(y), month(static_cast<unsigned>(m)), day(static_cast<unsigned>(d))).ok();
}

int64_t DaysFromCivil(int32_t y, int32_t m, int32_t d) {
  const sys_days date(
      year_month_day(year(y), month(static_cast<unsigned>(m)), day(static_cast<unsigned>(d))));
  return (date - kDayZero).count();
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
  const year_month_day date(kDayZero + std::chrono::days(static_cast<int64_t>(whole)));
  t.Year = static_cast<int32_t>(date.year());
  t.Month = static_cast<int32_t>(static_cast<unsigned>(date.month()));
  t.Day = static_cast<int32_t>(static_cast<unsigned>(date.day()));
  t.Hour = static_cast<int32_t>(seconds / 3600);
  t.Minute = static_cast<int32_t>(seconds / 60 % 60);
  t.Second = static_cast<int32_t>(seconds % 60);
  return t;
}

}  // namespace vsl
