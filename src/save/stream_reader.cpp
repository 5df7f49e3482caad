#include "save/stream_reader.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstring>
#include <string>

#include "save/save_error.h"

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

std::string StreamReader::ReadStr() {
  const TextSpan t = TextHeader(false);
  const char* first = reinterpret_cast<const char*>(data_ + pos_);
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
  const uint8_t* p = data_ + pos_;
  const auto count = static_cast<size_t>(t.count);
  if (t.step == 1) {
    const char* first = reinterpret_cast<const char*>(p);
    pos_ += count;
    const void* zero = std::memchr(first, 0, count);
    out.assign(first, zero ? static_cast<const char*>(zero) : first + count);
    return;
  }
  // 16-bit characters keep their low byte; a zero low byte ends the text. All low bytes are copied
  // (sixteen at a time where the processor allows), then the text is cut at the first zero.
  out.resize(count);
  char* dst = out.data();
  bool zero = false;
  size_t k = 0;
#ifdef __SSE2__
  const __m128i lowBytes = _mm_set1_epi16(0x00FF);
  int zeroMask = 0;
  for (; k + 16 <= count; k += 16) {
    const __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * k)), lowBytes);
    const __m128i b =
        _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * k + 16)), lowBytes);
    const __m128i packed = _mm_packus_epi16(a, b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + k), packed);
    zeroMask |= _mm_movemask_epi8(_mm_cmpeq_epi8(packed, _mm_setzero_si128()));
  }
  zero = zeroMask != 0;
#endif
  for (; k < count; ++k) {
    dst[k] = static_cast<char>(p[2 * k]);
    zero |= p[2 * k] == 0;
  }
  if (zero) out.resize(static_cast<size_t>(std::find(dst, dst + count, '\0') - dst));
  pos_ += count * 2;
}

void StreamReader::Skip(std::span<const FieldRun> runs) {
  int64_t bytes = 0;
  for (const FieldRun& r : runs) bytes += Width(r.kind) * (r.count > 0 ? r.count : 0);
  SkipFields(bytes);
}

}  // namespace vsl
