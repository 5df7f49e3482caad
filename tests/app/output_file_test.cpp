#include "app/export/output_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include "support/scratch_dir.h"

namespace vsl {
namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const std::string& path, const std::string& text, mode_t mode, uid_t owner = 0) {
  std::ofstream(path) << text;
  EXPECT_EQ(::chmod(path.c_str(), mode) | ::chown(path.c_str(), owner, owner), 0);
}

// Whether writing `bytes` throws `message` (with an empty `message`: succeeds).
bool Writes(const std::string& path, const std::string& bytes, const std::string& message) {
  try {
    WriteOutputFile(path, bytes, {});
    return message.empty();
  } catch (const ExportError& e) {
    return e.what() == message;
  }
}

// Whether `body` returns true in a child process under a file size limit of 8 bytes, set after
// `before` (which may change the user) succeeded.
bool InChild(const std::function<bool()>& before, const std::function<bool()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 8;
    ::_exit(before() && ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && body() ? 0 : 1);
  }
  int status = -1;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(OutputFileTest, NamesAsLongAsTheFileSystemAllowsAndAFailedWriteKeepsTheOldFile) {
  testing::ScratchDir scratch;
  const std::string path = scratch.Path() + "/" + std::string(255, 'n');
  WriteOutputFile(path, "first", {});
  WriteOutputFile(path, "second", {});
  EXPECT_TRUE(InChild(
      [] { return true; },
      [&] { return Writes(path, "over the limit", path + ": cannot write the file: File too large"); }));
  EXPECT_EQ(Read(path), "second");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path()), {}), 1);  // nothing beside
}

// As user 65534: another user's file it may not write, its own read-only file, another user's file it
// may write (rewritten in place, keeping its owner), and a file in a folder it may not write (rewritten
// in place: a write that fails halfway, or finds no room, leaves the old content).
TEST(OutputFileTest, OnlyWhatTheUserMayWriteIsReplacedAndTheOldContentSurvives) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  testing::ScratchDir scratch;
  const std::string open = scratch.Path() + "/open", locked = scratch.Path() + "/locked";
  std::filesystem::create_directories(open);
  std::filesystem::create_directories(locked);
  ASSERT_EQ(::chmod(scratch.Path().c_str(), 0711) | ::chmod(open.c_str(), 0777), 0);
  Put(open + "/theirs", "root's", 0644);
  Put(open + "/mine", "read-only", 0444, 65534);
  Put(open + "/shared", "shared", 0666);
  Put(locked + "/res", "old results", 0644, 65534);
  const auto asNobody = [&] {
    return ::chdir(scratch.Path().c_str()) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
  };
  // In the locked folder, the same size: the write stops at the limit and the old bytes go back; longer:
  // there is no room.
  const std::string tooLarge = "locked/res: cannot write the file: File too large";
  EXPECT_TRUE(InChild(asNobody, [&] {
    return Writes("open/theirs", "x", "open/theirs: cannot write the file: Permission denied") &&
           Writes("open/mine", "x", "open/mine: cannot write the file: Permission denied") &&
           Writes("open/shared", "by 65534", "") && Writes("locked/res", "new results", tooLarge) &&
           Read("locked/res") == "old results" && Writes("locked/res", "new results, longer", tooLarge) &&
           Read("locked/res") == "old results" && Writes("locked/res", "new", "");
  }));
  EXPECT_EQ(Read(open + "/theirs") + Read(open + "/mine") + Read(open + "/shared"),
            "root'sread-onlyby 65534");
  struct stat shared {};
  EXPECT_EQ(::stat((open + "/shared").c_str(), &shared), 0);
  EXPECT_EQ(shared.st_uid, 0u);
  EXPECT_EQ(shared.st_mode & 07777, 0666u);
  EXPECT_EQ(Read(locked + "/res"), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(open), {}), 3);
}

}  // namespace
}  // namespace vsl
