#pragma once
// One parse: a spliced save image in, one summary row out.

#include <cstdint>
#include <optional>
#include <span>

#include "save/parse_state.h"
#include "record/save_record.h"
#include "scoring/audit.h"

namespace vsl {

// Ladder settings that a parse derives from its file; the batch applies those of its last file.
struct FileLadderMaxima {
  int32_t MaxPop = 0, MaxLand = 0, MaxTech = 0, MaxWonder = 0;  // the save's score normalisers
  int32_t MaxCulture = 0;                                       // from the game speed
  int32_t MaxTurn = 0;                                          // the save's planned end turn
};

// Walks the save in `image` (body at `bodyOffset`) and fills every field of `row` that a parse writes,
// ending with the reload audit under `edits`. FileName and FileDate of `row` are the caller's. `state`
// is scratch, reset here; nothing of an earlier file carries over. The header walk ends at the size
// fields in front of the body, the body walk at the body's stored inflated size. Throws SaveError for a
// damaged save (a text of more than 1023 characters and score references whose arithmetic fails
// included) and ConvertError when an audit setting does not convert.
//
// `bodyChecksum` is the checksum the body's stream states when the unwrap left the comparison to the
// walk (BodyCheck::Deferred): the walk reads the body into the checksum as it goes. A body that does
// not match throws BodyChecksumError (zlib's "data error") in place of anything else the walk met, and leaves
// `row`, `maxima` and `audit` as they were, as a failed unwrap does.
void SaveAnalyse(std::span<const uint8_t> image, int32_t bodyOffset, TSaveDataRec& row, ParseState& state,
                 FileLadderMaxima& maxima, const AuditEdits& edits, char decimalSeparator,
                 AuditSettings& audit, std::optional<uint32_t> bodyChecksum = std::nullopt);

}  // namespace vsl
