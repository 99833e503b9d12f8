#include "core/clock.h"

#include <algorithm>
#include <thread>

namespace vandrel {

Clock::Duration SaturatingAdd(Clock::Duration time, Clock::Duration duration) {
  duration = std::max(duration, Clock::Duration::zero());
  return duration > Clock::Duration::max() - time ? Clock::Duration::max() : time + duration;
}

SteadyClock::SteadyClock() : origin_(std::chrono::steady_clock::now()) {}

Clock::Duration SteadyClock::Now() const {
  return std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now() - origin_);
}

void SteadyClock::Sleep(Duration duration) {
  // Capped at a century so the conversion to the system's ticks cannot overflow.
  std::this_thread::sleep_for(std::min<Duration>(duration, std::chrono::hours(24 * 365 * 100)));
}

bool SteadyClock::WaitFor(Event& event, Duration timeout) { return event.Wait(timeout); }

}  // namespace vandrel
