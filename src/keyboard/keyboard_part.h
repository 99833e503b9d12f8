// KeyboardPart: the keyboard as the main window's hub sees it. The hub's timers and messages
// reach the keyboard's exchanges through it, and the keyboard pages learn through its refresh
// callback when the state was read anew. User-interface thread.
#pragma once

#include <functional>

#include "app/device_part.h"
#include "keyboard/keyboard_device.h"

namespace vandrel {

class KeyboardPart final : public DevicePart {
 public:
  // `device` must outlive the part.
  explicit KeyboardPart(KeyboardDevice& device);

  // What the pages do once the state was read anew. Until it is set, a read refreshes nothing.
  void SetRefresh(std::function<void()> refresh) { refresh_ = std::move(refresh); }

  void ApplyPending() override;
  void SelectStoredProfile() override;
  void ReadAndRefresh() override;
  void RereadLighting() override;
  void FrameStep(bool window_shown) override;

 private:
  void Refresh();

  KeyboardDevice& device_;
  std::function<void()> refresh_;
};

}  // namespace vandrel
