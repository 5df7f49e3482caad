#pragma once
// Scratch tables of one parse. Reset() clears everything a file supplies, so a row depends on its own
// file and the settings alone; the variable-length tables keep their entries and the entries' text
// buffers between files, so that a batch allocates only for its largest file.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/factors.h"
#include "save/save_record.h"

namespace vsl {

inline constexpr int kSlots = 19;               // player slots 0..18; slot 18 is the barbarian slot
inline constexpr int kTableSlots = 20;          // per-slot and per-team tables; entry 19 is never filled
inline constexpr int kTeams = 19;               // teams 0..18
inline constexpr int kTechs = 86;               // technologies 0..85; 85 is the repeatable last one
inline constexpr int kCityCapacity = 501;       // cities stored per slot
inline constexpr int kRankedCities = 500;       // cities whose culture is ranked per slot
inline constexpr int kMessageCapacity = 65537;  // messages stored per slot
inline constexpr int kReplayCapacity = 65536;   // replay messages stored
inline constexpr int kHistoryKinds = 6;         // Score, Economy, Industry, Agriculture, Power, Culture

struct TLeaderInfoRec {
  std::string NickName;  // player's name; defaulted to the leader name by the statistics pass
  std::string SlotText2, SlotText3, SlotText4;
  std::string LockText;  // non-empty: the save is locked
  std::string SlotText6, SlotText7;
  int32_t SlotFlag8 = 0;
  std::string SlotText9;
  int32_t CivType = 0;     // civilization index
  int32_t LeaderType = 0;  // leader index; negative: no leader name
  int32_t Team = 0;        // the slot's team
  int32_t SlotValue13 = 0, SlotValue14 = 0, SlotValue15 = 0;
};

struct TCityRec {
  std::string Name;  // city name with the text-key prefix removed
  int32_t CityValue3 = 0, CityValue4 = 0;
  std::array<int32_t, 129> BuildingFlags1{};
  std::array<int32_t, 129> BuildingFlags2{};
  std::array<int32_t, 129> BuildingValues{};
  std::array<int32_t, 92> UnitValues{};
  std::array<int32_t, 11> ProjectValues{};
  std::array<int32_t, 3> CityTriple{};
  int32_t Culture = 0;  // the owner's culture in this city
  int32_t CityValue7 = 0, CityValue9 = 0;
};

struct TMessageRec {
  std::string Text;  // markup removed; searched for technology names
  std::string Text2, Text3;
  int32_t Value1 = 0, Value2 = 0, Value3 = 0, Value4 = 0;
  int32_t Flag1 = 0, Flag2 = 0;
  int32_t Turn = 0;  // game turn of the message
  int32_t Value5 = 0, Value6 = 0, Value7 = 0;
  int32_t Flag3 = 0;
};

struct TReplayMsgRec {
  int32_t Value1 = 0, Value2 = 0, Value3 = 0, Value4 = 0, Value5 = 0;
  std::string Text;  // markup removed
  int32_t Value6 = 0;
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

// A list of records that keeps its entries when cleared: an entry appended again holds the fields of
// the entry that stood there before, and its texts keep their buffers. The readers overwrite every
// field of an entry they append.
template <typename T>
class RecordList {
 public:
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](size_t i) { return items_[i]; }
  const T& operator[](size_t i) const { return items_[i]; }
  T& back() { return items_[size_ - 1]; }
  const T& back() const { return items_[size_ - 1]; }
  T* begin() { return items_.data(); }
  T* end() { return items_.data() + size_; }
  const T* begin() const { return items_.data(); }
  const T* end() const { return items_.data() + size_; }
  void reserve(size_t n) { items_.reserve(n); }
  void clear() { size_ = 0; }
  // The next entry, for the caller to overwrite field by field.
  T& AppendForOverwrite() {
    if (size_ == items_.size()) items_.emplace_back();
    return items_[size_++];
  }

 private:
  std::vector<T> items_;  // entries in use first; the rest are kept for the next file
  size_t size_ = 0;
};

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

  // Game section (its replay messages are in ParseState).
  int32_t ElapsedTurns = 0;  // may be lowered by the calendar
  int32_t StartTurn = 0;
  int32_t GameTurn = 0;
  int32_t EndTurn = 0;
  int32_t ReplayMessageCount = 0;

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

  // Player section (its cities, messages and histories are in ParseState).
  PerSlot<int32_t> Population{};
  PerSlot<int32_t> PopScoreRaw{}, LandScoreRaw{}, WonderScoreRaw{}, TechScoreRaw{};
  PerSlot<int32_t> Alive{};
  PerSlot<int32_t> CityCount{};  // as in the stream
  PerSlot<int32_t> UnitCount{};
  PerSlot<int32_t> MessageCount{};
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

// The whole parse state: the fields above, and the record lists and tables that Reset() clears only
// as far as the last file used them (the histories alone are over half a megabyte).
struct ParseState : ParseFields {
  // Game section.
  RecordList<TReplayMsgRec> ReplayMessages;  // at most kReplayCapacity

  // Player section.
  PerSlot<RecordList<TCityRec>> Cities;  // at most kCityCapacity per slot
  PerSlot<std::array<int32_t, kCityCapacity>> CityCulture{};
  PerSlot<RecordList<TMessageRec>> Messages;  // at most kMessageCapacity per slot
  std::array<PerSlot<std::array<int32_t, kHistoryEntries>>, kHistoryKinds> History{};
  // Per kind and slot: 1 + the highest turn index a pair of this file wrote (StoreHistoryPair); the
  // entries from there on are 0.
  std::array<PerSlot<int32_t>, kHistoryKinds> HistoryUsed{};

  // Clears everything a file supplies; the record lists keep their entries for reuse.
  void Reset();
};

}  // namespace vsl
