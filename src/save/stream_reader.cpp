#include "save/stream_reader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "save/save_error.h"
#include "save/text_scan.h"

namespace vsl {

void StreamReader::Fail(size_t pos, int64_t bytes, const char* what) const {
  const size_t left = pos <= size_ ? size_ - pos : 0;
  throw SaveError("save is truncated or damaged at offset " + std::to_string(pos) + " (" + what + " needs " +
                      std::to_string(bytes) + " bytes, " + std::to_string(left) + " left)",
                  static_cast<int64_t>(pos));
}

void StreamReader::FailInRun(int64_t width, const char* what) const {
  const size_t fit = Remaining() / static_cast<size_t>(width);
  Fail(pos_ + fit * static_cast<size_t>(width), width, what);
}

void StreamReader::FailEntries(int64_t count, int64_t minBytes) const {
  const int64_t left = static_cast<int64_t>(Remaining());
  throw SaveError("save is truncated or damaged at offset " + std::to_string(pos_) + " (a count of " +
                      std::to_string(count) + " entries of at least " + std::to_string(minBytes) +
                      " bytes each, " + std::to_string(left) + " bytes left)",
                  static_cast<int64_t>(pos_));
}

void StreamReader::ReadUStr(std::string& out) {
  ReadText(out, false);
}

void StreamReader::ReadUStrWithoutMarkup(std::string& out) {
  ReadText(out, true);
}

void StreamReader::ReadText(std::string& out, bool cutMarkup) {
  const TextSpan t = TextHeader(true);
  const auto count = static_cast<size_t>(t.count);
  const auto step = static_cast<size_t>(t.step);
  out.resize(count + 16);  // the block copy's room
  const size_t kept = CopyTextChars(data_ + pos_, count, step, size_ - pos_, cutMarkup, out.data());
  out.resize(kept);
  pos_ += count * step;
}

}  // namespace vsl
