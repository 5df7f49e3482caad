#include "window/column_strip.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace vsl {

ColumnStrip::ColumnStrip(QTableView* grid, int height, QWidget* parent) : QWidget(parent), grid_(grid) {
  setFixedHeight(height);
  connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, &ColumnStrip::Relayout);
  connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ColumnStrip::Relayout);
  grid->installEventFilter(this);
}

void ColumnStrip::Span(QWidget* w, int first, int last, int y) {
  w->setParent(this);
  placements_.push_back({w, first, last, y, false});
  Relayout();
}

void ColumnStrip::Centre(QWidget* w, int col, int y) {
  w->setParent(this);
  placements_.push_back({w, col, col, y, true});
  Relayout();
}

void ColumnStrip::Relayout() {
  const QHeaderView* header = grid_->horizontalHeader();
  // Column x positions are relative to the grid's viewport; bring them into this band's coordinates.
  const int viewportX =
      grid_->viewport()->mapTo(window(), QPoint(0, 0)).x() - mapTo(window(), QPoint(0, 0)).x();
  for (const Placement& p : placements_) {
    if (!p.widget) continue;
    const int left = viewportX + header->sectionViewportPosition(p.first);
    const int right = viewportX + header->sectionViewportPosition(p.last) + header->sectionSize(p.last);
    if (p.centred) {
      const QSize size = p.widget->size();
      p.widget->move(left + (right - left - size.width()) / 2, p.y);
    } else {
      p.widget->setGeometry(left, p.y, right - left, p.widget->height());
    }
    // A control whose column scrolled out of sight hides with it.
    p.widget->setVisible(right > viewportX && left < viewportX + grid_->viewport()->width());
  }
}

bool ColumnStrip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                           event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest)) {
    Relayout();
  }
  return QWidget::eventFilter(watched, event);
}

void ColumnStrip::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

void ColumnStrip::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Relayout();
}

}  // namespace vsl
