#pragma once
// The standings as one self-contained web page a referee can publish or print, readable on a phone:
// first the standings (every file ranked by its Ladder Final, as the Ladder sort orders them, with the
// player, leader and civilization, turn, Final, share of the best and the reload verdict), then the
// settings used, the four grids as tables and the history chart as inline SVG. No external files,
// fonts or scripts; tables wider than the screen scroll inside their own box.
//
// Use, after a load (and any edits, sorts and history choice):
//   HtmlPageOptions page;
//   page.Generated = "2026-12-09 19:30";  // or left empty for the current local time
//   page.Language = "ru";                 // or empty for the application's language
//   std::string html = RenderHtmlPage(model, page);  // UTF-8, well-formed XML as well as HTML
//
// The page's own texts (headings, settings names, chart titles, verdicts) are in the page's language;
// the grids keep the program's own headers, but where a header names what its column does not hold
// (the Additional grid's "File Name" over nick names) the page names the column "Nick", as the Ladder
// grid does. The grids' cells are shown as the window shows them, decoded from code page 1251, with
// the game's markup taken out of names; numbers are right-aligned and the honesty verdicts coloured.
// The chart draws the window's curves (the first 20 rows, locked rows left out) in their colours, with
// both axes, their titles and a legend.

#include <string>

#include "app/window_model.h"

namespace vsl {

struct HtmlPageOptions {
  // The page's title; empty: "Tournament standings" in the page's language.
  std::string Title;
  // The date shown as the page's date; empty: the current local date and time.
  std::string Generated;
  // The language of the page's own texts, one of kLanguages (translation.h); empty: the application's
  // language (its installed translators). Another language throws std::invalid_argument.
  std::string Language;
};

std::string RenderHtmlPage(const WindowModel& model, const HtmlPageOptions& options = {});

}  // namespace vsl
