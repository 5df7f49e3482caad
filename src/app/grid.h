#pragma once
// A read-only text grid as the window shows it: cells of 8-bit text (code page 1251 for the program's
// own texts, the save's bytes for texts from saves; the "File Name" cells of data rows are UTF-8, see
// FileNameText), row 0 the header row, rows 1..100 the files.

#include <string>
#include <vector>

namespace vsl {

struct GridColumn {
  std::string Header;  // text of row 0
  int Width;           // pixels
};

class Grid {
 public:
  static constexpr int kRowCount = 101;  // header row + room for 100 files

  explicit Grid(const std::vector<GridColumn>& columns);

  int ColCount() const { return static_cast<int>(widths_.size()); }
  int RowCount() const { return kRowCount; }
  int ColWidth(int col) const { return widths_.at(static_cast<size_t>(col)); }

  // A cell that was never written holds "".
  const std::string& Cell(int col, int row) const { return cells_.at(Index(col, row)); }
  void SetCell(int col, int row, std::string text) { cells_.at(Index(col, row)) = std::move(text); }

 private:
  size_t Index(int col, int row) const;

  std::vector<int> widths_;
  std::vector<std::string> cells_;  // row-major
};

}  // namespace vsl
