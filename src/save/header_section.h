#pragma once
// The save header: game values at fixed body positions, then the walk of the uncompressed header from
// offset 0 (version, game settings, one record per player slot).

#include <cstddef>
#include <cstdint>

#include "save/parse_state.h"
#include "record/save_record.h"
#include "save/stream_reader.h"

namespace vsl {

// Body offsets of the game values read before the walk (they lie inside the game section).
inline constexpr size_t kElapsedTurnsOffset = 8;
inline constexpr size_t kEndTurnOffset = 20;
inline constexpr size_t kPlayTimeOffset = 24;
inline constexpr size_t kScoreReferenceOffset = 64;  // eight int32: MaxPop .. InitWonder
inline constexpr size_t kLevelOffset = 105;
inline constexpr size_t kVictoryTypeOffset = 121;
inline constexpr size_t kGameEndedOffset = 125;
inline constexpr size_t kScoreOffset = 361;  // read here even when the wide text at 129 is not empty

// Play time in seconds from the stored quarter seconds: a remainder of 2 or 3 quarters rounds up.
int32_t PlayTimeSeconds(int32_t quarterSeconds);

// Takes the fixed-position game values of the body that starts at `bodyOffset`; the cursor of `r`
// does not move.
void ReadFixedPositions(const StreamReader& r, size_t bodyOffset, ParseState& st, TSaveDataRec& row);

// Walks the header from the cursor (offset 0 of the image): version, settings and LeaderInfo of slots
// 0..18; copies HeaderText and slot 0's LockText to the row.
void ReadHeaderSection(StreamReader& r, ParseState& st, TSaveDataRec& row);

}  // namespace vsl
