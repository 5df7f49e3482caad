#include "save/parse_state.h"

namespace vsl {

void ParseState::Reset() {
  // Variable-length tables keep their capacity; everything else starts from zero for each file.
  auto replays = std::move(ReplayMessages);
  auto cities = std::move(Cities);
  auto messages = std::move(Messages);
  *this = ParseState{};
  ReplayMessages = std::move(replays);
  ReplayMessages.clear();
  Cities = std::move(cities);
  Messages = std::move(messages);
  for (auto& c : Cities) c.clear();
  for (auto& m : Messages) m.clear();
}

}  // namespace vsl
