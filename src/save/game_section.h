#pragma once
// The game section: the start of the inflated body, from the game counters to the session count.

#include <cstdint>

#include "save/parse_state.h"
#include "record/save_record.h"
#include "save/stream_reader.h"

namespace vsl {

// Saves older than this version number their speeds from the second calendar on.
inline constexpr int32_t kFirstZeroBasedSpeedVersion = 102;

// Walks the game section from the cursor (the body's first byte) to its end. Stores StartTurn,
// GameTurn, the replay messages and the session count; raises GameSpeed for old versions and dates
// the game turn, which may lower the parse state's ElapsedTurns.
void ReadGameSection(StreamReader& r, ParseState& st, TSaveDataRec& row);

}  // namespace vsl
