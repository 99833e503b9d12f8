#include "platform/tool_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

namespace vandrel {
namespace {

constexpr std::chrono::milliseconds kPollPeriod{5};

// Owns the spawn attributes' file actions for the length of one start.
class NullStreams {
 public:
  NullStreams() {
    posix_spawn_file_actions_init(&actions_);
    for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
      posix_spawn_file_actions_addopen(&actions_, stream, "/dev/null",
                                       stream == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
    }
  }
  ~NullStreams() { posix_spawn_file_actions_destroy(&actions_); }
  NullStreams(const NullStreams&) = delete;
  NullStreams& operator=(const NullStreams&) = delete;

  [[nodiscard]] const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
};

[[nodiscard]] ToolOutcome OutcomeOf(int status) {
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ToolOutcome::kSucceeded
                                                       : ToolOutcome::kFailed;
}

}  // namespace

ToolOutcome RunTool(const std::vector<std::string>& arguments, std::chrono::milliseconds timeout) {
  if (arguments.empty()) return ToolOutcome::kMissing;
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const NullStreams streams;
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], streams.get(), nullptr, argv.data(), environ) != 0) {
    return ToolOutcome::kMissing;
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) return OutcomeOf(status);
    if (done < 0) return ToolOutcome::kFailed;
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(kPollPeriod);
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return ToolOutcome::kTimedOut;
}

}  // namespace vandrel
