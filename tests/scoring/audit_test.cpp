#include "scoring/audit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

#include "gamedata/datetime.h"
#include "scoring/errors.h"

namespace vsl {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;


// The window's defaults, with '?' as the decimal separator so that only the given one can convert.
AuditEdits Defaults() {
  AuditEdits e;
  e.SessionsPerDay = "1?5";
  return e;
}

// A file written at 18:00 on tournament day `day` (27 November 2005 being day 1).
TSaveDataRec FileOfDay(int32_t day, int32_t playTime, int32_t sessions) {
  TSaveDataRec row;
  row.FileDate = EncodeDateTime({2005, 11, 26 + day, 18, 0, 0});
  row.PlayTime = playTime;
  row.SessionCount = sessions;
  row.ElapsedTurns = 120;
  return row;
}

int32_t HonestyOf(TSaveDataRec row, const AuditEdits& edits = Defaults()) {
  AuditSettings settings;
  RControl(row, edits, '?', settings);
  return row.Honesty;
}

TEST(AuditTest, FourthDayWithFiveHoursAndSevenSessionsIsAverage) {
  TSaveDataRec row = FileOfDay(4, 5 * 3600, 7);
  AuditSettings settings;
  RControl(row, Defaults(), '?', settings);
  EXPECT_EQ(row.PlayDays, 4);
  EXPECT_EQ(row.Reloads, 6);
  EXPECT_EQ(row.SessionTime, 3000);
  EXPECT_EQ(row.ReloadPercent, 5.0L);  // 600 / 120
  EXPECT_EQ(row.MaxReloads, 6);        // days allow 6, time 10
  EXPECT_EQ(row.Honesty, kAverage);    // 6 is not below 4.5 but below 7.5
  EXPECT_EQ(settings.MaxSessionsPerDay, 1.5L);
  EXPECT_EQ(settings.MinSessionTime, 30.0L);
  EXPECT_EQ(settings.Presessions, 1);
  EXPECT_EQ(settings.BaseLevel, 5);
  EXPECT_EQ(settings.MaxReload, 20);
  EXPECT_EQ(settings.LevelBonus, 15);
}

TEST(AuditTest, HonestyThresholdsAtThreeAndFiveQuartersOfTheAllowance) {
  EXPECT_EQ(HonestyOf(FileOfDay(4, 5 * 3600, 5)), kFair);  // 4 reloads < 4.5
  EXPECT_EQ(HonestyOf(FileOfDay(4, 5 * 3600, 6)), kAverage);
  EXPECT_EQ(HonestyOf(FileOfDay(4, 5 * 3600, 8)), kAverage);  // 7 < 7.5
  EXPECT_EQ(HonestyOf(FileOfDay(4, 5 * 3600, 9)), kCheat);
  EXPECT_EQ(HonestyOf(FileOfDay(4, 1800 * 2, 3)), kAverage);  // time allows 2: 2 reloads < 2.5
}

// The day count of a file written exactly at midnight is a tie, which goes to the even day; the start
// day's midnight rounds to 0 and so lies outside the tournament.
TEST(AuditTest, PlayDaysOfAMidnightFileRoundToTheEvenDay) {
  TSaveDataRec row = FileOfDay(4, 0, 0);
  AuditSettings settings;
  const std::pair<int32_t, int32_t> midnights[] = {{28, 2}, {29, 2}, {30, 4}, {27, 30}};
  for (const auto& [day, playDays] : midnights) {
    row.FileDate = EncodeDateTime({2005, 11, day, 0, 0, 0});
    RControl(row, Defaults(), '?', settings);
    EXPECT_EQ(row.PlayDays, playDays) << day;
  }
}

TEST(AuditTest, PlayDaysOutsideTheTournamentCountAsThirty) {
  TSaveDataRec row = FileOfDay(31, 0, 0);
  AuditSettings settings;
  RControl(row, Defaults(), '?', settings);
  EXPECT_EQ(row.PlayDays, 31);
  row = FileOfDay(32, 0, 0);
  RControl(row, Defaults(), '?', settings);
  EXPECT_EQ(row.PlayDays, 30);
  row = FileOfDay(0, 0, 0);  // the day before the start
  RControl(row, Defaults(), '?', settings);
  EXPECT_EQ(row.PlayDays, 30);
  row.FileDate = EncodeDateTime({2005, 11, 27, 0, 0, 1});
  RControl(row, Defaults(), '?', settings);
  EXPECT_EQ(row.PlayDays, 1);
}

// An allowance of 4: "Fair" needs fewer than 3 reloads and "Average" fewer than 5; reaching a threshold
// is not below it.
TEST(AuditTest, HonestyThresholdsAreStrict) {
  AuditEdits edits = Defaults();
  edits.SessionsPerDay = "1";
  EXPECT_EQ(HonestyOf(FileOfDay(4, 5 * 3600, 3), edits), kFair);     // 2 reloads
  EXPECT_EQ(HonestyOf(FileOfDay(4, 5 * 3600, 4), edits), kAverage);  // 3 reloads
  EXPECT_EQ(HonestyOf(FileOfDay(4, 5 * 3600, 5), edits), kAverage);  // 4 reloads
  EXPECT_EQ(HonestyOf(FileOfDay(4, 5 * 3600, 6), edits), kCheat);    // 5 reloads
}

TEST(AuditTest, AnAllowanceOfZeroWithPlayTimeBecomesOne) {
  TSaveDataRec row = FileOfDay(4, 5 * 3600, 2);
  AuditEdits edits = Defaults();
  edits.SessionsPerDay = "0";  // the days allow nothing, the time allows 10
  AuditSettings settings;
  RControl(row, edits, '?', settings);
  EXPECT_EQ(row.MaxReloads, 1);
  EXPECT_EQ(row.Honesty, kAverage);  // 1 reload: not below 0.75, below 1.25
}

TEST(AuditTest, NoSessionsIsAlwaysFair) {
  TSaveDataRec row = FileOfDay(4, 5 * 3600, 0);
  AuditEdits edits = Defaults();
  edits.Presessions = "-100";  // 100 reloads against an allowance of 6
  EXPECT_EQ(HonestyOf(row, edits), kFair);
}

// One session of 9 minutes: the allowance of 0.3 rounds to 0, yet a file without reloads is fair.
TEST(AuditTest, NoReloadsIsFairEvenWhenTheAllowanceRoundsToZero) {
  TSaveDataRec row = FileOfDay(4, 540, 1);
  AuditSettings settings;
  RControl(row, Defaults(), '?', settings);
  EXPECT_EQ(row.Reloads, 0);
  EXPECT_EQ(row.SessionTime, 0);
  EXPECT_EQ(row.MaxReloads, 0);
  EXPECT_EQ(row.Honesty, kFair);
  row.SessionCount = 2;  // one reload against an allowance of 0
  RControl(row, Defaults(), '?', settings);
  EXPECT_EQ(row.Honesty, kCheat);
}

TEST(AuditTest, NoPlayTimeTakesTheAllowanceByDaysAlone) {
  TSaveDataRec row = FileOfDay(4, 0, 3);
  AuditSettings settings;
  RControl(row, Defaults(), '?', settings);
  EXPECT_EQ(row.MaxReloads, 6);
  AuditEdits edits = Defaults();
  edits.SessionsPerDay = "0";
  RControl(row, edits, '?', settings);
  EXPECT_EQ(row.MaxReloads, 0);
  EXPECT_EQ(row.Honesty, kCheat);
}

TEST(AuditTest, AllowanceRoundsTiesToEven) {
  TSaveDataRec row = FileOfDay(5, 5 * 3600, 1);
  AuditEdits edits = Defaults();
  edits.SessionsPerDay = "0?5";  // 5 days allow 2.5
  AuditSettings settings;
  RControl(row, edits, '?', settings);
  EXPECT_EQ(row.MaxReloads, 2);
  // The thresholds then use the rounded allowance: 3 reloads are not below 2 x 5/4, though below
  // 2.5 x 5/4.
  row.SessionCount = 4;
  RControl(row, edits, '?', settings);
  EXPECT_EQ(row.Honesty, kCheat);
}

TEST(AuditTest, MinimumSessionTimeIsAtLeastOneMinute) {
  for (const char* minutes : {"0", "-5"}) {
    TSaveDataRec row = FileOfDay(31, 150, 2);  // 2.5 minutes allow 2.5 sessions
    AuditEdits edits = Defaults();
    edits.MinSessionTime = minutes;
    AuditSettings settings;
    RControl(row, edits, '?', settings);
    EXPECT_EQ(settings.MinSessionTime, 1.0L) << minutes;
    EXPECT_EQ(row.MaxReloads, 2) << minutes;
  }
}

TEST(AuditTest, ReloadPercentOfARowWithoutTurnsIsZero) {
  TSaveDataRec row = FileOfDay(4, 5 * 3600, 7);
  row.ReloadPercent = 42;
  row.ElapsedTurns = 0;
  AuditSettings settings;
  RControl(row, Defaults(), '?', settings);
  EXPECT_EQ(row.ReloadPercent, 0.0L);
  EXPECT_EQ(row.Honesty, kAverage);
}

TEST(AuditTest, MaxReloadAndBaseLevelChangeNoRowNumber) {
  TSaveDataRec row = FileOfDay(4, 5 * 3600, 7);
  AuditEdits edits = Defaults();
  edits.MaxReload = "3";
  edits.BaseLevelIndex = -1;
  AuditSettings settings;
  RControl(row, edits, '?', settings);
  EXPECT_EQ(settings.MaxReload, 3);
  EXPECT_EQ(settings.BaseLevel, -1);
  EXPECT_EQ(row.MaxReloads, 6);
  EXPECT_EQ(row.Honesty, kAverage);
}

TEST(AuditTest, AnInvalidDateStopsBeforeAnythingIsWritten) {
  TSaveDataRec row = FileOfDay(4, 5 * 3600, 7);
  row.PlayDays = 99;
  AuditEdits edits = Defaults();
  edits.Start.Day = "32";
  AuditSettings settings;
  settings.Presessions = 7;
  EXPECT_THAT([&] { RControl(row, edits, '?', settings); },
              ThrowsMessage<ConvertError>(StrEq("'32-11-2005' is not a valid date")));
  EXPECT_EQ(row.PlayDays, 99);
  EXPECT_EQ(settings.Presessions, 7);
}

TEST(AuditTest, AFailingSettingKeepsThoseConvertedBeforeIt) {
  TSaveDataRec row = FileOfDay(4, 5 * 3600, 7);
  AuditSettings settings;
  settings.MaxSessionsPerDay = 9;
  AuditEdits edits = Defaults();
  edits.SessionsPerDay = "1,5";
  EXPECT_THAT([&] { RControl(row, edits, '?', settings); },
              ThrowsMessage<ConvertError>(StrEq("'1,5' is not a valid floating point value")));
  EXPECT_EQ(row.PlayDays, 4);
  EXPECT_EQ(settings.MaxSessionsPerDay, 9.0L);

  edits = Defaults();
  edits.Presessions = "";
  EXPECT_THAT([&] { RControl(row, edits, '?', settings); },
              ThrowsMessage<ConvertError>(StrEq("'' is not a valid integer value")));
  EXPECT_EQ(settings.MaxSessionsPerDay, 1.5L);
  EXPECT_EQ(settings.MinSessionTime, 30.0L);
  EXPECT_EQ(settings.Presessions, 0);
  EXPECT_EQ(settings.BaseLevel, 0);

  edits = Defaults();
  edits.BaseLevelIndex = 2;
  edits.LevelBonus = "1 5";
  EXPECT_THAT([&] { RControl(row, edits, '?', settings); },
              ThrowsMessage<ConvertError>(StrEq("'1 5' is not a valid integer value")));
  EXPECT_EQ(settings.BaseLevel, 2);
  EXPECT_EQ(settings.MaxReload, 20);
  EXPECT_EQ(settings.LevelBonus, 0);
}

}  // namespace
}  // namespace vsl
