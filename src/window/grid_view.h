#pragma once
// A read-only text grid: a table view over a tiny model that reads the window model's cells. Row 0 of
// the cells is the header row, drawn as the view's fixed horizontal header; rows 1 and up are data.

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <vector>

namespace vsl {

// The text to show in cell (col, row) of one grid; row 0 is the header row.
using CellReader = std::function<QString(int col, int row)>;
// Anything else a data cell (row 1 and up) shows for a role (colours, font, tool tip); an invalid
// QVariant for none.
using CellRoleReader = std::function<QVariant(int col, int row, int role)>;

class GridTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  GridTableModel(std::vector<int> widths, int dataRows, CellReader cells, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The cells changed underneath: repaint every cell and the header.
  void Refresh();
  void SetRoles(CellRoleReader roles) { roles_ = std::move(roles); }
  // The column's width as the grid's design gives it: the least it is ever shown at.
  int DesignWidth(int col) const { return widths_.at(static_cast<size_t>(col)); }

 private:
  std::vector<int> widths_;
  int columns_;
  int dataRows_;
  CellReader cells_;
  CellRoleReader roles_;
};

// A grid view named `name` with the given column widths (pixels), row height 16, cells selectable but
// not editable. Column 0 is a fixed column: a second view over the same cells (named `name` +
// "FixedColumn") stands over the grid's left edge and does not scroll sideways.
QTableView* MakeGrid(const QString& name, const std::vector<int>& widths, int dataRows, CellReader cells,
                     QWidget* parent);

// The model behind a grid made by MakeGrid.
GridTableModel* GridModelOf(QTableView* grid);

// Sets every column of `grid` to its design width or, where a text (header included) needs more, to
// the width of its widest text: no cell is ever cut.
void FitColumns(QTableView* grid);

}  // namespace vsl
