#include "window/sort_glyph.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace vsl {

QIcon SortGlyph() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(QColor(0x00, 0xFF, 0xFF));
  const QPolygonF triangle({QPointF(1.5, 3.5), QPointF(14.5, 3.5), QPointF(8, 12.5)});
  painter.drawPolygon(triangle);
  painter.end();
  QIcon icon;
  icon.addPixmap(pixmap, QIcon::Normal);
  icon.addPixmap(pixmap, QIcon::Disabled);
  return icon;
}

}  // namespace vsl
