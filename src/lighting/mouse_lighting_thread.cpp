#include "core/trace.h"
#include "lighting/lighting_threads.h"

namespace vandrel {
namespace {

constexpr Clock::Duration kStartDelay = std::chrono::milliseconds(3000);
constexpr Clock::Duration kAbsentPause = std::chrono::milliseconds(1000);
constexpr Clock::Duration kSlowModePause = std::chrono::milliseconds(50);
// The mouse lighting timer runs 500 ms and only stops itself: restarting it this often keeps it
// from firing just the same (a pass, even the slowest, ends less than 500 ms after this), without
// a message to the window on every pass.
constexpr Clock::Duration kTimerRearmInterval = std::chrono::milliseconds(250);

Clock::Duration PassPause(const LightingBlock& lighting) {
  const int speed = lighting.speed;
  const bool slow_mode = lighting.mode == 4 || lighting.mode == 5;
  return std::chrono::milliseconds(7 * speed + 3) +
         (slow_mode ? kSlowModePause : Clock::Duration::zero());
}

}  // namespace

MouseLightingThread::MouseLightingThread(const LightingThreadInputs& inputs) : in_(inputs) {}

void MouseLightingThread::Run(Event& stop) {
  RunLightingLoop(
      in_.clock, stop, kStartDelay, kMouseLightingExit, [this] { Pass(); },
      in_.channels.connections, [this] { return in_.channels.mouse.connected(); });
}

// The mouse animates itself: the thread only keeps the pace of its effect and the main window's
// mouse lighting timer running.
void MouseLightingThread::Pass() {
  const LightingBlock lighting = in_.mouse_lighting.Load();
  const int speed = lighting.speed;
  SleepFor(in_.clock, std::chrono::milliseconds(2 * speed + 3));
  SleepFor(in_.clock, std::chrono::milliseconds(5 * speed));
  const DeviceChannel& channel = in_.channels.mouse;
  if (!channel.connected()) {
    in_.clock.Sleep(kAbsentPause);
    return;
  }
  if (channel.sync_lighting()) return;
  if (lighting.mode == 4 || lighting.mode == 5) in_.clock.Sleep(kSlowModePause);
  if (lighting.mode > 5) Trace(kMouseModeAboveFive);
  const Clock::Duration now = in_.clock.Now();
  if (!last_rearm_ || now - *last_rearm_ >= kTimerRearmInterval) {
    in_.rearm_mouse_timer();
    last_rearm_ = now;
  }
  if (lighting.mode <= 5) SleepThroughIdlePasses(lighting, now);
}

// The passes before the next restart of the timer would do nothing but keep the pace: they are
// slept through at once, so that the next pass ends when the one that restarts the timer would
// have, and the thread wakes a few times a second instead of up to 250 times.
void MouseLightingThread::SleepThroughIdlePasses(const LightingBlock& lighting,
                                                 Clock::Duration now) {
  const Clock::Duration period = kLightingStopPoll + PassPause(lighting);
  const Clock::Duration left = kTimerRearmInterval - (now - *last_rearm_);
  const auto passes_to_restart = (left + period - Clock::Duration(1)) / period;
  if (passes_to_restart > 1) in_.clock.Sleep((passes_to_restart - 1) * period);
}

}  // namespace vandrel
