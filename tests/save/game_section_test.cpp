#include "save/game_section.h"

#include <gtest/gtest.h>

#include <memory>

#include "gamedata/calendar.h"
#include "support/fixture_save.h"

namespace vsl {
namespace {

using testing::SaveSpec;
using testing::SaveWriter;

// Parses the game section written for `spec`; the header values it depends on are set as the header
// walk would set them.
struct Parsed {
  std::unique_ptr<ParseState> st = std::make_unique<ParseState>();
  TSaveDataRec row;
  size_t end = 0;
  size_t written = 0;
};

Parsed ParseGame(const SaveSpec& spec) {
  SaveWriter w;
  WriteGameSection(w, spec);
  w.Int(0x5EC7104);  // what follows the section
  Parsed p;
  p.st->SaveVersion = spec.version;
  p.st->GameSpeed = spec.gameSpeed;
  p.st->ElapsedTurns = spec.elapsedTurns;
  StreamReader r(w.Data());
  ReadGameSection(r, *p.st, p.row);
  p.end = r.Pos();
  p.written = w.Size() - 4;
  EXPECT_EQ(r.ReadInt(), 0x5EC7104);
  return p;
}

TEST(GameSectionTest, EndsWhereTheWriterDidWithEveryListFilled) {
  SaveSpec spec;
  spec.text129 = "Pangaea";
  spec.gameTexts14 = {"one", "two"};
  spec.gameTexts15 = {"three"};
  spec.item16Count = 5;
  spec.item17 = {{2, 0}, {0, 3}, {1, 1}};
  spec.replay = {{"<color=1>Rome</color> was founded", 4}, {"War!", 9}};
  spec.sessionCount = 17;
  const Parsed p = ParseGame(spec);
  EXPECT_EQ(p.end, p.written);
  EXPECT_EQ(p.row.SessionCount, 17);
  ASSERT_EQ(p.st->ReplayMessageCount, 2);
  ASSERT_EQ(p.st->ReplayMessages.size(), 2u);
  EXPECT_EQ(p.st->ReplayMessages[0].Text, "Rome was founded");
  EXPECT_EQ(p.st->ReplayMessages[0].Value2, 4);
  EXPECT_EQ(p.st->ReplayMessages[1].Text, "War!");
}

TEST(GameSectionTest, AnItem17EntryWithTwoAndNoTriplesTakes13Int32) {
  SaveSpec without, with;
  with.item17 = {{2, 0}};
  SaveWriter a, b;
  WriteGameSection(a, without);
  WriteGameSection(b, with);
  EXPECT_EQ(b.Size() - a.Size(), 13u * 4);
  const Parsed p = ParseGame(with);
  EXPECT_EQ(p.end, p.written);
}

TEST(GameSectionTest, NoReplayMessagesGoesStraightToTheSessionCount) {
  SaveSpec spec;
  spec.sessionCount = 5;
  const Parsed p = ParseGame(spec);
  EXPECT_EQ(p.st->ReplayMessageCount, 0);
  EXPECT_TRUE(p.st->ReplayMessages.empty());
  EXPECT_EQ(p.row.SessionCount, 5);
}

TEST(GameSectionTest, GameTurnIsStartPlusElapsedAndIsDated) {
  SaveSpec spec;
  spec.elapsedTurns = 150;
  spec.startTurn = 75;
  spec.gameSpeed = 2;
  const Parsed p = ParseGame(spec);
  EXPECT_EQ(p.row.StartTurn, 75);
  EXPECT_EQ(p.row.GameTurn, 225);
  EXPECT_EQ(p.st->GameTurn, 225);
  EXPECT_EQ(p.row.GameYear, 1500 + 5 * 15);  // speed 2, turn 225
}

TEST(GameSectionTest, VersionsBefore102NumberSpeedsFromTheSecondCalendar) {
  SaveSpec spec;
  spec.elapsedTurns = 100;
  spec.gameSpeed = 0;
  spec.version = 101;
  const Parsed old = ParseGame(spec);
  EXPECT_EQ(old.st->GameSpeed, 1);
  EXPECT_EQ(old.row.GameYear, -1000);  // speed 1, turn 100
  spec.version = 102;
  const Parsed current = ParseGame(spec);
  EXPECT_EQ(current.st->GameSpeed, 0);
  EXPECT_EQ(current.row.GameYear, -2500);  // speed 0, turn 100: -4000 + 15 x 100
}

TEST(GameSectionTest, ATurnBeyondTheCalendarCapsOnlyTheParseStateTurns) {
  SaveSpec spec;
  spec.gameSpeed = 3;
  spec.elapsedTurns = 330;
  const Parsed p = ParseGame(spec);
  EXPECT_EQ(p.row.GameYear, 2060);
  EXPECT_EQ(p.st->ElapsedTurns, 320);
}

TEST(GameSectionTest, ReplayMessagesBeyondCapacityAreReadButNotKept) {
  SaveSpec spec;
  spec.replay.resize(kReplayCapacity + 2, {"Event", 1});
  spec.replay.back().text = "Last";
  spec.sessionCount = 8;
  const Parsed p = ParseGame(spec);
  EXPECT_EQ(p.end, p.written);
  EXPECT_EQ(p.st->ReplayMessageCount, kReplayCapacity + 2);
  EXPECT_EQ(p.st->ReplayMessages.size(), static_cast<size_t>(kReplayCapacity));
  EXPECT_EQ(p.row.SessionCount, 8);
}

}  // namespace
}  // namespace vsl
