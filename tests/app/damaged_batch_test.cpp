// "Load File" when files fail: every kind of failure ends the batch at its file, the files before it are
// sorted and rendered, the previous batch never shows, the error names the file; a keep-going batch
// skips each damaged file and reports the rest. And saves whose values lie outside their ranges
// without being damaged: each renders its fallback, never a crash.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/window_model.h"
#include "save/save_error.h"
#include "scoring/errors.h"
#include "support/scratch_dir.h"
#include "support/fixture_save.h"

namespace vsl {
namespace {

using testing::BuildBody;
using testing::BuildHeader;
using testing::BuildSaveFile;
using testing::MakeContainer;
using ::testing::Matcher;
using testing::Plot;
using testing::SaveDesc;
using ::testing::StartsWith;
using ::testing::ThrowsMessage;
using testing::WriteFile;

using Bytes = std::vector<uint8_t>;

SaveDesc Game(const std::string& nick, int32_t score) {
  SaveDesc desc;
  desc.elapsedTurns = 60;
  desc.endTurn = 460;
  desc.playTimeQuarters = 4 * 4000;
  desc.sessionCount = 3;
  desc.maxima = {300 + score % 50, 200, 300, 100};
  desc.inits = {10, 10, 10, 10};
  desc.score = score;
  desc.Slot(0).Named(nick).Leader(3).Civ(5);
  desc.Team(0).Members(1).Population(30).Land(20).Meets({0});
  desc.Player(0).Population(30).Scores(100 + score, 50, 20, 30).Alive().HistoryPair(0, 1, score);
  desc.map.Size(1, 1).LandPlots(1).Add(Plot(0, 2));
  return desc;
}

// A way for a selected file to fail, and the reason the error gives after the file's path.
struct Failure {
  const char* kind;
  std::function<void(const std::string& path)> make;
  Matcher<const std::string&> reason;
};

std::vector<Failure> Failures() {
  const auto write = [](Bytes bytes) { return [bytes](const std::string& path) { WriteFile(path, bytes); }; };
  Bytes badChecksum = BuildSaveFile(Game("c", 1));
  badChecksum.back() ^= 0x40;
  Bytes body = BuildBody(Game("t", 2));
  body.resize(body.size() / 2);
  SaveDesc badScores = Game("s", 3);
  badScores.maxima = {-400, 200, 300, 100};
  return {
      {"no save container", write({'n', 'o', 't', 'e', 's'}), StartsWith("no compressed body found")},
      {"damaged stream", write(badChecksum), "the compressed body is damaged (zlib: data error)"},
      {"cut short", write(MakeContainer(BuildHeader(Game("t", 2)), body)),
       StartsWith("save is truncated or damaged at offset ")},
      {"damaged score values", write(BuildSaveFile(badScores)),
       "the save's score values are damaged (Invalid floating point operation)"},
      {"folder", [](const std::string& path) { std::filesystem::create_directory(path); },
       "cannot read the file: Is a directory"},
      {"missing", [](const std::string&) {}, "cannot open the file: No such file or directory"},
  };
}

class DamagedBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = scratch_.Path();
  }

  std::string Save(const std::string& name, const SaveDesc& desc) {
    return WriteFile(dir_ + "/" + name + ".Save", BuildSaveFile(desc));
  }
  std::string Damaged(const std::string& name, const Failure& failure) {
    const std::string path = dir_ + "/" + name + ".Save";
    failure.make(path);
    return path;
  }
  static BatchOptions Threads(unsigned threads, bool keepGoing = false) {
    BatchOptions options;
    options.Threads = threads;
    options.KeepGoing = keepGoing;
    return options;
  }
  static WindowModel Model() { return WindowModel(std::make_shared<FixedLocaleServices>('.')); }
  // Shows a batch of five files first, so that the grids have rows to blank.
  void ShowFiveFiles(WindowModel& model) {
    std::vector<std::string> old;
    for (int i = 0; i < 5; ++i) old.push_back(Save("old" + std::to_string(i), Game("Old", 10 * i)));
    model.Button1Click(old, Threads(1));
  }
  // Rows first..last of all four grids are blank.
  static void ExpectBlankRows(const WindowModel& model, int first, int last) {
    for (const Grid* grid :
         {&model.BaseGrid(), &model.ReloadGrid(), &model.AdditionalGrid(), &model.LadderGrid()}) {
      for (int row = first; row <= last; ++row) {
        for (int col = 0; col < grid->ColCount(); ++col)
          EXPECT_EQ(grid->Cell(col, row), " ") << col << ", " << row;
      }
    }
  }
  static size_t Lines(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  }

  testing::ScratchDir scratch_;
  std::string dir_;
};

TEST_F(DamagedBatchTest, EveryKindOfFailureEndsTheBatchAtItsFile) {
  for (const Failure& failure : Failures()) {
    for (const unsigned threads : {1u, 2u}) {
      SCOPED_TRACE(std::string(failure.kind) + (threads == 1 ? ", one by one" : ", in parallel"));
      WindowModel model = Model();
      ShowFiveFiles(model);
      const std::vector<std::string> paths = {Save("d", Game("Dora", 40)), Save("b", Game("Ben", 20)),
                                              Damaged("bad", failure), Save("a", Game("Ada", 10))};
      try {
        model.Button1Click(paths, Threads(threads));
        ADD_FAILURE() << "the batch loaded";
      } catch (const BatchFileError& e) {
        EXPECT_EQ(e.Path(), paths[2]);
        EXPECT_THAT(e.what(), StartsWith(paths[2] + ": "));
        EXPECT_THAT(e.Reason(), failure.reason);
      }
      // The two files before it, sorted by name and rendered; nothing of the earlier batch.
      EXPECT_EQ(model.SaveCount(), 2);
      EXPECT_EQ(model.BaseGrid().Cell(1, 1), "b");
      EXPECT_EQ(model.BaseGrid().Cell(2, 1), "Ben");
      EXPECT_EQ(model.BaseGrid().Cell(1, 2), "d");
      EXPECT_EQ(model.LadderGrid().Cell(1, 2), "Dora");
      ExpectBlankRows(model, 3, 5);
      EXPECT_TRUE(model.Chart().Series(1).InLegend);
      EXPECT_FALSE(model.Chart().Series(2).InLegend);
      EXPECT_EQ(Lines(model.ExportText()), 3u);
      std::filesystem::remove_all(paths[2]);
    }
  }
}

TEST_F(DamagedBatchTest, AFailingFirstFileLeavesAnEmptyList) {
  const Failure failure = Failures()[0];
  WindowModel model = Model();
  ShowFiveFiles(model);
  const std::string bad = Damaged("first", failure);
  EXPECT_THAT(
      [&] {
        model.Button1Click({bad, Save("x", Game("Xu", 5))});
      },
      ThrowsMessage<BatchFileError>(StartsWith(bad + ": no compressed body found")));
  EXPECT_EQ(model.SaveCount(), 0);
  ExpectBlankRows(model, 1, 5);
  for (int k = 0; k < ChartModel::kSeriesCount; ++k) EXPECT_FALSE(model.Chart().Series(k).InLegend) << k;
  EXPECT_EQ(Lines(model.ExportText()), 1u);
  EXPECT_EQ(model.Edits().Edit1, dir_);
}

TEST_F(DamagedBatchTest, KeepGoingSkipsEveryKindOfDamageAndReportsTheRest) {
  const std::vector<Failure> failures = Failures();
  for (const unsigned threads : {1u, 2u}) {
    SCOPED_TRACE(threads == 1 ? "one by one" : "in parallel");
    WindowModel model = Model();
    ShowFiveFiles(model);
    std::vector<std::string> paths = {Save("z", Game("Zoe", 7))};
    for (size_t i = 0; i < failures.size(); ++i)
      paths.push_back(Damaged("bad" + std::to_string(i), failures[i]));
    paths.push_back(Save("m", Game("Max", 33)));
    const BatchResult result = model.Button1Click(paths, Threads(threads, true));
    EXPECT_EQ(result.Loaded, 2);
    ASSERT_EQ(result.Skipped.size(), failures.size());
    for (size_t i = 0; i < failures.size(); ++i) {
      SCOPED_TRACE(failures[i].kind);
      EXPECT_EQ(result.Skipped[i].Path, paths[i + 1]);
      EXPECT_THAT(result.Skipped[i].Message, StartsWith(paths[i + 1] + ": "));
      EXPECT_THAT(result.Skipped[i].Message.substr(paths[i + 1].size() + 2), failures[i].reason);
    }
    EXPECT_EQ(model.SaveCount(), 2);
    EXPECT_EQ(model.BaseGrid().Cell(1, 1), "m");
    EXPECT_EQ(model.BaseGrid().Cell(1, 2), "z");
    ExpectBlankRows(model, 3, 5);
    EXPECT_EQ(model.Ladder().MaxPop, 333);  // the last file loaded brings its maxima, a skipped one none
    for (const std::string& path : paths) std::filesystem::remove_all(path);
  }
}

TEST_F(DamagedBatchTest, FilesBeyondTheHundredthAreNeverRead) {
  const std::string good = Save("g", Game("Gil", 1));
  const std::string bad = Damaged("bad", Failures()[0]);
  std::vector<std::string> paths(100, good);
  paths.push_back(bad);
  WindowModel model = Model();
  const BatchResult result = model.Button1Click(paths);
  EXPECT_EQ(result.Loaded, 100);
  EXPECT_EQ(result.LeftOut, 1);
  EXPECT_EQ(Lines(model.ExportText()), 101u);
  // The hundredth file is read like any other.
  paths[99] = bad;
  EXPECT_THROW(model.Button1Click(paths), BatchFileError);
  EXPECT_EQ(model.SaveCount(), 99);
}

// Values outside their ranges that are not damage: each cell shows its fallback.
TEST_F(DamagedBatchTest, ValuesOutsideTheirRangesRenderTheirFallbacks) {
  SaveDesc desc = Game("Hal", 50);
  desc.level = 42;
  desc.gameSpeed = -3;
  desc.victoryType = 17;
  desc.gameEnded = 1;
  desc.costSetting1 = 99;
  desc.costSetting4 = -1;
  desc.Slot(0).Leader(999).Civ(-7).OnTeam(40);
  desc.Slot(1).Named("Ivo").Leader(-2).Civ(26).OnTeam(-1);
  desc.Player(0).Message("You have discovered Optics!", 30).City("Ur", 400);
  SaveDesc loss = Game("Lou", 60);
  loss.gameEnded = 1;
  loss.victoryType = -1;
  loss.level = -1;
  SaveDesc running = Game("Ron", 70);
  running.victoryType = 17;  // a game not decided shows no kind of victory
  running.level = 9;
  running.gameSpeed = 4;
  // An old version counts its speed from 1: the largest speed has no successor and wraps (fuzz finding).
  SaveDesc old = Game("Oda", 80);
  old.version = 101;
  old.gameSpeed = INT32_MAX;
  WindowModel model = Model();
  model.Button1Click({Save("h", desc), Save("l", loss), Save("r", running), Save("s", old)});

  const Grid& base = model.BaseGrid();
  EXPECT_EQ(base.Cell(2, 1), "Hal");
  EXPECT_EQ(base.Cell(3, 1), "Unknown");  // leader
  EXPECT_EQ(base.Cell(4, 1), "Unknown");  // civilization
  EXPECT_EQ(base.Cell(6, 1), "9999BC");   // a speed without a calendar
  EXPECT_EQ(base.Cell(10, 1), "Unknown");
  EXPECT_EQ(base.Cell(11, 1), "Unknown");
  EXPECT_EQ(base.Cell(10, 2), "Unknown");
  EXPECT_EQ(base.Cell(11, 2), "Loss");
  EXPECT_EQ(base.Cell(10, 3), "Unknown");
  EXPECT_EQ(base.Cell(11, 3), "Incomplete");
  EXPECT_EQ(base.Cell(6, 3), "9999BC");
  // A team outside 0..18 has met nobody and has no vassals; its cities and technologies still count.
  EXPECT_EQ(model.Row(0).Met, 0);
  EXPECT_EQ(model.Row(0).Rank, 1);
  EXPECT_EQ(model.Row(0).Cities, 1);
  EXPECT_EQ(model.Row(0).Culture1, 400);
  EXPECT_EQ(base.Cell(6, 4), "9999BC");
  // Every Ladder cell of every row is rendered, the difficulty bonus of level 42 included.
  for (int row = 1; row <= 4; ++row) EXPECT_NE(model.LadderGrid().Cell(21, row), " ") << row;

  // Audit settings at the ends of their range are no fault either.
  model.Edits().Edit8 = "2147483647";
  model.Edits().Edit4 = "-2147483648";
  model.Edit6Change();
  EXPECT_EQ(model.Audit().MinSessionTime, INT32_MAX);
  EXPECT_EQ(model.ReloadGrid().Cell(10, 1), "   0");  // no reload allowance by time
}

TEST_F(DamagedBatchTest, TurnsPlayedOfZeroAndBelowRenderWithoutCurveOrRate) {
  SaveDesc none = Game("Nil", 5);
  none.elapsedTurns = 0;
  SaveDesc negative = Game("Neg", 6);
  negative.elapsedTurns = -5;
  WindowModel model = Model();
  model.Button1Click({Save("a", none), Save("b", negative)});
  EXPECT_EQ(model.ReloadGrid().Cell(3, 1), "   0");
  EXPECT_EQ(model.ReloadGrid().Cell(3, 2), "  -5");
  EXPECT_EQ(model.ReloadGrid().Cell(8, 1), "  0.00");
  EXPECT_EQ(model.ReloadGrid().Cell(8, 2), "  0.00");
  EXPECT_TRUE(model.Chart().Series(0).Points.empty());
  EXPECT_TRUE(model.Chart().Series(1).Points.empty());
  EXPECT_EQ(model.BaseGrid().Cell(6, 2), "4200BC");  // the calendar's first stretch runs on before turn 0
}

TEST_F(DamagedBatchTest, SixteenBitNamesKeepTheirLowBytes) {
  // A name of three 16-bit characters whose high bytes are not zero: the low bytes remain, and a
  // character whose low byte is zero ends the name.
  const SaveDesc desc = Game("QzW", 1);
  const auto file = [&](const std::string& name, const std::array<uint8_t, 3>& highs, uint8_t thirdLow) {
    Bytes header = BuildHeader(desc);
    const Bytes wide = {3, 0, 0, 0, 'Q', 0, 'z', 0, 'W', 0};
    const auto at = std::search(header.begin(), header.end(), wide.begin(), wide.end());
    EXPECT_NE(at, header.end());
    for (size_t i = 0; i < 3; ++i) at[static_cast<ptrdiff_t>(5 + 2 * i)] = highs[i];
    at[8] = thirdLow;
    return WriteFile(dir_ + "/" + name + ".Save", MakeContainer(header, BuildBody(desc)));
  };
  WindowModel model = Model();
  model.Button1Click({file("high", {0x04, 0x13, 0xFF}, 'W'), file("zero", {0x01, 0x00, 0x4E}, 0)});
  EXPECT_EQ(model.BaseGrid().Cell(2, 1), "QzW");
  EXPECT_EQ(model.BaseGrid().Cell(2, 2), "Qz");
}

// Ladder maxima and end turns of 0 and below, as a save brings them.
TEST_F(DamagedBatchTest, SaveMaximaOfZeroAndBelow) {
  SaveDesc zero = Game("Zero", 5);
  zero.maxima = {0, 0, 0, 0};
  zero.endTurn = 0;
  WindowModel model = Model();
  model.Button1Click({Save("z", zero)});
  // A maximum of 0 gives every component −1 after turn 0; an end turn of 0 counts as 1200 turns and, as
  // the Turn component's maximum, gives it −1 too. MaxCulture and MaxMTech keep their own values.
  const TSaveDataRec& row = model.Row(0);
  EXPECT_EQ(row.FPop, -1);
  EXPECT_EQ(row.FWonder, -1);
  EXPECT_EQ(row.FTurn, -1);
  EXPECT_EQ(model.LadderGrid().Cell(11, 1), "    -1");

  // A negative maximum or end turn: the rendering stops before any row, with the error the user sees;
  // the rows are loaded and show once the maximum is corrected.
  for (const bool endTurn : {false, true}) {
    SaveDesc negative = Game("Neg", 6);
    if (endTurn) {
      negative.endTurn = -460;
    } else {
      negative.maxima = {-400, 200, 300, 100};
      negative.inits = {0, 10, 10, 10};  // no start value: the game's own final score stays defined
    }
    WindowModel m = Model();
    ShowFiveFiles(m);
    EXPECT_THAT(
        [&] {
          m.Button1Click({Save("a", Game("Ann", 1)), Save("n", negative)});
        },
        ThrowsMessage<MathError>(::testing::StrEq("Invalid floating point operation")));
    EXPECT_EQ(m.SaveCount(), 2);
    ExpectBlankRows(m, 1, 2);
    (endTurn ? m.Edits().MaxTurnE : m.Edits().MaxPopE) = "460";
    m.PopFactorEChange();
    EXPECT_EQ(m.BaseGrid().Cell(2, 1), "Ann");
    EXPECT_EQ(m.BaseGrid().Cell(2, 2), "Neg");
  }
}

}  // namespace
}  // namespace vsl
