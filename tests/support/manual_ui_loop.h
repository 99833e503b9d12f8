// ManualUiLoop: the user-interface thread of a test. Messages posted from any thread wait in a
// queue until the test runs them; timers are due on a ManualClock and fire only when the test
// moves time with RunFor, one at a time in order of their due time. Sends from other threads
// wait until the test runs them or sending is stopped; one still waiting after the deadline of
// support/deadline.h ends the test program failed. The thread that constructs the loop is its
// user-interface thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "app/ui_thread.h"
#include "core/manual_clock.h"

namespace vandrel::testing {

class ManualUiLoop final : public UiThread {
 public:
  explicit ManualUiLoop(ManualClock& clock);

  void SetTarget(MessageTarget* target) override;
  void Post(int message, std::intptr_t wparam, std::intptr_t lparam) override;
  bool Send(int message, std::intptr_t wparam, std::intptr_t lparam) override;
  void StopSending() override;
  void SetTimer(int timer_id, Clock::Duration period) override;
  void KillTimer(int timer_id) override;

  // Runs the queued messages, including those queued while running, until none is left.
  void RunPending();
  // Moves the clock `duration` forward, firing every timer that comes due on the way (each at its
  // due time) and running the queued messages after each.
  void RunFor(Clock::Duration duration);
  // Blocks until a message is queued or `real_timeout` passes; true when one is.
  bool AwaitMessage(std::chrono::milliseconds real_timeout);

  // The period of a running timer; nullopt when it is not running.
  [[nodiscard]] std::optional<Clock::Duration> TimerPeriod(int timer_id) const;

 private:
  struct Queued {
    int message;
    std::intptr_t wparam;
    std::intptr_t lparam;
    std::shared_ptr<bool> handled;  // for a Send: set once handled, guarded by mutex_
  };
  struct Timer {
    Clock::Duration period;
    Clock::Duration due;
  };

  [[nodiscard]] std::optional<Queued> PopMessage();

  ManualClock& clock_;
  const std::thread::id ui_thread_;
  MessageTarget* target_ = nullptr;
  mutable std::mutex mutex_;  // guards everything below
  std::condition_variable changed_;
  std::deque<Queued> queue_;
  std::map<int, Timer> timers_;
  bool sending_stopped_ = false;
};

}  // namespace vandrel::testing
