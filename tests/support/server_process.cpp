#include "support/server_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <array>

#include "support/deadline.h"

extern char** environ;

namespace vandrel::testing {

namespace {

// The first line written to `fd`, or empty when none is written within the deadline.
std::string ReadLine(int fd) {
  std::string line;
  for (;;) {
    pollfd wait{fd, POLLIN, 0};
    if (poll(&wait, 1, static_cast<int>(kWaitDeadline.count())) <= 0) return {};
    char c = 0;
    if (read(fd, &c, 1) != 1) return {};
    if (c == '\n') return line;
    line += c;
  }
}

}  // namespace

ServerProcess::ServerProcess(const std::vector<std::string>& arguments, bool quiet)
    : name_(arguments.at(0)) {
  std::array<int, 2> pipe_fds{};
  if (pipe2(pipe_fds.data(), O_CLOEXEC) != 0) {
    why_not_ = "no pipe to hear " + name_ + " on";
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 3);
  if (quiet) posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  if (posix_spawnp(&pid_, name_.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = 0;
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_fds[1]);
  if (pid_ != 0) line_ = ReadLine(pipe_fds[0]);
  close(pipe_fds[0]);
  if (pid_ == 0) why_not_ = name_ + " cannot be started (not installed?)";
  if (pid_ != 0 && line_.empty()) why_not_ = name_ + " started but said nothing on descriptor 3";
}

void ServerProcess::Kill() {
  if (pid_ == 0) return;
  kill(pid_, SIGTERM);
  EXPECT_TRUE(AwaitChild(pid_, kWaitDeadline)) << name_ << " ending";
  pid_ = 0;
}

}  // namespace vandrel::testing
