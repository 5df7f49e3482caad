#include "save/text.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vsl {

namespace {

// The first `c` in [p, end), or end. Sixteen characters at a time where the processor allows: texts
// run to a few dozen characters, too short for a library scan to win back its setup.
const char* FindChar(const char* p, const char* end, char c) {
#ifdef __SSE2__
  const __m128i wanted = _mm_set1_epi8(c);
  for (; end - p >= 16; p += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int hits = _mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted));
    if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
  }
#endif
  return std::find(p, end, c);
}

// Copies `text` to `out` without markup spans: a span runs from '<' to the next '>', both included,
// and an unclosed '<' drops the rest. The text between spans moves in blocks. `out` may start where
// `text` does (the write position never passes the read position).
size_t CopyWithoutMarkup(const char* text, size_t size, char* out) {
  size_t n = 0;
  const char* p = text;
  const char* end = text + size;
  while (p < end) {
    const char* open = FindChar(p, end, '<');
    if (out + n != p) std::memmove(out + n, p, static_cast<size_t>(open - p));
    n += static_cast<size_t>(open - p);
    if (open == end) break;
    p = FindChar(open + 1, end, '>');
    if (p == end) break;
    ++p;
  }
  return n;
}

}  // namespace

std::string CutMacros(std::string_view text) {
  if (text.empty() || text.size() >= kMaxCleanText) return {};
  std::string out(text.size(), '\0');
  out.resize(CopyWithoutMarkup(text.data(), text.size(), out.data()));
  return out;
}

void CutMacrosInPlace(std::string& text) {
  if (text.size() >= kMaxCleanText) {
    text.clear();
    return;
  }
  char* first = text.data();
  char* end = first + text.size();
  char* open = first + (FindChar(first, end, '<') - first);
  if (open == end) return;
  // The text before the first span stays where it is.
  text.resize(static_cast<size_t>(open - first) +
              CopyWithoutMarkup(open, static_cast<size_t>(end - open), open));
}

std::string CutTextKey(std::string_view text, std::string_view key) {
  if (text.empty() || text.size() >= kMaxCleanText || text.size() <= key.size()) return std::string(text);
  if (text.find(key) == std::string_view::npos) return std::string(text);
  std::string out(text.substr(key.size()));
  bool keepCase = true;  // the first character, and each one after an underscore
  for (char& c : out) {
    const bool underscore = c == '_';
    if (underscore) {
      c = ' ';
    } else if (!keepCase) {
      c = CharLowCase(c);
    }
    keepCase = underscore;
  }
  return out;
}

}  // namespace vsl
