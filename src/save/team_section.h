#pragma once
// The team section: one fixed-size record per team 0..18.

#include <cstdint>

#include "save/parse_state.h"
#include "save/stream_reader.h"

namespace vsl {

inline constexpr int64_t kTeamRecordBytes = 3815;
inline constexpr int64_t kTeamSectionBytes = kTeams * kTeamRecordBytes;  // 72,485

// Walks the 19 team records from the cursor: team sizes, population and land, contacts, vassal
// relations and known technologies.
void ReadTeamSection(StreamReader& r, ParseState& st);

}  // namespace vsl
