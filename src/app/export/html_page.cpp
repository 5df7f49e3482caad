#include "app/export/html_page.h"

#include <QDateTime>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "app/cp1251.h"
#include "app/format.h"
#include "app/game_text.h"
#include "app/tournament_settings.h"
#include "scoring/convert.h"

namespace vsl {
namespace {

constexpr char kStyle[] =
    "body{font-family:sans-serif;margin:1.5em;color:#222}"
    "h1{font-size:1.5em}h2{font-size:1.2em;margin-top:1.5em}"
    "table{border-collapse:collapse;margin:.5em 0;font-size:.9em}"
    "th,td{border:1px solid #bbb;padding:.15em .5em;white-space:nowrap}"
    "th{background:#eee}td.n{text-align:right;font-variant-numeric:tabular-nums}"
    "td.fair{background:#d8f0d8}td.average{background:#fbeec0}td.cheat{background:#f6c8c8;font-weight:bold}"
    "table.settings td:first-child{font-weight:bold}"
    "svg text{font-family:sans-serif;font-size:12px}"
    "@media print{body{margin:0}h2{page-break-before:auto}}";

struct Utf8Char {
  size_t length;  // 0: no well-formed character starts here
  char32_t code;
};

Utf8Char DecodeUtf8(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  const size_t length = lead < 0x80                    ? 1
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
  if (length == 0 || text.size() < length) return {0, 0};
  char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {0, 0};
    code = code << 6 | (byte(i) & 0x3Fu);
  }
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || code > 0x10FFFF) return {0, 0};
  return {length, code};
}

// The characters XML allows in text, line breaks left out: a page row is one line.
bool XmlAllows(char32_t c) {
  return c == '\t' || (c >= 0x20 && c < 0xD800) || (c >= 0xE000 && c <= 0xFFFD) || c >= 0x10000;
}

// Text for an element or an attribute. Characters XML does not allow (control characters, U+FFFE and
// U+FFFF, bytes that are no well-formed UTF-8) become blanks, so that the page stays well-formed XML.
std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Utf8Char c = DecodeUtf8(text);
    const size_t length = std::max<size_t>(c.length, 1);
    if (c.length == 0 || !XmlAllows(c.code)) {
      out += ' ';
    } else if (c.code == '&') {
      out += "&amp;";
    } else if (c.code == '<') {
      out += "&lt;";
    } else if (c.code == '>') {
      out += "&gt;";
    } else if (c.code == '"') {
      out += "&quot;";
    } else {
      out += text.substr(0, length);
    }
    text.remove_prefix(length);
  }
  return out;
}

// A cell as shown: decoded, the game's markup taken out, the alignment blanks trimmed.
std::string CellText(const std::string& cell) {
  return std::string(TrimBlanks(Cp1251ToUtf8(StripGameMarkup(cell))));
}

// A number or a duration ("12:05:09"): right-aligned.
bool IsNumeric(std::string_view text, char separator) {
  if (text.empty()) return false;
  bool digit = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (!((c == '-' && i == 0) || c == separator || c == ':')) {
      return false;
    }
  }
  return digit;
}

std::string VerdictClass(std::optional<Honesty> verdict) {
  if (!verdict) return "";
  switch (*verdict) {
    case kFair:
      return "fair";
    case kAverage:
      return "average";
    case kCheat:
      return "cheat";
  }
  return "";
}

// `fileNames`: column 1 of the data rows holds file names, UTF-8 already (FileNameText).
void AppendGrid(std::string& html, const char* name, const Grid& grid, int rows, char separator,
                bool fileNames = false) {
  html += "<h2>" + std::string(name) + "</h2>\n<table class=\"grid\" id=\"" + name + "\">\n<thead><tr>";
  int honesty = -1;
  for (int c = 0; c < grid.ColCount(); ++c) {
    const std::string header = CellText(grid.Cell(c, 0));
    if (header == "Honesty") honesty = c;
    html += "<th>" + Escape(header) + "</th>";
  }
  html += "</tr></thead>\n<tbody>\n";
  for (int r = 1; r <= rows; ++r) {
    html += "<tr>";
    for (int c = 0; c < grid.ColCount(); ++c) {
      const std::string text = fileNames && c == 1 ? grid.Cell(c, r) : CellText(grid.Cell(c, r));
      std::string cls = c == honesty ? VerdictClass(ShownHonesty(text)) : "";
      if (cls.empty() && c > 0 && IsNumeric(text, separator)) cls = "n";
      html += cls.empty() ? "<td>" : "<td class=\"" + cls + "\">";
      html += Escape(text) + "</td>";
    }
    html += "</tr>\n";
  }
  html += "</tbody>\n</table>\n";
}

std::string Num(double value) {
  char buffer[32];
  const double rounded = std::round(value * 10) / 10;
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 1);
  return ec == std::errc() ? std::string(buffer, end) : "0";
}

std::string Colour(uint32_t rgb) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(rgb >> shift) & 0xF];
  return text;
}

// The chart of the window's curves: plot area, axes with five intervals each, titles and legend.
void AppendChart(std::string& html, const WindowModel& model) {
  constexpr double kLeft = 80, kTop = 40, kWidth = 560, kHeight = 300, kLegendX = 670;
  constexpr int kAxisIntervals = 5;
  const ChartModel& chart = model.Chart();
  const int drawn = std::min(model.SaveCount(), ChartModel::kSeriesCount);
  double xMin = 0, xMax = 0;
  bool any = false;
  for (int k = 0; k < drawn; ++k) {
    for (const ChartPoint& p : chart.Series(k).Points) {
      xMin = any ? std::min(xMin, p.X) : p.X;
      xMax = any ? std::max(xMax, p.X) : p.X;
      any = true;
    }
  }
  if (xMax <= xMin) xMax = xMin + 1;
  const double yMin = static_cast<double>(chart.AxisMin());
  const double yMax = std::max(static_cast<double>(chart.AxisMax()), yMin + 1);
  const auto sx = [&](double x) { return kLeft + (x - xMin) / (xMax - xMin) * kWidth; };
  const auto sy = [&](double y) { return kTop + kHeight - (y - yMin) / (yMax - yMin) * kHeight; };

  const int item = model.Edits().GraphSelect;
  const std::string itemName = item >= 0 && item < static_cast<int>(kGraphSelectItems.size())
                                   ? kGraphSelectItems[static_cast<size_t>(item)]
                                   : "";
  html +=
      "<h2>History</h2>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"900\" height=\"400\" "
      "viewBox=\"0 0 900 400\" role=\"img\">\n";
  html += "<text x=\"" + Num(kLeft + kWidth / 2) +
          "\" y=\"22\" text-anchor=\"middle\" font-weight=\"bold\">" +
          Escape(itemName.empty() ? "History" : itemName + " history") + "</text>\n";
  html += "<rect x=\"" + Num(kLeft) + "\" y=\"" + Num(kTop) + "\" width=\"" + Num(kWidth) + "\" height=\"" +
          Num(kHeight) + "\" fill=\"none\" stroke=\"#444\"/>\n";
  for (const double x : AxisTicks(xMin, xMax, kAxisIntervals)) {
    html += "<line x1=\"" + Num(sx(x)) + "\" y1=\"" + Num(kTop + kHeight) + "\" x2=\"" + Num(sx(x)) +
            "\" y2=\"" + Num(kTop + kHeight + 5) + "\" stroke=\"#444\"/>";
    html += "<text x=\"" + Num(sx(x)) + "\" y=\"" + Num(kTop + kHeight + 18) + "\" text-anchor=\"middle\">" +
            std::to_string(std::llround(x)) + "</text>\n";
  }
  for (const double y : AxisTicks(yMin, yMax, kAxisIntervals)) {
    html += "<line x1=\"" + Num(kLeft - 5) + "\" y1=\"" + Num(sy(y)) + "\" x2=\"" + Num(kLeft + kWidth) +
            "\" y2=\"" + Num(sy(y)) + "\" stroke=\"#ddd\"/>";
    html += "<text x=\"" + Num(kLeft - 8) + "\" y=\"" + Num(sy(y) + 4) + "\" text-anchor=\"end\">" +
            std::to_string(std::llround(y)) + "</text>\n";
  }
  html += "<text x=\"" + Num(kLeft + kWidth / 2) + "\" y=\"" + Num(kTop + kHeight + 40) +
          "\" text-anchor=\"middle\">Turn</text>\n";
  html += "<text transform=\"translate(18 " + Num(kTop + kHeight / 2) +
          ") rotate(-90)\" text-anchor=\"middle\">" + Escape(itemName) + "</text>\n";
  int legendRow = 0;
  for (int k = 0; k < drawn; ++k) {
    const ChartSeries& s = chart.Series(k);
    if (!s.InLegend) continue;
    std::string points;
    for (const ChartPoint& p : s.Points) {
      if (!points.empty()) points += ' ';
      points += Num(sx(p.X)) + "," + Num(sy(p.Y));
    }
    html += "<polyline class=\"curve\" fill=\"none\" stroke-width=\"1.5\" stroke=\"" + Colour(s.Colour) +
            "\" points=\"" + points + "\"/>\n";
    const double y = kTop + 14.0 * legendRow++;
    html += "<rect x=\"" + Num(kLegendX) + "\" y=\"" + Num(y) + "\" width=\"10\" height=\"10\" fill=\"" +
            Colour(s.Colour) + "\"/><text x=\"" + Num(kLegendX + 15) + "\" y=\"" + Num(y + 9) + "\">" +
            Escape(CellText(s.Title)) + "</text>\n";
  }
  html += "</svg>\n";
}

}  // namespace

std::string RenderHtmlPage(const WindowModel& model, const HtmlPageOptions& options) {
  const std::string generated =
      options.Generated.empty()
          ? QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString()
          : options.Generated;
  std::string html =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
      "<meta charset=\"utf-8\"/>\n<meta name=\"viewport\" content=\"width=device-width\"/>\n<title>" +
      Escape(options.Title) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n<h1>" +
      Escape(options.Title) + "</h1>\n<p>" + std::to_string(model.SaveCount()) + " saves, " +
      Escape(generated) + "</p>\n<h2>Settings</h2>\n<table class=\"settings\">\n";
  std::array<bool, 7> allMaxima;
  allMaxima.fill(true);
  for (const auto& [label, value] : SettingsLines(SettingsFromModel(model, allMaxima))) {
    html += "<tr><td>" + Escape(label) + "</td><td>" + Escape(value) + "</td></tr>\n";
  }
  html += "</table>\n";
  const char separator = model.Locale().DecimalSeparator();
  AppendGrid(html, "Base", model.BaseGrid(), model.SaveCount(), separator, true);
  AppendGrid(html, "Reloads", model.ReloadGrid(), model.SaveCount(), separator, true);
  AppendGrid(html, "Additional", model.AdditionalGrid(), model.SaveCount(), separator);
  AppendGrid(html, "Ladder", model.LadderGrid(), model.SaveCount(), separator);
  AppendChart(html, model);
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace vsl
