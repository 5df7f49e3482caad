#include "large_files.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "support/large_save.h"
#include "support/save_writer.h"

namespace vsl::bench {

namespace {

uint64_t Fnv1a(const std::vector<uint8_t>& bytes) {
  uint64_t h = 1469598103934665603ull;
  for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
  return h;
}

std::string PathOf(const std::string& dir, int seed) {
  char name[32];
  std::snprintf(name, sizeof name, "Large%03d.Save", seed);
  return dir + "/" + name;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string DefaultLargeSaveDir() {
  if (const char* dir = std::getenv("VSL_BENCH_SAVES"); dir != nullptr && *dir != '\0') return dir;
  return (std::filesystem::temp_directory_path() / "vsl-bench-large-saves").string();
}

std::vector<std::string> EnsureLargeSaves(const std::string& dir, int count) {
  std::filesystem::create_directories(dir);
  std::vector<std::string> paths;
  for (int s = 0; s < count; ++s) paths.push_back(PathOf(dir, s));

  std::vector<uint8_t> first = testing::BuildLargeSaveFile(0);
  std::ostringstream stamp;
  stamp << count << ' ' << Fnv1a(first) << ' ' << first.size() << '\n';
  const std::string stampPath = dir + "/stamp";
  const bool present = std::all_of(paths.begin(), paths.end(),
                                   [](const std::string& p) { return std::filesystem::exists(p); });
  if (present && ReadText(stampPath) == stamp.str()) return paths;

  std::filesystem::remove(stampPath);
  std::fprintf(stderr, "Writing %d large saves to %s ...\n", count, dir.c_str());
  testing::WriteFile(paths[0], first);
  first = {};
  std::atomic<int> next{1};
  const auto worker = [&] {
    for (int s = next++; s < count; s = next++)
      testing::WriteFile(paths[static_cast<size_t>(s)],
                         testing::BuildLargeSaveFile(static_cast<uint32_t>(s)));
  };
  {
    std::vector<std::jthread> pool;
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned t = 0; t < threads; ++t) pool.emplace_back(worker);
  }
  std::ofstream(stampPath) << stamp.str();
  return paths;
}

}  // namespace vsl::bench
