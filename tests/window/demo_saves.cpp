// vsl-demo-saves DIR: writes a small tournament of demo saves into DIR for `make run` and the page
// screenshots: six players with different leaders, speeds and levels, one locked file, one game won
// by a space victory. Two nick names are Cyrillic, stored in code page 1251 as the game stores them. Each
// file is dated on a day of the default tournament (from 27 November 2005), so the reload audit gives each
// honesty class.

#include <sys/stat.h>
#include <utime.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "gamedata/tables.h"
#include "support/fixture_save.h"
#include "support/save_writer.h"

namespace {

using vsl::testing::SaveDesc;

struct DemoPlayer {
  const char* file;
  std::string nick;  // bytes as the save stores them (code page 1251)
  int32_t leader, civ;
  int32_t speed;    // 0 marathon .. 3 quick
  int32_t endTurn;  // last turn of that speed's calendar
  int32_t level;    // 0 Settler .. 8 Deity
  int32_t elapsedTurns;
  int32_t score;
  int32_t playMinutes;
  int32_t sessions;
  int tournamentDay;  // 1 = 27 November 2005
  int hour;
  bool won;
  bool locked;
  double growth;  // shapes the curves
};

// A deterministic jitter so every curve has a little texture.
struct Jitter {
  uint32_t state;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / static_cast<double>(1u << 24) - 0.5;
  }
};

SaveDesc Describe(const DemoPlayer& d) {
  SaveDesc desc;
  desc.gameSpeed = d.speed;
  desc.endTurn = d.endTurn;
  desc.elapsedTurns = d.elapsedTurns;
  desc.startTurn = 0;
  desc.level = d.level;
  desc.score = d.score;
  desc.playTimeQuarters = d.playMinutes * 60 * 4;
  desc.sessionCount = d.sessions;
  desc.maxima = {1800, 1100, 3200, 900};
  if (d.won) {
    desc.gameEnded = 1;
    desc.victoryType = 5;  // space
  }

  desc.map.width = 24;
  desc.map.height = 16;
  desc.map.landPlots = 150;

  // Slot 0 is the player; slots 1..6 are the computer's leaders on their own teams.
  desc.Slot(0).Named(d.nick).Leader(d.leader).Civ(d.civ).OnTeam(0);
  if (d.locked) desc.Slot(0).Locked("tournament");
  const int32_t rivals[6][2] = {{24, 8}, {12, 16}, {34, 7}, {16, 21}, {11, 12}, {27, 6}};
  for (int p = 1; p <= 6; ++p) {
    desc.Slot(p).Leader(rivals[p - 1][0]).Civ(rivals[p - 1][1]).OnTeam(p);
    desc.Team(p).Members(1).Population(4 + 2 * p).Land(6 + p);
    desc.Player(p).Population(8 + 3 * p).Scores(60 + 25 * p, 50 + 15 * p, 10 * p, 300 + 70 * p).Alive();
  }

  const double progress = static_cast<double>(d.elapsedTurns) / d.endTurn;
  const int32_t pop = static_cast<int32_t>(40 + 180 * progress * d.growth);
  desc.Team(0).Members(1).Population(pop).Land(static_cast<int32_t>(20 + 70 * progress * d.growth));
  desc.Team(0).Meets({0, 1, 2, 3, d.elapsedTurns > 150 ? 4 : 0});
  if (d.won) desc.Team(5).VassalOf(0);
  auto& player = desc.Player(0);
  player.Population(pop).Alive();
  player.Scores(static_cast<int32_t>(pop * 1.2), static_cast<int32_t>(90 * progress * d.growth),
                static_cast<int32_t>(120 * progress * d.growth),
                static_cast<int32_t>(2400 * progress * d.growth));

  // Cities with their culture, and the army.
  const int cities = 4 + static_cast<int>(10 * progress * d.growth);
  for (int c = 0; c < cities; ++c) {
    player.City("City " + std::to_string(c + 1), static_cast<int32_t>(60000 * progress * d.growth / (c + 1)));
  }
  player.Units(cities * 3 + 5);

  // Technologies in table order, each announced in the player's log on the turn it arrived.
  const int known = std::min(85, 6 + static_cast<int>(70 * progress * d.growth));
  for (int k = 0; k < known; ++k) {
    desc.Team(0).Knows({k});
    if (k >= 4) {
      const int32_t turn = (k - 3) * d.elapsedTurns / (known - 3);
      player.Message("You have discovered " + std::string(vsl::TechInfo[static_cast<size_t>(k)].Name) + "!",
                     turn);
    }
  }
  if (d.won) desc.Team(0).LastTechRepeats(2);

  // Six curves: score, economy, industry, agriculture, power, culture.
  Jitter jitter{static_cast<uint32_t>(d.leader * 7919 + d.level)};
  const double scales[6] = {static_cast<double>(d.score), 220, 180, 140, 900, 400};
  for (int32_t t = 0; t < d.elapsedTurns; ++t) {
    const double x = static_cast<double>(t + 1) / d.endTurn;
    for (int kind = 0; kind < 6; ++kind) {
      double shape = std::pow(x / std::max(progress, 1e-9), 1.6 + 0.2 * kind);
      if (kind == 4) shape *= 1.0 + 0.25 * std::sin(t / 9.0);  // armies rise and fall
      double value = scales[kind] * shape * (1.0 + 0.02 * jitter.Next());
      if (kind == 1 && t > d.elapsedTurns / 3 && t < d.elapsedTurns / 2) value -= 40;  // a lean economy
      player.HistoryPair(kind, t, static_cast<int32_t>(value));
    }
  }
  return desc;
}

// Dates the file on a day of the tournament, local time.
void SetFileDate(const std::string& path, int day, int hour) {
  std::tm tm{};
  tm.tm_year = 2005 - 1900;
  tm.tm_mon = 10;  // November
  tm.tm_mday = 27 + day - 1;
  tm.tm_hour = hour;
  tm.tm_min = 17;
  tm.tm_isdst = -1;
  const std::time_t when = std::mktime(&tm);
  const utimbuf times{when, when};
  utime(path.c_str(), &times);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string usage =
      "usage: vsl-demo-saves DIR\nWrites six demo saves of a tournament round into DIR.\n";
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::cout << usage;
    return 0;
  }
  if (argc != 2 || argv[1][0] == '-') {
    std::cerr << usage;
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);

  // clang-format off
  const std::vector<DemoPlayer> players = {
      {"Anna.Save",   "Anna",             3, 19, 2, 460,  5, 230,  940, 360,  4,  4, 21, false, false, 1.00},
      {"Boris.Save",  "Boris",           24,  8, 3, 320,  6, 320, 2150, 540, 10,  6, 23, true,  false, 1.35},
      {"Clara.Save",  "Clara",            9,  7, 2, 460,  4, 180,  610, 180,  8,  2, 19, false, false, 0.80},
      {"Dmitri.Save", "\xC4\xEC\xE8\xF2\xF0\xE8\xE9", 25, 20, 1, 660, 5, 260, 700, 300, 3, 3, 22, false, true, 0.90},
      {"Elena.Save",  "\xC5\xEB\xE5\xED\xE0", 6, 20, 0, 1200, 3, 400,  820, 720,  6, 10, 20, false, false, 0.85},
      {"Fyodor.Save", "Fyodor",          32, 20, 2, 460,  8, 250, 1180, 420,  9,  5, 18, false, false, 1.10},
  };
  // clang-format on

  for (const DemoPlayer& d : players) {
    const std::string path = (dir / d.file).string();
    vsl::testing::WriteFile(path, vsl::testing::BuildSaveFile(Describe(d)));
    SetFileDate(path, d.tournamentDay, d.hour);
  }
  std::cout << "wrote " << players.size() << " demo saves to " << dir.string() << "\n";
  return 0;
}
