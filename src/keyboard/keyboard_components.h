// KeyboardComponents: the keyboard as the program assembles it — its state, device, key picture
// key page and hub part — and its place in the main window: the part for the hub's timers and
// messages and the same-mode adopter. User-interface thread.
#pragma once

#include "app/main_window.h"
#include "app/same_mode.h"
#include "keyboard/key_page.h"
#include "keyboard/keyboard_device.h"
#include "keyboard/keyboard_part.h"
#include "keyboard/keyboard_picture.h"

namespace vandrel {

class KeyboardComponents {
 public:
  // Everything given must outlive the components; `hub`'s window must be `window`.
  KeyboardComponents(CMainWnd& hub, WindowModel& window, Dialogs& dialogs, ProfileSaver& profiles,
                     SameMode& same_mode);

  [[nodiscard]] KeyboardState& state() { return state_; }
  [[nodiscard]] KeyboardDevice& device() { return device_; }
  [[nodiscard]] KeyboardKeyPage& key_page() { return key_page_; }

  // Every keyboard page refilled from the state.
  void RefreshPages();

  [[nodiscard]] KeyboardPart& part() { return part_; }

 private:
  // Same mode: another device's lighting becomes the keyboard's, sent at the next apply.
  void AdoptLighting(const LightingBlock& block);

  KeyboardState state_;
  KeyboardDevice device_;
  KeyboardPicture picture_;
  KeyboardKeyPage key_page_;
  KeyboardPart part_;
};

}  // namespace vandrel
