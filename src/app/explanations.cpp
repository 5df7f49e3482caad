// Tooltip texts that explain a row's audit and Ladder score with the numbers of the computation.

#include "app/explanations.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "app/cp1251.h"
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

// The tooltips speak the application's language (English without a translation installed), in code page
// 1251 as every text of the grids.
constexpr char kContext[] = "Explanations";

// `source` with %1, %2… replaced by `args` (code page 1251), translated where a translation gives it.
std::string Tr(const char* source, std::initializer_list<std::string> args = {}) {
  QString text = QCoreApplication::translate(kContext, source);
  for (const std::string& arg : args) text = text.arg(Cp1251ToQString(arg));
  return QStringToCp1251(text);
}

// `n` things: the translation of `source` ("%n session(s)"), else English ("1 session", "2 sessions").
std::string Count(const char* source, int64_t n, const std::string& one, const std::string& many) {
  const int count = static_cast<int>(std::clamp<int64_t>(n, INT32_MIN, INT32_MAX));
  const QString text = QCoreApplication::translate(kContext, source, nullptr, count);
  if (text == QString::fromUtf8(source).replace(QStringLiteral("%n"), QString::number(count)))
    return CountText(n, one, many);
  return QStringToCp1251(text);
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
    return Tr(QT_TRANSLATE_NOOP("Explanations", "The audit cannot run: %1."), {e.what()});
  }
  const auto num = [sep](long double v) { return Number(v, sep); };

  std::string text = Tr(
      QT_TRANSLATE_NOOP("Explanations", "Reloads: %1 - %2 = %3"),
      {Count(QT_TRANSLATE_N_NOOP("Explanations", "%n session(s)"), row.SessionCount, "session", "sessions"),
       Count(QT_TRANSLATE_N_NOOP("Explanations", "%n presession(s)"), t.Presessions, "presession",
             "presessions"),
       std::to_string(row.Reloads)});
  if (int64_t{row.SessionCount} - t.Presessions < 0)
    text += Tr(QT_TRANSLATE_NOOP("Explanations", " (never below 0)"));
  text += Tr(QT_TRANSLATE_NOOP("Explanations", "\nPlay Days: %1"), {std::to_string(row.PlayDays)});
  if (row.PlayDays != t.TournamentDay) {
    text +=
        Tr(QT_TRANSLATE_NOOP("Explanations", " (the file is dated outside the tournament's %1 days from %2)"),
           {std::to_string(kTournamentDays), FileDateText(static_cast<double>(t.Start), model.Locale())});
  }
  text += Tr(QT_TRANSLATE_NOOP("Explanations", "\nAllowance by days: %1 x %2 = %3"),
             {Count(QT_TRANSLATE_N_NOOP("Explanations", "%n day(s)"), row.PlayDays, "day", "days"),
              num(settings.MaxSessionsPerDay), num(t.ByDays)});
  text += Tr(QT_TRANSLATE_NOOP("Explanations", "\nAllowance by time: %1 / %2 min = %3"),
             {std::string(TrimLeft(DurationText(row.PlayTime))), num(t.MinSessionTime), num(t.ByTime)});
  if (row.PlayTime == 0) {
    text += Tr(QT_TRANSLATE_NOOP("Explanations", "\nMax Reloads: no play time, so by days alone: %1"),
               {num(t.Allowance)});
  } else if (std::min(t.ByDays, t.ByTime) == 0) {
    text += Tr(QT_TRANSLATE_NOOP("Explanations", "\nMax Reloads: the smaller is 0, counted as 1"));
  } else {
    text += Tr(QT_TRANSLATE_NOOP("Explanations", "\nMax Reloads: the smaller, %1"), {num(t.Allowance)});
  }
  text += Tr(QT_TRANSLATE_NOOP("Explanations", ", rounded %1"), {std::to_string(row.MaxReloads)});
  text += Tr(QT_TRANSLATE_NOOP("Explanations", "\nFair below %1 reloads, Average below %2, Cheat from %2"),
             {num(t.FairBelow), num(t.AverageBelow)});
  if (t.NoReloadRule) {
    text += row.SessionCount == 0
                ? Tr(QT_TRANSLATE_NOOP("Explanations", "\nNo session recorded: %1 whatever the allowance"),
                     {HonestyText(row.Honesty)})
                : Tr(QT_TRANSLATE_NOOP("Explanations", "\nNo reload: %1 whatever the allowance"),
                     {HonestyText(row.Honesty)});
  } else {
    text += "\n" +
            Count(QT_TRANSLATE_N_NOOP("Explanations", "%n reload(s)"), row.Reloads, "reload", "reloads") +
            ": " + HonestyText(row.Honesty);
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
    return Tr(QT_TRANSLATE_NOOP("Explanations", "The Ladder score cannot be computed: %1."), {e.what()});
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
      text += Tr(QT_TRANSLATE_NOOP("Explanations", "%1, no target"), {std::to_string(c.Points)});
    }
    text += Tr(QT_TRANSLATE_NOOP("Explanations", " (maximum %1 at turn %2 of %3)\n"),
               {num(c.Maximum), std::to_string(row.GameTurn), std::to_string(t.TurnLimit)});
  }
  text += Tr(QT_TRANSLATE_NOOP("Explanations", "Result: %1\n"), {std::to_string(row.Result)});
  text += Tr(QT_TRANSLATE_NOOP("Explanations", "Bonus: %1 against %2, %3% of %4 = %5\n"),
             {LevelText(row.Level), LevelText(audit.BaseLevel), std::to_string(t.LevelPercent),
              std::to_string(row.Result), std::to_string(row.Bonus)});
  text += Tr(QT_TRANSLATE_NOOP("Explanations", "Final: %1"),
             {std::to_string(row.Result) + (row.Bonus < 0 ? " - " : " + ") +
              std::to_string(row.Bonus < 0 ? -int64_t{row.Bonus} : int64_t{row.Bonus}) + " = " +
              std::to_string(row.LadderFinal)});
  if (row.LadderFinal != WrapInt32(int64_t{row.Result} + row.Bonus))
    text += Tr(QT_TRANSLATE_NOOP("Explanations", " (never below 0)"));
  return text;
}

}  // namespace vsl
