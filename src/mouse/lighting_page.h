// MouseLightingPage: the mouse's lighting page on the main window's controls — the effect mode
// from one of three mode lists, a fixed colour (palette, 30 preset buttons or typed red, green and
// blue) or the cycling seven-colour option, direction, brightness and speed. Everything it edits
// is the LightingBlock of the mouse's live record; brightness, speed, direction and colour are
// mirrored into the common block of the synchronised animation. "ms_deng_same_mode" spreads the
// mouse's lighting onto the other devices. The page keeps no data of its own.
// User-interface thread only.
#pragma once

#include <cstddef>

#include "device/lighting_block.h"
#include "device/lighting_sync.h"
#include "mouse/mouse_device.h"
#include "ui/lighting_panel.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

class MouseLightingPage {
 public:
  // `window` (the main window, with "Mouse_deng.xml" included), `mouse` and `sync` must outlive
  // the page.
  MouseLightingPage(WindowModel& window, MouseDevice& mouse, LightingSync& sync);

  // Fills every control from the live record. Choosing the stored mode in the mode list marks
  // the record dirty, so a refresh is followed by one live apply and a profile rewrite.
  void Refresh();

  // The "ms_deng_" / "ms_Deng_" family's notifications; false when the notification is not one
  // the page acts on.
  bool Handle(const Notification& notification);

  // Same mode started on another device's page: its block becomes the mouse's lighting, the page
  // is refreshed and the record marked dirty.
  void AdoptLighting(const LightingBlock& block);

 private:
  void ChooseMode(std::size_t list, int mode, bool by_user);
  [[nodiscard]] LightingBlock& Live() { return mouse_.state().live.lighting; }

  WindowModel& window_;
  MouseDevice& mouse_;
  LightingPanel panel_;
};

}  // namespace vandrel
