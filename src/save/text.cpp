#include "save/text.h"

namespace vsl {

namespace {

// Copies `text` to `out` without markup spans; `out` may start where `text` does (the write position
// never passes the read position).
size_t CopyWithoutMarkup(const char* text, size_t size, char* out) {
  size_t n = 0;
  bool inSpan = false;
  for (size_t i = 0; i < size; ++i) {
    const char c = text[i];
    if (inSpan) {
      inSpan = c != '>';
    } else if (c == '<') {
      inSpan = true;
    } else {
      out[n++] = c;
    }
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
  if (text.find('<') == std::string::npos) return;
  text.resize(CopyWithoutMarkup(text.data(), text.size(), text.data()));
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
