#pragma once
// The cell formats of the grids (and so of the results file). Numbers are formatted independently of the
// C library's locale; the decimal separator is the one passed in.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/locale_services.h"
#include "record/save_record.h"

namespace vsl {

// "%<width>d": right-aligned, never cut.
std::string FormatInt(int32_t value, int width);
// "%<width>.<decimals>f" with `separator` as the decimal separator. A tie rounds as printf does on the
// exact binary value.
std::string FormatFixed(long double value, int width, int decimals, char separator);

// Year text: "%4dBC" of -y for y < 0, "  1AD" for 0, "%4dAD" for y > 0.
std::string YearText(int32_t year);
// Duration text of a number of seconds: "%4d:%.2d:%.2d" of hours, minutes mod 60, seconds mod 60.
std::string DurationText(int32_t seconds);
// File-date text: dd-mm-yyyy, then a blank and the locale's long time, the time left out at midnight.
std::string FileDateText(double fileDate, const LocaleServices& locale);

std::string LevelText(int32_t level);                             // "Settler" .. "Deity", else "Unknown"
std::string VictoryText(int32_t gameEnded, int32_t victoryType);  // "Incomplete", "Loss", "Time", ...
std::string HonestyText(int32_t honesty);                         // "Cheat", "Average", else "Fair"
// The verdict a Honesty cell shows, for the views that colour it; none for a cell without one.
std::optional<Honesty> ShownHonesty(std::string_view cell);
std::string LeaderNameText(int32_t leaderType);  // entry of LeaderNames, "Unknown" outside the table
std::string CivNameText(int32_t civType);        // entry of CivNames, "Unknown" outside the table

// A count with its noun: "1 file", "4 files".
std::string CountText(int64_t n, const std::string& one, const std::string& many);

}  // namespace vsl
