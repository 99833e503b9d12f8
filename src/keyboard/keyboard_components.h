// KeyboardComponents: the keyboard as the program assembles it — its state, device, key picture,
// key and lighting pages and hub part — and its place in the main window: the part for the hub's
// timers and messages and the same-mode adopter. User-interface thread.
#pragma once

#include "app/main_window.h"
#include "app/same_mode.h"
#include "keyboard/key_page.h"
#include "keyboard/keyboard_device.h"
#include "keyboard/keyboard_part.h"
#include "keyboard/keyboard_picture.h"
#include "keyboard/lighting_page.h"

namespace vandrel {

class KeyboardComponents {
 public:
  // Everything given must outlive the components; `hub`'s window must be `window`.
  KeyboardComponents(CMainWnd& hub, WindowModel& window, Dialogs& dialogs, ProfileSaver& profiles,
                     SameMode& same_mode);

  [[nodiscard]] KeyboardState& state() { return state_; }
  [[nodiscard]] KeyboardDevice& device() { return device_; }
  [[nodiscard]] KeyboardKeyPage& key_page() { return key_page_; }
  [[nodiscard]] KeyboardLightingPage& lighting_page() { return lighting_page_; }

  // Every keyboard page refilled from the state.
  void RefreshPages();

  [[nodiscard]] KeyboardPart& part() { return part_; }

 private:
  KeyboardState state_;
  KeyboardDevice device_;
  KeyboardPicture picture_;
  KeyboardKeyPage key_page_;
  KeyboardLightingPage lighting_page_;
  KeyboardPart part_;
};

}  // namespace vandrel
