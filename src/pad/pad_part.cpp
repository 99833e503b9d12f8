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
Clock::Duration PadPart::FrameStep(bool window_shown) {
  const Published<PadFrame>& published = device_.state().animation.frame;
  const std::uint64_t version = published.Version();
  const bool resend = device_.channel().SinceLastFrame() >= kFrameResendAfter;
  const bool preview = window_shown && preview_ && version != previewed_version_;
  if (resend || preview) {
    const PadFrame frame = published.Read();
    if (preview) {
      previewed_version_ = version;
      preview_(frame);
    }
    if (resend) (void)device_.SendFrame(frame);
  }
  return NextFrameStep(window_shown && preview_, device_.channel().SinceLastFrame(),
                       kFrameResendAfter);
}

}  // namespace vandrel
