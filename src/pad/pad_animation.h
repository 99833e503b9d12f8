// PadAnimation: what the pad's lighting threads share with the user-interface thread. The page
// owns the pad's settings; it publishes their LightingBlock here whenever it changes, and asks
// for an effect reset when a mode is chosen. The pad's lighting thread, or the synchronised one
// while the pad follows it, renders from the published block and publishes every frame, which
// they and the frame timer send. Every member may be used from any thread.
#pragma once

#include <atomic>

#include "core/published.h"
#include "device/shared_lighting_block.h"
#include "pad/pad_frame.h"

namespace vandrel {

struct PadAnimation {
  SharedLightingBlock lighting;
  // Set when a mode was chosen: the renderer resets its effect state before its next frame (and,
  // in the ripple mode, lights the first spark). Set it through RequestReset.
  std::atomic<bool> reset_requested{false};
  Published<PadFrame> frame;

  // Asks for the reset, and tells a renderer that waits for a change of the lighting.
  void RequestReset() {
    reset_requested.store(true);
    lighting.changes().Notify();
  }
};

}  // namespace vandrel
