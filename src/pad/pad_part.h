// PadPart: the mouse pad as the main window's hub sees it. The hub's timers and messages reach the
// pad's exchanges through it; the page learns through its refresh callback when the state was
// read anew, and the LED picture through its preview callback what the frame timer sends.
// User-interface thread.
#pragma once

#include <cstdint>
#include <functional>

#include "app/device_part.h"
#include "pad/pad_device.h"

namespace vandrel {

class PadPart final : public DevicePart {
 public:
  using Preview = std::function<void(const PadFrame& frame)>;

  // `device` must outlive the part.
  explicit PadPart(PadDevice& device);

  // What the page does once the state was read anew. Until it is set, a read refreshes nothing.
  void SetRefresh(std::function<void()> refresh) { refresh_ = std::move(refresh); }
  // How the frame is shown while the window is on the screen. Until it is set, nothing is shown.
  void SetPreview(Preview preview) { preview_ = std::move(preview); }

  // How the stored profile is restored at attachment: true when one was loaded and applied.
  // Until it is set, attachment keeps what was read from the device.
  void SetStoredProfile(std::function<bool()> restore) { restore_ = std::move(restore); }

  void ApplyPending() override;
  void SelectStoredProfile() override;
  void ReadAndRefresh() override;
  // Timer 1002: the frame the lighting threads last published, previewed when the window is shown
  // and sent to the pad when it missed frames.
  Clock::Duration FrameStep(bool window_shown) override;

 private:
  PadDevice& device_;
  std::function<void()> refresh_;
  std::function<bool()> restore_;
  Preview preview_;
  std::uint64_t previewed_version_ = 0;  // the published frame the preview shows
};

}  // namespace vandrel
