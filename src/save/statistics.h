#pragma once
// The statistics pass: turns the parse state of one file into its summary row. Reads no stream bytes.

#include <cstdint>

#include "record/save_record.h"
#include "save/parse_state.h"
#include "scoring/ladder.h"

namespace vsl {

// Ladder maximum culture for a game speed (after the version correction).
int32_t MaxCultureForSpeed(int32_t gameSpeed);

// Culture score: the mean of the three best city cultures divided by 100, a tie rounded to the even
// neighbour.
int32_t CultureScoreOf(int32_t culture1, int32_t culture2, int32_t culture3);

// Fills every row field the statistics pass owns, the statistics tables of `st`, and the Ladder
// maxima the file derives (MaxPop .. MaxTurn of `ladder`). Teams outside 0..18 contribute nothing (no contact, vassal or technology
// lookups) and count as one member.
void SaveStatistics(ParseState& st, TSaveDataRec& row, LadderSettings& ladder);

}  // namespace vsl
