#pragma once
// The save container: an uncompressed header, the int32 inflated size, the int32 compressed size, a
// zlib stream (first bytes 78 9C) and an optional trailer. Unwrapping splices header, the marker
// "BODY", the inflated body and the trailer into one image, so that header and body offsets can be
// walked with one cursor: header offsets are the same in file and image, the body starts at
// BodyOffset in both.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "save/large_blocks.h"

namespace vsl {

// Largest save file accepted; real saves are a few hundred kilobytes.
inline constexpr int64_t kMaxSaveFileBytes = int64_t{64} << 20;
// Largest inflated body accepted: about twenty times a late-game body. A larger stated size is refused
// before anything is allocated.
inline constexpr int64_t kMaxInflatedBytes = int64_t{256} << 20;

// The capacity a reused file or image buffer is given when it must be replaced: a quarter more than
// asked for, and all of the block it reserves.
constexpr size_t WithRoomToSpare(size_t bytes) {
  return LargeBlockBytes(bytes + bytes / 4);
}

// Empties `buffer` and gives it room for `bytes` with some to spare (see WithRoomToSpare). Throws
// std::bad_alloc.
void ReplaceBuffer(ByteBuffer& buffer, size_t bytes);
// Bytes a stream may yield beyond its stated body; they are inflated, checked and dropped. A stream
// that yields more is damaged, and is not inflated to its end.
inline constexpr size_t kMaxSurplusBytes = size_t{1} << 20;
// The body must leave room for the two size fields in front of it.
inline constexpr int32_t kMinBodyOffset = 8;

// The first position p in 0..L-4 at which bytes p and p+1 are 78 9C; -1 when there is none or the
// file is shorter than 4 bytes.
int32_t FindBodyOffset(std::span<const uint8_t> file);

// Where the parts of a container lie, by the sizes it states, checked against the file.
struct ContainerLayout {
  size_t BodyOffset = 0;
  size_t Inflated = 0;    // the stated body size
  size_t Compressed = 0;  // the stated stream size
  size_t Trailer = 0;     // the bytes behind the stream
  size_t ImageBytes() const { return BodyOffset + Inflated + Trailer; }
};

// Finds the body and checks the stated sizes. Throws SaveError when the file has no compressed body,
// is too large, or states sizes that do not fit; allocates nothing.
ContainerLayout ReadLayout(std::span<const uint8_t> file);

struct UnwrappedSave {
  ByteBuffer Image;         // header, "BODY", the inflated body, the trailer
  int32_t BodyOffset = -1;  // where the body starts in the file and in the image
};

// Unwraps a whole save file into `into`, whose image buffer is reused: a batch inflates each file
// into the buffer the previous file left. Throws SaveError as ReadLayout does and when the stream does
// not inflate to the stated size (zlib's text for a zlib error), OutOfMemoryError when the image
// cannot be allocated. After a failure `into` holds no usable image.
void Unwrap(std::span<const uint8_t> file, UnwrappedSave& into);

// Inflates the zlib stream `stream` into `out`, which holds the stated inflated size: `out` receives
// the first out.size() bytes of the stream; up to kMaxSurplusBytes beyond them are checked and
// dropped. Throws SaveError with zlib's text for a zlib error in a sentence ("the compressed body is cut
// short (zlib: buffer error)"), when the stream ends before filling `out` and when it yields more than
// the surplus allows.
void InflateBody(std::span<const uint8_t> stream, std::span<uint8_t> out);

}  // namespace vsl
