// Deadlines for the waits of tests: a broken device, channel or thread makes a test fail within
// seconds, saying what it waited for, instead of hanging until CTest's time-out. The deadlines are
// generous for a loaded machine; nothing here measures how long anything took.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace vandrel::testing {

// How long a test waits for what should take milliseconds.
inline constexpr std::chrono::milliseconds kWaitDeadline = std::chrono::seconds(10);

// Polls `done` until it holds or `deadline` passes; true when it holds. Use it as
// ASSERT_TRUE(PollUntil(…)) << "what was awaited".
[[nodiscard]] inline bool PollUntil(const std::function<bool()>& done,
                                    std::chrono::milliseconds deadline = kWaitDeadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Guards a wait that takes no time-out of its own (a join, a future, a blocking call of the code
// under test): unless the guard is gone within `deadline`, the test program says what it waited
// for and ends failed. It cannot go on instead, as the thread still waiting uses the test's
// objects.
class Watchdog {
 public:
  explicit Watchdog(std::string what, std::chrono::milliseconds deadline = kWaitDeadline)
      : watcher_([this, what = std::move(what), deadline] { Watch(what, deadline); }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      disarmed_ = true;
    }
    changed_.notify_all();
    watcher_.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  void Watch(const std::string& what, std::chrono::milliseconds deadline) {
    std::unique_lock lock(mutex_);
    if (changed_.wait_for(lock, deadline, [this] { return disarmed_; })) return;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "FAILED %s.%s: %s did not happen within %lld ms\n",
                 test != nullptr ? test->test_suite_name() : "?",
                 test != nullptr ? test->name() : "?", what.c_str(),
                 static_cast<long long>(deadline.count()));
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
  }

  std::mutex mutex_;  // guards disarmed_
  std::condition_variable changed_;
  bool disarmed_ = false;
  std::thread watcher_;  // last: it starts once the members it uses exist
};

// Joins `thread` under a Watchdog: `what` names what ends it ("the streamer stopping").
inline void JoinWithin(std::thread& thread, std::string what,
                       std::chrono::milliseconds deadline = kWaitDeadline) {
  const Watchdog watchdog(std::move(what), deadline);
  thread.join();
}

// The wait status of the child process `child` once it has ended; nullopt when it runs past
// `deadline`, in which case it is killed and reaped.
[[nodiscard]] inline std::optional<int> AwaitChild(pid_t child,
                                                   std::chrono::milliseconds deadline) {
  int status = 0;
  if (PollUntil([&] { return ::waitpid(child, &status, WNOHANG) == child; }, deadline)) {
    return status;
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  return std::nullopt;
}

}  // namespace vandrel::testing
