// MousePart: the mouse as the main window's hub sees it. The hub's timers and messages reach the
// mouse's exchanges through it, and the mouse pages learn through its refresh callback when the
// state was read anew. User-interface thread.
#pragma once

#include <functional>

#include "app/device_part.h"
#include "mouse/mouse_device.h"

namespace vandrel {

class MousePart final : public DevicePart {
 public:
  // `device` must outlive the part.
  explicit MousePart(MouseDevice& device);

  // What the pages do once the state was read anew (fill their controls). Until it is set, a
  // read refreshes nothing.
  void SetRefresh(std::function<void()> refresh) { refresh_ = std::move(refresh); }

  // How the stored profile is restored at attachment: true when one was loaded and applied.
  // Until it is set, attachment keeps what was read from the device.
  void SetStoredProfile(std::function<bool()> restore) { restore_ = std::move(restore); }

  void ApplyPending() override;
  void SelectStoredProfile() override;
  void ReadAndRefresh() override;
  void RereadActiveSlot() override;

 private:
  void Refresh();

  MouseDevice& device_;
  std::function<void()> refresh_;
  std::function<bool()> restore_;
};

}  // namespace vandrel
