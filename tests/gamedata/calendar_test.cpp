#include "gamedata/calendar.h"

#include <gtest/gtest.h>

#include <climits>

namespace vsl {
namespace {

constexpr int32_t kUntouched = 77;

int32_t Year(int32_t speed, int32_t turn) {
  int32_t elapsed = kUntouched;
  return Turn2Date(speed, turn, elapsed);
}

TEST(CalendarTest, EverySpeedRunsFrom4000BcTo2050AtItsCap) {
  for (int32_t speed = 0; speed < 4; ++speed) {
    int32_t elapsed = kUntouched;
    EXPECT_EQ(Turn2Date(speed, 0, elapsed), -4000) << speed;
    EXPECT_EQ(Turn2Date(speed, kCalendarCap[speed], elapsed), 2050) << speed;
    EXPECT_EQ(elapsed, kUntouched) << speed;
  }
}

TEST(CalendarTest, BreakPointsAndTheYearZero) {
  EXPECT_EQ(Year(0, 200), -1000);
  EXPECT_EQ(Year(0, 300), 0);
  EXPECT_EQ(Year(0, 390), 820);
  EXPECT_EQ(Year(0, 541), 1391);
  EXPECT_EQ(Year(1, 240), 1100);
  EXPECT_EQ(Year(1, 421), 1811);
  EXPECT_EQ(Year(2, 115), 0);
  EXPECT_EQ(Year(2, 136), 520);
  EXPECT_EQ(Year(2, 330), 1920);
  EXPECT_EQ(Year(3, 50), -1000);
  EXPECT_EQ(Year(3, 80), 50);
  EXPECT_EQ(Year(3, 81), 80);
  EXPECT_EQ(Year(3, 270), 2000);
}

TEST(CalendarTest, ATurnPastTheCapKeepsCountingAndCapsElapsedTurns) {
  int32_t elapsed = 999;
  EXPECT_EQ(Turn2Date(3, 330, elapsed), 2060);
  EXPECT_EQ(elapsed, 320);
  elapsed = 5;
  EXPECT_EQ(Turn2Date(0, 1201, elapsed), 2051);
  EXPECT_EQ(elapsed, 1200);
}

TEST(CalendarTest, NegativeTurnsAndUnknownSpeeds) {
  int32_t elapsed = kUntouched;
  EXPECT_EQ(Turn2Date(0, -1, elapsed), -4015);
  EXPECT_EQ(elapsed, 0);
  elapsed = kUntouched;
  EXPECT_EQ(Turn2Date(4, 100, elapsed), -9999);
  EXPECT_EQ(elapsed, kUntouched);
  EXPECT_EQ(Turn2Date(-1, -5, elapsed), -9999);
  EXPECT_EQ(elapsed, 0);
}

// A damaged save's turn wraps around like 32-bit arithmetic instead of overflowing.
TEST(CalendarTest, ExtremeTurnsWrapAround) {
  EXPECT_EQ(Year(0, INT32_MAX), INT32_MIN + 849);  // 1390 + (INT32_MAX - 540)
  EXPECT_EQ(Year(3, INT32_MIN), -4000);            // 60 x INT32_MIN is 0 modulo 2^32
}

}  // namespace
}  // namespace vsl
