#include "app/tournament_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/game_text.h"
#include "cli/report.h"

namespace vsl {
namespace {

class TournamentSettingsTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& text) {
    std::ofstream(path_, std::ios::binary) << text;
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
  EXPECT_EQ(edits.WonderFactorE, " 5000");
}

// Every bad or hostile file is refused by vsl-report with exit 1 and one line naming the file, the
// key and the problem, in few printable characters.
TEST_F(TournamentSettingsTest, BadAndHostileFilesNameTheFileAndTheKey) {
  const std::string whole = "must be a whole number from -2147483648 to 2147483647";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {R"({"audit": {}})", "version: is missing"},
      {R"({"version": 2})", "version: the file was written by a later program (version 2)"},
      {R"([1])", "(top level): must be an object"},
      {R"({"version": 1, "audit": {"minSession": "30"}})",
       "audit.minSession: must be a whole number from 0 to 2147483647"},
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
      {"{\"version\": 1,", "(top level): is not valid JSON at line 1, column 15"},
      {"{" + std::string(1 << 20, ' ') + "}", "the file is larger than 1 MiB, too large for a settings file"},
      {R"({"version": 1, "audit": {"x": [[[[[[[[1]]]]]]]]}})",
       "audit.x: objects and lists are nested more than 8 deep"},
      {std::string(100000, '['), "(top level): objects and lists are nested more than 8 deep"},
      {R"({"version": 1, "audit": {"sessionsPerDay": 1e400}})",
       "audit.sessionsPerDay: must be a number from 0 to 1000000"},
      {R"({"version": 1, "audit": {"levelBonus": )" + std::string(400, '9') + "}}",
       "audit.levelBonus: " + whole},
      {R"({"version": 1, "audit": {"levelBonus": 18446744073709551615}})", "audit.levelBonus: " + whole},
      {R"({"version": 1, "ladder": {"factors": {"pop": -2147483649}}})", "ladder.factors.pop: " + whole},
      {R"({"version": 99, "version": 1})", "version: is given twice"},
      {R"({"version": 1, "audit": {"\u001b[2J)" + std::string(40, 'x') + R"(": 1}})",
       "audit.\\u001B[2J" + std::string(28, 'x') + "...: is not a known setting"},
      {"\xEF\xBB\xBF{\"version\": 1}",
       "(top level): the file begins with a byte order mark: save it as UTF-8 without one"},
      {"{\"version\": 1,\n \"audit\": {\"startDate\": \"27-11-2005\xE9\"}}",
       "audit.startDate: is not UTF-8 text (line 2, column 36): save the file as UTF-8"},
  };
  for (const auto& [text, problem] : cases) {
    std::ostringstream out, err;
    EXPECT_EQ(RunReport({"--settings", Write(text), "none.Save"}, out, err), kExitFailure) << problem;
    EXPECT_EQ(err.str(), "vsl-report: " + path_ + ": " + problem + "\n");
  }
  std::ostringstream out, err;
  EXPECT_EQ(RunReport({"--settings", "/dev/zero", "none.Save"}, out, err), kExitFailure);
  EXPECT_EQ(err.str(),
            "vsl-report: /dev/zero: the file is larger than 1 MiB, too large for a settings file\n");
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
