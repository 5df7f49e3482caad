#pragma once
// Sequential reader over a save image: little-endian, unaligned fields, one cursor owned by the reader.
// Every read passes one bounds check, which throws SaveError naming the offset; nothing reads outside
// the image. The readers are inline: a large save has hundreds of thousands of fields, and a field read
// is a compare, a load and an add. Only the failing path, which builds the error text, is out of line.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace vsl {

// Field kinds of the save stream, by their width in bytes.
enum class Kind : uint8_t { Int32, Int16, Byte, Bool };
inline constexpr Kind Int32 = Kind::Int32;
inline constexpr Kind Int16 = Kind::Int16;
inline constexpr Kind Byte = Kind::Byte;
inline constexpr Kind Bool = Kind::Bool;

constexpr int64_t Width(Kind k) {
  return k == Kind::Int32 ? 4 : k == Kind::Int16 ? 2 : 1;
}

// A run of `count` fields of one kind; layouts list their skipped spans as runs.
struct FieldRun {
  Kind kind;
  int64_t count;
};

template <size_t N>
constexpr int64_t ByteSize(const FieldRun (&runs)[N]) {
  int64_t total = 0;
  for (const FieldRun& r : runs) total += Width(r.kind) * (r.count > 0 ? r.count : 0);
  return total;
}

// Text counts outside 1..kMaxTextCount give an empty text and skip no characters.
inline constexpr int32_t kMaxTextCount = 1023;

// The first text whose count is above kMaxTextCount: its characters stay in the stream, so every field
// after it is read from the wrong place. Offset is -1 while there is none.
struct OverlongText {
  int64_t Offset = -1;  // where its count lies
  int32_t Count = 0;
};

// Fields of a fixed-size block of the image whose bounds were checked once (StreamReader::ReadBlock):
// the same reads as StreamReader's, without a check each.
class FieldBlock {
 public:
  explicit FieldBlock(const uint8_t* data) : data_(data) {}
  size_t Used() const { return used_; }
  int32_t ReadInt() {
    uint32_t v;
    std::memcpy(&v, data_ + used_, 4);  // the image is little-endian, like the host
    used_ += 4;
    return static_cast<int32_t>(v);
  }
  int16_t ReadShort() {
    uint16_t v;
    std::memcpy(&v, data_ + used_, 2);
    used_ += 2;
    return static_cast<int16_t>(v);
  }
  uint8_t ReadChar() { return data_[used_++]; }
  int32_t ReadBool() { return data_[used_++]; }
  void Skip(Kind kind, int64_t count) {
    if (count > 0) used_ += static_cast<size_t>(Width(kind) * count);
  }
  template <size_t N>
  void Skip(const FieldRun (&runs)[N]) {
    used_ += static_cast<size_t>(ByteSize(runs));
  }

 private:
  const uint8_t* data_;
  size_t used_ = 0;
};

class StreamReader {
 public:
  explicit StreamReader(std::span<const uint8_t> image, size_t pos = 0)
      : data_(image.data()), size_(image.size()), pos_(pos) {}

  /// @name Positioning
  size_t Pos() const { return pos_; }
  void Seek(size_t pos) {
    Need(pos, 0, "position");
    pos_ = pos;
  }
  size_t Size() const { return size_; }
  size_t Remaining() const { return pos_ <= size_ ? size_ - pos_ : 0; }
  // The first over-long text this reader has met.
  const OverlongText& FirstOverlongText() const { return overlong_; }

  /// @name Fields at the cursor
  int32_t ReadInt() {
    Need(pos_, 4, "int32");
    const int32_t v = Load32(pos_);
    pos_ += 4;
    return v;
  }
  int16_t ReadShort() {
    Need(pos_, 2, "int16");
    uint16_t v;
    std::memcpy(&v, data_ + pos_, 2);
    pos_ += 2;
    return static_cast<int16_t>(v);
  }
  uint8_t ReadChar() {
    Need(pos_, 1, "byte");
    return data_[pos_++];
  }
  int32_t ReadBool() {  // the byte zero-extended; true when nonzero
    Need(pos_, 1, "bool");
    return data_[pos_++];
  }
  // int32 count, then 16-bit or 8-bit characters, kept as 8-bit.
  std::string ReadUStr() {
    std::string text;
    ReadUStr(text);
    return text;
  }
  void ReadUStr(std::string& out);  // the same into `out`, reusing its buffer
  // ReadUStr(out) without the markup spans ('<' up to the next '>'), in one pass over the characters:
  // the texts that are kept without markup are read this way.
  void ReadUStrWithoutMarkup(std::string& out);

  /// @name Runs of fields into arrays
  // out.size() int32 fields, or bool fields each zero-extended. One bounds check for the run; a run
  // cut short fails at the first field that does not fit, as reading field by field would.
  void ReadInts(std::span<int32_t> out) {
    const size_t bytes = 4 * out.size();
    if (!Has(pos_, bytes)) FailInRun(4, "int32");
    if (bytes != 0)
      std::memcpy(out.data(), data_ + pos_, bytes);  // the image is little-endian, like the host
    pos_ += bytes;
  }
  void ReadBools(std::span<int32_t> out) {
    if (!Has(pos_, out.size())) FailInRun(1, "bool");
    const uint8_t* p = data_ + pos_;
    for (size_t i = 0; i < out.size(); ++i) out[i] = p[i];
    pos_ += out.size();
  }

  // Reads a block of fixed fields of `bytes` bytes in all: `read(fields)` reads them from a FieldBlock
  // after one bounds check for the block; when fewer bytes are left, it reads them from this reader
  // one by one, so that a save cut short fails at the same field and offset. `read` must read exactly
  // `bytes` bytes, with the reads both classes offer.
  template <typename Read>
  void ReadBlock(size_t bytes, Read read) {
    if (!Has(pos_, bytes)) {
      read(*this);
      return;
    }
    FieldBlock fields(data_ + pos_);
    read(fields);
    pos_ += fields.Used();
  }

  /// @name Skipping without storing
  void Skip(Kind kind, int64_t count) {
    if (count <= 0) return;
    const int64_t bytes = Width(kind) * count;
    Need(pos_, bytes, KindName(kind));
    pos_ += static_cast<size_t>(bytes);
  }
  // A layout's runs, skipped with one bounds check; their size folds to a constant.
  template <size_t N>
  void Skip(const FieldRun (&runs)[N]) {
    SkipFields(ByteSize(runs));
  }
  void SkipStr() {
    const TextSpan t = TextHeader(false);
    pos_ += static_cast<size_t>(t.count);
  }
  void SkipUStr() {
    const TextSpan t = TextHeader(true);
    pos_ += static_cast<size_t>(t.count) * static_cast<size_t>(t.step);
  }
  void SkipStrs(int64_t count) {  // `count` 8-bit texts
    for (int64_t i = 0; i < count; ++i) SkipStr();
  }
  void SkipUStrs(int64_t count) {  // `count` wide texts
    for (int64_t i = 0; i < count; ++i) SkipUStr();
  }

  /// @name Counted lists
  // Reads a list's int32 count and checks that that many entries of at least `minEntryBytes` each can
  // still follow (RequireEntries); returns the count as stored, 0 or less meaning no entries.
  int32_t ReadCount(int64_t minEntryBytes) {
    const int32_t count = ReadInt();
    RequireEntries(count, minEntryBytes);
    return count;
  }

  // Keeps the bytes up to kStreamAhead past the cursor on their way into the processor's caches: a
  // record loop calls it once a record, so that the lines of the records to come are requested long
  // before the walk reaches them instead of one miss at a time. No effect on the reading.
  void PrefetchStream() {
    const size_t end = std::min(pos_ + kStreamAhead, size_);
    size_t line = std::max(streamed_, pos_);
    for (; line < end; line += kCacheLine) __builtin_prefetch(data_ + line);
    streamed_ = line;
  }

  /// @name Fixed positions (the cursor does not move)
  int32_t IntAt(size_t offset) const {
    Need(offset, 4, "int32");
    return Load32(offset);
  }

  // Throws SaveError unless `count` entries of at least `minBytes` each can still follow the cursor.
  // Counts of 0 or less pass (they mean no entries).
  void RequireEntries(int64_t count, int64_t minBytes) const {
    if (count <= 0 || minBytes <= 0) return;
    const int64_t left = static_cast<int64_t>(Remaining());
    // count > left / minBytes, without the division while the product cannot overflow.
    const bool tooMany = minBytes <= kExactProductLimit ? count * minBytes > left : count > left / minBytes;
    if (tooMany) FailEntries(count, minBytes);
  }

 private:
  struct TextSpan {
    int32_t count;
    int step;
  };
  // Both factors below 2^31: the product fits in int64.
  static constexpr int64_t kExactProductLimit = int64_t{1} << 31;

  static const char* KindName(Kind k) {
    switch (k) {
      case Kind::Int32:
        return "int32";
      case Kind::Int16:
        return "int16";
      case Kind::Byte:
        return "byte";
      case Kind::Bool:
        return "bool";
    }
    return "field";
  }

  int32_t Load32(size_t pos) const {
    uint32_t v;
    std::memcpy(&v, data_ + pos, 4);  // the image is little-endian, like the host
    return static_cast<int32_t>(v);
  }
  bool Has(size_t pos, uint64_t bytes) const { return bytes <= (pos <= size_ ? size_ - pos : 0); }
  // Throws SaveError unless `bytes` bytes are available at `pos`; `what` names the field kind.
  void Need(size_t pos, int64_t bytes, const char* what) const {
    if (bytes < 0 || !Has(pos, static_cast<uint64_t>(bytes))) [[unlikely]]
      Fail(pos, bytes, what);
  }
  void ReadText(std::string& out, bool cutMarkup);
  void SkipFields(int64_t bytes) {
    Need(pos_, bytes, "fields");
    pos_ += static_cast<size_t>(bytes);
  }
  // Reads the count of a text and, when it is 1..1023, the position and step of its characters.
  TextSpan TextHeader(bool wide) {
    const int32_t n = ReadInt();
    if (n < 1 || n > kMaxTextCount) {
      if (n > kMaxTextCount && overlong_.Offset < 0) overlong_ = {static_cast<int64_t>(pos_) - 4, n};
      return {0, 0};
    }
    int step = 1;
    if (wide) {
      if (n == 1) {
        step = 2;
      } else {
        // The second byte of the characters tells the width: a high byte of a 16-bit character is
        // below 20, a printable 8-bit character is not.
        Need(pos_ + 1, 1, "text");
        step = data_[pos_ + 1] < 20 ? 2 : 1;
      }
    }
    Need(pos_, static_cast<int64_t>(n) * step, wide ? "wide text" : "text");
    return {n, step};
  }

  [[noreturn, gnu::cold, gnu::noinline]] void Fail(size_t pos, int64_t bytes, const char* what) const;
  // A run of fields of `width` bytes does not fit: fails at its first field that does not.
  [[noreturn, gnu::cold, gnu::noinline]] void FailInRun(int64_t width, const char* what) const;
  [[noreturn, gnu::cold, gnu::noinline]] void FailEntries(int64_t count, int64_t minBytes) const;

  static constexpr size_t kStreamAhead = 4096;
  static constexpr size_t kCacheLine = 64;

  const uint8_t* data_;
  size_t size_;
  size_t pos_;
  size_t streamed_ = 0;  // the stream prefetch has asked for the lines before this offset
  OverlongText overlong_;
};

}  // namespace vsl
