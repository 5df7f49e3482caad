// Status-line warnings about a loaded batch.

#include "app/batch_warnings.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <climits>
#include <initializer_list>
#include <optional>
#include <string>

#include "app/cp1251.h"
#include "app/file_name_text.h"
#include "app/format.h"
#include "gamedata/calendar.h"
#include "save/file_info.h"
#include "save/save_error.h"
#include "scoring/errors.h"

namespace vsl {
namespace {

const char kRangeSign[] = "\xE2\x80\xA6";  // the horizontal ellipsis
constexpr size_t kNamesListed = 3;         // skipped files named in the line; the window lists them all

std::string Files(size_t n) {
  return CountText(static_cast<int64_t>(n), "file", "files");
}

// The line in the application's language: the translation of `source` (with %n for `n` and %1, %2…
// for `args`) where a translation is installed, else `english`, the line as written in English.
std::string Line(const char* source, size_t n, std::string english, std::initializer_list<std::string> args) {
  const int count = static_cast<int>(std::min<size_t>(n, INT32_MAX));
  const QString text = QCoreApplication::translate("BatchWarnings", source, nullptr, count);
  if (text == QString::fromUtf8(source).replace(QStringLiteral("%n"), QString::number(count))) return english;
  QString line = text;
  for (const std::string& arg : args) line = line.arg(QString::fromStdString(arg));
  return line.toStdString();
}

std::string SpeedText(int32_t speed) {
  if (speed >= 0 && speed < 4) return "the " + std::to_string(kCalendarCap[speed]) + "-turn speed";
  return "speed " + std::to_string(speed);
}

std::optional<BatchWarning> OutsideTournament(const WindowModel& model) {
  long double start = 0;
  try {
    start = TournamentStart(model.CurrentAuditEdits());
  } catch (const ConvertError&) {
    return std::nullopt;
  }
  size_t outside = 0;
  for (int i = 0; i < model.SaveCount(); ++i) {
    const int32_t day = TournamentDay(model.Row(i).FileDate, start);
    if (day < 1 || day > kTournamentDays) ++outside;
  }
  if (outside == 0) return std::nullopt;
  const double first = static_cast<double>(start);
  const std::string range = Cp1251ToUtf8(FileDateText(first, model.Locale()) + " ") + kRangeSign +
                            Cp1251ToUtf8(" " + FileDateText(first + kTournamentDays - 1, model.Locale()));
  return BatchWarning{
      BatchWarning::Kind::OutsideTournament,
      Line(QT_TRANSLATE_N_NOOP("BatchWarnings",
                               "%n file(s) outside %1: Play Days %2. Set the start date on the "
                               "Reloads page."),
           outside,
           Files(outside) + (outside == 1 ? " lies" : " lie") + " outside " + range + ": " +
               (outside == 1 ? "its" : "their") + " Play Days is " + std::to_string(kPlayDaysOutOfRange) +
               ". Set the start date on the Reloads page.",
           {range, std::to_string(kPlayDaysOutOfRange)})};
}

std::optional<BatchWarning> MixedSettings(const WindowModel& model, const BatchResult& result) {
  if (!result.Maxima) return std::nullopt;
  const MaximaSource& m = *result.Maxima;
  size_t otherwise = 0;
  for (int i = 0; i < model.SaveCount(); ++i) {
    const TSaveDataRec& row = model.Row(i);
    if (row.GameSpeed != m.GameSpeed || row.MapWidth != m.MapWidth || row.MapHeight != m.MapHeight ||
        row.EndTurn != m.EndTurn) {
      ++otherwise;
    }
  }
  if (otherwise == 0) return std::nullopt;
  const std::string map = std::to_string(m.MapWidth) + "x" + std::to_string(m.MapHeight);
  return BatchWarning{
      BatchWarning::Kind::MixedSettings,
      Line(QT_TRANSLATE_N_NOOP("BatchWarnings",
                               "The Ladder maxima come from %1 (%2 turns, map %3, end turn %4); %n file(s) "
                               "played otherwise. Load each kind of game as a batch of its own, or set the "
                               "maxima on the Ladder page."),
           otherwise,
           "The Ladder maxima come from " + FileNameText(m.FileName) + " (" + SpeedText(m.GameSpeed) +
               ", map " + map + ", end turn " + std::to_string(m.EndTurn) + "); " + Files(otherwise) +
               (otherwise == 1 ? " was" : " were") +
               " played otherwise. Load each kind of game as a batch of its own, or set the maxima "
               "on the Ladder page.",
           {FileNameText(m.FileName),
            m.GameSpeed >= 0 && m.GameSpeed < 4 ? std::to_string(kCalendarCap[m.GameSpeed])
                                                : "?" + std::to_string(m.GameSpeed),
            map, std::to_string(m.EndTurn)})};
}

}  // namespace

std::vector<BatchWarning> BatchWarnings(const WindowModel& model, const BatchResult& result) {
  std::vector<BatchWarning> warnings;
  if (auto w = OutsideTournament(model)) warnings.push_back(std::move(*w));
  if (auto w = MixedSettings(model, result)) warnings.push_back(std::move(*w));
  if (result.LeftOut > 0) {
    const auto n = static_cast<size_t>(result.LeftOut);
    warnings.push_back(
        {BatchWarning::Kind::LeftOut,
         Line(QT_TRANSLATE_N_NOOP("BatchWarnings",
                                  "%n file(s) beyond the %1th left out. Load them as another batch."),
              n,
              Files(n) + " beyond the " + std::to_string(kMaxFiles) + "th " + (n == 1 ? "was" : "were") +
                  " left out. Load " + (n == 1 ? "it" : "them") + " as another batch.",
              {std::to_string(kMaxFiles)})});
  }
  // Damaged saves can be sent again; files that are no saves are best left out of the batch.
  for (const bool notSaves : {false, true}) {
    std::vector<std::string> paths;
    for (const SkippedFile& f : result.Skipped) {
      if (IsNotASave(f.Message) == notSaves) paths.push_back(f.Path);
    }
    if (paths.empty()) continue;
    const size_t n = paths.size();
    std::string names;
    for (size_t i = 0; i < std::min(n, kNamesListed); ++i)
      names += (i == 0 ? "" : ", ") + FileNameText(paths[i].substr(BaseNameStart(paths[i])));
    if (n > kNamesListed)
      names += Line(QT_TRANSLATE_N_NOOP("BatchWarnings", " and %n more"), n - kNamesListed,
                    " and " + std::to_string(n - kNamesListed) + " more", {});
    if (notSaves) {
      warnings.push_back(
          {BatchWarning::Kind::NotSaves,
           Line(QT_TRANSLATE_N_NOOP("BatchWarnings",
                                    "%n file(s) skipped as no saves of the game: %1. Leave "
                                    "them out of the batch."),
                n,
                Files(n) + " skipped as " + (n == 1 ? "it is not a save" : "they are not saves") +
                    " of the game: " + names + ". Leave " + (n == 1 ? "it" : "them") + " out of the batch.",
                {names})});
    } else {
      warnings.push_back(
          {BatchWarning::Kind::Skipped,
           Line(QT_TRANSLATE_N_NOOP("BatchWarnings",
                                    "%n file(s) skipped as damaged: %1. Ask for new copies and "
                                    "load them again."),
                n,
                Files(n) + " skipped as damaged: " + names + ". Ask for " +
                    (n == 1 ? "a new copy" : "new copies") + " and load " + (n == 1 ? "it" : "them") +
                    " again.",
                {names})});
    }
  }
  return warnings;
}

}  // namespace vsl
