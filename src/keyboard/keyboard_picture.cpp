#include "keyboard/keyboard_picture.h"

#include <string>

namespace vandrel {

KeyboardPicture::KeyboardPicture(WindowModel& window) {
  for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
    keys_[slot] = window.Find("kb_key_" + std::to_string(slot));
  }
}

void KeyboardPicture::ShowKeysOf(const KeySlotMap& map) {
  for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
    if (keys_[slot] != nullptr) keys_[slot]->SetEnabled(map[slot] != kNoDeviceKey);
  }
}

}  // namespace vandrel
