// KeyboardLightingPage: the keyboard's Lighting tab on the main window's controls — the mode from
// the attached model's list, a fixed colour (palette, 30 preset buttons or typed red, green and
// blue) or the cycling seven-colour option, direction, brightness and speed, and in the custom
// modes the colour sets: choose one, switch all keys off or on, paint keys by clicking them on the
// keyboard picture. Edits change the keyboard's live lighting (mirrored into the common block of
// the synchronised animation), mark it for the next apply and have the selected light and device
// profiles rewritten; what they ask of the effect engine is queued for the keyboard's lighting
// thread. "kb_deng_same_mode" spreads the keyboard's lighting onto the other devices. The page
// keeps no data of its own. User-interface thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "device/lighting_block.h"
#include "device/lighting_sync.h"
#include "device/presence_monitor.h"
#include "keyboard/keyboard_device.h"
#include "keyboard/keyboard_lighting_modes.h"
#include "profile/profile_saver.h"
#include "ui/lighting_panel.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

struct KeyboardLightingLinks {
  LightingSync& sync;
  DeviceChannels channels;  // same mode's flags of all three devices
  ProfileSaver& profiles;
  std::function<int()> model;  // the keyboard model in use, as the hub keeps it
};

class KeyboardLightingPage {
 public:
  // `window` (the main window, with "keyboard_deng.xml" included), `keyboard` and what `links`
  // refers to must outlive the page.
  KeyboardLightingPage(WindowModel& window, KeyboardDevice& keyboard, KeyboardLightingLinks links);

  // Rebuilds every control from the keyboard's state: the model's mode list with the stored mode
  // and its row (its seed queued again, without a reset), sliders, colours, direction and colour
  // set. Nothing is stored.
  void Refresh();

  // The "kb_deng_" / "kb_Deng_" family's notifications; false when the page does not act on one.
  bool Handle(const Notification& notification);
  // A click on a key of the keyboard picture ("kb_key_" + slot): while the Lighting tab is shown
  // it paints the key (custom modes) or starts a ripple there (mode 9), and the result is true;
  // otherwise the click is the key page's and the result false.
  bool HandleKeyClick(const Notification& notification);

  // Same mode started on another device's page: its block becomes the keyboard's lighting.
  void AdoptLighting(const LightingBlock& block);

 private:
  bool HandleItemSelect(const Control& sender, int index);
  bool HandleCustomCheck(const Control& sender);
  void ChooseMode(int mode);
  void ShowMode(std::uint8_t mode);
  void ShowColours();
  void SetColour(std::uint32_t argb, bool store);
  void EditComponent(Control& edit, int component);
  void ChooseCustomSet(int index);
  void ChangeCustomColours(const std::function<void(KeyboardCustomColours&)>& change);
  void PaintKey(std::size_t slot);
  void StoreEdit(const LightingEdit& edit);
  void SaveProfiles();

  [[nodiscard]] KeyboardModel Model() const;
  [[nodiscard]] const KeyboardModeList& ModeList() const { return KeyboardModeListOf(Model()); }
  [[nodiscard]] bool InCustomMode() const;
  [[nodiscard]] KeyboardState& State() const { return keyboard_.state(); }

  WindowModel& window_;
  KeyboardDevice& keyboard_;
  KeyboardLightingLinks links_;
  LightingControls controls_;
  LightingPanel panel_;
};

}  // namespace vandrel
