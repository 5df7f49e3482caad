#pragma once
// The map section: map size, land plot count, one record per plot, two lists after the plots.

#include <cstdint>

#include "save/parse_state.h"
#include "record/save_record.h"
#include "save/stream_reader.h"

namespace vsl {

inline constexpr int64_t kPlotMinBytes = 715;        // a plot record with an empty text and list
inline constexpr int64_t kMapListEntryBytes = 7189;  // an entry of the second list after the plots

// Walks the map section from the cursor. Counts per slot the plots and land plots it owns and their
// share of the map's land; the row takes slot 0's. Throws SaveError before the plot loop when the map
// size is too large for the bytes left.
void ReadMapSection(StreamReader& r, ParseState& st, TSaveDataRec& row);

// Plot types 0, 1 and 2 are land.
constexpr bool IsLandPlotType(int32_t plotType) {
  return plotType >= 0 && plotType <= 2;
}

}  // namespace vsl
