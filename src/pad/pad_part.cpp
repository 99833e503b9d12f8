#include "pad/pad_part.h"

namespace vandrel {

PadPart::PadPart(PadDevice& device) : device_(device) {}

void PadPart::ApplyPending() { device_.ApplyLive(); }

// The light profile catalogue selects the stored profile in "mp_deng_profile_combo"; until the
// pad has one, attachment keeps what was read from the pad.
void PadPart::SelectStoredProfile() {}

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
