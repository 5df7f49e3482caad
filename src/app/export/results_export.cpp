// "Save Results": the four grids as one text file, one line per grid row.

#include <ostream>

#include "app/cp1251.h"
#include "app/export/exports.h"
#include "app/export/html_page.h"
#include "app/export/structured_export.h"
#include "app/window_model.h"

namespace vsl {
namespace {

// The exported columns of each grid: the row number and file name once (from BaseGrid), then the
// columns after the two name columns of the other grids, except ReloadGrid's "Penalty".
struct ExportedColumns {
  const Grid& grid;
  int first, last;
};

// A field as the file holds it: the file has no quoting, so a line break or another control character
// (a player's name may hold any) becomes a blank rather than break the line.
void AppendField(std::string& text, std::string_view field) {
  for (const char c : field) text += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
  text += "; ";
}

}  // namespace

std::string ExportBytes(const WindowModel& model, ExportFormat format, const std::string& pageLanguage) {
  switch (format) {
    case ExportFormat::Csv:
      return ResultsCsv(model.ExportRows(), model.Locale().DecimalSeparator());
    case ExportFormat::Json:
      return ResultsJson(model);
    case ExportFormat::Html: {
      HtmlPageOptions page;
      page.Language = pageLanguage;
      return RenderHtmlPage(model, page);
    }
    case ExportFormat::Results:
      break;
  }
  return model.ExportText();
}

std::vector<std::vector<std::string>> WindowModel::ExportRows() const {
  const ExportedColumns parts[] = {
      {baseGrid_, 0, 11}, {reloadGrid_, 2, 11}, {additionalGrid_, 2, 14}, {ladderGrid_, 2, 22}};
  std::vector<std::vector<std::string>> rows(static_cast<size_t>(saveCount_) + 1);
  for (int row = 0; row <= saveCount_; ++row) {
    std::vector<std::string>& fields = rows[static_cast<size_t>(row)];
    fields.reserve(kExportFields);
    for (const ExportedColumns& p : parts) {
      for (int col = p.first; col <= p.last; ++col) fields.push_back(p.grid.Cell(col, row));
    }
  }
  return rows;
}

std::string WindowModel::ExportText() const {
  // Every field followed by "; ", every line by CR LF, except after the last field of the last line.
  std::string text;
  std::vector<std::vector<std::string>> rows = ExportRows();
  for (size_t r = 1; r < rows.size(); ++r) rows[r][kFileNameField] = Utf8ToCp1251(rows[r][kFileNameField]);
  for (const std::vector<std::string>& fields : rows) {
    for (const std::string& field : fields) AppendField(text, field);
    text += "\r\n";
  }
  text.resize(text.size() - 4);
  return text;
}

void WindowModel::Export(std::ostream& out) const {
  const std::string text = ExportText();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void WindowModel::Button2Click(const std::string& path) const {
  WriteOutputFile(path, ExportText(), inputs_, OutputKind::Results);
}

std::string WindowModel::ProposedExportName() const {
  // With no folder yet the name alone, in the dialog's current folder, rather than the root.
  if (edits_.Edit1.empty()) return "Res.txt";
#ifdef _WIN32
  return edits_.Edit1 + "\\Res.txt";
#else
  return edits_.Edit1 + "/Res.txt";
#endif
}

}  // namespace vsl
