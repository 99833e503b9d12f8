// PadLightingPage: the mouse pad's lighting page on the main window's controls — the effect mode,
// a fixed colour (palette, 30 preset buttons or typed red, green and blue) or the cycling
// seven-colour option, direction, brightness and speed, the pad's on-board slot and its factory
// reset. Everything it edits is the LightingBlock of the pad's live record, changed through
// PadDevice so that the lighting threads see each change; only the direction is mirrored into the
// common block of the synchronised animation. "mp_deng_same_mode" spreads the pad's lighting onto
// the other devices. The page keeps no data of its own. User-interface thread only.
#pragma once

#include <cstdint>
#include <functional>

#include "device/lighting_block.h"
#include "device/lighting_sync.h"
#include "pad/pad_device.h"
#include "ui/lighting_panel.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

class PadLightingPage {
 public:
  // `window` (the main window, with "MousePad_deng.xml" included), `pad` and `sync` must outlive
  // the page. `reread_after_reset` has the pad read again, and the page refreshed, once the pad
  // has settled after its factory reset; it must not wait for that itself.
  PadLightingPage(WindowModel& window, PadDevice& pad, LightingSync& sync,
                  std::function<void()> reread_after_reset);

  // Fills every control from the live record; nothing is stored or sent.
  void Refresh();

  // The "mp_deng_" / "mp_Deng_" family's notifications and "mp_one_profile_default"; false when
  // the notification is not one the page acts on.
  bool Handle(const Notification& notification);

  // Same mode started on another device's page: its block becomes the pad's lighting, the page
  // is refreshed and the record marked dirty.
  void AdoptLighting(const LightingBlock& block);

 private:
  bool HandleItemSelect(const Control& sender, int index);
  void ShowMode(std::uint8_t mode);
  void ShowSlot(std::uint8_t slot);
  [[nodiscard]] const LightingBlock& Live() const { return pad_.state().live.lighting; }

  WindowModel& window_;
  PadDevice& pad_;
  std::function<void()> reread_after_reset_;
  LightingPanel panel_;
};

}  // namespace vandrel
