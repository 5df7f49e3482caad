#pragma once
// The tournament ("Ladder") score of a row and its normalisation against the best row.

#include <cstdint>
#include <span>

#include "record/save_record.h"

namespace vsl {

struct LadderSettings {
  int32_t MaxPop = 0, MaxLand = 0, MaxTech = 0, MaxWonder = 0, MaxCulture = 0, MaxMTech = 150, MaxTurn = 0;
  int32_t PopFactor = 2500, LandFactor = 2500, TechFactor = 2500, WonderFactor = 5000, CultureFactor = 2500,
          MTechFactor = 5000, TurnFactor = 2500;
};

// Fills FPop..FTurn, Result, Penalty, Bonus and LadderFinal of `row`. Throws MathError when a
// negative maximum meets a non-integral exponent.
void LadderScoreCalc(TSaveDataRec& row, const LadderSettings& s, int32_t baseLevel, int32_t levelBonus);

// Fills Norma of every row.
void LadderNormalize(std::span<TSaveDataRec> rows);

}  // namespace vsl
