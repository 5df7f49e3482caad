#include "window/warnings_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

namespace vsl {

namespace {
constexpr int kShownLines = 5;  // lines shown before the list scrolls
}

WarningsPanel::WarningsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("WarningsPanel");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  list_ = new QTreeWidget(this);
  list_->setObjectName("WarningsList");
  list_->setAccessibleName(tr("Warnings"));
  list_->setHeaderHidden(true);
  list_->setColumnCount(1);
  list_->setWordWrap(true);
  list_->setUniformRowHeights(false);
  list_->setRootIsDecorated(true);
  list_->setExpandsOnDoubleClick(false);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->header()->setStretchLastSection(true);
  // Dark text on a pale amber: a warning, readable in grey scale too.
  list_->setStyleSheet("QTreeWidget { background: #FFF4CE; color: #1F1F1F; }");
  row->addWidget(list_, 1);
  restore_ = new QPushButton(tr("Restore default settings"), this);
  restore_->setObjectName("RestoreDefaultsButton");
  restore_->hide();
  row->addWidget(restore_, 0, Qt::AlignTop);
  connect(restore_, &QPushButton::clicked, this, &WarningsPanel::RestoreDefaults);
  connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (item->parent() != nullptr) item = item->parent();
    const int index = list_->indexOfTopLevelItem(item);
    if (index >= 0 && index < static_cast<int>(lines_.size()))
      Q_EMIT Activated(lines_[static_cast<size_t>(index)].Kind);
  });
  hide();
}

void WarningsPanel::SetLines(const std::vector<PanelLine>& lines) {
  const QStringList before = Texts();
  lines_ = lines;
  if (Texts() == before && list_->topLevelItemCount() == static_cast<int>(lines.size())) return;
  list_->clear();
  for (const PanelLine& line : lines_) {
    auto* item = new QTreeWidgetItem(list_, QStringList{line.Text});
    item->setToolTip(0, line.Text);
    for (const QString& detail : line.Details) {
      auto* child = new QTreeWidgetItem(item, QStringList{detail});
      child->setToolTip(0, detail);
    }
  }
  FitHeight();
  setVisible(!lines_.empty() || restore_->isVisibleTo(this));
}

QStringList WarningsPanel::Texts() const {
  QStringList texts;
  for (const PanelLine& line : lines_) {
    texts.append(line.Text);
    for (const QString& detail : line.Details) texts.append("  " + detail);
  }
  return texts;
}

void WarningsPanel::ShowRestoreButton(bool shown) {
  restore_->setVisible(shown);
  setVisible(!lines_.empty() || shown);
}

void WarningsPanel::FitHeight() {
  // Room for the lines, up to a few; more scroll. A line of details starts folded when it is long.
  const int lineHeight = fontMetrics().height() + 4;
  int rows = 0;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    item->setExpanded(item->childCount() <= 3);
    rows += 1 + (item->isExpanded() ? item->childCount() : 0);
  }
  list_->setFixedHeight(std::clamp(rows, 1, kShownLines) * lineHeight + 2 * list_->frameWidth() + 4);
}

}  // namespace vsl
