#pragma once
// Scratch tables of one parse. Reset() clears everything a file supplies, so a row depends on its own
// file and the settings alone. The tables hold what the statistics pass and the row read; records of
// the save whose fields nothing reads later (replay messages, the bulk of cities and messages) are
// passed over by the walk rather than stored.

#include <array>
#include <cstdint>
#include <string>

#include "gamedata/factors.h"
#include "record/save_record.h"

namespace vsl {

inline constexpr int kSlots = 19;          // player slots 0..18; slot 18 is the barbarian slot
inline constexpr int kTableSlots = 20;     // per-slot and per-team tables; entry 19 is never filled
inline constexpr int kTeams = 19;          // teams 0..18
inline constexpr int kTechs = 86;          // technologies 0..85; 85 is the repeatable last one
inline constexpr int kCityCapacity = 501;  // city cultures stored per slot
inline constexpr int kRankedCities = 500;  // cities whose culture is ranked per slot
inline constexpr int kHistoryKinds = 6;    // Score, Economy, Industry, Agriculture, Power, Culture

struct TLeaderInfoRec {
  std::string NickName;  // player's name; defaulted to the leader name by the statistics pass
  std::string LockText;  // non-empty: the save is locked
  int32_t CivType = 0;     // civilization index
  int32_t LeaderType = 0;  // leader index; negative: no leader name
  int32_t Team = 0;        // the slot's team
};

// Sums and products of values from the save wrap around like the stored 32-bit fields, so a damaged
// value gives a wrong number, never undefined behaviour.
constexpr int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
constexpr int32_t WrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

template <typename T>
using PerSlot = std::array<T, kTableSlots>;
template <typename T>
using PerTeam = std::array<T, kTeams>;

// Every table of a parse that Reset() clears whole: a few tens of kilobytes.
struct ParseFields {
  // Header section.
  int32_t SaveVersion = 0;
  int32_t CostSetting1 = 0;
  int32_t CostSetting4 = 0;
  int32_t GameSpeed = 0;  // as read; the game section raises it for old versions
  int32_t Level = 0;
  int32_t MaxPop = 0, MaxLand = 0, MaxTech = 0, MaxWonder = 0;      // score normalisers of the save
  int32_t InitPop = 0, InitLand = 0, InitTech = 0, InitWonder = 0;  // their starting values
  PerSlot<TLeaderInfoRec> LeaderInfo;
  CostFactors Factors;  // from Level, CostSetting1, GameSpeed (as read) and CostSetting4

  // Game section.
  int32_t ElapsedTurns = 0;  // may be lowered by the calendar
  int32_t StartTurn = 0;
  int32_t GameTurn = 0;
  int32_t EndTurn = 0;
  int32_t ReplayMessageCount = 0;  // the entries themselves are not kept

  // Map section.
  int32_t MapWidth = 0, MapHeight = 0;
  int32_t TotalLandPlots = 0;
  PerSlot<int32_t> PlotsOwned{};
  PerSlot<int32_t> LandPlotsOwned{};
  PerSlot<double> LandPlotsShare{};

  // Team section.
  PerSlot<int32_t> TeamMembers{};
  PerTeam<int32_t> TeamPopulation{};
  PerTeam<int32_t> TeamLand{};
  PerSlot<PerTeam<int32_t>> HasMet{};    // [t][u]: team t has met team u
  PerSlot<PerTeam<int32_t>> IsVassal{};  // [t][u]: team t is a vassal of team u
  PerSlot<std::array<int32_t, kTechs>> HasTech{};
  PerSlot<int32_t> LastTechCount{};
  PerSlot<int32_t> TechCount{};

  // Player section (its city cultures and histories are in ParseState).
  PerSlot<int32_t> Population{};
  PerSlot<int32_t> PopScoreRaw{}, LandScoreRaw{}, WonderScoreRaw{}, TechScoreRaw{};
  PerSlot<int32_t> Alive{};
  PerSlot<int32_t> CityCount{};  // as in the stream
  PerSlot<int32_t> UnitCount{};
  PerSlot<int32_t> MessageCount{};  // messages are not kept: they date technologies as they are read
  PerSlot<std::array<int32_t, kTechs>> TechTurn{};  // per team: turn of acquisition, -1 none, 0 at start
  std::array<PerSlot<int32_t>, kHistoryKinds> HistoryCount{};

  // Statistics pass.
  int32_t TotalPopulation = 0;
  PerSlot<double> PopulationShare{};
  int32_t PlayerCount = 0;
  PerSlot<int32_t> PopScore{}, LandScore{};
  PerTeam<int32_t> TeamPopWithVassals{}, TeamLandWithVassals{};
  PerSlot<int32_t> PlayerScore{};

  // Team of a player slot, as the header stored it.
  int32_t GetTeam(int slot) const { return LeaderInfo[static_cast<size_t>(slot)].Team; }
  static bool ValidTeam(int32_t team) { return team >= 0 && team < kTeams; }
};

// The whole parse state: the fields above, and the tables that Reset() clears only as far as the last
// file used them (the histories alone are over half a megabyte).
struct ParseState : ParseFields {
  // Player section.
  PerSlot<std::array<int32_t, kCityCapacity>> CityCulture{};  // the first kCityCapacity cities' cultures
  std::array<PerSlot<std::array<int32_t, kHistoryEntries>>, kHistoryKinds> History{};
  // Per kind and slot: 1 + the highest turn index a pair of this file wrote (StoreHistoryPair); the
  // entries from there on are 0.
  std::array<PerSlot<int32_t>, kHistoryKinds> HistoryUsed{};
  // Two message texts, taking turns while a player's messages are read; their buffers are reused.
  std::array<std::string, 2> MessageText;

  // Clears everything a file supplies.
  void Reset();
};

}  // namespace vsl
