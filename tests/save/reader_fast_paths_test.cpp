// The block-at-a-time readers against plain character-by-character references: the texts as kept,
// the markup cut, the cursor after them, the technology names found in messages, runs cut short; and
// a parse state reused from file to file against a fresh one.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "gamedata/tables.h"
#include "save/analyse.h"
#include "save/container.h"
#include "save/player_items.h"
#include "save/save_error.h"
#include "save/stream_reader.h"
#include "support/fixture_save.h"
#include "support/large_save.h"
#include "support/load_helpers.h"
#include "support/row_text.h"
#include "support/save_writer.h"

namespace vsl {
namespace {

using testing::SaveWriter;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

// A wide text read one character at a time: the count, the width told by the second byte, the low
// bytes up to the first zero.
struct ReferenceText {
  std::string text;
  size_t end = 0;  // cursor after the text
};
ReferenceText ReadReference(const std::vector<uint8_t>& image) {
  int32_t n = 0;
  std::memcpy(&n, image.data(), 4);
  if (n < 1 || n > kMaxTextCount) return {"", 4};
  const size_t step = n == 1 || image[5] < 20 ? 2 : 1;
  ReferenceText r{"", 4 + step * static_cast<size_t>(n)};
  for (size_t k = 0; k < static_cast<size_t>(n) && image[4 + step * k] != 0; ++k) {
    r.text += static_cast<char>(image[4 + step * k]);
  }
  return r;
}

std::string WithoutMarkup(const std::string& text) {
  std::string out;
  bool inSpan = false;
  for (char c : text) {
    if (inSpan) {
      inSpan = c != '>';
    } else if (c == '<') {
      inSpan = true;
    } else {
      out += c;
    }
  }
  return out;
}

// Texts of every length around the block size and some longer ones, of characters among which markup
// and zeros are frequent, in both widths; some end the image, some have fields behind them.
TEST(ReaderFastPathsTest, WideTextsMatchTheCharacterByCharacterReading) {
  std::mt19937 rng(20240601);
  const std::string alphabet = "ab <<>>cZ\x01\x7f\xe9";
  std::vector<int> lengths;
  for (int n = 0; n <= 70; ++n) lengths.push_back(n);
  for (int n : {95, 96, 97, 200, 1000, 1023, 1024}) lengths.push_back(n);
  std::string reused;  // one buffer for all texts, as the parse reuses its records' texts
  int checked = 0;
  for (int round = 0; round < 12; ++round) {
    for (int n : lengths) {
      if (round % 2 == 1 && n == 1) continue;  // one character is always read as 16-bit
      std::vector<uint16_t> chars(static_cast<size_t>(n));
      for (uint16_t& c : chars) {
        const uint8_t low = rng() % 40 == 0 ? 0 : static_cast<uint8_t>(alphabet[rng() % alphabet.size()]);
        c = static_cast<uint16_t>(low | (rng() % 4 == 0 ? (rng() % 19) << 8 : 0));
      }
      SaveWriter w;
      if (round % 2 == 0) {
        w.WStr16(chars);
      } else {
        std::string narrow;
        for (uint16_t c : chars) narrow += static_cast<char>(c & 0xFF);
        if (narrow.size() > 1) narrow[1] = 'x';  // read as 8-bit characters
        w.WStr8(narrow);
      }
      if (round % 3 != 0) {
        // Fields behind the text: characters, markup and zeros that are not the text's.
        w.Ints(static_cast<int64_t>(rng() % 12), 0x3C3E3C41)
            .Int(0)
            .Ints(static_cast<int64_t>(rng() % 12), 0x3E00);
      }
      const std::vector<uint8_t>& image = w.Data();
      const ReferenceText expected = ReadReference(image);
      SCOPED_TRACE("round " + std::to_string(round) + ", length " + std::to_string(n));

      StreamReader plain(image);
      plain.ReadUStr(reused);
      EXPECT_EQ(reused, expected.text);
      EXPECT_EQ(plain.Pos(), expected.end);

      StreamReader cut(image);
      cut.ReadUStrWithoutMarkup(reused);
      EXPECT_EQ(reused, WithoutMarkup(expected.text));
      EXPECT_EQ(reused, WithoutMarkup(expected.text));
      EXPECT_EQ(cut.Pos(), expected.end);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 12 * static_cast<int>(lengths.size()) - 6);
}

TEST(ReaderFastPathsTest, TechnologyNamesAreFoundWhereverTheyStand) {
  std::mt19937 rng(7);
  const std::vector<std::string> noise = {"the ", "a", "Z", "x", "<", " ", "Bronze", "M", "\xc0", "ics"};
  for (int round = 0; round < 400; ++round) {
    std::string text;
    const int parts = static_cast<int>(rng() % 12);
    for (int i = 0; i < parts; ++i) {
      if (rng() % 3 == 0) {
        text += TechInfo[rng() % TechInfo.size()].Name;
      } else {
        text += noise[rng() % noise.size()];
      }
    }
    std::array<int32_t, kTechs> found;
    found.fill(-1);
    DateTechsNamedIn(text, round, found);
    for (size_t k = 0; k < kTechs; ++k) {
      const bool named = text.find(TechInfo[k].Name) != std::string::npos;
      EXPECT_EQ(found[k], named ? round : -1) << '"' << text << "\" technology " << k;
    }
  }
}

// A run of fields read at once fails where reading its fields one by one would.
TEST(ReaderFastPathsTest, ARunCutShortFailsAtItsFirstMissingField) {
  SaveWriter w;
  w.Ints(3, 7).Byte(1);
  std::array<int32_t, 5> ints{};
  StreamReader r(w.Data());
  EXPECT_THAT([&] { r.ReadInts(ints); },
              ThrowsMessage<SaveError>(
                  StrEq("save is truncated or damaged at offset 12 (int32 needs 4 bytes, 1 left)")));
  std::array<int32_t, 14> bools{};
  StreamReader b(w.Data());
  EXPECT_THAT([&] { b.ReadBools(bools); },
              ThrowsMessage<SaveError>(
                  StrEq("save is truncated or damaged at offset 13 (bool needs 1 bytes, 0 left)")));
  std::array<int32_t, 3> fit{};
  StreamReader f(w.Data());
  f.ReadInts(fit);
  EXPECT_EQ(fit[2], 7);
  EXPECT_EQ(f.Pos(), 12u);
}

// A block of fixed fields reads what the fields read one by one, and a block cut short fails at the
// field reading one by one would fail at.
TEST(ReaderFastPathsTest, ABlockOfFieldsReadsAndFailsLikeItsFields) {
  SaveWriter w;
  w.Int(-5).Short(300).Byte(0xFE).Bool(2).Ints(2, 9).Int(77);
  const auto readFields = [](auto& f, std::vector<int32_t>& out) {
    out.push_back(f.ReadInt());
    out.push_back(f.ReadShort());
    out.push_back(f.ReadChar());
    out.push_back(f.ReadBool());
    f.Skip(Int32, 2);
  };
  std::vector<int32_t> got;
  StreamReader r(w.Data());
  r.ReadBlock(16, [&](auto& f) { readFields(f, got); });
  EXPECT_THAT(got, ::testing::ElementsAre(-5, 300, 0xFE, 2));
  EXPECT_EQ(r.Pos(), 16u);
  EXPECT_EQ(r.ReadInt(), 77);

  const std::span<const uint8_t> cut(w.Data().data(), 11);
  StreamReader c(cut);
  EXPECT_THAT([&] { c.ReadBlock(16, [&](auto& f) { readFields(f, got); }); },
              ThrowsMessage<SaveError>(
                  StrEq("save is truncated or damaged at offset 8 (int32 needs 8 bytes, 3 left)")));
}

// A state that parsed large files before parses the next file as a fresh state does: the record
// lists, texts and histories it keeps for reuse never show through.
TEST(ReaderFastPathsTest, AReusedStateParsesAsAFreshOne) {
  AuditEdits edits;
  edits.SessionsPerDay = "1.5";
  auto parse = [&](const std::vector<uint8_t>& file, ParseState& state) {
    const UnwrappedSave save = testing::Unwrapped(file);
    TSaveDataRec row;
    LadderSettings maxima;
    AuditSettings audit;
    testing::AnalyseAndAudit(save.Image, save.BodyOffset, row, state, maxima, edits, audit);
    return row;
  };
  testing::SaveDesc small;
  small.elapsedTurns = 30;
  small.endTurn = 460;
  small.Slot(0).Named("Small").Leader(2);
  small.Team(0).Members(1).Knows({1, 2});
  small.Player(0).Alive().City("TXT_KEY_CITY_NAME_ROME", 70).Message("<b>Bronze Working</b>", 9);
  small.Player(0).HistoryPair(0, 3, 5);
  small.map.Size(1, 1).LandPlots(1).Add(testing::Plot(0, 1));
  const std::vector<uint8_t> files[] = {testing::BuildLargeSaveFile(11), testing::BuildSaveFile(small),
                                        testing::BuildLargeSaveFile(12)};

  auto reused = std::make_unique<ParseState>();
  parse(testing::BuildLargeSaveFile(10), *reused);
  for (const std::vector<uint8_t>& file : files) {
    auto fresh = std::make_unique<ParseState>();
    EXPECT_EQ(parse(file, *reused), parse(file, *fresh));
  }
}

}  // namespace
}  // namespace vsl
