// PadState: everything the program knows about the mouse pad as data, owned by the main window.
// The page and the timers read and write live, slots, info and dirty on the user-interface
// thread only. The lighting threads never read live: they see its LightingBlock through
// `animation`, where PadDevice publishes every change of it.
#pragma once

#include <array>

#include "pad/pad_animation.h"
#include "pad/pad_records.h"

namespace vandrel {

struct PadState {
  PadSettings live;                                // the active slot's record, edited by the page
  std::array<PadSlotRecord, kPadSlotCount> slots;  // stored slot records
  PadDeviceInfo info;
  bool dirty = false;      // live changed since the last live apply
  PadAnimation animation;  // shared with the lighting threads
};

}  // namespace vandrel
