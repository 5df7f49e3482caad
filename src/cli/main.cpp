// vsl-report: the headless results report.

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/report.h"

int main(int argc, char** argv) {
  // Under a file size limit a write fails with "File too large", reported with the old file kept,
  // instead of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vsl::RunReport(args, std::cout, std::cerr);
}
