// The synchronised animation's four effects: one effect rendered from the common block onto every
// device that follows it — the keyboard by its six zones, the pad by its LEDs. The mouse animates
// itself and is never rendered.
#pragma once

#include <cstdint>

#include "device/lighting_block.h"
#include "keyboard/lighting/frame_encoding.h"
#include "pad/pad_frame.h"

namespace vandrel {

// The frames the effect writes; null for a device that does not follow the animation.
struct SyncTargets {
  KeyboardFrameImage* keyboard = nullptr;
  PadFrame* pad = nullptr;
};

// Renders the common block's mode (0 wave, 1 colour cycle, 2 breathing, 3 static; any other mode
// renders nothing), advancing `sync_step`, the animation position.
void RenderSyncFrame(const LightingBlock& common, std::uint8_t& sync_step,
                     const SyncTargets& targets);

}  // namespace vandrel
