#include "gamedata/factors.h"

#include <gtest/gtest.h>

namespace vsl {
namespace {

constexpr int kFishing = 25;
constexpr int kFutureTech = 85;

TEST(FactorsTest, SettingsSelectTheirFactors) {
  const CostFactors f = MakeCostFactors(5, 2, 3, 6);
  EXPECT_EQ(f.LevelScoreFactor, 1.4);
  EXPECT_EQ(f.LevelCostPercent, 115);
  EXPECT_EQ(f.CostSetting1Percent, 120);
  EXPECT_EQ(f.SpeedCostPercent, 67);
  EXPECT_EQ(f.CostSetting4Percent, 40);
  EXPECT_EQ(f.TeamCostModifier, 50);
  EXPECT_EQ(MakeCostFactors(7, 0, 0, 0).LevelCostPercent, 125);
}

TEST(FactorsTest, AnIndexOutsideItsTableGivesZero) {
  const CostFactors f = MakeCostFactors(9, 6, 4, -1);
  EXPECT_EQ(f.LevelScoreFactor, 0.0);
  EXPECT_EQ(f.LevelCostPercent, 0);
  EXPECT_EQ(f.CostSetting1Percent, 0);
  EXPECT_EQ(f.SpeedCostPercent, 0);
  EXPECT_EQ(f.CostSetting4Percent, 0);
  EXPECT_EQ(f.TeamCostModifier, 50);
  EXPECT_EQ(TechCost(kFutureTech, 1, f), 0);
}

TEST(FactorsTest, TechCostTruncatesAfterEveryStep) {
  // 10000 -> 13000 -> 19500 -> 58500 -> 58500 -> 58500
  EXPECT_EQ(TechCost(kFutureTech, 1, MakeCostFactors(8, 5, 0, 0)), 58500);
  EXPECT_EQ(TechCost(kFishing, 1, MakeCostFactors(3, 0, 3, 0)), 26);  // 40 x 67 % is 26.8
  // 40 -> 24 -> 26 -> 17 -> 6; without the truncations it would be 7.
  EXPECT_EQ(TechCost(kFishing, 1, MakeCostFactors(0, 1, 3, 6)), 6);
}

TEST(FactorsTest, TeamMembersBeyondTheFirstAddHalfTheCostEach) {
  const CostFactors f = MakeCostFactors(3, 0, 2, 0);
  EXPECT_EQ(TechCost(kFishing, 1, f), 40);
  EXPECT_EQ(TechCost(kFishing, 2, f), 60);
  EXPECT_EQ(TechCost(kFishing, 3, f), 80);
  EXPECT_EQ(TechCost(kFishing, 0, f), 20);
  EXPECT_EQ(TechCost(86, 1, f), 0);
}

}  // namespace
}  // namespace vsl
