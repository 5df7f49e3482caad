#pragma once
// The results as CSV and JSON for spreadsheets and web pages: the fields of the results file, decoded
// from code page 1251 to UTF-8, with the alignment blanks of numbers and formatted texts removed.

#include <string>
#include <vector>

namespace vsl {

// `rows` are the results file's fields (header row first), `separator` the decimal separator the
// numbers were written with.
//
// CSV (RFC 4180): one record per row, fields quoted when they hold a comma, a quote or a line break,
// records ended by CR LF. A blanked cell gives an empty field.
std::string ResultsCsv(const std::vector<std::vector<std::string>>& rows);

// JSON: {"rows": [{"Base": {...}, "Reloads": {...}, "Additional": {...}, "Ladder": {...}}, ...]}, each
// page an object keyed by its column headers in column order; numbers as numbers, texts as strings,
// blanked or never-written cells as null.
std::string ResultsJson(const std::vector<std::vector<std::string>>& rows, char separator);

}  // namespace vsl
