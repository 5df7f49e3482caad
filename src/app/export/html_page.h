#pragma once
// The standings as one self-contained web page a referee can publish or print: the settings used, the
// four grids as tables and the history chart as inline SVG. No external files, fonts or scripts.
//
// Use, after a load (and any edits, sorts and history choice):
//   HtmlPageOptions page;
//   page.Generated = "2026-12-09 19:30";  // or left empty for the current local time
//   std::string html = RenderHtmlPage(model, page);  // UTF-8, well-formed XML as well as HTML
//
// The grids' cells are shown as the window shows them, decoded from code page 1251, with the game's
// markup taken out of names; numbers are right-aligned and the honesty verdicts coloured. The chart
// draws the window's curves (the first 20 rows, locked rows left out) in their colours, with both
// axes, their titles and a legend.

#include <string>

#include "app/window_model.h"

namespace vsl {

struct HtmlPageOptions {
  std::string Title = "Tournament standings";
  // The date shown as the page's date; empty: the current local date and time.
  std::string Generated;
};

std::string RenderHtmlPage(const WindowModel& model, const HtmlPageOptions& options = {});

}  // namespace vsl
