#include "app/grid.h"

#include <stdexcept>

namespace vsl {

Grid::Grid(const std::vector<GridColumn>& columns) {
  widths_.reserve(columns.size());
  for (const GridColumn& c : columns) widths_.push_back(c.Width);
  cells_.resize(columns.size() * kRowCount);
  for (size_t col = 0; col < columns.size(); ++col) cells_[col] = columns[col].Header;
}

size_t Grid::Index(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= kRowCount) {
    throw std::out_of_range("grid cell (" + std::to_string(col) + ", " + std::to_string(row) + ")");
  }
  return static_cast<size_t>(row) * widths_.size() + static_cast<size_t>(col);
}

}  // namespace vsl
