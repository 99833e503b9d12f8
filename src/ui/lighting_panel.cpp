#include "ui/lighting_panel.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "ui/control_names.h"
#include "ui/preset_colours.h"

namespace vandrel {
namespace {

std::uint8_t ToByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

// Green and blue follow red, as in the block.
LightingFields ComponentField(int component) { return kRedField << component; }

}  // namespace

void LightingEdit::ApplyTo(LightingBlock& block) const {
  auto bytes = Encode(block);
  const auto changed = Encode(values);
  for (std::size_t field = 0; field < bytes.size(); ++field) {
    if ((fields & (1U << field)) != 0) bytes[field] = changed[field];
  }
  block = DecodeLightingBlock(bytes);
}

LightingPanel::LightingPanel(WindowModel& window, const LightingPanelSetup& setup,
                             LightingSync& sync, LightingStore store)
    : direction_buttons_(setup.direction_buttons),
      device_(setup.device),
      mirrored_(setup.mirrored),
      sync_(sync),
      store_(std::move(store)),
      controls_(window, setup.prefix) {}

bool LightingPanel::Handle(const Notification& notification) {
  Control& sender = *notification.sender;
  const std::string_view type = notification.type;
  if (type == notify::kClick) return HandleClick(sender);
  if (type == notify::kSelectChanged) return HandleSelectChanged(sender);
  if (type == notify::kValueChanged) return HandleValueChanged(sender);
  if (type == notify::kTextChanged) return HandleTextChanged(sender);
  if (type != notify::kColorChanged || sender.Name() != Names().palette) return false;
  SetFixedColour(sender.SelectedColour(), /*store=*/true);
  return true;
}

void LightingPanel::SetFixedColour(std::uint32_t argb, bool store) {
  controls_.ShowColour(argb);
  if (!store) return;
  controls_.ShowSevenColour(false);
  LightingEdit edit{.fields = kFixedColourFields};
  StoreFixedColour(edit.values, argb);
  Store(edit);
}

bool LightingPanel::HandleClick(const Control& sender) {
  const std::string& name = sender.Name();
  if (name == Names().same_mode) {
    sync_.SpreadFrom(device_, store_.live());
    return true;
  }
  const bool left = name == Names().left_button;
  if (direction_buttons_ && (left || name == Names().right_button)) {
    SetDirection(left ? kDirectionLeft : kDirectionRight);
    return true;
  }
  const std::optional<int> number = NumberInName(name, Names().preset_prefix);
  const std::optional<std::uint32_t> preset = number ? PresetColour(*number) : std::nullopt;
  if (!preset) return false;
  SetFixedColour(*preset, /*store=*/true);
  return true;
}

bool LightingPanel::HandleSelectChanged(const Control& sender) {
  const std::string& name = sender.Name();
  if (name == Names().seven_colour) {
    const std::uint8_t cycling = sender.IsSelected() ? 1 : 0;
    Store({.fields = kSevenColourField, .values = {.seven_colour = cycling}});
    return true;
  }
  // An option unselected by its partner needs nothing: the partner's handling did it all.
  if (!sender.IsSelected()) return false;
  const bool left = name == Names().left_option;
  const bool right = name == Names().right_option;
  if (left || right) SetDirection(left ? kDirectionLeft : kDirectionRight);
  return left || right;
}

bool LightingPanel::HandleValueChanged(const Control& sender) {
  if (sender.Name() == Names().brightness_slider) {
    Store({.fields = kBrightnessField, .values = {.brightness = ToByte(sender.Value())}});
    return true;
  }
  if (sender.Name() == Names().speed_slider) {
    Store({.fields = kSpeedField, .values = {.speed = ToByte(kSlowestSpeed - sender.Value())}});
    return true;
  }
  return false;
}

bool LightingPanel::HandleTextChanged(Control& sender) {
  const std::optional<int> component = controls_.ComponentEdit(sender.Name());
  if (!component) return false;
  const std::uint8_t value =
      controls_.TakeTypedComponent(sender, *component, FixedColourArgb(store_.live()));
  LightingEdit edit{.fields = ComponentField(*component) | kSevenColourField};
  StoreColourComponent(edit.values, *component, value);
  Store(edit);
  return true;
}

void LightingPanel::SetDirection(std::uint8_t direction) {
  controls_.ShowDirection(direction);
  Store({.fields = kDirectionField, .values = {.direction = direction}});
}

void LightingPanel::Store(const LightingEdit& edit) {
  store_.change(edit);
  const LightingEdit mirrored{.fields = edit.fields & mirrored_, .values = edit.values};
  if (mirrored.fields == 0) return;
  sync_.Common().Update([&mirrored](LightingBlock& common) { mirrored.ApplyTo(common); });
}

}  // namespace vandrel
