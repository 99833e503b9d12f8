// PadComponents: the mouse pad as the program assembles it — its state, device, lighting page,
// LED picture and hub part — and its place in the main window: the part for the hub's timers and
// messages, the page handler of the routing table and the same-mode adopter. The pad's lighting
// threads reach the pad through animation() (the lighting they render from, the frames they
// publish) and device() (SendFrame). User-interface thread, except as PadDevice says.
#pragma once

#include "app/main_window.h"
#include "app/same_mode.h"
#include "pad/pad_device.h"
#include "pad/pad_led_preview.h"
#include "pad/pad_lighting_page.h"
#include "pad/pad_part.h"

namespace vandrel {

class PadComponents {
 public:
  // Everything given must outlive the components; `hub`'s window must be `window`, and include
  // the pad's page.
  PadComponents(CMainWnd& hub, WindowModel& window, ProfileSaver& profiles, SameMode& same_mode);

  [[nodiscard]] PadState& state() { return state_; }
  [[nodiscard]] PadDevice& device() { return device_; }
  [[nodiscard]] PadAnimation& animation() { return state_.animation; }

  // The pad's page refilled from the state.
  void RefreshPages() { lighting_.Refresh(); }

  [[nodiscard]] PadPart& part() { return part_; }

 private:
  PadState state_;
  PadDevice device_;
  PadLightingPage lighting_;
  PadLedPreview preview_;
  PadPart part_;
};

}  // namespace vandrel
