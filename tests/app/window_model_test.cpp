#include "app/window_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/format.h"
#include "gamedata/datetime.h"
#include "scoring/errors.h"

namespace vsl {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

// A record as a parse would leave it, with a few distinguishing values.
TSaveDataRec Record(const std::string& file, const std::string& nick, int32_t score = 0) {
  TSaveDataRec r;
  r.FileName = file;
  r.NickName = nick;
  r.Score = score;
  r.FileDate = EncodeDateTime({2005, 11, 30, 14, 5, 8});
  r.ElapsedTurns = 3;
  r.StartTurn = 10;
  r.GameTurn = 13;
  r.EndTurn = 460;
  return r;
}

class WindowModelTest : public ::testing::Test {
 protected:
  // A batch of records loaded as the load ends it: blank the old rows, sort by file name, render.
  void Load(const std::vector<TSaveDataRec>& records) {
    model.ClearList(model.SaveCount());
    for (size_t i = 0; i < records.size(); ++i) model.MutableRow(static_cast<int>(i)) = records[i];
    model.SetSaveCount(static_cast<int>(records.size()));
    model.SortByFileName();
    model.PrintData();
  }
  std::vector<std::string> Column(const Grid& g, int col) const {
    std::vector<std::string> cells;
    for (int row = 1; row <= model.SaveCount(); ++row) cells.push_back(g.Cell(col, row));
    return cells;
  }

  WindowModel model{std::make_shared<FixedLocaleServices>('?')};
};

TEST_F(WindowModelTest, FreshWindow) {
  EXPECT_EQ(model.BaseGrid().ColCount(), 12);
  EXPECT_EQ(model.ReloadGrid().ColCount(), 13);
  EXPECT_EQ(model.AdditionalGrid().ColCount(), 15);
  EXPECT_EQ(model.LadderGrid().ColCount(), 23);
  EXPECT_EQ(model.BaseGrid().RowCount(), 101);
  EXPECT_EQ(model.BaseGrid().Cell(0, 0), "\xB9");
  EXPECT_EQ(model.BaseGrid().Cell(11, 0), "Victory");
  EXPECT_EQ(model.BaseGrid().ColWidth(1), 240);
  EXPECT_EQ(model.ReloadGrid().Cell(12, 0), "Penalty");
  EXPECT_EQ(model.AdditionalGrid().Cell(6, 0), "Land %");
  EXPECT_EQ(model.LadderGrid().Cell(22, 0), "Norma");
  EXPECT_EQ(model.LadderGrid().ColWidth(14), 40);
  EXPECT_EQ(model.BaseGrid().Cell(1, 100), "");

  // Decimal defaults follow the locale's separator.
  EXPECT_EQ(model.Edits().Edit7, "1?5");
  EXPECT_EQ(model.Edits().Edit5, "10?0");
  EXPECT_EQ(model.Edits().Edit9, "5?0");
  EXPECT_EQ(model.Edits().MaxMTechE, "    0");
  EXPECT_EQ(model.Ladder().MaxMTech, 150);
  EXPECT_TRUE(model.Ascending(SortKey::FileName));
  EXPECT_TRUE(model.Ascending(SortKey::Turn));
  EXPECT_FALSE(model.Ascending(SortKey::Score));
  EXPECT_FALSE(model.Ascending(SortKey::LadderFinal));

  // The export of an empty window is the header line alone, without CR LF at the end.
  EXPECT_EQ(
      model.ExportText(),
      "\xB9; File Name; NickName; LeaderName; CivName; Turn; Date; Play Time; Score; Final; Level; Victory; "
      "File Date; Turn; Date; Play Time; Play Days; Reloads; Percent; Session; Max Reloads; Honesty; "
      "Cities; Units; Techs; Land; Land %; Pop; Pop %; Culture 1; Culture 2; Culture 3; Rank; Met; Vassals; "
      "Pop; Land; Tech; Wonder; Culture; MTech; Turn; Date; Reload; FPop; FLand; FTech; FWonder; FCulture; "
      "FMTech; FTurn; Result; Penalty; Bonus; Final; Norma");
}

TEST_F(WindowModelTest, RendersARecordIntoAllFourGrids) {
  TSaveDataRec r = Record("Game1", "Anna", 812);
  r.LeaderType = 40;  // outside the table
  r.CivType = 1;
  r.GameYear = -975;
  r.PlayTime = 3725;
  r.FinalScore = 901;
  r.Level = 6;
  r.GameEnded = 1;
  r.VictoryType = 4;
  r.PlayDays = 4;
  r.Reloads = 6;
  r.ReloadPercent = 200;
  r.SessionTime = 620;
  r.MaxReloads = 6;
  r.Honesty = 1;
  r.Cities = 5, r.Units = 17, r.Techs = 22, r.Land = 40, r.LandPercent = 12.5L, r.Pop = 9,
  r.PopPercent = 1.0L / 3;
  r.Culture1 = 123456, r.Culture2 = 5, r.Culture3 = 0;
  r.Rank = 2, r.Met = 4, r.Vassals = 1;
  r.PopScore = 100, r.LandScore = 50, r.TechScore = 30, r.WonderScore = 20, r.CultureScore = 7,
  r.MTechScore = 10;
  Load({r});

  const Grid& base = model.BaseGrid();
  const std::vector<std::string> baseRow = {"1",       "Game1",  "Anna",       "Unknown", CivNameText(1),
                                            "  13",    " 975BC", "   1:02:05", "   812",  "   901",
                                            "Emperor", "Culture"};
  for (int c = 0; c < 12; ++c) EXPECT_EQ(base.Cell(c, 1), baseRow[static_cast<size_t>(c)]) << "column " << c;

  const Grid& reload = model.ReloadGrid();
  const std::vector<std::string> reloadRow = {"1",
                                              "Game1",
                                              "30-11-2005 14:05:08",
                                              "   3",
                                              " 975BC",
                                              "   1:02:05",
                                              "   4",
                                              "   6",
                                              "200?00",
                                              "   0:10:20",
                                              "   6",
                                              "Average",
                                              ""};
  for (int c = 0; c < 13; ++c)
    EXPECT_EQ(reload.Cell(c, 1), reloadRow[static_cast<size_t>(c)]) << "column " << c;

  const Grid& add = model.AdditionalGrid();
  const std::vector<std::string> addRow = {"1",         "Anna",      "     5", "    17", "    22",
                                           "    40",    " 12?50",    "     9", "  0?33", "  1234?56",
                                           "     0?05", "     0?00", "     2", "     4", "     1"};
  for (int c = 0; c < 15; ++c) EXPECT_EQ(add.Cell(c, 1), addRow[static_cast<size_t>(c)]) << "column " << c;

  const Grid& ladder = model.LadderGrid();
  EXPECT_EQ(ladder.Cell(0, 1), "1");
  EXPECT_EQ(ladder.Cell(1, 1), "Anna");
  EXPECT_EQ(ladder.Cell(2, 1), "   100");
  EXPECT_EQ(ladder.Cell(8, 1), "    13");
  EXPECT_EQ(ladder.Cell(9, 1), " 975BC");
  EXPECT_EQ(ladder.Cell(10, 1), "     6");
  EXPECT_EQ(ladder.Cell(19, 1), "     0");
  EXPECT_EQ(ladder.Cell(22, 1), " 1?000");  // the only row with a positive final is the best
}

TEST_F(WindowModelTest, LockedRowsShowOnlyTheirNamesAndKeepBlanksAfterASort) {
  TSaveDataRec open = Record("B", "Open", 500);
  TSaveDataRec locked = Record("A", "Locked", 900);
  locked.LockText = "pw";
  Load({open, locked});
  // Sorted by file name, the locked file is row 1; its other cells were never written.
  EXPECT_EQ(model.BaseGrid().Cell(0, 1), "1");
  EXPECT_EQ(model.BaseGrid().Cell(1, 1), "A");
  EXPECT_EQ(model.BaseGrid().Cell(2, 1), "");
  EXPECT_EQ(model.ReloadGrid().Cell(1, 1), "A");
  EXPECT_EQ(model.ReloadGrid().Cell(2, 1), "30-11-2005 14:05:08");
  EXPECT_EQ(model.ReloadGrid().Cell(3, 1), "");
  EXPECT_EQ(model.AdditionalGrid().Cell(1, 1), "Locked");
  EXPECT_EQ(model.AdditionalGrid().Cell(2, 1), "");
  EXPECT_EQ(model.LadderGrid().Cell(1, 1), "Locked");
  EXPECT_EQ(model.LadderGrid().Cell(21, 1), "");
  EXPECT_EQ(model.BaseGrid().Cell(8, 2), "   500");

  // Score: descending puts the locked 900 first again, then ascending moves it to row 2.
  model.SortClick(vsl::SortKey::Score);
  model.SortClick(vsl::SortKey::Score);
  EXPECT_EQ(Column(model.BaseGrid(), 1), (std::vector<std::string>{"B", "A"}));
  // Row 2 held the open file's values; the locked file there shows blanks, never those values.
  EXPECT_EQ(model.BaseGrid().Cell(8, 2), " ");
  EXPECT_EQ(model.ReloadGrid().Cell(11, 2), " ");
  EXPECT_EQ(model.LadderGrid().Cell(21, 2), " ");
  EXPECT_EQ(model.ReloadGrid().Cell(2, 2), "30-11-2005 14:05:08");
  EXPECT_EQ(model.BaseGrid().Cell(8, 1), "   500");
  // The locked file is not in the chart's legend.
  EXPECT_FALSE(model.Chart().Series(1).InLegend);
  EXPECT_TRUE(model.Chart().Series(0).InLegend);
}

TEST_F(WindowModelTest, ClearListWritesBlanksWhereNothingWasWritten) {
  Load({Record("A", "a"), Record("B", "b"), Record("C", "c")});
  EXPECT_EQ(model.ReloadGrid().Cell(12, 1), "");  // never written
  EXPECT_EQ(model.BaseGrid().Cell(0, 4), "");
  Load({Record("D", "d")});
  // The new batch blanked the three old rows; rows 2 and 3 keep their blanks, column 12 too.
  EXPECT_EQ(model.BaseGrid().Cell(1, 1), "D");
  EXPECT_EQ(model.ReloadGrid().Cell(12, 1), " ");
  EXPECT_EQ(model.BaseGrid().Cell(1, 2), " ");
  EXPECT_EQ(model.LadderGrid().Cell(22, 3), " ");
  EXPECT_EQ(model.BaseGrid().Cell(1, 4), "");
  // ClearList reaches row 100 in every column and never the headers.
  model.ClearList(100);
  EXPECT_EQ(model.LadderGrid().Cell(22, 100), " ");
  EXPECT_EQ(model.LadderGrid().Cell(22, 0), "Norma");
}

TEST_F(WindowModelTest, SortsAreStableAndFlipTheirDirection) {
  Load({Record("f1", "first", 500), Record("f2", "second", 700), Record("f3", "third", 500)});
  model.SortClick(vsl::SortKey::Score);
  EXPECT_EQ(Column(model.BaseGrid(), 2), (std::vector<std::string>{"second", "first", "third"}));
  EXPECT_TRUE(model.Ascending(SortKey::Score));
  model.SortClick(vsl::SortKey::Score);
  EXPECT_EQ(Column(model.BaseGrid(), 2), (std::vector<std::string>{"first", "third", "second"}));
  // Row numbers stay 1..n, the curves follow the rows.
  EXPECT_EQ(Column(model.BaseGrid(), 0), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(model.Chart().Series(0).Title, "first");
  EXPECT_EQ(model.Chart().Series(2).Title, "second");
  // Other keys keep their directions.
  EXPECT_TRUE(model.Ascending(SortKey::FileName));
  EXPECT_FALSE(model.Ascending(SortKey::FinalScore));
}

// Each button orders by its own field; the values of the neighbouring fields run the other way.
TEST_F(WindowModelTest, EachSortKeyOrdersByItsOwnField) {
  TSaveDataRec a = Record("a", "A"), b = Record("b", "B"), c = Record("c", "C");
  a.ElapsedTurns = 20, b.ElapsedTurns = 30, c.ElapsedTurns = 10;  // turns played: C, A, B
  a.GameTurn = 20, b.GameTurn = 10, c.GameTurn = 30;              // the game turn: B, A, C
  a.FinalScore = 5, b.FinalScore = 9, c.FinalScore = 7;           // final, descending: B, C, A
  a.Score = 9, b.Score = 5, c.Score = 7;                          // score, descending: A, C, B
  a.MTechScore = 150, b.MTechScore = 100, c.MTechScore = 50;      // Ladder final, descending: A, B, C
  Load({a, b, c});
  model.SortClick(vsl::SortKey::Turn);
  EXPECT_EQ(Column(model.BaseGrid(), 2), (std::vector<std::string>{"C", "A", "B"}));
  model.SortClick(vsl::SortKey::FinalScore);
  EXPECT_EQ(Column(model.BaseGrid(), 2), (std::vector<std::string>{"B", "C", "A"}));
  model.SortClick(vsl::SortKey::LadderFinal);
  EXPECT_EQ(Column(model.BaseGrid(), 2), (std::vector<std::string>{"A", "B", "C"}));
  model.SortClick(vsl::SortKey::Score);
  EXPECT_EQ(Column(model.BaseGrid(), 2), (std::vector<std::string>{"A", "C", "B"}));
}

TEST_F(WindowModelTest, FileNamesCompareIgnoringCaseAndALoadFollowsTheLastDirection) {
  Load({Record("b", "1"), Record("A", "2"), Record("a", "3"), Record("C", "4")});
  EXPECT_EQ(Column(model.BaseGrid(), 1), (std::vector<std::string>{"A", "a", "b", "C"}));
  model.SortClick(vsl::SortKey::FileName);  // ascending again (already sorted), then descending for the next
  EXPECT_EQ(Column(model.BaseGrid(), 1), (std::vector<std::string>{"A", "a", "b", "C"}));
  EXPECT_FALSE(model.Ascending(SortKey::FileName));
  // A new batch after an odd number of clicks is listed in descending order; equal names keep theirs.
  Load({Record("a", "x"), Record("c", "y"), Record("A", "z"), Record("b", "w")});
  EXPECT_EQ(Column(model.BaseGrid(), 1), (std::vector<std::string>{"c", "b", "a", "A"}));
}

TEST_F(WindowModelTest, SortClickWithOneRowFlipsAndRenders) {
  Load({Record("a", "x")});
  model.ClearList(1);
  model.SortClick(vsl::SortKey::Turn);
  EXPECT_FALSE(model.Ascending(SortKey::Turn));
  EXPECT_EQ(model.BaseGrid().Cell(1, 1), "a");
}

TEST_F(WindowModelTest, LeavingALadderEditBeforeAnyLoadReadsEveryStartText) {
  model.PopFactorEChange();
  EXPECT_EQ(model.Ladder().MaxMTech, 0);
  EXPECT_EQ(model.Ladder().WonderFactor, 5000);
  EXPECT_EQ(model.Edits().MaxMTechE, "     0");
}

TEST_F(WindowModelTest, LadderEditsScoreEveryRow) {
  TSaveDataRec r = Record("a", "x");
  r.GameTurn = 230;
  r.PopScore = 100;
  Load({r});
  WindowEdits& e = model.Edits();
  e.MaxPopE = "400";
  e.MaxTurnE = "  460";
  model.PopFactorEChange();
  EXPECT_EQ(model.Row(0).FPop, 12500);
  EXPECT_EQ(model.LadderGrid().Cell(11, 1), " 12500");
  // The edits show what was converted, right-aligned in six characters.
  EXPECT_EQ(e.MaxPopE, "   400");
  EXPECT_EQ(e.MaxTurnE, "   460");
  EXPECT_EQ(e.MaxMTechE, "   150");
}

TEST_F(WindowModelTest, LadderEditThatDoesNotConvertKeepsTheEarlierOnes) {
  Load({Record("a", "x")});
  const std::string before = model.ExportText();
  WindowEdits& e = model.Edits();
  e.MaxPopE = "400";
  e.MaxLandE = "12x";
  e.MaxTechE = "77";
  EXPECT_THAT([&] { model.PopFactorEChange(); },
              ThrowsMessage<ConvertError>(StrEq("'12x' is not a valid integer value")));
  EXPECT_EQ(model.Ladder().MaxPop, 400);
  EXPECT_EQ(model.Ladder().MaxTech, 0);  // not reached
  EXPECT_EQ(e.MaxPopE, "400");           // nothing re-rendered
  EXPECT_EQ(model.ExportText(), before);
}

TEST_F(WindowModelTest, InvalidFloatingPointOperationRendersNoRow) {
  TSaveDataRec r = Record("a", "x");
  r.GameTurn = 230;
  Load({r, Record("b", "y")});
  model.ClearList(2);
  model.Edits().MaxPopE = "-400";
  model.Edits().MaxTurnE = "460";
  EXPECT_THAT([&] { model.PopFactorEChange(); },
              ThrowsMessage<MathError>(StrEq("Invalid floating point operation")));
  EXPECT_EQ(model.BaseGrid().Cell(1, 1), " ");
  EXPECT_EQ(model.BaseGrid().Cell(1, 2), " ");
}

TEST_F(WindowModelTest, AuditThroughTheEdits) {
  // Written on the fourth tournament day with five hours of play and seven sessions.
  TSaveDataRec r = Record("a", "x");
  r.FileDate = EncodeDateTime({2005, 11, 30, 14, 5, 8});
  r.PlayTime = 5 * 3600;
  r.SessionCount = 7;
  r.Level = 6;
  Load({r});
  model.Edit6Change();
  EXPECT_EQ(model.Row(0).PlayDays, 4);
  EXPECT_EQ(model.Row(0).MaxReloads, 6);
  EXPECT_EQ(model.ReloadGrid().Cell(11, 1), "Average");
  EXPECT_EQ(model.ReloadGrid().Cell(8, 1), "200?00");
  // Base level and bonus reach the Ladder through the audit.
  EXPECT_EQ(model.Audit().BaseLevel, 5);
  EXPECT_EQ(model.Audit().LevelBonus, 15);
  model.Edits().BaseLevelSelect = -1;
  model.Edit6Change();
  EXPECT_EQ(model.Audit().BaseLevel, -1);
}

TEST_F(WindowModelTest, AuditSettingThatDoesNotConvertStopsAtTheFirstRow) {
  TSaveDataRec r = Record("a", "x");
  r.SessionCount = 7;
  Load({r, Record("b", "y")});
  model.Edit6Change();
  const std::string before = model.ExportText();
  ASSERT_EQ(model.Row(0).PlayDays, 4);

  // A later start date rewrites the first row's play days before the separator fails.
  model.Edits().Edit6 = "29";
  model.Edits().Edit7 = "1.5";  // the separator here is '?'
  model.Edits().Edit8 = "45";
  EXPECT_THAT([&] { model.Edit6Change(); },
              ThrowsMessage<ConvertError>(StrEq("'1.5' is not a valid floating point value")));
  EXPECT_EQ(model.Row(0).PlayDays, 2);
  EXPECT_EQ(model.Row(1).PlayDays, 4);
  EXPECT_EQ(model.ExportText(), before);

  model.Edits().Edit7 = "1?5";
  model.Edits().Edit6 = "32";
  EXPECT_THAT([&] { model.Edit6Change(); },
              ThrowsMessage<ConvertError>(StrEq("'32-11-2005' is not a valid date")));
}

TEST_F(WindowModelTest, ExportOfSeveralFiles) {
  TSaveDataRec locked = Record("b", "lock; ed");
  locked.LockText = "x";
  Load({Record("c", "c"), Record("d", "d")});  // leaves blanks in rows 1 and 2
  Load({Record("a", "x"), locked});
  const std::string text = model.ExportText();
  std::vector<std::string> lines;
  for (size_t start = 0;;) {
    size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 14), "\xB9; File Name; ");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 9), "; Norma; ");
  EXPECT_EQ(lines[1].substr(0, 9), "1; a; x; ");
  EXPECT_EQ(lines[1].substr(lines[1].size() - 10), ";  0?000; ");
  // The locked row: number, file name and date, blanks elsewhere; its nick name is not exported.
  std::string lockedLine = "2; b";
  for (int f = 2; f < 12; ++f) lockedLine += ";  ";
  lockedLine += "; 30-11-2005 14:05:08";
  for (int f = 13; f < 56; ++f) lockedLine += ";  ";
  EXPECT_EQ(lines[2], lockedLine);
  EXPECT_EQ(model.ExportRows().size(), 3u);
  EXPECT_EQ(model.ExportRows()[1].size(), static_cast<size_t>(kExportFields));
  std::ostringstream out;
  model.Export(out);
  EXPECT_EQ(out.str(), text);
}

TEST_F(WindowModelTest, SaveResultsWritesTheExportOrNamesTheFileThatFailed) {
  EXPECT_EQ(model.ProposedExportName(), "Res.txt");
  model.Edits().Edit1 = "/games/saves";
  EXPECT_EQ(model.ProposedExportName(), "/games/saves/Res.txt");
  Load({Record("a", "x")});
  const std::string path = ::testing::TempDir() + "/window_model_res.txt";
  { std::ofstream(path) << "old contents that are longer than nothing at all"; }
  model.Button2Click(path);
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), model.ExportText());
  std::filesystem::remove(path);

  // A file keeps its permissions; a link stays and the file it points to is replaced.
  const std::string target = ::testing::TempDir() + "/window_model_target.txt";
  const std::string link = ::testing::TempDir() + "/window_model_link.txt";
  { std::ofstream(target) << "old"; }
  std::filesystem::permissions(target, std::filesystem::perms(0640));
  std::filesystem::remove(link);
  std::filesystem::create_symlink(target, link);
  model.Button2Click(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
  std::ifstream written(target, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), model.ExportText());
  std::filesystem::remove(link);
  std::filesystem::remove(target);
  // In a folder that may not be written, a file that may be is rewritten in place (root may write all).
  if (geteuid() != 0) {
    const std::string folder = ::testing::TempDir() + "/window_model_locked";
    std::filesystem::create_directories(folder);
    { std::ofstream(folder + "/Res.txt") << "old"; }
    std::filesystem::permissions(folder, std::filesystem::perms(0555));
    model.Button2Click(folder + "/Res.txt");
    std::filesystem::permissions(folder, std::filesystem::perms(0755));
    std::ifstream inPlace(folder + "/Res.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(inPlace), {}), model.ExportText());
    std::filesystem::remove_all(folder);
  }

  const std::string bad = ::testing::TempDir() + "/no such folder/Res.txt";
  EXPECT_THAT([&] { model.Button2Click(bad); },
              ThrowsMessage<ExportError>(StrEq(bad + ": cannot create the file: No such file or directory")));
}

TEST_F(WindowModelTest, ChartSeriesFollowTheRows) {
  const ChartModel& chart = model.Chart();
  EXPECT_EQ(chart.Series(0).Title, "Graph01");
  EXPECT_EQ(chart.Series(19).Title, "Graph20");
  EXPECT_EQ(chart.Series(0).Colour, 0xFF0000u);
  EXPECT_EQ(chart.Series(8).Colour, 0xFFFFFFu);
  EXPECT_EQ(chart.Series(19).Colour, 0x808080u);
  EXPECT_TRUE(chart.Series(5).InLegend);
  EXPECT_EQ(chart.AxisMin(), 387);
  EXPECT_EQ(chart.AxisMax(), 712);

  TSaveDataRec a = Record("a", "Anna");
  a.ElapsedTurns = 3;
  a.StartTurn = 10;
  a.ScoreHistory[0] = 100, a.ScoreHistory[1] = 1000, a.ScoreHistory[2] = 400;
  a.EconomyHistory[0] = -200, a.EconomyHistory[1] = 50;
  TSaveDataRec none = Record("b", "Bert");
  none.ElapsedTurns = 0;
  TSaveDataRec locked = Record("c", "Cid");
  locked.LockText = "x";
  Load({a, none, locked});
  EXPECT_EQ(chart.Series(0).Title, "Anna");
  ASSERT_EQ(chart.Series(0).Points.size(), 3u);
  EXPECT_EQ(chart.Series(0).Points[1].X, 11);
  EXPECT_EQ(chart.Series(0).Points[1].Y, 1000);
  EXPECT_EQ(chart.Series(1).Title, "Bert");
  EXPECT_TRUE(chart.Series(1).InLegend);
  EXPECT_TRUE(chart.Series(1).Points.empty());
  EXPECT_FALSE(chart.Series(2).InLegend);
  EXPECT_TRUE(chart.Series(2).Points.empty());
  EXPECT_EQ(chart.AxisMin(), -20);  // Score 1000: -2 % below zero, 5 % above the highest value
  EXPECT_EQ(chart.AxisMax(), 1050);

  model.Edits().GraphSelect = 1;  // Economy
  model.GraphSelectChange();
  EXPECT_EQ(chart.AxisMin(), -210);
  EXPECT_EQ(chart.AxisMax(), 52);
  EXPECT_EQ(chart.Series(0).Points[0].Y, -200);

  model.Edits().GraphSelect = -1;  // typed text that is no item: every value 0
  model.GraphSelectChange();
  EXPECT_EQ(chart.Series(0).Points.size(), 3u);
  EXPECT_EQ(chart.Series(0).Points[1].Y, 0);
  EXPECT_EQ(chart.AxisMin(), 0);
  EXPECT_EQ(chart.AxisMax(), 0);
}

// A curve has at most one point per history entry; the axis margins are whole numbers cut toward zero.
TEST_F(WindowModelTest, CurvesEndAtTheLastHistoryEntry) {
  TSaveDataRec r = Record("a", "Anna");
  r.ElapsedTurns = 5000;
  r.StartTurn = 100;
  r.ScoreHistory[1200] = 60;
  r.EconomyHistory[3] = 7;
  Load({r});
  const ChartSeries& s = model.Chart().Series(0);
  ASSERT_EQ(s.Points.size(), 1201u);
  EXPECT_EQ(s.Points.back().X, 1300);
  EXPECT_EQ(s.Points.back().Y, 60);
  EXPECT_EQ(model.Chart().AxisMax(), 63);  // 6300 div 100
  EXPECT_EQ(model.Chart().AxisMin(), -1);  // -120 div 100

  model.Edits().GraphSelect = 1;  // Economy with no value below zero starts at 0
  model.GraphSelectChange();
  EXPECT_EQ(model.Chart().AxisMin(), 0);
  EXPECT_EQ(model.Chart().AxisMax(), 7);
}

TEST_F(WindowModelTest, OnlyTheFirstTwentyRowsHaveCurves) {
  std::vector<TSaveDataRec> records;
  for (int i = 0; i < 25; ++i) {
    TSaveDataRec r = Record("f" + std::string(1, static_cast<char>('a' + i)), "n" + std::to_string(i));
    r.ScoreHistory[0] = i < 20 ? 10 : 5000;  // rows 21..25 would widen the axis if drawn
    records.push_back(r);
  }
  Load(records);
  EXPECT_EQ(model.BaseGrid().Cell(1, 25), "fy");
  EXPECT_EQ(model.Chart().Series(19).Title, "n19");
  EXPECT_EQ(model.Chart().AxisMax(), 10);
  model.GraphSelectChange();
  EXPECT_EQ(model.Chart().AxisMax(), 10);
}

}  // namespace
}  // namespace vsl
