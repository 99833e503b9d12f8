// KeyboardPart: the keyboard as the main window's hub sees it. The hub's timers and messages
// reach the keyboard's exchanges through it, and the keyboard pages learn through its refresh
// callback when the state was read anew. User-interface thread.
#pragma once

#include <cstdint>
#include <functional>

#include "app/device_part.h"
#include "keyboard/keyboard_device.h"

namespace vandrel {

class KeyboardPart final : public DevicePart {
 public:
  using Preview = std::function<void(std::uint8_t model, const KeyboardFrameImage& image)>;

  // `device` must outlive the part; `model` tells the keyboard model in use.
  KeyboardPart(KeyboardDevice& device, std::function<int()> model);

  // What the pages do once the state was read anew. Until it is set, a read refreshes nothing.
  void SetRefresh(std::function<void()> refresh) { refresh_ = std::move(refresh); }
  // How the key buttons show a frame. Until it is set, frames are only sent.
  void SetPreview(Preview preview) { preview_ = std::move(preview); }

  // How the stored profile is restored at attachment: true when one was loaded and applied.
  // Until it is set, attachment keeps what was read from the device.
  void SetStoredProfile(std::function<bool()> restore) { restore_ = std::move(restore); }

  void ApplyPending() override;
  void SelectStoredProfile() override;
  void ReadAndRefresh() override;
  void RereadLighting() override;
  Clock::Duration FrameStep(bool window_shown) override;

 private:
  void Refresh();

  KeyboardDevice& device_;
  std::function<int()> model_;
  std::function<void()> refresh_;
  std::function<bool()> restore_;
  Preview preview_;
  std::uint64_t previewed_version_ = 0;  // the published frame the preview shows
};

}  // namespace vandrel
