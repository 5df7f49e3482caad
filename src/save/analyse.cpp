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
#include "scoring/errors.h"

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

// The header ends where the two size fields in front of the body begin: a header walk that needs more
// bytes than that is cut short or damaged, not a reason to read the sizes and the body as header fields.
std::span<const uint8_t> HeaderOf(std::span<const uint8_t> image, size_t bodyOffset) {
  return image.first(bodyOffset >= 8 ? bodyOffset - 8 : 0);
}

// The image up to the end of the body, by the inflated size stored in front of it: a body walk that
// needs more than the body is cut short or damaged, not a reason to read the trailer as body fields. An
// image whose stored size does not fit it is walked to its end.
std::span<const uint8_t> ThroughBody(std::span<const uint8_t> image, size_t bodyOffset) {
  if (bodyOffset < 8) return image;
  const int32_t inflated = StreamReader(image).IntAt(bodyOffset - 8);
  if (inflated < 0 || static_cast<size_t>(inflated) > image.size() - bodyOffset) return image;
  return image.first(bodyOffset + static_cast<size_t>(inflated));
}

// A text too long to be read leaves its characters in the stream, so every field after it is read from
// the wrong place: the save is damaged there, whatever the misread fields do later.
void ThrowIfOverlongText(const StreamReader& r) {
  const OverlongText& t = r.FirstOverlongText();
  if (t.Offset < 0) return;
  throw SaveError("save is damaged at offset " + std::to_string(t.Offset) + " (a text of " +
                      std::to_string(t.Count) + " characters; a text holds at most " +
                      std::to_string(kMaxTextCount) + ", so the fields after it cannot be read)",
                  t.Offset);
}

// The walk of the header and the body sections; `r` reads the image up to the end of the body.
void WalkSections(std::span<const uint8_t> image, size_t body, StreamReader& r, TSaveDataRec& row,
                  ParseState& state) {
  state.Reset();
  ClearRow(row);
  ReadFixedPositions(r, body, state, row);
  StreamReader header(HeaderOf(image, body));
  try {
    ReadHeaderSection(header, state, row);
  } catch (const SaveError&) {
    ThrowIfOverlongText(header);
    throw;
  }
  ThrowIfOverlongText(header);
  state.Factors = MakeCostFactors(state.Level, state.CostSetting1, state.GameSpeed, state.CostSetting4);
  r.Seek(body);
  try {
    ReadGameSection(r, state, row);
    ReadMapSection(r, state, row);
    ReadTeamSection(r, state);
    ReadPlayerSection(r, state);
  } catch (const SaveError&) {
    ThrowIfOverlongText(r);
    throw;
  }
  ThrowIfOverlongText(r);
}

}  // namespace

void SaveAnalyse(std::span<const uint8_t> image, int32_t bodyOffset, TSaveDataRec& row, ParseState& state,
                 LadderSettings& ladder) {
  if (bodyOffset < 0 || static_cast<size_t>(bodyOffset) > image.size()) {
    throw SaveError("save has no compressed body (body offset " + std::to_string(bodyOffset) + ")");
  }
  const auto body = static_cast<size_t>(bodyOffset);
  StreamReader r(ThroughBody(image, body));
  WalkSections(image, body, r, row, state);
  LadderSettings derived = ladder;
  try {
    SaveStatistics(state, row, derived);
  } catch (const MathError& e) {
    // Score references that no game writes (a negative maximum over a positive start value) make the
    // final score's arithmetic fail: the file is damaged, not the program's settings.
    throw SaveError(std::string("the save's score values are damaged (") + e.what() + ")");
  }
  ladder = derived;
}

}  // namespace vsl
