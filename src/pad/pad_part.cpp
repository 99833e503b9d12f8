#include "pad/pad_part.h"

namespace vandrel {

PadPart::PadPart(PadDevice& device) : device_(device) {}

void PadPart::ApplyPending() { device_.ApplyLive(); }

void PadPart::SelectStoredProfile() {
  if (restore_ && restore_() && refresh_) refresh_();
}

void PadPart::ReadAndRefresh() {
  device_.ReadAll();
  if (refresh_) refresh_();
}

// The lighting threads send every frame they render; only this step, on the user-interface
// thread, shows frames on the page. It sends the frame again only when none went to the pad for a
// while, as the keyboard's does.
void PadPart::FrameStep(bool window_shown) {
  const PadFrame frame = device_.state().animation.frame.Read();
  if (window_shown && preview_) preview_(frame);
  if (device_.channel().SinceLastFrame() >= kFrameResendAfter) (void)device_.SendFrame(frame);
}

}  // namespace vandrel
