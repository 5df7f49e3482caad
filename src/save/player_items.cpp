#include "save/player_items.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gamedata/tables.h"
#include "save/text_scan.h"

namespace vsl {

namespace {

// clang-format off
// City record, items 1 to 12: everything before the 19 per-slot values.
constexpr FieldRun kCityHead[] = {
    {Int32, 2},           //  1
    {Int32, 1},           //  2
    {Int32, 1},           //  3
    {Int32, 2},           //  4
    {Int32, 1},           //  5
    {Int32, 1},           //  6
    {Int32, 1},           //  7
    {Int32, 68},          //  8
    {Bool,  8},           //  9
    {Int32, 4},           // 10 4, then 9 triples
    {Int32, 9 * 3},
    {Int32, 3},           // 11
    {Int32, 4 * 3},       // 12 4 triples, then 4 and 4
    {Int32, 4},
    {Int32, 4},
};
// City record, items 14 and 15.
constexpr FieldRun kCityAfterCulture[] = {
    {Int32, 19},          // 14
    {Bool,  3 * 19},      // 15
};
// City record, items 18 to 29: from the two texts to the groups of item 30.
constexpr FieldRun kCityMiddle[] = {
    {Int32, 35},          // 18 35 and 35
    {Int32, 35},
    {Int32, 11},          // 19 one per project
    {Int32, 129},         // 20 one per building type
    {Int32, 3 * 129},     // 21
    {Int32, 92},          // 22 one per unit type
    {Int32, 3 * 92},      // 23
    {Int32, 4 * 12},      // 24 4 groups of 12, then 7, 7, 9 and 48
    {Int32, 7},
    {Int32, 7},
    {Int32, 9},
    {Int32, 48},
    {Bool,  21},          // 25
    {Bool,  129},         // 26 one per building type
    {Bool,  129},         // 27 one per building type
    {Bool,  7},           // 28
    {Int32, 8 * 2},       // 29 8 pairs
};
constexpr FieldRun kCityGroup30[] = {{Int32, 3}, {Bool, 4}};  // 30 one group
// City record, items 31 to 33.
constexpr FieldRun kCityTail[] = {
    {Int32, 3},           // 31
    {Bool,  2},
    {Int32, 2},
    {Int32, 3},           // 32 3, 3, 21 and 21
    {Int32, 3},
    {Int32, 21},
    {Int32, 21},
    {Bool,  6},           // 33
};

// Unit record.
constexpr FieldRun kUnitHead[] = {
    {Int32, 53},          // 1
    {Bool,  5},           // 2
    {Int32, 12},          // 3
};
constexpr FieldRun kUnitTail[] = {
    {Bool,  48},          // 5
    {Int32, 9},           // 6 9, 6, 9, 6, 9 and 3
    {Int32, 6},
    {Int32, 9},
    {Int32, 6},
    {Int32, 9},
    {Int32, 3},
};
// clang-format on

static_assert(ByteSize(kCityHead) + 4 * kSlots + ByteSize(kCityAfterCulture) + 4 + 4 + ByteSize(kCityMiddle) +
                  4 + ByteSize(kCityTail) ==
              kCityMinBytes);
static_assert(ByteSize(kUnitHead) + 2 * 4 + ByteSize(kUnitTail) == kUnitMinBytes);
static_assert(4 * 3 + 4 * 4 + 2 + 4 + 4 * 3 + 1 == kMessageMinBytes);
// A message record: its fields before the turn (items 4 to 6) and after it (items 8 and 9).
constexpr FieldRun kMessageBeforeTurn[] = {{Int32, 4}, {Bool, 2}};
constexpr FieldRun kMessageAfterTurn[] = {{Int32, 3}, {Bool, 1}};

// The culture of one city record of slot p: entry p of the 19 per-slot values of item 13. Nothing
// else of a city is read later (the name included), so the rest of the record is passed over.
int32_t ReadCityCulture(StreamReader& r, int p) {
  // clang-format off
  r.Skip(kCityHead);                     //  1 to 12
  r.Skip(Int32, p);                      // 13 int32 x 19, one per slot: the owner's is the culture
  const int32_t culture = r.ReadInt();
  r.Skip(Int32, kSlots - 1 - p);
  r.Skip(kCityAfterCulture);             // 14, 15
  r.SkipUStr();                          // 16 wide text, the city's name
  r.SkipUStr();                          // 17 wide text
  r.Skip(kCityMiddle);                   // 18 to 29
  const int32_t k = r.ReadCount(ByteSize(kCityGroup30));  // 30 count, then k groups
  r.Skip(Byte, ByteSize(kCityGroup30) * k);
  r.Skip(kCityTail);                     // 31 to 33
  // clang-format on
  return culture;
}

// One message record: its text without markup into `text`, and its turn. The other fields and texts
// are not read later.
int32_t ReadMessage(StreamReader& r, std::string& text) {
  // clang-format off
  r.ReadUStrWithoutMarkup(text);         // 1 wide text, without markup
  r.SkipUStr();                          // 2 wide text
  r.SkipUStr();                          // 3 wide text
  r.Skip(kMessageBeforeTurn);            // 4 to 6
  const int32_t turn = r.ReadInt();      // 7 the game turn of the message
  r.Skip(kMessageAfterTurn);             // 8, 9
  // clang-format on
  return turn;
}

void DateHeldTechs(const std::array<int32_t, kTechs>& hasTech, std::array<int32_t, kTechs>& techTurn) {
  for (size_t k = 0; k < kTechs; ++k) {
    if (techTurn[k] == -1 && hasTech[k] != 0) techTurn[k] = 0;
  }
}

}  // namespace

void DateTechsNamedIn(std::string_view text, int32_t turn, std::array<int32_t, kTechs>& techTurn) {
  thread_local std::vector<uint8_t> found;
  TechNames().Named(text, found);
  for (uint8_t k : found) techTurn[k] = turn;
}

void ReadCities(StreamReader& r, ParseState& st, int p, int32_t count) {
  std::array<int32_t, kCityCapacity>& culture = st.CityCulture[static_cast<size_t>(p)];
  for (int32_t j = 0; j < count; ++j) {
    r.PrefetchStream();
    const int32_t c = ReadCityCulture(r, p);
    if (j < kCityCapacity) culture[static_cast<size_t>(j)] = c;
  }
}

void SkipUnits(StreamReader& r, int32_t count) {
  for (int32_t j = 0; j < count; ++j) {
    r.PrefetchStream();
    // clang-format off
    r.Skip(kUnitHead);    // 1 to 3
    r.SkipUStrs(2);       // 4 wide text x 2
    r.Skip(kUnitTail);    // 5, 6
    // clang-format on
  }
}

void ReadMessages(StreamReader& r, ParseState& st, int p, int32_t count) {
  const int32_t team = st.GetTeam(p);
  if (!ParseState::ValidTeam(team)) {
    std::string& text = st.MessageText[0];
    for (int32_t j = 0; j < count; ++j) ReadMessage(r, text);
    return;
  }
  std::array<int32_t, kTechs>& techTurn = st.TechTurn[static_cast<size_t>(team)];
  // Each message is searched once the next one is read, in stream order, so a later message still
  // overwrites an earlier one's date: by then its text, just written, has left the processor's store
  // queue and is read at full speed. The two texts take turns.
  int32_t pendingTurn = 0;
  for (int32_t j = 0; j < count; ++j) {
    r.PrefetchStream();
    std::string& text = st.MessageText[static_cast<size_t>(j & 1)];
    const int32_t turn = ReadMessage(r, text);
    if (j > 0) DateTechsNamedIn(st.MessageText[static_cast<size_t>((j - 1) & 1)], pendingTurn, techTurn);
    pendingTurn = turn;
  }
  if (count > 0)
    DateTechsNamedIn(st.MessageText[static_cast<size_t>((count - 1) & 1)], pendingTurn, techTurn);
  DateHeldTechs(st.HasTech[static_cast<size_t>(team)], techTurn);
}

}  // namespace vsl
