#include "save/analyse.h"

#include <string>
#include <utility>

#include "gamedata/factors.h"
#include "save/game_section.h"
#include "save/header_section.h"
#include "save/map_section.h"
#include "save/player_section.h"
#include "save/save_error.h"
#include "save/statistics.h"
#include "save/stream_reader.h"
#include "save/team_section.h"

namespace vsl {

namespace {

// Everything but the caller's FileName and FileDate starts from its default, so a row never shows a
// value of an earlier occupant.
void ClearRow(TSaveDataRec& row) {
  TSaveDataRec fresh;
  fresh.FileName = std::move(row.FileName);
  fresh.FileDate = row.FileDate;
  row = std::move(fresh);
}

}  // namespace

void SaveAnalyse(std::span<const uint8_t> image, int32_t bodyOffset, TSaveDataRec& row, ParseState& state,
                 FileLadderMaxima& maxima, const AuditEdits& edits, char decimalSeparator,
                 AuditSettings& audit) {
  if (bodyOffset < 0 || static_cast<size_t>(bodyOffset) > image.size()) {
    throw SaveError("save has no compressed body (body offset " + std::to_string(bodyOffset) + ")");
  }
  state.Reset();
  ClearRow(row);
  StreamReader r(image);
  ReadFixedPositions(r, static_cast<size_t>(bodyOffset), state, row);
  ReadHeaderSection(r, state, row);
  state.Factors = MakeCostFactors(state.Level, state.CostSetting1, state.GameSpeed, state.CostSetting4);
  r.Seek(static_cast<size_t>(bodyOffset));
  ReadGameSection(r, state, row);
  ReadMapSection(r, state, row);
  ReadTeamSection(r, state);
  ReadPlayerSection(r, state);
  SaveStatistics(state, row, maxima);
  RControl(row, edits, decimalSeparator, audit);
}

}  // namespace vsl
