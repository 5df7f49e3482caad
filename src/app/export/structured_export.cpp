#include "app/export/structured_export.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <array>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>
#include <string_view>

#include "app/cp1251.h"
#include "app/file_name_text.h"
#include "app/tournament_settings.h"
#include "app/window_model.h"
#include "scoring/convert.h"

namespace vsl {
namespace {

// How a field of the results file is typed: an integer, a fixed-point number, a text whose leading
// blanks only align it (year and duration texts), a text taken as it stands, or the file name (UTF-8
// already).
enum class FieldType { Int, Fixed, Aligned, Text, Name };
using enum FieldType;

struct FieldKind {
  const char* page;
  FieldType type;
};

// clang-format off
constexpr std::array<FieldKind, kExportFields> kFields = {{
    // BaseGrid 0-11
    {"Base", Int}, {"Base", Name}, {"Base", Text}, {"Base", Text}, {"Base", Text}, {"Base", Int},
    {"Base", Aligned}, {"Base", Aligned}, {"Base", Int}, {"Base", Int}, {"Base", Text}, {"Base", Text},
    // ReloadGrid 2-11
    {"Reloads", Text}, {"Reloads", Int}, {"Reloads", Aligned}, {"Reloads", Aligned}, {"Reloads", Int},
    {"Reloads", Int}, {"Reloads", Fixed}, {"Reloads", Aligned}, {"Reloads", Int}, {"Reloads", Text},
    // AdditionalGrid 2-14
    {"Additional", Int}, {"Additional", Int}, {"Additional", Int}, {"Additional", Int},
    {"Additional", Fixed}, {"Additional", Int}, {"Additional", Fixed}, {"Additional", Fixed},
    {"Additional", Fixed}, {"Additional", Fixed}, {"Additional", Int}, {"Additional", Int},
    {"Additional", Int},
    // LadderGrid 2-22
    {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Int},
    {"Ladder", Int}, {"Ladder", Aligned}, {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Int},
    {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Int},
    {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Int}, {"Ladder", Fixed}}};
// clang-format on

// A cell that holds no value: never written, or blanked before rendering.
bool IsBlank(std::string_view cell) {
  return cell.empty() || cell == " ";
}

// The field as shown: UTF-8, without its alignment blanks, decimals with a point; empty for a blank
// cell.
std::string Shown(std::string_view cell, FieldType type, char separator) {
  if (IsBlank(cell)) return "";
  if (type == Name) return std::string(cell);
  std::string text = Cp1251ToUtf8(type == Text ? cell : TrimLeft(cell));
  if (type == Fixed) {
    for (char& c : text) {
      if (c == separator) c = '.';
    }
  }
  return text;
}

// A file date (days since 30 December 1899, local time) in ISO 8601 with the local offset.
std::string IsoDateTime(double fileDate) {
  const double day = std::floor(fileDate);
  const int seconds = static_cast<int>(std::lround((fileDate - day) * 86400.0));
  const QDateTime local(QDate(1899, 12, 30).addDays(static_cast<qint64>(day)), QTime(0, 0).addSecs(seconds));
  const int offset = local.offsetFromUtc() / 60;
  const int magnitude = offset < 0 ? -offset : offset;
  return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toStdString() + (offset < 0 ? "-" : "+") +
         QString::asprintf("%02d:%02d", magnitude / 60, magnitude % 60).toStdString();
}

// A decimal number as the CSV writes it: an optional minus, digits, and a point with digits.
bool IsNumber(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  const size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? "0" : text.substr(point + 1);
  const auto digits = [](std::string_view part) {
    return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return digits(whole) && digits(fraction);
}

// A text that a spreadsheet would take for a formula (it begins with '=', '+', '-', '@', a tab or a
// carriage return: "=HYPERLINK(...)" as a player's name) gets a leading apostrophe, which spreadsheets
// read as "this is text"; numbers stay numbers.
std::string Neutralised(std::string text) {
  if (text.empty() || std::string_view("=+-@\t\r").find(text.front()) == std::string_view::npos ||
      IsNumber(text))
    return text;
  return "'" + text;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

nlohmann::ordered_json JsonValue(std::string_view cell, FieldType type, char separator) {
  if (IsBlank(cell)) return nullptr;
  std::string text(TrimLeft(cell));
  if (type == Int) {
    int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size()) return value;
  } else if (type == Fixed) {
    for (char& c : text) {
      if (c == separator) c = '.';
    }
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size()) return value;
  }
  return Shown(cell, type, separator);
}

}  // namespace

std::string ResultsCsv(const std::vector<std::vector<std::string>>& rows, char separator) {
  std::string csv;
  std::set<std::string> seen;
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t f = 0; f < rows[r].size(); ++f) {
      if (f > 0) csv += ',';
      std::string field;
      if (r == 0) {
        field = Cp1251ToUtf8(rows[r][f]);
        if (!seen.insert(field).second) field = std::string(kFields.at(f).page) + " " + field;
      } else {
        field = Neutralised(Shown(rows[r][f], kFields.at(f).type, separator));
      }
      csv += CsvField(field);
    }
    csv += "\r\n";
  }
  return csv;
}

std::string ResultsJson(const WindowModel& model) {
  const std::vector<std::vector<std::string>> rows = model.ExportRows();
  const char separator = model.Locale().DecimalSeparator();
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (size_t r = 1; r < rows.size(); ++r) {
    const TSaveDataRec& record = model.Row(static_cast<int>(r) - 1);
    nlohmann::ordered_json row = nlohmann::ordered_json::object();
    row["file"] = PathText(model.RowPath(static_cast<int>(r) - 1)).toStdString();
    row["locked"] = record.Locked();
    row["fileDate"] = IsoDateTime(record.FileDate);
    row["playTimeSeconds"] =
        record.Locked() ? nlohmann::ordered_json() : nlohmann::ordered_json(record.PlayTime);
    row["sessionTimeSeconds"] =
        record.Locked() ? nlohmann::ordered_json() : nlohmann::ordered_json(record.SessionTime);
    for (size_t f = 0; f < rows[r].size(); ++f) {
      const FieldKind& kind = kFields.at(f);
      row[kind.page][Cp1251ToUtf8(rows[0][f])] = JsonValue(rows[r][f], kind.type, separator);
    }
    row["Reloads"]["File Date"] = row["fileDate"];
    list.push_back(std::move(row));
  }
  std::array<bool, 7> allMaxima;
  allMaxima.fill(true);
  nlohmann::ordered_json settings = TournamentSettingsJson(SettingsFromModel(model, allMaxima));
  settings.erase("version");
  nlohmann::ordered_json doc = nlohmann::ordered_json::object();
  doc["program"] = "vsl-report";
  doc["version"] = VSL_VERSION;
  doc["settings"] = std::move(settings);
  doc["rows"] = std::move(list);
  return doc.dump(2) + "\n";
}

}  // namespace vsl
