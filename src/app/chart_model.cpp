#include "app/chart_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vsl {
namespace {

constexpr std::array<uint32_t, ChartModel::kSeriesCount> kSeriesColours = {
    0xFF0000, 0x0000FF, 0x00FF00, 0xFFFF00, 0xFF8000, 0x00FFFF, 0x8000FF, 0x808000, 0xFFFFFF, 0xFF00FF,
    0x004000, 0x80FF80, 0xFFFF80, 0x808040, 0x400040, 0x80FFFF, 0x004040, 0xFF8040, 0x000000, 0x808080};

constexpr int kEconomyItem = 1;

}  // namespace

ChartModel::ChartModel() {
  for (int k = 0; k < kSeriesCount; ++k) {
    char title[16];
    std::snprintf(title, sizeof title, "Graph%02d", k + 1);
    series_[static_cast<size_t>(k)].Title = title;
    series_[static_cast<size_t>(k)].Colour = kSeriesColours[static_cast<size_t>(k)];
  }
}

void ChartModel::ResetRange() {
  graphMin_ = 0;
  graphMax_ = 0;
}

void ChartModel::DrawGraph(int k, const TSaveDataRec& record, int selectedItem) {
  ChartSeries& s = series_.at(static_cast<size_t>(k));
  s.Points.clear();
  if (record.Locked()) {
    s.InLegend = false;
  } else {
    s.Title = record.NickName;
    s.InLegend = true;
    bool hasItem = selectedItem >= 0 && selectedItem < static_cast<int>(kGraphSelectItems.size());
    const History& history = record.HistoryOf(selectedItem);
    int32_t turns = std::clamp(record.ElapsedTurns, 0, kHistoryEntries);
    s.Points.reserve(static_cast<size_t>(turns));
    for (int32_t t = 0; t < turns; ++t) {
      int32_t y = hasItem ? history[static_cast<size_t>(t)] : 0;
      s.Points.push_back({static_cast<double>(int64_t{record.StartTurn} + t), static_cast<double>(y)});
      graphMin_ = std::min(graphMin_, y);
      graphMax_ = std::max(graphMax_, y);
    }
  }
  SetAxis(selectedItem);
  ++revision_;
}

void ChartModel::SetAxis(int selectedItem) {
  // 5 % headroom above the highest value; below zero 2 % of the highest value, or for the economy 5 %
  // below its lowest negative value. Integer division truncating toward zero, in 64 bits so that
  // large histories cannot wrap.
  axisMax_ = int64_t{graphMax_} * 105 / 100;
  if (selectedItem == kEconomyItem) {
    axisMin_ = graphMin_ < 0 ? int64_t{graphMin_} * 105 / 100 : 0;
  } else {
    axisMin_ = -(2 * int64_t{graphMax_}) / 100;
  }
}

void ChartModel::HideFrom(int first) {
  for (int k = std::max(first, 0); k < kSeriesCount; ++k) {
    series_[static_cast<size_t>(k)].Points.clear();
    series_[static_cast<size_t>(k)].InLegend = false;
  }
  ++revision_;
}

double TickStep(double span, int intervals) {
  if (!(span > 0)) return 1;
  const double rough = span / intervals;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (rough <= factor * power) return std::max(1.0, factor * power);
  }
  return std::max(1.0, 10 * power);
}

std::vector<double> AxisTicks(double lo, double hi, int intervals) {
  const double step = TickStep(hi - lo, intervals);
  std::vector<double> ticks;
  for (double t = std::ceil(lo / step) * step; t <= hi + step * 1e-9; t += step) ticks.push_back(t);
  return ticks;
}

}  // namespace vsl
