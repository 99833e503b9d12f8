#include "core/clock.h"

#include <thread>

namespace vandrel {

SteadyClock::SteadyClock() : origin_(std::chrono::steady_clock::now()) {}

Clock::Duration SteadyClock::Now() const {
  return std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now() - origin_);
}

void SteadyClock::Sleep(Duration duration) { std::this_thread::sleep_for(duration); }

bool SteadyClock::WaitFor(Event& event, Duration timeout) { return event.Wait(timeout); }

}  // namespace vandrel
