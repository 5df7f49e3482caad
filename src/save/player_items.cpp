#include "save/player_items.h"

#include <algorithm>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "gamedata/tables.h"
#include "save/text.h"

namespace vsl {

namespace {

// clang-format off
// City record, items 8 to 10.
constexpr FieldRun kCityAfterValue9[] = {
    {Int32, 68},          //  8
    {Bool,  8},           //  9
    {Int32, 4},           // 10 4, then 9 triples
    {Int32, 9 * 3},
};
// City record, item 12.
constexpr FieldRun kCityAfterTriple[] = {
    {Int32, 4 * 3},       // 12 4 triples, then 4 and 4
    {Int32, 4},
    {Int32, 4},
};
// City record, items 14 and 15.
constexpr FieldRun kCityAfterCulture[] = {
    {Int32, 19},          // 14
    {Bool,  3 * 19},      // 15
};
// City record, item 24 and 25.
constexpr FieldRun kCityAfterUnitValues[] = {
    {Int32, 4 * 12},      // 24 4 groups of 12, then 7, 7, 9 and 48
    {Int32, 7},
    {Int32, 7},
    {Int32, 9},
    {Int32, 48},
    {Bool,  21},          // 25
};
// City record, items 28 and 29.
constexpr FieldRun kCityAfterFlags[] = {
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

constexpr int64_t kCityCapturedBytes = 4 * (2 + 1 + 1 + 2 + 1 + 1 + 1)    // items 1 to 7
                                       + 4 * 3                            // 11
                                       + 4 * 19                           // 13
                                       + 4 + 4                            // 16, 17 empty texts
                                       + 4 * 70                           // 18
                                       + 4 * (11 + 129 + 387 + 92 + 276)  // 19 to 23
                                       + 129 + 129                        // 26, 27
                                       + 4;                               // 30 count
static_assert(ByteSize(kCityAfterValue9) + ByteSize(kCityAfterTriple) + ByteSize(kCityAfterCulture) +
                  ByteSize(kCityAfterUnitValues) + ByteSize(kCityAfterFlags) + ByteSize(kCityTail) +
                  kCityCapturedBytes ==
              kCityMinBytes);
static_assert(ByteSize(kUnitHead) + 2 * 4 + ByteSize(kUnitTail) == kUnitMinBytes);
static_assert(4 * 3 + 4 * 4 + 2 + 4 + 4 * 3 + 1 == kMessageMinBytes);
// A message's fields after its three texts: items 4 to 9.
constexpr size_t kMessageFieldBytes = 4 * 4 + 2 + 4 + 4 * 3 + 1;

template <size_t N>
void ReadInts(StreamReader& r, std::array<int32_t, N>& out) {
  r.ReadInts(out);
}

template <size_t N>
void ReadBools(StreamReader& r, std::array<int32_t, N>& out) {
  r.ReadBools(out);
}

// One city record of slot p; the culture is entry p of the 19 per-slot values.
void ReadCity(StreamReader& r, TCityRec& c, int p) {
  // clang-format off
  r.Skip(Int32, 2);                      //  1
  c.CityValue3 = r.ReadInt();            //  2
  c.CityValue4 = r.ReadInt();            //  3
  r.Skip(Int32, 2);                      //  4
  c.CityValue7 = r.ReadInt();            //  5
  r.Skip(Int32, 1);                      //  6
  c.CityValue9 = r.ReadInt();            //  7
  r.Skip(kCityAfterValue9);              //  8 to 10
  ReadInts(r, c.CityTriple);             // 11 int32 x 3
  r.Skip(kCityAfterTriple);              // 12
  r.Skip(Int32, p);                      // 13 int32 x 19, one per slot: the owner's is the culture
  c.Culture = r.ReadInt();
  r.Skip(Int32, kSlots - 1 - p);
  r.Skip(kCityAfterCulture);             // 14, 15
  r.ReadUStr(c.Name);                    // 16 wide text
  c.Name = CutTextKey(c.Name, kCityNameKey);
  r.SkipUStr();                          // 17 wide text
  r.Skip(Int32, 35);                     // 18 35 and 35
  r.Skip(Int32, 35);
  ReadInts(r, c.ProjectValues);          // 19 int32 x 11
  ReadInts(r, c.BuildingValues);         // 20 int32 x 129
  r.Skip(Int32, 3 * 129);                // 21
  ReadInts(r, c.UnitValues);             // 22 int32 x 92
  r.Skip(Int32, 3 * 92);                 // 23
  r.Skip(kCityAfterUnitValues);          // 24, 25
  ReadBools(r, c.BuildingFlags1);        // 26 bool x 129
  ReadBools(r, c.BuildingFlags2);        // 27 bool x 129
  r.Skip(kCityAfterFlags);               // 28, 29
  const int32_t k = r.ReadCount(ByteSize(kCityGroup30));  // 30 count, then k groups
  for (int32_t g = 0; g < k; ++g) r.Skip(kCityGroup30);
  r.Skip(kCityTail);                     // 31 to 33
  // clang-format on
}

void ReadMessage(StreamReader& r, TMessageRec& m) {
  // clang-format off
  r.ReadUStrWithoutMarkup(m.Text);       // 1 wide text, without markup
  r.ReadUStr(m.Text2);                   // 2 wide text
  r.ReadUStr(m.Text3);                   // 3 wide text
  r.ReadBlock(kMessageFieldBytes, [&](auto& f) {
    m.Value1 = f.ReadInt();              // 4 int32 x 4
    m.Value2 = f.ReadInt();
    m.Value3 = f.ReadInt();
    m.Value4 = f.ReadInt();
    m.Flag1  = f.ReadBool();             // 5 bool
    m.Flag2  = f.ReadBool();             // 6 bool
    m.Turn   = f.ReadInt();              // 7 int32
    m.Value5 = f.ReadInt();              // 8 int32 x 3
    m.Value6 = f.ReadInt();
    m.Value7 = f.ReadInt();
    m.Flag3  = f.ReadBool();             // 9 bool
  });
  // clang-format on
}

// The technology names grouped by first character, so a text is scanned once instead of once per
// name.
class TechNameIndex {
 public:
  TechNameIndex() {
    std::array<std::vector<uint8_t>, 256> buckets;
    for (size_t k = 0; k < TechInfo.size(); ++k) {
      const std::string_view name = TechInfo[k].Name;
      if (name.empty()) {
        always_.push_back(static_cast<uint8_t>(k));  // the empty text occurs in every text
      } else {
        const auto first = static_cast<uint8_t>(name[0]);
        buckets[first].push_back(static_cast<uint8_t>(k));
        lowest_ = std::min(lowest_, first);
        highest_ = std::max(highest_, first);
      }
    }
    for (size_t c = 0; c < 256; ++c) {
      start_[c] = static_cast<uint16_t>(techs_.size());
      techs_.insert(techs_.end(), buckets[c].begin(), buckets[c].end());
    }
    start_[256] = static_cast<uint16_t>(techs_.size());
  }

  template <typename F>
  void ForEachNamed(std::string_view text, F found) const {
    for (uint8_t k : always_) found(k);
    const size_t size = text.size();
    const auto* chars = reinterpret_cast<const uint8_t*>(text.data());
    size_t i = 0;
#ifdef __SSE2__
    // Only a character between the smallest and the largest first character can start a name: the
    // positions of such characters are picked sixteen at a time, the rest are passed over. The last
    // block of a text of sixteen or more ends at its end, its positions taken before masked out.
    const __m128i low = _mm_set1_epi8(static_cast<char>(lowest_));
    const __m128i span = _mm_set1_epi8(static_cast<char>(highest_ - lowest_));
    if (size >= 16) {
      for (; i < size; i += 16) {
        const size_t at = i + 16 <= size ? i : size - 16;
        const __m128i offset =
            _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + at)), low);
        // offset <= span, unsigned: the character lies in [lowest_, highest_].
        auto inRange =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(offset, span), offset)));
        for (inRange &= ~((1u << (i - at)) - 1); inRange != 0; inRange &= inRange - 1) {
          MatchAt(text, at + static_cast<size_t>(__builtin_ctz(inRange)), found);
        }
      }
    }
#endif
    for (; i < size; ++i) MatchAt(text, i, found);
  }

 private:
  // Reports every name that starts at position i of `text`.
  template <typename F>
  void MatchAt(std::string_view text, size_t i, F& found) const {
    const auto c = static_cast<uint8_t>(text[i]);
    for (uint16_t b = start_[c]; b < start_[c + 1]; ++b) {
      const uint8_t k = techs_[b];
      const std::string_view name = TechInfo[k].Name;
      if (name.size() <= text.size() - i &&
          std::memcmp(text.data() + i + 1, name.data() + 1, name.size() - 1) == 0) {
        found(k);
      }
    }
  }

  uint8_t lowest_ = 255, highest_ = 0;  // the smallest and the largest first character of a name
  std::array<uint16_t, 257> start_{};   // bucket of first character c: techs_[start_[c] .. start_[c+1])
  std::vector<uint8_t> techs_;
  std::vector<uint8_t> always_;
};

const TechNameIndex& TechNames() {
  static const TechNameIndex index;
  return index;
}

void DateHeldTechs(const std::array<int32_t, kTechs>& hasTech, std::array<int32_t, kTechs>& techTurn) {
  for (size_t k = 0; k < kTechs; ++k) {
    if (techTurn[k] == -1 && hasTech[k] != 0) techTurn[k] = 0;
  }
}

}  // namespace

void DateTechsNamedIn(std::string_view text, int32_t turn, std::array<int32_t, kTechs>& techTurn) {
  TechNames().ForEachNamed(text, [&](uint8_t k) { techTurn[k] = turn; });
}

void ReadCities(StreamReader& r, ParseState& st, int p, int32_t count) {
  const auto slot = static_cast<size_t>(p);
  RecordList<TCityRec>& cities = st.Cities[slot];
  cities.reserve(static_cast<size_t>(std::clamp(count, 0, kCityCapacity)));
  TCityRec surplus;
  for (int32_t j = 0; j < count; ++j) {
    if (j < kCityCapacity) {
      TCityRec& c = cities.AppendForOverwrite();
      ReadCity(r, c, p);
      st.CityCulture[slot][static_cast<size_t>(j)] = c.Culture;
    } else {
      ReadCity(r, surplus, p);
    }
  }
}

void SkipUnits(StreamReader& r, int32_t count) {
  for (int32_t j = 0; j < count; ++j) {
    // clang-format off
    r.Skip(kUnitHead);    // 1 to 3
    r.SkipUStrs(2);       // 4 wide text x 2
    r.Skip(kUnitTail);    // 5, 6
    // clang-format on
  }
}

void ReadMessages(StreamReader& r, ParseState& st, int p, int32_t count) {
  const int32_t team = st.GetTeam(p);
  std::array<int32_t, kTechs>* techTurn =
      ParseState::ValidTeam(team) ? &st.TechTurn[static_cast<size_t>(team)] : nullptr;
  RecordList<TMessageRec>& messages = st.Messages[static_cast<size_t>(p)];
  const int32_t kept = std::clamp(count, 0, kMessageCapacity);
  messages.reserve(static_cast<size_t>(kept));
  // Each kept message is searched once the next one is read, in stream order, so a later message still
  // overwrites an earlier one's date: by then its text, just written, has left the processor's store
  // queue and is read at full speed.
  const auto dateMessage = [&](size_t j) {
    if (techTurn) DateTechsNamedIn(messages[j].Text, messages[j].Turn, *techTurn);
  };
  const size_t first = messages.size();
  for (int32_t j = 0; j < kept; ++j) {
    ReadMessage(r, messages.AppendForOverwrite());
    if (j > 0) dateMessage(messages.size() - 2);
  }
  if (messages.size() > first) dateMessage(messages.size() - 1);
  TMessageRec surplus;
  for (int32_t j = kept; j < count; ++j) {
    ReadMessage(r, surplus);
    if (techTurn) DateTechsNamedIn(surplus.Text, surplus.Turn, *techTurn);
  }
  if (techTurn) DateHeldTechs(st.HasTech[static_cast<size_t>(team)], *techTurn);
}

}  // namespace vsl
