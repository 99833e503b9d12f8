#include "keyboard/keyboard_part.h"

namespace vandrel {

KeyboardPart::KeyboardPart(KeyboardDevice& device) : device_(device) {}

void KeyboardPart::ApplyPending() { device_.ApplyLighting(); }

// The device profile catalogue loads the selected profile and applies it (ApplyDeviceProfile);
// until the keyboard has one, attachment keeps what the state holds.
void KeyboardPart::SelectStoredProfile() {}

void KeyboardPart::ReadAndRefresh() {
  (void)device_.ReadAll();
  Refresh();
}

void KeyboardPart::RereadLighting() {
  device_.RereadLighting();
  Refresh();
}

// The lighting threads render and send the keyboard's frames; until they come, the frame timer
// only keeps running.
void KeyboardPart::FrameStep(bool /*window_shown*/) {}

void KeyboardPart::Refresh() {
  if (refresh_) refresh_();
}

}  // namespace vandrel
