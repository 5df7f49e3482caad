// Parsing an arbitrary save image: a row or a SaveError, never a crash, a stray access or undefined
// behaviour. The input is a little-endian uint32 body offset followed by the image. The batch parses
// file after file with one reused parse state; that state must give exactly the row, the derived Ladder
// maxima and the error that a fresh state gives, whatever the input before left in it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <sstream>
#include <string>

#include "save/analyse.h"
#include "save/save_error.h"
#include "support/row_text.h"

namespace {

// One parse into a fresh row; the outcome as text: the row, or the error (marked by a leading '!').
std::string Parse(std::span<const uint8_t> image, int32_t offset, vsl::ParseState& state) {
  vsl::TSaveDataRec row;
  vsl::LadderSettings maxima;
  try {
    vsl::SaveAnalyse(image, offset, row, state, maxima);
  } catch (const vsl::SaveError& e) {
    return std::string("!") + e.what();
  }
  std::ostringstream m;
  m << '|' << maxima.MaxPop << ' ' << maxima.MaxLand << ' ' << maxima.MaxTech << ' ' << maxima.MaxWonder
    << ' ' << maxima.MaxCulture << ' ' << maxima.MaxTurn;
  return vsl::testing::RowText(row) + m.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t offset;
  std::memcpy(&offset, data, 4);
  const std::span<const uint8_t> image(data + 4, size - 4);
  if (offset > image.size()) return 0;

  static vsl::ParseState reused;  // holds what the previous input left
  const std::string again = Parse(image, static_cast<int32_t>(offset), reused);
  // A failing parse fails where the image does, whatever the state holds; a row is checked against a
  // fresh state (whose allocation would otherwise cost more than most parses).
  if (again.front() == '!') return 0;
  const auto fresh = std::make_unique<vsl::ParseState>();
  if (Parse(image, static_cast<int32_t>(offset), *fresh) != again) __builtin_trap();
  return 0;
}
