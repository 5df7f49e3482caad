#pragma once
// The summary row of one loaded save: player slot 0 of the save, its scores, its audit and its histories.

#include <array>
#include <cstdint>
#include <string>

namespace vsl {

inline constexpr int kMaxFiles = 100;         // rows of a batch
inline constexpr int kHistoryEntries = 1201;  // entries of each history array
inline constexpr int kHistoryTurns = 1200;    // turn indices a captured history uses (0..1199)

using History = std::array<int32_t, kHistoryEntries>;

// The audit's verdict on a row's reloads (TSaveDataRec::Honesty).
enum Honesty : int32_t { kCheat = 0, kAverage = 1, kFair = 2 };

struct TSaveDataRec {
  std::string FileName;               // file name without directory and extension
  double FileDate = 0;                // last write, days since 30 December 1899 (fraction = time of day)
  std::string NickName;               // name of slot 0, defaulted to its leader's name
  int32_t LeaderType = 0;             // index into LeaderNames
  int32_t CivType = 0;                // index into CivNames
  int32_t ElapsedTurns = 0;           // turns played since the start turn, as stored
  int32_t StartTurn = 0;              // the game's start turn
  int32_t GameTurn = 0;               // StartTurn + ElapsedTurns
  int32_t EndTurn = 0;                // planned end turn
  int32_t GameSpeed = 0;              // calendar index 0..3, after the correction for old versions
  int32_t MapWidth = 0;               // map size in plots; with GameSpeed and EndTurn the settings
  int32_t MapHeight = 0;              //   that give the Ladder maxima
  int32_t GameYear = 0;               // in-game year of GameTurn, negative = BC
  int32_t PlayTime = 0;               // total play time, seconds
  int32_t SessionCount = 0;           // sessions recorded in the save
  int32_t Reloads = 0;                // sessions beyond the presessions
  long double ReloadPercent = 0;      // reloads per 100 turns played
  int32_t SessionTime = 0;            // mean play seconds per reload
  int32_t MaxReloads = 0;             // reload allowance
  int32_t Honesty = kCheat;           // a Honesty value
  int32_t PlayDays = 0;               // tournament day the file was written on (1..31, else 30)
  int32_t GameEnded = 0;              // nonzero when the game is decided
  int32_t VictoryType = 0;            // 1 Time .. 6 Diplomatic, -1 Loss
  int32_t Score = 0;                  // the score stored in the save
  int32_t FinalScore = 0;             // recomputed final game score of slot 0
  int32_t Level = 0;                  // difficulty 0..8
  int32_t Cities = 0;                 // city count of slot 0
  int32_t Units = 0;                  // unit count of slot 0
  int32_t Techs = 0;                  // technologies of team 0 plus repeats of the last one
  int32_t LandPlots = 0;              // land plots owned by slot 0
  long double LandPlotsPercent = 0;   // of the map's land plots
  int32_t Population = 0;             // population of slot 0
  long double PopulationPercent = 0;  // of all slots' population
  int32_t Land = 0;                   // land of team 0 with half of each vassal team's
  long double LandPercent = 0;        // of the map's land plots
  int32_t Pop = 0;                    // population of team 0 with half of each vassal team's
  long double PopPercent = 0;         // of all slots' population
  int32_t Culture1 = 0;               // the three best city cultures of slot 0
  int32_t Culture2 = 0;
  int32_t Culture3 = 0;
  std::string LockText;    // fifth header text of slot 0; a locked row shows only its name columns
  std::string HeaderText;  // third wide text of the header
  int32_t Rank = 0;        // 1 + met players with a higher game score
  int32_t Met = 0;         // slots whose team slot 0's team has met
  int32_t Vassals = 0;     // slots whose team is a vassal of slot 0's team
  int32_t PopScore = 0;    // score values of slot 0 (population and land with the vassal share)
  int32_t LandScore = 0;
  int32_t TechScore = 0;
  int32_t WonderScore = 0;
  int32_t CultureScore = 0;  // mean of the three best cultures / 100, rounded
  int32_t MTechScore = 0;    // 10 x (late-era technologies + repeats of the last one)
  int32_t FPop = 0;          // Ladder components
  int32_t FLand = 0;
  int32_t FTech = 0;
  int32_t FWonder = 0;
  int32_t FCulture = 0;
  int32_t FMTech = 0;
  int32_t FTurn = 0;
  int32_t Result = 0;       // sum of the seven components
  int32_t Penalty = 0;      // always 0
  int32_t Bonus = 0;        // difficulty bonus
  int32_t LadderFinal = 0;  // Result + Bonus, never negative
  long double Norma = 0;    // LadderFinal relative to the best row
  History ScoreHistory{};   // per turn index (game turn - StartTurn)
  History EconomyHistory{};
  History IndustryHistory{};
  History AgricultureHistory{};
  History PowerHistory{};
  History CultureHistory{};
  History ScienceHistory{};  // cumulative research cost, per game turn

  bool operator==(const TSaveDataRec&) const = default;
  bool Locked() const { return !LockText.empty(); }
  // The seven histories in the order of the chart's selector (Score .. Science).
  const History& HistoryOf(int item) const;
};

inline const History& TSaveDataRec::HistoryOf(int item) const {
  switch (item) {
    case 0:
      return ScoreHistory;
    case 1:
      return EconomyHistory;
    case 2:
      return IndustryHistory;
    case 3:
      return AgricultureHistory;
    case 4:
      return PowerHistory;
    case 5:
      return CultureHistory;
    default:
      return ScienceHistory;
  }
}

}  // namespace vsl
