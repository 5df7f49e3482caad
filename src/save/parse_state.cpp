#include "save/parse_state.h"

#include <algorithm>

namespace vsl {

void ParseState::Reset() {
  static_cast<ParseFields&>(*this) = ParseFields{};  // texts keep their buffers
  for (auto& slots : CityCulture) slots.fill(0);
  for (size_t k = 0; k < History.size(); ++k) {
    for (size_t p = 0; p < History[k].size(); ++p) {
      std::fill_n(History[k][p].begin(), HistoryUsed[k][p], 0);
      HistoryUsed[k][p] = 0;
    }
  }
}

}  // namespace vsl
