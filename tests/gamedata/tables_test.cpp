#include "gamedata/tables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vsl {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

TEST(TablesTest, LeaderAndCivilizationNamesKeepTheGameOrder) {
  EXPECT_EQ(LeaderNames[0], "Barbarian");
  EXPECT_EQ(LeaderNames[15], "Huayana Capac");
  EXPECT_EQ(LeaderNames[27], "Ramesses");
  EXPECT_EQ(LeaderNames[28], "Ragnar");
  EXPECT_EQ(LeaderNames[29], "Franklin Roosevelt");
  EXPECT_EQ(LeaderNames[36], "Washington");
  EXPECT_EQ(CivNames[0], "America");
  EXPECT_EQ(CivNames[24], "Minor");
  EXPECT_EQ(CivNames[25], "Barbarian");
}

TEST(TablesTest, TechnologyErasAndTheRepeatableLastOne) {
  std::map<int32_t, int> perEra;
  std::vector<std::string_view> late;
  for (const TTechInfoRec& t : TechInfo) {
    ++perEra[t.Era];
    if (t.Era == kLateEra) late.push_back(t.Name);
  }
  EXPECT_THAT(perEra, ElementsAre(std::pair{1, 17}, std::pair{2, 13}, std::pair{3, 12}, std::pair{4, 14},
                                  std::pair{5, 15}, std::pair{6, 14}, std::pair{7, 1}));
  EXPECT_THAT(late, UnorderedElementsAre("Mass Media", "Ecology", "Flight", "Plastics", "Composites",
                                         "Genetics", "Fiber Optics", "Fusion", "Radio", "Refrigeration",
                                         "Computers", "Rocketry", "Satellites", "Robotics"));
  EXPECT_EQ(TechInfo[85].Name, "Future Tech");
  EXPECT_EQ(TechInfo[85].Cost, 10000);
  EXPECT_EQ(TechInfo[85].Era, 7);
  EXPECT_EQ(TechInfo[25].Name, "Fishing");
  EXPECT_EQ(TechInfo[25].Cost, 40);
  EXPECT_EQ(TechInfo[54].Name, "Fiber Optics");
  EXPECT_EQ(TechInfo[69].Name, "Optics");
}

// Message texts are searched for every technology name; only "Optics" lies inside another name.
TEST(TablesTest, OnlyOpticsIsContainedInAnotherTechnologyName) {
  std::vector<std::pair<int, int>> contained;
  for (int i = 0; i < static_cast<int>(TechInfo.size()); ++i) {
    for (int j = 0; j < static_cast<int>(TechInfo.size()); ++j) {
      if (i != j && TechInfo[j].Name.find(TechInfo[i].Name) != std::string_view::npos)
        contained.emplace_back(i, j);
    }
  }
  EXPECT_THAT(contained, ElementsAre(std::pair{69, 54}));
}

TEST(TablesTest, TypeTablesHaveUniqueNamesAndCostsOnlyWhereGiven) {
  std::set<std::string_view> buildings, units, noCost;
  for (const auto& b : BuildingInfo) {
    buildings.insert(b.Name);
    if (b.Cost < 0) noCost.insert(b.Name);
  }
  EXPECT_EQ(buildings.size(), BuildingInfo.size());
  EXPECT_THAT(noCost, UnorderedElementsAre("ACADEMY", "JEWISH_SHRINE", "CHRISTIAN_SHRINE", "ISLAMIC_SHRINE",
                                           "HINDU_SHRINE", "BUDDHIST_SHRINE", "CONFUCIAN_SHRINE",
                                           "TAOIST_SHRINE", "MILITARY_ACADEMY"));
  noCost.clear();
  for (const auto& u : UnitInfo) {
    units.insert(u.Name);
    if (u.Cost < 0) noCost.insert(u.Name);
  }
  EXPECT_EQ(units.size(), UnitInfo.size());
  EXPECT_THAT(noCost, UnorderedElementsAre("LION", "BEAR", "PANTHER", "WOLF", "PROPHET", "ARTIST",
                                           "SCIENTIST", "MERCHANT", "ENGINEER", "GREAT_GENERAL"));
  EXPECT_EQ(BuildingInfo.front().Name, "PALACE");
  EXPECT_EQ(BuildingInfo.back().Name, "GREAT_WALL");
  EXPECT_EQ(UnitInfo[4].Name, "SETTLER");
  EXPECT_EQ(UnitInfo.back().Name, "GREAT_GENERAL");
  EXPECT_EQ(ProjectInfo.back().Name, "SS_STASIS_CHAMBER");
}

}  // namespace
}  // namespace vsl
