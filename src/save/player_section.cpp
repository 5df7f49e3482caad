#include "save/player_section.h"

#include <algorithm>
#include <array>
#include <span>

#include "save/player_items.h"
#include "record/save_record.h"

namespace vsl {

namespace {

// clang-format off
// Items 10 to 12.
constexpr FieldRun kAfterAlive[] = {
    {Bool,  8},          // 10
    {Int32, 4},          // 11 runs of 4, 13 triples and 19
    {Int32, 13 * 3},
    {Int32, 19},
    {Bool,  28},         // 12 runs of 28 and 18
    {Bool,  18},
};
// Items 14 to 16.
constexpr FieldRun kAfterText13[] = {
    {Int32, 35},         // 14 runs of 35, 35, 24, 129, 129, 6, 68, 68, 105, 105, 2, 4, 5, 5, 7, 3, 12
    {Int32, 35},
    {Int32, 24},
    {Int32, 129},
    {Int32, 129},
    {Int32, 6},
    {Int32, 68},
    {Int32, 68},
    {Int32, 105},
    {Int32, 105},
    {Int32, 2},
    {Int32, 4},
    {Int32, 5},
    {Int32, 5},
    {Int32, 7},
    {Int32, 3},
    {Int32, 12},
    {Bool,  86},         // 15 runs of 86 and 19
    {Bool,  19},
    {Int32, 5},          // 16 runs of 5, 12 triples and 24 triples
    {Int32, 12 * 3},
    {Int32, 24 * 3},
};
// Items 32 to 34.
constexpr FieldRun kRecordTail[] = {
    {Int32, 5},          // 32 runs of 5, 36, 36 and 8 x 19
    {Int32, 36},
    {Int32, 36},
    {Int32, 8 * 19},
    {Bool,  19},         // 33
    {Int32, 19 * 14},    // 34 19 x 14, then 19 x 28
    {Int32, 19 * 28},
};

// Entries of the counted lists.
constexpr FieldRun kList5Entry[]   = {{Int32, 38}};                          // then a count of pairs
constexpr FieldRun kList9Head[]    = {{Int32, 3}, {Bool, 1}, {Int32, 3}};    // then two counted lists
constexpr FieldRun kList9Tail[]    = {{Int32, 3}, {Bool, 1}, {Int32, 3}};
constexpr FieldRun kList10Head[]   = {{Int32, 4}, {Bool, 2}, {Int32, 1}};    // then 3 texts, a list
constexpr FieldRun kGroup2And4[]   = {{Int32, 2}, {Bool, 4}};               // group of list 11
constexpr FieldRun kList11Middle[] = {{Bool, 2}, {Int32, 1}, {Bool, 3}};    // then a text, tagged items
// clang-format on
static_assert(ByteSize(kAfterAlive) == 8 + 62 * 4 + 46);
static_assert(ByteSize(kAfterText13) == 742 * 4 + 105 + 113 * 4);
static_assert(ByteSize(kRecordTail) == 229 * 4 + 19 + 798 * 4);

// Smallest entries of the counted lists.
constexpr int64_t kList5EntryMinBytes = ByteSize(kList5Entry) + 4;
constexpr int64_t kList9EntryMinBytes = ByteSize(kList9Head) + 4 + 4 + ByteSize(kList9Tail);
constexpr int64_t kList10EntryMinBytes = ByteSize(kList10Head) + 3 * 4 + 4;
constexpr int64_t kList11EntryMinBytes = 3 * 4 + 4 + 4 + ByteSize(kList11Middle) + 4 + 4;
constexpr int64_t kTaggedItemMinBytes = 4 + 4;  // kind and an empty text

// Kinds of tagged item that carry a wide text; the others carry 2 int32.
constexpr bool TaggedItemHasText(int32_t kind) {
  return kind == 9 || kind == 10;
}

// Counted lists 1 and 2: count n, then n int32.
void SkipIntList(StreamReader& r) {
  const int32_t n = r.ReadCount(4);
  r.Skip(Int32, n);
}

// Counted lists 4, 6, 7 and 8: count n, 4 int32 (present whatever n is), then n int32.
void SkipIntListWithHead(StreamReader& r) {
  const int32_t n = r.ReadCount(4);
  r.Skip(Int32, 4);
  r.Skip(Int32, n);
}

// Counted list 3: count n, then n wide texts.
void SkipTextList(StreamReader& r) {
  const int32_t n = r.ReadCount(4);
  r.SkipUStrs(n);
}

// Counted list 5: n entries of 38 int32, a count m and m pairs.
void SkipList5(StreamReader& r) {
  const int32_t n = r.ReadCount(kList5EntryMinBytes);
  for (int32_t e = 0; e < n; ++e) {
    r.Skip(kList5Entry);
    const int32_t m = r.ReadCount(2 * 4);
    r.Skip(Int32, 2 * static_cast<int64_t>(m));
  }
}

// Counted list 9: 3 int32, bool, 3 int32, a pairs, b groups of 5 int32, 3 int32, bool, 3 int32.
void SkipList9(StreamReader& r) {
  const int32_t n = r.ReadCount(kList9EntryMinBytes);
  for (int32_t e = 0; e < n; ++e) {
    r.Skip(kList9Head);
    const int32_t a = r.ReadCount(2 * 4);
    r.Skip(Int32, 2 * static_cast<int64_t>(a));
    const int32_t b = r.ReadCount(5 * 4);
    r.Skip(Int32, 5 * static_cast<int64_t>(b));
    r.Skip(kList9Tail);
  }
}

// Counted list 10: 4 int32, 2 bool, int32, 3 wide texts, m pairs of wide texts.
void SkipList10(StreamReader& r) {
  const int32_t n = r.ReadCount(kList10EntryMinBytes);
  for (int32_t e = 0; e < n; ++e) {
    r.Skip(kList10Head);
    r.SkipUStrs(3);
    const int32_t m = r.ReadCount(2 * 4);
    r.SkipUStrs(2 * static_cast<int64_t>(m));
  }
}

// A list of groups of (2 int32, 4 bool), inside counted list 11.
void SkipGroupList(StreamReader& r) {
  const int32_t n = r.ReadCount(ByteSize(kGroup2And4));
  for (int32_t g = 0; g < n; ++g) r.Skip(kGroup2And4);
}

// Counted list 11: 3 int32, two group lists, 2 bool, int32, 3 bool, wide text, c tagged items.
void SkipList11(StreamReader& r) {
  const int32_t n = r.ReadCount(kList11EntryMinBytes);
  for (int32_t e = 0; e < n; ++e) {
    r.Skip(Int32, 3);
    SkipGroupList(r);
    SkipGroupList(r);
    r.Skip(kList11Middle);
    r.SkipUStr();
    const int32_t c = r.ReadCount(kTaggedItemMinBytes);
    for (int32_t i = 0; i < c; ++i) {
      if (TaggedItemHasText(r.ReadInt())) {
        r.SkipUStr();
      } else {
        r.Skip(Int32, 2);
      }
    }
  }
}

// Item 31: six lists of (turn, value) pairs, kinds 0 to 5.
// Stores `count` (turn, value) pairs of slot p, as StoreHistoryPair does one by one.
void StoreHistoryPairs(ParseState& st, int kind, int p, const int32_t* pairs, size_t count) {
  const auto k = static_cast<size_t>(kind), s = static_cast<size_t>(p);
  std::array<int32_t, kHistoryEntries>& history = st.History[k][s];
  const int64_t startTurn = st.StartTurn;
  int32_t used = st.HistoryUsed[k][s];
  for (size_t i = 0; i < count; ++i) {
    const int64_t index = std::max<int64_t>(pairs[2 * i] - startTurn, 0);
    if (index < kHistoryTurns) {
      history[static_cast<size_t>(index)] = pairs[2 * i + 1];
      used = std::max(used, static_cast<int32_t>(index) + 1);
    }
  }
  st.HistoryUsed[k][s] = used;
}

// Item 31: six lists of (turn, value) pairs, kinds 0 to 5, read a batch of pairs at a time.
void ReadHistories(StreamReader& r, ParseState& st, int p) {
  constexpr size_t kBatch = 128;
  std::array<int32_t, 2 * kBatch> pairs;
  for (int kind = 0; kind < kHistoryKinds; ++kind) {
    const int32_t n = r.ReadCount(kHistoryPairBytes);
    st.HistoryCount[static_cast<size_t>(kind)][static_cast<size_t>(p)] = n;
    for (size_t left = n > 0 ? static_cast<size_t>(n) : 0; left > 0;) {
      const size_t m = std::min(left, kBatch);
      r.ReadInts(std::span<int32_t>(pairs.data(), 2 * m));
      StoreHistoryPairs(st, kind, p, pairs.data(), m);
      left -= m;
    }
  }
}

void ReadPlayer(StreamReader& r, ParseState& st, int p) {
  const auto s = static_cast<size_t>(p);
  // clang-format off
  r.Skip(Int32, 3);                             //  1
  st.Population[s]     = r.ReadInt();           //  2
  r.Skip(Int32, 79);                            //  3
  st.PopScoreRaw[s]    = r.ReadInt();           //  4
  st.LandScoreRaw[s]   = r.ReadInt();           //  5
  st.WonderScoreRaw[s] = r.ReadInt();           //  6
  st.TechScoreRaw[s]   = r.ReadInt();           //  7
  r.Skip(Int32, 1);                             //  8
  st.Alive[s]          = r.ReadBool();          //  9
  r.Skip(kAfterAlive);                          // 10 to 12
  r.SkipUStr();                                 // 13 wide text
  r.Skip(kAfterText13);                         // 14 to 16
  SkipIntList(r);                               // 17 counted list 1
  SkipIntList(r);                               // 18 counted list 2
  SkipTextList(r);                              // 19 counted list 3
  SkipIntListWithHead(r);                       // 20 counted list 4
  SkipList5(r);                                 // 21 counted list 5
  SkipIntListWithHead(r);                       // 22 counted list 6
  st.CityCount[s]      = r.ReadCount(kCityMinBytes);     // 23 cities
  ReadCities(r, st, p, st.CityCount[s]);
  SkipIntListWithHead(r);                       // 24 counted list 7
  st.UnitCount[s]      = r.ReadCount(kUnitMinBytes);     // 25 units
  SkipUnits(r, st.UnitCount[s]);
  SkipIntListWithHead(r);                       // 26 counted list 8
  SkipList9(r);                                 // 27 counted list 9
  st.MessageCount[s]   = r.ReadCount(kMessageMinBytes);  // 28 messages
  ReadMessages(r, st, p, st.MessageCount[s]);
  SkipList10(r);                                // 29 counted list 10
  SkipList11(r);                                // 30 counted list 11
  ReadHistories(r, st, p);                      // 31 six history lists
  r.Skip(kRecordTail);                          // 32 to 34
  // clang-format on
}

}  // namespace

void StoreHistoryPair(ParseState& st, int kind, int p, int32_t turn, int32_t value) {
  const int32_t pair[2] = {turn, value};
  StoreHistoryPairs(st, kind, p, pair, 1);
}

void ReadPlayerSection(StreamReader& r, ParseState& st) {
  for (int p = 0; p < kSlots; ++p) {
    st.TechTurn[static_cast<size_t>(p)].fill(-1);
    ReadPlayer(r, st, p);
  }
}

}  // namespace vsl
