#include "app/export/html_page.h"

#include <QDateTime>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <vector>

#include "app/cp1251.h"
#include "app/format.h"
#include "app/game_text.h"
#include "app/ladder_components.h"
#include "app/tournament_settings.h"
#include "app/translation.h"
#include "scoring/convert.h"

namespace vsl {
namespace {

// Wide tables and the chart scroll inside their box (div.wide), so that the page itself keeps the
// screen's width, down to a phone's; the standings wrap their names instead.
constexpr char kStyle[] =
    "body{font-family:sans-serif;margin:1em;color:#222;line-height:1.3}"
    "h1{font-size:1.5em;margin:.3em 0}h2{font-size:1.2em;margin-top:1.5em}p.note{color:#555;font-size:.9em}"
    "div.wide{overflow-x:auto;max-width:100%}"
    "table{border-collapse:collapse;margin:.5em 0;font-size:.9em}"
    "th,td{border:1px solid #bbb;padding:.15em .5em;white-space:nowrap}"
    "th{background:#eee}td.n{text-align:right;font-variant-numeric:tabular-nums}"
    "td.fair{background:#d8f0d8}td.average{background:#fbeec0}td.cheat{background:#f6c8c8;font-weight:bold}"
    "table.standings{font-size:1em}table.standings th,table.standings td{white-space:normal}"
    "table.standings td.player,table.standings td.final{font-weight:bold}"
    "table.standings td.player{overflow-wrap:anywhere}"
    "table.settings td:first-child{font-weight:bold;white-space:normal}"
    "svg text{font-family:sans-serif;font-size:12px}"
    "@media (max-width:600px){body{margin:.5em}table.standings{font-size:.75em}table.standings "
    "th{font-size:.9em}"
    "table.standings th,table.standings td{padding:.15em .25em}table.standings td.leader{font-size:.9em}}"
    "@media print{body{margin:0}div.wide{overflow:visible}h2{page-break-before:auto}}";

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

// A text of the page, marked for lupdate with QT_TRANSLATE_NOOP("HtmlPage", ...), in the page's language.
std::string Tr(const ProgramTexts& texts, const char* source) {
  return texts.Text("HtmlPage", source);
}

// A table that may be wider than the screen scrolls inside its own box; the page keeps the screen's width.
void OpenWideBox(std::string& html) {
  html += "<div class=\"wide\">";
}
void CloseWideBox(std::string& html) {
  html += "</div>\n";
}

// One grid as a table: its own headers, but `nickColumn` (a column 1 that holds nick names under a
// header that names files) headed as the Ladder grid heads its nick names. `fileNames`: column 1 of
// the data rows holds file names, UTF-8 already (FileNameText).
struct GridShape {
  const char* id;
  bool fileNames = false;
  bool nickColumn = false;
};

void AppendGrid(std::string& html, const GridShape& shape, const std::string& heading, const Grid& grid,
                int rows, char separator) {
  html += "<h2>" + Escape(heading) + "</h2>\n";
  OpenWideBox(html);
  html += "<table class=\"grid\" id=\"" + std::string(shape.id) + "\">\n<thead><tr>";
  int honesty = -1;
  for (int c = 0; c < grid.ColCount(); ++c) {
    const std::string header = shape.nickColumn && c == 1 ? "Nick" : CellText(grid.Cell(c, 0));
    if (header == "Honesty") honesty = c;
    html += "<th>" + Escape(header) + "</th>";
  }
  html += "</tr></thead>\n<tbody>\n";
  for (int r = 1; r <= rows; ++r) {
    html += "<tr>";
    for (int c = 0; c < grid.ColCount(); ++c) {
      const std::string text = shape.fileNames && c == 1 ? grid.Cell(c, r) : CellText(grid.Cell(c, r));
      std::string cls = c == honesty ? VerdictClass(ShownHonesty(text)) : "";
      if (cls.empty() && c > 0 && IsNumeric(text, separator)) cls = "n";
      html += cls.empty() ? "<td>" : "<td class=\"" + cls + "\">";
      html += Escape(text) + "</td>";
    }
    html += "</tr>\n";
  }
  html += "</tbody>\n</table>";
  CloseWideBox(html);
}

// A decimal in its shortest fixed notation with the locale's separator ("1,5").
std::string DecimalText(double value, char separator) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  std::string text = ec == std::errc() ? std::string(buffer, end) : "0";
  std::replace(text.begin(), text.end(), '.', separator);
  return text;
}

void AppendRow(std::string& html, const std::vector<std::string>& cells, const char* cell = "td") {
  html += "<tr>";
  for (const std::string& text : cells) {
    html += "<" + std::string(cell) + ">" + Escape(text) + "</" + cell + ">";
  }
  html += "</tr>\n";
}

// The settings the last audit and Ladder score used: the audit's, then each Ladder component's factor
// and maximum.
void AppendSettings(std::string& html, const WindowModel& model, const ProgramTexts& t) {
  std::array<bool, 7> allMaxima;
  allMaxima.fill(true);
  const TournamentSettings s = SettingsFromModel(model, allMaxima);
  const bool level = s.BaseLevel >= 0 && s.BaseLevel < static_cast<int32_t>(kBaseLevelItems.size());
  html += "<h2>" + Escape(Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Settings"))) + "</h2>\n";
  OpenWideBox(html);
  html += "<table class=\"settings\">\n";
  for (const auto& [label, value] : std::vector<std::pair<const char*, std::string>>{
           {QT_TRANSLATE_NOOP("HtmlPage", "Tournament start date"), s.StartDate},
           {QT_TRANSLATE_NOOP("HtmlPage", "Maximum sessions per day"),
            DecimalText(s.SessionsPerDay, model.Locale().DecimalSeparator())},
           {QT_TRANSLATE_NOOP("HtmlPage", "Minimum session time (minutes)"), std::to_string(s.MinSession)},
           {QT_TRANSLATE_NOOP("HtmlPage", "Presessions"), std::to_string(s.Presessions)},
           {QT_TRANSLATE_NOOP("HtmlPage", "Base level"),
            level ? std::string(TrimBlanks(kBaseLevelItems[static_cast<size_t>(s.BaseLevel)]))
                  : Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "none"))},
           {QT_TRANSLATE_NOOP("HtmlPage", "Level bonus (%)"), std::to_string(s.LevelBonus)},
           {QT_TRANSLATE_NOOP("HtmlPage", "Maximum reloads"), std::to_string(s.MaxReloads)}}) {
    AppendRow(html, {Tr(t, label), value});
  }
  html += "</table>";
  CloseWideBox(html);
  OpenWideBox(html);
  html += "<table class=\"ladder-settings\">\n<thead>";
  AppendRow(html,
            {Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Ladder")), Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Factor")),
             Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Maximum"))},
            "th");
  html += "</thead>\n<tbody>\n";
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    AppendRow(html, {kLadderComponents[i].Caption, std::to_string(s.Factors[i]),
                     s.Maxima[i] ? std::to_string(*s.Maxima[i]) : ""});
  }
  html += "</tbody>\n</table>";
  CloseWideBox(html);
}

// The rows in the order the Ladder sort gives them: Final from the best down, rows of equal Final in
// their present order.
std::vector<int> LadderOrder(const WindowModel& model) {
  std::vector<int> order(static_cast<size_t>(model.SaveCount()));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return model.Row(a).LadderFinal > model.Row(b).LadderFinal; });
  return order;
}

// The share of the best Final, in per cent with one decimal ("87.3 %").
std::string ShareText(long double norma, char separator) {
  return FormatFixed(norma * 100, 1, 1, separator) + "\u00a0%";
}

// One standings row; a locked file shows its place and its player alone, as the grids show it.
void AppendStanding(std::string& html, int rank, const TSaveDataRec& row, const ProgramTexts& t,
                    char separator) {
  html += "<tr><td class=\"n\">" + std::to_string(rank) + "</td><td class=\"player\">" +
          Escape(CellText(row.NickName)) + "</td>";
  if (row.Locked()) {
    html += "<td></td><td></td><td></td><td></td><td></td></tr>\n";
    return;
  }
  static constexpr std::array<const char*, 3> kVerdicts = {QT_TRANSLATE_NOOP("HtmlPage", "Cheat"),
                                                           QT_TRANSLATE_NOOP("HtmlPage", "Average"),
                                                           QT_TRANSLATE_NOOP("HtmlPage", "Fair")};
  const Honesty verdict = ShownHonesty(HonestyText(row.Honesty)).value_or(kFair);
  html += "<td class=\"leader\">" + Escape(LeaderNameText(row.LeaderType) + ", " + CivNameText(row.CivType)) +
          "</td><td class=\"n\">" + std::to_string(row.GameTurn) + "</td><td class=\"n final\">" +
          std::to_string(row.LadderFinal) + "</td><td class=\"n\">" + ShareText(row.Norma, separator) +
          "</td><td class=\"" + VerdictClass(verdict) + "\">" +
          Escape(Tr(t, kVerdicts[static_cast<size_t>(verdict)])) + "</td></tr>\n";
}

// The standings: every file ranked by its Ladder Final, equal Finals sharing their place.
void AppendStandings(std::string& html, const WindowModel& model, const ProgramTexts& t) {
  html += "<h2>" + Escape(Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Standings"))) + "</h2>\n<p class=\"note\">" +
          Escape(Tr(t, QT_TRANSLATE_NOOP(
                           "HtmlPage",
                           "Places by Final, the Ladder score. Of the best: the Final as a percentage of the "
                           "best one. Verdict: from the reload audit."))) +
          "</p>\n";
  OpenWideBox(html);
  html += "<table class=\"standings\" id=\"Standings\">\n<thead>";
  AppendRow(
      html,
      {Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Place")), Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Player")),
       Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Leader, civilization")),
       Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Turn")), Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Final")),
       Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Of the best")), Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Verdict"))},
      "th");
  html += "</thead>\n<tbody>\n";
  const std::vector<int> order = LadderOrder(model);
  int rank = 0;
  for (size_t k = 0; k < order.size(); ++k) {
    const TSaveDataRec& row = model.Row(order[k]);
    if (k == 0 || row.LadderFinal != model.Row(order[k - 1]).LadderFinal) rank = static_cast<int>(k) + 1;
    AppendStanding(html, rank, row, t, model.Locale().DecimalSeparator());
  }
  html += "</tbody>\n</table>";
  CloseWideBox(html);
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
void AppendChart(std::string& html, const WindowModel& model, const ProgramTexts& t) {
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
                                   ? t.Text("History", kGraphSelectItems[static_cast<size_t>(item)])
                                   : "";
  const std::string history = Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "History"));
  const QString title = QString::fromStdString(Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "%1 history")));
  html += "<h2>" + Escape(history) + "</h2>\n";
  OpenWideBox(html);
  html +=
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"900\" height=\"400\" viewBox=\"0 0 900 400\" "
      "role=\"img\">\n";
  html += "<text x=\"" + Num(kLeft + kWidth / 2) +
          "\" y=\"22\" text-anchor=\"middle\" font-weight=\"bold\">" +
          Escape(itemName.empty() ? history : title.arg(QString::fromStdString(itemName)).toStdString()) +
          "</text>\n";
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
          "\" text-anchor=\"middle\">" + Escape(Tr(t, QT_TRANSLATE_NOOP("HtmlPage", "Turn"))) + "</text>\n";
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
  html += "</svg>";
  CloseWideBox(html);
}

}  // namespace

std::string RenderHtmlPage(const WindowModel& model, const HtmlPageOptions& options) {
  const ProgramTexts texts(options.Language);
  const std::string title = options.Title.empty()
                                ? Tr(texts, QT_TRANSLATE_NOOP("HtmlPage", "Tournament standings"))
                                : options.Title;
  const std::string generated =
      options.Generated.empty()
          ? QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString()
          : options.Generated;
  const QString saves =
      QString::fromStdString(Tr(texts, QT_TRANSLATE_NOOP("HtmlPage", "Saves: %1. Written %2.")))
          .arg(model.SaveCount())
          .arg(QString::fromStdString(generated));
  std::string html =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"" + Escape(texts.Language()) +
      "\">\n<head>\n"
      "<meta charset=\"utf-8\"/>\n<meta name=\"viewport\" content=\"width=device-width\"/>\n<title>" +
      Escape(title) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n<h1>" + Escape(title) +
      "</h1>\n<p>" + Escape(saves.toStdString()) + "</p>\n";
  AppendStandings(html, model, texts);
  AppendSettings(html, model, texts);
  const char separator = model.Locale().DecimalSeparator();
  const int rows = model.SaveCount();
  AppendGrid(html, {"Base", true}, Tr(texts, QT_TRANSLATE_NOOP("HtmlPage", "Base")), model.BaseGrid(), rows,
             separator);
  AppendGrid(html, {"Reloads", true}, Tr(texts, QT_TRANSLATE_NOOP("HtmlPage", "Reloads")), model.ReloadGrid(),
             rows, separator);
  AppendGrid(html, {"Additional", false, true}, Tr(texts, QT_TRANSLATE_NOOP("HtmlPage", "Additional")),
             model.AdditionalGrid(), rows, separator);
  AppendGrid(html, {"Ladder"}, Tr(texts, QT_TRANSLATE_NOOP("HtmlPage", "Ladder")), model.LadderGrid(), rows,
             separator);
  AppendChart(html, model, texts);
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace vsl
