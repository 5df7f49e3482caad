#pragma once
// Writes save streams field by field for test fixtures, and wraps a body into a save container.
// Written by hand, field by field: it shares no layout table with the reader, so a wrong count in
// either disagrees somewhere.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vsl::testing {

class SaveWriter {
 public:
  SaveWriter& Int(int32_t v);
  SaveWriter& Short(int16_t v);
  SaveWriter& Byte(uint8_t v);
  SaveWriter& Bool(uint8_t v);
  // `count` fields of one kind, all holding `value`.
  SaveWriter& Ints(int64_t count, int32_t value = 0);
  SaveWriter& Shorts(int64_t count, int16_t value = 0);
  SaveWriter& Bytes(int64_t count, uint8_t value = 0);
  SaveWriter& Bools(int64_t count, uint8_t value = 0);
  SaveWriter& IntList(std::initializer_list<int32_t> values);
  // An 8-bit text: int32 count (the text's length unless given), then the bytes.
  SaveWriter& Str(std::string_view text, std::optional<int32_t> count = std::nullopt);
  // A wide text in 16-bit characters: int32 count, then each byte followed by a zero high byte.
  SaveWriter& WStr(std::string_view text);
  // A wide text in 8-bit characters (the reader tells them apart by the second byte).
  SaveWriter& WStr8(std::string_view text);
  // A wide text in 16-bit characters with explicit high bytes.
  SaveWriter& WStr16(std::span<const uint16_t> chars);
  SaveWriter& Raw(std::span<const uint8_t> bytes);
  SaveWriter& Raw(std::string_view bytes);
  // From now on, runs written by Ints and Shorts hold pseudo-random small values instead of their
  // given value: the stream content the reader skips, made as varied as a real game's so that large
  // saves compress like real ones. Single fields are never affected.
  SaveWriter& VaryRuns(uint32_t seed);
  // Overwrites an int32 already written at `offset`.
  SaveWriter& PatchInt(size_t offset, int32_t v);

  size_t Size() const { return bytes_.size(); }
  const std::vector<uint8_t>& Data() const { return bytes_; }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  uint32_t NextNoise();

  std::vector<uint8_t> bytes_;
  uint32_t noise_ = 0;  // 0: runs hold their given value
};

// zlib stream (RFC 1950) of `body`, at the default level: starts with 78 9C.
std::vector<uint8_t> Deflate(std::span<const uint8_t> body);

// A save file: header, int32 inflated size, int32 compressed size, the zlib stream of the body, trailer.
// The sizes can be overridden to build damaged files; every member has an initializer, so designated
// initializers may name only the ones they set.
struct ContainerOptions {
  std::optional<int32_t> inflatedSize{};
  std::optional<int32_t> compressedSize{};
  std::vector<uint8_t> trailer{};
};
std::vector<uint8_t> MakeContainer(std::span<const uint8_t> header, std::span<const uint8_t> body,
                                   const ContainerOptions& options = {});

// Writes bytes to a file; returns its path.
std::string WriteFile(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace vsl::testing
