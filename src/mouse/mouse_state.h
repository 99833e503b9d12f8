// MouseState: everything the program knows about the mouse as data, owned by the main window.
// The pages and the timers read and write it on the user-interface thread; the host-settings
// worker reads (and may clamp) pointer_speed and wheel_lines, hence their atomics, and the mouse's
// lighting thread reads the copy of the live lighting in shared_lighting.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "device/shared_lighting_block.h"
#include "mouse/mouse_records.h"

namespace vandrel {

struct MouseState {
  MouseSettings live;                                  // the active slot's record, edited by pages
  std::array<MouseSlotRecord, kMouseSlotCount> slots;  // stored slot records
  std::array<MouseKeyTable, kMouseSlotCount> keys;     // key page images, by slot (= page)
  // Which key page images were read from the mouse or loaded from a profile: only those may be
  // written back, so that an image never filled in cannot overwrite a slot's buttons.
  std::array<bool, kMouseSlotCount> keys_known{};
  MouseKeyTable defaults;  // factory key table
  MouseDeviceInfo info;
  std::atomic<std::uint8_t> pointer_speed{0};  // 1-20 once set
  std::atomic<std::uint8_t> wheel_lines{0};    // 1-100 once set
  bool dirty = false;                          // live changed since the last live apply
  // live's lighting, stored again whenever it changes (a read, a slot switch, an edit).
  SharedLightingBlock shared_lighting;

  // The key page image of the slot in use.
  [[nodiscard]] MouseKeyTable& ActiveKeys() { return keys[live.slot % keys.size()]; }
  [[nodiscard]] const MouseKeyTable& ActiveKeys() const { return keys[live.slot % keys.size()]; }
};

}  // namespace vandrel
