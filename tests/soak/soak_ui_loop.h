// SoakUiLoop: the user-interface thread of the soak program, on a real clock and without a
// toolkit. Messages posted or sent from any thread are handled in the order they came, repeating
// timers fire on the clock, the window's notifications raised on other threads are delivered, and
// its change events are taken and dropped, as no view draws them. The thread that constructs the
// loop is its user-interface thread; Post, Send, StopSending, SetTimer and KillTimer may be called
// from any thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/ui_thread.h"
#include "ui/window_model.h"

namespace vandrel::soak {

// The longest the user-interface thread spent on one thing, and what that was.
struct Busy {
  Clock::Duration time{0};
  std::string what;

  // Keeps `time` when it is longer; `describe` names what took it.
  template <typename Describe>
  void Note(Clock::Duration taken, Describe describe) {
    if (taken <= time) return;
    time = taken;
    what = describe();
  }
};

class SoakUiLoop final : public UiThread {
 public:
  // `clock` and `window` must outlive the loop.
  SoakUiLoop(Clock& clock, WindowModel& window);
  // Senders still waiting give up, their messages unhandled.
  ~SoakUiLoop() override;
  SoakUiLoop(const SoakUiLoop&) = delete;
  SoakUiLoop& operator=(const SoakUiLoop&) = delete;

  void SetTarget(MessageTarget* target) override;
  void Post(int message, std::intptr_t wparam, std::intptr_t lparam) override;
  bool Send(int message, std::intptr_t wparam, std::intptr_t lparam) override;
  void StopSending() override;
  void SetTimer(int timer_id, Clock::Duration period) override;
  void KillTimer(int timer_id) override;

  // Handles messages, timers and the window's notifications as they come until the clock reaches
  // `end`; what is due at `end` is handled before it returns. User-interface thread.
  void RunUntil(Clock::Duration end);
  // The longest handling of one message or timer, or one delivery of notifications, so far.
  // User-interface thread.
  [[nodiscard]] const Busy& longest_busy() const { return longest_busy_; }

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

  void Wake();
  [[nodiscard]] std::optional<Queued> PopMessage();
  void MarkHandled(const Queued& queued);
  // The timer due first at `now` or earlier, rescheduled one period from `now`.
  [[nodiscard]] std::optional<int> TakeDueTimer(Clock::Duration now);
  // Sleeps until `until`, a message or a wake, whichever comes first.
  void WaitForWork(Clock::Duration until);

  Clock& clock_;
  WindowModel& window_;
  const std::thread::id ui_thread_;
  MessageTarget* target_ = nullptr;  // user-interface thread only
  Busy longest_busy_;                // user-interface thread only
  std::mutex mutex_;                 // guards everything below
  std::condition_variable changed_;
  std::deque<Queued> queue_;
  std::map<int, Timer> timers_;
  bool woken_ = false;  // the window or the timers changed since the loop last looked
  bool sending_stopped_ = false;
};

}  // namespace vandrel::soak
