#pragma once
// The character scans of the reader: copying the characters of a save text and finding technology
// names in a message. Each has a block-at-a-time version, which the reader uses, and a plain one that
// takes one character at a time and is the reference the fast one must match.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vsl {

// The low bytes of the `count` characters `step` bytes apart (1 or 2) at `chars`, up to the first zero
// character, into `out`; returns how many were written. With `cutMarkup`, every span from a '<' up to
// and including the next '>' is dropped as well (a '<' without a closing '>' drops the rest). The
// block version reads up to `available` bytes from `chars` on (the rest of the image) and needs
// count + 16 bytes of room at `out`.
size_t CopyTextChars(const uint8_t* chars, size_t count, size_t step, size_t available, bool cutMarkup,
                     char* out);
size_t CopyTextCharsPlain(const uint8_t* chars, size_t count, size_t step, bool cutMarkup, char* out);

// The technology names grouped by first character, so that a text is scanned once instead of once per
// name.
class TechNameIndex {
 public:
  TechNameIndex();
  // Into `found` (emptied first): every technology whose name occurs in `text` (exact, case-sensitive
  // substring), once for each place it starts at; one whose name is empty once.
  void Named(std::string_view text, std::vector<uint8_t>& found) const;
  void NamedPlain(std::string_view text, std::vector<uint8_t>& found) const;

 private:
  void MatchAt(std::string_view text, size_t i, std::vector<uint8_t>& found) const;

  uint8_t lowest_ = 255, highest_ = 0;  // the smallest and the largest first character of a name
  std::array<uint16_t, 257> start_{};   // bucket of first character c: techs_[start_[c] .. start_[c+1])
  std::vector<uint8_t> techs_;
  std::vector<uint8_t> always_;
};

const TechNameIndex& TechNames();

}  // namespace vsl
