#pragma once
// The game's calendar: turn to in-game year for the four speeds.

#include <cstdint>

namespace vsl {

// Year of `turn` at speed index `speed` (0..3; negative years are BC; -9999 for another speed).
// Lowers `elapsedTurns` to the speed's cap when the turn lies beyond it, and to 0 when the turn is
// negative; otherwise leaves it alone.
int32_t Turn2Date(int32_t speed, int32_t turn, int32_t& elapsedTurns);

// Last turn of each speed's calendar.
inline constexpr int32_t kCalendarCap[4] = {1200, 660, 460, 320};

}  // namespace vsl
