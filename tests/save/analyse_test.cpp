#include "save/analyse.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "save/container.h"
#include "save/game_section.h"
#include "save/header_section.h"
#include "save/map_section.h"
#include "save/player_section.h"
#include "save/save_error.h"
#include "save/team_section.h"
#include "support/fixture_save.h"
#include "support/large_save.h"
#include "support/load_helpers.h"
#include "support/row_text.h"

namespace vsl {
namespace {

using testing::BuildImage;
using ::testing::HasSubstr;
using testing::Plot;
using testing::SaveDesc;
using testing::SplicedSave;
using ::testing::ThrowsMessage;

// One parse and audit with the audit's default settings (decimal point '.').
class AnalyseTest : public ::testing::Test {
 protected:
  AnalyseTest() { edits_.SessionsPerDay = "1.5"; }

  TSaveDataRec& Analyse(const SaveDesc& desc) {
    const SplicedSave save = BuildImage(desc);
    testing::AnalyseAndAudit(save.bytes, save.bodyOffset, row_, *state_, maxima_, edits_, audit_);
    return row_;
  }

  std::unique_ptr<ParseState> state_ = std::make_unique<ParseState>();
  TSaveDataRec row_;
  LadderSettings maxima_;
  AuditEdits edits_;
  AuditSettings audit_;
};

// A small two-player game on an 2 x 2 map, as a base for the tests.
SaveDesc TwoPlayers() {
  SaveDesc desc;
  desc.elapsedTurns = 100;
  desc.startTurn = 0;
  desc.endTurn = 460;
  desc.gameSpeed = 2;
  desc.playTimeQuarters = 4 * 3600;
  desc.sessionCount = 3;
  desc.maxima = {400, 200, 300, 100};
  desc.inits = {10, 10, 10, 10};
  desc.score = 1234;
  desc.Slot(0).Named("Anna").Leader(3).Civ(19);
  desc.Slot(1).Leader(11).Civ(12);
  desc.Team(0).Members(1).Population(30).Land(20).Meets({0, 1}).Knows({0, 25, 79});
  desc.Team(1).Members(1).Population(10).Land(10).Meets({0, 1});
  desc.Player(0).Population(30).Scores(100, 50, 20, 30).Alive().City("TXT_KEY_CITY_NAME_ROME", 900).Units(3);
  desc.Player(1).Population(10).Scores(40, 20, 0, 10).Alive();
  desc.map.Size(2, 2).LandPlots(3).Add(Plot(0, 2)).Add(Plot(0, 1)).Add(Plot(1, 0)).Add(Plot(0, 3));
  return desc;
}

TEST_F(AnalyseTest, FillsTheRowOfSlotZero) {
  const TSaveDataRec& row = Analyse(TwoPlayers());
  EXPECT_EQ(row.NickName, "Anna");
  EXPECT_EQ(row.LeaderType, 3);
  EXPECT_EQ(row.CivType, 19);
  EXPECT_EQ(row.ElapsedTurns, 100);
  EXPECT_EQ(row.GameTurn, 100);
  EXPECT_EQ(row.GameYear, -375);  // speed 2, turn 100: -1000 + 25 x 25
  EXPECT_EQ(row.EndTurn, 460);
  EXPECT_EQ(row.PlayTime, 3600);
  EXPECT_EQ(row.SessionCount, 3);
  EXPECT_EQ(row.Score, 1234);
  EXPECT_EQ(row.Cities, 1);
  EXPECT_EQ(row.Units, 3);
  EXPECT_EQ(row.Techs, 3);
  EXPECT_EQ(row.Culture1, 900);
  EXPECT_EQ(row.CultureScore, 3);
  EXPECT_EQ(row.LandPlots, 2);
  EXPECT_EQ(row.Pop, 30);
  EXPECT_DOUBLE_EQ(static_cast<double>(row.PopPercent), 75.0);
  EXPECT_EQ(row.Land, 20);
  EXPECT_EQ(row.Met, 2);
  EXPECT_EQ(row.Rank, 1);
  EXPECT_EQ(state_->LeaderInfo[1].NickName, "Gandhi");
  EXPECT_EQ(state_->PlayerCount, 2);
}

TEST_F(AnalyseTest, SectionsFollowEachOtherWithoutGaps) {
  SaveDesc desc = TwoPlayers();
  desc.map.filler = Plot(0xFF, 3, "Sea", 1);
  desc.Player(1).Message("Hunting", 4).HistoryPair(1, 3, 3);
  const SplicedSave save = BuildImage(desc);
  testing::SaveWriter game, map, teams;
  WriteGameSection(game, desc);
  WriteMapSection(map, desc.map);
  WriteTeamSection(teams, desc);
  ParseState& st = *state_;
  StreamReader r(save.bytes);
  ReadHeaderSection(r, st, row_);
  EXPECT_EQ(r.Pos(), static_cast<size_t>(save.bodyOffset) - 8);
  r.Seek(static_cast<size_t>(save.bodyOffset));
  ReadGameSection(r, st, row_);
  EXPECT_EQ(r.Pos(), save.bodyOffset + game.Size());
  ReadMapSection(r, st, row_);
  EXPECT_EQ(r.Pos(), save.bodyOffset + game.Size() + map.Size());
  ReadTeamSection(r, st);
  EXPECT_EQ(r.Pos(), save.bodyOffset + game.Size() + map.Size() + teams.Size());
  ReadPlayerSection(r, st);
  EXPECT_EQ(r.Pos(), save.bytes.size());
}

TEST_F(AnalyseTest, ALockedSaveKeepsItsLockText) {
  SaveDesc desc = TwoPlayers();
  desc.Slot(0).Locked("Password");
  EXPECT_EQ(Analyse(desc).LockText, "Password");
  EXPECT_TRUE(row_.Locked());
}

TEST_F(AnalyseTest, AnOldVersionCostsByTheHeaderSpeedAndDatesByTheRaisedOne) {
  SaveDesc desc = TwoPlayers();
  desc.version = 101;
  desc.gameSpeed = 1;         // costs 150 %; calendar and culture of speed 2
  desc.Team(0).techs = {25};  // Fishing, 40, held from the start
  Analyse(desc);
  EXPECT_EQ(state_->Factors.SpeedCostPercent, 150);
  EXPECT_EQ(state_->GameSpeed, 2);
  EXPECT_EQ(row_.GameYear, -375);
  EXPECT_EQ(maxima_.MaxCulture, 50000);
  EXPECT_EQ(row_.ScienceHistory[0], 60);
  EXPECT_EQ(row_.ScienceHistory[100], 60);
}

TEST_F(AnalyseTest, ScienceHistoryOfAGameBeyondItsCalendarStopsAtTheLastTurn) {
  SaveDesc desc = TwoPlayers();
  desc.gameSpeed = 3;
  desc.elapsedTurns = 330;
  desc.Team(0).techs = {25};
  Analyse(desc);
  EXPECT_EQ(row_.ElapsedTurns, 330);
  EXPECT_EQ(row_.GameYear, 2060);
  const int32_t fishing = row_.ScienceHistory[0];
  EXPECT_GT(fishing, 0);
  EXPECT_EQ(row_.ScienceHistory[320], fishing);
  EXPECT_EQ(row_.ScienceHistory[321], 0);
}

TEST_F(AnalyseTest, AMessageDatesATechnologyInTheScienceHistory) {
  SaveDesc desc = TwoPlayers();
  desc.Team(0).techs = {25, 0};  // Fishing held from the start, Mysticism named on turn 30
  desc.Player(0).Message("You have discovered <color=0,255,0>Mysticism</color>!", 30);
  Analyse(desc);
  EXPECT_EQ(state_->TechTurn[0][0], 30);
  EXPECT_EQ(row_.ScienceHistory[0], 40);
  EXPECT_EQ(row_.ScienceHistory[29], 40);
  EXPECT_EQ(row_.ScienceHistory[30], 90);
  EXPECT_EQ(row_.ScienceHistory[100], 90);
}

TEST_F(AnalyseTest, ASecondFileKeepsNothingOfTheFirst) {
  SaveDesc first = TwoPlayers();
  for (int j = 0; j < 5; ++j) first.Player(0).City("Big", 5000);
  first.Player(0).HistoryPair(0, 0, 11).HistoryPair(0, 1, 12).HistoryPair(0, 2, 13);
  first.Player(0).Message("Fishing", 3);
  first.replay = {{"Start", 0}};
  first.Player(1).Population(100);
  first.gameSpeed = 0;
  first.endTurn = 1200;
  Analyse(first);
  ASSERT_EQ(row_.Culture3, 5000);
  ASSERT_EQ(row_.ScoreHistory[2], 13);

  SaveDesc second = TwoPlayers();
  second.Slot(0).Named("").Leader(5);
  second.Player(0).cities.clear();
  second.Player(0).Population(0);
  second.Player(1).Population(0);
  second.Team(0).techs.clear();
  second.Player(0).HistoryPair(0, 0, 21);
  second.gameSpeed = 3;
  second.endTurn = 320;
  second.level = 12;  // outside the factor tables: costs 0
  Analyse(second);
  EXPECT_EQ(row_.NickName, "Brennus");
  EXPECT_EQ(row_.Culture1, 0);
  EXPECT_EQ(row_.Cities, 0);
  EXPECT_EQ(row_.ScoreHistory[0], 21);
  EXPECT_EQ(row_.ScoreHistory[1], 0);
  EXPECT_EQ(row_.PopulationPercent, 0);
  EXPECT_EQ(state_->ReplayMessageCount, 0);
  EXPECT_EQ(state_->TechTurn[0][25], -1);
  EXPECT_EQ(state_->Factors.LevelCostPercent, 0);
  EXPECT_EQ(maxima_.MaxCulture, 25000);
  EXPECT_EQ(maxima_.MaxTurn, 320);
}

TEST_F(AnalyseTest, AuditRunsAtTheEnd) {
  SaveDesc desc = TwoPlayers();
  desc.sessionCount = 0;
  Analyse(desc);
  EXPECT_EQ(row_.PlayDays, 30);  // a file date of 0 lies before the tournament
  EXPECT_EQ(row_.Honesty, 2);
  EXPECT_EQ(audit_.Presessions, 1);
}

TEST_F(AnalyseTest, ATruncatedSaveFailsWithItsOffset) {
  const SplicedSave save = BuildImage(TwoPlayers());
  const std::span<const uint8_t> cut(save.bytes.data(), save.bytes.size() - 100);
  EXPECT_THAT([&] { SaveAnalyse(cut, save.bodyOffset, row_, *state_, maxima_); },
              ThrowsMessage<SaveError>(HasSubstr("save is truncated or damaged at offset")));
  EXPECT_THAT([&] { SaveAnalyse(save.bytes, -1, row_, *state_, maxima_); },
              ThrowsMessage<SaveError>(HasSubstr("no compressed body")));
}

TEST_F(AnalyseTest, AHugeCountFailsFastWithTheCountInTheMessage) {
  SaveDesc desc = TwoPlayers();
  desc.Player(3).messageCount = 2000000000;
  EXPECT_THAT([&] { Analyse(desc); },
              ThrowsMessage<SaveError>(HasSubstr("a count of 2000000000 entries of at least 47 bytes each")));
}

// The reader skips every field it does not keep: a large save parses to the same row whether its
// skipped runs hold zeros or varied values.
TEST_F(AnalyseTest, SkippedFieldsDoNotChangeTheRowOfALargeSave) {
  const SaveDesc desc = testing::MakeLargeSaveDesc(7);
  auto parse = [&](const std::vector<uint8_t>& body) {
    testing::SaveWriter w;
    w.Raw(testing::BuildHeader(desc)).Int(static_cast<int32_t>(body.size())).Raw("BODY");
    const int32_t bodyOffset = static_cast<int32_t>(w.Size());
    w.Raw(body);
    TSaveDataRec row;
    SaveAnalyse(w.Data(), bodyOffset, row, *state_, maxima_);
    return row;
  };
  const TSaveDataRec plain = parse(testing::BuildBody(desc));
  const TSaveDataRec varied = parse(testing::BuildVariedBody(desc, 7));
  EXPECT_EQ(plain.NickName, "Player 7-0");
  EXPECT_GT(plain.Cities, 10);
  EXPECT_EQ(varied.NickName, plain.NickName);
  EXPECT_EQ(varied.Cities, plain.Cities);
  EXPECT_EQ(varied.Units, plain.Units);
  EXPECT_EQ(varied.Techs, plain.Techs);
  EXPECT_EQ(varied.LandPlots, plain.LandPlots);
  EXPECT_EQ(varied.Culture1, plain.Culture1);
  EXPECT_EQ(varied.FinalScore, plain.FinalScore);
  EXPECT_EQ(varied.Rank, plain.Rank);
  EXPECT_EQ(varied.ScienceHistory, plain.ScienceHistory);
  EXPECT_EQ(varied.PowerHistory, plain.PowerHistory);
}

}  // namespace
}  // namespace vsl
