#include "save/file_info.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "gamedata/datetime.h"
#include "save/save_error.h"

namespace vsl {

namespace {

#ifdef _WIN32
constexpr std::string_view kSeparators = "/\\";
#else
constexpr std::string_view kSeparators = "/";
#endif

}  // namespace

size_t BaseNameStart(std::string_view firstPath) {
  const size_t sep = firstPath.find_last_of(kSeparators);
  return sep == std::string_view::npos ? 0 : sep + 1;
}

std::string DirectoryOf(std::string_view firstPath) {
  const size_t sep = firstPath.find_last_of(kSeparators);
  return sep == std::string_view::npos ? std::string() : std::string(firstPath.substr(0, sep));
}

std::string BaseName(std::string_view path, size_t start) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < start) return {};
  return std::string(path.substr(start, dot - start));
}

double DosDateTimeValue(const std::tm& local) {
  CivilDateTime t;
  t.Year = local.tm_year + 1900;
  t.Month = local.tm_mon + 1;
  t.Day = local.tm_mday;
  if (!IsValidDate(t.Year, t.Month, t.Day)) throw SaveError("the file date is out of range");
  t.Hour = local.tm_hour;
  t.Minute = local.tm_min;
  // A DOS date-time counts seconds in twos; a leap second (60) stays within the minute.
  t.Second = std::min(local.tm_sec, 59) & ~1;
  return EncodeDateTime(t);
}

double FileDate(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    throw FileError(path, std::string("cannot read the file date: ") + std::strerror(errno));
  }
  std::tm local{};
  if (localtime_r(&st.st_mtime, &local) == nullptr) {
    throw FileError(path, "cannot read the file date: it does not convert to local time");
  }
  try {
    return DosDateTimeValue(local);
  } catch (const SaveError& e) {
    throw FileError(path, e.what());
  }
}

}  // namespace vsl
