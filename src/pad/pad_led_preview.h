// PadLedPreview: the pad's 15 LED buttons on the page ("mp_dkey_0" … "mp_dkey_14", device key
// buttons laid out as a U along the pad's edges) showing a frame: each shown button gets the LED's
// colour as its light colour (G << 16 | B << 8 | R) and the LED's level as its light alpha, and
// its light is on while the lighting page's tab "mp_deng_Op_tab" is selected. Buttons that are not
// on the screen are left as they are. User-interface thread.
#pragma once

#include <array>

#include "pad/pad_frame.h"
#include "ui/window_model.h"

namespace vandrel {

class PadLedPreview {
 public:
  // Looks the buttons and the tab up once; `window` must outlive the preview. Without the tab in
  // the skin the page counts as selected.
  explicit PadLedPreview(WindowModel& window);

  void Show(const PadFrame& frame) const;

 private:
  std::array<Control*, kPadLedCount> leds_{};
  Control* tab_ = nullptr;
};

}  // namespace vandrel
