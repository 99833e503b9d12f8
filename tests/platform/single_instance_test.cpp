// The single-instance lock: the first copy holds it, a later one finds it taken until the first
// ends (even by a crash), and the activation reaches the first copy's socket.
#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <string>
#include <thread>

#include "core/manual_clock.h"
#include "support/deadline.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Role = SingleInstance::Role;

class SingleInstanceTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
};

// Another user who could enter the runtime folder could hold the lock there and keep the program
// from ever starting: only a real folder of ours that nobody else may enter is used.
TEST_F(SingleInstanceTest, TheRuntimeFolderIsUsedOnlyWhenItIsPrivate) {
  const fs::path fallback = dir_.path() / "tmp" / ("vandrel-" + std::to_string(::geteuid()));
  fs::create_directory(dir_.path() / "tmp");
  fs::create_directory(dir_.path() / "private");
  fs::create_directory_symlink(dir_.path() / "private", dir_.path() / "link");
  const struct {
    std::string name;
    mode_t mode;
    bool used;
  } cases[] = {
      {"private", 0700, true},   {"readable", 0755, false}, {"enterable", 0701, false},
      {"writable", 0770, false}, {"link", 0700, false},     {"missing", 0700, false},
  };
  for (const auto& test : cases) {
    const fs::path runtime = dir_.path() / test.name;
    if (test.name != "missing" && test.name != "link") fs::create_directory(runtime);
    ::chmod(runtime.c_str(), test.mode);
    EXPECT_EQ(InstanceFolder(runtime.string(), dir_.path() / "tmp"), test.used ? runtime : fallback)
        << test.name;
  }
}

TEST_F(SingleInstanceTest, ARuntimeFolderOfAnotherUserIsNotUsed) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
  const fs::path runtime = dir_.path() / "run";
  fs::create_directory(runtime);
  ::chmod(runtime.c_str(), 0700);
  ASSERT_EQ(::chown(runtime.c_str(), 4321, 4321), 0);
  EXPECT_EQ(InstanceFolder(runtime.string(), dir_.path()), dir_.path() / "vandrel-0");
}

TEST_F(SingleInstanceTest, WithoutARuntimeFolderAPrivateFolderIsMade) {
  for (const std::string_view runtime : {"", "relative/run"}) {
    const std::optional<fs::path> folder = InstanceFolder(runtime, dir_.path());
    ASSERT_TRUE(folder.has_value()) << runtime;
    EXPECT_EQ(*folder, dir_.path() / ("vandrel-" + std::to_string(::geteuid())));
    struct stat info {};
    ASSERT_EQ(::stat(folder->c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700U);
  }
}

TEST_F(SingleInstanceTest, AFallbackFolderOthersCanEnterOrALinkIsNotUsed) {
  const fs::path folder = dir_.path() / ("vandrel-" + std::to_string(::geteuid()));
  fs::create_directory(folder);
  ::chmod(folder.c_str(), 0755);
  EXPECT_FALSE(InstanceFolder("", dir_.path()).has_value());
  fs::remove(folder);
  fs::create_directory(dir_.path() / "elsewhere");
  ::chmod((dir_.path() / "elsewhere").c_str(), 0700);
  fs::create_directory_symlink(dir_.path() / "elsewhere", folder);
  EXPECT_FALSE(InstanceFolder("", dir_.path()).has_value());
}

TEST_F(SingleInstanceTest, AFallbackFolderOfAnotherUserIsNotUsed) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
  const fs::path folder = dir_.path() / "vandrel-0";
  fs::create_directory(folder);
  ::chmod(folder.c_str(), 0700);
  ASSERT_EQ(::chown(folder.c_str(), 4321, 4321), 0);
  EXPECT_FALSE(InstanceFolder("", dir_.path()).has_value());
}

TEST_F(SingleInstanceTest, TheSecondCopyFindsTheLockTakenUntilTheFirstEnds) {
  std::optional<SingleInstance> first = SingleInstance::Acquire(dir_.path());
  EXPECT_EQ(first->role(), Role::kFirst);
  EXPECT_EQ(first->socket_path(), dir_.path() / "LUMTRAKDRVER1_QD418.socket");
  const SingleInstance second = SingleInstance::Acquire(dir_.path());
  EXPECT_EQ(second.role(), Role::kSecond);
  EXPECT_EQ(second.socket_path(), first->socket_path());
  first.reset();
  EXPECT_EQ(SingleInstance::Acquire(dir_.path()).role(), Role::kFirst);
}

TEST_F(SingleInstanceTest, TheLockOfAKilledCopyDoesNotKeepTheNextFromStarting) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const SingleInstance held = SingleInstance::Acquire(dir_.path());
    ::raise(held.role() == Role::kFirst ? SIGKILL : SIGTERM);
  }
  const std::optional<int> status = testing::AwaitChild(child, testing::kWaitDeadline);
  ASSERT_TRUE(status.has_value()) << "the child hung; it was killed";
  ASSERT_TRUE(WIFSIGNALED(*status));
  ASSERT_EQ(WTERMSIG(*status), SIGKILL) << "the child did not get the lock";
  EXPECT_TRUE(fs::exists(dir_.path() / "LUMTRAKDRVER1_QD418.lock"));
  EXPECT_EQ(SingleInstance::Acquire(dir_.path()).role(), Role::kFirst);
}

// An unchecked copy must be able to say why, so that two copies never run side by side unnoticed.
TEST_F(SingleInstanceTest, WithoutAUsableFolderOrLockFileTheCopyRunsUncheckedAndSaysWhy) {
  const fs::path blocked = dir_.path() / "blocked";
  fs::create_directories(blocked / "LUMTRAKDRVER1_QD418.lock");
  const struct {
    std::optional<fs::path> folder;
    std::string problem;
  } cases[] = {
      {std::nullopt, "no private folder for the lock"},
      {dir_.path() / "missing", (dir_.path() / "missing" / "LUMTRAKDRVER1_QD418.lock").string()},
      {blocked, (blocked / "LUMTRAKDRVER1_QD418.lock").string()},
  };
  for (const auto& test : cases) {
    const SingleInstance instance = SingleInstance::Acquire(test.folder);
    EXPECT_EQ(instance.role(), Role::kUnchecked) << test.problem;
    EXPECT_TRUE(instance.socket_path().empty()) << test.problem;
    EXPECT_NE(instance.problem().find(test.problem), std::string::npos) << instance.problem();
  }
  EXPECT_TRUE(SingleInstance::Acquire(dir_.path()).problem().empty());
}

int Listen(const fs::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
      ::listen(fd, 1) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

TEST_F(SingleInstanceTest, TheActivationReachesTheFirstCopysSocket) {
  const fs::path socket = dir_.path() / "s";
  const int listener = Listen(socket);
  ASSERT_GE(listener, 0);
  ManualClock clock(ManualClock::Mode::kAutoAdvance);
  ASSERT_TRUE(SendToFirstInstance(socket, "ORVEX_QD418", 3, 200ms, clock));
  const int connection = ::accept(listener, nullptr, nullptr);
  ASSERT_GE(connection, 0);
  std::string received(64, '\0');
  const ssize_t size = ::recv(connection, received.data(), received.size(), MSG_WAITALL);
  received.resize(static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
  EXPECT_EQ(received, "ORVEX_QD418");
  EXPECT_TRUE(clock.Requests().empty()) << "delivered at the first try";
  ::close(connection);
  ::close(listener);
}

TEST_F(SingleInstanceTest, NobodyListeningTheSecondCopyTriesABoundedNumberOfTimes) {
  ManualClock clock(ManualClock::Mode::kAutoAdvance);
  EXPECT_FALSE(SendToFirstInstance(dir_.path() / "nobody", "ORVEX_QD418", 4, 250ms, clock));
  EXPECT_EQ(clock.Requests().size(), 3U);
  EXPECT_EQ(clock.Now(), 750ms);
}

}  // namespace
}  // namespace vandrel
