#include "window/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace vsl {

namespace {

constexpr int kCellPadding = 2;   // left of the text, as the delegate draws it
constexpr int kCellSlack = 3;     // right of the text: the grid line and a pixel of air
constexpr int kHeaderMargin = 1;  // each side, as TightHeaderStyle sets it

// Headers with a one-pixel text margin: the column widths are narrow and fixed, and a header should fit
// its column rather than be cut.
class TightHeaderStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_HeaderMargin) return kHeaderMargin;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// Cells draw their text as it stands, two pixels from the left edge: leading blanks of right-aligned
// numbers count, and a text is never shortened with an ellipsis (FitColumns makes room for it).
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
    // The cell's own colour and font (from the model) over the view's.
    painter->setPen(background.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(background.font);
    painter->drawText(option.rect.adjusted(kCellPadding, 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }
};

// The look every grid view shares: tight headers, the cell delegate, fixed 16-pixel rows.
void StyleGridView(QTableView* view) {
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setWordWrap(false);
  view->setTextElideMode(Qt::ElideNone);
  view->setItemDelegate(new CellDelegate(view));
  view->setCornerButtonEnabled(false);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->verticalHeader()->hide();
  view->verticalHeader()->setMinimumSectionSize(16);
  view->verticalHeader()->setDefaultSectionSize(16);
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* header = view->horizontalHeader();
  auto* style = new TightHeaderStyle;
  style->setParent(header);
  header->setStyle(style);
  header->setMinimumSectionSize(8);
  header->setHighlightSections(false);
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setTextElideMode(Qt::ElideNone);
}

// Column 0 of a grid as a fixed column: a view of that column alone over the grid's left edge, sharing
// the grid's cells and selection, following its vertical scrolling and its first column's width.
class FixedColumn : public QTableView {
 public:
  explicit FixedColumn(QTableView* grid) : QTableView(grid), grid_(grid) {
    setObjectName(grid->objectName() + "FixedColumn");
    setModel(grid->model());
    setSelectionModel(grid->selectionModel());
    StyleGridView(this);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int col = 1; col < model()->columnCount(); ++col) setColumnHidden(col, true);
    grid->viewport()->stackUnder(this);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, grid->verticalScrollBar(), &QScrollBar::setValue);
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col) {
      if (col == 0) Place();
    });
    grid->installEventFilter(this);
    Place();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == grid_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) Place();
    return QTableView::eventFilter(watched, event);
  }

 private:
  void Place() {
    const int width = grid_->columnWidth(0);
    setColumnWidth(0, width);
    horizontalHeader()->setFixedHeight(grid_->horizontalHeader()->height());
    setGeometry(grid_->frameWidth(), grid_->frameWidth(), width,
                grid_->viewport()->height() + grid_->horizontalHeader()->height());
  }

  QTableView* grid_;
};

}  // namespace

GridTableModel::GridTableModel(std::vector<int> widths, int dataRows, CellReader cells, QObject* parent)
    : QAbstractTableModel(parent),
      widths_(std::move(widths)),
      columns_(static_cast<int>(widths_.size())),
      dataRows_(dataRows),
      cells_(std::move(cells)) {}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : dataRows_;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) return cells_(index.column(), index.row() + 1);
  return roles_ ? roles_(index.column(), index.row() + 1, role) : QVariant();
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
  auto* model = new GridTableModel(widths, dataRows, std::move(cells), grid);
  grid->setModel(model);
  StyleGridView(grid);
  for (size_t col = 0; col < widths.size(); ++col) grid->setColumnWidth(static_cast<int>(col), widths[col]);
  new FixedColumn(grid);
  return grid;
}

GridTableModel* GridModelOf(QTableView* grid) {
  return qobject_cast<GridTableModel*>(grid->model());
}

void FitColumns(QTableView* grid) {
  const GridTableModel* model = GridModelOf(grid);
  const QFontMetrics cellMetrics(grid->font());
  const QFontMetrics headerMetrics(grid->horizontalHeader()->font());
  for (int col = 0; col < model->columnCount(); ++col) {
    int width =
        headerMetrics.horizontalAdvance(model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString()) +
        2 * kHeaderMargin + kCellSlack;
    for (int row = 0; row < model->rowCount(); ++row) {
      const QString text = model->data(model->index(row, col), Qt::DisplayRole).toString();
      if (!text.isEmpty())
        width = std::max(width, cellMetrics.horizontalAdvance(text) + kCellPadding + kCellSlack);
    }
    width = std::max(width, model->DesignWidth(col));
    if (grid->columnWidth(col) != width) grid->setColumnWidth(col, width);
  }
}

}  // namespace vsl
