// Tooltip texts that explain a row's audit and Ladder score with the numbers of the computation.

#include "app/explanations.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "app/format.h"
#include "app/ladder_components.h"
#include "scoring/convert.h"
#include "scoring/errors.h"

namespace vsl {
namespace {

// A number as a referee writes it: at most two decimals, no trailing zeros, the locale's separator.
std::string Number(long double value, char separator) {
  std::string text = FormatFixed(value, 0, 2, separator);
  if (text.find(separator) != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == separator) text.pop_back();
  }
  return text == "-0" ? "0" : text;
}

}  // namespace

std::string AuditExplanation(const WindowModel& model, int i) {
  TSaveDataRec row = model.Row(i);
  AuditSettings settings = model.Audit();
  const char sep = model.Locale().DecimalSeparator();
  AuditTrace t;
  try {
    t = RControl(row, model.CurrentAuditEdits(), sep, settings);
  } catch (const ConvertError& e) {
    return std::string("The audit cannot run: ") + e.what() + ".";
  }
  const auto num = [sep](long double v) { return Number(v, sep); };

  std::string text = "Reloads: " + CountText(row.SessionCount, "session", "sessions") + " - " +
                     CountText(t.Presessions, "presession", "presessions") + " = " +
                     std::to_string(row.Reloads);
  if (int64_t{row.SessionCount} - t.Presessions < 0) text += " (never below 0)";
  text += "\nPlay Days: " + std::to_string(row.PlayDays);
  if (row.PlayDays != t.TournamentDay) {
    text += " (the file is dated outside the tournament's " + std::to_string(kTournamentDays) +
            " days from " + FileDateText(static_cast<double>(t.Start), model.Locale()) + ")";
  }
  text += "\nAllowance by days: " + CountText(row.PlayDays, "day", "days") + " x " +
          num(settings.MaxSessionsPerDay) + " = " + num(t.ByDays);
  text += "\nAllowance by time: " + std::string(TrimLeft(DurationText(row.PlayTime))) + " / " +
          num(t.MinSessionTime) + " min = " + num(t.ByTime);
  text += "\nMax Reloads: ";
  if (row.PlayTime == 0) {
    text += "no play time, so by days alone: " + num(t.Allowance);
  } else if (std::min(t.ByDays, t.ByTime) == 0) {
    text += "the smaller is 0, counted as 1";
  } else {
    text += "the smaller, " + num(t.Allowance);
  }
  text += ", rounded " + std::to_string(row.MaxReloads);
  text += "\nFair below " + num(t.FairBelow) + " reloads, Average below " + num(t.AverageBelow) +
          ", Cheat from " + num(t.AverageBelow);
  if (t.NoReloadRule) {
    text += std::string("\n") + (row.SessionCount == 0 ? "No session recorded" : "No reload") + ": " +
            HonestyText(row.Honesty) + " whatever the allowance";
  } else {
    text += "\n" + CountText(row.Reloads, "reload", "reloads") + ": " + HonestyText(row.Honesty);
  }
  return text;
}

std::string LadderExplanation(const WindowModel& model, int i) {
  TSaveDataRec row = model.Row(i);
  const AuditSettings& audit = model.Audit();
  LadderTrace t;
  try {
    t = LadderScoreCalc(row, model.Ladder(), audit.BaseLevel, audit.LevelBonus);
  } catch (const MathError& e) {
    return std::string("The Ladder score cannot be computed: ") + e.what() + ".";
  }
  const char sep = model.Locale().DecimalSeparator();
  const auto num = [sep](long double v) { return Number(v, sep); };

  std::string text;
  for (size_t k = 0; k < kLadderComponents.size(); ++k) {
    const LadderComponentTrace& c = t.Components[k];
    text += std::string(kLadderComponents[k].Caption) + ": ";
    if (c.Target > 0) {
      text += std::to_string(c.Factor) + " x " + num(c.Value) + " / " + num(c.Target) + " = " +
              std::to_string(c.Points);
    } else {
      text += std::to_string(c.Points) + ", no target";
    }
    text += " (maximum " + num(c.Maximum) + " at turn " + std::to_string(row.GameTurn) + " of " +
            std::to_string(t.TurnLimit) + ")\n";
  }
  text += "Result: " + std::to_string(row.Result) + "\n";
  text += "Bonus: " + LevelText(row.Level) + " against " + LevelText(audit.BaseLevel) + ", " +
          std::to_string(t.LevelPercent) + "% of " + std::to_string(row.Result) + " = " +
          std::to_string(row.Bonus) + "\n";
  text += "Final: " + std::to_string(row.Result) + (row.Bonus < 0 ? " - " : " + ") +
          std::to_string(row.Bonus < 0 ? -int64_t{row.Bonus} : int64_t{row.Bonus}) + " = " +
          std::to_string(row.LadderFinal);
  if (row.LadderFinal != WrapInt32(int64_t{row.Result} + row.Bonus)) text += " (never below 0)";
  return text;
}

}  // namespace vsl
