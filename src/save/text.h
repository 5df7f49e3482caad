#pragma once
// Text helpers for texts taken from the save stream: markup removal and key-prefix removal.

#include <string>
#include <string_view>

namespace vsl {

// Texts of this many characters or more are not cleaned (CutMacros gives an empty text, CutTextKey the
// text unchanged).
inline constexpr size_t kMaxCleanText = 1024;

// The text without markup: every span from a '<' up to and including the next '>' is dropped; a '<'
// without a closing '>' drops the rest. A '>' outside a span stays. Empty for an empty text or one of
// kMaxCleanText characters or more.
std::string CutMacros(std::string_view text);
// The same, in place and without allocating.
void CutMacrosInPlace(std::string& text);

// 'A'..'Z' in lower case; every other byte unchanged (no locale, no code page).
constexpr char CharLowCase(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A text that contains `key` loses its first key-length characters (the key is taken to be its
// prefix); in the rest, the first character and every character after an underscore keep their case,
// the others go through CharLowCase, and underscores become blanks. A text that does not contain the
// key, is not longer than it, is empty or has kMaxCleanText characters or more comes back unchanged.
std::string CutTextKey(std::string_view text, std::string_view key);

}  // namespace vsl
