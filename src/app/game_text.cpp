#include "app/game_text.h"

namespace vsl {
namespace {

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The length of the tag at the start of `text`, 0 when none starts there.
size_t TagLength(std::string_view text) {
  size_t i = 1;
  if (i < text.size() && text[i] == '/') ++i;
  if (i >= text.size() || !IsLetter(text[i])) return 0;
  for (; i < text.size(); ++i) {
    if (text[i] == '>') return i + 1;
    if (text[i] == '<') return 0;
  }
  return 0;
}

}  // namespace

std::string StripGameMarkup(std::string_view text) {
  std::string plain;
  plain.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t tag = text[i] == '<' ? TagLength(text.substr(i)) : 0;
    if (tag > 0) {
      i += tag;
    } else {
      plain += text[i++];
    }
  }
  return plain;
}

}  // namespace vsl
