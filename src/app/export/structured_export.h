#pragma once
// The results as CSV and JSON for spreadsheets and web pages: the fields of the results file, decoded
// from code page 1251 to UTF-8, with the alignment blanks of numbers and formatted texts removed.

#include <string>
#include <vector>

namespace vsl {

class WindowModel;

// `rows` are the results file's fields (header row first), `separator` the decimal separator the
// numbers were written with.
//
// CSV (RFC 4180): one record per row, fields quoted when they hold a comma, a quote or a line break,
// records ended by CR LF. A blanked cell gives an empty field. Headers are unique: a header that an
// earlier page already has gets its page's name before it ("Reloads Turn", "Ladder Final"). Decimal
// numbers are written with a point, whatever the locale. A text that begins with '=', '+', '-', '@', a
// tab or a carriage return gets a leading apostrophe, so that no spreadsheet takes it for a formula;
// numbers (also negative ones) are written as they are.
std::string ResultsCsv(const std::vector<std::vector<std::string>>& rows, char separator);

// JSON, the shape the guide documents:
//   {"program": "vsl-report", "version": VSL_VERSION, "settings": {...},
//    "rows": [{"file": PATH, "locked": BOOL, "fileDate": ISO 8601 with offset,
//              "playTimeSeconds": N, "sessionTimeSeconds": N,
//              "Base": {...}, "Reloads": {...}, "Additional": {...}, "Ladder": {...}}, ...]}
// each page an object keyed by its column headers in column order; numbers as numbers, texts as
// strings, blanked or never-written cells (and the seconds of a locked row) as null; the Reloads page's
// "File Date" in ISO 8601 as well. Each row carries the path it was loaded from.
std::string ResultsJson(const WindowModel& model);

}  // namespace vsl
