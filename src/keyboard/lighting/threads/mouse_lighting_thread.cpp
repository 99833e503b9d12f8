#include "core/trace.h"
#include "keyboard/lighting/threads/lighting_threads.h"

namespace vandrel {
namespace {

constexpr Clock::Duration kStartDelay = std::chrono::milliseconds(3000);
constexpr Clock::Duration kAbsentPause = std::chrono::milliseconds(1000);
constexpr Clock::Duration kSlowModePause = std::chrono::milliseconds(50);

}  // namespace

MouseLightingThread::MouseLightingThread(const LightingThreadInputs& inputs) : in_(inputs) {}

void MouseLightingThread::Run(Event& stop) {
  RunLightingLoop(in_.clock, stop, kStartDelay, kMouseLightingExit, [this] { Pass(); });
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
  in_.rearm_mouse_timer();
}

}  // namespace vandrel
