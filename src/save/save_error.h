#pragma once
// The one error type of the save reader: a save that is truncated, damaged or not a save at all.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vsl {

// A damaged save. Offset() is the byte position in the save image where reading failed, or -1 when
// the fault is not tied to a position (a zlib error, a file that cannot be opened).
class SaveError : public std::runtime_error {
 public:
  explicit SaveError(const std::string& message, int64_t offset = -1)
      : std::runtime_error(message), offset_(offset) {}
  int64_t Offset() const { return offset_; }

 private:
  int64_t offset_;
};

// A save whose image could not be allocated: not damaged, but too large for the memory at hand now. A
// batch retries such a file alone.
class OutOfMemoryError : public SaveError {
 public:
  using SaveError::SaveError;
};

// The start of the reason of a file that is no save at all (a picture, a table), as against a damaged
// save: "<path> is not a save of the game: it is a PNG picture. In detail: …".
inline constexpr std::string_view kNotASave = "is not a save of the game: ";

// The message of a file that could not be loaded: "<path>: <reason>", or "<path> is not a save …".
inline std::string FileMessage(const std::string& path, const std::string& reason) {
  return path + (reason.starts_with(kNotASave) ? " " : ": ") + reason;
}

// A file that could not be loaded: the file's path in front of the reason.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& path, const std::string& reason)
      : std::runtime_error(FileMessage(path, reason)), path_(path), reason_(reason) {}
  const std::string& Path() const { return path_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

// Whether the message of a file that failed says it is no save at all.
inline bool IsNotASave(std::string_view message) {
  return message.find(std::string(" ") + std::string(kNotASave)) != std::string_view::npos;
}

}  // namespace vsl
