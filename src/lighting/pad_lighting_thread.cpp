#include "lighting/lighting_threads.h"

namespace vandrel {
namespace {

constexpr Clock::Duration kStartDelay = std::chrono::milliseconds(3000);
constexpr Clock::Duration kAbsentPause = std::chrono::milliseconds(100);

}  // namespace

PadLightingThread::PadLightingThread(const LightingThreadInputs& inputs) : in_(inputs) {}

void PadLightingThread::Run(Event& stop) {
  RunLightingLoop(
      in_.clock, stop, kStartDelay, kPadLightingExit, [this] { return Pass(true); },
      in_.channels.connections, [this] { return in_.channels.pad.connected(); },
      {&in_.channels.pad.changes(), &in_.pad.lighting.changes(), in_.pad_flash_requests},
      [this] { return LeadPause(); });
}

Clock::Duration PadLightingThread::LeadPause() const {
  const LightingBlock lighting = in_.pad.lighting.Load();
  return PadFrameDelay(lighting.mode, lighting.speed);
}

bool PadLightingThread::Pass(bool lead_waited) {
  if (!lead_waited) SleepFor(in_.clock, LeadPause());
  const DeviceChannel& channel = in_.channels.pad;
  if (!channel.connected()) {
    in_.clock.Sleep(kAbsentPause);
    return false;
  }
  return channel.sync_lighting() || RenderAndSend();
}

// What the page and the mouse asked for since the last frame, and the lighting to render it with;
// the effect state is this thread's. The page publishes a mode before it asks for the reset, so
// the request is taken first: the lighting read after it is then at least as new as the mode the
// reset is for. Read the other way round, a mode chosen in between would reset the effect of the
// previous mode, and the ripple would lose its first spark.
LightingBlock PadLightingThread::TakeRequests() {
  const bool reset = in_.pad.reset_requested.exchange(false);
  const LightingBlock lighting = in_.pad.lighting.Load();
  if (reset) StartPadMode(lighting.mode, effect_);
  if (in_.take_pad_flash()) RequestPadFlash(effect_);
  return lighting;
}

// Renders onto the frame last published (the synchronised animation may have written it), so that
// a mode that leaves the frame alone keeps what the pad showed.
bool PadLightingThread::RenderAndSend() {
  const LightingBlock lighting = TakeRequests();
  SleepFor(in_.clock, PadPreDelay(lighting));
  frame_ = in_.pad.frame.Read();
  const PadFrame start = frame_;
  const PadEffectState before = effect_;
  const Clock::Duration rest = RenderPadFrame(lighting, effect_, frame_, in_.clock.Now());
  in_.pad.frame.Publish(frame_);
  SleepFor(in_.clock, rest);
  const bool shown = in_.send_pad_frame(frame_);
  return shown && frame_ == start && PadEffectIsStill(before, effect_);
}

}  // namespace vandrel
