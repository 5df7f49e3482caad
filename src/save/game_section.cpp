#include "save/game_section.h"

#include "gamedata/calendar.h"

namespace vsl {

namespace {

// Items 1 to 13: the fixed arrays after the wide text at body offset 129.
// clang-format off
constexpr FieldRun kGameArrays[] = {
    {Int32, 7 * 19},   //  1 seven arrays of 19; the fourth holds the stored score
    {Int32, 92},       //  2
    {Int32, 68},       //  3
    {Int32, 105},      //  4
    {Int32, 11},       //  5
    {Int32, 25},       //  6
    {Int32, 10},       //  7
    {Int32, 7},        //  8
    {Bool,  3},        //  9
    {Bool,  4},        // 10
    {Bool,  10},       // 11
    {Int32, 7 * 2},    // 12 seven pairs
    {Int32, 18 * 10},  // 13
};
// clang-format on
static_assert(ByteSize(kGameArrays) == 2597);

// Smallest entry of each counted list, for the guard before its loop.
constexpr int64_t kWideTextMinBytes = 4;         // count only
constexpr int64_t kItem17EntryMinBytes = 7 * 4;  // 5 int32 and two counts
constexpr int64_t kReplayEntryMinBytes = 7 * 4;  // 5 int32, a text count, 1 int32

// The derived values, computed right after the wide text at body offset 129.
void DeriveTurnAndYear(ParseState& st, TSaveDataRec& row) {
  st.GameTurn = WrapAdd(st.ElapsedTurns, st.StartTurn);
  row.StartTurn = st.StartTurn;
  row.GameTurn = st.GameTurn;
  if (st.SaveVersion < kFirstZeroBasedSpeedVersion) st.GameSpeed = WrapAdd(st.GameSpeed, 1);
  row.GameYear = Turn2Date(st.GameSpeed, st.GameTurn, st.ElapsedTurns);
}

// Item 17: each entry is 5 int32, a count a, a triples, a count b, b triples.
void SkipItem17(StreamReader& r) {
  const int32_t n = r.ReadCount(kItem17EntryMinBytes);
  for (int32_t e = 0; e < n; ++e) {
    r.Skip(Int32, 5);
    const int32_t a = r.ReadCount(3 * 4);
    r.Skip(Int32, 3 * static_cast<int64_t>(a));
    const int32_t b = r.ReadCount(3 * 4);
    r.Skip(Int32, 3 * static_cast<int64_t>(b));
  }
}

// Item 19. Only the number of entries is kept: nothing reads an entry, and each is passed over so that
// the session count after the list is found. An entry is 5 int32, a wide text and 1 int32.
void SkipReplayMessages(StreamReader& r, ParseState& st) {
  const int32_t n = r.ReadCount(kReplayEntryMinBytes);
  st.ReplayMessageCount = n;
  for (int32_t k = 0; k < n; ++k) {
    r.PrefetchStream();
    r.Skip(Int32, 5);
    r.SkipUStr();
    r.Skip(Int32, 1);
  }
}

}  // namespace

void ReadGameSection(StreamReader& r, ParseState& st, TSaveDataRec& row) {
  // clang-format off
  r.Skip(Int32, 1);               //   0
  r.Skip(Int32, 1);               //   4
  r.Skip(Int32, 1);               //   8 turns played, taken at its fixed position
  st.StartTurn = r.ReadInt();     //  12
  r.Skip(Int32, 1);               //  16
  r.Skip(Int32, 1);               //  20 planned end turn, taken at its fixed position
  r.Skip(Int32, 1);               //  24 play time, taken at its fixed position
  r.Skip(Int32, 9);               //  28 to 60
  r.Skip(Int32, 8);               //  64 to 92 score normalisers, taken at their fixed positions
  r.Skip(Int32, 1);               //  96
  r.Skip(Bool,  5);               // 100 to 104
  r.Skip(Int32, 1);               // 105 difficulty, taken at its fixed position
  r.Skip(Int32, 3);               // 109, 113, 117
  r.Skip(Int32, 1);               // 121 kind of victory, taken at its fixed position
  r.Skip(Int32, 1);               // 125 game decided, taken at its fixed position
  r.SkipUStr();                   // 129 wide text
  DeriveTurnAndYear(st, row);
  r.Skip(kGameArrays);            // items 1 to 13
  const int32_t n14 = r.ReadCount(kWideTextMinBytes);  // 14 list of wide texts
  r.SkipUStrs(n14);
  const int32_t n15 = r.ReadCount(kWideTextMinBytes);  // 15 list of wide texts
  r.SkipUStrs(n15);
  const int32_t n16 = r.ReadCount(4);                  // 16 count, 4 int32, then n int32
  r.Skip(Int32, 4);
  r.Skip(Int32, n16);
  SkipItem17(r);                  // 17
  r.Skip(Int32, 2);               // 18
  SkipReplayMessages(r, st);      // 19
  row.SessionCount = r.ReadInt(); // 20
  r.Skip(Int32, 3);               // 21
  // clang-format on
}

}  // namespace vsl
