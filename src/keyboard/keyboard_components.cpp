#include "keyboard/keyboard_components.h"

namespace vandrel {

KeyboardComponents::KeyboardComponents(CMainWnd& hub, WindowModel& window, Dialogs& dialogs,
                                       ProfileSaver& profiles, SameMode& same_mode)
    : device_(hub.channels().keyboard, state_, profiles,
              [&dialogs, &window](std::string_view message_id) {
                (void)dialogs.ShowMessage(&window, message_id, true);
              }),
      picture_(window),
      part_(device_, [&hub] { return hub.keyboard_model(); }) {
  part_.SetRefresh([this] { RefreshPages(); });
  part_.SetPreview([this](std::uint8_t model, const KeyboardFrameImage& image) {
    picture_.ShowFrame(model, image);
  });
  hub.SetDevicePart(DeviceKind::kKeyboard, part_);
  same_mode.SetAdopter(DeviceKind::kKeyboard,
                       [this](const LightingBlock& block) { AdoptLighting(block); });
}

void KeyboardComponents::RefreshPages() { picture_.ShowKeysOf(state_.slot_map); }

void KeyboardComponents::AdoptLighting(const LightingBlock& block) {
  {
    std::lock_guard lock(state_.lighting_lock);
    state_.live.lighting = block;
  }
  device_.MarkLightingChanged();
}

}  // namespace vandrel
