#include "save/team_section.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/fixture_save.h"

namespace vsl {
namespace {

using testing::SaveDesc;
using testing::SaveWriter;

std::unique_ptr<ParseState> ParseTeams(const SaveDesc& desc) {
  SaveWriter w;
  WriteTeamSection(w, desc);
  auto st = std::make_unique<ParseState>();
  StreamReader r(w.Data());
  ReadTeamSection(r, *st);
  EXPECT_EQ(r.Pos(), w.Size());
  return st;
}

TEST(TeamSectionTest, NineteenRecordsOf3815Bytes) {
  SaveWriter one;
  WriteTeam(one, {});
  EXPECT_EQ(static_cast<int64_t>(one.Size()), kTeamRecordBytes);
  SaveWriter all;
  WriteTeamSection(all, SaveDesc{});
  EXPECT_EQ(all.Size(), 72485u);
  ParseTeams(SaveDesc{});
}

TEST(TeamSectionTest, ReadsSizePopulationLandAndContacts) {
  SaveDesc desc;
  desc.Team(0).Members(2).Population(30).Land(20).Meets({0, 4});
  desc.Team(18).Members(1).Population(-3).Land(7);
  const auto st = ParseTeams(desc);
  EXPECT_EQ(st->TeamMembers[0], 2);
  EXPECT_EQ(st->TeamPopulation[0], 30);
  EXPECT_EQ(st->TeamLand[0], 20);
  EXPECT_EQ(st->HasMet[0][0], 1);
  EXPECT_EQ(st->HasMet[0][4], 1);
  EXPECT_EQ(st->HasMet[0][1], 0);
  EXPECT_EQ(st->HasMet[4][0], 0);  // meeting is stored per team as the save keeps it
  EXPECT_EQ(st->TeamMembers[18], 1);
  EXPECT_EQ(st->TeamPopulation[18], -3);
  EXPECT_EQ(st->TeamLand[18], 7);
}

TEST(TeamSectionTest, VassalFlagsAreIndexedVassalThenMaster) {
  SaveDesc desc;
  desc.Team(5).VassalOf(2);
  const auto st = ParseTeams(desc);
  EXPECT_EQ(st->IsVassal[5][2], 1);
  EXPECT_EQ(st->IsVassal[2][5], 0);
}

TEST(TeamSectionTest, TechCountIsKnownFlagsPlusRepeatsOfTheLastTechnology) {
  SaveDesc desc;
  for (int k = 46; k < 86; ++k) desc.Team(1).techs.push_back(k);  // 40 flags, technology 85 among them
  desc.Team(1).LastTechRepeats(3);
  desc.Team(2).Knows({0, 1});
  const auto st = ParseTeams(desc);
  EXPECT_EQ(st->TechCount[1], 43);
  EXPECT_EQ(st->LastTechCount[1], 3);
  EXPECT_EQ(st->HasTech[1][85], 1);
  EXPECT_EQ(st->HasTech[1][45], 0);
  EXPECT_EQ(st->TechCount[2], 2);
  EXPECT_EQ(st->TechCount[0], 0);
}

}  // namespace
}  // namespace vsl
