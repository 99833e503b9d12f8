#include "support/dbus_test_daemon.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <array>
#include <vector>

#include "support/deadline.h"

extern char** environ;

namespace vandrel::testing {

namespace {

// A session bus that anyone on it may use as they like, listening only in `folder`.
std::string BusConfiguration(const std::filesystem::path& folder) {
  return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
         " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
         "<busconfig>\n"
         "  <type>session</type>\n"
         "  <listen>unix:dir=" +
         folder.string() +
         "</listen>\n"
         "  <auth>EXTERNAL</auth>\n"
         "  <policy context=\"default\">\n"
         "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
         "    <allow eavesdrop=\"true\"/>\n"
         "    <allow own=\"*\"/>\n"
         "  </policy>\n"
         "</busconfig>\n";
}

// The address the daemon writes to `fd` once it listens, within the deadline.
std::string ReadAddress(int fd) {
  std::string address;
  for (;;) {
    pollfd wait{fd, POLLIN, 0};
    if (poll(&wait, 1, static_cast<int>(kWaitDeadline.count())) <= 0) return {};
    char c = 0;
    if (read(fd, &c, 1) != 1) return {};
    if (c == '\n') return address;
    address += c;
  }
}

}  // namespace

DbusTestDaemon::DbusTestDaemon() {
  const std::filesystem::path config = folder_.path() / "bus.conf";
  WriteFile(config, BusConfiguration(folder_.path()));
  std::array<int, 2> pipe_fds{};
  if (pipe2(pipe_fds.data(), O_CLOEXEC) != 0) {
    why_not_ = "no pipe for the bus address";
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 3);
  // It complains of limits it may not raise when run unprivileged; nothing a test needs.
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const std::string config_option = "--config-file=" + config.string();
  const std::array<const char*, 5> arguments = {"dbus-daemon", config_option.c_str(),
                                                "--print-address=3", "--nofork", nullptr};
  std::vector<char*> argv;
  for (const char* argument : arguments) argv.push_back(const_cast<char*>(argument));
  if (posix_spawnp(&pid_, "dbus-daemon", &actions, nullptr, argv.data(), environ) != 0) pid_ = 0;
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_fds[1]);
  if (pid_ != 0) address_ = ReadAddress(pipe_fds[0]);
  close(pipe_fds[0]);
  if (pid_ == 0) why_not_ = "dbus-daemon cannot be started (not installed?)";
  if (pid_ != 0 && address_.empty()) why_not_ = "dbus-daemon started but gave no address";
}

DbusTestDaemon::~DbusTestDaemon() {
  if (pid_ == 0) return;
  kill(pid_, SIGTERM);
  EXPECT_TRUE(AwaitChild(pid_, kWaitDeadline)) << "dbus-daemon ending";
}

}  // namespace vandrel::testing
