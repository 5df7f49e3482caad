#include "save/container.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "save/save_error.h"

namespace vsl {

namespace {

// What a file that is no save is, told by its first bytes: a common picture, document or archive, or
// text (no save starts with text: its first field is a small binary number). Empty when it may be a save.
std::string OtherKindOfFile(std::span<const uint8_t> file) {
  struct Signature {
    std::string_view Start;
    const char* Kind;
  };
  static constexpr Signature kSignatures[] = {
      {"\x89PNG", "a PNG picture"}, {"\xFF\xD8\xFF", "a JPEG picture"}, {"GIF8", "a GIF picture"},
      {"%PDF", "a PDF document"},   {"PK\x03\x04", "a ZIP archive"},    {"BM", "a BMP picture"}};
  const std::string_view start(reinterpret_cast<const char*>(file.data()), std::min<size_t>(file.size(), 8));
  for (const Signature& s : kSignatures) {
    if (start.starts_with(s.Start)) return std::string("it is ") + s.Kind;
  }
  // A few bytes tell nothing: a save cut short may hold as few.
  const size_t probe = std::min<size_t>(file.size(), 512);
  if (probe < 16) return {};
  const bool text = std::all_of(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(probe),
                                [](uint8_t b) { return b >= 0x20 || b == '\t' || b == '\n' || b == '\r'; });
  return text ? "it holds text (a table, a list or a note)" : std::string();
}

// The error of a file whose container does not read: a plain sentence first when it is no save at all.
[[noreturn]] void ContainerFails(std::span<const uint8_t> file, const std::string& reason,
                                 int64_t offset = -1) {
  const std::string kind = OtherKindOfFile(file);
  if (kind.empty()) throw SaveError(reason, offset);
  throw SaveError(std::string(kNotASave) + kind + ". In detail: " + reason, offset);
}

constexpr uint8_t kStreamMark0 = 0x78;
constexpr uint8_t kStreamMark1 = 0x9C;
constexpr char kBodyMarker[4] = {'B', 'O', 'D', 'Y'};
constexpr size_t kMaxInflateRatio = 1032;  // 258 bytes from a 2-bit length and distance pair

int32_t Int32At(std::span<const uint8_t> bytes, size_t offset) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
  return static_cast<int32_t>(v);
}

[[noreturn]] void ThrowShortBody(uint64_t produced, size_t stated) {
  throw SaveError("the body inflates to " + std::to_string(produced) + " bytes, the header says " +
                  std::to_string(stated));
}

// zlib's text for a failure, inside a sentence that says what it means for the save.
std::string ZlibFailure(int rc) {
  const std::string zlib = std::string(" (zlib: ") + zError(rc) + ")";
  switch (rc) {
    case Z_BUF_ERROR:
      return "the compressed body is cut short" + zlib;
    case Z_MEM_ERROR:
      return "there is not enough memory to inflate the compressed body" + zlib;
    case Z_VERSION_ERROR:
      return "the zlib library cannot inflate the compressed body" + zlib;
    default:
      return "the compressed body is damaged" + zlib;
  }
}

struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// One decompressor per thread, kept for the whole run: allocating it costs more than a small body.
libdeflate_decompressor* Decompressor() {
  thread_local std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> d(
      libdeflate_alloc_decompressor());
  return d.get();
}

// Whole-buffer inflation, checksum included. True when the stream inflated to exactly out.size()
// bytes and its checksum matches; false when it is damaged or yields more: the streaming path then
// decides, so that errors carry zlib's texts and surplus bytes are dropped. Throws when a sound stream
// ends early.
bool InflateWhole(std::span<const uint8_t> stream, std::span<uint8_t> out) {
  libdeflate_decompressor* d = Decompressor();
  if (d == nullptr) return false;
  size_t used = 0;
  size_t produced = 0;
  if (libdeflate_zlib_decompress_ex(d, stream.data(), stream.size(), out.data(), out.size(), &used,
                                    &produced) != LIBDEFLATE_SUCCESS) {
    return false;
  }
  if (produced < out.size()) ThrowShortBody(produced, out.size());
  return true;
}

// Streaming inflation with zlib. The first out.size() bytes land in `out`; up to kMaxSurplusBytes more
// are inflated into a scratch window and dropped, so a stream that yields more than stated costs no
// memory beyond the image, and a stream that goes on yielding costs no more time than the surplus.
void InflateStreaming(std::span<const uint8_t> stream, std::span<uint8_t> out) {
  z_stream z{};
  z.next_in = const_cast<Bytef*>(stream.data());  // zlib's interface is not const-correct
  z.avail_in = static_cast<uInt>(stream.size());  // at most kMaxSaveFileBytes
  int rc = inflateInit(&z);
  if (rc != Z_OK) throw SaveError(ZlibFailure(rc));

  std::array<uint8_t, 64 * 1024> scratch;
  const uint64_t surplusEnd = uint64_t{out.size()} + kMaxSurplusBytes + 1;
  uint64_t produced = 0;
  for (;;) {
    if (produced < out.size()) {
      z.next_out = out.data() + produced;
      z.avail_out = static_cast<uInt>(std::min<uint64_t>(out.size() - produced, UINT_MAX));
    } else {
      // No more room than one byte past the surplus: a stream that yields that byte is refused, so the
      // bound is kMaxSurplusBytes exactly, whatever the scratch window's size.
      z.next_out = scratch.data();
      z.avail_out = static_cast<uInt>(std::min<uint64_t>(scratch.size(), surplusEnd - produced));
    }
    const uInt room = z.avail_out;
    rc = inflate(&z, Z_NO_FLUSH);
    produced += room - z.avail_out;
    if (rc != Z_OK || produced == surplusEnd) break;
  }
  inflateEnd(&z);
  if (produced == surplusEnd) {
    throw SaveError("the compressed body holds more than the " + std::to_string(out.size()) +
                    " bytes it states");
  }
  // Z_BUF_ERROR here means no progress with output room left: the input ran out before the stream's
  // end, a truncated stream. It is reported with zlib's text like every other zlib error; so is
  // Z_NEED_DICT, a stream that needs a preset dictionary, which no save has: a damaged one.
  if (rc != Z_STREAM_END) throw SaveError(ZlibFailure(rc));
  if (produced < out.size()) ThrowShortBody(produced, out.size());
}

}  // namespace

void ReplaceBuffer(ByteBuffer& buffer, size_t bytes) {
  buffer = {};
  buffer.reserve(WithRoomToSpare(bytes));
}

int32_t FindBodyOffset(std::span<const uint8_t> file) {
  if (file.size() < 4) return -1;
  const size_t last = std::min<size_t>(file.size() - 4, INT32_MAX);
  for (size_t p = 0; p <= last; ++p) {
    const void* hit = std::memchr(file.data() + p, kStreamMark0, last - p + 1);
    if (hit == nullptr) return -1;
    p = static_cast<size_t>(static_cast<const uint8_t*>(hit) - file.data());
    if (file[p + 1] == kStreamMark1) return static_cast<int32_t>(p);
  }
  return -1;
}

void InflateBody(std::span<const uint8_t> stream, std::span<uint8_t> out) {
  if (!InflateWhole(stream, out)) InflateStreaming(stream, out);  // zlib compares the checksum itself
}

ContainerLayout ReadLayout(std::span<const uint8_t> file) {
  if (static_cast<int64_t>(file.size()) > kMaxSaveFileBytes) {
    ContainerFails(file, "the file is too large: " + std::to_string(file.size()) +
                             " bytes, a save has at most " + std::to_string(kMaxSaveFileBytes));
  }
  const int32_t bodyOffset = FindBodyOffset(file);
  if (bodyOffset < 0) ContainerFails(file, "no compressed body found");
  if (bodyOffset < kMinBodyOffset) {
    ContainerFails(file,
                   "no compressed body found: the first 78 9C pair is at offset " +
                       std::to_string(bodyOffset) + ", before room for the size fields",
                   bodyOffset);
  }
  const size_t body = static_cast<size_t>(bodyOffset);

  const int32_t inflatedSize = Int32At(file, body - 8);
  if (inflatedSize < 0 || inflatedSize > kMaxInflatedBytes) {
    ContainerFails(file,
                   "the stated body size " + std::to_string(inflatedSize) + " is out of range (0 to " +
                       std::to_string(kMaxInflatedBytes) + " bytes)",
                   bodyOffset - 8);
  }
  const int32_t compressedSize = Int32At(file, body - 4);
  const size_t available = file.size() - body;
  if (compressedSize < 0 || static_cast<size_t>(compressedSize) > available) {
    ContainerFails(file,
                   "the stated compressed size " + std::to_string(compressedSize) + " does not fit the " +
                       std::to_string(available) + " bytes from offset " + std::to_string(body) +
                       " to the end of the file",
                   bodyOffset - 4);
  }
  const size_t compressed = static_cast<size_t>(compressedSize);
  const size_t inflated = static_cast<size_t>(inflatedSize);
  // Every bit of a deflate stream yields at most 129 bytes: a size beyond that is refused before an
  // image of that size is allocated.
  if (inflated > kMaxInflateRatio * compressed) {
    ContainerFails(file,
                   "the stated body size " + std::to_string(inflatedSize) + " cannot come from " +
                       std::to_string(compressedSize) + " compressed bytes",
                   bodyOffset - 8);
  }
  return {body, inflated, compressed, available - compressed};
}

void Unwrap(std::span<const uint8_t> file, UnwrappedSave& save) {
  save.BodyOffset = -1;
  const ContainerLayout layout = ReadLayout(file);
  const size_t body = layout.BodyOffset;
  try {
    // A reused buffer that is too small is replaced rather than grown: nothing in it is kept. The new
    // one has room to spare, so that a batch of files of similar sizes replaces it about once instead
    // of at every new largest file; pages never written cost no memory.
    if (layout.ImageBytes() > save.Image.capacity()) ReplaceBuffer(save.Image, layout.ImageBytes());
    save.Image.resize(layout.ImageBytes());
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryError(ZlibFailure(Z_MEM_ERROR));  // the same text as zlib's own shortage
  }
  uint8_t* image = save.Image.data();
  std::memcpy(image, file.data(), body - 4);
  std::memcpy(image + body - 4, kBodyMarker, 4);
  InflateBody(file.subspan(body, layout.Compressed), std::span<uint8_t>(image + body, layout.Inflated));
  std::memcpy(image + body + layout.Inflated, file.data() + body + layout.Compressed, layout.Trailer);
  save.BodyOffset = static_cast<int32_t>(body);
}

}  // namespace vsl
