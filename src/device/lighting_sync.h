// LightingSync: the same-mode function's view of all three devices' lighting. One device's
// LightingBlock is copied onto the other two and onto the common block of the synchronised
// animation, their pages refreshed, applied and saved, and every channel's sync-lighting flag
// set. User-interface thread.
#pragma once

#include "device/device_kind.h"
#include "device/lighting_block.h"
#include "device/shared_lighting_block.h"

namespace vandrel {

class LightingSync {
 public:
  virtual ~LightingSync() = default;

  // The block the synchronised animation renders from; pages mirror some of their edits into it.
  // The lighting threads read it.
  [[nodiscard]] virtual SharedLightingBlock& Common() = 0;
  // Same mode started on `source`'s page with its block.
  virtual void SpreadFrom(DeviceKind source, const LightingBlock& block) = 0;
};

}  // namespace vandrel
