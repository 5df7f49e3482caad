#pragma once
// Records inside a player record: cities, units and messages, and the dating of technologies by the
// messages that name them.

#include <array>
#include <cstdint>
#include <string_view>

#include "save/parse_state.h"
#include "save/stream_reader.h"

namespace vsl {

// Smallest size of each record (texts empty, inner lists empty), for the guards before their loops.
inline constexpr int64_t kCityMinBytes = 5659;
inline constexpr int64_t kUnitMinBytes = 489;
inline constexpr int64_t kMessageMinBytes = 47;

// Reads `count` city records of slot `p`: the cultures of the first kCityCapacity go to
// CityCulture[p], the rest are read and dropped.
void ReadCities(StreamReader& r, ParseState& st, int p, int32_t count);

// Reads and drops `count` unit records.
void SkipUnits(StreamReader& r, int32_t count);

// Reads `count` message records of slot `p` and dates the technologies of the slot's team: a message
// naming a technology dates it to the message's turn, a later message overwriting an earlier one; a
// held technology no message names gets turn 0. A slot whose team lies outside 0..18 dates nothing.
void ReadMessages(StreamReader& r, ParseState& st, int p, int32_t count);

// Sets techTurn[k] = turn for every technology k whose name occurs in `text` (exact, case-sensitive
// substring; a name inside a longer word or another name counts too).
void DateTechsNamedIn(std::string_view text, int32_t turn, std::array<int32_t, kTechs>& techTurn);

}  // namespace vsl
