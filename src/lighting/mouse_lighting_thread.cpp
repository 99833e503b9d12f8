#include "core/trace.h"
#include "lighting/lighting_threads.h"

namespace vandrel {
namespace {

constexpr Clock::Duration kStartDelay = std::chrono::milliseconds(3000);
constexpr Clock::Duration kAbsentPause = std::chrono::milliseconds(1000);
constexpr Clock::Duration kSlowModePause = std::chrono::milliseconds(50);
// The mouse lighting timer runs 500 ms and only stops itself: restarting it no more often than
// this keeps it from firing while passes run, without a message to the window on every pass.
constexpr Clock::Duration kTimerRearmInterval = std::chrono::milliseconds(250);

}  // namespace

MouseLightingThread::MouseLightingThread(const LightingThreadInputs& inputs) : in_(inputs) {}

void MouseLightingThread::Run(Event& stop) {
  RunLightingLoop(
      in_.clock, stop, kStartDelay, kMouseLightingExit, [this] { return Pass(); },
      in_.channels.connections, [this] { return in_.channels.mouse.connected(); },
      {&in_.channels.mouse.changes(), &in_.mouse_lighting.changes()});
}

// The mouse animates itself: the thread only keeps the pace of its effect and restarts the main
// window's mouse lighting timer, whose expiry does nothing but stop it. Once it has restarted the
// timer, the passes to come would only keep the pace until the mouse's lighting or its
// sync-lighting flag changes, so the thread waits for that; a mode above 5 is traced on every pass.
bool MouseLightingThread::Pass() {
  const LightingBlock lighting = in_.mouse_lighting.Load();
  const int speed = lighting.speed;
  SleepFor(in_.clock, std::chrono::milliseconds(2 * speed + 3));
  SleepFor(in_.clock, std::chrono::milliseconds(5 * speed));
  const DeviceChannel& channel = in_.channels.mouse;
  if (!channel.connected()) {
    in_.clock.Sleep(kAbsentPause);
    return false;
  }
  if (channel.sync_lighting()) return true;
  if (lighting.mode == 4 || lighting.mode == 5) in_.clock.Sleep(kSlowModePause);
  if (lighting.mode > 5) Trace(kMouseModeAboveFive);
  const Clock::Duration now = in_.clock.Now();
  if (!last_rearm_ || now - *last_rearm_ >= kTimerRearmInterval) {
    in_.rearm_mouse_timer();
    last_rearm_ = now;
  }
  return lighting.mode <= 5;
}

}  // namespace vandrel
