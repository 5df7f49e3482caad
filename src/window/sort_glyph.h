#pragma once
// The glyph of the five sort buttons, drawn in code.

#include <QIcon>

namespace vsl {

// A 16 x 16 downward-pointing triangle, filled cyan (#00FFFF) with a black outline, on a transparent
// background.
QIcon SortGlyph();

}  // namespace vsl
