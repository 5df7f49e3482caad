#include "scoring/ladder.h"

#include <gtest/gtest.h>

#include <vector>

#include "scoring/errors.h"

namespace vsl {
namespace {

// Settings under which only the population counts, at face value on game turn 0 (every target is 1).
LadderSettings PopOnly() {
  return {.MaxPop = 400,
          .MaxTurn = 460,
          .PopFactor = 1,
          .LandFactor = 0,
          .TechFactor = 0,
          .WonderFactor = 0,
          .CultureFactor = 0,
          .MTechFactor = 0,
          .TurnFactor = 0};
}

TSaveDataRec RowWithResult(int32_t result, int32_t level) {
  TSaveDataRec row;
  row.PopScore = result;
  row.Level = level;
  return row;
}

TEST(LadderTest, ComponentsGrowTowardsTheirMaximaOverTheGame) {
  const LadderSettings s{.MaxPop = 400,
                         .MaxLand = 100,
                         .MaxTech = 60,
                         .MaxWonder = 5,
                         .MaxCulture = 50000,
                         .MaxMTech = 150,
                         .MaxTurn = 460};
  TSaveDataRec row;
  row.PopScore = 100;
  row.LandScore = 100;
  row.TechScore = 30;
  row.WonderScore = 0;
  row.CultureScore = 250;  // 2.5 hundreds against 500
  row.MTechScore = 150;
  row.ElapsedTurns = 460;
  row.GameTurn = 230;
  LadderScoreCalc(row, s, 5, 15);
  EXPECT_EQ(row.FPop, 12500);  // t = 20
  row.GameTurn = 460;
  LadderScoreCalc(row, s, 5, 15);
  EXPECT_EQ(row.FPop, 625);
  EXPECT_EQ(row.FLand, 2500);
  EXPECT_EQ(row.FTech, 1250);
  EXPECT_EQ(row.FWonder, 0);
  EXPECT_EQ(row.FCulture, 12);  // 2500 x 2.5 / 500 = 12.5, a tie to even
  EXPECT_EQ(row.FMTech, 5000);
  EXPECT_EQ(row.FTurn, 2500);  // all turns played earn the full factor
  EXPECT_EQ(row.Result, 625 + 2500 + 1250 + 0 + 12 + 5000 + 2500);
  EXPECT_EQ(row.Penalty, 0);
  row.GameTurn = 0;
  LadderScoreCalc(row, s, 5, 15);
  EXPECT_EQ(row.FPop, 250000);

  // The Turn component counts the turns played, not the game turn.
  row.GameTurn = 460;
  row.ElapsedTurns = 230;
  LadderScoreCalc(row, s, 5, 15);
  EXPECT_EQ(row.FTurn, 1250);
}

// Whatever the factor: past turn 0 the five zero maxima of these settings each give -1.
TEST(LadderTest, AMaximumOfZeroGivesMinusOneIntoTheSum) {
  LadderSettings s = PopOnly();
  s.MaxPop = 0;
  TSaveDataRec row = RowWithResult(100, 5);
  row.GameTurn = 1;
  LadderScoreCalc(row, s, 5, 15);
  EXPECT_EQ(row.FPop, -1);
  EXPECT_EQ(row.FLand, -1);
  EXPECT_EQ(row.FCulture, -1);
  EXPECT_EQ(row.FMTech, 0);
  EXPECT_EQ(row.Result, -5);
  EXPECT_EQ(row.LadderFinal, 0);
}

TEST(LadderTest, ANegativeMaximumFailsUnlessTheExponentIsWhole) {
  LadderSettings s = PopOnly();
  s.MaxPop = -400;
  TSaveDataRec row = RowWithResult(100, 5);
  row.GameTurn = 230;
  EXPECT_THROW(LadderScoreCalc(row, s, 5, 15), MathError);
  row.GameTurn = 460;
  LadderScoreCalc(row, s, 5, 15);
  EXPECT_EQ(row.FPop, -1);
}

TEST(LadderTest, DifficultyBonusAgainstTheBaseLevel) {
  TSaveDataRec row = RowWithResult(20000, 6);
  LadderScoreCalc(row, PopOnly(), 5, 15);
  EXPECT_EQ(row.Result, 20000);
  EXPECT_EQ(row.Bonus, 3000);
  EXPECT_EQ(row.LadderFinal, 23000);

  row.Level = 3;
  LadderScoreCalc(row, PopOnly(), 5, 15);
  EXPECT_EQ(row.Bonus, -6000);
  EXPECT_EQ(row.LadderFinal, 14000);

  row.Level = 0;
  LadderScoreCalc(row, PopOnly(), 5, 50);
  EXPECT_EQ(row.Bonus, -50000);
  EXPECT_EQ(row.LadderFinal, 0);
}

TEST(LadderTest, BonusDivisionTruncatesTowardZero) {
  TSaveDataRec row = RowWithResult(7, 6);
  LadderScoreCalc(row, PopOnly(), 5, 15);
  EXPECT_EQ(row.Bonus, 1);  // 105 div 100
  EXPECT_EQ(row.LadderFinal, 8);
  row.Level = 4;
  LadderScoreCalc(row, PopOnly(), 5, 15);
  EXPECT_EQ(row.Bonus, -1);  // -105 div 100
  EXPECT_EQ(row.LadderFinal, 6);
}

// The bonus product is 32-bit: 200 x 20000000 keeps its low 32 bits (-294967296).
TEST(LadderTest, BonusProductWrapsAt32Bits) {
  TSaveDataRec row = RowWithResult(20000000, 8);
  LadderScoreCalc(row, PopOnly(), 0, 25);
  EXPECT_EQ(row.Bonus, -2949672);
  EXPECT_EQ(row.LadderFinal, 17050328);
}

TEST(LadderTest, NormaIsTheShareOfTheBestRow) {
  std::vector<TSaveDataRec> rows(3);
  rows[0].LadderFinal = 50;
  rows[1].LadderFinal = 200;
  rows[2].LadderFinal = 0;
  LadderNormalize(rows);
  EXPECT_EQ(rows[0].Norma, 0.25L);
  EXPECT_EQ(rows[1].Norma, 1.0L);
  EXPECT_EQ(rows[2].Norma, 0.0L);

  rows[1].LadderFinal = 150;
  LadderNormalize(rows);
  EXPECT_EQ(rows[0].Norma, 50.0L / 150);

  for (TSaveDataRec& r : rows) r.LadderFinal = 0;
  LadderNormalize(rows);
  for (const TSaveDataRec& r : rows) EXPECT_EQ(r.Norma, 0.0L);

  LadderNormalize(std::span<TSaveDataRec>());
}

}  // namespace
}  // namespace vsl
