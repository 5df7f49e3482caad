// "Load File" through real save files: the batch's rows, failures, and the parallel load giving exactly
// what loading the files one by one gives.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/batch_warnings.h"
#include "app/window_model.h"
#include "scoring/errors.h"
#include "support/fixture_save.h"
#include "support/row_text.h"
#include "support/scratch_dir.h"

namespace vsl {
namespace {

using testing::BuildBody;
using testing::BuildHeader;
using testing::BuildSaveFile;
using ::testing::HasSubstr;
using testing::MakeContainer;
using testing::Plot;
using testing::SaveDesc;
using testing::WriteFile;

// A small complete game; the parameters make each file's row and derived Ladder maxima its own.
SaveDesc Game(const std::string& nick, int32_t score, int32_t speed, int32_t maxPop, int32_t endTurn) {
  SaveDesc desc;
  desc.elapsedTurns = 40 + score % 17;
  desc.endTurn = endTurn;
  desc.gameSpeed = speed;
  desc.playTimeQuarters = 4 * (3000 + score);
  desc.sessionCount = 2 + score % 5;
  desc.maxima = {maxPop, 200, 300, 100};
  desc.inits = {10, 10, 10, 10};
  desc.score = score;
  desc.level = score % 9;
  desc.Slot(0).Named(nick).Leader(3).Civ(5);
  desc.Slot(1).Leader(11).Civ(12);
  desc.Team(0).Members(1).Population(30).Land(20).Meets({0, 1}).Knows({0, 25, 79});
  desc.Team(1).Members(1).Population(10).Land(10).Meets({0, 1});
  desc.Player(0).Population(30).Scores(100, 50, 20, 30).Alive().City("TXT_KEY_CITY_NAME_ROME", 900 + score);
  desc.Player(0).HistoryPair(0, 1, score).HistoryPair(0, 2, score + 5);
  desc.Player(1).Population(10).Scores(40, 20, 0, 10).Alive();
  desc.map.Size(2, 2).LandPlots(3).Add(Plot(0, 2)).Add(Plot(0, 1)).Add(Plot(1, 0)).Add(Plot(0, 3));
  return desc;
}

BatchOptions Options(unsigned threads, bool keepGoing = false) {
  BatchOptions options;
  options.Threads = threads;
  options.KeepGoing = keepGoing;
  return options;
}

// Everything a batch leaves in the model.
std::string Dump(const WindowModel& m) {
  std::ostringstream o;
  o << m.SaveCount() << '\n' << m.ExportText() << '\n';
  const LadderSettings& l = m.Ladder();
  o << l.MaxPop << ' ' << l.MaxLand << ' ' << l.MaxTech << ' ' << l.MaxWonder << ' ' << l.MaxCulture << ' '
    << l.MaxMTech << ' ' << l.MaxTurn << '\n';
  const AuditSettings& a = m.Audit();
  o << a.MaxSessionsPerDay << ' ' << a.MinSessionTime << ' ' << a.Presessions << ' ' << a.BaseLevel << ' '
    << a.MaxReload << ' ' << a.LevelBonus << '\n';
  for (const ChartSeries& s : m.Chart().Series()) o << s.Title << s.InLegend << s.Points.size() << ';';
  o << m.Chart().AxisMin() << ' ' << m.Chart().AxisMax() << '\n' << m.Edits().Edit1 << '\n';
  return o.str();
}

class BatchTest : public ::testing::Test {
 protected:
  BatchTest() : dir_(scratch_.Path()) {}

  std::string Save(const std::string& name, const SaveDesc& desc) {
    return WriteFile(dir_ + "/" + name, BuildSaveFile(desc));
  }
  // A save whose container is sound but whose body ends inside the player section: the parse has
  // taken the Ladder maxima from the body before it fails.
  std::string TruncatedSave(const std::string& name, const SaveDesc& desc) {
    std::vector<uint8_t> body = BuildBody(desc);
    body.resize(body.size() - 40);
    return WriteFile(dir_ + "/" + name, MakeContainer(BuildHeader(desc), body));
  }
  // A complete save whose stream's checksum does not match its body: only the checksum tells.
  std::string BadChecksumSave(const std::string& name, const SaveDesc& desc) {
    std::vector<uint8_t> file = BuildSaveFile(desc);
    file.back() ^= 0x5A;
    return WriteFile(dir_ + "/" + name, file);
  }
  std::string NotASave(const std::string& name) {
    return WriteFile(dir_ + "/" + name, std::vector<uint8_t>{'t', 'e', 'x', 't'});
  }
  // A mixed batch with damaged files in the middle and at the end, and different maxima per file.
  std::vector<std::string> MixedBatch() {
    std::vector<std::string> paths;
    for (int i = 0; i < 10; ++i) {
      const std::string n = std::to_string(i);
      if (i == 9) {
        paths.push_back(BadChecksumSave("m9.Save", Game("unchecked", 99, 2, 777, 990)));
      } else if (i == 5) {
        paths.push_back(TruncatedSave("m5.Save", Game("broken", 55, 1, 999, 660)));
      } else if (i == 7) {
        paths.push_back(NotASave("m7.Save"));
      } else {
        paths.push_back(Save("m" + n + ".Save", Game("p" + n, 100 * (9 - i), i % 4, 300 + i, 320 + 10 * i)));
      }
    }
    return paths;
  }
  static WindowModel Model() { return WindowModel(std::make_shared<FixedLocaleServices>('.')); }

  testing::ScratchDir scratch_;
  std::string dir_;
};

TEST_F(BatchTest, LoadsSortsAndRendersABatch) {
  WindowModel model = Model();
  const std::vector<std::string> paths = {Save("b.Save", Game("Bert", 300, 2, 400, 460)),
                                          Save("A.Save", Game("Anna", 500, 2, 401, 460)),
                                          Save("c.1.Save", Game("Cid", 100, 0, 402, 500))};
  const BatchResult result = model.Button1Click(paths);
  EXPECT_EQ(result.Loaded, 3);
  EXPECT_EQ(result.LeftOut, 0);
  EXPECT_EQ(model.SaveCount(), 3);
  EXPECT_EQ(model.Edits().Edit1, dir_);
  EXPECT_EQ(model.BaseGrid().Cell(1, 1), "A");
  EXPECT_EQ(model.BaseGrid().Cell(1, 2), "b");
  EXPECT_EQ(model.BaseGrid().Cell(1, 3), "c.1");
  EXPECT_EQ(model.BaseGrid().Cell(2, 1), "Anna");
  EXPECT_EQ(model.BaseGrid().Cell(8, 1), "   500");
  EXPECT_EQ(model.AdditionalGrid().Cell(1, 2), "Bert");
  EXPECT_EQ(model.LadderGrid().Cell(1, 3), "Cid");
  EXPECT_NE(model.ReloadGrid().Cell(11, 1), "");
  // The maxima of the last parsed file (Cid's), written into the edits.
  EXPECT_EQ(model.Ladder().MaxPop, 402);
  EXPECT_EQ(model.Ladder().MaxTurn, 500);
  EXPECT_EQ(model.Edits().MaxPopE, "   402");
  // Cid's file set them; the other two were played at another speed to another end turn, and every
  // file is dated today, far outside the default tournament.
  const std::vector<BatchWarning> warnings = BatchWarnings(model, result);
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0].Text.substr(0, 20), "3 files lie outside ");
  EXPECT_EQ(warnings[1].Text.substr(0, 90),
            "The Ladder maxima come from c.1 (the 1200-turn speed, map 2x2, end turn 500); 2 files were");
  // Three series drawn, the rest hidden and empty.
  EXPECT_EQ(model.Chart().Series(0).Title, "Anna");
  EXPECT_TRUE(model.Chart().Series(2).InLegend);
  EXPECT_FALSE(model.Chart().Series(3).InLegend);
  EXPECT_FALSE(model.Chart().Series(19).InLegend);
}

TEST_F(BatchTest, SaveResultsOntoALoadedSaveIsRefused) {
  WindowModel model = Model();
  const std::vector<uint8_t> bytes = BuildSaveFile(Game("Anna", 500, 2, 401, 460));
  const std::string a = WriteFile(dir_ + "/a.Save", bytes);
  std::filesystem::create_hard_link(a, dir_ + "/hard.Save");
  model.Button1Click({dir_ + "/./hard.Save"});
  EXPECT_THAT([&] { model.Button2Click(a); },
              ThrowsMessage<ExportError>(::testing::StrEq(a + ": the results would replace the save " + dir_ +
                                                          "/./hard.Save, which the batch reads")));
  std::ifstream in(a, std::ios::binary);
  EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}), bytes);
}

// A batch whose rendering fails (a negative maximum meets a fractional exponent in the Ladder) leaves
// no curve of the batch before it on the chart.
TEST_F(BatchTest, ARenderingThatFailsLeavesNoCurveOfTheEarlierBatch) {
  WindowModel model = Model();
  model.Button1Click(
      {Save("a.Save", Game("Anna", 500, 2, 400, 460)), Save("b.Save", Game("Bert", 300, 2, 400, 460))});
  ASSERT_TRUE(model.Chart().Series(1).InLegend);
  SaveDesc negative = Game("Neg", 200, 2, -400, 460);
  negative.inits = {0, 0, 0, 0};
  EXPECT_THROW(model.Button1Click({Save("n.Save", negative)}), MathError);
  EXPECT_EQ(model.SaveCount(), 1);
  for (int k = 0; k < 20; ++k) {
    EXPECT_FALSE(model.Chart().Series(k).InLegend) << k;
    EXPECT_TRUE(model.Chart().Series(k).Points.empty()) << k;
  }
}

TEST_F(BatchTest, AFailingFileEndsTheBatchWithTheFilesBeforeIt) {
  WindowModel model = Model();
  std::vector<std::string> first;
  for (int i = 0; i < 5; ++i)
    first.push_back(Save("old" + std::to_string(i) + ".Save", Game("o", 10 * i, 2, 400, 460)));
  model.Button1Click(first);
  ASSERT_EQ(model.SaveCount(), 5);

  const std::vector<std::string> paths = {
      Save("z.Save", Game("Zed", 10, 2, 400, 460)), Save("y.Save", Game("Yan", 20, 2, 400, 460)),
      TruncatedSave("x.Save", Game("Xi", 30, 2, 400, 460)), Save("w.Save", Game("Wu", 40, 2, 400, 460))};
  try {
    model.Button1Click(paths);
    FAIL() << "the batch should fail";
  } catch (const BatchFileError& e) {
    EXPECT_EQ(e.Path(), paths[2]);
    EXPECT_THAT(e.what(), HasSubstr(paths[2] + ": save is truncated or damaged at offset"));
  }
  EXPECT_EQ(model.SaveCount(), 2);
  EXPECT_EQ(model.BaseGrid().Cell(1, 1), "y");  // sorted
  EXPECT_EQ(model.BaseGrid().Cell(1, 2), "z");
  EXPECT_EQ(model.BaseGrid().Cell(1, 3), " ");  // the previous batch never shows
  EXPECT_EQ(model.LadderGrid().Cell(1, 5), " ");
  EXPECT_FALSE(model.Chart().Series(2).InLegend);
  const std::string text = model.ExportText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
}

// Two and sixteen threads, also under a memory budget smaller than one file, so that every worker
// waits until no other holds memory: the batch is the one-by-one load.
TEST_F(BatchTest, ParallelLoadEqualsLoadingOneByOne) {
  const std::vector<std::string> paths = MixedBatch();
  const std::vector<std::pair<unsigned, size_t>> runs = {{2, 0}, {16, 0}, {16, 1}, {16, 5000}};
  for (bool keepGoing : {false, true}) {
    WindowModel serial = Model();
    // The same previous batch in every model, so that slots and grid rows hold something to keep or
    // replace.
    const std::vector<std::string> before = {Save("q1.Save", Game("q1", 7, 3, 11, 12)),
                                             Save("q2.Save", Game("q2", 8, 3, 13, 14))};
    serial.Button1Click(before, Options(1));
    std::string serialError;
    BatchResult s;
    try {
      s = serial.Button1Click(paths, Options(1, keepGoing));
    } catch (const BatchFileError& e) {
      serialError = e.what();
    }
    SCOPED_TRACE(keepGoing ? "keep going" : "stop at the first failure");
    EXPECT_EQ(keepGoing, serialError.empty());
    if (keepGoing) {
      EXPECT_EQ(s.Loaded, 7);
      EXPECT_EQ(s.Skipped.size(), 3u);
      EXPECT_THAT(s.Skipped.back().Message,
                  ::testing::EndsWith("m9.Save: the compressed body is damaged (zlib: data error)"));
      // The last file's checksum failed: the maxima of the file before it stay.
      EXPECT_EQ(serial.Ladder().MaxPop, 308);
    } else {
      EXPECT_EQ(serial.SaveCount(), 5);
      // The damaged file stopped before its maxima: those of the last file before it stay.
      EXPECT_EQ(serial.Ladder().MaxPop, 304);
    }
    for (const auto& [threads, budget] : runs) {
      SCOPED_TRACE(std::to_string(threads) + " threads, budget " + std::to_string(budget));
      WindowModel parallel = Model();
      parallel.Button1Click(before, Options(1));
      BatchOptions options = Options(threads, keepGoing);
      if (budget != 0) options.MemoryBudget = budget;
      std::string parallelError;
      BatchResult p;
      try {
        p = parallel.Button1Click(paths, options);
      } catch (const BatchFileError& e) {
        parallelError = e.what();
      }
      EXPECT_EQ(serialError, parallelError);
      EXPECT_EQ(s.Loaded, p.Loaded);
      ASSERT_EQ(s.Skipped.size(), p.Skipped.size());
      for (size_t i = 0; i < s.Skipped.size(); ++i) EXPECT_EQ(s.Skipped[i].Message, p.Skipped[i].Message);
      EXPECT_EQ(Dump(serial), Dump(parallel));
      for (int i = 0; i < kMaxFiles; ++i) EXPECT_EQ(serial.Row(i), parallel.Row(i)) << i;
    }
  }
}

TEST_F(BatchTest, ASettingThatDoesNotConvertEndsEvenAKeepGoingBatch) {
  const std::vector<std::string> paths = MixedBatch();
  for (unsigned threads : {1u, 3u}) {
    WindowModel model = Model();
    model.Edits().Edit7 = "1,5";
    model.Edits().Edit8 = "20";
    try {
      model.Button1Click(paths, Options(threads, true));
      FAIL() << "the batch should fail";
    } catch (const SettingConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'1,5' is not a valid floating point value");
      EXPECT_EQ(e.Edit(), &WindowEdits::Edit7);
    }
    EXPECT_EQ(model.SaveCount(), 0);
    // The first file's row, maxima and audit settings as far as its parse came.
    EXPECT_EQ(model.Row(0).FileName, "m0");
    EXPECT_EQ(model.Ladder().MaxPop, 300);
    EXPECT_EQ(model.Audit().MinSessionTime, 0);  // not reached
  }
}

TEST_F(BatchTest, MoreThanAHundredFilesLoadTheFirstHundred) {
  const std::string one = Save("g.Save", Game("g", 1, 2, 400, 460));
  std::vector<std::string> paths(103, one);
  WindowModel model = Model();
  const BatchResult result = model.Button1Click(paths);
  EXPECT_EQ(result.Loaded, 100);
  EXPECT_EQ(result.LeftOut, 3);
  EXPECT_EQ(model.BaseGrid().Cell(0, 100), "100");
  EXPECT_EQ(model.BaseGrid().Cell(1, 100), "g");
  const std::string text = model.ExportText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 100);
}

TEST_F(BatchTest, ProgressIsReportedOnTheCallingThread) {
  const std::vector<std::string> paths = MixedBatch();
  WindowModel model = Model();
  int calls = 0;
  bool sameThread = true;
  const auto caller = std::this_thread::get_id();
  BatchOptions options = Options(2, true);
  options.ProgressInterval = std::chrono::milliseconds(0);
  options.Progress = [&](int done, int total, const std::string& current) {
    ++calls;
    sameThread = sameThread && std::this_thread::get_id() == caller;
    EXPECT_LE(done, total);
    EXPECT_EQ(total, 10);
    EXPECT_THAT(current, HasSubstr(dir_));
  };
  model.Button1Click(paths, options);
  EXPECT_GT(calls, 0);
  EXPECT_TRUE(sameThread);
}

// Under a limit on the address space that leaves room for one large file at a time, every thread count
// loads the batch as one thread does: no abort, no failure, the same rows. Each load runs in a child
// process that sets the limit on itself.
TEST_F(BatchTest, UnderAnAddressSpaceLimitEveryThreadCountGivesTheOneThreadRows) {
#if defined(__SANITIZE_ADDRESS__) || defined(VSL_SANITIZE)
  GTEST_SKIP() << "the sanitizers reserve address space beyond any such limit";
#endif
  // 40 MiB behind the stream: file and image buffers of 50 MiB each.
  const SaveDesc large = Game("big", 40, 2, 500, 460);
  const std::string big = WriteFile(
      dir_ + "/big.Save",
      MakeContainer(BuildHeader(large), BuildBody(large), {.trailer = std::vector<uint8_t>(40 << 20)}));
  std::vector<std::string> paths;
  for (int i = 0; i < 6; ++i) {
    const std::string n = std::to_string(i);
    paths.push_back(big);
    paths.push_back(Save("s" + n + ".Save", Game("s" + n, 10 * i, 1, 300 + i, 400)));
  }
  std::vector<std::string> outcomes;
  for (unsigned threads : {1u, 2u, 16u}) {
    const std::string out = dir_ + "/rows" + std::to_string(threads);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::ifstream statm("/proc/self/statm");
      size_t pages = 0;
      statm >> pages;
      const rlim_t bytes = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (rlim_t{200} << 20);
      const rlimit limit{bytes, bytes};
      setrlimit(RLIMIT_AS, &limit);
      WindowModel m = Model();
      std::ofstream(out) << m.Button1Click(paths, Options(threads, true)).Skipped.size() << '\n' << Dump(m);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << threads << " threads: status " << status;
    std::ifstream in(out);
    outcomes.push_back(std::string(std::istreambuf_iterator<char>(in), {}));
  }
  EXPECT_THAT(outcomes[0], ::testing::StartsWith("0\n12\n"));
  EXPECT_EQ(outcomes[1], outcomes[0]);
  EXPECT_EQ(outcomes[2], outcomes[0]);
}

}  // namespace
}  // namespace vsl
