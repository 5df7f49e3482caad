// Parsing an arbitrary save image. The input is a little-endian uint32 body offset followed by the image.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "save/analyse.h"
#include "save/save_error.h"
#include "scoring/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t offset;
  std::memcpy(&offset, data, 4);
  const std::span<const uint8_t> image(data + 4, size - 4);
  if (offset > image.size()) return 0;
  static vsl::ParseState state;
  vsl::TSaveDataRec row;
  vsl::FileLadderMaxima maxima;
  vsl::AuditEdits edits;
  edits.SessionsPerDay = "1.5";
  vsl::AuditSettings audit;
  try {
    vsl::SaveAnalyse(image, static_cast<int32_t>(offset), row, state, maxima, edits, '.', audit);
  } catch (const vsl::SaveError&) {
  } catch (const vsl::ConvertError&) {
  }
  return 0;
}
