#include "keyboard/keyboard_components.h"

namespace vandrel {

KeyboardComponents::KeyboardComponents(CMainWnd& hub, WindowModel& window, Dialogs& dialogs,
                                       ProfileSaver& profiles, SameMode& same_mode)
    : device_(hub.channels().keyboard, state_, profiles,
              [&dialogs, &window](std::string_view message_id) {
                (void)dialogs.ShowMessage(&window, message_id, true);
              }),
      picture_(window),
      key_page_(window, device_, dialogs, hub.jobs(),
                [&hub](int message) { hub.HandleMessage(message, 0, 0); }),
      part_(device_, [&hub] { return hub.keyboard_model(); }) {
  part_.SetRefresh([this] { RefreshPages(); });
  part_.SetPreview([this](std::uint8_t model, const KeyboardFrameImage& image) {
    picture_.ShowFrame(model, image);
  });
  hub.SetDevicePart(DeviceKind::kKeyboard, part_);
  hub.jobs().AddBusyListener([this](bool busy) { key_page_.ShowDownloadRunning(busy); });
  hub.SetPageHandler(Page::kKeyboardKeys,
                     [this](const Notification& n) { (void)key_page_.Handle(n); });
  same_mode.SetAdopter(DeviceKind::kKeyboard,
                       [this](const LightingBlock& block) { AdoptLighting(block); });
}

void KeyboardComponents::RefreshPages() {
  picture_.ShowKeysOf(state_.slot_map);
  key_page_.LockKeys();
  key_page_.RefreshKeyTips();
}

void KeyboardComponents::AdoptLighting(const LightingBlock& block) {
  {
    std::lock_guard lock(state_.lighting_lock);
    state_.live.lighting = block;
  }
  device_.MarkLightingChanged();
}

}  // namespace vandrel
