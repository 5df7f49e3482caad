#pragma once
// Large, late-game saves for benchmarks and batch tests: a 124 x 68 map, 18 players with hundreds of
// cities, thousands of units and messages and full histories, compressing to just under 1,000,000 bytes.

#include <cstdint>
#include <vector>

#include "support/fixture_save.h"

namespace vsl::testing {

// The description of a large save; `seed` varies names, values and histories.
SaveDesc MakeLargeSaveDesc(uint32_t seed);

// Body of `desc` whose skipped runs hold varied values (seeded), as a real game's do.
std::vector<uint8_t> BuildVariedBody(const SaveDesc& desc, uint32_t seed);

// A complete large save file.
std::vector<uint8_t> BuildLargeSaveFile(uint32_t seed);

}  // namespace vsl::testing
