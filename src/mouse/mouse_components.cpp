#include "mouse/mouse_components.h"

#include <string>

#include "core/decimal.h"

namespace vandrel {

MouseComponents::MouseComponents(CMainWnd& hub, WindowModel& window, Dialogs& dialogs,
                                 PointerSettings& pointer, ProfileSaver& profiles,
                                 SameMode& same_mode)
    : window_(window),
      device_(hub.channels().mouse, state_, pointer, profiles,
              [&hub] { return hub.mouse_page_ready(); }),
      performance_(window, device_, dialogs, profiles),
      lighting_(window, device_, same_mode),
      part_(device_) {
  part_.SetRefresh([this] { RefreshPages(); });
  hub.SetDevicePart(DeviceKind::kMouse, part_);
  hub.SetPageHandler(Page::kMousePerformance,
                     [this](const Notification& n) { (void)performance_.Handle(n); });
  hub.SetPageHandler(Page::kDpiColour,
                     [this](const Notification& n) { (void)performance_.HandleDpiColour(n); });
  hub.SetPageHandler(Page::kMouseLighting,
                     [this](const Notification& n) { (void)lighting_.Handle(n); });
  hub.SetPageHandler(Page::kMouseSlot, [this](const Notification& n) { SwitchSlot(*n.sender); });
  same_mode.SetAdopter(DeviceKind::kMouse,
                       [this](const LightingBlock& block) { lighting_.AdoptLighting(block); });
}

void MouseComponents::RefreshPages() {
  performance_.Refresh();
  lighting_.Refresh();
}

// "ms_profile_" and the slot number.
void MouseComponents::SwitchSlot(const Control& button) {
  const std::string& name = button.Name();
  const std::string_view number = std::string_view(name).substr(name.rfind('_') + 1);
  // The routing table passes only names ending in a number.
  if (!device_.SwitchSlot(ParseDecimalPrefix(number))) return;
  if (Control* function = window_.Find("ms_tab_function")) function->SetVisible(false);
  RefreshPages();
}

}  // namespace vandrel
