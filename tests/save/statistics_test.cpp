#include "save/statistics.h"

#include <gtest/gtest.h>

#include <memory>

#include "gamedata/factors.h"
#include "gamedata/tables.h"
#include "scoring/game_score.h"

namespace vsl {
namespace {

size_t Tech(std::string_view name) {
  for (size_t k = 0; k < TechInfo.size(); ++k) {
    if (TechInfo[k].Name == name) return k;
  }
  ADD_FAILURE() << "no technology " << name;
  return 0;
}

// A parse state as the sections leave it: every slot alone on the team of its number, cost factors of
// 100 % each, nothing dated.
class StatisticsTest : public ::testing::Test {
 protected:
  StatisticsTest() {
    for (int p = 0; p < kSlots; ++p) {
      st_->LeaderInfo[At(p)].Team = p;
      st_->LeaderInfo[At(p)].LeaderType = -1;
      st_->TeamMembers[At(p)] = 1;
      st_->TechTurn[At(p)].fill(-1);
    }
    st_->MaxPop = 400, st_->MaxLand = 200, st_->MaxTech = 300, st_->MaxWonder = 100;
    st_->EndTurn = 460;
    st_->GameSpeed = 2;
    st_->Factors = MakeCostFactors(3, 0, 2, 0);
  }

  static size_t At(int i) { return static_cast<size_t>(i); }
  void Name(int p, const char* name) { st_->LeaderInfo[At(p)].NickName = name; }
  void Run() { SaveStatistics(*st_, row_, maxima_); }

  std::unique_ptr<ParseState> st_ = std::make_unique<ParseState>();
  TSaveDataRec row_;
  LadderSettings maxima_;
};

TEST_F(StatisticsTest, EmptyNamesTakeTheLeaderNameAndBarbariansDoNotCount) {
  st_->LeaderInfo[0].LeaderType = 3;
  st_->LeaderInfo[1].LeaderType = 37;  // no such leader
  st_->LeaderInfo[2].LeaderType = -5;
  Name(4, "Carl");
  st_->LeaderInfo[18].LeaderType = 0;
  Run();
  EXPECT_EQ(row_.NickName, "Augustus");
  EXPECT_EQ(st_->LeaderInfo[1].NickName, "");
  EXPECT_EQ(st_->LeaderInfo[2].NickName, "");
  EXPECT_EQ(st_->LeaderInfo[18].NickName, "Barbarian");
  EXPECT_EQ(st_->PlayerCount, 2);  // slots 0 and 4
}

TEST_F(StatisticsTest, PopulationSharesAreZeroWithoutPopulation) {
  st_->PopulationShare.fill(99);
  Run();
  EXPECT_EQ(st_->PopulationShare[0], 0);
  EXPECT_EQ(row_.PopulationPercent, 0);
  EXPECT_EQ(row_.PopPercent, 0);
  EXPECT_EQ(row_.LandPercent, 0);

  st_->Population[0] = 30;
  st_->Population[5] = 10;
  st_->TeamPopulation[0] = 30;
  st_->TeamLand[0] = 5;
  st_->TotalLandPlots = 40;
  Run();
  EXPECT_EQ(st_->TotalPopulation, 40);
  EXPECT_DOUBLE_EQ(st_->PopulationShare[5], 25.0);
  EXPECT_EQ(row_.Population, 30);
  EXPECT_DOUBLE_EQ(static_cast<double>(row_.PopulationPercent), 75.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(row_.PopPercent), 75.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(row_.LandPercent), 12.5);
}

TEST_F(StatisticsTest, CultureRanksTheFirst500CitiesOfSlotZero) {
  st_->CityCount[0] = 600;
  for (int j = 0; j < kCityCapacity; ++j) st_->CityCulture[0][At(j)] = j;
  st_->CityCulture[0][500] = 100000;  // the 501st city is not ranked
  Run();
  EXPECT_EQ(row_.Culture1, 499);
  EXPECT_EQ(row_.Culture2, 498);
  EXPECT_EQ(row_.Culture3, 497);
  EXPECT_EQ(row_.CultureScore, 5);  // 498 / 100
  EXPECT_EQ(row_.Cities, 600);
}

TEST_F(StatisticsTest, CultureScoreIsTheMeanOfThreeRoundedHalfToEven) {
  st_->CityCount[0] = 1;
  st_->CityCulture[0][0] = 900;
  Run();
  EXPECT_EQ(row_.Culture1, 900);
  EXPECT_EQ(row_.Culture2, 0);
  EXPECT_EQ(row_.CultureScore, 3);  // 900 / 3 = 300
  EXPECT_EQ(CultureScoreOf(250, 250, 250), 2);
  EXPECT_EQ(CultureScoreOf(350, 350, 350), 4);
  EXPECT_EQ(CultureScoreOf(700, 50, 0), 2);  // mean 250
  EXPECT_EQ(CultureScoreOf(0, 0, 0), 0);
}

TEST_F(StatisticsTest, TeamZeroGainsHalfOfItsVassalTeams) {
  st_->TeamPopulation[0] = 20;
  st_->TeamLand[0] = 11;
  st_->TeamPopulation[3] = 10;
  st_->TeamLand[3] = 7;
  st_->IsVassal[3][0] = 1;
  st_->Population[0] = 20;
  st_->Population[3] = 10;
  Run();
  EXPECT_EQ(row_.Pop, 25);
  EXPECT_EQ(row_.Land, 14);
  EXPECT_EQ(st_->TeamPopWithVassals[3], 5);
  EXPECT_EQ(st_->TeamLandWithVassals[3], 3);
  EXPECT_DOUBLE_EQ(static_cast<double>(row_.PopPercent), 25 * 100.0 / 30);
  EXPECT_EQ(row_.Vassals, 1);
}

TEST_F(StatisticsTest, TeamZeroAsAVassalKeepsHalf) {
  st_->TeamPopulation[0] = 21;
  st_->TeamLand[0] = 9;
  st_->IsVassal[0][4] = 1;
  Run();
  EXPECT_EQ(row_.Pop, 10);
  EXPECT_EQ(row_.Land, 4);
  EXPECT_EQ(st_->TeamPopWithVassals[4], 10);
  EXPECT_EQ(row_.Vassals, 0);
}

TEST_F(StatisticsTest, AVassalSlotsScoresAreSharedAmongItsMastersMembers) {
  st_->LeaderInfo[1].Team = 0;
  st_->TeamMembers[0] = 2;
  st_->IsVassal[2][0] = 1;
  st_->Alive = {1, 1, 1};
  st_->PopScoreRaw[0] = 100, st_->PopScoreRaw[1] = 60, st_->PopScoreRaw[2] = 41;
  st_->LandScoreRaw[2] = 9;
  Run();
  EXPECT_EQ(st_->PopScore[0], 110);
  EXPECT_EQ(st_->PopScore[1], 70);
  EXPECT_EQ(st_->PopScore[2], 20);
  EXPECT_EQ(st_->LandScore[0], 2);  // 4 / 2
  EXPECT_EQ(st_->LandScore[2], 4);
  EXPECT_EQ(row_.PopScore, 110);
  EXPECT_EQ(row_.Vassals, 1);
  const ScoreReference ref{400, 200, 300, 100, 0, 0, 0, 0};
  EXPECT_EQ(st_->PlayerScore[2], gPlayerScore({20, 4, 0, 0}, 1, ref, ScoreWeights{}));
}

TEST_F(StatisticsTest, ADeadVassalSharesNothing) {
  st_->IsVassal[2][0] = 1;
  st_->Alive[0] = 1;
  st_->PopScoreRaw[0] = 100;
  st_->PopScoreRaw[2] = 41;
  Run();
  EXPECT_EQ(st_->PopScore[0], 100);
  EXPECT_EQ(st_->PopScore[2], 41);
}

TEST_F(StatisticsTest, AVassalSlotBeforeItsMasterIsScoredOnItsWholeValues) {
  st_->IsVassal[0][1] = 1;
  st_->Alive = {1, 1};
  st_->PopScoreRaw[0] = 80;
  Run();
  const ScoreReference ref{400, 200, 300, 100, 0, 0, 0, 0};
  EXPECT_EQ(st_->PlayerScore[0], gPlayerScore({80, 0, 0, 0}, 1, ref, ScoreWeights{}));
  EXPECT_EQ(row_.PopScore, 40);
  EXPECT_EQ(st_->PopScore[1], 40);
}

TEST_F(StatisticsTest, RankCountsMetPlayersWithAHigherScoreTiesIncluded) {
  for (int p : {0, 1, 2}) Name(p, "P");
  st_->Alive = {1, 1, 1, 1};
  st_->HasMet[0][0] = st_->HasMet[0][1] = st_->HasMet[0][2] = st_->HasMet[0][3] = 1;
  st_->PopScoreRaw[0] = 100;
  st_->PopScoreRaw[1] = 100;  // a tie does not push the rank down
  st_->PopScoreRaw[3] = 400;  // slot 3 has no name, so it lies beyond PlayerCount
  Run();
  EXPECT_EQ(row_.Met, 3);
  EXPECT_EQ(row_.Rank, 1);

  st_->PopScoreRaw[2] = 200;
  Run();
  EXPECT_EQ(row_.Rank, 2);

  st_->HasMet[0][2] = 0;  // the higher one not met
  Run();
  EXPECT_EQ(row_.Met, 2);
  EXPECT_EQ(row_.Rank, 1);
}

TEST_F(StatisticsTest, LateTechnologyScoreCountsEraSixAndRepeats) {
  st_->HasTech[0][Tech("Computers")] = 1;
  st_->HasTech[0][Tech("Fusion")] = 1;
  st_->HasTech[0][Tech("Fishing")] = 1;
  st_->HasTech[0][Tech("Future Tech")] = 1;  // era 7
  st_->LastTechCount[0] = 3;
  st_->TechCount[0] = 7;
  Run();
  EXPECT_EQ(row_.MTechScore, 50);
  EXPECT_EQ(row_.Techs, 7);
}

TEST_F(StatisticsTest, ScienceHistoryAddsCostsByTurnAndRunsUpToTheTurnsPlayed) {
  st_->TeamMembers[0] = 2;                   // 150 %
  st_->TechTurn[0][Tech("Fishing")] = 0;     // 40
  st_->TechTurn[0][Tech("Mysticism")] = 30;  // 50
  st_->TechTurn[0][Tech("Mining")] = 30;     // 50
  st_->TechTurn[0][Tech("Archery")] = 1200;  // 60, the last entry
  st_->TechTurn[0][Tech("Masonry")] = 1201;  // no entry
  st_->ElapsedTurns = 40;
  row_.ScienceHistory.fill(7);
  Run();
  const History& h = row_.ScienceHistory;
  EXPECT_EQ(h[0], 60);
  EXPECT_EQ(h[29], 60);
  EXPECT_EQ(h[30], 210);
  EXPECT_EQ(h[40], 210);
  EXPECT_EQ(h[41], 0);  // beyond the turns played: not summed
  EXPECT_EQ(h[1200], 90);
}

TEST_F(StatisticsTest, HistoriesAreCopiedUpToThePairCountAndZeroBeyond) {
  st_->HistoryCount[0][0] = 3;
  st_->History[0][0] = {};
  st_->History[0][0][0] = 5, st_->History[0][0][1] = 6, st_->History[0][0][2] = 7, st_->History[0][0][3] = 8;
  st_->HistoryCount[4][0] = -2;
  st_->History[4][0][0] = 9;
  row_.ScoreHistory.fill(1);
  row_.PowerHistory.fill(1);
  Run();
  EXPECT_EQ(row_.ScoreHistory[2], 7);
  EXPECT_EQ(row_.ScoreHistory[3], 0);
  EXPECT_EQ(row_.PowerHistory[0], 0);
}

TEST_F(StatisticsTest, ASlotZeroTeamOutsideTheTablesMeetsNobodyAndCountsAsOneMember) {
  st_->LeaderInfo[0].Team = 19;
  Name(0, "Anna");
  st_->IsVassal[3][18] = 1;
  st_->TechTurn[0][Tech("Fishing")] = 0;
  st_->ElapsedTurns = 1;
  Run();
  EXPECT_EQ(row_.Met, 0);
  EXPECT_EQ(row_.Rank, 1);
  EXPECT_EQ(row_.Vassals, 0);
  EXPECT_EQ(row_.ScienceHistory[1], 40);  // one member pays 100 %
}

TEST_F(StatisticsTest, LadderSettingsOfTheFile) {
  st_->EndTurn = 660;
  for (auto [speed, culture] :
       {std::pair{0, 150000}, {1, 75000}, {2, 50000}, {3, 25000}, {4, 50000}, {-1, 50000}}) {
    st_->GameSpeed = speed;
    Run();
    EXPECT_EQ(maxima_.MaxCulture, culture) << speed;
    EXPECT_EQ(maxima_.MaxTurn, 660);
    EXPECT_EQ(maxima_.MaxPop, 400);
    EXPECT_EQ(maxima_.MaxWonder, 100);
  }
}

}  // namespace
}  // namespace vsl
