#pragma once
// Errors of the settings and of the score arithmetic; their messages are shown to the user as they stand.

#include <stdexcept>
#include <string>

namespace vsl {

// A setting's text that does not convert ("'x' is not a valid integer value" and the like).
class ConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An invalid floating-point operation ("Invalid floating point operation").
class MathError : public std::runtime_error {
 public:
  MathError() : std::runtime_error("Invalid floating point operation") {}
  // Another floating-point fault, such as "Floating point division by zero".
  explicit MathError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vsl
