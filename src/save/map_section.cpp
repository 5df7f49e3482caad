#include "save/map_section.h"

#include <limits>
#include <string>

#include "save/save_error.h"

namespace vsl {

namespace {

// clang-format off
// Plot record, items 1 to 7: everything before the owner.
constexpr FieldRun kPlotHead[] = {
    {Int32, 1},       //  1
    {Int16, 2},       //  2 column and row
    {Int32, 1},       //  3
    {Int16, 6},       //  4
    {Int32, 1},       //  5
    {Int16, 3},       //  6
    {Bool,  6},       //  7
};
// Plot record, items 10 to 24: from the plot type to the text.
constexpr FieldRun kPlotMiddle[] = {
    {Int16, 5},       // 10
    {Byte,  2},       // 11
    {Int32, 6},       // 12
    {Int16, 3},       // 13
    {Int32, 19},      // 14
    {Int16, 19},      // 15
    {Byte,  19},      // 16
    {Int32, 19},      // 17
    {Int16, 19},      // 18
    {Int16, 19},      // 19
    {Byte,  19},      // 20
    {Bool,  8},       // 21
    {Bool,  19},      // 22
    {Int16, 19},      // 23
    {Int16, 19},      // 24
};
// Plot record, items 26 to 28: from the text to the final list.
constexpr FieldRun kPlotTail[] = {
    {Int16, 22},      // 26
    {Byte,  19 * 7},  // 27
    {Int16, 19},      // 28
};
// An entry of the second list after the plots.
constexpr FieldRun kMapListEntry[] = {
    {Int32, 9},
    {Bool,  1},
    {Int32, 14 * 19},  // 14 arrays of 19
    {Int32, 19 * 2},   // 19 pairs
    {Int32, 19 * 3},   // 19 triples
    {Int32, 19 * 36},  // 19 groups of 36
    {Int32, 19 * 36},  // 19 more groups of 36
    {Int32, 35},
    {Int32, 24},
};
// clang-format on
static_assert(ByteSize(kPlotHead) + 1 + 2 + ByteSize(kPlotMiddle) + 4 + ByteSize(kPlotTail) + 4 ==
              kPlotMinBytes);
static_assert(ByteSize(kMapListEntry) == kMapListEntryBytes);
// Where the text of a plot record lies: after its fixed fields up to item 24.
constexpr size_t kPlotTextOffset = ByteSize(kPlotHead) + 1 + 2 + ByteSize(kPlotMiddle);

constexpr int kNoOwner = kSlots;  // owner bytes from 19 on count for nobody

// Number of plot records; throws when the size cannot be a map of this save.
int64_t PlotCount(const StreamReader& r, int32_t width, int32_t height) {
  const int64_t plots = static_cast<int64_t>(width) * height;
  if (plots > std::numeric_limits<int32_t>::max()) {
    throw SaveError("save is truncated or damaged at offset " + std::to_string(r.Pos()) + " (a map of " +
                        std::to_string(width) + " x " + std::to_string(height) + " plots is too large)",
                    static_cast<int64_t>(r.Pos()));
  }
  r.RequireEntries(plots, kPlotMinBytes);
  return plots > 0 ? plots : 0;
}

void ReadPlot(StreamReader& r, ParseState& st) {
  r.PrefetchStream();
  // clang-format off
  int owner = 0;
  int32_t plotType = 0;
  r.ReadBlock(kPlotTextOffset, [&](auto& f) {
    f.Skip(kPlotHead);                       //  1 to 7
    owner = f.ReadChar();                    //  8 byte: owning slot
    plotType = f.ReadShort();                //  9 int16: plot type
    f.Skip(kPlotMiddle);                     // 10 to 24
  });
  r.SkipUStr();                              // 25 wide text
  r.Skip(kPlotTail);                         // 26 to 28
  const int32_t k = r.ReadCount(2 * 4);      // 29 list of k pairs of int32
  r.Skip(Int32, 2 * static_cast<int64_t>(k));
  // clang-format on
  if (owner < kNoOwner) {
    ++st.PlotsOwned[static_cast<size_t>(owner)];
    if (IsLandPlotType(plotType)) ++st.LandPlotsOwned[static_cast<size_t>(owner)];
  }
}

void ComputeLandShares(ParseState& st, TSaveDataRec& row) {
  if (st.TotalLandPlots > 0) {
    for (int p = 0; p < kSlots; ++p) {
      st.LandPlotsShare[static_cast<size_t>(p)] =
          st.LandPlotsOwned[static_cast<size_t>(p)] * 100.0 / st.TotalLandPlots;
    }
  }
  row.LandPlots = st.LandPlotsOwned[0];
  row.LandPlotsPercent = st.LandPlotsShare[0];
}

}  // namespace

void ReadMapSection(StreamReader& r, ParseState& st, TSaveDataRec& row) {
  // clang-format off
  st.MapWidth       = r.ReadInt();  // 1
  st.MapHeight      = r.ReadInt();  // 2
  st.TotalLandPlots = r.ReadInt();  // 3
  r.Skip(Int32, 4);                 // 4
  r.Skip(Bool,  2);                 // 5
  r.Skip(Int32, 35);                // 6
  r.Skip(Int32, 35);                // 7
  // clang-format on

  st.PlotsOwned.fill(0);
  st.LandPlotsOwned.fill(0);
  st.LandPlotsShare.fill(0);
  const int64_t plots = PlotCount(r, st.MapWidth, st.MapHeight);
  for (int64_t i = 0; i < plots; ++i) ReadPlot(r, st);
  ComputeLandShares(st, row);

  const int32_t n = r.ReadCount(4);  // list 1: count, 4 int32, then n int32
  r.Skip(Int32, 4);
  r.Skip(Int32, n);
  const int32_t m = r.ReadCount(kMapListEntryBytes);  // list 2: count, then m entries
  for (int32_t e = 0; e < m; ++e) r.Skip(kMapListEntry);
}

}  // namespace vsl
