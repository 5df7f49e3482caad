#pragma once
// The player section: one record per player slot 0..18, the last part of the body that is read.

#include "save/parse_state.h"
#include "save/stream_reader.h"

namespace vsl {

// A history pair: int32 game turn, int32 value.
inline constexpr int64_t kHistoryPairBytes = 8;

// Walks the 19 player records from the cursor. Stores per slot the population, the four score values,
// the alive flag, the city, unit and message counts as read, the cities and messages, and the six
// history lists; row p of TechTurn is reset at the start of slot p's record.
void ReadPlayerSection(StreamReader& r, ParseState& st);

// Stores one history pair of slot p: index = turn - StartTurn, a negative index taken as 0, an index
// of 1200 or more dropped.
void StoreHistoryPair(ParseState& st, int kind, int p, int32_t turn, int32_t value);

}  // namespace vsl
