// Keyboard use of the window: the tab order of each page top to bottom, each label the buddy of its
// edit, accessible names, Ctrl+Tab between pages, and the start date typed as one setting.

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <vector>

#include "window/batch_bar.h"
#include "window/form.h"
#include "window/form_fields.h"
#include "window/setting_caption.h"
#include "window/warnings_panel.h"

namespace vsl {

using namespace form_fields;

namespace {

struct Buddy {
  const char* Label;
  const char* Widget;
};
constexpr Buddy kBuddies[] = {{"Label1", "Edit1"},
                              {"StartDateLabel", "Edit6"},
                              {"SessionsPerDayLabel", "Edit7"},
                              {"MinSessionLabel", "Edit8"},
                              {"PresessionsLabel", "Edit4"},
                              {"ReloadsPercentLabel", "Edit5"},
                              {"PenaltyLabel", "Edit9"},
                              {"MaxScoreLabel", "MaxPopE"},
                              {"FactorLabel", "PopFactorE"},
                              {"BaseLevelLabel", "BaseLevelSelect"},
                              {"LevelBonusLabel", "LevelBonusE"},
                              {"MaxReloadLabel", "MaxReloadE"}};

// Each page's controls from top to bottom, left to right.
const std::vector<const char*> kTabOrder = {
    "Button1", "Edit1", "Button2", "CancelLoad", "BatchBar", "WarningsList", "RestoreDefaultsButton",
    // Base
    "SortByFileNameSelect", "SortByTurnSelect", "SortByScoreSelect", "SortByFinalScoreSelect", "BaseGrid",
    // Graph
    "GraphSelect", "ResetZoom", "HistoryChart",
    // Reloads
    "Edit6", "Edit2", "Edit3", "Edit7", "Edit8", "Edit4", "Edit5", "Edit9", "ReloadGrid",
    // Additional
    "AdditionalGrid",
    // Ladder
    "MaxPopE", "MaxLandE", "MaxTechE", "MaxWonderE", "MaxCultureE", "MaxMTechE", "MaxTurnE",
    "BaseLevelSelect", "PopFactorE", "LandFactorE", "TechFactorE", "WonderFactorE", "CultureFactorE",
    "MTechFactorE", "TurnFactorE", "LevelBonusE", "MaxReloadE", "SortByLadderFinalSelect", "LadderGrid"};

// The text of a label without its second language and the padding blanks.
QString Plain(const QString& caption) {
  const qsizetype bracket = caption.indexOf(" (");
  return (bracket > 0 ? caption.left(bracket) : caption).simplified();
}

}  // namespace

void TForm1::FinishLayout() {
  // Room for the top bar, the panels and a few rows of each page; a narrower window scrolls its grids.
  setMinimumSize(640, 440);
  for (const Buddy& b : kBuddies) {
    auto* label = findChild<QLabel*>(b.Label);
    auto* widget = findChild<QWidget*>(b.Widget);
    label->setBuddy(widget);
    widget->setAccessibleName(Plain(label->text()));
  }
  findChild<QWidget*>("Edit6")->setAccessibleName(tr("Tournament start date, day"));
  findChild<QWidget*>("Edit2")->setAccessibleName(tr("Tournament start date, month"));
  findChild<QWidget*>("Edit3")->setAccessibleName(tr("Tournament start date, year"));
  for (const auto* row : {kMaxEdits, kFactorEdits}) {
    for (int i = 0; i < 7; ++i) {
      findChild<QWidget*>(row[i].Name)->setAccessibleName(SettingCaption(*this, *model_, row[i].Field));
    }
  }
  graphSelect_->setAccessibleName(tr("History shown"));
  for (QTableView* grid : {baseGrid_, reloadGrid_, additionalGrid_, ladderGrid_}) {
    // Tab leaves the grid for the next control; the arrow keys move between cells.
    grid->setTabKeyNavigation(false);
    grid->setAccessibleName(tr("%1 grid").arg(pages_->tabText(pages_->indexOf(grid->parentWidget()))));
  }
  for (const SortButton& b : kSortButtons)
    findChild<QWidget*>(b.Name)->setAccessibleName(tr("Sort by %1").arg(tr(b.KeyText)));
  for (size_t i = 1; i < kTabOrder.size(); ++i)
    setTabOrder(findChild<QWidget*>(kTabOrder[i - 1]), findChild<QWidget*>(kTabOrder[i]));

  // Ctrl+Tab and Ctrl+Shift+Tab move between the pages wherever the focus is, a grid included.
  const auto step = [this](int by) {
    if (busy_) return;
    pages_->setCurrentIndex((pages_->currentIndex() + by + pages_->count()) % pages_->count());
  };
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
          [step] { step(1); });
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this), &QShortcut::activated,
          this, [step] { step(-1); });
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Backtab), this), &QShortcut::activated, this,
          [step] { step(-1); });
}

void TForm1::DateTyped() {
  // The day, month and year are checked together once the group is left or the typing pauses.
  datePending_ = true;
  dateTimer_->start();
  MarkSettings();
}

void TForm1::CheckDate(bool left) {
  if (!datePending_) return;
  const QWidget* focused = QApplication::focusWidget();
  const bool inGroup =
      focused != nullptr && (focused->objectName() == "Edit6" || focused->objectName() == "Edit2" ||
                             focused->objectName() == "Edit3");
  // A pause while the date is still being typed checks only a complete one: a year of four digits.
  if (!left && inGroup &&
      (findChild<QLineEdit*>("Edit3")->text().trimmed().size() != 4 || !SettingProblem("Edit6").isEmpty()))
    return;
  datePending_ = false;
  dateTimer_->stop();
  const QString problem = SettingProblem("Edit6");
  if (MarkSettings()) {
    Edit6Change();
  } else if (left && !problem.isEmpty()) {
    ShowError(problem);
  }
}

}  // namespace vsl
