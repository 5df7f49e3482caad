// vsl-report: the headless results report.

#include <iostream>
#include <string>
#include <vector>

#include "cli/report.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vsl::RunReport(args, std::cout, std::cerr);
}
