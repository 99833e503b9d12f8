#include "ui/lighting_controls.h"

#include <algorithm>
#include <string>

#include "core/decimal.h"

namespace vandrel {
namespace {

constexpr int kComponentMaximum = 255;

// The bit position of component 0 (red), 1 (green) or 2 (blue) in 0xAARRGGBB.
constexpr int ComponentShift(int component) { return 16 - 8 * component; }

std::uint8_t ComponentOf(std::uint32_t argb, int component) {
  return static_cast<std::uint8_t>((argb >> ComponentShift(component)) & 0xFFU);
}

std::string Named(std::string_view prefix, std::string_view name) {
  return std::string(prefix).append(name);
}

void Apply(Control& group, GroupChange change) {
  switch (change) {
    case GroupChange::kKeep:
      return;
    case GroupChange::kEnable:
    case GroupChange::kDisable:
      group.SetEnabled(change == GroupChange::kEnable);
      return;
    case GroupChange::kShow:
    case GroupChange::kHide:
      group.SetVisible(change == GroupChange::kShow);
      return;
    case GroupChange::kEnableShow:
    case GroupChange::kDisableShow:
      group.SetEnabled(change == GroupChange::kEnableShow);
      group.SetVisible(true);
      return;
    case GroupChange::kEnableHide:
    case GroupChange::kDisableHide:
      group.SetEnabled(change == GroupChange::kEnableHide);
      group.SetVisible(false);
      return;
  }
}

}  // namespace

void ApplyGroupChanges(WindowModel& window, std::span<const std::string_view> groups,
                       std::span<const GroupChange> row) {
  const std::size_t cells = std::min(groups.size(), row.size());
  for (std::size_t cell = 0; cell < cells; ++cell) {
    if (Control* group = window.Find(groups[cell])) Apply(*group, row[cell]);
  }
}

LightingControlNames::LightingControlNames(std::string_view prefix)
    : palette(Named(prefix, "deng_Color_Pallet")),
      preview(Named(prefix, "Deng_colordp_btn")),
      component_edits{Named(prefix, "Deng_edit_R"), Named(prefix, "Deng_edit_G"),
                      Named(prefix, "Deng_edit_B")},
      seven_colour(Named(prefix, "Deng_7color_check")),
      left_option(Named(prefix, "Deng_FXL_check")),
      right_option(Named(prefix, "Deng_FXR_check")),
      left_button(Named(prefix, "Deng_FXL_btn")),
      right_button(Named(prefix, "Deng_FXR_btn")),
      brightness_slider(Named(prefix, "deng_light_slider")),
      speed_slider(Named(prefix, "deng_speed_slider")),
      preset_prefix(Named(prefix, "Deng_color_btn_")),
      same_mode(Named(prefix, "deng_same_mode")) {}

LightingControls::LightingControls(WindowModel& window, std::string_view prefix)
    : window_(window), names_(prefix) {}

void LightingControls::ShowColour(std::uint32_t argb) const {
  if (Control* preview = Find(names_.preview)) {
    preview->SetBackgroundColour(argb);
    preview->SetBackgroundImage("");
  }
  for (int component = 0; component < static_cast<int>(names_.component_edits.size());
       ++component) {
    if (Control* edit = Find(names_.component_edits[static_cast<std::size_t>(component)])) {
      edit->SetText(std::to_string(ComponentOf(argb, component)));
    }
  }
}

void LightingControls::ShowSettings(const LightingBlock& block) const {
  if (Control* slider = Find(names_.brightness_slider)) slider->SetValue(block.brightness);
  if (Control* slider = Find(names_.speed_slider)) slider->SetValue(kSlowestSpeed - block.speed);
  const std::uint32_t colour = FixedColourArgb(block);
  SelectInPalette(colour);
  ShowColour(colour);
  ShowSevenColour(block.seven_colour != 0);
  ShowDirection(block.direction);
}

void LightingControls::SelectInPalette(std::uint32_t argb) const {
  if (Control* palette = Find(names_.palette)) palette->SetSelectedColour(argb);
}

void LightingControls::ShowSevenColour(bool on) const {
  if (Control* check = Find(names_.seven_colour)) check->SetSelected(on, Notify::kNo);
}

void LightingControls::ShowDirection(std::uint8_t direction) const {
  if (direction != kDirectionLeft && direction != kDirectionRight) return;
  if (Control* left = Find(names_.left_option)) {
    left->SetSelected(direction == kDirectionLeft, Notify::kNo);
  }
  if (Control* right = Find(names_.right_option)) {
    right->SetSelected(direction == kDirectionRight, Notify::kNo);
  }
}

std::optional<int> LightingControls::ComponentEdit(std::string_view name) const {
  const auto& edits = names_.component_edits;
  const auto found = std::find(edits.begin(), edits.end(), name);
  if (found == edits.end()) return std::nullopt;
  return static_cast<int>(found - edits.begin());
}

std::uint8_t LightingControls::TakeTypedComponent(Control& edit, int component,
                                                  std::uint32_t fallback) const {
  const std::uint8_t typed = TakeComponentText(edit);
  Control* preview = Find(names_.preview);
  const std::uint32_t shown = preview != nullptr ? preview->BackgroundColour() : fallback;
  const std::uint32_t colour = WithComponent(shown, component, typed);
  if (preview != nullptr) preview->SetBackgroundColour(colour);
  SelectInPalette(colour);
  ShowSevenColour(false);
  return typed;
}

std::uint8_t TakeComponentText(Control& edit) {
  int value = ParseDecimalPrefix(edit.Text());
  if (value > kComponentMaximum) {
    edit.SetText(std::to_string(kComponentMaximum));
    value = kComponentMaximum;
  }
  // A minus sign typed into the edit gives no colour below 0.
  return static_cast<std::uint8_t>(std::clamp(value, 0, kComponentMaximum));
}

std::uint32_t WithComponent(std::uint32_t argb, int component, std::uint8_t value) {
  const int shift = ComponentShift(component);
  return 0xFF000000U | (argb & ~(0xFFU << shift)) | static_cast<std::uint32_t>(value) << shift;
}

}  // namespace vandrel
