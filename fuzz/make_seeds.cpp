// fuzz_seeds UNWRAP_DIR ANALYSE_DIR: writes the seed inputs of the two fuzz targets, built with the
// fixture builder from small games that together use every kind of section content: cities, units,
// messages, histories, every counted list, vassals and met teams, a locked slot, an old version, owned
// plots, and values outside their ranges.
//   UNWRAP_DIR:  whole save files (header, sizes, zlib stream, trailer) for fuzz_unwrap;
//   ANALYSE_DIR: a little-endian uint32 body offset followed by the spliced image, for fuzz_analyse.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "support/fixture_save.h"
#include "support/save_writer.h"

namespace {

using vsl::testing::Plot;
using vsl::testing::SaveSpec;

// A default game with nothing in its lists.
SaveSpec Empty() {
  return SaveSpec{};
}

// Two players on a small map: cities, units, messages naming technologies, histories.
SaveSpec Cities() {
  SaveSpec spec;
  spec.elapsedTurns = 60;
  spec.startTurn = 0;
  spec.playTimeQuarters = 4 * 7200;
  spec.sessionCount = 4;
  spec.maxima = {400, 200, 300, 100};
  spec.inits = {10, 10, 10, 10};
  spec.score = 321;
  spec.Slot(0).Named("Anna").Leader(3).Civ(5);
  spec.Slot(1).Leader(11).Civ(12);
  spec.Team(0).Members(1).Population(30).Land(20).Meets({0, 1}).Knows({0, 25, 79, 85}).LastTechRepeats(2);
  spec.Team(1).Members(1).Population(10).Land(10).Meets({0, 1});
  spec.Player(0).Population(30).Scores(100, 50, 20, 30).Alive();
  spec.Player(0).City("TXT_KEY_CITY_NAME_ROME", 900).City("TXT_KEY_CITY_NAME_NEW_TOWN", 45).City("Ostia", 7);
  spec.Player(0).Units(2).Message("You have discovered <color=1>Optics</color>!", 57);
  spec.Player(0).Message("Bronze Working and Writing", 12);
  for (int kind = 0; kind < 6; ++kind) {
    spec.Player(0).HistoryPair(kind, 0, 1).HistoryPair(kind, 1, 5).HistoryPair(kind, 2, 9);
  }
  spec.Player(1).Population(10).Scores(40, 20, 0, 10).Alive().City("Sparta", 30, 1).Units(1);
  spec.map.Size(2, 2).LandPlots(3).Add(Plot(0, 2)).Add(Plot(0, 1, "Hill")).Add(Plot(1, 0, "", 2)).Add(Plot(0, 3));
  return spec;
}

// Something in every counted list of every section.
SaveSpec Lists() {
  SaveSpec spec;
  spec.listA = {1, 2, 3};
  spec.listB = {1, 0, 1};
  spec.gameTexts14 = {"first", "second"};
  spec.gameTexts15 = {"third"};
  spec.item16Count = 3;
  spec.item17 = {{1, 2}, {0, 1}};
  spec.replay = {{"<b>Founded</b> Rome", 1}, {"War", 20}};
  spec.sessionCount = 2;
  spec.map.Size(1, 1).LandPlots(1).Add(Plot(0, 0, "Peak", 1));
  spec.map.list1Count = 2;
  spec.map.list2Count = 1;
  auto& p = spec.Player(0);
  p.Alive();
  p.text13 = "thirteen";
  p.list3Texts = {"a", "bc"};
  p.list4Count = 1;
  p.list5Pairs = 2;
  p.list6Count = 2;
  p.list7Count = 1;
  p.list8Count = 3;
  p.list9Entries = 2;
  p.list10Entries = 1;
  p.tagged = {{9, "tag"}, {3, ""}, {10, "x"}};
  p.unitText = "Warrior";
  p.Units(1);
  return spec;
}

// Vassals, met teams and shared teams.
SaveSpec Vassals() {
  SaveSpec spec;
  spec.elapsedTurns = 100;
  spec.maxima = {500, 300, 200, 100};
  spec.inits = {20, 20, 20, 20};
  spec.Slot(0).Named("Master").Leader(1).OnTeam(0);
  spec.Slot(1).Named("Ally").Leader(2).OnTeam(0);
  spec.Slot(2).Named("Vassal").Leader(4).OnTeam(2);
  spec.Slot(18).Named("Barbarians");
  spec.Team(0).Members(2).Population(50).Land(40).Meets({0, 2});
  spec.Team(2).Members(1).Population(20).Land(10).Meets({0, 2}).VassalOf(0);
  spec.Player(0).Population(30).Scores(80, 60, 40, 20).Alive();
  spec.Player(1).Population(20).Scores(50, 30, 10, 0).Alive();
  spec.Player(2).Population(20).Scores(30, 20, 5, 0).Alive();
  return spec;
}

// A locked save of an old version (the speed is counted from 1).
SaveSpec LockedOld() {
  SaveSpec spec;
  spec.version = 101;
  spec.gameSpeed = 1;
  spec.elapsedTurns = 10;
  spec.startTurn = 5;
  spec.headerText = "Tournament";
  spec.Slot(0).Named("Hidden").Locked("secret").Leader(0);
  spec.Player(0).Alive().HistoryPair(0, 3, 7).HistoryPair(0, 2000, 1);
  return spec;
}

// Values outside their ranges: difficulty, speed, victory, leader, civilization, team, maxima, turns,
// and a wide text with high bytes.
SaveSpec Hostile() {
  SaveSpec spec;
  spec.level = 42;
  spec.gameSpeed = -3;
  spec.victoryType = 17;
  spec.gameEnded = 1;
  spec.elapsedTurns = -5;
  spec.endTurn = 0;
  spec.costSetting1 = 99;
  spec.costSetting4 = -1;
  spec.maxima = {-400, 0, 300, -1};
  spec.inits = {10, 0, -10, 10};
  spec.Slot(0).Leader(999).Civ(-7).OnTeam(40);
  spec.Slot(1).Leader(-2).OnTeam(-1);
  spec.Player(0).Alive().Scores(-5, 7, 9, 11).City("TXT_KEY_CITY_NAME_X", -100).Message("Optics", -3);
  spec.Player(0).HistoryPair(1, -50, 4);
  return spec;
}

void Write(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  vsl::testing::WriteFile(path.string(), bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: fuzz_seeds UNWRAP_DIR ANALYSE_DIR\n";
    return 2;
  }
  const std::filesystem::path unwrapDir = argv[1], analyseDir = argv[2];
  std::filesystem::create_directories(unwrapDir);
  std::filesystem::create_directories(analyseDir);

  const std::vector<std::pair<const char*, SaveSpec>> games = {
      {"empty", Empty()},     {"cities", Cities()},        {"lists", Lists()},
      {"vassals", Vassals()}, {"locked-old", LockedOld()}, {"hostile", Hostile()}};
  for (const auto& [name, spec] : games) {
    Write(unwrapDir / (std::string(name) + ".Save"), vsl::testing::BuildSaveFile(spec));

    const vsl::testing::SplicedSave image = vsl::testing::BuildImage(spec);
    std::vector<uint8_t> input(4 + image.bytes.size());
    const auto offset = static_cast<uint32_t>(image.bodyOffset);
    for (size_t i = 0; i < 4; ++i) input[i] = static_cast<uint8_t>(offset >> (8 * i));
    std::memcpy(input.data() + 4, image.bytes.data(), image.bytes.size());
    Write(analyseDir / (std::string(name) + ".bin"), input);
  }
  // A file with a trailer after the stream, for the unwrapping only.
  const SaveSpec spec = Cities();
  const std::vector<uint8_t> withTrailer = vsl::testing::MakeContainer(
      vsl::testing::BuildHeader(spec), vsl::testing::BuildBody(spec), {.trailer = {'E', 'N', 'D', 0, 1}});
  Write(unwrapDir / "trailer.Save", withTrailer);
  return 0;
}
