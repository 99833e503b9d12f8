#include "mouse/mouse_part.h"

namespace vandrel {

MousePart::MousePart(MouseDevice& device) : device_(device) {}

void MousePart::ApplyPending() { device_.ApplyLive(); }

void MousePart::SelectStoredProfile() {
  if (restore_ && restore_()) Refresh();
}

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
