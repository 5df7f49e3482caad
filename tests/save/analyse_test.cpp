#include "save/analyse.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "save/save_error.h"
#include "support/fixture_save.h"

namespace vsl {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;
using testing::BuildImage;
using testing::Plot;
using testing::SaveSpec;
using testing::SplicedSave;

// One parse with the audit's default settings (decimal point '.').
class AnalyseTest : public ::testing::Test {
 protected:
  AnalyseTest() { edits_.SessionsPerDay = "1.5"; }

  TSaveDataRec& Analyse(const SaveSpec& spec) {
    const SplicedSave save = BuildImage(spec);
    SaveAnalyse(save.bytes, save.bodyOffset, row_, *state_, maxima_, edits_, '.', audit_);
    return row_;
  }

  std::unique_ptr<ParseState> state_ = std::make_unique<ParseState>();
  TSaveDataRec row_;
  FileLadderMaxima maxima_;
  AuditEdits edits_;
  AuditSettings audit_;
};

// A small two-player game on an 2 x 2 map, as a base for the tests.
SaveSpec TwoPlayers() {
  SaveSpec spec;
  spec.elapsedTurns = 100;
  spec.startTurn = 0;
  spec.endTurn = 460;
  spec.gameSpeed = 2;
  spec.playTimeQuarters = 4 * 3600;
  spec.sessionCount = 3;
  spec.maxima = {400, 200, 300, 100};
  spec.inits = {10, 10, 10, 10};
  spec.score = 1234;
  spec.Slot(0).Named("Anna").Leader(3).Civ(19);
  spec.Slot(1).Leader(11).Civ(12);
  spec.Team(0).Members(1).Population(30).Land(20).Meets({0, 1}).Knows({0, 25, 79});
  spec.Team(1).Members(1).Population(10).Land(10).Meets({0, 1});
  spec.Player(0).Population(30).Scores(100, 50, 20, 30).Alive().City("TXT_KEY_CITY_NAME_ROME", 900).Units(3);
  spec.Player(1).Population(10).Scores(40, 20, 0, 10).Alive();
  spec.map.Size(2, 2).LandPlots(3).Add(Plot(0, 2)).Add(Plot(0, 1)).Add(Plot(1, 0)).Add(Plot(0, 3));
  return spec;
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

}  // namespace
}  // namespace vsl
