// The window model's state, its settings handlers, the Ladder scoring of the rows and the ordering.

#include "app/window_model.h"

#include <algorithm>
#include <functional>
#include <span>
#include <utility>

#include "app/file_name_text.h"
#include "app/format.h"
#include "app/ladder_components.h"
#include "scoring/convert.h"

namespace vsl {
namespace {

const char kNumero[] = "\xB9";  // the numero sign in code page 1251

// clang-format off
const std::vector<GridColumn> kBaseColumns = {
    {kNumero, 20}, {"File Name", 240}, {"NickName", 100}, {"LeaderName", 80}, {"CivName", 80}, {"Turn", 35},
    {"Date", 45}, {"Play Time", 55}, {"Score", 50}, {"Final", 50}, {"Level", 70}, {"Victory", 80}};
const std::vector<GridColumn> kReloadColumns = {
    {kNumero, 20}, {"File Name", 240}, {"File Date", 105}, {"Turn", 35}, {"Date", 45}, {"Play Time", 55},
    {"Play Days", 55}, {"Reloads", 50}, {"Percent", 50}, {"Session", 50}, {"Max Reloads", 70},
    {"Honesty", 60}, {"Penalty", 40}};
const std::vector<GridColumn> kAdditionalColumns = {
    {kNumero, 20}, {"File Name", 240}, {"Cities", 40}, {"Units", 40}, {"Techs", 40}, {"Land", 40},
    {"Land %", 40}, {"Pop", 40}, {"Pop %", 40}, {"Culture 1", 50}, {"Culture 2", 50}, {"Culture 3", 50},
    {"Rank", 40}, {"Met", 40}, {"Vassals", 40}};
const std::vector<GridColumn> kLadderColumns = {
    {kNumero, 20}, {"Nick", 150}, {"Pop", 35}, {"Land", 35}, {"Tech", 35}, {"Wonder", 35}, {"Culture", 35},
    {"MTech", 35}, {"Turn", 35}, {"Date", 35}, {"Reload", 35}, {"FPop", 35}, {"FLand", 35}, {"FTech", 35},
    {"FWonder", 40}, {"FCulture", 40}, {"FMTech", 40}, {"FTurn", 35}, {"Result", 40}, {"Penalty", 35},
    {"Bonus", 35}, {"Final", 40}, {"Norma", 35}};

// clang-format on

// The fourteen Ladder edits in the order PopFactorEChange converts them, the maxima first, each with the
// setting it fills.
template <typename Visit>
void ForEachLadderEdit(Visit visit) {
  for (const LadderComponent& c : kLadderComponents) visit(c.MaxEdit, c.Maximum);
  for (const LadderComponent& c : kLadderComponents) visit(c.FactorEdit, c.Factor);
}

template <typename T>
int CompareValues(const T& a, const T& b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
    return message + ".";
  }
  return message;
}

WindowModel::WindowModel(std::shared_ptr<const LocaleServices> locale)
    : locale_(std::move(locale)),
      baseGrid_(kBaseColumns),
      reloadGrid_(kReloadColumns),
      additionalGrid_(kAdditionalColumns),
      ladderGrid_(kLadderColumns),
      rows_(kMaxFiles),
      rowPaths_(kMaxFiles) {
  edits_ = DefaultEdits();
}

WindowEdits WindowModel::DefaultEdits() const {
  WindowEdits edits;
  const char separator = locale_->DecimalSeparator();
  edits.Edit7 = std::string("1") + separator + "5";
  edits.Edit5 = std::string("10") + separator + "0";
  edits.Edit9 = std::string("5") + separator + "0";
  for (const LadderComponent& c : kLadderComponents) edits.*c.FactorEdit = FormatInt(c.DefaultFactor, 5);
  return edits;
}

WindowModel::~WindowModel() = default;

void WindowModel::SetSaveCount(int n) {
  saveCount_ = std::clamp(n, 0, kMaxFiles);
}

AuditEdits WindowModel::CurrentAuditEdits() const {
  AuditEdits a;
  a.Start = edits_.StartDate();
  a.SessionsPerDay = edits_.Edit7;
  a.MinSessionTime = edits_.Edit8;
  a.Presessions = edits_.Edit4;
  a.MaxReload = edits_.MaxReloadE;
  a.LevelBonus = edits_.LevelBonusE;
  a.BaseLevelIndex = edits_.BaseLevelSelect;
  return a;
}

void WindowModel::ThrowAuditSettingError(const std::string& message) const {
  const AuditEdits a = CurrentAuditEdits();
  const char separator = locale_->DecimalSeparator();
  // The audit's conversions in its order: the first that fails is the one the audit stopped at.
  const std::pair<std::string WindowEdits::*, std::function<void()>> conversions[] = {
      {&WindowEdits::Edit6, [&] { TextToDate(a.Start.Joined()); }},
      {&WindowEdits::Edit7, [&] { TextToFloat(a.SessionsPerDay, separator); }},
      {&WindowEdits::Edit8, [&] { TextToInt(a.MinSessionTime); }},
      {&WindowEdits::Edit4, [&] { TextToInt(a.Presessions); }},
      {&WindowEdits::MaxReloadE, [&] { TextToInt(a.MaxReload); }},
      {&WindowEdits::LevelBonusE, [&] { TextToInt(a.LevelBonus); }}};
  for (const auto& [edit, convert] : conversions) {
    try {
      convert();
    } catch (const ConvertError& e) {
      throw SettingConvertError(edit, e.what());
    }
  }
  // Every text converts, so the arithmetic failed: of the audit's settings only the sessions per day
  // are unbounded enough to put the allowance beyond any integer.
  throw SettingMathError(&WindowEdits::Edit7, message);
}

void WindowModel::ThrowLadderSettingError(int row, const MathError& error) const {
  // A setting is the cause when its start value, all else kept, lets the row's score through.
  std::string WindowEdits::*cause = nullptr;
  ForEachLadderEdit([&](std::string WindowEdits::*edit, int32_t LadderSettings::*setting) {
    LadderSettings trial = ladder_;
    trial.*setting = LadderSettings{}.*setting;
    if (trial.*setting == ladder_.*setting) return;
    TSaveDataRec scratch = rows_.at(static_cast<size_t>(row));
    try {
      vsl::LadderScoreCalc(scratch, trial, audit_.BaseLevel, audit_.LevelBonus);
    } catch (const MathError&) {
      return;
    }
    if (cause != nullptr) throw MathError(error.what());  // more than one setting would mend it
    cause = edit;
  });
  if (cause == nullptr) throw MathError(error.what());
  throw SettingMathError(cause, error.what());
}

void WindowModel::Edit6Change() {
  const AuditEdits audit = CurrentAuditEdits();
  try {
    for (int i = 0; i < saveCount_; ++i)
      RControl(rows_[static_cast<size_t>(i)], audit, locale_->DecimalSeparator(), audit_);
  } catch (const ConvertError& e) {
    ThrowAuditSettingError(e.what());
  } catch (const MathError& e) {
    ThrowAuditSettingError(e.what());
  }
  PrintData();
}

void WindowModel::PopFactorEChange() {
  // Each setting is kept as soon as its text converts; a failing text leaves the later ones unchanged.
  ForEachLadderEdit([this](std::string WindowEdits::*edit, int32_t LadderSettings::*setting) {
    try {
      ladder_.*setting = TextToInt(edits_.*edit);
    } catch (const ConvertError& error) {
      throw SettingConvertError(edit, error.what());
    }
  });
  PrintData();
}

void WindowModel::ApplyFactorEdits() {
  for (const LadderComponent& c : kLadderComponents) ladder_.*c.Factor = TextToInt(edits_.*c.FactorEdit);
}

void WindowModel::SortClick(SortKey key) {
  Sort(key);
  ascending_[static_cast<size_t>(key)] = !ascending_[static_cast<size_t>(key)];
  ClearList(saveCount_);
  PrintData();
}

void WindowModel::GraphSelectChange() {
  chart_.ResetRange();
  for (int k = 0; k < std::min(saveCount_, ChartModel::kSeriesCount); ++k) DrawGraph(k);
}

void WindowModel::WriteMaxEdits() {
  for (const LadderComponent& c : kLadderComponents) edits_.*c.MaxEdit = FormatInt(ladder_.*c.Maximum, 6);
}

void WindowModel::PrintData() {
  chart_.ResetRange();
  WriteMaxEdits();
  // Every row is scored before any cell is written, so a failing score leaves the grids as they were.
  for (int i = 0; i < saveCount_; ++i) {
    try {
      LadderScoreCalc(i);
    } catch (const MathError& e) {
      ThrowLadderSettingError(i, e);
    }
  }
  LadderNormalize();
  for (int i = 0; i < saveCount_; ++i) PrintRecData(i);
}

void WindowModel::LadderScoreCalc(int i) {
  vsl::LadderScoreCalc(rows_.at(static_cast<size_t>(i)), ladder_, audit_.BaseLevel, audit_.LevelBonus);
}

void WindowModel::LadderNormalize() {
  vsl::LadderNormalize(std::span(rows_.data(), static_cast<size_t>(saveCount_)));
}

void WindowModel::DrawGraph(int k) {
  chart_.DrawGraph(k, rows_.at(static_cast<size_t>(k)), edits_.GraphSelect);
}

void WindowModel::XchgRec(int j) {
  std::swap(rows_.at(static_cast<size_t>(j)), rows_.at(static_cast<size_t>(j) + 1));
  std::swap(rowPaths_.at(static_cast<size_t>(j)), rowPaths_.at(static_cast<size_t>(j) + 1));
}

void WindowModel::ClearList(int n) {
  for (Grid* grid : {&baseGrid_, &reloadGrid_, &additionalGrid_, &ladderGrid_}) {
    for (int row = 1; row <= std::min(n, Grid::kRowCount - 1); ++row) {
      for (int col = 0; col < grid->ColCount(); ++col) grid->SetCell(col, row, " ");
    }
  }
}

void WindowModel::Sort(SortKey key) {
  const auto compare = [&](const TSaveDataRec& a, const TSaveDataRec& b) {
    switch (key) {
      case SortKey::FileName:
        return locale_->CompareIgnoringCase(FileNameText(a.FileName), FileNameText(b.FileName));
      case SortKey::Turn:
        return CompareValues(a.ElapsedTurns, b.ElapsedTurns);
      case SortKey::Score:
        return CompareValues(a.Score, b.Score);
      case SortKey::FinalScore:
        return CompareValues(a.FinalScore, b.FinalScore);
      case SortKey::LadderFinal:
        return CompareValues(a.LadderFinal, b.LadderFinal);
    }
    return 0;
  };
  // Exchange sort: n - 1 full passes, neighbours exchanged only when strictly out of order, so rows
  // with equal keys keep their order.
  const bool ascending = Ascending(key);
  const int n = saveCount_;
  for (int pass = 0; pass < n - 1; ++pass) {
    for (int j = 0; j < n - 1; ++j) {
      const int c = compare(rows_[static_cast<size_t>(j)], rows_[static_cast<size_t>(j) + 1]);
      if (ascending ? c > 0 : c < 0) XchgRec(j);
    }
  }
}

}  // namespace vsl
