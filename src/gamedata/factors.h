#pragma once
// Cost and score factors selected by the game settings of a save.

#include <cstdint>

namespace vsl {

struct CostFactors {
  double LevelScoreFactor = 0;      // difficulty multiplier of the final score
  int32_t LevelCostPercent = 0;     // research cost by difficulty
  int32_t CostSetting1Percent = 0;  // research cost by header setting 1
  int32_t SpeedCostPercent = 0;     // research cost by game speed
  int32_t CostSetting4Percent = 0;  // research cost by header setting 4
  int32_t TeamCostModifier = 50;    // percent added per team member beyond the first
};

// Factors of one save. An index outside its table gives a factor of 0, never another file's value.
CostFactors MakeCostFactors(int32_t level, int32_t costSetting1, int32_t gameSpeed, int32_t costSetting4);

// Research cost of technology `tech` (0..85) for a team of `teamMembers` players, truncating after
// every step; a technology index outside the table costs 0.
int32_t TechCost(int tech, int32_t teamMembers, const CostFactors& f);

}  // namespace vsl
