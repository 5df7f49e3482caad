#include "cli/structured_export.h"

#include <array>
#include <charconv>
#include <nlohmann/json.hpp>
#include <string_view>

#include "app/cp1251.h"
#include "app/window_model.h"

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

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

// The field as shown: UTF-8, without its alignment blanks; empty for a blank cell.
std::string Shown(std::string_view cell, FieldType type) {
  if (IsBlank(cell)) return "";
  if (type == Name) return std::string(cell);
  return Cp1251ToUtf8(type == Text ? cell : TrimLeft(cell));
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
  return Shown(cell, type);
}

}  // namespace

std::string ResultsCsv(const std::vector<std::vector<std::string>>& rows) {
  std::string csv;
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t f = 0; f < rows[r].size(); ++f) {
      if (f > 0) csv += ',';
      csv += CsvField(r == 0 ? Cp1251ToUtf8(rows[r][f]) : Shown(rows[r][f], kFields.at(f).type));
    }
    csv += "\r\n";
  }
  return csv;
}

std::string ResultsJson(const std::vector<std::vector<std::string>>& rows, char separator) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (size_t r = 1; r < rows.size(); ++r) {
    nlohmann::ordered_json row = nlohmann::ordered_json::object();
    for (size_t f = 0; f < rows[r].size(); ++f) {
      const FieldKind& kind = kFields.at(f);
      row[kind.page][Cp1251ToUtf8(rows[0][f])] = JsonValue(rows[r][f], kind.type, separator);
    }
    list.push_back(std::move(row));
  }
  nlohmann::ordered_json doc = nlohmann::ordered_json::object();
  doc["rows"] = std::move(list);
  return doc.dump(2) + "\n";
}

}  // namespace vsl
