// vsl-report with damaged files: exit status 1 and nothing written when a file fails, the file named on
// standard error; with --keep-going every damaged file is named on standard error and the rest are
// reported.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/report.h"
#include "support/scratch_dir.h"
#include "support/fixture_save.h"

namespace vsl {
namespace {

using testing::BuildBody;
using testing::BuildHeader;
using testing::BuildSaveFile;
using testing::MakeContainer;
using testing::Plot;
using testing::SaveDesc;
using testing::WriteFile;

SaveDesc Game(const std::string& nick, int32_t score) {
  SaveDesc desc;
  desc.elapsedTurns = 50;
  desc.playTimeQuarters = 4 * 5000;
  desc.sessionCount = 3;
  desc.maxima = {400, 200, 300, 100};
  desc.inits = {10, 10, 10, 10};
  desc.score = score;
  desc.Slot(0).Named(nick).Leader(3).Civ(5);
  desc.Team(0).Members(1).Population(30).Land(20).Meets({0});
  desc.Player(0).Population(30).Scores(100 + score, 50, 20, 30).Alive();
  desc.map.Size(1, 1).LandPlots(1).Add(Plot(0, 2));
  return desc;
}

struct Outcome {
  int status;
  std::string out, err;
};

class DamagedReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = scratch_.Path();
    a_ = WriteFile(dir_ + "/a.Save", BuildSaveFile(Game("Anna", 300)));
    b_ = WriteFile(dir_ + "/b.Save", BuildSaveFile(Game("Bert", 700)));
    // A file that is no save, a save cut inside its player section, a folder and a missing file.
    notASave_ = WriteFile(dir_ + "/notes.Save", std::vector<uint8_t>{'n', 'o', 't', 'e', 's'});
    std::vector<uint8_t> body = BuildBody(Game("Cut", 1));
    body.resize(body.size() - 500);
    cut_ = WriteFile(dir_ + "/cut.Save", MakeContainer(BuildHeader(Game("Cut", 1)), body));
    folder_ = dir_ + "/folder.Save";
    std::filesystem::create_directory(folder_);
    missing_ = dir_ + "/missing.Save";
  }

  Outcome Report(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunReport(args, out, err, std::make_shared<FixedLocaleServices>('.'));
    return {status, out.str(), err.str()};
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  testing::ScratchDir scratch_;
  std::string dir_, a_, b_, notASave_, cut_, folder_, missing_;
};

TEST_F(DamagedReportTest, AFailingFileFailsTheReportAndWritesNothing) {
  const std::string output = dir_ + "/Res.txt";
  WriteFile(output, std::vector<uint8_t>{'o', 'l', 'd'});
  const std::pair<std::string, std::string> failing[] = {
      {notASave_, "no compressed body found"},
      {cut_, "save is truncated or damaged at offset "},
      {folder_, "cannot read the file: Is a directory"},
      {missing_, "cannot open the file: No such file or directory"},
  };
  for (const auto& [path, reason] : failing) {
    SCOPED_TRACE(path);
    for (const char* format : {"res", "csv", "json"}) {
      const Outcome run = Report({"--format", format, "--output", output, a_, path, b_});
      EXPECT_EQ(run.status, kExitFailure);
      EXPECT_EQ(run.out, "");
      // One line on standard error, naming the file and the reason.
      EXPECT_THAT(run.err, ::testing::StartsWith("vsl-report: " + path + ": " + reason));
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
      EXPECT_EQ(Read(output), "old");  // an earlier results file stays as it was
    }
    // To standard output: nothing either.
    const Outcome toStdout = Report({path, a_});
    EXPECT_EQ(toStdout.status, kExitFailure);
    EXPECT_EQ(toStdout.out, "");
  }
}

TEST_F(DamagedReportTest, KeepGoingNamesEveryDamagedFileAndReportsTheRest) {
  const std::string output = dir_ + "/Res.txt";
  const Outcome run =
      Report({"--keep-going", "--output", output, notASave_, a_, cut_, folder_, b_, missing_});
  EXPECT_EQ(run.status, kExitFailure);  // files were skipped
  EXPECT_EQ(run.out, "");
  std::istringstream lines(run.err);
  std::string line;
  for (const std::string& path : {notASave_, cut_, folder_, missing_}) {
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_THAT(line, ::testing::StartsWith("vsl-report: skipped " + path + ": "));
  }
  EXPECT_FALSE(std::getline(lines, line)) << line;
  // The results are those of the sound files alone.
  const Outcome sound = Report({a_, b_});
  ASSERT_EQ(sound.status, kExitSuccess) << sound.err;
  EXPECT_EQ(Read(output), sound.out);
}

TEST_F(DamagedReportTest, KeepGoingWithNothingLoadableWritesTheHeaderLineAlone) {
  const Outcome run = Report({"--keep-going", notASave_, cut_});
  EXPECT_EQ(run.status, kExitFailure);
  const Outcome none = Report({"--keep-going", missing_});
  EXPECT_EQ(none.out, run.out);
  EXPECT_FALSE(run.out.empty());
  EXPECT_EQ(run.out.find('\n'), std::string::npos);  // one line, no row
}

TEST_F(DamagedReportTest, MaximaThatTheLadderCannotUseFailTheReport) {
  // Not damage: a negative population maximum without a start value loads, but the Ladder has no real
  // power for it, and the rendering stops before any row.
  SaveDesc desc = Game("Neg", 5);
  desc.maxima = {-400, 200, 300, 100};
  desc.inits = {0, 10, 10, 10};
  const std::string negative = WriteFile(dir_ + "/negative.Save", BuildSaveFile(desc));
  const std::string output = dir_ + "/Res.txt";
  const Outcome run = Report({"--output", output, a_, negative});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.err, "vsl-report: Invalid floating point operation (option --max-pop)\n");
  EXPECT_FALSE(std::filesystem::exists(output));
}

}  // namespace
}  // namespace vsl
