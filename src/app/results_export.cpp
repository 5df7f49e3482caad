// "Save Results": the four grids as one text file, one line per grid row.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>

#include "app/window_model.h"

namespace vsl {
namespace {

// The exported columns of each grid: the row number and file name once (from BaseGrid), then the
// columns after the two name columns of the other grids, except ReloadGrid's "Penalty".
struct ExportedColumns {
  const Grid& grid;
  int first, last;
};

}  // namespace

std::string WindowModel::ExportText() const {
  const ExportedColumns parts[] = {
      {baseGrid_, 0, 11}, {reloadGrid_, 2, 11}, {additionalGrid_, 2, 14}, {ladderGrid_, 2, 22}};
  std::string text;
  for (int row = 0; row <= saveCount_; ++row) {
    if (row > 0) text += "\r\n";
    bool firstField = true;
    for (const ExportedColumns& p : parts) {
      for (int col = p.first; col <= p.last; ++col) {
        if (!firstField) text += "; ";
        text += p.grid.Cell(col, row);
        firstField = false;
      }
    }
    if (row < saveCount_) text += "; ";
  }
  return text;
}

void WindowModel::Export(std::ostream& out) const {
  const std::string text = ExportText();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void WindowModel::Button2Click(const std::string& path) const {
  const std::string text = ExportText();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    throw ExportError(path, std::string("cannot create the file: ") + std::strerror(errno));
  const size_t written = std::fwrite(text.data(), 1, text.size(), file);
  const int writeErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (written != text.size()) {
    throw ExportError(path, std::string("cannot write the file: ") + std::strerror(writeErrno));
  }
  if (!closed) throw ExportError(path, std::string("cannot write the file: ") + std::strerror(errno));
}

std::string WindowModel::ProposedExportName() const {
#ifdef _WIN32
  return edits_.Edit1 + "\\Res.txt";
#else
  return edits_.Edit1 + "/Res.txt";
#endif
}

}  // namespace vsl
