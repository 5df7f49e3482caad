// Rendering of one record into row i + 1 of the four grids, and its curve.

#include <string>

#include "app/file_name_text.h"
#include "app/format.h"
#include "app/window_model.h"

namespace vsl {
namespace {

std::string Int4(int32_t v) {
  return FormatInt(v, 4);
}
std::string Int6(int32_t v) {
  return FormatInt(v, 6);
}

void PrintBase(Grid& g, int r, const TSaveDataRec& R) {
  g.SetCell(2, r, R.NickName);
  g.SetCell(3, r, LeaderNameText(R.LeaderType));
  g.SetCell(4, r, CivNameText(R.CivType));
  g.SetCell(5, r, Int4(R.GameTurn));
  g.SetCell(6, r, YearText(R.GameYear));
  g.SetCell(7, r, DurationText(R.PlayTime));
  g.SetCell(8, r, Int6(R.Score));
  g.SetCell(9, r, Int6(R.FinalScore));
  g.SetCell(10, r, LevelText(R.Level));
  g.SetCell(11, r, VictoryText(R.GameEnded, R.VictoryType));
}

void PrintReload(Grid& g, int r, const TSaveDataRec& R, char sep) {
  g.SetCell(3, r, Int4(R.ElapsedTurns));
  g.SetCell(4, r, YearText(R.GameYear));
  g.SetCell(5, r, DurationText(R.PlayTime));
  g.SetCell(6, r, Int4(R.PlayDays));
  g.SetCell(7, r, Int4(R.Reloads));
  g.SetCell(8, r, FormatFixed(R.ReloadPercent, 6, 2, sep));
  g.SetCell(9, r, DurationText(R.SessionTime));
  g.SetCell(10, r, Int4(R.MaxReloads));
  g.SetCell(11, r, HonestyText(R.Honesty));
  // Column 12, "Penalty", is never written.
}

void PrintAdditional(Grid& g, int r, const TSaveDataRec& R, char sep) {
  const auto hundredths = [](int32_t v) { return static_cast<long double>(v) / 100; };
  g.SetCell(2, r, Int6(R.Cities));
  g.SetCell(3, r, Int6(R.Units));
  g.SetCell(4, r, Int6(R.Techs));
  g.SetCell(5, r, Int6(R.Land));
  g.SetCell(6, r, FormatFixed(R.LandPercent, 6, 2, sep));
  g.SetCell(7, r, Int6(R.Pop));
  g.SetCell(8, r, FormatFixed(R.PopPercent, 6, 2, sep));
  g.SetCell(9, r, FormatFixed(hundredths(R.Culture1), 9, 2, sep));
  g.SetCell(10, r, FormatFixed(hundredths(R.Culture2), 9, 2, sep));
  g.SetCell(11, r, FormatFixed(hundredths(R.Culture3), 9, 2, sep));
  g.SetCell(12, r, Int6(R.Rank));
  g.SetCell(13, r, Int6(R.Met));
  g.SetCell(14, r, Int6(R.Vassals));
}

void PrintLadder(Grid& g, int r, const TSaveDataRec& R, char sep) {
  g.SetCell(2, r, Int6(R.PopScore));
  g.SetCell(3, r, Int6(R.LandScore));
  g.SetCell(4, r, Int6(R.TechScore));
  g.SetCell(5, r, Int6(R.WonderScore));
  g.SetCell(6, r, Int6(R.CultureScore));
  g.SetCell(7, r, Int6(R.MTechScore));
  g.SetCell(8, r, Int6(R.GameTurn));
  g.SetCell(9, r, YearText(R.GameYear));
  g.SetCell(10, r, Int6(R.Reloads));
  g.SetCell(11, r, Int6(R.FPop));
  g.SetCell(12, r, Int6(R.FLand));
  g.SetCell(13, r, Int6(R.FTech));
  g.SetCell(14, r, Int6(R.FWonder));
  g.SetCell(15, r, Int6(R.FCulture));
  g.SetCell(16, r, Int6(R.FMTech));
  g.SetCell(17, r, Int6(R.FTurn));
  g.SetCell(18, r, Int6(R.Result));
  g.SetCell(19, r, Int6(R.Penalty));
  g.SetCell(20, r, Int6(R.Bonus));
  g.SetCell(21, r, Int6(R.LadderFinal));
  g.SetCell(22, r, FormatFixed(R.Norma, 6, 3, sep));
}

}  // namespace

void WindowModel::PrintRecData(int i) {
  const TSaveDataRec& R = rows_.at(static_cast<size_t>(i));
  const int r = i + 1;
  const std::string number = std::to_string(r);
  const char sep = locale_->DecimalSeparator();

  // Cells every row gets; a locked record gets nothing else, its other cells keep their text.
  baseGrid_.SetCell(0, r, number);
  baseGrid_.SetCell(1, r, FileNameText(R.FileName));
  reloadGrid_.SetCell(0, r, number);
  reloadGrid_.SetCell(1, r, FileNameText(R.FileName));
  reloadGrid_.SetCell(2, r, FileDateText(R.FileDate, *locale_));
  additionalGrid_.SetCell(0, r, number);
  additionalGrid_.SetCell(1, r, R.NickName);
  ladderGrid_.SetCell(0, r, number);
  ladderGrid_.SetCell(1, r, R.NickName);
  if (!R.Locked()) {
    PrintBase(baseGrid_, r, R);
    PrintReload(reloadGrid_, r, R, sep);
    PrintAdditional(additionalGrid_, r, R, sep);
    PrintLadder(ladderGrid_, r, R, sep);
  }
  if (i < ChartModel::kSeriesCount) DrawGraph(i);
}

}  // namespace vsl
