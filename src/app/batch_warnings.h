#pragma once
// Warnings about a loaded batch for the window's status line: files the audit cannot date, a batch
// whose files were played with other settings than the file that set the Ladder maxima, files left
// out or skipped. Each text says what is wrong and what to do; none of them stops anything.
//
// Texts are UTF-8, so that file names read as the grids show them.

#include <string>
#include <vector>

#include "app/window_model.h"

namespace vsl {

struct BatchWarning {
  enum class Kind {
    OutsideTournament,  // files dated outside the tournament's days: their Play Days is 30
    MixedSettings,      // files of another speed, map size or end turn than the one that set the maxima
    LeftOut,            // files beyond the hundredth, not read
    Skipped,            // damaged saves skipped (the list with the reasons is BatchResult::Skipped)
    NotSaves,           // files skipped that are no saves at all (pictures, tables)
  };
  Kind What;
  std::string Text;
};

// The warnings for the model's rows under its current settings and the batch's `result`, in the order
// of Kind; empty when all is well. The tournament dates follow the start date in the edits, so the
// window asks again when that changes; a start date that does not convert gives no date warning (the
// audit reports it). A result without Maxima (or one the window clears because the referee fixed the
// maxima) gives no settings warning.
std::vector<BatchWarning> BatchWarnings(const WindowModel& model, const BatchResult& result);

}  // namespace vsl
