// vsl-large-saves DIR [COUNT]: writes COUNT (default 100) large late-game saves into DIR and prints
// their paths, one a line.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "large_files.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "Usage: vsl-large-saves DIR [COUNT]\n");
    return 2;
  }
  const int count = argc == 3 ? std::atoi(argv[2]) : 100;
  if (count < 1 || count > 1000) {
    std::fprintf(stderr, "vsl-large-saves: COUNT must be 1 to 1000\n");
    return 2;
  }
  for (const std::string& path : vsl::bench::EnsureLargeSaves(argv[1], count))
    std::printf("%s\n", path.c_str());
  return 0;
}
