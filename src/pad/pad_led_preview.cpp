#include "pad/pad_led_preview.h"

#include <cstdint>
#include <string>

namespace vandrel {
namespace {

// A device key button's light colour holds green, blue and red from the top down.
std::uint32_t LightColourOf(const LedEntry& entry) {
  return static_cast<std::uint32_t>(entry.green) << 16 |
         static_cast<std::uint32_t>(entry.blue) << 8 | entry.red;
}

}  // namespace

PadLedPreview::PadLedPreview(WindowModel& window) : tab_(window.Find("mp_deng_Op_tab")) {
  for (std::size_t led = 0; led < kPadLedCount; ++led) {
    leds_[led] = window.Find("mp_dkey_" + std::to_string(led));
  }
}

// The model raises a change only for values that differ, so an unchanged frame costs no repaint.
void PadLedPreview::Show(const PadFrame& frame) const {
  const bool active = tab_ == nullptr || tab_->IsSelected();
  for (std::size_t led = 0; led < kPadLedCount; ++led) {
    Control* button = leds_[led];
    if (button == nullptr || !button->IsShown()) continue;
    button->SetLight(active, LightColourOf(frame[led]), frame[led].level);
  }
}

}  // namespace vandrel
