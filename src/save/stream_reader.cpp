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

namespace {

#ifdef __SSE2__
// Characters first..first+15 of a text whose characters are `step` bytes apart (1 or 2), as bytes:
// 16-bit characters keep their low byte.
__m128i LoadChars(const uint8_t* chars, size_t step, size_t first) {
  if (step == 1) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + first));
  const __m128i lowBytes = _mm_set1_epi16(0x00FF);
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + 2 * first));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + 2 * first + 16));
  return _mm_packus_epi16(_mm_and_si128(a, lowBytes), _mm_and_si128(b, lowBytes));
}

unsigned Matches(__m128i block, char c) {
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(c))));
}
#endif

// Block reading of texts: characters are taken sixteen at a time, and the last block of a text reads
// on into the fields behind it, as far as the image goes; only the text's own characters are kept.
// The output string has sixteen bytes of room behind the text for the blocks' surplus, cut off at the
// end. Where the image ends too soon for a block, the rest of the text is taken one character at a
// time.
constexpr size_t kBlock = 16;
// Bytes of image a block needs from the text's first character on, when it may load sixteen
// characters from any character of the block before it on (the runs of a text without markup).
constexpr size_t BlockReach(size_t k, size_t step) {
  return step * (k + 2 * kBlock);
}

// The number of characters in a run of consecutive bits (the processor's population count is not
// in the base instruction set).
size_t RunLength(unsigned run) {
  return run == 0 ? 0 : static_cast<size_t>(32 - __builtin_clz(run) - __builtin_ctz(run));
}

}  // namespace

void StreamReader::ReadUStr(std::string& out) {
  const size_t start = pos_;
  const TextSpan t = TextHeader(true);
  const uint8_t* p = data_ + pos_;
  const auto count = static_cast<size_t>(t.count);
  const auto step = static_cast<size_t>(t.step);
  pos_ += count * step;
  if (count == 0) {
    out.clear();
    return;
  }
  if (step == 1) {
    const void* zero = std::memchr(p, 0, count);
    out.assign(reinterpret_cast<const char*>(p), zero ? static_cast<const uint8_t*>(zero) - p : count);
    return;
  }
  // 16-bit characters keep their low byte; a zero character ends the text.
  out.resize(count + kBlock);
  char* dst = out.data();
  const size_t available = size_ - (start + 4);  // image bytes from the first character on
  size_t k = 0;
#ifdef __SSE2__
  for (; k < count && BlockReach(k, step) <= available; k += kBlock) {
    const __m128i block = LoadChars(p, step, k);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + k), block);
    const unsigned zeros = Matches(block, '\0');
    if (zeros != 0 && k + static_cast<size_t>(__builtin_ctz(zeros)) < count) {
      out.resize(k + static_cast<size_t>(__builtin_ctz(zeros)));
      return;
    }
  }
#endif
  for (; k < count && p[2 * k] != 0; ++k) dst[k] = static_cast<char>(p[2 * k]);
  out.resize(std::min(k, count));
}

void StreamReader::ReadUStrWithoutMarkup(std::string& out) {
  const size_t start = pos_;
  const TextSpan t = TextHeader(true);
  const uint8_t* p = data_ + pos_;
  const auto count = static_cast<size_t>(t.count);
  const auto step = static_cast<size_t>(t.step);
  pos_ += count * step;
  if (count == 0) {
    out.clear();
    return;
  }
  // The text up to its first zero character without markup: a span runs from '<' to the next '>',
  // both dropped, and an unclosed '<' drops the rest. Kept characters are written at `written`,
  // which never passes the character being read.
  out.resize(count + kBlock);
  char* dst = out.data();
  size_t written = 0;
  bool inSpan = false;
  const size_t available = size_ - (start + 4);
  size_t k = 0;
#ifdef __SSE2__
  for (; k < count && BlockReach(k, step) <= available; k += kBlock) {
    const __m128i block = LoadChars(p, step, k);
    unsigned live = count - k >= kBlock ? 0xFFFFu : (1u << (count - k)) - 1;  // the text's characters
    const unsigned zeros = Matches(block, '\0') & live;
    if (zeros != 0) live &= (1u << __builtin_ctz(zeros)) - 1;
    const unsigned opens = Matches(block, '<') & live;
    if (!inSpan && opens == 0) {
      // No markup: the block is stored whole, its characters are kept.
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + written), block);
      written += RunLength(live);
    } else {
      // Runs between the spans, found through the masks of '<' and '>'; each run is loaded again
      // from its first character and stored whole.
      const unsigned closes = Matches(block, '>') & live;
      while (live != 0) {
        if (inSpan) {
          const unsigned close = closes & live;
          if (close == 0) break;
          live &= ~((2u << __builtin_ctz(close)) - 1);
          inSpan = false;
          continue;
        }
        const auto first = static_cast<size_t>(__builtin_ctz(live));
        const unsigned open = opens & live;
        const unsigned run = open != 0 ? live & ((1u << __builtin_ctz(open)) - 1) : live;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + written), LoadChars(p, step, k + first));
        written += RunLength(run);
        if (open == 0) break;
        live &= ~((2u << __builtin_ctz(open)) - 1);
        inSpan = true;
      }
    }
    if (zeros != 0) {
      out.resize(written);
      return;
    }
  }
#endif
  for (; k < count; ++k) {
    const char c = static_cast<char>(p[step * k]);
    if (c == 0) break;
    if (inSpan) {
      inSpan = c != '>';
    } else if (c == '<') {
      inSpan = true;
    } else {
      dst[written++] = c;
    }
  }
  out.resize(written);
}

}  // namespace vsl
