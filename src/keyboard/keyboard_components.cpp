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
      lighting_page_(window, device_,
                     {.sync = same_mode,
                      .channels = hub.channels(),
                      .profiles = profiles,
                      .model = [&hub] { return hub.keyboard_model(); }}),
      part_(device_, [&hub] { return hub.keyboard_model(); }) {
  part_.SetRefresh([this] { RefreshPages(); });
  part_.SetPreview([this](std::uint8_t model, const KeyboardFrameImage& image) {
    picture_.ShowFrame(model, image);
  });
  hub.SetDevicePart(DeviceKind::kKeyboard, part_);
  hub.jobs().AddBusyListener([this](bool busy) { key_page_.ShowDownloadRunning(busy); });
  // A click on the keyboard picture paints on the Lighting tab and picks a key on the Keys tab.
  hub.SetPageHandler(Page::kKeyboardKeys, [this](const Notification& n) {
    if (!lighting_page_.HandleKeyClick(n)) (void)key_page_.Handle(n);
  });
  hub.SetPageHandler(Page::kKeyboardLighting,
                     [this](const Notification& n) { (void)lighting_page_.Handle(n); });
  same_mode.SetAdopter(DeviceKind::kKeyboard,
                       [this](const LightingBlock& block) { lighting_page_.AdoptLighting(block); });
}

void KeyboardComponents::RefreshPages() {
  picture_.ShowKeysOf(state_.slot_map);
  key_page_.LockKeys();
  key_page_.RefreshKeyTips();
  lighting_page_.Refresh();
}

}  // namespace vandrel
