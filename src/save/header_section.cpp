#include "save/header_section.h"

#include <string>

namespace vsl {

int32_t PlayTimeSeconds(int32_t quarterSeconds) {
  int32_t seconds = quarterSeconds / 4;
  if (quarterSeconds - 4 * seconds > 1) ++seconds;
  return seconds;
}

void ReadFixedPositions(const StreamReader& r, size_t bodyOffset, ParseState& st, TSaveDataRec& row) {
  auto at = [&](size_t offset) { return r.IntAt(bodyOffset + offset); };
  // clang-format off
  st.ElapsedTurns = row.ElapsedTurns = at(kElapsedTurnsOffset);
  st.EndTurn      = row.EndTurn      = at(kEndTurnOffset);
  row.PlayTime    = PlayTimeSeconds(at(kPlayTimeOffset));
  row.Score       = at(kScoreOffset);
  st.Level        = row.Level        = at(kLevelOffset);
  row.VictoryType = at(kVictoryTypeOffset);
  row.GameEnded   = at(kGameEndedOffset);
  st.MaxPop       = at(kScoreReferenceOffset + 0);
  st.MaxLand      = at(kScoreReferenceOffset + 4);
  st.MaxTech      = at(kScoreReferenceOffset + 8);
  st.MaxWonder    = at(kScoreReferenceOffset + 12);
  st.InitPop      = at(kScoreReferenceOffset + 16);
  st.InitLand     = at(kScoreReferenceOffset + 20);
  st.InitTech     = at(kScoreReferenceOffset + 24);
  st.InitWonder   = at(kScoreReferenceOffset + 28);
  // clang-format on
}

namespace {

// The setting block: seven int32, three of which select factors and the calendar.
void ReadSettingBlock(StreamReader& r, ParseState& st) {
  st.CostSetting1 = r.ReadInt();  // entry 1
  r.Skip(Int32, 2);               // entries 2, 3
  st.CostSetting4 = r.ReadInt();  // entry 4
  st.GameSpeed = r.ReadInt();     // entry 5, as read; the game section may raise it
  r.Skip(Int32, 2);               // entries 6, 7
}

// Nineteen values of one kind, slot 0 first, each into a field of that slot's LeaderInfo.
template <typename Read>
void ForEachSlot(ParseState& st, Read read) {
  for (int p = 0; p < kSlots; ++p) read(st.LeaderInfo[static_cast<size_t>(p)]);
}

// The per-slot arrays: 19 arrays of 19 values each. Values nothing uses are skipped field by field,
// so that a save cut short fails at the same field as a read would.
void ReadSlotArrays(StreamReader& r, ParseState& st) {
  using L = TLeaderInfoRec;
  // clang-format off
  ForEachSlot(st, [&](L& s) { s.NickName    = r.ReadUStr(); });  //  1 wide text
  r.SkipUStrs(kSlots);                                            //  2 wide text
  r.SkipUStrs(kSlots);                                            //  3 wide text
  r.SkipUStrs(kSlots);                                            //  4 wide text
  ForEachSlot(st, [&](L& s) { s.LockText    = r.ReadUStr(); });  //  5 wide text
  r.SkipUStrs(kSlots);                                            //  6 wide text
  r.SkipUStrs(kSlots);                                            //  7 wide text
  ForEachSlot(st, [&](L&)   { r.Skip(Bool, 1);             });  //  8 bool
  r.SkipUStrs(kSlots);                                            //  9 wide text
  ForEachSlot(st, [&](L& s) { s.CivType     = r.ReadInt();  });  // 10 int32
  ForEachSlot(st, [&](L& s) { s.LeaderType  = r.ReadInt();  });  // 11 int32
  ForEachSlot(st, [&](L& s) { s.Team        = r.ReadInt();  });  // 12 int32
  ForEachSlot(st, [&](L&)   { r.Skip(Int32, 1);            });  // 13 int32
  ForEachSlot(st, [&](L&)   { r.Skip(Int32, 1);            });  // 14 int32
  ForEachSlot(st, [&](L&)   { r.Skip(Int32, 1);            });  // 15 int32
  r.Skip(Int32, kSlots);                                          // 16 int32
  r.Skip(Int32, kSlots);                                          // 17 int32
  r.Skip(Bool,  kSlots);                                          // 18 bool
  r.Skip(Bool,  kSlots);                                          // 19 bool
  // clang-format on
}

}  // namespace

void ReadHeaderSection(StreamReader& r, ParseState& st, TSaveDataRec& row) {
  // clang-format off
  st.SaveVersion = r.ReadInt();          //  1 int32: version
  r.SkipStrs(2);                         //  2 8-bit text x 2
  r.Skip(Int32, 1);                      //  3 int32
  r.SkipStrs(5);                         //  4 8-bit text x 5
  r.Skip(Int32, 2);                      //  5 int32 x 2
  r.SkipUStrs(2);                        //  6 wide text x 2
  row.HeaderText = r.ReadUStr();         //  7 wide text
  r.SkipUStrs(1);                        //  8 wide text
  r.Skip(Bool, 1);                       //  9 bool
  ReadSettingBlock(r, st);               // 10 int32 x 7
  const int32_t a = r.ReadCount(4);      // 11 list A: count, one int32, then a int32
  r.Skip(Int32, 1);
  r.Skip(Int32, a);
  const int32_t b = r.ReadCount(1);      // 12 list B: count, then b bools
  r.Skip(Bool, b);
  r.Skip(Bool, 24);                      // 13 bool x 24
  r.Skip(Int32, 5);                      // 14 int32 x 5
  ReadSlotArrays(r, st);                 // 15 per-slot arrays
  // clang-format on
  row.LockText = st.LeaderInfo[0].LockText;
}

}  // namespace vsl
