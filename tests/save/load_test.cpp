#include "save/load.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "gamedata/datetime.h"
#include "save/file_info.h"
#include "save/save_error.h"
#include "support/load_helpers.h"
#include "support/scratch_dir.h"
#include "support/save_writer.h"

namespace vsl {
namespace {

using ::testing::ElementsAreArray;
using testing::MakeContainer;
using testing::SaveWriter;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using testing::WriteFile;

// 2024-03-05 14:07:33 UTC, an odd second.
constexpr std::time_t kWriteTime = 1709647653;

// Sets TZ for the life of the object and restores the previous value.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* tz) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    setenv("TZ", tz, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (old_.empty()) {
      unsetenv("TZ");
    } else {
      setenv("TZ", old_.c_str(), 1);
    }
    tzset();
  }

 private:
  std::string old_;
};

class LoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = scratch_.Path();
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  static void SetWriteTime(const std::string& path, std::time_t t) {
    const timespec times[2] = {{t, 0}, {t, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
  void ExpectLoadError(const std::string& path, const std::string& reason) {
    EXPECT_THAT([&] { testing::LoadFile(path); },
                ThrowsMessage<FileError>(StrEq(path + ": " + reason)));
  }

  testing::ScratchDir scratch_;
  std::string dir_;
};

TEST_F(LoadTest, LoadsImageNameAndDateOfAReadOnlyFile) {
  const ScopedTimeZone utc("UTC");
  const std::vector<uint8_t> header = SaveWriter().IntList({302, 0}).Take();
  const std::vector<uint8_t> body = {'b', 'o', 'd', 'y'};
  const std::string path = WriteFile(Path("Game.1.Save"), MakeContainer(header, body, {.trailer = {9, 9}}));
  SetWriteTime(path, kWriteTime);
  // Opened for reading only: a save the referee may not write to loads like any other.
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);

  const LoadedSave save = testing::LoadFile(path);
  EXPECT_EQ(save.FileName, "Game.1");
  EXPECT_EQ(save.FileDate, EncodeDateTime({2024, 3, 5, 14, 7, 32}));
  EXPECT_EQ(save.BodyOffset, 16);
  const std::vector<uint8_t> image = {46, 1,   0,   0,   0,   0,   0,   0,   4,   0, 0,
                                      0,  'B', 'O', 'D', 'Y', 'b', 'o', 'd', 'y', 9, 9};
  EXPECT_THAT(save.Image, ElementsAreArray(image));
}

TEST_F(LoadTest, FilesThatCannotBeReadOrUnwrappedNameTheFileAndTheReason) {
  ExpectLoadError(Path("missing.Save"), "cannot open the file: No such file or directory");
  ExpectLoadError(dir_, "cannot read the file: Is a directory");
  ExpectLoadError(WriteFile(Path("empty.Save"), {}), "no compressed body found");
  ExpectLoadError(WriteFile(Path("short.Save"), std::vector<uint8_t>{0x78, 0x9C, 0}),
                  "no compressed body found");
  // Refused from its size alone, before it is read: the file is sparse and costs no disk.
  const std::string large = WriteFile(Path("large.Save"), {});
  ASSERT_EQ(truncate(large.c_str(), (off_t{64} << 20) + 1), 0);
  ExpectLoadError(large, "the file is too large: 67108865 bytes, a save has at most 67108864");

  std::vector<uint8_t> damaged = MakeContainer(SaveWriter().Ints(2).Take(), std::vector<uint8_t>(100, 'x'));
  damaged.back() ^= 0xFF;  // the stream's checksum
  const std::string path = WriteFile(Path("damaged.Save"), damaged);
  try {
    LoadedSave save;
    ByteBuffer bytes;
    LoadSaveFile(path, 0, save, bytes);
    ADD_FAILURE() << "no error for a damaged stream";
  } catch (const FileError& e) {
    EXPECT_EQ(e.Path(), path);
    EXPECT_EQ(e.Reason(), "the compressed body is damaged (zlib: data error)");
  }
}

TEST_F(LoadTest, UnreadableFileNamesThePermission) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads files whatever their mode";
  const std::string path =
      WriteFile(Path("locked.Save"), MakeContainer(SaveWriter().Ints(2).Take(), std::vector<uint8_t>{1}));
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  ExpectLoadError(path, "cannot open the file: Permission denied");
}

TEST_F(LoadTest, FileDateIsLocalTimeAtTwoSecondResolution) {
  const std::string path = WriteFile(Path("dated.Save"), {});
  SetWriteTime(path, kWriteTime);
  {
    const ScopedTimeZone plusThree("UTC-3");  // POSIX sign: three hours east of UTC
    EXPECT_EQ(FileDate(path), EncodeDateTime({2024, 3, 5, 17, 7, 32}));
  }
  SetWriteTime(path, kWriteTime + 1);  // an even second stays as it is
  const ScopedTimeZone utc("UTC");
  EXPECT_EQ(FileDate(path), EncodeDateTime({2024, 3, 5, 14, 7, 34}));

  const std::string missing = Path("missing.Save");
  EXPECT_THAT(
      [&] { FileDate(missing); },
      ThrowsMessage<FileError>(StrEq(missing + ": cannot read the file date: No such file or directory")));
}

TEST(FileInfoTest, DosDateTimeDropsOddSecondsAndRefusesDatesOutOfRange) {
  std::tm t{};
  t.tm_year = 2024 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 31;
  t.tm_hour = 23;
  t.tm_min = 59;
  for (int second : {58, 59, 60}) {  // 60: a leap second stays within the minute
    t.tm_sec = second;
    EXPECT_EQ(DosDateTimeValue(t), EncodeDateTime({2024, 12, 31, 23, 59, 58})) << second;
  }
  t.tm_sec = 1;
  EXPECT_EQ(DosDateTimeValue(t), EncodeDateTime({2024, 12, 31, 23, 59, 0}));
  t.tm_year = 0 - 1900;
  EXPECT_THAT([&] { DosDateTimeValue(t); }, ThrowsMessage<SaveError>(StrEq("the file date is out of range")));
}

TEST(FileInfoTest, BaseNameRunsFromTheBatchStartToTheLastDot) {
  const std::string first = "/games/saves/Game1.Save";
  const size_t start = BaseNameStart(first);
  EXPECT_EQ(start, 13u);
  EXPECT_EQ(DirectoryOf(first), "/games/saves");
  EXPECT_EQ(BaseName(first, start), "Game1");
  // Every file of the batch is cut at the first file's start.
  EXPECT_EQ(BaseName("/games/saves/Game.1.Save", start), "Game.1");
  EXPECT_EQ(BaseName("/games/saves/Game1", start), "");
  EXPECT_EQ(BaseName("/games/saves/.Save", start), "");
  // A dot in the directory lies before the start and does not count.
  EXPECT_EQ(BaseName("/games/v1.2/Game1", BaseNameStart("/games/v1.2/Game1")), "");
  EXPECT_EQ(BaseName("/x", 5), "");

  EXPECT_EQ(BaseNameStart("Game1.Save"), 0u);
  EXPECT_EQ(DirectoryOf("Game1.Save"), "");
  EXPECT_EQ(BaseName("Game1.Save", 0), "Game1");
#ifdef _WIN32
  EXPECT_EQ(DirectoryOf("C:\\Games\\Saves\\Game1.Save"), "C:\\Games\\Saves");
  EXPECT_EQ(BaseNameStart("C:\\Games\\Saves\\Game1.Save"), 15u);
#else
  // A backslash is an ordinary character of a file name here.
  EXPECT_EQ(BaseNameStart("C:\\Games\\Game1.Save"), 0u);
#endif
}

}  // namespace
}  // namespace vsl
