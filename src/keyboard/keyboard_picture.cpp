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

void KeyboardPicture::ShowFrame(std::uint8_t model, const KeyboardFrameImage& image) {
  for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
    Control* key = keys_[slot];
    if (key == nullptr || !key->IsShown()) continue;
    const KeyPreview preview = PreviewOfSlot(model, image.leds, static_cast<std::uint8_t>(slot));
    if (!preview.shown) continue;
    key->SetLight(true, preview.light_colour, preview.light_alpha);
  }
}

}  // namespace vandrel
