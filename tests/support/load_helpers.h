#pragma once
// One-call forms of the reader's steps for tests: a file unwrapped, a file loaded, an image parsed
// and audited as the batch does it.

#include <cstdint>
#include <span>
#include <string>

#include "record/save_record.h"
#include "save/container.h"
#include "save/load.h"
#include "save/parse_state.h"
#include "scoring/audit.h"
#include "scoring/ladder.h"

namespace vsl::testing {

UnwrappedSave Unwrapped(std::span<const uint8_t> file);
// Throws FileError as LoadSaveFile does.
LoadedSave LoadFile(const std::string& path);
// SaveAnalyse, then the reload audit under `edits` with '.' as the decimal separator.
void AnalyseAndAudit(std::span<const uint8_t> image, int32_t bodyOffset, TSaveDataRec& row, ParseState& state,
                     LadderSettings& ladder, const AuditEdits& edits, AuditSettings& audit);

}  // namespace vsl::testing
