// What the window says about the batch and the settings beyond the grids: the warnings panel, the bar
// of a batch that ended early with the question before exporting it, and the window title naming the
// batch and the tournament settings file.

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <span>

#include "app/batch_warnings.h"
#include "app/tournament_settings.h"
#include "app/translation.h"
#include "window/batch_bar.h"
#include "window/cp1251.h"
#include "window/form.h"
#include "window/form_fields.h"
#include "window/setting_caption.h"
#include "window/warnings_panel.h"

namespace vsl {

using namespace form_fields;

namespace {

// The panel's lines: those of the batch, then those of the settings.
enum WarningKind {
  kOutsideTournament,
  kMixedSettings,
  kLeftOut,
  kSkipped,
  kNotSaves,
  kFixedMaxima,
  kSettingsDiffer,
};

WarningKind KindOf(BatchWarning::Kind kind) {
  switch (kind) {
    case BatchWarning::Kind::OutsideTournament:
      return kOutsideTournament;
    case BatchWarning::Kind::MixedSettings:
      return kMixedSettings;
    case BatchWarning::Kind::LeftOut:
      return kLeftOut;
    case BatchWarning::Kind::Skipped:
      return kSkipped;
    case BatchWarning::Kind::NotSaves:
      return kNotSaves;
  }
  return kSkipped;
}

// A caption in the interface's language only: "Max session per day (Макс. число сессий в день)" is
// "Max session per day" in English and "Макс. число сессий в день" in Russian.
QString ShortCaption(const QString& caption) {
  const qsizetype bracket = caption.indexOf(" (");
  if (bracket <= 0) return caption.trimmed();
  if (ProgramTexts("").Language() == "ru" && caption.endsWith(')'))
    return caption.mid(bracket + 2, caption.size() - bracket - 3).trimmed();
  return caption.left(bracket).trimmed();
}

}  // namespace

void TForm1::ShowBatchWarnings() {
  // Maxima that a settings file fixes all seven are not the batch's: no line says they come from a file.
  BatchResult result = lastBatch_;
  const auto fixedCount =
      std::count_if(fixedMaxima_.begin(), fixedMaxima_.end(), [](const auto& m) { return m.has_value(); });
  if (fixedCount == static_cast<long>(fixedMaxima_.size())) result.Maxima.reset();
  std::vector<PanelLine> lines;
  for (const BatchWarning& w : BatchWarnings(*model_, result)) {
    PanelLine line{KindOf(w.What), QString::fromStdString(w.Text), {}};
    for (const SkippedFile& f : lastBatch_.Skipped) {
      if (IsNotASave(f.Message) == (w.What == BatchWarning::Kind::NotSaves))
        line.Details.append(PathText(ErrorBoxText(f.Message)));
    }
    if (w.What == BatchWarning::Kind::LeftOut)
      line.Details = leftOutNames_;
    else if (w.What != BatchWarning::Kind::Skipped && w.What != BatchWarning::Kind::NotSaves)
      line.Details.clear();
    lines.push_back(std::move(line));
  }
  if (fixedCount > 0) {
    QStringList names;
    for (size_t i = 0; i < fixedMaxima_.size(); ++i) {
      if (fixedMaxima_[i]) names.append(FromCp1251(model_->LadderGrid().Cell(static_cast<int>(i) + 2, 0)));
    }
    const QString file =
        settingsFile_.isEmpty() ? tr("the tournament settings file") : QFileInfo(settingsFile_).fileName();
    lines.push_back({kFixedMaxima,
                     tr("The Ladder maxima of %1 are fixed by %2: every load keeps them. Restore the "
                        "default settings to let each batch set them again.")
                         .arg(names.join(", "), file),
                     {}});
  }
  const QStringList differing = settingsDifferAtStart_ ? DifferingSettings() : QStringList();
  if (!differing.isEmpty()) {
    lines.push_back({kSettingsDiffer,
                     tr("The settings remembered from the last run differ from the defaults: %1. Restore "
                        "default settings if this is a new tournament.")
                         .arg(differing.join(", ")),
                     {}});
  }
  warningsPanel_->SetLines(lines);
  warningsPanel_->ShowRestoreButton(!differing.isEmpty() || fixedCount > 0);
  UpdateTitle();
}

void TForm1::WarningActivated(int kind) {
  // A line that names a setting opens its page at that setting.
  const auto open = [this](const char* page, const char* edit) {
    pages_->setCurrentWidget(findChild<QWidget*>(page));
    findChild<QWidget*>(edit)->setFocus(Qt::OtherFocusReason);
  };
  switch (kind) {
    case kOutsideTournament:
      open("TabSheet7", "Edit6");
      break;
    case kMixedSettings:
    case kFixedMaxima:
      open("TabSheet3", "MaxPopE");
      break;
    case kSettingsDiffer:
      RestoreDefaultSettings();
      break;
    default:
      break;
  }
}

QStringList TForm1::DifferingSettings() const {
  const WindowEdits fresh = model_->DefaultEdits();
  const WindowEdits& edits = model_->Edits();
  QStringList differing;
  for (const auto group :
       {std::span<const EditField>(kAuditEdits), std::span<const EditField>(kFactorEdits)}) {
    for (const EditField& f : group) {
      if (edits.*f.Field == fresh.*f.Field) continue;
      const QString caption = ShortCaption(SettingCaption(*this, *model_, f.Field));
      const std::string_view name = f.Name;
      const QString what = name == "Edit6"   ? tr("%1 (day)").arg(caption)
                           : name == "Edit2" ? tr("%1 (month)").arg(caption)
                           : name == "Edit3" ? tr("%1 (year)").arg(caption)
                                             : caption;
      differing.append(
          tr("%1 %2 (default %3)")
              .arg(what, FromCp1251(edits.*f.Field).trimmed(), FromCp1251(fresh.*f.Field).trimmed()));
    }
  }
  if (edits.BaseLevelSelect != fresh.BaseLevelSelect) {
    differing.append(tr("Base Level %1 (default %2)")
                         .arg(baseLevelSelect_->itemText(edits.BaseLevelSelect).trimmed(),
                              baseLevelSelect_->itemText(fresh.BaseLevelSelect).trimmed()));
  }
  return differing;
}

void TForm1::MarkIncomplete(int loaded, int selected, const QString& why) {
  batchBar_->Mark(loaded, selected, why);
}

void TForm1::ClearBatchState() {
  lastBatch_ = {};
  leftOutNames_.clear();
  batchBar_->Clear();
  ShowBatchWarnings();
}

void TForm1::MarkBatchState(const std::vector<std::string>& paths, bool cancelled, bool stopped,
                            bool failed) {
  const BatchResult& result = lastBatch_;
  for (size_t i = paths.size() - static_cast<size_t>(result.LeftOut); i < paths.size(); ++i)
    leftOutNames_.append(QFileInfo(PathText(paths[i])).fileName());
  const int selected = static_cast<int>(paths.size()) - result.LeftOut;
  const int read = result.Loaded + static_cast<int>(result.Skipped.size());
  if (cancelled && read < selected) MarkIncomplete(result.Loaded, selected, tr("the load was cancelled"));
  if (stopped) MarkIncomplete(result.Loaded, selected, tr("the load was stopped at a damaged file"));
  if (failed) MarkIncomplete(result.Loaded, selected, tr("the load ended at an error"));
  PushAll();
  for (QTableView* grid : {baseGrid_, reloadGrid_, additionalGrid_, ladderGrid_}) grid->scrollToTop();
  if (result.Loaded > 0) {
    sortedBy_ = SortKey::FileName;
    sortedAscending_ = model_->Ascending(SortKey::FileName);
  }
  PushSortIndicators();
}

bool TForm1::ConfirmIncomplete(const QString& what) {
  if (!batchBar_->Marked()) return true;
  return dialogs_.Question(
      this, kApplicationTitle,
      tr("The batch is incomplete. %1.\n\n%2 of these files anyway?").arg(batchBar_->text(), what));
}

void TForm1::PushSortIndicators() {
  // A click flips the direction of exactly its key: the key whose direction changed sorted last, in
  // the direction it had before.
  std::array<bool, 5> now{};
  for (size_t k = 0; k < now.size(); ++k) now[k] = model_->Ascending(static_cast<SortKey>(k));
  if (lastDirections_) {
    for (size_t k = 0; k < now.size(); ++k) {
      if (now[k] == (*lastDirections_)[k]) continue;
      sortedBy_ = static_cast<SortKey>(k);
      sortedAscending_ = (*lastDirections_)[k];
    }
  }
  lastDirections_ = now;
  struct Column {
    QTableView* Grid;
    int Col;
  };
  const auto columnOf = [this](SortKey key) -> Column {
    switch (key) {
      case SortKey::FileName:
        return {baseGrid_, 1};
      case SortKey::Turn:
        return {baseGrid_, 5};
      case SortKey::Score:
        return {baseGrid_, 8};
      case SortKey::FinalScore:
        return {baseGrid_, 9};
      case SortKey::LadderFinal:
        return {ladderGrid_, 21};
    }
    return {nullptr, -1};
  };
  const Column sorted = sortedBy_ ? columnOf(*sortedBy_) : Column{nullptr, -1};
  for (QTableView* grid : {baseGrid_, ladderGrid_}) {
    QHeaderView* header = grid->horizontalHeader();
    // The header flips its arrow on any click; the window puts it back where the rows are sorted.
    if (!header->property("vslSortWired").toBool()) {
      header->setProperty("vslSortWired", true);
      connect(
          header, &QHeaderView::sortIndicatorChanged, this, [this] { PushSortIndicators(); },
          Qt::QueuedConnection);
    }
    const bool here = sorted.Grid == grid;
    const int col = here ? sorted.Col : -1;
    const Qt::SortOrder order = sortedAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder;
    if (header->isSortIndicatorShown() == here && header->sortIndicatorSection() == col &&
        header->sortIndicatorOrder() == order)
      continue;
    header->blockSignals(true);
    header->setSortIndicatorShown(here);
    header->setSortIndicator(col, order);
    header->blockSignals(false);
    header->viewport()->update();
  }
}

void TForm1::UpdateTitle() {
  // The caption, then the batch (its folder and size) and the settings file in use.
  QString title = kWindowCaption;
  if (model_->SaveCount() > 0) {
    const QString folder = QDir(findChild<QLineEdit*>("Edit1")->text()).dirName();
    const QString files =
        CountedText("vsl::TForm1", QT_TRANSLATE_N_NOOP("vsl::TForm1", "%n file(s)"), model_->SaveCount());
    title += QString::fromUtf8(" \u2014 ") + (folder.isEmpty() ? files : folder + " (" + files + ")");
    if (batchBar_->Marked()) title += tr(", incomplete");
  }
  if (!settingsFile_.isEmpty()) title += QString::fromUtf8(" \u2014 ") + QFileInfo(settingsFile_).fileName();
  if (windowTitle() != title) setWindowTitle(title);
}

}  // namespace vsl
