#include "window/warnings_panel.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeWidget>
#include <algorithm>

namespace vsl {

namespace {
constexpr int kShownLines = 5;  // lines shown before the list scrolls

// `text` broken into lines no wider than `width` at its blanks (a word wider than that stands alone).
QString Wrapped(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines;
  QString line;
  for (const QString& word : text.split(' ')) {
    const QString longer = line.isEmpty() ? word : line + ' ' + word;
    if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
      lines.append(line);
      line = word;
    } else {
      line = longer;
    }
  }
  lines.append(line);
  return lines.join('\n');
}

}  // namespace

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
  // A long line (longer still in Russian) is broken at the list's width rather than cut.
  list_->setTextElideMode(Qt::ElideNone);
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

void WarningsPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitHeight();
}

void WarningsPanel::FitHeight() {
  // Room for the lines as they wrap at the list's width, up to a few; more scroll. A line of details
  // starts folded when it is long.
  const int lineHeight = fontMetrics().height() + 4;
  // The text's width in the list: the panel less the button beside the list, the list's frame, the
  // branch indentation of a detail and the item's margins (the list itself is laid out later).
  const int button = restore_->isVisibleTo(this) ? restore_->sizeHint().width() + 4 : 0;
  const int width =
      std::max(200, this->width() - button - 2 * list_->frameWidth() - 2 * list_->indentation() - 12);
  int rows = 0;
  const auto wrap = [this, width, &rows](QTreeWidgetItem* item, const QString& text) {
    const QString wrapped = Wrapped(text, fontMetrics(), width);
    if (item->text(0) != wrapped) item->setText(0, wrapped);
    rows += static_cast<int>(wrapped.count('\n')) + 1;
  };
  for (int i = 0; i < list_->topLevelItemCount() && i < static_cast<int>(lines_.size()); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    const PanelLine& line = lines_[static_cast<size_t>(i)];
    item->setExpanded(item->childCount() <= 3);
    wrap(item, line.Text);
    for (int c = 0; c < item->childCount() && c < line.Details.size(); ++c) {
      if (item->isExpanded())
        wrap(item->child(c), line.Details[c]);
      else
        item->child(c)->setText(0, line.Details[c]);
    }
  }
  list_->setFixedHeight(std::clamp(rows, 1, kShownLines) * lineHeight + 2 * list_->frameWidth() + 4);
}

}  // namespace vsl
