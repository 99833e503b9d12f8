#include "core/trace.h"
#include "lighting/lighting_threads.h"

namespace vandrel {
namespace {

constexpr Clock::Duration kStartDelay = std::chrono::milliseconds(3000);
constexpr Clock::Duration kAbsentPause = std::chrono::milliseconds(1000);
constexpr Clock::Duration kSlowModePause = std::chrono::milliseconds(50);
// The mouse lighting timer runs 500 ms and only stops itself: restarting it more often than this
// keeps it from firing just the same, without a message to the window on every pass.
constexpr Clock::Duration kTimerRearmInterval = std::chrono::milliseconds(100);

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
}

}  // namespace vandrel
