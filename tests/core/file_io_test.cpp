#include "core/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::size_t EntryCount(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(FileIoTest, ReadTakesOnlyRegularFilesUpToTheirLimitAndNeverBlocks) {
  // Were the FIFO opened blocking, nothing could end the wait: the alarm ends the program.
  constexpr unsigned kDeadlineSeconds = 60;
  alarm(kDeadlineSeconds);
  TempDir dir;
  const std::string binary("\x00\x01\xFF\r\n", 5);
  WriteFile(dir.path() / "b.pro", binary);
  ASSERT_EQ(mkfifo((dir.path() / "fifo").c_str(), 0600), 0);  // no writer: open would block
  fs::create_symlink(dir.path() / "fifo", dir.path() / "link-to-fifo");
  fs::create_symlink("/dev/zero", dir.path() / "endless");
  fs::create_symlink(dir.path() / "b.pro", dir.path() / "link-to-file");
  struct Case {
    const char* name;
    std::size_t limit;
    ReadStatus status;
    std::string bytes;
  };
  const Case cases[] = {
      {"b.pro", 5, ReadStatus::kOk, binary},
      {"link-to-file", kMaxReadableFileSize, ReadStatus::kOk, binary},
      {"b.pro", 4, ReadStatus::kTooLarge, ""},
      {"none", 5, ReadStatus::kMissing, ""},
      {"none/deeper", 5, ReadStatus::kMissing, ""},
      {"", 5, ReadStatus::kUnreadable, ""},  // the folder itself
      {"fifo", 5, ReadStatus::kUnreadable, ""},
      {"link-to-fifo", 5, ReadStatus::kUnreadable, ""},
      {"endless", kMaxReadableFileSize, ReadStatus::kUnreadable, ""},
  };
  for (const Case& c : cases) {
    const FileContents contents = ReadWholeFile(dir.path() / c.name, c.limit);
    EXPECT_EQ(contents.status, c.status) << c.name << " limit " << c.limit;
    EXPECT_EQ(contents.bytes, c.bytes) << c.name;
  }
  alarm(0);
}

TEST(FileIoTest, OnlyRegularFilesWeMayWriteAreReplaced) {
  TempDir dir;
  const fs::path& d = dir.path();
  ASSERT_EQ(mkfifo((d / "fifo").c_str(), 0600), 0);
  fs::create_symlink(d / "fifo", d / "link-to-fifo");
  fs::create_directory(d / "folder");
  fs::create_symlink(d / "folder", d / "link-to-folder");
  WriteFile(d / "read-only.ini", "old");
  fs::permissions(d / "read-only.ini", fs::perms::owner_read | fs::perms::group_read);
  fs::create_symlink("loop-b", d / "loop-a");
  fs::create_symlink("loop-a", d / "loop-b");
  for (const char* name : {"fifo", "link-to-fifo", "folder", "link-to-folder", "folder/",
                           "read-only.ini", "loop-a", "missing-folder/x.ini"}) {
    EXPECT_FALSE(WriteFileAtomically(d / name, "new")) << name;
  }
  EXPECT_EQ(fs::status(d / "fifo").type(), fs::file_type::fifo);
  EXPECT_TRUE(fs::is_directory(d / "folder"));
  EXPECT_EQ(ReadFile(d / "read-only.ini"), "old");
  EXPECT_EQ(fs::status(d / "read-only.ini").permissions(),
            fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(EntryCount(d), 7U);  // nothing was added, no temporary file stayed
  EXPECT_TRUE(fs::is_empty(d / "folder"));
}

// The kernel's protected-symlinks rule: in a sticky world-writable folder, a link planted by
// another user is not followed; one of our own is. Planting a link as another user needs root.
TEST(FileIoTest, ALinkPlantedByAnotherUserInASharedFolderIsNotFollowed) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to own a link as another user";
  TempDir dir;
  const fs::path shared = dir.path() / "shared";
  fs::create_directory(shared);
  fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
  const fs::path victim = dir.path() / "root-only";
  WriteFile(victim, "secret");
  fs::permissions(victim, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(victim, shared / "planted.ini");
  constexpr uid_t kNobody = 65534;
  ASSERT_EQ(lchown((shared / "planted.ini").c_str(), kNobody, kNobody), 0);
  fs::create_symlink(victim, shared / "ours.ini");

  EXPECT_FALSE(WriteFileAtomically(shared / "planted.ini", "owned"));
  EXPECT_EQ(ReadFile(victim), "secret");
  EXPECT_TRUE(WriteFileAtomically(shared / "ours.ini", "changed"));
  EXPECT_EQ(ReadFile(victim), "changed");
  EXPECT_TRUE(fs::is_symlink(shared / "ours.ini"));
}

TEST(FileIoTest, ReplacingKeepsOwnerGroupAndModeAndNewFilesFollowTheUmask) {
  TempDir dir;
  const fs::path old_file = dir.path() / "kept.ini";
  WriteFile(old_file, "old");
  ASSERT_EQ(chmod(old_file.c_str(), 0640), 0);
  const bool root = geteuid() == 0;
  constexpr uid_t kOther = 4321;
  if (root) {
    ASSERT_EQ(chown(old_file.c_str(), kOther, kOther), 0);
  }
  struct stat before {};
  ASSERT_EQ(stat(old_file.c_str(), &before), 0);

  ASSERT_TRUE(WriteFileAtomically(old_file, "new"));
  struct stat after {};
  ASSERT_EQ(stat(old_file.c_str(), &after), 0);
  EXPECT_EQ(ReadFile(old_file), "new");
  EXPECT_NE(after.st_ino, before.st_ino);  // really replaced, not written in place
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);

  const mode_t old_mask = umask(027);
  ASSERT_TRUE(WriteFileAtomically(dir.path() / "new.ini", "x"));
  umask(old_mask);
  EXPECT_EQ(fs::status(dir.path() / "new.ini").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(FileIoTest, NamesUpToTheLongestTheFolderTakesCanBeSaved) {
  TempDir dir;
  for (std::size_t length : {246U, 250U, 255U}) {
    const fs::path path = dir.path() / std::string(length, 'n');
    EXPECT_TRUE(WriteFileAtomically(path, "first")) << length;
    EXPECT_TRUE(WriteFileAtomically(path, "second")) << length;
    EXPECT_EQ(ReadFile(path), "second") << length;
  }
  EXPECT_EQ(EntryCount(dir.path()), 3U);
}

}  // namespace
}  // namespace vandrel
