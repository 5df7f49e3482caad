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
using vsl::testing::SaveDesc;

// A default game with nothing in its lists.
SaveDesc Empty() {
  return SaveDesc{};
}

// Two players on a small map: cities, units, messages naming technologies, histories.
SaveDesc Cities() {
  SaveDesc desc;
  desc.elapsedTurns = 60;
  desc.startTurn = 0;
  desc.playTimeQuarters = 4 * 7200;
  desc.sessionCount = 4;
  desc.maxima = {400, 200, 300, 100};
  desc.inits = {10, 10, 10, 10};
  desc.score = 321;
  desc.Slot(0).Named("Anna").Leader(3).Civ(5);
  desc.Slot(1).Leader(11).Civ(12);
  desc.Team(0).Members(1).Population(30).Land(20).Meets({0, 1}).Knows({0, 25, 79, 85}).LastTechRepeats(2);
  desc.Team(1).Members(1).Population(10).Land(10).Meets({0, 1});
  desc.Player(0).Population(30).Scores(100, 50, 20, 30).Alive();
  desc.Player(0).City("TXT_KEY_CITY_NAME_ROME", 900).City("TXT_KEY_CITY_NAME_NEW_TOWN", 45).City("Ostia", 7);
  desc.Player(0).Units(2).Message("You have discovered <color=1>Optics</color>!", 57);
  desc.Player(0).Message("Bronze Working and Writing", 12);
  for (int kind = 0; kind < 6; ++kind) {
    desc.Player(0).HistoryPair(kind, 0, 1).HistoryPair(kind, 1, 5).HistoryPair(kind, 2, 9);
  }
  desc.Player(1).Population(10).Scores(40, 20, 0, 10).Alive().City("Sparta", 30, 1).Units(1);
  desc.map.Size(2, 2)
      .LandPlots(3)
      .Add(Plot(0, 2))
      .Add(Plot(0, 1, "Hill"))
      .Add(Plot(1, 0, "", 2))
      .Add(Plot(0, 3));
  return desc;
}

// Something in every counted list of every section.
SaveDesc Lists() {
  SaveDesc desc;
  desc.listA = {1, 2, 3};
  desc.listB = {1, 0, 1};
  desc.gameTexts14 = {"first", "second"};
  desc.gameTexts15 = {"third"};
  desc.item16Count = 3;
  desc.item17 = {{1, 2}, {0, 1}};
  desc.replay = {{"<b>Founded</b> Rome", 1}, {"War", 20}};
  desc.sessionCount = 2;
  desc.map.Size(1, 1).LandPlots(1).Add(Plot(0, 0, "Peak", 1));
  desc.map.list1Count = 2;
  desc.map.list2Count = 1;
  auto& p = desc.Player(0);
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
  return desc;
}

// Vassals, met teams and shared teams.
SaveDesc Vassals() {
  SaveDesc desc;
  desc.elapsedTurns = 100;
  desc.maxima = {500, 300, 200, 100};
  desc.inits = {20, 20, 20, 20};
  desc.Slot(0).Named("Master").Leader(1).OnTeam(0);
  desc.Slot(1).Named("Ally").Leader(2).OnTeam(0);
  desc.Slot(2).Named("Vassal").Leader(4).OnTeam(2);
  desc.Slot(18).Named("Barbarians");
  desc.Team(0).Members(2).Population(50).Land(40).Meets({0, 2});
  desc.Team(2).Members(1).Population(20).Land(10).Meets({0, 2}).VassalOf(0);
  desc.Player(0).Population(30).Scores(80, 60, 40, 20).Alive();
  desc.Player(1).Population(20).Scores(50, 30, 10, 0).Alive();
  desc.Player(2).Population(20).Scores(30, 20, 5, 0).Alive();
  return desc;
}

// A locked save of an old version (the speed is counted from 1).
SaveDesc LockedOld() {
  SaveDesc desc;
  desc.version = 101;
  desc.gameSpeed = 1;
  desc.elapsedTurns = 10;
  desc.startTurn = 5;
  desc.headerText = "Tournament";
  desc.Slot(0).Named("Hidden").Locked("secret").Leader(0);
  desc.Player(0).Alive().HistoryPair(0, 3, 7).HistoryPair(0, 2000, 1);
  return desc;
}

// Values outside their ranges: difficulty, speed, victory, leader, civilization, team, maxima, turns,
// and a wide text with high bytes.
SaveDesc Hostile() {
  SaveDesc desc;
  desc.level = 42;
  desc.gameSpeed = -3;
  desc.victoryType = 17;
  desc.gameEnded = 1;
  desc.elapsedTurns = -5;
  desc.endTurn = 0;
  desc.costSetting1 = 99;
  desc.costSetting4 = -1;
  desc.maxima = {-400, 0, 300, -1};
  desc.inits = {10, 0, -10, 10};
  desc.Slot(0).Leader(999).Civ(-7).OnTeam(40);
  desc.Slot(1).Leader(-2).OnTeam(-1);
  desc.Player(0).Alive().Scores(-5, 7, 9, 11).City("TXT_KEY_CITY_NAME_X", -100).Message("Optics", -3);
  desc.Player(0).HistoryPair(1, -50, 4);
  return desc;
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

  const std::vector<std::pair<const char*, SaveDesc>> games = {
      {"empty", Empty()},     {"cities", Cities()},        {"lists", Lists()},
      {"vassals", Vassals()}, {"locked-old", LockedOld()}, {"hostile", Hostile()}};
  for (const auto& [name, desc] : games) {
    Write(unwrapDir / (std::string(name) + ".Save"), vsl::testing::BuildSaveFile(desc));

    const vsl::testing::SplicedSave image = vsl::testing::BuildImage(desc);
    std::vector<uint8_t> input(4 + image.bytes.size());
    const auto offset = static_cast<uint32_t>(image.bodyOffset);
    for (size_t i = 0; i < 4; ++i) input[i] = static_cast<uint8_t>(offset >> (8 * i));
    std::memcpy(input.data() + 4, image.bytes.data(), image.bytes.size());
    Write(analyseDir / (std::string(name) + ".bin"), input);
  }
  // A file with a trailer after the stream, for the unwrapping only.
  const SaveDesc desc = Cities();
  const std::vector<uint8_t> withTrailer = vsl::testing::MakeContainer(
      vsl::testing::BuildHeader(desc), vsl::testing::BuildBody(desc), {.trailer = {'E', 'N', 'D', 0, 1}});
  Write(unwrapDir / "trailer.Save", withTrailer);
  return 0;
}
