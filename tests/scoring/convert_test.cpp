#include "scoring/convert.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "gamedata/datetime.h"
#include "scoring/errors.h"

namespace vsl {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

TEST(ConvertTest, TextToIntTakesLeadingBlanksAndASign) {
  EXPECT_EQ(TextToInt("42"), 42);
  EXPECT_EQ(TextToInt("    30"), 30);
  EXPECT_EQ(TextToInt("  -17"), -17);
  EXPECT_EQ(TextToInt("+5"), 5);
  EXPECT_EQ(TextToInt("2147483647"), INT32_MAX);
  EXPECT_EQ(TextToInt("-2147483648"), INT32_MIN);
}

TEST(ConvertTest, TextToIntRejectsAnythingElseNamingTheText) {
  for (const char* text : {"", "   ", "-", "12 ", "1a", "0x10", "$10", "1.0", "- 1", "2147483648",
                           "-2147483649", "99999999999999999999"}) {
    EXPECT_THAT(
        [&] { TextToInt(text); },
        ThrowsMessage<ConvertError>(StrEq("'" + std::string(text) + "' is not a valid integer value")));
  }
}

TEST(ConvertTest, TextToFloatUsesTheGivenSeparator) {
  EXPECT_EQ(TextToFloat("1?5", '?'), 1.5L);
  EXPECT_EQ(TextToFloat(" -2?25e1 ", '?'), -22.5L);
  EXPECT_EQ(TextToFloat("?5", '?'), 0.5L);
  EXPECT_EQ(TextToFloat("3?", '?'), 3.0L);
  EXPECT_EQ(TextToFloat("+1E+2", '?'), 100.0L);
  EXPECT_EQ(TextToFloat("25E-1", '?'), 2.5L);
  EXPECT_EQ(TextToFloat("0?1", '?'), 0.1L);  // the nearest extended value, not a double's
  EXPECT_EQ(TextToFloat("1,5", ','), 1.5L);
}

TEST(ConvertTest, TextToFloatRejectsOtherSeparatorsAndMalformedNumbers) {
  for (const char* text :
       {"1,5", "1.5", "", " ", "?", "-", "e5", "1e", "1e+", "1?2?3", "1 5", "1?5x", "inf"}) {
    EXPECT_THAT([&] { TextToFloat(text, '?'); },
                ThrowsMessage<ConvertError>(
                    StrEq("'" + std::string(text) + "' is not a valid floating point value")));
  }
  EXPECT_THAT([] { TextToFloat("1.5", ','); },
              ThrowsMessage<ConvertError>(StrEq("'1.5' is not a valid floating point value")));
}

TEST(ConvertTest, TextToDateReadsDayMonthYear) {
  EXPECT_EQ(TextToDate("27-11-2005"), 38683.0);
  EXPECT_EQ(TextToDate(" 1-1-05 "), static_cast<double>(DaysFromCivil(2005, 1, 1)));
  EXPECT_EQ(TextToDate("29-02-2024"), static_cast<double>(DaysFromCivil(2024, 2, 29)));
  EXPECT_EQ(TextToDate("1-1-7"), static_cast<double>(DaysFromCivil(2007, 1, 1)));
  EXPECT_EQ(TextToDate("1-1-0999"), static_cast<double>(DaysFromCivil(999, 1, 1)));
}

TEST(ConvertTest, TextToDateRejectsImpossibleAndMalformedDates) {
  for (const char* text :
       {"32-11-2005", "29-2-2023", "0-1-2005", "1-13-2005", "27/11/2005", "27-11", "27-11-2005-1", "a-1-2005",
        "27--2005", "-11-2005", "27-11-", "", "27 -11-2005", "27-11-20055", "+1-1-2005"}) {
    EXPECT_THAT([&] { TextToDate(text); },
                ThrowsMessage<ConvertError>(StrEq("'" + std::string(text) + "' is not a valid date")));
  }
}

TEST(ConvertTest, RoundGivesTiesToTheEvenInteger) {
  EXPECT_EQ(RoundHalfEven(0.5L), 0);
  EXPECT_EQ(RoundHalfEven(1.5L), 2);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(3.5L), 4);
  EXPECT_EQ(RoundHalfEven(-0.5L), 0);
  EXPECT_EQ(RoundHalfEven(-2.5L), -2);
  EXPECT_EQ(RoundHalfEven(-3.5L), -4);
  EXPECT_EQ(RoundHalfEven(2.4999L), 2);
  EXPECT_EQ(RoundHalfEven(-2.5001L), -3);
}

TEST(ConvertTest, TruncCutsTowardZero) {
  EXPECT_EQ(TruncToInt(3.99L), 3);
  EXPECT_EQ(TruncToInt(-3.99L), -3);
  EXPECT_EQ(TruncToInt(-0.5L), 0);
}

// Results beyond 32 bits keep their low 32 bits; beyond 64 bits they are an invalid operation.
TEST(ConvertTest, LargeResultsWrapOrFail) {
  EXPECT_EQ(RoundHalfEven(4294967296.0L + 5), 5);
  EXPECT_EQ(TruncToInt(2147483648.0L), INT32_MIN);
  EXPECT_EQ(TruncToInt(-2147483649.5L), INT32_MAX);
  EXPECT_THAT([] { RoundHalfEven(9223372036854775808.0L); },
              ThrowsMessage<MathError>(StrEq("Invalid floating point operation")));
  EXPECT_THROW(TruncToInt(-1e30L), MathError);
  EXPECT_THROW(RoundHalfEven(NAN), MathError);
  EXPECT_THROW(TruncToInt(INFINITY), MathError);
}

}  // namespace
}  // namespace vsl
