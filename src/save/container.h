#pragma once
// The save container: an uncompressed header, the int32 inflated size, the int32 compressed size, a
// zlib stream (first bytes 78 9C) and an optional trailer. Unwrapping splices header, the marker
// "BODY", the inflated body and the trailer into one image, so that header and body offsets can be
// walked with one cursor: header offsets are the same in file and image, the body starts at
// BodyOffset in both.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "save/large_pages.h"

namespace vsl {

// Largest save file accepted; real saves are a few hundred kilobytes.
inline constexpr int64_t kMaxSaveFileBytes = int64_t{64} << 20;
// Largest inflated body accepted; real bodies are a few megabytes.
inline constexpr int64_t kMaxInflatedBytes = int64_t{1} << 30;
// The body must leave room for the two size fields in front of it.
inline constexpr int32_t kMinBodyOffset = 8;

// The first position p in 0..L-4 at which bytes p and p+1 are 78 9C; -1 when there is none or the
// file is shorter than 4 bytes.
int32_t FindBodyOffset(std::span<const uint8_t> file);

// When the checksum a zlib stream states for its body is compared with the inflated bytes.
enum class BodyCheck {
  Now,       // while inflating: a mismatch fails the unwrap
  Deferred,  // by the parse walk (SaveAnalyse), which reads the body anyway, so that megabytes are read
             // once for both; the unwrap leaves the stated checksum in PendingChecksum
};

struct UnwrappedSave {
  ImageBytes Image;         // header, "BODY", the inflated body, the trailer
  int32_t BodyOffset = -1;  // where the body starts in the file and in the image
  // The checksum the stream states for the body while BodyCheck::Deferred leaves it to the walk.
  std::optional<uint32_t> PendingChecksum;
};

// Unwraps a whole save file. Throws SaveError when the file has no compressed body, states sizes that
// do not fit, or its stream does not inflate to the stated size (zlib's text for a zlib error).
UnwrappedSave Unwrap(std::span<const uint8_t> file);

// The same into `into`, whose image buffer is reused: a batch inflates each file into the buffer the
// previous file left, instead of allocating (and the system clearing) megabytes per file. After a
// failure `into` holds no usable image.
void Unwrap(std::span<const uint8_t> file, UnwrappedSave& into, BodyCheck check = BodyCheck::Now);

// Inflates the zlib stream `stream` into `out`, which holds the stated inflated size: `out` receives
// the first out.size() bytes of the stream; anything the stream yields beyond them is checked and
// dropped. Throws SaveError with zlib's text for a zlib error in a sentence ("the compressed body is cut
// short (zlib: buffer error)") and when the stream ends before filling `out`.
void InflateBody(std::span<const uint8_t> stream, std::span<uint8_t> out);

// The same; with BodyCheck::Deferred, returns the checksum the stream states when it is still to be
// compared.
std::optional<uint32_t> InflateBody(std::span<const uint8_t> stream, std::span<uint8_t> out, BodyCheck check);

// The zlib checksum (Adler-32) of `bytes`, continued from `previous` (1 for none): a body may be taken
// in pieces.
uint32_t BodyChecksum(std::span<const uint8_t> bytes, uint32_t previous = 1);

// Throws BodyChecksumError for a checksum that does not match ("the compressed body is damaged (zlib:
// data error)").
[[noreturn]] void ThrowBodyChecksumMismatch();

// The same into a new buffer of `inflatedSize` bytes.
std::vector<uint8_t> InflateBody(std::span<const uint8_t> stream, int32_t inflatedSize);

}  // namespace vsl
