#include "cli/report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/time.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/tournament_settings.h"
#include "app/window_model.h"
#include "support/fixture_save.h"
#include "support/scratch_dir.h"
// After the fixture header, whose members Qt's keyword macros would rename.
#include <QXmlStreamReader>

namespace vsl {
namespace {

using testing::BuildSaveFile;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::Plot;
using testing::SaveDesc;
using ::testing::StartsWith;
using testing::WriteFile;

SaveDesc Game(const std::string& nick, int32_t score, bool locked = false) {
  SaveDesc desc;
  desc.elapsedTurns = 50;
  desc.endTurn = 460;
  desc.playTimeQuarters = 4 * 5000;
  desc.sessionCount = 3;
  desc.maxima = {400, 200, 300, 100};
  desc.score = score;
  desc.Slot(0).Named(nick).Leader(3).Civ(5);
  if (locked) desc.Slot(0).Locked("secret");
  desc.Team(0).Members(1).Population(30).Land(20).Meets({0});
  desc.Player(0).Population(30).Scores(100 + score, 50, 20, 30).Alive();
  desc.map.Size(1, 2).LandPlots(2).Add(Plot(0, 2)).Add(Plot(0, 1));
  return desc;
}

struct Outcome {
  int status;
  std::string out, err;
};

class ReportTest : public ::testing::Test {
 protected:
  ReportTest() : dir_(scratch_.Path()) {
    a_ = WriteFile(dir_ + "/a.Save", BuildSaveFile(Game("Anna, \"the\" first", 300)));
    b_ = WriteFile(dir_ + "/B.Save", BuildSaveFile(Game("Bert", 700)));
    c_ = WriteFile(dir_ + "/c.Save", BuildSaveFile(Game("Cid", 500, true)));
    bad_ = WriteFile(dir_ + "/bad.Save", std::vector<uint8_t>{1, 2, 3, 4, 5});
  }

  Outcome Report(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int status = RunReport(args, out, err, locale_);
    return {status, out.str(), err.str()};
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::shared_ptr<const LocaleServices> locale_ = std::make_shared<FixedLocaleServices>('.');
  testing::ScratchDir scratch_;
  std::string dir_, a_, b_, c_, bad_;
};

TEST_F(ReportTest, WritesWhatTheWindowWouldForTheSameActions) {
  const Outcome run = Report({"--presessions", "2", "--base-level", "3", "--max-pop", " 500",
                              "--factor-turn=3000", "--sort", "score", "--sort", "ladder", b_, a_, c_});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_EQ(run.err, "");

  WindowModel model(locale_);
  model.Edits().Edit4 = "2";
  model.Edits().BaseLevelSelect = 3;
  model.Button1Click({b_, a_, c_});
  model.Edits().MaxPopE = " 500";
  model.Edits().TurnFactorE = "3000";
  model.PopFactorEChange();
  model.SortClick(vsl::SortKey::Score);
  model.SortClick(vsl::SortKey::LadderFinal);
  EXPECT_EQ(run.out, model.ExportText());
  EXPECT_EQ(model.Audit().Presessions, 2);
  EXPECT_EQ(model.Ladder().MaxPop, 500);

  // The same bytes to a file.
  const std::string path = dir_ + "/Res.txt";
  const Outcome toFile = Report({"--output", path, "--presessions=2", "--base-level=3", "--max-pop= 500",
                                 "--factor-turn", "3000", "--sort=score", "--sort=ladder", b_, a_, c_});
  EXPECT_EQ(toFile.status, kExitSuccess);
  EXPECT_EQ(toFile.out, "");
  EXPECT_EQ(Read(path), model.ExportText());
}

TEST_F(ReportTest, AFailingFileWritesNothing) {
  const std::string path = dir_ + "/Res.txt";
  const Outcome run = Report({"--output", path, a_, bad_, b_});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, StartsWith("vsl-report: " + bad_ + ": "));
  EXPECT_FALSE(std::filesystem::exists(path));

  const Outcome missing = Report({dir_ + "/missing.Save"});
  EXPECT_EQ(missing.status, kExitFailure);
  EXPECT_THAT(missing.err, HasSubstr(dir_ + "/missing.Save: cannot open the file"));
}

TEST_F(ReportTest, KeepGoingReportsTheRestAndStillFails) {
  const std::string path = dir_ + "/Res.txt";
  const Outcome run = Report({"--keep-going", "--output", path, a_, bad_, b_});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_THAT(run.err, HasSubstr("vsl-report: skipped " + bad_ + ": "));
  const Outcome good = Report({a_, b_});
  EXPECT_EQ(Read(path), good.out);
}

// A setting's failure names the option that gave it, never a file.
TEST_F(ReportTest, SettingsThatDoNotConvertNameTheirOption) {
  const Outcome ladder = Report({"--max-land", "x1", a_});
  EXPECT_EQ(ladder.status, kExitFailure);
  EXPECT_EQ(ladder.out, "");
  EXPECT_EQ(ladder.err, "vsl-report: 'x1' is not a valid integer value (option --max-land)\n");

  const Outcome audit = Report({"--sessions-per-day", "1,5", a_, b_});
  EXPECT_EQ(audit.status, kExitFailure);
  EXPECT_EQ(audit.err, "vsl-report: '1,5' is not a valid floating point value (option --sessions-per-day)\n");

  const Outcome date = Report({"--start-date", "99-99-9999", a_});
  EXPECT_EQ(date.status, kExitFailure);
  EXPECT_EQ(date.err, "vsl-report: '99-99-9999' is not a valid date (option --start-date)\n");

  const Outcome bonus = Report({"--level-bonus", "15%", a_});
  EXPECT_EQ(bonus.err, "vsl-report: '15%' is not a valid integer value (option --level-bonus)\n");

  const Outcome turn = Report({"--max-turn=-1", a_});
  EXPECT_EQ(turn.status, kExitFailure);
  EXPECT_EQ(turn.err, "vsl-report: Invalid floating point operation (option --max-turn)\n");
  // Two negative maxima: neither alone is the cause.
  const Outcome two = Report({"--max-turn=-1", "--max-pop=-1", a_});
  EXPECT_EQ(two.err, "vsl-report: Invalid floating point operation\n");

  // A point is taken under a comma locale too, as is the comma; the results file keeps the comma.
  locale_ = std::make_shared<FixedLocaleServices>(',');
  const Outcome point = Report({"--sessions-per-day", "0.5", a_});
  ASSERT_EQ(point.status, kExitSuccess) << point.err;
  EXPECT_EQ(point.out, Report({"--sessions-per-day", "0,5", a_}).out);
  EXPECT_THAT(point.out, HasSubstr("  0,00; "));
}

// --output never replaces a save of the batch or the settings file, nor a device or a named pipe.
TEST_F(ReportTest, OutputOntoAnInputOrANonRegularFile) {
  const std::string before = Read(a_);
  std::filesystem::create_symlink(a_, dir_ + "/link.Save");
  for (const std::string& target : {a_, dir_ + "/./a.Save", dir_ + "/link.Save"}) {
    const Outcome run = Report({"--output", target, b_, dir_ + "/link.Save"});
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.err, "vsl-report: " + target + ": the results would replace the save " + dir_ +
                           "/link.Save, which the batch reads\n");
  }
  EXPECT_EQ(Read(a_), before);
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ + "/link.Save"));
  const std::string settings = dir_ + "/t.json";
  std::ofstream(settings) << R"({"version": 1})";
  const Outcome onSettings = Report({"--settings", settings, "--output", settings, a_});
  EXPECT_EQ(onSettings.status, kExitUsage);
  EXPECT_EQ(onSettings.err, "vsl-report: " + settings +
                                ": the results would replace the tournament settings file " + settings +
                                ", which this run read\n");
  EXPECT_EQ(Read(settings), R"({"version": 1})");

  const std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const Outcome noReader = Report({"--output", fifo, a_});
  EXPECT_EQ(noReader.status, kExitFailure);
  EXPECT_EQ(noReader.err, "vsl-report: " + fifo + ": no program is reading from this FIFO\n");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));

  const std::string device = dir_ + "/null";
  if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) GTEST_SKIP() << "no device nodes here";
  EXPECT_EQ(Report({"--output", device, a_}).status, kExitSuccess);
  EXPECT_TRUE(std::filesystem::is_character_file(device));
}

TEST_F(ReportTest, OptionConventions) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out, err;  // prefixes
  };
  const std::string tryHelp = "\nTry 'vsl-report --help' for more information.\n";
  const std::vector<Case> cases = {
      {{"-h"}, kExitSuccess, "Usage: vsl-report [options] SAVE...\n", ""},
      {{"--help"}, kExitSuccess, "Usage: vsl-report [options] SAVE...\n", ""},
      {{"-v"}, kExitSuccess, "vsl-report (Vellum Saves List) 1.01\n", ""},
      {{"--version"}, kExitSuccess, "vsl-report (Vellum Saves List) 1.01\n", ""},
      {{}, kExitUsage, "", "vsl-report: no save files given" + tryHelp},
      {{"--foo", a_}, kExitUsage, "", "vsl-report: Unknown option 'foo'." + tryHelp},
      {{"--foo"}, kExitUsage, "", "vsl-report: Unknown option 'foo'." + tryHelp},
      {{a_, "--output"}, kExitUsage, "", "vsl-report: Missing value after '--output'." + tryHelp},
      {{"--sort", "name", a_}, kExitUsage, "", "vsl-report: --sort does not know 'name'" + tryHelp},
      {{"--format=xml", a_}, kExitUsage, "", "vsl-report: --format does not know 'xml'" + tryHelp},
      {{"--start-date", "27.11.2005", a_}, kExitUsage, "", "vsl-report: --start-date needs DD-MM-YYYY"},
      {{"--base-level=9", a_}, kExitUsage, "", "vsl-report: --base-level needs an item index from -1 to 8"},
      {{"--graph", "gold", a_}, kExitUsage, "", "vsl-report: --graph does not know 'gold'" + tryHelp},
      // After "--" everything is a save, even a name that looks like an option.
      {{"--", "--sort"}, kExitFailure, "", "vsl-report: --sort: cannot open the file"},
  };
  for (const Case& c : cases) {
    const Outcome run = Report(c.args);
    EXPECT_EQ(run.status, c.status) << ::testing::PrintToString(c.args);
    EXPECT_THAT(run.out, StartsWith(c.out)) << ::testing::PrintToString(c.args);
    EXPECT_THAT(run.err, StartsWith(c.err)) << ::testing::PrintToString(c.args);
    if (c.out.empty()) {
      EXPECT_EQ(run.out, "");
    }
  }
}

TEST_F(ReportTest, MoreThanAHundredFilesReportTheFirstHundredAndNameTheRest) {
  std::vector<std::string> args(100, a_);
  args.push_back(b_);
  args.push_back(c_);
  const Outcome run = Report(args);
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.err, "vsl-report: left out " + b_ +
                         ": a batch holds at most 100 files\nvsl-report: left out " + c_ +
                         ": a batch holds at most 100 files\n");
  EXPECT_EQ(Report(std::vector<std::string>(100, a_)).out, run.out);
}

// Standard output that cannot be written is a failure with a message, not a silent success.
TEST_F(ReportTest, AnUnwritableStandardOutputFails) {
  std::ostringstream err;
  std::ostream full(nullptr);
  EXPECT_EQ(RunReport({a_}, full, err, locale_), kExitFailure);
  EXPECT_THAT(err.str(), StartsWith("vsl-report: cannot write the results to standard output"));
}

TEST_F(ReportTest, CsvIsUtf8WithQuotingUniqueHeadersAndPoints) {
  locale_ = std::make_shared<FixedLocaleServices>(',');
  const Outcome run = Report({"--format", "csv", a_, c_});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  std::istringstream lines(run.out);
  std::string header, first, locked;
  std::getline(lines, header);
  std::getline(lines, first);
  std::getline(lines, locked);
  EXPECT_THAT(header, StartsWith("\u2116,File Name,NickName,LeaderName,"));
  EXPECT_THAT(header, HasSubstr(",Turn,Date,Play Time,Score,Final,Level,Victory,File Date,Reloads Turn,"
                                "Reloads Date,Reloads Play Time,"));
  EXPECT_THAT(header, HasSubstr(",Land %,Pop,Pop %,"));
  EXPECT_THAT(header, HasSubstr(",Ladder Pop,Ladder Land,Tech,"));
  EXPECT_THAT(header, EndsWith(",Ladder Final,Norma\r"));
  EXPECT_THAT(first, StartsWith("1,a,\"Anna, \"\"the\"\" first\","));
  EXPECT_THAT(first, HasSubstr(",300,"));   // the score without its alignment blanks
  EXPECT_THAT(first, HasSubstr(",4.00,"));  // the reload percent with a point under a comma locale
  // The locked row: number, name and date; blanked cells are empty fields.
  EXPECT_THAT(locked, StartsWith("2,c,,,,,,,,,,,"));
  EXPECT_EQ(run.out.substr(run.out.size() - 2), "\r\n");
}

// Names a spreadsheet would run, a line break in a nick name and U+FFFE in a file name: neutralised in
// the CSV, blanks in the results file and the page, exact in the JSON.
TEST_F(ReportTest, HostileNamesAreSafeInEveryFormat) {
  const std::string f = WriteFile(dir_ + "/=1+2\xEF\xBF\xBE.Save", BuildSaveFile(Game("@SUM(A1)\r\nx", 300)));
  const Outcome res = Report({f, b_});
  EXPECT_THAT(res.out, HasSubstr("; =1+2?; @SUM(A1)  x; "));
  EXPECT_EQ(std::count(res.out.begin(), res.out.end(), '\n'), 2);
  const Outcome csv = Report({"--format", "csv", f, b_});
  EXPECT_THAT(csv.out, HasSubstr("\r\n1,'=1+2\xEF\xBF\xBE,\"'@SUM(A1)\r\nx\","));
  EXPECT_THAT(csv.out, HasSubstr("\r\n2,B,Bert,"));
  const Outcome json = Report({"--format", "json", f});
  EXPECT_THAT(json.out, HasSubstr(R"("NickName": "@SUM(A1)\r\nx")"));
  QXmlStreamReader xml(QByteArray::fromStdString(Report({"--format", "html", f}).out));
  while (!xml.atEnd()) xml.readNext();
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

TEST_F(ReportTest, JsonHasTypedValues) {
  const timeval stamp[2] = {{1700000000, 0}, {1700000000, 0}};  // 2023-11-14 22:13:20 UTC
  ASSERT_EQ(utimes(a_.c_str(), stamp), 0);
  const Outcome run = Report({"--format=json", "--sessions-per-day=2.5", a_, c_});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  const nlohmann::json doc = nlohmann::json::parse(run.out);
  EXPECT_EQ(doc["version"], "1.01");
  EXPECT_EQ(doc["settings"]["audit"]["sessionsPerDay"], 2.5);
  EXPECT_EQ(doc["settings"]["audit"]["startDateIso"], "2005-11-27");
  EXPECT_EQ(doc["settings"]["ladder"]["factors"]["wonder"], 5000);
  ASSERT_EQ(doc["rows"].size(), 2u);
  const nlohmann::json& first = doc["rows"][0];
  EXPECT_EQ(first["file"], a_);
  EXPECT_EQ(first["locked"], false);
  EXPECT_EQ(first["fileDate"], "2023-11-14T22:13:20+00:00");
  EXPECT_EQ(first["Reloads"]["File Date"], "2023-11-14T22:13:20+00:00");
  EXPECT_EQ(first["playTimeSeconds"], 5000);
  EXPECT_EQ(first["Base"]["\u2116"], 1);
  EXPECT_EQ(first["Base"]["File Name"], "a");
  EXPECT_EQ(first["Base"]["NickName"], "Anna, \"the\" first");
  EXPECT_EQ(first["Base"]["Score"], 300);
  EXPECT_TRUE(first["Reloads"]["Percent"].is_number_float());
  EXPECT_TRUE(first["Base"]["Play Time"].is_string());
  EXPECT_EQ(first["Ladder"]["Penalty"], 0);
  // The locked file is scored too and is the best here.
  EXPECT_LT(first["Ladder"]["Norma"].get<double>(), 1.0);
  EXPECT_TRUE(first["Ladder"]["Date"].is_string());
  const nlohmann::json& locked = doc["rows"][1];
  EXPECT_EQ(locked["Base"]["File Name"], "c");
  EXPECT_EQ(locked["file"], c_);
  EXPECT_EQ(locked["locked"], true);
  EXPECT_TRUE(locked["Base"]["Score"].is_null());
  EXPECT_TRUE(locked["Reloads"]["File Date"].is_string());
  EXPECT_EQ(locked["Additional"].size(), 13u);
}

// A last file with a negative maximum cannot be rendered after the load; a Ladder maximum given on the
// command line mends it, as typing it into the window does.
TEST_F(ReportTest, LadderEditsMendARenderingThatFailsAfterTheLoad) {
  SaveDesc negative = Game("Neg", 100);
  negative.maxima = {-400, 200, 300, 100};
  const std::string n = WriteFile(dir_ + "/z.Save", BuildSaveFile(negative));
  const Outcome failed = Report({a_, n});
  EXPECT_EQ(failed.status, kExitFailure);
  EXPECT_EQ(failed.err, "vsl-report: Invalid floating point operation (option --max-pop)\n");
  const Outcome mended = Report({"--max-pop", "400", a_, n});
  ASSERT_EQ(mended.status, kExitSuccess) << mended.err;
  EXPECT_THAT(mended.out, HasSubstr("Neg"));
}

TEST_F(ReportTest, HtmlPageHoldsTheGridsAndTheChart) {
  const std::string v =
      WriteFile(dir_ + "/v.Save", BuildSaveFile(Game("<color=255,200,0>Vutar</color>", 400)));
  const Outcome run = Report({"--format", "html", "--graph", "power", a_, b_, c_, v});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  QXmlStreamReader xml(QByteArray::fromStdString(run.out));
  std::vector<int> gridRows;
  int svgs = 0, curves = 0;
  bool inGrid = false, vutar = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == u"table") inGrid = false;
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"table" && xml.attributes().value("class") == u"grid") {
      inGrid = true;
      gridRows.push_back(-1);  // the header row
    } else if (xml.name() == u"tr" && inGrid) {
      ++gridRows.back();
    } else if (xml.name() == u"td") {
      vutar = vutar || xml.readElementText() == u"Vutar";
    } else if (xml.name() == u"svg") {
      ++svgs;
    } else if (xml.name() == u"polyline") {
      ++curves;
    }
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(gridRows, (std::vector<int>{4, 4, 4, 4}));
  EXPECT_EQ(svgs, 1);
  EXPECT_EQ(curves, 3);  // the locked row has no curve
  EXPECT_TRUE(vutar);
  EXPECT_THAT(run.out, HasSubstr(">Power history</text>"));
  EXPECT_THAT(run.out, Not(HasSubstr("color=")));
}

// The body rows of the page's table `id`, each as its cells' texts.
std::vector<std::vector<std::string>> TableRows(const std::string& page, const QString& id) {
  QXmlStreamReader xml(QByteArray::fromStdString(page));
  std::vector<std::vector<std::string>> rows;
  bool inTable = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"table") inTable = xml.attributes().value("id") == id;
    if (inTable && xml.name() == u"tbody") rows.clear();
    if (inTable && xml.name() == u"tr") rows.emplace_back();
    if (inTable && xml.name() == u"td") rows.back().push_back(xml.readElementText().toStdString());
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return rows;
}

// The page opens with the standings: places by Ladder Final in the order the Ladder sort gives (a
// locked file too, its score unshown), in English or in Russian.
TEST_F(ReportTest, HtmlStandingsFollowTheLadderSortInEitherLanguage) {
  const std::string d = WriteFile(dir_ + "/d.Save", BuildSaveFile(Game("<b>Dora</b>", 700)));
  const Outcome run = Report({"--format", "html", a_, b_, c_, d});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  const auto standings = TableRows(run.out, "Standings");
  ASSERT_EQ(standings.size(), 4u);
  EXPECT_EQ(standings[0], (std::vector<std::string>{"1", "Bert", "Augustus, China", "50", "894757",
                                                    "100.0\u00a0%", "Fair"}));
  EXPECT_EQ(standings[1][0] + standings[1][1] + standings[1][4], "1Dora894757");  // equal Finals, one place
  EXPECT_EQ(standings[2], (std::vector<std::string>{"3", "Cid", "", "", "", "", ""}));
  EXPECT_EQ(standings[3][0] + standings[3][1], "4Anna, \"the\" first");
  EXPECT_EQ(run.out.find("<table class=\"standings\""), run.out.find("<table"));
  // The Ladder sort of the window orders the Ladder grid as the standings.
  const auto ladder =
      TableRows(Report({"--format", "html", "--sort", "ladder", a_, b_, c_, d}).out, "Ladder");
  for (size_t i = 0; i < standings.size(); ++i) EXPECT_EQ(ladder[i][1], standings[i][1]);
  EXPECT_THAT(run.out, HasSubstr("<th>\xE2\x84\x96</th><th>Nick</th><th>Cities</th>"));

  const Outcome ru = Report({"--format", "html", "--language", "ru", a_, b_, c_, d});
  EXPECT_THAT(ru.out, HasSubstr("lang=\"ru\""));
  EXPECT_THAT(ru.out, HasSubstr("<h2>Турнирная таблица</h2>"));
  EXPECT_EQ(Report({"--format", "html", "--language", "de", a_}).status, kExitUsage);
}

TEST_F(ReportTest, SettingsFileRoundTripWithAnOverrideAndABadKey) {
  TournamentSettings s;
  s.StartDate = "01-03-2024";
  s.SessionsPerDay = 2.5;
  s.Presessions = 2;
  s.BaseLevel = 3;
  s.Factors[6] = 3000;
  s.Maxima[0] = 500;
  const std::string path = dir_ + "/round.json";
  std::ofstream(path) << TournamentSettingsFileText(s);
  const TournamentSettings back = LoadTournamentSettings(path);
  EXPECT_EQ(back.StartDate, "01-03-2024");
  EXPECT_EQ(back.SessionsPerDay, 2.5);
  EXPECT_EQ(back.BaseLevel, 3);
  EXPECT_EQ(back.Factors[6], 3000);
  EXPECT_EQ(back.Maxima[0], 500);
  EXPECT_FALSE(back.Maxima[1].has_value());

  // The file and one override give what the options alone give.
  const Outcome file = Report({"--settings", path, "--presessions", "3", a_, b_});
  ASSERT_EQ(file.status, kExitSuccess) << file.err;
  EXPECT_EQ(file.out, Report({"--start-date", "01-03-2024", "--sessions-per-day", "2.5", "--presessions", "3",
                              "--base-level", "3", "--factor-turn", "3000", "--max-pop", "500", a_, b_})
                          .out);

  std::ofstream(path) << R"({"version": 1, "audit": {"sessionPerDay": 2}})";
  const Outcome bad = Report({"--settings", path, a_});
  EXPECT_EQ(bad.status, kExitFailure);
  EXPECT_EQ(bad.err, "vsl-report: " + path + ": audit.sessionPerDay: is not a known setting\n");
}

// Two files of one name and one date in different folders: each row's path follows its row through a sort.
TEST_F(ReportTest, JsonPathsFollowTheirRows) {
  std::filesystem::create_directory(dir_ + "/x");
  const std::string twin = WriteFile(dir_ + "/x/a.Save", BuildSaveFile(Game("Xena", 900)));
  const timeval stamp[2] = {{1700000000, 0}, {1700000000, 0}};
  ASSERT_EQ(utimes(a_.c_str(), stamp), 0);
  ASSERT_EQ(utimes(twin.c_str(), stamp), 0);
  const Outcome run = Report({"--format=json", "--sort=score", a_, twin});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  const nlohmann::json doc = nlohmann::json::parse(run.out);
  ASSERT_EQ(doc["rows"].size(), 2u);
  EXPECT_EQ(doc["rows"][0]["Base"]["Score"], 900);
  EXPECT_EQ(doc["rows"][0]["file"], twin);
  EXPECT_EQ(doc["rows"][1]["file"], a_);
}

}  // namespace

}  // namespace vsl
