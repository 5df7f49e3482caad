// The tournament ("Ladder") score: seven turn-normalised components, a difficulty bonus and a share of
// the best row.

#include "scoring/ladder.h"

#include <algorithm>

#include "scoring/convert.h"
#include "scoring/game_score.h"

namespace vsl {

LadderTrace LadderScoreCalc(TSaveDataRec& row, const LadderSettings& s, int32_t baseLevel,
                            int32_t levelBonus) {
  LadderTrace trace;
  trace.TurnLimit = s.MaxTurn > 0 ? s.MaxTurn : kDefaultTurnLimit;
  size_t next = 0;
  const auto component = [&](int32_t factor, double maximum, double value) {
    LadderComponentTrace& c = trace.Components.at(next++);
    const double target = cScoreTarget(row.GameTurn, s.MaxTurn, maximum);
    c = {value, maximum, target, factor, cScoreAt(factor, value, target)};
    return c.Points;
  };
  // Culture counts in hundreds, the quotients taken in extended precision and passed on as doubles.
  const auto hundredths = [](int32_t v) { return static_cast<double>(static_cast<long double>(v) / 100); };

  row.FPop = component(s.PopFactor, s.MaxPop, row.PopScore);
  row.FLand = component(s.LandFactor, s.MaxLand, row.LandScore);
  row.FTech = component(s.TechFactor, s.MaxTech, row.TechScore);
  row.FWonder = component(s.WonderFactor, s.MaxWonder, row.WonderScore);
  row.FCulture = component(s.CultureFactor, hundredths(s.MaxCulture), hundredths(row.CultureScore));
  row.FMTech = component(s.MTechFactor, s.MaxMTech, row.MTechScore);
  row.FTurn = component(s.TurnFactor, s.MaxTurn, row.ElapsedTurns);

  // 32-bit sums and products, wrapping as the integer arithmetic of the score always has.
  row.Result = WrapInt32(int64_t{row.FPop} + row.FLand + row.FTech + row.FWonder + row.FCulture + row.FMTech +
                         row.FTurn);
  row.Penalty = 0;
  trace.LevelPercent = WrapInt32((int64_t{row.Level} - baseLevel) * levelBonus);
  row.Bonus = WrapInt32(int64_t{trace.LevelPercent} * row.Result) / 100;  // truncates toward zero
  row.LadderFinal = std::max(0, WrapInt32(int64_t{row.Result} + row.Bonus));
  return trace;
}

void LadderNormalize(std::span<TSaveDataRec> rows) {
  if (rows.empty()) return;
  int32_t best = rows.front().LadderFinal;
  for (const TSaveDataRec& row : rows) best = std::max(best, row.LadderFinal);
  for (TSaveDataRec& row : rows) {
    row.Norma = row.LadderFinal;
    if (best > 0) row.Norma = static_cast<long double>(row.LadderFinal) / best;
  }
}

}  // namespace vsl
