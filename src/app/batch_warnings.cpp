// Status-line warnings about a loaded batch.

#include "app/batch_warnings.h"

#include <algorithm>
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
  return BatchWarning{BatchWarning::Kind::OutsideTournament,
                      Files(outside) + (outside == 1 ? " lies" : " lie") + " outside " + range + ": " +
                          (outside == 1 ? "its" : "their") + " Play Days is " +
                          std::to_string(kPlayDaysOutOfRange) + ". Set the start date on the Reloads page."};
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
  return BatchWarning{
      BatchWarning::Kind::MixedSettings,
      "The Ladder maxima come from " + FileNameText(m.FileName) + " (" + SpeedText(m.GameSpeed) + ", map " +
          std::to_string(m.MapWidth) + "x" + std::to_string(m.MapHeight) + ", end turn " +
          std::to_string(m.EndTurn) + "); " + Files(otherwise) + (otherwise == 1 ? " was" : " were") +
          " played otherwise. Load each kind of game as a batch of its own, or set the maxima "
          "on the Ladder page."};
}

}  // namespace

std::vector<BatchWarning> BatchWarnings(const WindowModel& model, const BatchResult& result) {
  std::vector<BatchWarning> warnings;
  if (auto w = OutsideTournament(model)) warnings.push_back(std::move(*w));
  if (auto w = MixedSettings(model, result)) warnings.push_back(std::move(*w));
  if (result.LeftOut > 0) {
    const auto n = static_cast<size_t>(result.LeftOut);
    warnings.push_back({BatchWarning::Kind::LeftOut, Files(n) + " beyond the " + std::to_string(kMaxFiles) +
                                                         "th " + (n == 1 ? "was" : "were") +
                                                         " left out. Load " + (n == 1 ? "it" : "them") +
                                                         " as another batch."});
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
    if (n > kNamesListed) names += " and " + std::to_string(n - kNamesListed) + " more";
    if (notSaves) {
      warnings.push_back({BatchWarning::Kind::NotSaves,
                          Files(n) + " skipped as " + (n == 1 ? "it is not a save" : "they are not saves") +
                              " of the game: " + names + ". Leave " + (n == 1 ? "it" : "them") +
                              " out of the batch."});
    } else {
      warnings.push_back(
          {BatchWarning::Kind::Skipped, Files(n) + " skipped as damaged: " + names + ". Ask for " +
                                            (n == 1 ? "a new copy" : "new copies") + " and load " +
                                            (n == 1 ? "it" : "them") + " again."});
    }
  }
  return warnings;
}

}  // namespace vsl
