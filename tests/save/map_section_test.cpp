#include "save/map_section.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "save/save_error.h"
#include "support/fixture_save.h"

namespace vsl {
namespace {

using testing::MapDesc;
using testing::Plot;
using testing::SaveWriter;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

struct Parsed {
  std::unique_ptr<ParseState> st = std::make_unique<ParseState>();
  TSaveDataRec row;
};

// Parses the map section written for `map`, checking that it ends where the writer did.
Parsed ParseMap(const MapDesc& map) {
  SaveWriter w;
  WriteMapSection(w, map);
  w.Int(0x7EA3);  // the first field of the team section
  Parsed p;
  StreamReader r(w.Data());
  ReadMapSection(r, *p.st, p.row);
  EXPECT_EQ(r.Pos(), w.Size() - 4);
  EXPECT_EQ(r.ReadInt(), 0x7EA3);
  return p;
}

TEST(MapSectionTest, RecordSizesMatchTheWriter) {
  SaveWriter plot;
  WritePlot(plot, Plot(0xFF, 3));
  EXPECT_EQ(static_cast<int64_t>(plot.Size()), kPlotMinBytes);

  MapDesc none, one;
  one.list2Count = 1;
  SaveWriter a, b;
  WriteMapSection(a, none);
  WriteMapSection(b, one);
  EXPECT_EQ(static_cast<int64_t>(b.Size() - a.Size()), kMapListEntryBytes);
}

TEST(MapSectionTest, CountsOwnedPlotsAndLandPlotsPerSlot) {
  MapDesc map;
  map.Size(3, 2).LandPlots(8);
  map.Add(Plot(3, 0)).Add(Plot(3, 1)).Add(Plot(3, 2, "Hill of Kings", 2));
  map.Add(Plot(3, 3));     // slot 3 owns it, but it is not land
  map.Add(Plot(0xFF, 0));  // nobody's
  map.Add(Plot(19, 0));    // no slot 19
  map.list1Count = 3;
  map.list2Count = 2;
  const Parsed p = ParseMap(map);
  EXPECT_EQ(p.st->MapWidth, 3);
  EXPECT_EQ(p.st->MapHeight, 2);
  EXPECT_EQ(p.st->TotalLandPlots, 8);
  EXPECT_EQ(p.st->PlotsOwned[3], 4);
  EXPECT_EQ(p.st->LandPlotsOwned[3], 3);
  EXPECT_DOUBLE_EQ(p.st->LandPlotsShare[3], 37.5);
  int owned = 0;
  for (int s = 0; s < kTableSlots; ++s) owned += p.st->PlotsOwned[static_cast<size_t>(s)];
  EXPECT_EQ(owned, 4);
  EXPECT_EQ(p.row.LandPlots, 0);
}

TEST(MapSectionTest, SlotZeroGoesToTheRow) {
  MapDesc map;
  map.Size(2, 1).LandPlots(3).Add(Plot(0, 2)).Add(Plot(0, 1));
  const Parsed p = ParseMap(map);
  EXPECT_EQ(p.row.LandPlots, 2);
  EXPECT_NEAR(static_cast<double>(p.row.LandPlotsPercent), 66.666666, 1e-5);
}

TEST(MapSectionTest, NoLandPlotsLeavesEveryShareAtZero) {
  MapDesc map;
  map.Size(1, 1).LandPlots(0).Add(Plot(0, 0));
  const Parsed p = ParseMap(map);
  EXPECT_EQ(p.row.LandPlots, 1);
  EXPECT_EQ(p.row.LandPlotsPercent, 0);
  EXPECT_EQ(p.st->LandPlotsShare[0], 0);
}

TEST(MapSectionTest, AMapOfWidthZeroHasNoPlotRecords) {
  MapDesc map;
  map.Size(0, 50).Add(Plot(0, 0));  // the plot is not written
  map.list1Count = 2;
  const Parsed p = ParseMap(map);
  EXPECT_EQ(p.st->PlotsOwned[0], 0);
}

TEST(MapSectionTest, AMapTooLargeForTheSaveFailsBeforeTheLoop) {
  SaveWriter w;
  w.Int(100).Int(100).Int(0).Ints(4).Bools(2).Ints(70);
  w.Bytes(1000);
  auto st = std::make_unique<ParseState>();
  TSaveDataRec row;
  StreamReader r(w.Data());
  EXPECT_THAT(
      [&] { ReadMapSection(r, *st, row); },
      ThrowsMessage<SaveError>(StrEq("save is truncated or damaged at offset 310 (a count of 10000 entries "
                                     "of at least 715 bytes each, 1000 bytes left)")));

  SaveWriter huge;
  huge.Int(70000).Int(70000).Int(0).Ints(4).Bools(2).Ints(70);
  StreamReader r2(huge.Data());
  EXPECT_THAT([&] { ReadMapSection(r2, *st, row); },
              ThrowsMessage<SaveError>(StrEq(
                  "save is truncated or damaged at offset 310 (a map of 70000 x 70000 plots is too large)")));
}

}  // namespace
}  // namespace vsl
