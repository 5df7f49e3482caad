// The game's calendar: a piecewise-linear schedule of years per turn for each speed, from 4000 BC at
// turn 0 to 2050 AD at the speed's cap and one year per turn beyond it.

#include "gamedata/calendar.h"

#include <cstddef>

namespace vsl {

namespace {

// One stretch of a schedule: after turn `After`, the year is `Year` + `Step` x (turn - `After`).
struct CalendarStretch {
  int32_t After;
  int32_t Year;
  int32_t Step;
};

// Stretches of each speed, latest first; the first one whose `After` the turn exceeds applies, and the
// last one (from turn 0) covers every turn up to the first break point, negative turns included.
// clang-format off
constexpr CalendarStretch kSpeed0[] = {
    {540, 1390, 1}, {480, 1270, 2}, {390, 820, 5}, {350, 500, 8}, {200, -1000, 10}, {0, -4000, 15}};
constexpr CalendarStretch kSpeed1[] = {
    {420, 1810, 1}, {380, 1730, 2}, {310, 1520, 3}, {240, 1100, 6}, {100, -1000, 15}, {0, -4000, 30}};
constexpr CalendarStretch kSpeed2[] = {
    {330, 1920, 1}, {270, 1800, 2}, {210, 1500, 5}, {160, 1000, 10}, {135, 500, 20}, {75, -1000, 25},
    {0, -4000, 40}};
constexpr CalendarStretch kSpeed3[] = {
    {270, 2000, 1}, {220, 1900, 2}, {165, 1625, 5}, {135, 1325, 10}, {110, 950, 15}, {80, 50, 30},
    {50, -1000, 35}, {0, -4000, 60}};
// clang-format on

// The year in int32 arithmetic: a turn far out of range (a damaged save) wraps around as a 32-bit
// machine sum would, computed in 64 bits so that the wrap is defined.
int32_t YearIn(const CalendarStretch& s, int32_t turn) {
  const int64_t year = s.Year + int64_t{s.Step} * (int64_t{turn} - s.After);
  return static_cast<int32_t>(static_cast<uint32_t>(year));
}

template <size_t N>
int32_t YearOf(const CalendarStretch (&schedule)[N], int32_t turn) {
  for (size_t i = 0; i + 1 < N; ++i) {
    if (turn > schedule[i].After) return YearIn(schedule[i], turn);
  }
  return YearIn(schedule[N - 1], turn);
}

}  // namespace

int32_t Turn2Date(int32_t speed, int32_t turn, int32_t& elapsedTurns) {
  if (turn < 0) elapsedTurns = 0;
  if (speed < 0 || speed > 3) return -9999;
  if (turn > kCalendarCap[speed]) elapsedTurns = kCalendarCap[speed];
  switch (speed) {
    case 0:
      return YearOf(kSpeed0, turn);
    case 1:
      return YearOf(kSpeed1, turn);
    case 2:
      return YearOf(kSpeed2, turn);
    default:
      return YearOf(kSpeed3, turn);
  }
}

}  // namespace vsl
