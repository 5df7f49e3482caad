#pragma once
// Complete saves from a small description, for tests, demo saves and benchmark saves.
//
// Every section is written by hand, field by field, from the game's layout; nothing here uses the
// reader's tables, so a wrong count in either disagrees somewhere. A description reads like the game
// it describes:
//
//   SaveDesc desc;
//   desc.Slot(0).Named("Anna").Leader(3).OnTeam(0);
//   desc.Team(3).VassalOf(0).Population(10).Land(7);
//   desc.Player(0).City("TXT_KEY_CITY_NAME_ROME", 900).Message("You have discovered Optics!", 57);
//   SplicedSave save = BuildImage(desc);

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/save_writer.h"

namespace vsl::testing {

inline constexpr int kDescSlots = 19;
inline constexpr int kDescTeams = 19;
inline constexpr int kDescTechs = 86;

// Header record of one player slot.
struct SlotDesc {
  std::string name;      // first wide text: the player's name
  std::string lockText;  // fifth wide text: non-empty locks the save
  int32_t civ = 0;
  int32_t leader = -1;  // -1: no leader
  int32_t team = 0;     // SaveDesc starts each slot on the team of its own number

  SlotDesc& Named(std::string n) {
    name = std::move(n);
    return *this;
  }
  SlotDesc& Locked(std::string text) {
    lockText = std::move(text);
    return *this;
  }
  SlotDesc& Civ(int32_t c) {
    civ = c;
    return *this;
  }
  SlotDesc& Leader(int32_t l) {
    leader = l;
    return *this;
  }
  SlotDesc& OnTeam(int32_t t) {
    team = t;
    return *this;
  }
};

struct ReplayMessageDesc {
  std::string text;
  int32_t turn = 0;
};

// Item 17 of the game section: an entry with `a` and `b` triples.
struct TripleListsDesc {
  int32_t a = 0;
  int32_t b = 0;
};

struct PlotDesc {
  uint8_t owner = 0xFF;  // 0xFF: nobody
  int16_t type = 3;      // 0, 1, 2 are land
  std::string text;      // the plot's wide text
  int32_t pairs = 0;     // entries of the plot's closing list
};

// A plot owned by slot `owner` (0xFF: nobody) of type `type` (0, 1, 2 land).
inline PlotDesc Plot(uint8_t owner, int16_t type, std::string text = {}, int32_t pairs = 0) {
  PlotDesc plot;
  plot.owner = owner;
  plot.type = type;
  plot.text = std::move(text);
  plot.pairs = pairs;
  return plot;
}

struct MapDesc {
  int32_t width = 0;
  int32_t height = 0;
  int32_t landPlots = 0;        // the stored land plot count
  std::vector<PlotDesc> plots;  // the first plots in stream order; the rest are `filler`
  PlotDesc filler;
  int32_t list1Count = 0;  // int32 entries of the first list after the plots
  int32_t list2Count = 0;  // 7,189-byte entries of the second

  MapDesc& Size(int32_t w, int32_t h) {
    width = w, height = h;
    return *this;
  }
  MapDesc& LandPlots(int32_t n) {
    landPlots = n;
    return *this;
  }
  MapDesc& Add(PlotDesc plot) {
    plots.push_back(std::move(plot));
    return *this;
  }
};

struct TeamDesc {
  int32_t members = 0;
  int32_t population = 0;
  int32_t land = 0;
  std::array<bool, kDescTeams> met{};       // met[u]: this team has met team u
  std::array<bool, kDescTeams> vassalOf{};  // vassalOf[u]: this team is a vassal of team u
  std::vector<int> techs;                   // technologies known (flags)
  int32_t lastTechCount = 0;                // repeats of the last technology

  TeamDesc& Members(int32_t n) {
    members = n;
    return *this;
  }
  TeamDesc& Population(int32_t n) {
    population = n;
    return *this;
  }
  TeamDesc& Land(int32_t n) {
    land = n;
    return *this;
  }
  TeamDesc& Meets(std::initializer_list<int> teams) {
    for (int u : teams) met.at(static_cast<size_t>(u)) = true;
    return *this;
  }
  TeamDesc& VassalOf(int master) {
    vassalOf.at(static_cast<size_t>(master)) = true;
    return *this;
  }
  TeamDesc& Knows(std::initializer_list<int> ks) {
    techs.insert(techs.end(), ks);
    return *this;
  }
  TeamDesc& LastTechRepeats(int32_t n) {
    lastTechCount = n;
    return *this;
  }
};

struct CityDesc {
  std::string name;
  std::array<int32_t, kDescSlots> cultureBySlot{};  // item 13: one culture value per player slot
  std::string secondText;                           // item 17
  int32_t groups = 0;                               // item 30 entries
};

struct MessageDesc {
  std::string text;
  int32_t turn = 0;
  std::string text2;
};

// A tagged item of counted list 11: kinds 9 and 10 carry a text, the others two int32.
struct TaggedItemDesc {
  int32_t kind = 0;
  std::string text;
};

struct PlayerDesc {
  int32_t population = 0;
  int32_t popScore = 0, landScore = 0, wonderScore = 0, techScore = 0;
  bool alive = false;
  std::vector<CityDesc> cities;
  int32_t units = 0;  // unit records; a negative count is written as is, with no records
  std::string unitText;
  std::vector<MessageDesc> messages;
  std::array<std::vector<std::pair<int32_t, int32_t>>, 6> histories;  // (game turn, value) per kind
  // Counts written in place of the real ones (the entries of the vectors are still written).
  std::optional<int32_t> cityCount, messageCount;
  std::array<std::optional<int32_t>, 6> historyCount;
  std::string text13;                                                      // item 13
  int32_t list4Count = 0, list6Count = 0, list7Count = 0, list8Count = 0;  // int32 entries
  std::vector<std::string> list3Texts;                                     // counted list 3
  int32_t list5Pairs = -1;             // >= 0: one list-5 entry with this many pairs
  std::vector<TaggedItemDesc> tagged;  // non-empty: one list-11 entry with these items
  int32_t list9Entries = 0;            // each with one pair and one group of 5 int32
  int32_t list10Entries = 0;           // each with three texts and one pair of texts

  PlayerDesc& Population(int32_t n) {
    population = n;
    return *this;
  }
  // The four score values as the save stores them.
  PlayerDesc& Scores(int32_t pop, int32_t land, int32_t wonder, int32_t tech) {
    popScore = pop, landScore = land, wonderScore = wonder, techScore = tech;
    return *this;
  }
  PlayerDesc& Alive(bool a = true) {
    alive = a;
    return *this;
  }
  // A city of this slot whose own culture is `culture` (entry p of its culture values).
  PlayerDesc& City(std::string name, int32_t culture, int p = 0);
  PlayerDesc& Units(int32_t n) {
    units = n;
    return *this;
  }
  PlayerDesc& Message(std::string text, int32_t turn) {
    messages.push_back({std::move(text), turn, {}});
    return *this;
  }
  PlayerDesc& HistoryPair(int kind, int32_t turn, int32_t value) {
    histories.at(static_cast<size_t>(kind)).emplace_back(turn, value);
    return *this;
  }
};

struct SaveDesc {
  // Header.
  int32_t version = 302;
  int32_t costSetting1 = 0, costSetting4 = 0, gameSpeed = 2;
  std::string headerText;      // header item 7
  std::vector<int32_t> listA;  // header item 11 entries
  std::vector<uint8_t> listB;  // header item 12 entries
  std::array<SlotDesc, kDescSlots> slots;

  // Game section.
  int32_t elapsedTurns = 0;
  int32_t startTurn = 0;
  int32_t endTurn = 460;
  int32_t playTimeQuarters = 0;  // play time in quarter seconds
  int32_t score = 0;             // stored score (first entry of the fourth 19-entry array)
  int32_t level = 3;
  int32_t victoryType = 0;
  int32_t gameEnded = 0;
  std::array<int32_t, 4> maxima{};  // population, land, technology, wonders
  std::array<int32_t, 4> inits{};
  std::string text129;  // the wide text at body offset 129
  std::vector<std::string> gameTexts14, gameTexts15;
  int32_t item16Count = 0;
  std::vector<TripleListsDesc> item17;
  std::vector<ReplayMessageDesc> replay;
  int32_t sessionCount = 0;

  MapDesc map;
  std::array<TeamDesc, kDescTeams> teams;
  std::array<PlayerDesc, kDescSlots> players;

  SaveDesc();
  SlotDesc& Slot(int p) { return slots.at(static_cast<size_t>(p)); }
  TeamDesc& Team(int t) { return teams.at(static_cast<size_t>(t)); }
  PlayerDesc& Player(int p) { return players.at(static_cast<size_t>(p)); }
};

// The sections, each appended to `w` (offsets of the game section are relative to its start).
void WriteHeader(SaveWriter& w, const SaveDesc& desc);
void WriteGameSection(SaveWriter& w, const SaveDesc& desc);
void WriteMapSection(SaveWriter& w, const MapDesc& map);
void WritePlot(SaveWriter& w, const PlotDesc& plot);
void WriteTeamSection(SaveWriter& w, const SaveDesc& desc);
void WriteTeam(SaveWriter& w, const TeamDesc& team);
void WritePlayerSection(SaveWriter& w, const SaveDesc& desc);
void WritePlayer(SaveWriter& w, const PlayerDesc& player);
void WriteCity(SaveWriter& w, const CityDesc& city);
void WriteUnit(SaveWriter& w, const std::string& text);
void WriteMessage(SaveWriter& w, const MessageDesc& message);

std::vector<uint8_t> BuildHeader(const SaveDesc& desc);
std::vector<uint8_t> BuildBody(const SaveDesc& desc);
// A save file: header and the compressed body in the container.
std::vector<uint8_t> BuildSaveFile(const SaveDesc& desc);

// A spliced save image: header, int32 inflated size, "BODY", body.
struct SplicedSave {
  std::vector<uint8_t> bytes;
  int32_t bodyOffset = 0;
};
SplicedSave BuildImage(const SaveDesc& desc);

}  // namespace vsl::testing
