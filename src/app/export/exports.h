#pragma once
// Every export of the results behind one interface, for the window and the report tool alike: the bytes
// of each format, written through WriteOutputFile (output_file.h).

#include <string>

namespace vsl {

class WindowModel;

// The results file of "Save Results" (code page 1251), CSV and JSON (structured_export.h) and the
// standings page (html_page.h, dated now), all three in UTF-8.
enum class ExportFormat { Results, Csv, Json, Html };

// `pageLanguage`: the language of the standings page (HtmlPageOptions::Language; empty: the
// application's); the other formats are the same in every language.
std::string ExportBytes(const WindowModel& model, ExportFormat format, const std::string& pageLanguage = "");

}  // namespace vsl
