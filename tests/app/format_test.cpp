#include "app/format.h"

#include <gtest/gtest.h>

#include "app/cp1251.h"
#include "app/locale_services.h"
#include "app/window_model.h"
#include "gamedata/datetime.h"

namespace vsl {
namespace {

TEST(FormatTest, IntegersAreRightAlignedAndNeverCut) {
  EXPECT_EQ(FormatInt(7, 4), "   7");
  EXPECT_EQ(FormatInt(-42, 6), "   -42");
  EXPECT_EQ(FormatInt(1234567, 6), "1234567");
  EXPECT_EQ(FormatInt(-2147483647 - 1, 4), "-2147483648");
}

TEST(FormatTest, FixedPointUsesTheGivenSeparatorAndPrintfRounding) {
  EXPECT_EQ(FormatFixed(12.5L, 6, 2, '?'), " 12?50");
  EXPECT_EQ(FormatFixed(1234.56L, 9, 2, '?'), "  1234?56");
  EXPECT_EQ(FormatFixed(1.0L, 6, 3, '?'), " 1?000");
  EXPECT_EQ(FormatFixed(-3.25L, 6, 2, ','), " -3,25");
  // Ties round on the exact binary value: 0.125 is exact and goes to even, 2.675 lies below the tie.
  EXPECT_EQ(FormatFixed(0.125L, 6, 2, '.'), "  0.12");
  EXPECT_EQ(FormatFixed(0.375L, 6, 2, '.'), "  0.38");
  EXPECT_EQ(FormatFixed(static_cast<long double>(2.675), 6, 2, '.'), "  2.67");
  EXPECT_EQ(FormatFixed(0.0005L, 6, 3, '.'), " 0.000");  // 0.0005 in extended is just below the tie
  EXPECT_EQ(FormatFixed(123456789.0L, 6, 2, '.'), "123456789.00");
}

TEST(FormatTest, YearTexts) {
  EXPECT_EQ(YearText(-4000), "4000BC");
  EXPECT_EQ(YearText(-975), " 975BC");
  EXPECT_EQ(YearText(-1), "   1BC");
  EXPECT_EQ(YearText(0), "  1AD");
  EXPECT_EQ(YearText(1850), "1850AD");
  EXPECT_EQ(YearText(-2147483647 - 1), "2147483648BC");
}

TEST(FormatTest, DurationTexts) {
  EXPECT_EQ(DurationText(3725), "   1:02:05");
  EXPECT_EQ(DurationText(0), "   0:00:00");
  EXPECT_EQ(DurationText(360000), " 100:00:00");
  EXPECT_EQ(DurationText(-5), "   0:00:-05");  // precision 2 pads after the sign
}

TEST(FormatTest, FileDateTextLeavesOutMidnight) {
  FixedLocaleServices locale;
  EXPECT_EQ(FileDateText(EncodeDateTime({2005, 11, 30, 14, 5, 8}), locale), "30-11-2005 14:05:08");
  EXPECT_EQ(FileDateText(EncodeDateTime({2005, 12, 1, 0, 0, 0}), locale), "01-12-2005");
  EXPECT_EQ(FileDateText(EncodeDateTime({987, 3, 4, 0, 0, 2}), locale), "04-03-0987 00:00:02");
}

TEST(FormatTest, NameTextsFallBackOutsideTheirTables) {
  EXPECT_EQ(LevelText(0), "Settler");
  EXPECT_EQ(LevelText(8), "Deity");
  EXPECT_EQ(LevelText(9), "Unknown");
  EXPECT_EQ(LevelText(-1), "Unknown");
  EXPECT_EQ(VictoryText(0, 2), "Incomplete");
  EXPECT_EQ(VictoryText(1, -1), "Loss");
  EXPECT_EQ(VictoryText(1, 0), "Unknown");
  EXPECT_EQ(VictoryText(1, 6), "Diplomatic");
  EXPECT_EQ(VictoryText(5, 7), "Unknown");
  EXPECT_EQ(HonestyText(0), "Cheat");
  EXPECT_EQ(HonestyText(1), "Average");
  EXPECT_EQ(HonestyText(2), "Fair");
  EXPECT_EQ(HonestyText(-3), "Fair");
  EXPECT_NE(LeaderNameText(0), "Unknown");
  EXPECT_NE(LeaderNameText(36), "Unknown");
  EXPECT_EQ(LeaderNameText(37), "Unknown");
  EXPECT_EQ(LeaderNameText(-1), "Unknown");
  EXPECT_NE(CivNameText(25), "Unknown");
  EXPECT_EQ(CivNameText(26), "Unknown");
}

TEST(FormatTest, ErrorBoxTextAppendsAPeriodAfterBytesAboveIt) {
  EXPECT_EQ(ErrorBoxText("'x' is not a valid integer value"), "'x' is not a valid integer value.");
  EXPECT_EQ(ErrorBoxText("ends with a period."), "ends with a period.");
  EXPECT_EQ(ErrorBoxText("ends with a blank "), "ends with a blank ");
  EXPECT_EQ(ErrorBoxText("ends with a quote'"), "ends with a quote'");
  EXPECT_EQ(ErrorBoxText("ends with a slash/"), "ends with a slash/.");
  EXPECT_EQ(ErrorBoxText("\xB9"), "\xB9.");  // a byte above 127 sorts above '.'
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(FormatTest, CodePage1251RoundTrip) {
  EXPECT_EQ(Cp1251ToUtf8("\xB9"), "\u2116");
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF\xA8"), "\u0410\u044F\u0401");
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\uFFFD");
  EXPECT_EQ(Utf8ToCp1251("\u2116 \u0416 \u20AC"), "\xB9 \xC6 \x88");
  EXPECT_EQ(Utf8ToCp1251("\u00E9\xFF"), "??");  // not in the code page; invalid UTF-8
}

TEST(FormatTest, SystemLocaleInTheCLocale) {
  // The tests run with LC_ALL=C: Qt's C locale, a '.' separator and 24-hour times without a zone.
  auto locale = SystemLocaleServices();
  EXPECT_EQ(locale->DecimalSeparator(), '.');
  EXPECT_EQ(locale->LongTimeText(14, 5, 9), "14:05:09");
  EXPECT_EQ(locale->CompareIgnoringCase("Game", "gAME"), 0);
  EXPECT_LT(locale->CompareIgnoringCase("alpha", "Beta"), 0);
  EXPECT_GT(locale->CompareIgnoringCase("Zeta", "beta"), 0);
}

}  // namespace
}  // namespace vsl
