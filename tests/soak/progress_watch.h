// ProgressWatch: ends the soak when its user-interface thread stops coming back. A thread that
// waits for ever on the window, a device or a lock is a finding, not something to wait out; the
// bound is well past the worker threads' own stop bound.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "core/clock.h"
#include "core/event.h"

namespace vandrel::soak {

class ProgressWatch {
 public:
  // Calls `on_stall` (on the watch's own thread; it is expected to end the program) once `bound`
  // passes without a Beat. `clock` must outlive the watch.
  ProgressWatch(Clock& clock, Clock::Duration bound, std::function<void()> on_stall);
  ~ProgressWatch();
  ProgressWatch(const ProgressWatch&) = delete;
  ProgressWatch& operator=(const ProgressWatch&) = delete;

  // The user-interface thread is back. Any thread.
  void Beat() { last_beat_.store(clock_.Now().count()); }

 private:
  void Run();

  Clock& clock_;
  const Clock::Duration bound_;
  const std::function<void()> on_stall_;
  std::atomic<Clock::Duration::rep> last_beat_;
  Event stop_;
  std::thread thread_;  // started last
};

}  // namespace vandrel::soak
