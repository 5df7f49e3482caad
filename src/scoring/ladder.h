#pragma once
// The tournament ("Ladder") score of a row and its normalisation against the best row.

#include <array>
#include <cstdint>
#include <span>

#include "record/save_record.h"

namespace vsl {

struct LadderSettings {
  int32_t MaxPop = 0, MaxLand = 0, MaxTech = 0, MaxWonder = 0, MaxCulture = 0, MaxMTech = 150, MaxTurn = 0;
  int32_t PopFactor = 2500, LandFactor = 2500, TechFactor = 2500, WonderFactor = 5000, CultureFactor = 2500,
          MTechFactor = 5000, TurnFactor = 2500;
};

// One component of a row's score as computed: Points = Round(Factor x Value / Target), -1 when the
// target is not positive.
struct LadderComponentTrace {
  double Value = 0;    // the row's value (Culture in hundreds)
  double Maximum = 0;  // the component's maximum (Culture in hundreds)
  double Target = 0;   // the maximum grown to the row's game turn: Maximum ^ (GameTurn / TurnLimit)
  int32_t Factor = 0;
  int32_t Points = 0;
};

// The numbers a row's score passes through besides the row's outputs (FPop .. LadderFinal).
struct LadderTrace {
  std::array<LadderComponentTrace, 7> Components;  // Pop, Land, Tech, Wonder, Culture, MTech, Turn
  int32_t TurnLimit = 0;                           // MaxTurn, 1200 when not positive
  int32_t LevelPercent = 0;                        // (Level - base level) x level bonus
};

// Fills FPop..FTurn, Result, Penalty, Bonus and LadderFinal of `row` and returns the numbers it went
// through. Throws MathError when a negative maximum meets a non-integral exponent.
LadderTrace LadderScoreCalc(TSaveDataRec& row, const LadderSettings& s, int32_t baseLevel,
                            int32_t levelBonus);

// Fills Norma of every row.
void LadderNormalize(std::span<TSaveDataRec> rows);

}  // namespace vsl
