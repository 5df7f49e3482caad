// The reload audit of one row: sessions beyond the presessions against an allowance from the tournament
// day the file was written on and from its play time.

#include "scoring/audit.h"

#include "scoring/convert.h"

namespace vsl {

namespace {

constexpr int32_t kFirstPlayDay = 1;
constexpr int32_t kLastPlayDay = 31;
constexpr int32_t kPlayDaysOutOfRange = 30;  // a file dated outside the tournament's days

}  // namespace

void RControl(TSaveDataRec& row, const AuditEdits& edits, char decimalSeparator, AuditSettings& settings) {
  // The tournament day the file was written on, the start date being day 1.
  const long double start = TextToDate(edits.Day + "-" + edits.Month + "-" + edits.Year);
  int32_t playDays = RoundHalfEven(row.FileDate - start + 0.5L);
  if (playDays < kFirstPlayDay || playDays > kLastPlayDay) playDays = kPlayDaysOutOfRange;
  row.PlayDays = playDays;

  // Each setting is kept as soon as it converts, so a later failing one leaves the earlier ones set.
  settings.MaxSessionsPerDay = TextToFloat(edits.SessionsPerDay, decimalSeparator);
  settings.MinSessionTime = TextToInt(edits.MinSessionTime);
  settings.Presessions = TextToInt(edits.Presessions);
  settings.BaseLevel = edits.BaseLevelIndex;
  settings.MaxReload = TextToInt(edits.MaxReload);
  settings.LevelBonus = TextToInt(edits.LevelBonus);

  row.Reloads = WrapInt32(int64_t{row.SessionCount} - settings.Presessions);
  if (row.Reloads < 0) row.Reloads = 0;
  row.SessionTime = row.Reloads > 0 ? row.PlayTime / row.Reloads : 0;
  // A row with no turns played has no rate; 0 rather than whatever an earlier file in the slot left.
  row.ReloadPercent = row.ElapsedTurns > 0
                          ? WrapInt32(int64_t{row.Reloads} * 100) / static_cast<long double>(row.ElapsedTurns)
                          : 0;

  const long double byDays = row.PlayDays * settings.MaxSessionsPerDay;
  if (settings.MinSessionTime < 1) settings.MinSessionTime = 1;
  const long double byTime = row.PlayTime / (settings.MinSessionTime * 60);
  long double allowance = byDays < byTime ? byDays : byTime;
  if (row.PlayTime == 0) {
    allowance = byDays;
  } else if (allowance == 0) {
    allowance = 1;
  }
  row.MaxReloads = RoundHalfEven(allowance);
  allowance = row.MaxReloads;

  if (row.Reloads < allowance * 75 / 100) {
    row.Honesty = kFair;
  } else if (row.Reloads < allowance * 125 / 100) {
    row.Honesty = kAverage;
  } else {
    row.Honesty = kCheat;
  }
  // A file without sessions, or without a single reload, cannot have reloaded too often, whatever its
  // allowance rounded to.
  if (row.SessionCount == 0 || row.Reloads == 0) row.Honesty = kFair;
}

}  // namespace vsl
