#pragma once
// What a load takes from a file's path and directory entry: the directory shown for the batch, the
// base name of each file and its last-write date.

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

namespace vsl {

// The position just after the last path separator of the batch's first path ('/', and '\\' as well
// on Windows); 0 when it has none. Every file of the batch takes its base name from there.
size_t BaseNameStart(std::string_view firstPath);
// The directory of the batch's first path: the text before its last separator, empty without one.
std::string DirectoryOf(std::string_view firstPath);
// The characters of `path` from `start` up to, not including, the last '.' at or after `start`;
// empty when there is no such '.'.
std::string BaseName(std::string_view path, size_t start);

// The date-time value of a local calendar time at the two-second resolution of a DOS date-time: odd
// seconds drop to the even second below. Throws SaveError for a date outside years 1..9999.
double DosDateTimeValue(const std::tm& local);
// The last-write time of the file at `path`, in local time, as DosDateTimeValue gives it. Throws
// FileError naming the file when its date cannot be read.
double FileDate(const std::string& path);

}  // namespace vsl
