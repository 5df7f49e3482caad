// The reload audit of one row: sessions beyond the presessions against an allowance from the tournament
// day the file was written on and from its play time.

#include "scoring/audit.h"

#include "scoring/convert.h"

namespace vsl {

long double TournamentStart(const AuditEdits& edits) {
  return TextToDate(edits.Start.Joined());
}

int32_t TournamentDay(double fileDate, long double start) {
  return RoundHalfEven(fileDate - start + 0.5L);
}

AuditTrace RControl(TSaveDataRec& row, const AuditEdits& edits, char decimalSeparator,
                    AuditSettings& settings) {
  AuditTrace trace;
  // The tournament day the file was written on, the start date being day 1.
  trace.Start = TournamentStart(edits);
  trace.TournamentDay = TournamentDay(row.FileDate, trace.Start);
  const bool inTournament = trace.TournamentDay >= 1 && trace.TournamentDay <= kTournamentDays;
  row.PlayDays = inTournament ? trace.TournamentDay : kPlayDaysOutOfRange;

  // Each setting is kept as soon as it converts, so a later failing one leaves the earlier ones set.
  settings.MaxSessionsPerDay = TextToFloat(edits.SessionsPerDay, decimalSeparator);
  settings.MinSessionTime = TextToInt(edits.MinSessionTime);
  settings.Presessions = TextToInt(edits.Presessions);
  settings.BaseLevel = edits.BaseLevelIndex;
  settings.MaxReload = TextToInt(edits.MaxReload);
  settings.LevelBonus = TextToInt(edits.LevelBonus);
  trace.Presessions = settings.Presessions;

  row.Reloads = WrapInt32(int64_t{row.SessionCount} - settings.Presessions);
  if (row.Reloads < 0) row.Reloads = 0;
  row.SessionTime = row.Reloads > 0 ? row.PlayTime / row.Reloads : 0;
  // A row with no turns played has no rate; 0 rather than whatever an earlier file in the slot left.
  row.ReloadPercent = row.ElapsedTurns > 0
                          ? WrapInt32(int64_t{row.Reloads} * 100) / static_cast<long double>(row.ElapsedTurns)
                          : 0;

  trace.ByDays = row.PlayDays * settings.MaxSessionsPerDay;
  if (settings.MinSessionTime < 1) settings.MinSessionTime = 1;
  trace.MinSessionTime = settings.MinSessionTime;
  trace.ByTime = row.PlayTime / (settings.MinSessionTime * 60);
  long double allowance = trace.ByDays < trace.ByTime ? trace.ByDays : trace.ByTime;
  if (row.PlayTime == 0) {
    allowance = trace.ByDays;
  } else if (allowance == 0) {
    allowance = 1;
  }
  trace.Allowance = allowance;
  row.MaxReloads = RoundHalfEven(allowance);
  allowance = row.MaxReloads;

  trace.FairBelow = allowance * 75 / 100;
  trace.AverageBelow = allowance * 125 / 100;
  if (row.Reloads < trace.FairBelow) {
    row.Honesty = kFair;
  } else if (row.Reloads < trace.AverageBelow) {
    row.Honesty = kAverage;
  } else {
    row.Honesty = kCheat;
  }
  // A file without sessions, or without a single reload, cannot have reloaded too often, whatever its
  // allowance rounded to.
  trace.NoReloadRule = row.SessionCount == 0 || row.Reloads == 0;
  if (trace.NoReloadRule) row.Honesty = kFair;
  return trace;
}

}  // namespace vsl
