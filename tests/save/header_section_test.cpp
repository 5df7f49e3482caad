#include "save/header_section.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/fixture_save.h"

namespace vsl {
namespace {

using testing::SaveDesc;
using testing::SaveWriter;

std::unique_ptr<ParseState> NewState() {
  return std::make_unique<ParseState>();
}

TEST(HeaderSectionTest, PlayTimeRoundsQuartersOfTwoAndThreeUp) {
  EXPECT_EQ(PlayTimeSeconds(14), 4);  // remainder 2 rounds up
  EXPECT_EQ(PlayTimeSeconds(13), 3);  // remainder 1 rounds down
  EXPECT_EQ(PlayTimeSeconds(16), 4);
  EXPECT_EQ(PlayTimeSeconds(15), 4);
  EXPECT_EQ(PlayTimeSeconds(0), 0);
}

TEST(HeaderSectionTest, WalkReadsSettingsAndSlotsAndEndsWhereTheWriterDid) {
  SaveDesc desc;
  desc.version = 101;
  desc.costSetting1 = 4;
  desc.costSetting4 = 5;
  desc.gameSpeed = 1;
  desc.headerText = "Earth";
  desc.listA = {7, 8, 9};
  desc.listB = {1, 0};
  desc.Slot(0).Named("Anna").Civ(19).Leader(3).OnTeam(2).Locked("closed");
  desc.Slot(5).Named("Bert").Civ(7).Leader(-1);
  desc.Slot(18).Leader(0);
  SaveWriter w;
  WriteHeader(w, desc);
  StreamReader r(w.Data());
  auto st = NewState();
  TSaveDataRec row;
  ReadHeaderSection(r, *st, row);

  EXPECT_EQ(r.Pos(), w.Size());
  EXPECT_EQ(st->SaveVersion, 101);
  EXPECT_EQ(st->CostSetting1, 4);
  EXPECT_EQ(st->CostSetting4, 5);
  EXPECT_EQ(st->GameSpeed, 1);  // as read; the game section raises it
  EXPECT_EQ(row.HeaderText, "Earth");
  EXPECT_EQ(row.LockText, "closed");
  const TLeaderInfoRec& s0 = st->LeaderInfo[0];
  EXPECT_EQ(s0.NickName, "Anna");
  EXPECT_EQ(s0.LockText, "closed");
  EXPECT_EQ(s0.CivType, 19);
  EXPECT_EQ(s0.LeaderType, 3);
  EXPECT_EQ(s0.Team, 2);
  EXPECT_EQ(st->LeaderInfo[5].NickName, "Bert");
  EXPECT_EQ(st->LeaderInfo[5].LeaderType, -1);
  EXPECT_EQ(st->LeaderInfo[5].Team, 5);
  EXPECT_EQ(st->LeaderInfo[18].LeaderType, 0);
  EXPECT_EQ(st->LeaderInfo[18].Team, 18);
}

TEST(HeaderSectionTest, ListAConsumesCountAndOneMoreInt32BeforeItsEntries) {
  for (const std::vector<int32_t>& listA : {std::vector<int32_t>{}, std::vector<int32_t>{1, 2, 3}}) {
    SaveDesc desc;
    desc.listA = listA;
    desc.Slot(0).Named("Anna");
    SaveWriter w;
    WriteHeader(w, desc);
    StreamReader r(w.Data());
    auto st = NewState();
    TSaveDataRec row;
    ReadHeaderSection(r, *st, row);
    EXPECT_EQ(r.Pos(), w.Size()) << listA.size();
    EXPECT_EQ(st->LeaderInfo[0].NickName, "Anna") << listA.size();
  }
}

TEST(HeaderSectionTest, FixedPositionsComeFromTheBodyWithoutMovingTheCursor) {
  SaveDesc desc;
  desc.elapsedTurns = 150;
  desc.endTurn = 320;
  desc.playTimeQuarters = 14;
  desc.score = 4321;
  desc.level = 6;
  desc.victoryType = -1;
  desc.gameEnded = 1;
  desc.maxima = {1, 2, 3, 4};
  desc.inits = {5, 6, 7, 8};
  SaveWriter w;
  w.Raw("HEAD");
  WriteGameSection(w, desc);
  StreamReader r(w.Data());
  auto st = NewState();
  TSaveDataRec row;
  ReadFixedPositions(r, 4, *st, row);

  EXPECT_EQ(r.Pos(), 0u);
  EXPECT_EQ(row.ElapsedTurns, 150);
  EXPECT_EQ(st->ElapsedTurns, 150);
  EXPECT_EQ(row.EndTurn, 320);
  EXPECT_EQ(st->EndTurn, 320);
  EXPECT_EQ(row.PlayTime, 4);
  EXPECT_EQ(row.Score, 4321);
  EXPECT_EQ(row.Level, 6);
  EXPECT_EQ(st->Level, 6);
  EXPECT_EQ(row.VictoryType, -1);
  EXPECT_EQ(row.GameEnded, 1);
  EXPECT_EQ(st->MaxPop, 1);
  EXPECT_EQ(st->MaxLand, 2);
  EXPECT_EQ(st->MaxTech, 3);
  EXPECT_EQ(st->MaxWonder, 4);
  EXPECT_EQ(st->InitPop, 5);
  EXPECT_EQ(st->InitLand, 6);
  EXPECT_EQ(st->InitTech, 7);
  EXPECT_EQ(st->InitWonder, 8);
}

TEST(HeaderSectionTest, ScoreIsReadAtBodyOffset361EvenAfterANonEmptyText) {
  SaveDesc desc;
  desc.score = 4321;
  desc.text129 = "AB";  // four bytes: the stored score moves to 365
  SaveWriter w;
  WriteGameSection(w, desc);
  w.PatchInt(361, 77);
  StreamReader r(w.Data());
  auto st = NewState();
  TSaveDataRec row;
  ReadFixedPositions(r, 0, *st, row);
  EXPECT_EQ(row.Score, 77);
}

}  // namespace
}  // namespace vsl
