// The damaged-file corpus: files that hold no save container, containers whose sizes or stream cannot
// hold, saves cut short inside every section and kind of record, negative and huge counts in every
// counted list, maps too large for 32 bits, over-long texts, score values whose arithmetic fails, and
// paths that are no readable file. Each file is loaded as a batch loads it (LoadSaveFile, then
// SaveAnalyse) and through the window model, whose error names the file. The sanitizer build runs the
// same corpus, so none of them may read outside a buffer or leak.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/window_model.h"
#include "save/analyse.h"
#include "save/file_info.h"
#include "save/load.h"
#include "save/save_error.h"
#include "support/load_helpers.h"
#include "support/scratch_dir.h"
#include "support/fixture_save.h"
#include "support/save_writer.h"

namespace vsl {
namespace {

using ::testing::AllOf;
using ::testing::AnyOf;
using testing::BuildBody;
using testing::BuildHeader;
using ::testing::HasSubstr;
using testing::MakeContainer;
using ::testing::Matcher;
using testing::Plot;
using testing::SaveDesc;
using testing::SaveWriter;
using ::testing::StartsWith;

using Bytes = std::vector<uint8_t>;

constexpr int32_t kHugeCount = 2000000000;

// The number of bytes `write` appends to a writer.
template <typename Write>
size_t SizeOf(Write write) {
  SaveWriter w;
  write(w);
  return w.Size();
}

// The first position at which two streams differ. Two specs that differ in one count only (0 against
// 1, or 1 against 2) differ first in the low byte of that count, so this is where the count lies.
size_t FirstDifference(const Bytes& a, const Bytes& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return i;
}

Bytes Patched(Bytes bytes, size_t offset, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<uint8_t>(v >> (8 * i));
  return bytes;
}

Bytes Text(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

// A small sound game of two players on a one-plot map.
SaveDesc SmallGame() {
  SaveDesc desc;
  desc.elapsedTurns = 80;
  desc.endTurn = 460;
  desc.playTimeQuarters = 4 * 3600;
  desc.sessionCount = 3;
  desc.maxima = {400, 200, 300, 100};
  desc.inits = {10, 10, 10, 10};
  desc.score = 777;
  desc.Slot(0).Named("Anna").Leader(3).Civ(5);
  desc.Slot(1).Named("Bert").Leader(11).Civ(12);
  desc.Team(0).Members(1).Population(30).Land(20).Meets({0, 1}).Knows({0, 25, 79});
  desc.Team(1).Members(1).Population(10).Land(10).Meets({0, 1});
  desc.Player(0).Population(30).Scores(100, 50, 20, 30).Alive().HistoryPair(0, 5, 40);
  desc.Player(1).Population(10).Scores(40, 20, 0, 10).Alive();
  desc.map.Size(1, 1).LandPlots(1).Add(Plot(0, 2));
  return desc;
}

// The small game with one record of every kind and something in every counted list, so that each can
// be cut through.
SaveDesc FullGame() {
  SaveDesc desc = SmallGame();
  desc.listA = {1, 2};
  desc.listB = {1};
  desc.gameTexts14 = {"fourteen"};
  desc.gameTexts15 = {"fifteen"};
  desc.item16Count = 2;
  desc.item17 = {{1, 1}};
  desc.replay = {{"<b>Rome</b> founded", 1}};
  desc.map.Size(2, 2).Add(Plot(0, 1, "Hill", 2)).Add(Plot(1, 0)).Add(Plot(0xFF, 3, "Sea", 1));
  desc.map.list1Count = 2;
  desc.map.list2Count = 1;
  testing::PlayerDesc& p = desc.Player(0);
  p.text13 = "thirteen";
  p.list3Texts = {"three"};
  p.list4Count = 1;
  p.list5Pairs = 1;
  p.list6Count = 1;
  p.City("TXT_KEY_CITY_NAME_ROME", 900).cities.back().groups = 1;
  p.list7Count = 1;
  p.unitText = "Warrior";
  p.Units(1);
  p.list8Count = 1;
  p.list9Entries = 1;
  p.Message("You have discovered Optics!", 57);
  p.list10Entries = 1;
  p.tagged = {{9, "tag"}, {2, ""}};
  for (int kind = 0; kind < 6; ++kind) p.HistoryPair(kind, 1, 10 + kind);
  desc.Player(18).City("Camp", 5, 18);
  return desc;
}

// The row fields a parse fills, as one text so that two rows compare in one expectation. The city and
// unit counts are left out: they show the stored count, whatever its sign.
std::string Dump(const TSaveDataRec& r) {
  std::ostringstream o;
  o << r.NickName << '|' << r.LeaderType << '|' << r.CivType << '|' << r.ElapsedTurns << '|' << r.GameTurn
    << '|' << r.GameYear << '|' << r.PlayTime << '|' << r.SessionCount << '|' << r.Score << '|'
    << r.FinalScore << '|' << r.Level << '|' << r.Techs << '|' << r.LandPlots << '|' << r.Land << '|' << r.Pop
    << '|' << r.Culture1 << '|' << r.Rank << '|' << r.Met << '|' << r.Vassals << '|' << r.PopScore << '|'
    << r.LandScore << '|' << r.CultureScore << '|' << r.MTechScore << '|' << r.LockText << '|'
    << r.HeaderText;
  for (int item = 0; item < 7; ++item) {
    for (int32_t v : r.HistoryOf(item)) o << ',' << v;
  }
  return o.str();
}

class DamagedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = scratch_.Path();
  }

  std::string Write(const std::string& name, const Bytes& bytes) {
    return testing::WriteFile(dir_ + "/" + name + ".Save", bytes);
  }

  TSaveDataRec Parse(const LoadedSave& save) {
    TSaveDataRec row;
    auto state = std::make_unique<ParseState>();
    LadderSettings maxima;
    AuditEdits edits;
    edits.SessionsPerDay = "1.5";
    AuditSettings audit;
    testing::AnalyseAndAudit(save.Image, save.BodyOffset, row, *state, maxima, edits, audit);
    return row;
  }

  // A sound file: loads and parses.
  TSaveDataRec LoadAndParse(const std::string& path) {
    return Parse(testing::LoadFile(path));
  }

  // The window's load of this one file fails with an error that names it and gives `reason`; the batch
  // then holds no row.
  static void ExpectBatchFails(const std::string& path, const Matcher<const std::string&>& reason) {
    WindowModel model(std::make_shared<FixedLocaleServices>('.'));
    try {
      model.Button1Click({path});
      ADD_FAILURE() << path << " loaded";
    } catch (const BatchFileError& e) {
      EXPECT_EQ(e.Path(), path);
      EXPECT_THAT(e.what(),
                  AnyOf(StartsWith(path + ": "), StartsWith(path + " is not a save of the game: ")));
      EXPECT_THAT(e.Reason(), reason);
    }
    EXPECT_EQ(model.SaveCount(), 0);
  }

  // `bytes` as a file cannot be loaded: the error names the file and gives `reason`.
  void ExpectLoadFails(const std::string& name, const Bytes& bytes,
                       const Matcher<const std::string&>& reason) {
    ExpectPathFails(Write(name, bytes), reason);
  }
  void ExpectPathFails(const std::string& path, const Matcher<const std::string&>& reason) {
    SCOPED_TRACE(path);
    try {
      testing::LoadFile(path);
      ADD_FAILURE() << "the file loaded";
    } catch (const FileError& e) {
      EXPECT_THAT(e.what(),
                  AnyOf(StartsWith(path + ": "), StartsWith(path + " is not a save of the game: ")));
      EXPECT_EQ(e.Path(), path);
      EXPECT_THAT(e.Reason(), reason);
    }
    ExpectBatchFails(path, reason);
  }

  // `bytes` as a file loads but does not parse: the parse fails with `reason` at an image offset within
  // [from, to], and the window's error names the file.
  void ExpectParseFails(const std::string& name, const Bytes& bytes,
                        const Matcher<const std::string&>& reason, int64_t from = -1, int64_t to = -1) {
    const std::string path = Write(name, bytes);
    SCOPED_TRACE(name);
    LoadedSave save;
    ASSERT_NO_THROW(save = testing::LoadFile(path));
    try {
      Parse(save);
      ADD_FAILURE() << "the save parsed";
    } catch (const SaveError& e) {
      EXPECT_THAT(std::string(e.what()), reason);
      if (from >= 0) {
        EXPECT_GE(e.Offset(), from) << e.what();
        EXPECT_LE(e.Offset(), to) << e.what();
      }
    }
    ExpectBatchFails(path, reason);
  }

  testing::ScratchDir scratch_;
  std::string dir_;
};

const Matcher<const std::string&> kTruncated = StartsWith("save is truncated or damaged at offset ");
const Matcher<const std::string&> kNoBody = StartsWith("no compressed body found");

TEST_F(DamagedFileTest, FilesWithoutASaveContainer) {
  ExpectLoadFails("empty", {}, kNoBody);
  ExpectLoadFails("three-bytes", {0x78, 0x9C, 0x01}, kNoBody);  // a pair is looked for in files of 4 bytes on
  // Files of other kinds say so first, then what the reader found.
  ExpectLoadFails(
      "text", Text("Referee notes: round 3, table 7.\r\n"),
      StartsWith("is not a save of the game: it holds text (a table, a list or a note). In detail: "
                 "no compressed body found"));
  ExpectLoadFails(
      "picture", Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'},
      StartsWith("is not a save of the game: it is a PNG picture. In detail: no compressed body found"));
  ExpectLoadFails("pair-at-0", {0x78, 0x9C, 0, 0}, HasSubstr("the first 78 9C pair is at offset 0"));
  // A pair before offset 8 leaves no room for the two size fields; a real container after it is not
  // looked for.
  for (const size_t at : {3, 7}) {
    Bytes file(at, 0);
    file.push_back(0x78);
    file.push_back(0x9C);
    const Bytes real = testing::BuildSaveFile(SmallGame());
    file.insert(file.end(), real.begin(), real.end());
    ExpectLoadFails("early-pair-" + std::to_string(at), file,
                    HasSubstr("the first 78 9C pair is at offset " + std::to_string(at) +
                              ", before room for the size fields"));
  }
}

TEST_F(DamagedFileTest, ContainersWhoseSizesOrStreamCannotHold) {
  const SaveDesc desc = SmallGame();
  const Bytes header = BuildHeader(desc), body = BuildBody(desc);
  const Bytes good = MakeContainer(header, body);
  const size_t bodyOffset = header.size() + 8;
  const auto stream = static_cast<int32_t>(good.size() - bodyOffset);
  const auto inflated = static_cast<int32_t>(body.size());

  // A download cut short: the stated compressed size runs past the end of the file.
  const Bytes cut(good.begin(), good.end() - 100);
  ExpectLoadFails(
      "cut-download", cut,
      StartsWith("the stated compressed size " + std::to_string(stream) + " does not fit the " +
                 std::to_string(stream - 100) + " bytes from offset " + std::to_string(bodyOffset)));
  ExpectLoadFails("negative-compressed", MakeContainer(header, body, {.compressedSize = -5}),
                  StartsWith("the stated compressed size -5 does not fit"));
  ExpectLoadFails("negative-inflated", MakeContainer(header, body, {.inflatedSize = INT32_MIN}),
                  StartsWith("the stated body size -2147483648 is out of range"));
  // More than the stream yields, by a little and by more than any stream of this size can hold.
  ExpectLoadFails("inflated-larger", MakeContainer(header, body, {.inflatedSize = inflated + 100}),
                  "the body inflates to " + std::to_string(inflated) + " bytes, the header says " +
                      std::to_string(inflated + 100));
  ExpectLoadFails(
      "inflated-huge", MakeContainer(header, body, {.inflatedSize = 1 << 28}),
      "the stated body size 268435456 cannot come from " + std::to_string(stream) + " compressed bytes");

  // Damaged streams carry zlib's texts.
  Bytes flipped = good;
  for (size_t i = 0; i < 16; ++i) flipped[bodyOffset + static_cast<size_t>(stream) / 2 + i] ^= 0xA5;
  ExpectLoadFails("corrupt-stream", flipped,
                  AnyOf("the compressed body is damaged (zlib: data error)",
                        "the compressed body is cut short (zlib: buffer error)"));
  Bytes badChecksum = good;
  badChecksum.back() ^= 0x01;
  ExpectLoadFails("bad-checksum", badChecksum, "the compressed body is damaged (zlib: data error)");
  Bytes notDeflate = good;
  notDeflate[bodyOffset + 2] = 0x07;  // first block: the reserved block type
  ExpectLoadFails("reserved-block", notDeflate, "the compressed body is damaged (zlib: data error)");

  // Less than the stream yields: the body is cut at the stated size and the parse runs out of body,
  // with or without a trailer behind it (the trailer is never read as body).
  ExpectParseFails("inflated-smaller", MakeContainer(header, body, {.inflatedSize = inflated - 100}),
                   kTruncated, static_cast<int64_t>(bodyOffset),
                   static_cast<int64_t>(bodyOffset) + inflated - 100);
  ExpectParseFails("inflated-smaller-trailer",
                   MakeContainer(header, body, {.inflatedSize = inflated - 100, .trailer = Bytes(4096, 0)}),
                   kTruncated, static_cast<int64_t>(bodyOffset),
                   static_cast<int64_t>(bodyOffset) + inflated - 100);
  // The container itself is sound.
  EXPECT_EQ(LoadAndParse(Write("good", good)).NickName, "Anna");
}

TEST_F(DamagedFileTest, PathsThatAreNoReadableFile) {
  std::filesystem::create_directory(dir_ + "/Folder.Save");
  ExpectPathFails(dir_ + "/Folder.Save", "cannot read the file: Is a directory");
  ExpectPathFails(dir_ + "/missing.Save", "cannot open the file: No such file or directory");
  std::filesystem::create_symlink(dir_ + "/gone.Save", dir_ + "/dangling.Save");
  ExpectPathFails(dir_ + "/dangling.Save", "cannot open the file: No such file or directory");
  // A named pipe without a writer would block a reader: it is refused at once.
  ASSERT_EQ(mkfifo((dir_ + "/pipe.Save").c_str(), 0600), 0);
  ExpectPathFails(dir_ + "/pipe.Save", "cannot read the file: not a regular file");
}

TEST_F(DamagedFileTest, AFileWithoutReadPermission) {
  const std::string locked = Write("locked", testing::BuildSaveFile(SmallGame()));
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  if (geteuid() == 0) GTEST_SKIP() << "root reads files whatever their mode";
  ExpectPathFails(locked, "cannot open the file: Permission denied");
}

// The body offsets of a save cut inside each section and kind of record: the parse must fail at an
// offset from the start of that part (`from`) up to the cut (`at`).
struct Cut {
  std::string name;
  size_t from;
  size_t at;
};

std::vector<Cut> BodyCuts(const SaveDesc& full) {
  using namespace testing;  // the section writers
  const Bytes body = BuildBody(full);
  const testing::PlayerDesc& p0 = full.players[0];
  // Where a count of player 0 lies: the first byte that changes when only that count changes.
  const auto countAt = [&](const std::function<void(SaveDesc&)>& change) {
    SaveDesc other = full;
    change(other);
    return FirstDifference(body, BuildBody(other));
  };
  const size_t game = SizeOf([&](SaveWriter& w) { WriteGameSection(w, full); });
  const size_t mapHeader = SizeOf([](SaveWriter& w) { WriteMapSection(w, MapDesc{}); }) -
                           SizeOf([](SaveWriter& w) { w.Int(0).Ints(4).Int(0); });  // the empty lists
  size_t plots = 0;
  for (const PlotDesc& plot : full.map.plots) plots += SizeOf([&](SaveWriter& w) { WritePlot(w, plot); });
  const size_t firstPlot = SizeOf([&](SaveWriter& w) { WritePlot(w, full.map.plots[0]); });
  const size_t map = SizeOf([&](SaveWriter& w) { WriteMapSection(w, full.map); });
  const size_t teams = SizeOf([&](SaveWriter& w) { WriteTeamSection(w, full); });
  const size_t team = SizeOf([&](SaveWriter& w) { WriteTeam(w, full.teams[0]); });
  const size_t players = game + map + teams;
  const size_t player0 = SizeOf([&](SaveWriter& w) { WritePlayer(w, p0); });
  const size_t city = SizeOf([&](SaveWriter& w) { WriteCity(w, p0.cities[0]); });
  const size_t unit = SizeOf([&](SaveWriter& w) { WriteUnit(w, p0.unitText); });
  const size_t message = SizeOf([&](SaveWriter& w) { WriteMessage(w, p0.messages[0]); });

  const size_t replay = countAt([](SaveDesc& s) { s.replay.push_back({"War", 9}); });
  const size_t item17 = countAt([](SaveDesc& s) { s.item17.push_back({}); });
  const size_t item17Triples = countAt([](SaveDesc& s) { s.item17[0].a = 2; });
  const size_t cities = countAt([](SaveDesc& s) { s.Player(0).cityCount = 7; });
  const size_t units = countAt([](SaveDesc& s) { s.Player(0).Units(2); });
  const size_t messages = countAt([](SaveDesc& s) { s.Player(0).messageCount = 7; });
  const size_t lastPlayer = body.size() - SizeOf([&](SaveWriter& w) { WritePlayer(w, full.players[18]); });
  const size_t lastCities = countAt([](SaveDesc& s) { s.Player(18).cityCount = 7; });
  std::vector<Cut> cuts = {
      {"game section, fixed positions", 0, 363},  // the stored score at 361 is read first
      {"game section, arrays", 0, game / 2},
      {"game section, list 17", item17 + 4, item17Triples + 6},
      {"game section, replay messages", replay + 4, replay + 4 + 10},
      {"map header", game, game + mapHeader / 2},
      {"plots", game + mapHeader, game + mapHeader + firstPlot + firstPlot / 2},
      {"lists after the plots", game + mapHeader + plots, game + map - 100},
      {"teams", game + map, game + map + teams / 2},
      {"last team", game + map, game + map + teams - team / 2},
      {"player record", players, players + 200},
      {"city", cities + 4, cities + 4 + city / 2},
      {"end of a city", cities + 4, cities + 4 + city - 80},
      {"unit", units + 4, units + 4 + unit / 2},
      {"message", messages + 4, messages + 4 + message / 2},
      {"player record tail", players, players + player0 - 100},
      {"last player's city", lastCities + 4, lastCities + 4 + city / 3},
      {"last player", lastPlayer, body.size() - 1},
  };
  const std::pair<const char*, std::function<void(SaveDesc&)>> lists[] = {
      {"player list 3", [](SaveDesc& s) { s.Player(0).list3Texts.push_back("more"); }},
      {"player list 4", [](SaveDesc& s) { s.Player(0).list4Count = 2; }},
      {"player list 5", [](SaveDesc& s) { s.Player(0).list5Pairs = -1; }},
      {"player list 6", [](SaveDesc& s) { s.Player(0).list6Count = 2; }},
      {"player list 7", [](SaveDesc& s) { s.Player(0).list7Count = 2; }},
      {"player list 8", [](SaveDesc& s) { s.Player(0).list8Count = 2; }},
      {"player list 9", [](SaveDesc& s) { s.Player(0).list9Entries = 2; }},
      {"player list 10", [](SaveDesc& s) { s.Player(0).list10Entries = 2; }},
      {"player list 11", [](SaveDesc& s) { s.Player(0).tagged.clear(); }},
  };
  for (const auto& [name, change] : lists) {
    const size_t count = countAt(change);
    cuts.push_back({name, count, count + 4 + 6});
  }
  for (int kind = 0; kind < 6; ++kind) {
    const size_t count =
        countAt([&](SaveDesc& s) { s.Player(0).historyCount[static_cast<size_t>(kind)] = 3; });
    cuts.push_back({"history " + std::to_string(kind), count + 4, count + 4 + 6});
  }
  return cuts;
}

TEST_F(DamagedFileTest, ASaveCutInsideAnySectionOrRecordFailsWhereReadingStopped) {
  const SaveDesc full = FullGame();
  const Bytes header = BuildHeader(full), body = BuildBody(full);
  const TSaveDataRec whole = LoadAndParse(Write("whole", MakeContainer(header, body)));
  ASSERT_EQ(whole.Cities, 1);
  ASSERT_EQ(whole.Units, 1);
  const auto bodyOffset = static_cast<int64_t>(header.size() + 8);

  for (const Cut& cut : BodyCuts(full)) {
    ASSERT_LT(cut.from, cut.at) << cut.name;
    ASSERT_LT(cut.at, body.size()) << cut.name;
    const Bytes cutBody(body.begin(), body.begin() + static_cast<ptrdiff_t>(cut.at));
    ExpectParseFails("body-" + cut.name, MakeContainer(header, cutBody), kTruncated,
                     bodyOffset + static_cast<int64_t>(cut.from), bodyOffset + static_cast<int64_t>(cut.at));
  }
  // The header ends at the size fields: a walk that needs more is cut short, whatever follows.
  for (const size_t at : {size_t{2}, size_t{40}, header.size() / 2, header.size() - 5}) {
    const Bytes cutHeader(header.begin(), header.begin() + static_cast<ptrdiff_t>(at));
    ExpectParseFails("header-" + std::to_string(at), MakeContainer(cutHeader, body), kTruncated, 0,
                     static_cast<int64_t>(at));
  }
}

// A counted list: `empty` leaves it without entries, `one` gives it one; the count lies where the
// streams of the two first differ.
struct CountedList {
  const char* name;
  bool inHeader;
  std::function<void(SaveDesc&)> empty, one;
};

std::vector<CountedList> CountedLists() {
  auto nothing = [](SaveDesc&) {};
  auto city = [](SaveDesc& s) { s.Player(0).City("Ur", 3); };
  return {
      {"header list A", true, nothing, [](SaveDesc& s) { s.listA = {4}; }},
      {"header list B", true, nothing, [](SaveDesc& s) { s.listB = {1}; }},
      {"game texts 14", false, nothing, [](SaveDesc& s) { s.gameTexts14 = {"a"}; }},
      {"game texts 15", false, nothing, [](SaveDesc& s) { s.gameTexts15 = {"b"}; }},
      {"game list 16", false, nothing, [](SaveDesc& s) { s.item16Count = 1; }},
      {"game list 17", false, nothing,
       [](SaveDesc& s) {
         s.item17 = {{0, 0}};
       }},
      {"game list 17, first triples", false,
       [](SaveDesc& s) {
         s.item17 = {{0, 0}};
       },
       [](SaveDesc& s) {
         s.item17 = {{1, 0}};
       }},
      {"game list 17, second triples", false,
       [](SaveDesc& s) {
         s.item17 = {{0, 0}};
       },
       [](SaveDesc& s) {
         s.item17 = {{0, 1}};
       }},
      {"replay messages", false, nothing,
       [](SaveDesc& s) {
         s.replay = {{"x", 1}};
       }},
      {"plot pairs", false, nothing, [](SaveDesc& s) { s.map.plots[0].pairs = 1; }},
      {"map list 1", false, nothing, [](SaveDesc& s) { s.map.list1Count = 1; }},
      {"map list 2", false, nothing, [](SaveDesc& s) { s.map.list2Count = 1; }},
      {"player list 3", false, nothing, [](SaveDesc& s) { s.Player(0).list3Texts = {"a"}; }},
      {"player list 4", false, nothing, [](SaveDesc& s) { s.Player(0).list4Count = 1; }},
      {"player list 5", false, nothing, [](SaveDesc& s) { s.Player(0).list5Pairs = 0; }},
      {"player list 5, pairs", false, [](SaveDesc& s) { s.Player(0).list5Pairs = 0; },
       [](SaveDesc& s) { s.Player(0).list5Pairs = 1; }},
      {"player list 6", false, nothing, [](SaveDesc& s) { s.Player(0).list6Count = 1; }},
      {"cities", false, nothing, city},
      {"city groups", false, city, [](SaveDesc& s) { s.Player(0).cities.back().groups = 1; }},
      {"player list 7", false, nothing, [](SaveDesc& s) { s.Player(0).list7Count = 1; }},
      {"units", false, nothing, [](SaveDesc& s) { s.Player(0).Units(1); }},
      {"player list 8", false, nothing, [](SaveDesc& s) { s.Player(0).list8Count = 1; }},
      {"player list 9", false, nothing, [](SaveDesc& s) { s.Player(0).list9Entries = 1; }},
      {"messages", false, nothing, [](SaveDesc& s) { s.Player(0).Message("x", 2); }},
      {"player list 10", false, nothing, [](SaveDesc& s) { s.Player(0).list10Entries = 1; }},
      {"player list 11", false, nothing,
       [](SaveDesc& s) {
         s.Player(0).tagged = {{1, ""}};
       }},
      {"history 0", false, [](SaveDesc& s) { s.Player(0).histories[0].clear(); },
       [](SaveDesc& s) {
         s.Player(0).histories[0] = {{1, 1}};
       }},
      {"history 3", false, nothing, [](SaveDesc& s) { s.Player(0).HistoryPair(3, 2, 2); }},
      {"history 5", false, nothing, [](SaveDesc& s) { s.Player(0).HistoryPair(5, 2, 2); }},
      {"cities of the last slot", false, nothing, [](SaveDesc& s) { s.Player(18).City("Camp", 1, 18); }},
      {"messages of slot 9", false, nothing, [](SaveDesc& s) { s.Player(9).Message("y", 3); }},
  };
}

struct ListStreams {
  Bytes header, emptyPart, onePart;  // the part (header or body) that holds the list
  size_t count;                      // where its count lies in that part
  SaveDesc emptyDesc, oneDesc;
};

ListStreams StreamsOf(const CountedList& list) {
  ListStreams s;
  s.emptyDesc = SmallGame();
  list.empty(s.emptyDesc);
  s.oneDesc = s.emptyDesc;
  list.one(s.oneDesc);
  const auto part = [&](const SaveDesc& desc) { return list.inHeader ? BuildHeader(desc) : BuildBody(desc); };
  s.emptyPart = part(s.emptyDesc);
  s.onePart = part(s.oneDesc);
  s.count = FirstDifference(s.emptyPart, s.onePart);
  return s;
}

Bytes FileWith(const CountedList& list, const SaveDesc& desc, const Bytes& part) {
  return list.inHeader ? MakeContainer(part, BuildBody(desc)) : MakeContainer(BuildHeader(desc), part);
}

TEST_F(DamagedFileTest, AHugeCountInAnyCountedListFailsRightAfterTheCount) {
  for (const CountedList& list : CountedLists()) {
    const ListStreams s = StreamsOf(list);
    ASSERT_LT(s.count, s.emptyPart.size()) << list.name;
    const int64_t base = list.inHeader ? 0 : static_cast<int64_t>(BuildHeader(s.oneDesc).size() + 8);
    const int64_t after = base + static_cast<int64_t>(s.count) + 4;
    for (const int32_t count : {kHugeCount, INT32_MAX}) {
      ExpectParseFails(std::string(list.name) + " " + std::to_string(count),
                       FileWith(list, s.oneDesc, Patched(s.onePart, s.count, count)),
                       AllOf(kTruncated, HasSubstr("a count of " + std::to_string(count) + " entries")),
                       after, after);
    }
  }
}

TEST_F(DamagedFileTest, ANegativeCountInAnyCountedListMeansNoEntries) {
  for (const CountedList& list : CountedLists()) {
    const ListStreams s = StreamsOf(list);
    const TSaveDataRec empty = LoadAndParse(Write("empty", FileWith(list, s.emptyDesc, s.emptyPart)));
    for (const int32_t count : {-1, INT32_MIN}) {
      SCOPED_TRACE(std::string(list.name) + " " + std::to_string(count));
      const std::string path =
          Write("negative", FileWith(list, s.emptyDesc, Patched(s.emptyPart, s.count, count)));
      TSaveDataRec row;
      ASSERT_NO_THROW(row = LoadAndParse(path));
      EXPECT_EQ(Dump(row), Dump(empty));
      // The city and unit counts show what the file stores.
      EXPECT_EQ(row.Cities, std::string(list.name) == "cities" ? count : empty.Cities);
      EXPECT_EQ(row.Units, std::string(list.name) == "units" ? count : empty.Units);
    }
  }
}

// Counts the fixture always writes as 1 (or 0) inside an entry: found from the writer's layout of the
// entry, after the entry list's own count.
TEST_F(DamagedFileTest, AHugeCountInsideAnEntryFailsRightAfterTheCount) {
  SaveDesc desc = SmallGame();
  desc.Player(0).list9Entries = 1;
  desc.Player(0).list10Entries = 1;
  desc.Player(0).tagged = {{1, ""}};
  const Bytes header = BuildHeader(desc), body = BuildBody(desc);
  const auto countOf = [&](const std::function<void(SaveDesc&)>& change) {
    SaveDesc other = desc;
    change(other);
    return FirstDifference(body, BuildBody(other));
  };
  const size_t list3 = countOf([](SaveDesc& s) { s.Player(0).list3Texts = {"a"}; });
  const size_t list9 = countOf([](SaveDesc& s) { s.Player(0).list9Entries = 2; });
  const size_t list10 = countOf([](SaveDesc& s) { s.Player(0).list10Entries = 2; });
  const size_t tagged = countOf([](SaveDesc& s) { s.Player(0).tagged.push_back({1, ""}); });
  const size_t list11 = countOf([](SaveDesc& s) { s.Player(0).tagged.clear(); });
  const size_t list9Pairs = list9 + 4 + SizeOf([](SaveWriter& w) { w.Ints(3).Bool(1).Ints(3); });
  const size_t list9Groups = list9Pairs + 4 + SizeOf([](SaveWriter& w) { w.Ints(2); });
  const size_t list10Pairs = list10 + 4 + SizeOf([](SaveWriter& w) {
                               w.Ints(4).Bools(2).Int(0).WStr("Deal").WStr("").WStr("Terms");
                             });
  const size_t list11Groups = list11 + 4 + SizeOf([](SaveWriter& w) { w.Ints(3); });
  const size_t list11MoreGroups = list11Groups + 4 + SizeOf([](SaveWriter& w) { w.Ints(2).Bools(4); });
  ASSERT_EQ(tagged,
            list11MoreGroups + 4 + SizeOf([](SaveWriter& w) { w.Bools(2).Int(0).Bools(3).WStr("Order"); }));

  const std::pair<const char*, size_t> counts[] = {{"player list 1", list3 - 8},
                                                   {"player list 2", list3 - 4},
                                                   {"list 9 pairs", list9Pairs},
                                                   {"list 9 groups", list9Groups},
                                                   {"list 10 text pairs", list10Pairs},
                                                   {"list 11 groups", list11Groups},
                                                   {"list 11 more groups", list11MoreGroups},
                                                   {"list 11 tagged items", tagged}};
  const auto bodyOffset = static_cast<int64_t>(header.size() + 8);
  for (const auto& [name, at] : counts) {
    const int64_t after = bodyOffset + static_cast<int64_t>(at) + 4;
    ExpectParseFails(name, MakeContainer(header, Patched(body, at, kHugeCount)),
                     AllOf(kTruncated, HasSubstr("a count of 2000000000 entries")), after, after);
  }
}

TEST_F(DamagedFileTest, MapSizesBeyondThirtyTwoBitsOrTheImage) {
  const SaveDesc desc = SmallGame();
  const Bytes header = BuildHeader(desc), body = BuildBody(desc);
  const size_t map = SizeOf([&](SaveWriter& w) { testing::WriteGameSection(w, desc); });
  const auto size = [&](int32_t width, int32_t height) {
    return Patched(Patched(body, map, width), map + 4, height);
  };
  const std::pair<int32_t, int32_t> overflowing[] = {
      {65536, 65536}, {46341, 46341}, {INT32_MAX, 2}, {-65536, -65536}, {INT32_MIN, -1}};
  for (const auto& [width, height] : overflowing) {
    const std::string name = std::to_string(width) + " x " + std::to_string(height);
    ExpectParseFails("map " + name, MakeContainer(header, size(width, height)),
                     AllOf(kTruncated, HasSubstr("(a map of " + name + " plots is too large)")));
  }
  // The largest product that fits is a count like any other.
  ExpectParseFails("map 46340 x 46340", MakeContainer(header, size(46340, 46340)),
                   AllOf(kTruncated, HasSubstr("a count of 2147395600 entries")));
  // A negative size is a map without plots.
  SaveDesc negative = SmallGame();
  negative.map = {};
  negative.map.Size(-3, 5).LandPlots(4);
  const TSaveDataRec row = LoadAndParse(Write("negative-map", testing::BuildSaveFile(negative)));
  EXPECT_EQ(row.LandPlots, 0);
  EXPECT_EQ(row.Land, 20);  // the team's stored land
}

TEST_F(DamagedFileTest, ATextOfMoreThan1023CharactersIsDamage) {
  // 1023 characters are a text like any other.
  SaveDesc longest = SmallGame();
  longest.Slot(0).Named(std::string(1023, 'N'));
  longest.Player(0).City(std::string(1023, 'C'), 10);
  EXPECT_EQ(LoadAndParse(Write("1023", testing::BuildSaveFile(longest))).NickName, std::string(1023, 'N'));

  // A count of 1024 leaves the characters in the stream, so everything after it would be read from the
  // wrong place: the save is refused, in the header as in the body, whatever the characters are.
  for (const char c : {'N', '\0'}) {
    SaveDesc inHeader = SmallGame();
    inHeader.Slot(0).Named(std::string(1024, c));
    ExpectParseFails(std::string("header-1024-") + (c ? "N" : "0"), testing::BuildSaveFile(inHeader),
                     HasSubstr("a text of 1024 characters"));
    SaveDesc inBody = SmallGame();
    inBody.Player(0).City(std::string(1024, c), 10);
    ExpectParseFails(std::string("body-1024-") + (c ? "C" : "0"), testing::BuildSaveFile(inBody),
                     HasSubstr("a text of 1024 characters"));
  }
}

TEST_F(DamagedFileTest, ScoreValuesWhoseArithmeticFailsAreDamage) {
  // A negative maximum over a positive start value has no real power at a fraction of the game.
  SaveDesc negativeMaximum = SmallGame();
  negativeMaximum.maxima = {-400, 200, 300, 100};
  ExpectParseFails("negative-maximum", testing::BuildSaveFile(negativeMaximum),
                   "the save's score values are damaged (Invalid floating point operation)");
  // A maximum below its start value makes the growth ratio 0, which a turn before 0 divides by.
  SaveDesc zeroRatio = SmallGame();
  zeroRatio.maxima = {5, 200, 300, 100};
  zeroRatio.startTurn = -200;
  ExpectParseFails("zero-ratio", testing::BuildSaveFile(zeroRatio),
                   "the save's score values are damaged (Floating point division by zero)");
  // Without a start value the same maximum is no fault.
  SaveDesc noStart = negativeMaximum;
  noStart.inits = {0, 10, 10, 10};
  EXPECT_NO_THROW(LoadAndParse(Write("no-start", testing::BuildSaveFile(noStart))));
}

}  // namespace
}  // namespace vsl
