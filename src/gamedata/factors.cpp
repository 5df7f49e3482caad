// Cost and score factors selected by the game settings of a save, and the research cost built on them.

#include "gamedata/factors.h"

#include <span>

#include "gamedata/tables.h"

namespace vsl {

namespace {

// clang-format off
constexpr double  kLevelScoreFactor[]    = {0.4, 0.6, 0.8, 1.0, 1.2, 1.4, 1.6, 1.8, 2.0};  // by Level
constexpr int32_t kLevelCostPercent[]    = {60, 75, 90, 100, 110, 115, 120, 125, 130};    // by Level
constexpr int32_t kCostSetting1Percent[] = {100, 110, 120, 130, 140, 150};                 // by CostSetting1
constexpr int32_t kSpeedCostPercent[]    = {300, 150, 100, 67};                            // by GameSpeed
constexpr int32_t kCostSetting4Percent[] = {100, 90, 80, 70, 60, 50, 40};                  // by CostSetting4
// clang-format on

constexpr int32_t kTeamCostModifier = 50;

// Entry `index` of a factor table, 0 for an index the table does not have (a damaged or foreign save).
template <typename T>
T Lookup(std::span<const T> table, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < table.size() ? table[index] : T{0};
}

// a x b div 100 in 32-bit arithmetic: the product wraps as a 32-bit machine product would (computed in
// 64 bits so that the wrap is defined), and the division truncates toward zero.
int32_t MulDiv100(int32_t a, int32_t b) {
  const auto product = static_cast<int32_t>(static_cast<uint32_t>(int64_t{a} * b));
  return product / 100;
}

}  // namespace

CostFactors MakeCostFactors(int32_t level, int32_t costSetting1, int32_t gameSpeed, int32_t costSetting4) {
  CostFactors f;
  f.LevelScoreFactor = Lookup<double>(kLevelScoreFactor, level);
  f.LevelCostPercent = Lookup<int32_t>(kLevelCostPercent, level);
  f.CostSetting1Percent = Lookup<int32_t>(kCostSetting1Percent, costSetting1);
  f.SpeedCostPercent = Lookup<int32_t>(kSpeedCostPercent, gameSpeed);
  f.CostSetting4Percent = Lookup<int32_t>(kCostSetting4Percent, costSetting4);
  f.TeamCostModifier = kTeamCostModifier;
  return f;
}

int32_t TechCost(int tech, int32_t teamMembers, const CostFactors& f) {
  if (tech < 0 || static_cast<size_t>(tech) >= TechInfo.size()) return 0;
  int32_t cost = TechInfo[tech].Cost;
  cost = MulDiv100(cost, f.LevelCostPercent);
  cost = MulDiv100(cost, f.CostSetting1Percent);
  cost = MulDiv100(cost, f.SpeedCostPercent);
  cost = MulDiv100(cost, f.CostSetting4Percent);
  // Each member beyond the first adds TeamCostModifier percent (a team of none pays less).
  const auto teamPercent =
      static_cast<int32_t>(static_cast<uint32_t>(100 + (int64_t{teamMembers} - 1) * f.TeamCostModifier));
  return MulDiv100(teamPercent, cost);
}

}  // namespace vsl
