#include "support/large_save.h"

#include <algorithm>
#include <string>

namespace vsl::testing {

namespace {

class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  int32_t Below(int32_t n) { return static_cast<int32_t>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t state_;
};

constexpr const char* kWords[] = {"army",   "border",  "trade",   "culture", "golden", "harbor",  "temple",
                                  "revolt", "peace",   "war",     "wonder",  "city",   "founded", "captured",
                                  "great",  "prophet", "library", "road",    "famine", "growth",  "plague"};
constexpr const char* kTechs[] = {"Writing",   "Bronze Working", "Monarchy", "Feudalism",    "Optics",
                                  "Gunpowder", "Physics",        "Railroad", "Fiber Optics", "Computers"};

std::string Sentence(Random& rng, int words) {
  std::string s;
  for (int i = 0; i < words; ++i) {
    if (i) s += ' ';
    s += kWords[rng.Below(static_cast<int32_t>(std::size(kWords)))];
    if (rng.Below(4) == 0) s += std::to_string(rng.Below(5000));
  }
  return s;
}

}  // namespace

SaveDesc MakeLargeSaveDesc(uint32_t seed) {
  Random rng(seed);
  SaveDesc desc;
  desc.gameSpeed = 2;
  desc.endTurn = 460;
  desc.elapsedTurns = 380 + rng.Below(60);
  desc.playTimeQuarters = (40 + rng.Below(20)) * 3600 * 4;
  desc.score = 2000 + rng.Below(3000);
  desc.level = rng.Below(9);
  desc.maxima = {400, 300, 250, 120};
  desc.inits = {20, 10, 5, 0};
  desc.sessionCount = 20 + rng.Below(40);
  for (int r = 0; r < 4000; ++r)
    desc.replay.push_back({"<color=255>" + Sentence(rng, 6) + "</color>", r / 10});

  desc.map.Size(124, 68).LandPlots(124 * 68 * 3 / 10);
  desc.map.filler = Plot(0xFF, 3);
  for (int i = 0; i < 124 * 68; ++i) {
    const int owner = rng.Below(4) == 0 ? rng.Below(18) : 0xFF;
    desc.map.Add(Plot(static_cast<uint8_t>(owner), static_cast<int16_t>(rng.Below(6)),
                      rng.Below(50) == 0 ? Sentence(rng, 2) : std::string(), rng.Below(3)));
  }
  desc.map.list1Count = 30;
  desc.map.list2Count = 18;

  for (int p = 0; p < 18; ++p) {
    desc.Slot(p).Named("Player " + std::to_string(seed) + "-" + std::to_string(p)).Leader(p + 1).Civ(p % 24);
    TeamDesc& team = desc.Team(p);
    team.Members(1).Population(500 + rng.Below(4000)).Land(100 + rng.Below(900));
    for (int u = 0; u < 18; ++u) {
      if (rng.Below(2) == 0 || u == p) team.met[static_cast<size_t>(u)] = true;
    }
    for (int k = 0; k < 86; ++k) {
      if (rng.Below(3) != 0) team.techs.push_back(k);
    }
    PlayerDesc& pl = desc.Player(p);
    pl.Population(300 + rng.Below(3000))
        .Scores(rng.Below(400), rng.Below(300), rng.Below(120), rng.Below(250));
    pl.Alive();
    const int cities = 15 + rng.Below(30);
    for (int c = 0; c < cities; ++c) pl.City("TXT_KEY_CITY_NAME_" + Sentence(rng, 1), rng.Below(200000), p);
    pl.Units(150 + rng.Below(200));
    pl.unitText = Sentence(rng, 1);
    const int messages = 170 + rng.Below(100);
    for (int m = 0; m < messages; ++m) {
      const std::string tech = rng.Below(8) == 0 ? kTechs[rng.Below(10)] : "";
      pl.Message("<color=" + std::to_string(rng.Below(256)) + ">" + Sentence(rng, 5) + tech + "</color>",
                 rng.Below(desc.elapsedTurns));
    }
    for (int k = 0; k < 6; ++k) {
      int32_t value = rng.Below(100);
      for (int t = 0; t < desc.elapsedTurns; ++t) {
        value += rng.Below(21) - 8;
        pl.HistoryPair(k, t, value);
      }
    }
  }
  return desc;
}

std::vector<uint8_t> BuildVariedBody(const SaveDesc& desc, uint32_t seed) {
  SaveWriter w;
  WriteGameSection(w, desc);
  w.VaryRuns(seed);  // the fixed positions of the game section stay as written
  WriteMapSection(w, desc.map);
  WriteTeamSection(w, desc);
  WritePlayerSection(w, desc);
  return w.Take();
}

std::vector<uint8_t> BuildLargeSaveFile(uint32_t seed) {
  const SaveDesc desc = MakeLargeSaveDesc(seed);
  return MakeContainer(BuildHeader(desc), BuildVariedBody(desc, seed));
}

}  // namespace vsl::testing
