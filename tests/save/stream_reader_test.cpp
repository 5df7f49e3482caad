#include "save/stream_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "save/save_error.h"
#include "support/save_writer.h"

namespace vsl {
namespace {

using testing::SaveWriter;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

TEST(StreamReaderTest, ReadsLittleEndianFieldsAndAdvances) {
  SaveWriter w;
  w.Int(-2).Short(-3).Byte(0xFE).Bool(7);
  StreamReader r(w.Data());
  EXPECT_EQ(r.ReadInt(), -2);
  EXPECT_EQ(r.ReadShort(), -3);
  EXPECT_EQ(r.ReadChar(), 0xFE);
  EXPECT_EQ(r.ReadBool(), 7);
  EXPECT_EQ(r.Pos(), 8u);
  EXPECT_EQ(r.Remaining(), 0u);
}

TEST(StreamReaderTest, TextCountsOutsideOneTo1023GiveEmptyTextAndMoveFourBytes) {
  for (int32_t count : {0, -1, 1024, 0x7fffffff}) {
    SaveWriter w;
    w.Int(count).Int(42);
    StreamReader r(w.Data());
    EXPECT_EQ(r.ReadUStr(), "") << count;
    EXPECT_EQ(r.Pos(), 4u) << count;
    EXPECT_EQ(r.ReadInt(), 42) << count;  // the next field is read from the character bytes
  }
}

TEST(StreamReaderTest, CountOf1023ReadsTheText) {
  SaveWriter w;
  w.WStr8(std::string(1023, 'x'));
  StreamReader r(w.Data());
  EXPECT_EQ(r.ReadUStr(), std::string(1023, 'x'));
  EXPECT_EQ(r.Pos(), 1027u);
}

TEST(StreamReaderTest, ZeroByteEndsTextButCursorPassesAllCharacters) {
  SaveWriter w;
  w.WStr8(std::string("ab\0cd", 5));
  StreamReader r(w.Data());
  EXPECT_EQ(r.ReadUStr(), "ab");
  EXPECT_EQ(r.Pos(), 9u);
}

TEST(StreamReaderTest, WideTextChoosesStepFromSecondByte) {
  SaveWriter w16, w8, w1;
  w16.WStr("AB");
  w8.WStr8("AB");
  w1.WStr("A");
  StreamReader r16(w16.Data()), r8(w8.Data()), r1(w1.Data());
  EXPECT_EQ(r16.ReadUStr(), "AB");
  EXPECT_EQ(r16.Pos(), 8u);
  EXPECT_EQ(r8.ReadUStr(), "AB");
  EXPECT_EQ(r8.Pos(), 6u);
  EXPECT_EQ(r1.ReadUStr(), "A");  // one character is always 16-bit
  EXPECT_EQ(r1.Pos(), 6u);
}

TEST(StreamReaderTest, WideTextKeepsLowBytesAndStopsAtZeroLowByte) {
  const uint16_t chars[] = {0x0141, 0x0542, 0x0100, 0x0043};
  SaveWriter w;
  w.WStr16(chars);
  StreamReader r(w.Data());
  EXPECT_EQ(r.ReadUStr(), "AB");
  EXPECT_EQ(r.Pos(), 12u);
  // The high byte 0x14 (20) is not below 20: the text is read as 8-bit characters.
  const uint16_t high20[] = {0x1441, 0x0042};
  SaveWriter w2;
  w2.WStr16(high20);
  StreamReader r2(w2.Data());
  EXPECT_EQ(r2.ReadUStr(), std::string("A\x14", 2));
  EXPECT_EQ(r2.Pos(), 6u);
}

TEST(StreamReaderTest, EveryReadPastTheEndThrowsWithOffset) {
  SaveWriter w;
  w.Short(1);
  StreamReader r(w.Data());
  EXPECT_THAT([&] { r.ReadInt(); },
              ThrowsMessage<SaveError>(
                  StrEq("save is truncated or damaged at offset 0 (int32 needs 4 bytes, 2 left)")));
  r.Skip(Int16, 1);
  EXPECT_THROW(r.ReadChar(), SaveError);
  EXPECT_THROW(r.ReadBool(), SaveError);
  EXPECT_THROW(r.ReadShort(), SaveError);
  EXPECT_THROW(r.Skip(Byte, 1), SaveError);
  EXPECT_THROW(r.IntAt(0), SaveError);

  SaveWriter t;
  t.Int(5).Raw("abc");
  StreamReader rt(t.Data());
  EXPECT_THAT([&] { rt.SkipStr(); },
              ThrowsMessage<SaveError>(
                  StrEq("save is truncated or damaged at offset 4 (text needs 5 bytes, 3 left)")));
}

TEST(StreamReaderTest, SkipRunsAndFixedPositions) {
  SaveWriter w;
  w.Ints(3, 9).Bools(2).Int(77);
  StreamReader r(w.Data());
  constexpr FieldRun kRuns[] = {{Int32, 3}, {Bool, 2}};
  r.Skip(kRuns);
  EXPECT_EQ(r.Pos(), 14u);
  EXPECT_EQ(r.IntAt(4), 9);
  EXPECT_EQ(r.Pos(), 14u);
  EXPECT_EQ(r.ReadInt(), 77);
}

TEST(StreamReaderTest, RequireEntriesGuardsHugeCounts) {
  SaveWriter w;
  w.Ints(4);
  StreamReader r(w.Data());
  EXPECT_NO_THROW(r.RequireEntries(4, 4));
  EXPECT_NO_THROW(r.RequireEntries(-5, 4));
  EXPECT_THROW(r.RequireEntries(5, 4), SaveError);
  EXPECT_THROW(r.RequireEntries(0x7fffffff, 715), SaveError);
}

}  // namespace
}  // namespace vsl
