#include "app/format.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "gamedata/datetime.h"
#include "gamedata/tables.h"
#include "record/save_record.h"

namespace vsl {
namespace {

std::string PadLeft(std::string text, int width) {
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  return text;
}

template <size_t N>
std::string Lookup(const std::array<std::string_view, N>& names, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= N) return "Unknown";
  return std::string(names[static_cast<size_t>(index)]);
}

constexpr std::array<std::string_view, 9> kLevelNames = {
    "Settler", "Chieftain", "Warlord", "Noble", "Prince", "Monarch", "Emperor", "Immortal", "Deity"};
constexpr std::array<std::string_view, 7> kVictoryNames = {"Unknown", "Time",  "Conquest",  "Domination",
                                                           "Culture", "Space", "Diplomatic"};

}  // namespace

std::string FormatInt(int32_t value, int width) {
  char text[16];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return PadLeft(std::string(text, end), width);
}

std::string FormatFixed(long double value, int width, int decimals, char separator) {
  // Fixed notation of the exact binary value, rounded like printf, whatever the C library's locale.
  char text[5000];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  std::string s = ec == std::errc() ? std::string(text, end) : std::string("overflow");
  for (char& c : s) {
    if (c == '.') c = separator;
  }
  return PadLeft(std::move(s), width);
}

std::string YearText(int32_t year) {
  if (year == 0) return "  1AD";
  if (year > 0) return FormatInt(year, 4) + "AD";
  // -year does not fit an int32 for the lowest value; go through 64 bits.
  return PadLeft(std::to_string(-static_cast<int64_t>(year)), 4) + "BC";
}

std::string DurationText(int32_t seconds) {
  int32_t minutes = seconds / 60;
  int32_t hours = minutes / 60;
  char text[48];
  std::snprintf(text, sizeof text, "%4d:%.2d:%.2d", hours, minutes % 60, seconds % 60);
  return text;
}

std::string FileDateText(double fileDate, const LocaleServices& locale) {
  CivilDateTime t = DecodeDateTime(fileDate);
  char date[48];
  std::snprintf(date, sizeof date, "%02d-%02d-%04d", t.Day, t.Month, t.Year);
  if (t.Hour == 0 && t.Minute == 0 && t.Second == 0) return date;
  return std::string(date) + " " + locale.LongTimeText(t.Hour, t.Minute, t.Second);
}

std::string LevelText(int32_t level) {
  return Lookup(kLevelNames, level);
}

std::string VictoryText(int32_t gameEnded, int32_t victoryType) {
  if (gameEnded == 0) return "Incomplete";
  if (victoryType == -1) return "Loss";
  return Lookup(kVictoryNames, victoryType);
}

constexpr std::array<std::pair<Honesty, const char*>, 3> kHonestyNames = {
    {{kCheat, "Cheat"}, {kAverage, "Average"}, {kFair, "Fair"}}};

std::string HonestyText(int32_t honesty) {
  for (const auto& [verdict, name] : kHonestyNames) {
    if (honesty == verdict) return name;
  }
  return "Fair";
}

std::optional<Honesty> ShownHonesty(std::string_view cell) {
  for (const auto& [verdict, name] : kHonestyNames) {
    if (cell == name) return verdict;
  }
  return std::nullopt;
}

std::string LeaderNameText(int32_t leaderType) {
  return Lookup(LeaderNames, leaderType);
}
std::string CivNameText(int32_t civType) {
  return Lookup(CivNames, civType);
}

std::string CountText(int64_t n, const std::string& one, const std::string& many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace vsl
