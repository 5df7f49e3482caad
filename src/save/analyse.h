#pragma once
// One parse: a spliced save image in, one summary row out.

#include <cstdint>
#include <span>

#include "record/save_record.h"
#include "save/parse_state.h"
#include "scoring/ladder.h"

namespace vsl {

// Walks the save in `image` (body at `bodyOffset`) and fills every field of `row` that a parse writes;
// the reload audit is the caller's. FileName and FileDate of `row` are the caller's. `state` is
// scratch, reset here; nothing of an earlier file carries over. The header walk ends at the size
// fields in front of the body, the body walk at the body's stored inflated size. The Ladder maxima the
// file derives (MaxPop .. MaxTurn of `ladder`) are written only once its statistics stand, so that a
// damaged file leaves none of its values in them. Throws SaveError for a damaged save (a text of more
// than 1023 characters and score references whose arithmetic fails included); `row` then holds what
// the parse had written.
void SaveAnalyse(std::span<const uint8_t> image, int32_t bodyOffset, TSaveDataRec& row, ParseState& state,
                 LadderSettings& ladder);

}  // namespace vsl
