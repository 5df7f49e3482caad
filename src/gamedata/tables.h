#pragma once
// Fixed reference data of the game, indexed by the numbers the game writes into its saves.

#include <array>
#include <cstdint>
#include <string_view>

namespace vsl {

struct TTechInfoRec {
  std::string_view Name;  // as found in message texts
  int32_t Cost;           // base research cost before any setting factor
  int32_t Era;            // 1..6, 7 for the repeatable last technology
};

// Buildings, projects and unit types: the game's type key without its category prefix.
struct TBuildingInfoRec {
  std::string_view Name;
  int32_t Cost;  // production cost, -1 where there is none
};
using TProjectInfoRec = TBuildingInfoRec;
using TUnitInfoRec = TBuildingInfoRec;

extern const std::array<std::string_view, 37> LeaderNames;
extern const std::array<std::string_view, 26> CivNames;
extern const std::array<TTechInfoRec, 86> TechInfo;
extern const std::array<TBuildingInfoRec, 129> BuildingInfo;
extern const std::array<TProjectInfoRec, 11> ProjectInfo;
extern const std::array<TUnitInfoRec, 92> UnitInfo;

inline constexpr int32_t kLateEra = 6;  // era whose technologies count for the late-technology score

}  // namespace vsl
