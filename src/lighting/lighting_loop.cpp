#include "core/trace.h"
#include "lighting/lighting_thread_inputs.h"

namespace vandrel {

void SleepFor(Clock& clock, Clock::Duration duration) {
  if (duration > Clock::Duration::zero()) clock.Sleep(duration);
}

void RunLightingLoop(Clock& clock, Event& stop, Clock::Duration start_delay,
                     std::string_view exit_line, const std::function<void()>& pass) {
  // A stop during the start delay need not wait for it to run out.
  if (start_delay <= Clock::Duration::zero() || !clock.WaitFor(stop, start_delay)) {
    while (!clock.WaitFor(stop, kLightingStopPoll)) pass();
  }
  Trace(exit_line);
}

}  // namespace vandrel
