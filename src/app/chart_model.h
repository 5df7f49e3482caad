#pragma once
// The history chart as data: 20 line series (series k draws the record in slot k) and the value axis.

#include <QtGlobal>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "record/save_record.h"

namespace vsl {

struct ChartPoint {
  double X;  // game turn
  double Y;  // history value
};

struct ChartSeries {
  std::string Title;  // 8-bit text: "Graph01".. at start, then the nick name of the slot's record
  bool InLegend = true;
  uint32_t Colour = 0;  // 0xRRGGBB
  std::vector<ChartPoint> Points;
};

class ChartModel {
 public:
  static constexpr int kSeriesCount = 20;
  static constexpr int32_t kInitialAxisMin = 387;
  static constexpr int32_t kInitialAxisMax = 712;

  ChartModel();

  const std::array<ChartSeries, kSeriesCount>& Series() const { return series_; }
  const ChartSeries& Series(int k) const { return series_.at(static_cast<size_t>(k)); }
  int64_t AxisMin() const { return axisMin_; }
  int64_t AxisMax() const { return axisMax_; }
  // Running extremes of the values plotted since the last reset; never above / below 0.
  int32_t GraphMin() const { return graphMin_; }
  int32_t GraphMax() const { return graphMax_; }
  // Counts every change, so a view can tell whether it has anything to redraw.
  uint64_t Revision() const { return revision_; }

  // Sets GraphMin and GraphMax to 0.
  void ResetRange();
  // Redraws series k from `record` with the history of selector item `selectedItem` (-1: no item,
  // every point 0), widens the running extremes and sets the value axis from them.
  void DrawGraph(int k, const TSaveDataRec& record, int selectedItem);
  // Clears series `first`..19 and takes them out of the legend.
  void HideFrom(int first);

 private:
  void SetAxis(int selectedItem);

  std::array<ChartSeries, kSeriesCount> series_;
  int64_t axisMin_ = kInitialAxisMin;
  int64_t axisMax_ = kInitialAxisMax;
  int32_t graphMin_ = 0;
  int32_t graphMax_ = 0;
  uint64_t revision_ = 0;
};

// The step between the ticks of an axis over `span`: 1, 2 or 5 times a power of ten, the smallest that
// cuts the span into at most `intervals` parts, and at least 1 (turns and history values are whole
// numbers); 1 for an empty span. Round steps let a reader take values off the axis.
double TickStep(double span, int intervals);
// The ticks from lo to hi: the whole multiples of TickStep(hi - lo, intervals) between them.
std::vector<double> AxisTicks(double lo, double hi, int intervals);

// Items of the history selector GraphSelect, in order; marked for the translations of the pages that
// name a history in the reader's language (the selector itself shows them as they are).
inline constexpr std::array<const char*, 7> kGraphSelectItems = {
    QT_TRANSLATE_NOOP("History", "Score"),    QT_TRANSLATE_NOOP("History", "Economy"),
    QT_TRANSLATE_NOOP("History", "Industry"), QT_TRANSLATE_NOOP("History", "Agriculture"),
    QT_TRANSLATE_NOOP("History", "Power"),    QT_TRANSLATE_NOOP("History", "Culture"),
    QT_TRANSLATE_NOOP("History", "Science")};

}  // namespace vsl
