#include "app/window/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace vsl {

namespace {

// Headers with a one-pixel text margin: the column widths are narrow and fixed, and a header should fit
// its column rather than be cut.
class TightHeaderStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_HeaderMargin) return 1;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// Cells draw their text as it stands, two pixels from the left edge and clipped at the right one:
// leading blanks of right-aligned numbers count, and a long text is cut rather than shortened with
// an ellipsis.
class CellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }
};

}  // namespace

GridTableModel::GridTableModel(int columns, int dataRows, CellReader cells, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns), dataRows_(dataRows), cells_(std::move(cells)) {}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : dataRows_;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return cells_(index.column(), index.row() + 1);
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return cells_(section, 0);
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridTableModel::Refresh() {
  if (dataRows_ > 0 && columns_ > 0) Q_EMIT dataChanged(index(0, 0), index(dataRows_ - 1, columns_ - 1));
  Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

QTableView* MakeGrid(const QString& name, const std::vector<int>& widths, int dataRows, CellReader cells,
                     QWidget* parent) {
  auto* grid = new QTableView(parent);
  grid->setObjectName(name);
  auto* model = new GridTableModel(static_cast<int>(widths.size()), dataRows, std::move(cells), grid);
  grid->setModel(model);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grid->setWordWrap(false);
  grid->setItemDelegate(new CellDelegate(grid));
  grid->setCornerButtonEnabled(false);
  grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setMinimumSectionSize(16);
  grid->verticalHeader()->setDefaultSectionSize(16);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* header = grid->horizontalHeader();
  auto* style = new TightHeaderStyle;
  style->setParent(header);
  header->setStyle(style);
  header->setMinimumSectionSize(8);
  header->setHighlightSections(false);
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (size_t col = 0; col < widths.size(); ++col) header->resizeSection(static_cast<int>(col), widths[col]);
  return grid;
}

GridTableModel* GridModelOf(QTableView* grid) {
  return qobject_cast<GridTableModel*>(grid->model());
}

}  // namespace vsl
