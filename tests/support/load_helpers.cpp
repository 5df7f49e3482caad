#include "support/load_helpers.h"

#include <vector>

#include "save/analyse.h"
#include "save/file_info.h"

namespace vsl::testing {

UnwrappedSave Unwrapped(std::span<const uint8_t> file) {
  UnwrappedSave save;
  Unwrap(file, save);
  return save;
}

LoadedSave LoadFile(const std::string& path) {
  LoadedSave save;
  ByteBuffer bytes;
  LoadSaveFile(path, BaseNameStart(path), save, bytes);
  return save;
}

void AnalyseAndAudit(std::span<const uint8_t> image, int32_t bodyOffset, TSaveDataRec& row, ParseState& state,
                     LadderSettings& ladder, const AuditEdits& edits, AuditSettings& audit) {
  SaveAnalyse(image, bodyOffset, row, state, ladder);
  RControl(row, edits, '.', audit);
}

}  // namespace vsl::testing
