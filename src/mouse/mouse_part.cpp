#include "mouse/mouse_part.h"

namespace vandrel {

MousePart::MousePart(MouseDevice& device) : device_(device) {}

void MousePart::ApplyPending() { device_.ApplyLive(); }

// The device profile catalogue selects and applies the stored profile; until the mouse has one,
// attachment keeps what was read from the mouse.
void MousePart::SelectStoredProfile() {}

void MousePart::ReadAndRefresh() {
  device_.ReadAll();
  Refresh();
}

void MousePart::RereadActiveSlot() {
  device_.RereadActiveSlot();
  Refresh();
}

void MousePart::Refresh() {
  if (refresh_) refresh_();
}

}  // namespace vandrel
