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
// thread, shows frames on the page. It sends the frame again only when the pad missed it for a
// while, as the keyboard's does.
Clock::Duration PadPart::FrameStep(bool window_shown) {
  const Published<PadFrame>& published = device_.state().animation.frame;
  const std::uint64_t version = published.Version();
  const PadFrame frame = published.Read();
  if (window_shown && preview_ && version != previewed_version_) {
    previewed_version_ = version;
    preview_(frame);
  }
  // A frame on its way is its sender's to deliver, as on the keyboard.
  bool shows = device_.ShowsFrame(frame) || device_.channel().SendingFrame();
  if (!shows && device_.channel().SinceLastFrame() >= kFrameResendAfter) {
    shows = device_.SendFrame(frame) == kChannelSuccess;
  }
  return NextFrameStep(window_shown && preview_, shows, device_.channel().SinceLastFrame(),
                       kFrameResendAfter);
}

}  // namespace vandrel
