#include "app/tournament_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "app/game_text.h"

namespace vsl {
namespace {

class TournamentSettingsTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& text) {
    std::ofstream(path_) << text;
    return path_;
  }
  // One file per test: ctest runs the tests of this file side by side.
  std::string path_ = ::testing::TempDir() + "/tournament_settings_" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".json";
};

TEST_F(TournamentSettingsTest, AnOlderOrPartialFileKeepsTheDefaultsAndAppliesInTheLocale) {
  const TournamentSettings s = LoadTournamentSettings(Write(
      R"({"version": 1, "audit": {"startDate": "1-3-2024", "sessionsPerDay": 2.25, "baseLevel": "none"}})"));
  EXPECT_EQ(s.MinSession, 30);
  EXPECT_EQ(s.Factors[3], 5000);
  WindowEdits edits;
  ApplyAuditSettings(s, edits, ',');
  EXPECT_EQ(edits.Edit6 + "|" + edits.Edit2 + "|" + edits.Edit3, "1|3|2024");
  EXPECT_EQ(edits.Edit7, "2,25");
  EXPECT_EQ(edits.BaseLevelSelect, -1);
  ApplyLadderSettings(s, edits);
  EXPECT_EQ(edits.MaxPopE, "    0");  // not fixed: the load sets it
  EXPECT_EQ(edits.WonderFactorE, "5000");
}

TEST_F(TournamentSettingsTest, BadFilesNameTheFileAndTheKey) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {R"({"audit": {}})", "version: is missing"},
      {R"({"version": 2})", "version: the file was written by a later program (version 2)"},
      {R"([1])", "(top level): must be an object"},
      {R"({"version": 1, "audit": {"minSession": "30"}})", "audit.minSession: must be a whole number"},
      {R"({"version": 1, "audit": {"baseLevel": "King"}})",
       "audit.baseLevel: must be a level name from Settler to Deity, or none"},
      {R"({"version": 1, "audit": {"sessionsPerDay": -1}})",
       "audit.sessionsPerDay: must be a number from 0 to 1000000"},
      {R"({"version": 1, "ladder": {"maxima": {"pop": -1}}})",
       "ladder.maxima.pop: must be a whole number from 0 to 2147483647"},
      {R"({"version": 1, "ladder": {"factors": {"gold": 1}}})",
       "ladder.factors.gold: is not a known setting"},
      {R"({"version": 1, "audit": {"startDate": "31-02-2024"}})",
       "audit.startDate: '31-02-2024' is not a valid date"},
  };
  for (const auto& [text, problem] : cases) {
    try {
      LoadTournamentSettings(Write(text));
      ADD_FAILURE() << text;
    } catch (const SettingsFileError& e) {
      EXPECT_EQ(e.what(), path_ + ": " + problem);
    }
  }
  EXPECT_THROW(LoadTournamentSettings(Write("{\"version\": 1,")), SettingsFileError);
}

TEST(GameTextTest, StripsTheGameMarkupOnly) {
  EXPECT_EQ(StripGameMarkup("<color=255,200,0>Vutar</color>"), "Vutar");
  EXPECT_EQ(StripGameMarkup("<link=UNIT_X><b>Ann</b></link> & co"), "Ann & co");
  EXPECT_EQ(StripGameMarkup("a <3 b > c"), "a <3 b > c");
  EXPECT_EQ(StripGameMarkup("x<color=1"), "x<color=1");
  EXPECT_EQ(StripGameMarkup("<<i>>"), "<>");
}

}  // namespace
}  // namespace vsl
