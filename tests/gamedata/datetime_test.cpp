#include "gamedata/datetime.h"

#include <gtest/gtest.h>

namespace vsl {
namespace {

TEST(DateTimeTest, DayNumbersAroundTheEpoch) {
  EXPECT_EQ(DaysFromCivil(1899, 12, 30), 0);
  EXPECT_EQ(DaysFromCivil(1900, 1, 1), 2);
  EXPECT_EQ(DaysFromCivil(2005, 11, 27), 38683);
  EXPECT_DOUBLE_EQ(EncodeDateTime({2005, 11, 30, 18, 0, 0}), 38686.75);
}

TEST(DateTimeTest, DecodeRoundTripsDateAndTime) {
  const CivilDateTime t = DecodeDateTime(EncodeDateTime({2024, 2, 29, 23, 59, 58}));
  EXPECT_EQ(t.Year, 2024);
  EXPECT_EQ(t.Month, 2);
  EXPECT_EQ(t.Day, 29);
  EXPECT_EQ(t.Hour, 23);
  EXPECT_EQ(t.Minute, 59);
  EXPECT_EQ(t.Second, 58);
}

TEST(DateTimeTest, ValidDates) {
  EXPECT_TRUE(IsValidDate(2024, 2, 29));
  EXPECT_FALSE(IsValidDate(2023, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
  EXPECT_FALSE(IsValidDate(2005, 11, 32));
  EXPECT_FALSE(IsValidDate(2005, 13, 1));
  EXPECT_FALSE(IsValidDate(0, 1, 1));
}

}  // namespace
}  // namespace vsl
