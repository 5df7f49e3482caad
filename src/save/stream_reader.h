#pragma once
// Sequential reader over a save image: little-endian, unaligned fields, one cursor owned by the reader.
// Every read passes one bounds check, which throws SaveError naming the offset; nothing reads outside
// the image.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

namespace vsl {

// Field kinds of the save stream, by their width in bytes.
enum class Kind : uint8_t { Int32, Int16, Byte, Bool };
inline constexpr Kind Int32 = Kind::Int32;
inline constexpr Kind Int16 = Kind::Int16;
inline constexpr Kind Byte = Kind::Byte;
inline constexpr Kind Bool = Kind::Bool;

constexpr int64_t Width(Kind k) { return k == Kind::Int32 ? 4 : k == Kind::Int16 ? 2 : 1; }

// A run of `count` fields of one kind; layouts list their skipped spans as runs.
struct FieldRun {
  Kind kind;
  int64_t count;
};

template <size_t N>
constexpr int64_t ByteSize(const FieldRun (&runs)[N]) {
  int64_t total = 0;
  for (const FieldRun& r : runs) total += Width(r.kind) * r.count;
  return total;
}

// Text counts outside 1..kMaxTextCount give an empty text and skip no characters.
inline constexpr int32_t kMaxTextCount = 1023;

class StreamReader {
 public:
  explicit StreamReader(std::span<const uint8_t> image, size_t pos = 0) : image_(image), pos_(pos) {}

  /// @name Positioning
  size_t Pos() const { return pos_; }
  void Seek(size_t pos);
  size_t Size() const { return image_.size(); }
  size_t Remaining() const { return pos_ <= image_.size() ? image_.size() - pos_ : 0; }

  /// @name Fields at the cursor
  int32_t ReadInt();
  int16_t ReadShort();
  uint8_t ReadChar();
  int32_t ReadBool();  // the byte zero-extended; true when nonzero
  std::string ReadStr();   // int32 count, then 8-bit characters
  std::string ReadUStr();  // int32 count, then 16-bit or 8-bit characters, kept as 8-bit
  void ReadUStr(std::string& out);  // the same into `out`, reusing its buffer

  /// @name Skipping without storing
  void Skip(Kind kind, int64_t count);
  void Skip(std::initializer_list<FieldRun> runs);
  void Skip(std::span<const FieldRun> runs);
  void SkipStr();
  void SkipUStr();
  void SkipStrs(int64_t count);   // `count` 8-bit texts
  void SkipUStrs(int64_t count);  // `count` wide texts

  /// @name Counted lists
  // Reads a list's int32 count and checks that that many entries of at least `minEntryBytes` each can
  // still follow (RequireEntries); returns the count as stored, 0 or less meaning no entries.
  int32_t ReadCount(int64_t minEntryBytes);

  /// @name Fixed positions (the cursor does not move)
  int32_t IntAt(size_t offset) const;

  // Throws SaveError unless `count` entries of at least `minBytes` each can still follow the cursor.
  // Counts of 0 or less pass (they mean no entries).
  void RequireEntries(int64_t count, int64_t minBytes) const;

 private:
  // Throws SaveError unless `bytes` bytes are available at `pos`; `what` names the field kind.
  void Need(size_t pos, int64_t bytes, const char* what) const;
  // Reads the count of a text and, when it is 1..1023, the position and step of its characters.
  struct TextSpan {
    int32_t count;
    int step;
  };
  TextSpan TextHeader(bool wide);

  std::span<const uint8_t> image_;
  size_t pos_;
};

}  // namespace vsl
