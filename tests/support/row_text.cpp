#include "support/row_text.h"

#include <sstream>

namespace vsl::testing {

std::string RowText(const TSaveDataRec& r) {
  std::ostringstream o;
  o.precision(21);
  o << r.FileName << '|' << r.FileDate << '|' << r.NickName << '|' << r.LeaderType << '|' << r.CivType << '|'
    << r.ElapsedTurns << '|' << r.StartTurn << '|' << r.GameTurn << '|' << r.EndTurn << '|' << r.GameSpeed
    << '|' << r.MapWidth << '|' << r.MapHeight << '|' << r.GameYear << '|' << r.PlayTime << '|'
    << r.SessionCount << '|' << r.Reloads << '|' << r.ReloadPercent << '|' << r.SessionTime << '|'
    << r.MaxReloads << '|' << r.Honesty << '|' << r.PlayDays << '|' << r.GameEnded << '|' << r.VictoryType
    << '|' << r.Score << '|' << r.FinalScore << '|' << r.Level << '|' << r.Cities << '|' << r.Units << '|'
    << r.Techs << '|' << r.LandPlots << '|' << r.LandPlotsPercent << '|' << r.Population << '|'
    << r.PopulationPercent << '|' << r.Land << '|' << r.LandPercent << '|' << r.Pop << '|' << r.PopPercent
    << '|' << r.Culture1 << '|' << r.Culture2 << '|' << r.Culture3 << '|' << r.LockText << '|' << r.HeaderText
    << '|' << r.Rank << '|' << r.Met << '|' << r.Vassals << '|' << r.PopScore << '|' << r.LandScore << '|'
    << r.TechScore << '|' << r.WonderScore << '|' << r.CultureScore << '|' << r.MTechScore << '|' << r.FPop
    << '|' << r.FLand << '|' << r.FTech << '|' << r.FWonder << '|' << r.FCulture << '|' << r.FMTech << '|'
    << r.FTurn << '|' << r.Result << '|' << r.Penalty << '|' << r.Bonus << '|' << r.LadderFinal << '|'
    << r.Norma;
  for (int item = 0; item < 7; ++item) {
    for (int32_t v : r.HistoryOf(item)) o << ',' << v;
  }
  return o.str();
}

}  // namespace vsl::testing

namespace vsl {
void PrintTo(const TSaveDataRec& row, std::ostream* out) {
  *out << testing::RowText(row);
}
}  // namespace vsl
