#include "app/export/output_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "support/scratch_dir.h"

namespace vsl {
namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const std::string& path, const std::string& text, mode_t mode, uid_t owner = 0) {
  std::ofstream(path) << text;
  ASSERT_EQ(::chmod(path.c_str(), mode), 0);
  if (owner != 0) {
    ASSERT_EQ(::chown(path.c_str(), owner, owner), 0);
  }
}

// Runs `body` in a child process (file size limits and user changes stay there): its exit status, 0
// when every write behaved as expected, else the number of the write that did not.
int InChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = -1;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

// 0 when writing `bytes` to `path` throws `message` (or, with an empty `message`, succeeds).
bool Writes(const std::string& path, const std::string& bytes, const std::string& message) {
  try {
    WriteOutputFile(path, bytes, {});
    return message.empty();
  } catch (const ExportError& e) {
    return e.what() == message;
  }
}

// A file size limit below the new content: the writer fails before the old content is touched.
int UnderSizeLimit(const std::function<int()>& writes) {
  std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit {};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = 8;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  return writes();
}

TEST(OutputFileTest, NamesAsLongAsTheFileSystemAllowsAndAFailedWriteKeepsTheOldFile) {
  testing::ScratchDir scratch;
  const std::string path = scratch.Path() + "/" + std::string(255, 'n');
  WriteOutputFile(path, "first", {});
  WriteOutputFile(path, "second", {});
  EXPECT_EQ(Read(path), "second");
  EXPECT_EQ(InChild([&] {
              return UnderSizeLimit([&] {
                return Writes(path, "longer than the limit", path + ": cannot write the file: File too large")
                           ? 0
                           : 1;
              });
            }),
            0);
  EXPECT_EQ(Read(path), "second");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path()), {}), 1);  // no file beside
}

// Another user's file that user 65534 may not write, its own read-only file, another user's file it may
// write (rewritten in place, keeping its owner), and a file in a folder it may not write (in place,
// after its room is reserved: under a size limit, the old content stays).
TEST(OutputFileTest, OnlyWhatTheUserMayWriteIsReplacedAndTheOldContentSurvives) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  testing::ScratchDir scratch;
  ASSERT_EQ(::chmod(scratch.Path().c_str(), 0711), 0);
  const std::string open = scratch.Path() + "/open", locked = scratch.Path() + "/locked";
  std::filesystem::create_directories(open);
  std::filesystem::create_directories(locked);
  ASSERT_EQ(::chmod(open.c_str(), 0777), 0);
  Put(open + "/theirs", "root's", 0644);
  Put(open + "/mine", "read-only", 0444, 65534);
  Put(open + "/shared", "shared", 0666);
  Put(locked + "/res", "old results", 0644, 65534);
  const int failed = InChild([&] {
    if (::chdir(scratch.Path().c_str()) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) return 99;
    if (!Writes("open/theirs", "x", "open/theirs: cannot write the file: Permission denied")) return 1;
    if (!Writes("open/mine", "x", "open/mine: cannot write the file: Permission denied")) return 2;
    if (!Writes("open/shared", "written by 65534", "")) return 3;
    return UnderSizeLimit([] {
      if (!Writes("locked/res", "new results, longer", "locked/res: cannot write the file: File too large"))
        return 4;
      if (!Writes("locked/res", "new", "")) return 5;
      return 0;
    });
  });
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(Read(open + "/theirs"), "root's");
  EXPECT_EQ(Read(open + "/mine"), "read-only");
  EXPECT_EQ(Read(open + "/shared"), "written by 65534");
  EXPECT_EQ(std::filesystem::status(open + "/shared").permissions(), std::filesystem::perms(0666));
  struct stat shared {};
  ASSERT_EQ(::stat((open + "/shared").c_str(), &shared), 0);
  EXPECT_EQ(shared.st_uid, 0u);
  EXPECT_EQ(Read(locked + "/res"), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(open), {}), 3);
}

}  // namespace
}  // namespace vsl
