#pragma once
// Why a row got its verdict and its Ladder score: multi-line texts for the tooltips of the audit cells
// and of the Ladder's Final, computed by the audit and the Ladder score themselves under the model's
// current settings, so that every number in them is the one the grids show.
//
// Texts are in code page 1251 with "\n" between lines, like every text of the window model.

#include <string>

#include "app/window_model.h"

namespace vsl {

// The audit of row i (0 <= i < SaveCount): sessions and presessions to reloads, the play days, the
// allowances by days and by time, the smaller one as Max Reloads, the two thresholds and the verdict,
// or the rule that makes a file without reloads Fair. When an audit setting does not convert, the one
// line says which and that the audit cannot run.
std::string AuditExplanation(const WindowModel& model, int i);

// The Ladder score of row i: each component as factor x value / target with the maximum it grew from,
// the Result, the level bonus and the Final.
std::string LadderExplanation(const WindowModel& model, int i);

}  // namespace vsl
