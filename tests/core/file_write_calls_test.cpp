#include "core/file_write_calls.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// The real calls, each written down by name; the one named `failing` fails as a full disk or an
// I/O error would, and `on_flush` runs before the flush (a test crashes there).
class RecordingCalls final : public FileWriteCalls {
 public:
  std::vector<std::string> calls;
  std::string failing;
  std::function<void()> on_flush;

  ssize_t Write(int fd, const void* data, std::size_t size) override {
    // A short write each time, as a pipe or a nearly full disk gives.
    return Record("write") ? SystemFileWriteCalls().Write(fd, data, std::min<std::size_t>(size, 3))
                           : Fail(ENOSPC);
  }
  int Flush(int fd) override {
    if (on_flush) on_flush();
    return Record("flush") ? SystemFileWriteCalls().Flush(fd) : Fail(EIO);
  }
  int Rename(int folder_fd, const char* from, const char* to) override {
    return Record("rename") ? SystemFileWriteCalls().Rename(folder_fd, from, to) : Fail(EXDEV);
  }
  int FlushFolder(int folder_fd) override {
    return Record("flush folder") ? SystemFileWriteCalls().FlushFolder(folder_fd) : Fail(EIO);
  }

 private:
  bool Record(const std::string& call) {
    if (calls.empty() || calls.back() != call) calls.push_back(call);
    return call != failing;
  }
  static int Fail(int error) {
    errno = error;
    return -1;
  }
};

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileWriteCallsTest, DataReachesTheDiskBeforeTheRenameAndTheRenameAfterIt) {
  TempDir dir;
  RecordingCalls calls;
  ASSERT_TRUE(WriteFileAtomically(dir.path() / "a.ini", "new contents", calls));
  EXPECT_EQ(calls.calls, (std::vector<std::string>{"write", "flush", "rename", "flush folder"}));
  EXPECT_EQ(ReadFile(dir.path() / "a.ini"), "new contents");
}

TEST(FileWriteCallsTest, AFailingStepLeavesTheOldFileAndNoTemporary) {
  struct Case {
    std::string failing;
    bool written;
  };
  for (const Case& c : {Case{"write", false}, Case{"flush", false}, Case{"rename", false},
                        Case{"flush folder", true}}) {
    TempDir dir;
    WriteFile(dir.path() / "a.ini", "old");
    RecordingCalls calls;
    calls.failing = c.failing;
    EXPECT_EQ(WriteFileAtomically(dir.path() / "a.ini", "new", calls), c.written) << c.failing;
    EXPECT_EQ(ReadFile(dir.path() / "a.ini"), c.written ? "new" : "old") << c.failing;
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"a.ini"}) << c.failing;
    EXPECT_EQ(calls.calls.back(), c.failing);  // nothing was tried after the failure
  }
}

// A writer killed before its rename leaves its temporary file; the next write in the folder
// removes it, but not the temporary file of a writer still at work.
TEST(FileWriteCallsTest, TheNextWriteRemovesTheTemporaryFileOfACrashedWriter) {
  TempDir dir;
  WriteFile(dir.path() / "a.ini", "old");
  const pid_t writer = fork();
  if (writer == 0) {
    RecordingCalls crashing;
    crashing.on_flush = [] { _exit(0); };
    (void)WriteFileAtomically(dir.path() / "a.ini", "lost", crashing);
    _exit(1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(writer, &status, 0), writer);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_EQ(Entries(dir.path()).size(), 2U) << "the crash left its temporary file";

  const std::string live_name = ".vandrel-1-1.tmp";
  const int live = open((dir.path() / live_name).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_GE(live, 0);
  ASSERT_EQ(flock(live, LOCK_EX), 0);
  EXPECT_TRUE(WriteFileAtomically(dir.path() / "a.ini", "new"));
  close(live);
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{live_name, "a.ini"}));
  EXPECT_EQ(ReadFile(dir.path() / "a.ini"), "new");
}

}  // namespace
}  // namespace vandrel
