#include "core/trace.h"
#include "lighting/lighting_thread_inputs.h"

namespace vandrel {

void SleepFor(Clock& clock, Clock::Duration duration) {
  if (duration > Clock::Duration::zero()) clock.Sleep(duration);
}

void RunLightingLoop(Clock& clock, Event& stop, Clock::Duration start_delay,
                     std::string_view exit_line, const std::function<bool()>& pass,
                     ChangeSignal* connections, const std::function<bool()>& has_device,
                     std::initializer_list<ChangeSignal*> changes,
                     const std::function<Clock::Duration()>& lead_pause) {
  // Listening from the start, so that a device connected, or an input changed, between a look
  // and the wait still ends the wait.
  Wakeup wakeup(stop);
  wakeup.Listen(connections);
  for (ChangeSignal* signal : changes) wakeup.Listen(signal);
  const bool can_wait = connections != nullptr && has_device;
  // A stop during the start delay need not wait for it to run out.
  if (start_delay <= Clock::Duration::zero() || !clock.WaitFor(stop, start_delay)) {
    const auto poll = [&] {
      return kLightingStopPoll + (lead_pause ? lead_pause() : Clock::Duration::zero());
    };
    while (!clock.WaitFor(stop, poll())) {
      if (can_wait && !has_device()) {
        (void)clock.WaitFor(wakeup.event(), Clock::Duration::max());
        continue;
      }
      if (pass()) (void)clock.WaitFor(wakeup.event(), Clock::Duration::max());
    }
  }
  Trace(exit_line);
}

}  // namespace vandrel
