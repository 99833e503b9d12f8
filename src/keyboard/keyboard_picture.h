// KeyboardPicture: the 126 key buttons of the keyboard tab ("kb_key_0" … "kb_key_125"), laid out
// in the skin like a full-size keyboard. The keys the attached keyboard does not have stay
// visible but are disabled. User-interface thread.
#pragma once

#include <array>

#include "keyboard/keyboard_records.h"
#include "keyboard/lighting/frame_encoding.h"
#include "ui/toolkit.h"

namespace vandrel {

class KeyboardPicture {
 public:
  // `window` must outlive the picture; buttons the skin lacks are left out.
  explicit KeyboardPicture(WindowModel& window);

  // Enables the buttons of the slots `map` gives a device key, disables the others.
  void ShowKeysOf(const KeySlotMap& map);
  // Lights the shown buttons with the frame as keyboard `model` previews it.
  void ShowFrame(std::uint8_t model, const KeyboardFrameImage& image);

 private:
  std::array<Control*, kKeySlotCount> keys_{};
};

}  // namespace vandrel
