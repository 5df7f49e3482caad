#include "save/stream_reader.h"

#include <cstring>
#include <string>

#include "save/save_error.h"

namespace vsl {

namespace {

const char* KindName(Kind k) {
  switch (k) {
    case Kind::Int32: return "int32";
    case Kind::Int16: return "int16";
    case Kind::Byte: return "byte";
    case Kind::Bool: return "bool";
  }
  return "field";
}

}  // namespace

void StreamReader::Need(size_t pos, int64_t bytes, const char* what) const {
  const size_t left = pos <= image_.size() ? image_.size() - pos : 0;
  if (bytes < 0 || static_cast<uint64_t>(bytes) > left) {
    throw SaveError("save is truncated or damaged at offset " + std::to_string(pos) + " (" + what + " needs " +
                        std::to_string(bytes) + " bytes, " + std::to_string(left) + " left)",
                    static_cast<int64_t>(pos));
  }
}

void StreamReader::Seek(size_t pos) {
  Need(pos, 0, "position");
  pos_ = pos;
}

int32_t StreamReader::ReadInt() {
  Need(pos_, 4, "int32");
  uint32_t v;
  std::memcpy(&v, image_.data() + pos_, 4);  // the image is little-endian, like the host
  pos_ += 4;
  return static_cast<int32_t>(v);
}

int16_t StreamReader::ReadShort() {
  Need(pos_, 2, "int16");
  uint16_t v;
  std::memcpy(&v, image_.data() + pos_, 2);
  pos_ += 2;
  return static_cast<int16_t>(v);
}

uint8_t StreamReader::ReadChar() {
  Need(pos_, 1, "byte");
  return image_[pos_++];
}

int32_t StreamReader::ReadBool() {
  Need(pos_, 1, "bool");
  return image_[pos_++];
}

int32_t StreamReader::IntAt(size_t offset) const {
  Need(offset, 4, "int32");
  uint32_t v;
  std::memcpy(&v, image_.data() + offset, 4);
  return static_cast<int32_t>(v);
}

StreamReader::TextSpan StreamReader::TextHeader(bool wide) {
  const int32_t n = ReadInt();
  if (n < 1 || n > kMaxTextCount) return {0, 0};
  int step = 1;
  if (wide) {
    if (n == 1) {
      step = 2;
    } else {
      // The second byte of the characters tells the width: a high byte of a 16-bit character is
      // below 20, a printable 8-bit character is not.
      Need(pos_ + 1, 1, "text");
      step = image_[pos_ + 1] < 20 ? 2 : 1;
    }
  }
  Need(pos_, static_cast<int64_t>(n) * step, wide ? "wide text" : "text");
  return {n, step};
}

std::string StreamReader::ReadStr() {
  const TextSpan t = TextHeader(false);
  const char* first = reinterpret_cast<const char*>(image_.data() + pos_);
  pos_ += static_cast<size_t>(t.count);
  const void* zero = std::memchr(first, 0, static_cast<size_t>(t.count));
  return std::string(first, zero ? static_cast<const char*>(zero) : first + t.count);
}

std::string StreamReader::ReadUStr() {
  std::string text;
  ReadUStr(text);
  return text;
}

void StreamReader::ReadUStr(std::string& out) {
  const TextSpan t = TextHeader(true);
  const uint8_t* p = image_.data() + pos_;
  if (t.step == 1) {
    const char* first = reinterpret_cast<const char*>(p);
    pos_ += static_cast<size_t>(t.count);
    const void* zero = std::memchr(first, 0, static_cast<size_t>(t.count));
    out.assign(first, zero ? static_cast<const char*>(zero) : first + t.count);
    return;
  }
  int32_t k = 0;
  for (; k < t.count && p[2 * k] != 0; ++k) {
  }
  out.resize(static_cast<size_t>(k));
  for (int32_t j = 0; j < k; ++j) out[static_cast<size_t>(j)] = static_cast<char>(p[2 * j]);
  pos_ += static_cast<size_t>(t.count) * 2;
}

void StreamReader::SkipStr() {
  const TextSpan t = TextHeader(false);
  pos_ += static_cast<size_t>(t.count);
}

void StreamReader::SkipUStr() {
  const TextSpan t = TextHeader(true);
  pos_ += static_cast<size_t>(t.count) * static_cast<size_t>(t.step);
}

void StreamReader::SkipStrs(int64_t count) {
  for (int64_t i = 0; i < count; ++i) SkipStr();
}

void StreamReader::SkipUStrs(int64_t count) {
  for (int64_t i = 0; i < count; ++i) SkipUStr();
}

int32_t StreamReader::ReadCount(int64_t minEntryBytes) {
  const int32_t count = ReadInt();
  RequireEntries(count, minEntryBytes);
  return count;
}

void StreamReader::Skip(Kind kind, int64_t count) {
  if (count <= 0) return;
  const int64_t bytes = Width(kind) * count;
  Need(pos_, bytes, KindName(kind));
  pos_ += static_cast<size_t>(bytes);
}

void StreamReader::Skip(std::initializer_list<FieldRun> runs) {
  Skip(std::span<const FieldRun>(runs.begin(), runs.size()));
}

void StreamReader::Skip(std::span<const FieldRun> runs) {
  int64_t bytes = 0;
  for (const FieldRun& r : runs) bytes += Width(r.kind) * (r.count > 0 ? r.count : 0);
  Need(pos_, bytes, "fields");
  pos_ += static_cast<size_t>(bytes);
}

void StreamReader::RequireEntries(int64_t count, int64_t minBytes) const {
  if (count <= 0) return;
  const int64_t left = static_cast<int64_t>(Remaining());
  if (minBytes > 0 && count > left / minBytes) {
    throw SaveError("save is truncated or damaged at offset " + std::to_string(pos_) + " (a count of " +
                        std::to_string(count) + " entries of at least " + std::to_string(minBytes) +
                        " bytes each, " + std::to_string(left) + " bytes left)",
                    static_cast<int64_t>(pos_));
  }
}

}  // namespace vsl
