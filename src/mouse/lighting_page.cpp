#include "mouse/lighting_page.h"

#include <optional>
#include <string_view>

#include "mouse/lighting_modes.h"

namespace vandrel {
namespace {

constexpr std::string_view kModeSwitch = "ms_deng_mode_switch";

constexpr LightingPanelSetup kPanel = {
    .prefix = "ms_",
    .direction_buttons = true,
    .device = DeviceKind::kMouse,
    // The mouse runs its own effect with the synchronised animation's settings.
    .mirrored = kBrightnessField | kSpeedField | kDirectionField | kFixedColourFields,
};

}  // namespace

MouseLightingPage::MouseLightingPage(WindowModel& window, MouseDevice& mouse, LightingSync& sync)
    : window_(window),
      mouse_(mouse),
      panel_(window, kPanel, sync,
             {.live = [this] { return Live(); },
              // Marking the record dirty rewrites the light and the device profile: both files
              // hold the lighting block.
              .change =
                  [this](const LightingEdit& edit) {
                    edit.ApplyTo(Live());
                    mouse_.MarkDirty();
                  }}) {}

void MouseLightingPage::Refresh() {
  if (Control* modes = window_.Find(kModeSwitch)) modes->SelectPage(0);
  ChooseMode(0, Live().mode, /*by_user=*/false);
  const LightingBlock block = Live();
  panel_.Show(block);
}

bool MouseLightingPage::Handle(const Notification& notification) {
  if (panel_.Handle(notification)) return true;
  if (notification.type != notify::kItemSelect) return false;
  const std::optional<std::size_t> list = ModeListOf(notification.sender->Name());
  if (!list || notification.index < 0) return false;
  ChooseMode(*list, notification.index, /*by_user=*/true);
  return true;
}

void MouseLightingPage::AdoptLighting(const LightingBlock& block) {
  Live() = block;
  Refresh();
}

void MouseLightingPage::ChooseMode(std::size_t list, int mode, bool by_user) {
  const ModeList& modes = MouseModeLists()[list];
  const bool known = ApplyModeRow(window_, modes, mode);
  // A mode the list does not have (copied from another device, say) is kept as it is rather
  // than replaced by whichever entry the list happened to show.
  if (!by_user) {
    if (Control* combo = window_.Find(modes.combo))
      combo->SelectItem(known ? mode : -1, Notify::kNo);
  }
  if (known) Live().mode = static_cast<std::uint8_t>(mode);
  if (by_user && modes.clears_sync) mouse_.channel().set_sync_lighting(false);
  mouse_.MarkDirty();
}

}  // namespace vandrel
