// Clock: the one way the system reads time, sleeps and waits on events, so that thread bodies and
// timers can be run on a manual clock in tests. SteadyClock is the real one.
#pragma once

#include <chrono>

#include "core/event.h"

namespace vandrel {

class Clock {
 public:
  using Duration = std::chrono::microseconds;

  virtual ~Clock() = default;

  // Time since the clock's own origin; never goes backwards. Any thread.
  [[nodiscard]] virtual Duration Now() const = 0;
  // Pauses the calling thread for `duration`. Any thread.
  virtual void Sleep(Duration duration) = 0;
  // Waits until `event` is set (consuming an auto-reset event) or `timeout` has passed; true when
  // the event was set. Any thread.
  [[nodiscard]] virtual bool WaitFor(Event& event, Duration timeout) = 0;
};

// `time` + `duration` (a negative duration counts as none), held at the end of time instead of
// overflowing: a wait "for ever" must not wrap around.
[[nodiscard]] Clock::Duration SaturatingAdd(Clock::Duration time, Clock::Duration duration);

class SteadyClock final : public Clock {
 public:
  SteadyClock();

  [[nodiscard]] Duration Now() const override;
  void Sleep(Duration duration) override;
  [[nodiscard]] bool WaitFor(Event& event, Duration timeout) override;

 private:
  const std::chrono::steady_clock::time_point origin_;
};

}  // namespace vandrel
