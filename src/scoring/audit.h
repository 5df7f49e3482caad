#pragma once
// The reload audit: sessions recorded in a save against an allowance from play time and tournament days.

#include <cstdint>
#include <string>

#include "record/save_record.h"
#include "scoring/convert.h"

namespace vsl {

// The texts of the audit's edits as the user typed them, and the selected base level.
struct AuditEdits {
  DateText Start = {"27", "11", "2005"};  // Edit6, Edit2, Edit3

  std::string SessionsPerDay;         // Edit7; its default uses the locale's decimal separator
  std::string MinSessionTime = "30";  // Edit8, minutes
  std::string Presessions = "1";      // Edit4
  std::string MaxReload = "20";       // MaxReloadE
  std::string LevelBonus = "15";      // LevelBonusE
  int32_t BaseLevelIndex = 5;         // BaseLevelSelect, -1 when no item is selected
};

// Settings as the last audit converted them.
struct AuditSettings {
  long double MaxSessionsPerDay = 0;
  long double MinSessionTime = 0;
  int32_t Presessions = 0;
  int32_t BaseLevel = 0;
  int32_t MaxReload = 0;
  int32_t LevelBonus = 0;
};

// The tournament lasts this many days, the start date being day 1; a file dated outside them gets
// kPlayDaysOutOfRange play days.
inline constexpr int32_t kTournamentDays = 31;
inline constexpr int32_t kPlayDaysOutOfRange = 30;

// The numbers an audit passes through besides the row's outputs (PlayDays, Reloads, MaxReloads,
// Honesty ...), so that a verdict can be explained with the very values that made it.
struct AuditTrace {
  long double Start = 0;           // tournament start: a date-time value at midnight
  int32_t TournamentDay = 0;       // the day the file was written on; outside 1..31 PlayDays is 30
  int32_t Presessions = 0;         // sessions that are no reloads
  long double ByDays = 0;          // allowance by days: PlayDays x sessions per day
  long double ByTime = 0;          // allowance by time: play time / minimum session time
  long double MinSessionTime = 0;  // minutes, as used (at least 1)
  long double Allowance = 0;       // the smaller allowance; by days alone without play time, else >= 1
  long double FairBelow = 0;       // Fair below this many reloads: MaxReloads x 75 / 100
  long double AverageBelow = 0;    // Average below this many, else Cheat: MaxReloads x 125 / 100
  bool NoReloadRule = false;       // Fair because the file has no session or no reload at all
};

// The tournament's start date from the three date edits (day-month-year). Throws ConvertError.
long double TournamentStart(const AuditEdits& edits);
// The tournament day a file written at `fileDate` falls on, the start date being day 1; the days of the
// tournament are 1..kTournamentDays.
int32_t TournamentDay(double fileDate, long double start);

// Audits `row`. Conversions run in the audit's order and a failing one throws ConvertError, leaving the
// settings converted before it in `settings` and, once the date converted, the row's PlayDays written.
// A row with no turns played gets a ReloadPercent of 0. Returns the numbers the audit went through.
AuditTrace RControl(TSaveDataRec& row, const AuditEdits& edits, char decimalSeparator,
                    AuditSettings& settings);

}  // namespace vsl
