#pragma once
// A folder of large late-game saves for the batch benchmarks, written once and reused while the save
// writer keeps producing the same bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace vsl::bench {

// Makes sure `dir` holds the large saves of seeds 0..count-1 (as Large000.Save, Large001.Save, ...)
// and returns their paths in seed order. The files are written again when the save writer's output
// for seed 0 or the count changed since they were written.
std::vector<std::string> EnsureLargeSaves(const std::string& dir, int count);

// The folder the benchmarks use by default: $VSL_BENCH_SAVES, else a folder in the system's temp dir.
std::string DefaultLargeSaveDir();

}  // namespace vsl::bench
