#pragma once
// vsl-report: loads saves as one batch through the window model and writes what "Save Results" would.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "app/locale_services.h"

namespace vsl {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a file did not load or a setting did not convert
inline constexpr int kExitUsage = 2;

// Runs the report with the command-line arguments `args` (without the program name). The results go to
// `out` unless --output names a file; messages go to `err`. `locale` defaults to the process's locale.
int RunReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              std::shared_ptr<const LocaleServices> locale = nullptr);

}  // namespace vsl
