#include "save/game_section.h"

#include <gtest/gtest.h>

#include <memory>

#include "gamedata/calendar.h"
#include "support/fixture_save.h"

namespace vsl {
namespace {

using testing::SaveDesc;
using testing::SaveWriter;

// Parses the game section written for `desc`; the header values it depends on are set as the header
// walk would set them.
struct Parsed {
  std::unique_ptr<ParseState> st = std::make_unique<ParseState>();
  TSaveDataRec row;
  size_t end = 0;
  size_t written = 0;
};

Parsed ParseGame(const SaveDesc& desc) {
  SaveWriter w;
  WriteGameSection(w, desc);
  w.Int(0x5EC7104);  // what follows the section
  Parsed p;
  p.st->SaveVersion = desc.version;
  p.st->GameSpeed = desc.gameSpeed;
  p.st->ElapsedTurns = desc.elapsedTurns;
  StreamReader r(w.Data());
  ReadGameSection(r, *p.st, p.row);
  p.end = r.Pos();
  p.written = w.Size() - 4;
  EXPECT_EQ(r.ReadInt(), 0x5EC7104);
  return p;
}

TEST(GameSectionTest, EndsWhereTheWriterDidWithEveryListFilled) {
  SaveDesc desc;
  desc.text129 = "Pangaea";
  desc.gameTexts14 = {"one", "two"};
  desc.gameTexts15 = {"three"};
  desc.item16Count = 5;
  desc.item17 = {{2, 0}, {0, 3}, {1, 1}};
  desc.replay = {{"<color=1>Rome</color> was founded", 4}, {"War!", 9}};
  desc.sessionCount = 17;
  const Parsed p = ParseGame(desc);
  EXPECT_EQ(p.end, p.written);
  EXPECT_EQ(p.row.SessionCount, 17);
  EXPECT_EQ(p.st->ReplayMessageCount, 2);
}

TEST(GameSectionTest, AnItem17EntryWithTwoAndNoTriplesTakes13Int32) {
  SaveDesc without, with;
  with.item17 = {{2, 0}};
  SaveWriter a, b;
  WriteGameSection(a, without);
  WriteGameSection(b, with);
  EXPECT_EQ(b.Size() - a.Size(), 13u * 4);
  const Parsed p = ParseGame(with);
  EXPECT_EQ(p.end, p.written);
}

TEST(GameSectionTest, NoReplayMessagesGoesStraightToTheSessionCount) {
  SaveDesc desc;
  desc.sessionCount = 5;
  const Parsed p = ParseGame(desc);
  EXPECT_EQ(p.st->ReplayMessageCount, 0);
  EXPECT_EQ(p.row.SessionCount, 5);
}

TEST(GameSectionTest, GameTurnIsStartPlusElapsedAndIsDated) {
  SaveDesc desc;
  desc.elapsedTurns = 150;
  desc.startTurn = 75;
  desc.gameSpeed = 2;
  const Parsed p = ParseGame(desc);
  EXPECT_EQ(p.row.StartTurn, 75);
  EXPECT_EQ(p.row.GameTurn, 225);
  EXPECT_EQ(p.st->GameTurn, 225);
  EXPECT_EQ(p.row.GameYear, 1500 + 5 * 15);  // speed 2, turn 225
}

TEST(GameSectionTest, VersionsBefore102NumberSpeedsFromTheSecondCalendar) {
  SaveDesc desc;
  desc.elapsedTurns = 100;
  desc.gameSpeed = 0;
  desc.version = 101;
  const Parsed old = ParseGame(desc);
  EXPECT_EQ(old.st->GameSpeed, 1);
  EXPECT_EQ(old.row.GameYear, -1000);  // speed 1, turn 100
  desc.version = 102;
  const Parsed current = ParseGame(desc);
  EXPECT_EQ(current.st->GameSpeed, 0);
  EXPECT_EQ(current.row.GameYear, -2500);  // speed 0, turn 100: -4000 + 15 x 100
}

TEST(GameSectionTest, ATurnBeyondTheCalendarCapsOnlyTheParseStateTurns) {
  SaveDesc desc;
  desc.gameSpeed = 3;
  desc.elapsedTurns = 330;
  const Parsed p = ParseGame(desc);
  EXPECT_EQ(p.row.GameYear, 2060);
  EXPECT_EQ(p.st->ElapsedTurns, 320);
}

TEST(GameSectionTest, EveryReplayMessageIsPassedOverHoweverMany) {
  SaveDesc desc;
  desc.replay.resize(65538, {"<b>Event</b>", 1});
  desc.replay.back().text = std::string(1023, 'x');  // the longest text a count may announce
  desc.sessionCount = 8;
  const Parsed p = ParseGame(desc);
  EXPECT_EQ(p.end, p.written);
  EXPECT_EQ(p.st->ReplayMessageCount, 65538);
  EXPECT_EQ(p.row.SessionCount, 8);
}

}  // namespace
}  // namespace vsl
