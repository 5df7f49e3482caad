#pragma once
// A fresh folder of its own under the test's temporary folder, removed with everything in it (also
// after a test made it read-only) when the fixture goes.

#include <string>

namespace vsl::testing {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace vsl::testing
