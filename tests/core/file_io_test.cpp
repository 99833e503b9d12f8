#include "core/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;

TEST(FileIoTest, ReadTellsMissingFromUnreadable) {
  TempDir dir;
  EXPECT_EQ(ReadWholeFile(dir.path() / "none").status, ReadStatus::kMissing);
  EXPECT_EQ(ReadWholeFile(dir.path()).status, ReadStatus::kUnreadable);
  const std::string binary("\x00\x01\xFF\r\n", 5);
  ASSERT_TRUE(WriteFileAtomically(dir.path() / "b.pro", binary));
  const FileContents contents = ReadWholeFile(dir.path() / "b.pro");
  EXPECT_EQ(contents.status, ReadStatus::kOk);
  EXPECT_EQ(contents.bytes, binary);
}

TEST(FileIoTest, ReplacingOverADirectoryFailsCleanly) {
  TempDir dir;
  fs::create_directory(dir.path() / "target");
  EXPECT_FALSE(WriteFileAtomically(dir.path() / "target", "data"));
  EXPECT_TRUE(fs::is_directory(dir.path() / "target"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
}

TEST(FileIoTest, NewFileGetsDefaultPermissionsLessUmask) {
  TempDir dir;
  const mode_t old_mask = umask(022);
  ASSERT_TRUE(WriteFileAtomically(dir.path() / "new.ini", "x"));
  umask(old_mask);
  EXPECT_EQ(fs::status(dir.path() / "new.ini").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);
  EXPECT_EQ(ReadFile(dir.path() / "new.ini"), "x");
}

}  // namespace
}  // namespace vandrel
