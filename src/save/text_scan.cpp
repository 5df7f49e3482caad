#include "save/text_scan.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstring>
#include <string>

#include "gamedata/tables.h"

namespace vsl {

namespace {

// Characters are taken sixteen at a time, and the last block of a text reads on into the fields
// behind it, as far as the image goes; only the text's own characters are kept, the blocks' surplus
// lands in the room behind them. Where the image ends too soon for a block, the rest of the text is
// taken one character at a time.
constexpr size_t kBlock = 16;

// Bytes of image a block needs from the text's first character on, when it may load sixteen
// characters from any character of the block before it on (the runs of a text without markup).
constexpr size_t BlockReach(size_t k, size_t step) {
  return step * (k + 2 * kBlock);
}

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

// The number of characters in a run of consecutive bits (the processor's population count is not
// in the base instruction set).
size_t RunLength(unsigned run) {
  return run == 0 ? 0 : static_cast<size_t>(32 - __builtin_clz(run) - __builtin_ctz(run));
}
#endif

// From character k on, one at a time, as CopyTextCharsPlain does.
size_t CopyRest(const uint8_t* chars, size_t count, size_t step, bool cutMarkup, char* out, size_t k,
                size_t written, bool inSpan) {
  for (; k < count; ++k) {
    const char c = static_cast<char>(chars[step * k]);
    if (c == 0) break;
    if (!cutMarkup) {
      out[written++] = c;
    } else if (inSpan) {
      inSpan = c != '>';
    } else if (c == '<') {
      inSpan = true;
    } else {
      out[written++] = c;
    }
  }
  return written;
}

size_t CopyWithoutMarkup(const uint8_t* p, size_t count, size_t step, size_t available, char* dst) {
  size_t written = 0;
  bool inSpan = false;
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
    if (zeros != 0) return written;
  }
#endif
  return CopyRest(p, count, step, true, dst, k, written, inSpan);
}

}  // namespace

size_t CopyTextChars(const uint8_t* chars, size_t count, size_t step, size_t available, bool cutMarkup,
                     char* out) {
  if (cutMarkup) return CopyWithoutMarkup(chars, count, step, available, out);
  if (step == 1) {
    const void* zero = std::memchr(chars, 0, count);
    const size_t n = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - chars) : count;
    std::memcpy(out, chars, n);
    return n;
  }
  size_t k = 0;
#ifdef __SSE2__
  for (; k < count && BlockReach(k, step) <= available; k += kBlock) {
    const __m128i block = LoadChars(chars, step, k);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), block);
    const unsigned zeros = Matches(block, '\0');
    if (zeros != 0 && k + static_cast<size_t>(__builtin_ctz(zeros)) < count) {
      return k + static_cast<size_t>(__builtin_ctz(zeros));
    }
  }
#endif
  if (k >= count) return count;  // the last block ran past the text: its characters are all kept
  return CopyRest(chars, count, step, false, out, k, k, false);
}

size_t CopyTextCharsPlain(const uint8_t* chars, size_t count, size_t step, bool cutMarkup, char* out) {
  return CopyRest(chars, count, step, cutMarkup, out, 0, 0, false);
}

TechNameIndex::TechNameIndex() {
  std::array<std::vector<uint8_t>, 256> buckets;
  for (size_t k = 0; k < TechInfo.size(); ++k) {
    const std::string_view name = TechInfo[k].Name;
    if (name.empty()) {
      always_.push_back(static_cast<uint8_t>(k));  // the empty text occurs in every text
    } else {
      const auto first = static_cast<uint8_t>(name[0]);
      buckets[first].push_back(static_cast<uint8_t>(k));
      lowest_ = std::min(lowest_, first);
      highest_ = std::max(highest_, first);
    }
  }
  for (size_t c = 0; c < 256; ++c) {
    start_[c] = static_cast<uint16_t>(techs_.size());
    techs_.insert(techs_.end(), buckets[c].begin(), buckets[c].end());
  }
  start_[256] = static_cast<uint16_t>(techs_.size());
}

void TechNameIndex::Named(std::string_view text, std::vector<uint8_t>& found) const {
  found.assign(always_.begin(), always_.end());
  const size_t size = text.size();
  const auto* chars = reinterpret_cast<const uint8_t*>(text.data());
  size_t i = 0;
#ifdef __SSE2__
  // Only a character between the smallest and the largest first character can start a name: the
  // positions of such characters are picked sixteen at a time, the rest are passed over. The last
  // block of a text of sixteen or more ends at its end, its positions taken before masked out.
  const __m128i low = _mm_set1_epi8(static_cast<char>(lowest_));
  const __m128i span = _mm_set1_epi8(static_cast<char>(highest_ - lowest_));
  if (size >= 16) {
    for (; i < size; i += 16) {
      const size_t at = i + 16 <= size ? i : size - 16;
      const __m128i offset = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + at)), low);
      // offset <= span, unsigned: the character lies in [lowest_, highest_].
      auto inRange =
          static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(offset, span), offset)));
      for (inRange &= ~((1u << (i - at)) - 1); inRange != 0; inRange &= inRange - 1) {
        MatchAt(text, at + static_cast<size_t>(__builtin_ctz(inRange)), found);
      }
    }
  }
#endif
  for (; i < size; ++i) MatchAt(text, i, found);
}

void TechNameIndex::NamedPlain(std::string_view text, std::vector<uint8_t>& found) const {
  found.assign(always_.begin(), always_.end());
  for (size_t i = 0; i < text.size(); ++i) MatchAt(text, i, found);
}

// Every name that starts at position i of `text`.
void TechNameIndex::MatchAt(std::string_view text, size_t i, std::vector<uint8_t>& found) const {
  const auto c = static_cast<uint8_t>(text[i]);
  for (uint16_t b = start_[c]; b < start_[c + 1]; ++b) {
    const uint8_t k = techs_[b];
    const std::string_view name = TechInfo[k].Name;
    if (name.size() <= text.size() - i &&
        std::memcmp(text.data() + i + 1, name.data() + 1, name.size() - 1) == 0) {
      found.push_back(k);
    }
  }
}

const TechNameIndex& TechNames() {
  static const TechNameIndex index;
  return index;
}

}  // namespace vsl
