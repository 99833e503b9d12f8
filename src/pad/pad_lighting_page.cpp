#include "pad/pad_lighting_page.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ui/control_names.h"
#include "ui/preset_colours.h"

namespace vandrel {
namespace {

constexpr std::string_view kModeCombo = "mp_deng_combo_modeSelect";
constexpr std::string_view kSlotCombo = "mp_deng_combo_profile";
constexpr std::string_view kBrightnessSlider = "mp_deng_light_slider";
constexpr std::string_view kSpeedSlider = "mp_deng_speed_slider";
constexpr std::string_view kPalette = "mp_deng_Color_Pallet";
constexpr std::string_view kSevenColourCheck = "mp_Deng_7color_check";
constexpr std::string_view kLeftOption = "mp_Deng_FXL_check";
constexpr std::string_view kRightOption = "mp_Deng_FXR_check";
constexpr std::string_view kSameMode = "mp_deng_same_mode";
constexpr std::string_view kResetButton = "mp_one_profile_default";
constexpr std::string_view kPresetPrefix = "mp_Deng_color_btn_";

constexpr LightingControlNames kControls = {
    .palette = kPalette,
    .preview = "mp_Deng_colordp_btn",
    .component_edits = {"mp_Deng_edit_R", "mp_Deng_edit_G", "mp_Deng_edit_B"},
    .seven_colour = kSevenColourCheck,
    .left_option = kLeftOption,
    .right_option = kRightOption,
    .brightness_slider = kBrightnessSlider,
    .speed_slider = kSpeedSlider,
};

// The option groups of the page, in the order of a row's cells.
constexpr std::array<std::string_view, 5> kGroups = {"mp_deng_fx_layout", "mp_deng_color_layout",
                                                     "mp_deng_7colorselect_layout",
                                                     "mp_deng_speed_layout", "mp_deng_same_mode"};
constexpr std::size_t kDirectionGroup = 0;

using ModeRow = std::array<GroupChange, kGroups.size()>;

constexpr GroupChange E = GroupChange::kEnable;
constexpr GroupChange D = GroupChange::kDisable;
constexpr GroupChange K = GroupChange::kKeep;

// What choosing each mode (the item index) does to the groups. Cells: direction, colour,
// seven-colour, speed, same mode.
constexpr ModeRow kModeRows[] = {
    {E, E, E, E, E},  // 0 wave
    {D, D, D, E, E},  // 1 colour cycle
    {D, E, E, E, E},  // 2 breathing
    {D, E, D, D, E},  // 3 static
    {E, E, E, E, D},  // 4 bar
    {E, E, E, E, D},  // 5 ripple
    {E, D, D, E, D},  // 6 column rainbow
    {D, E, E, E, D},  // 7 sweep
    {D, E, E, D, D},  // 8 flash on a mouse event
    {D, E, E, K, D},  // 9 hold: the frame stays as it is
};
constexpr int kModeCount = static_cast<int>(std::size(kModeRows));
constexpr std::uint8_t kColumnRainbow = 6;
constexpr std::uint8_t kLastMode = 9;

// A refresh shows the stored mode with the same rows, except that the column rainbow has no
// direction and the last mode leaves every group as it was.
ModeRow RefreshRow(std::uint8_t mode) {
  if (mode == kLastMode) return {K, K, K, K, K};
  ModeRow row = kModeRows[mode];
  if (mode == kColumnRainbow) row[kDirectionGroup] = D;
  return row;
}

std::uint8_t ToByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

}  // namespace

PadLightingPage::PadLightingPage(WindowModel& window, PadDevice& pad, LightingSync& sync,
                                 std::function<void()> reread_after_reset)
    : window_(window),
      pad_(pad),
      sync_(sync),
      reread_after_reset_(std::move(reread_after_reset)),
      controls_(window, kControls) {}

void PadLightingPage::Refresh() {
  const LightingBlock block = Live();
  ShowMode(block.mode);
  ShowSlot(pad_.state().live.slot);
  controls_.ShowSettings(block);
}

bool PadLightingPage::Handle(const Notification& notification) {
  Control& sender = *notification.sender;
  const std::string_view type = notification.type;
  if (type == notify::kClick) return HandleClick(sender);
  if (type == notify::kSelectChanged) return HandleSelectChanged(sender);
  if (type == notify::kValueChanged) return HandleValueChanged(sender);
  if (type == notify::kItemSelect) return HandleItemSelect(sender, notification.index);
  if (type == notify::kColorChanged && sender.Name() == kPalette) {
    SetFixedColour(sender.SelectedColour(), /*store=*/true);
    return true;
  }
  if (type != notify::kTextChanged) return false;
  const std::optional<int> component = controls_.ComponentEdit(sender.Name());
  if (!component) return false;
  TypeComponent(sender, *component);
  return true;
}

void PadLightingPage::SetFixedColour(std::uint32_t argb, bool store) {
  controls_.ShowColour(argb);
  if (!store) return;
  controls_.ShowSevenColour(false);
  pad_.EditLighting([argb](LightingBlock& lighting) { StoreFixedColour(lighting, argb); });
}

void PadLightingPage::AdoptLighting(const LightingBlock& block) {
  pad_.EditLighting([&block](LightingBlock& lighting) { lighting = block; });
  Refresh();
}

bool PadLightingPage::HandleClick(const Control& sender) {
  const std::string& name = sender.Name();
  if (name == kSameMode) {
    sync_.SpreadFrom(DeviceKind::kPad, Live());
    return true;
  }
  if (name == kResetButton) {
    pad_.Reset();
    if (reread_after_reset_) reread_after_reset_();
    return true;
  }
  const std::optional<int> number = NumberInName(name, kPresetPrefix);
  const std::optional<std::uint32_t> preset = number ? PresetColour(*number) : std::nullopt;
  if (!preset) return false;
  SetFixedColour(*preset, /*store=*/true);
  return true;
}

bool PadLightingPage::HandleSelectChanged(const Control& sender) {
  const std::string& name = sender.Name();
  if (name == kSevenColourCheck) {
    const std::uint8_t cycling = sender.IsSelected() ? 1 : 0;
    pad_.EditLighting([cycling](LightingBlock& lighting) { lighting.seven_colour = cycling; });
    return true;
  }
  // An option unselected by its partner needs nothing: the partner's handling did it all.
  if (!sender.IsSelected()) return false;
  if (name == kLeftOption) SetDirection(kDirectionLeft);
  if (name == kRightOption) SetDirection(kDirectionRight);
  return name == kLeftOption || name == kRightOption;
}

// Brightness and speed stay the pad's own: the synchronised animation keeps its common ones.
bool PadLightingPage::HandleValueChanged(const Control& sender) {
  if (sender.Name() == kBrightnessSlider) {
    const std::uint8_t brightness = ToByte(sender.Value());
    pad_.EditLighting([brightness](LightingBlock& lighting) { lighting.brightness = brightness; });
    return true;
  }
  if (sender.Name() == kSpeedSlider) {
    const std::uint8_t speed = ToByte(kSlowestSpeed - sender.Value());
    pad_.EditLighting([speed](LightingBlock& lighting) { lighting.speed = speed; });
    return true;
  }
  return false;
}

bool PadLightingPage::HandleItemSelect(const Control& sender, int index) {
  if (sender.Name() == kSlotCombo) {
    if (pad_.SwitchSlot(index)) Refresh();
    return true;
  }
  if (sender.Name() != kModeCombo || index < 0 || index >= kModeCount) return false;
  ApplyGroupChanges(window_, kGroups, kModeRows[index]);
  pad_.ChooseMode(static_cast<std::uint8_t>(index));
  return true;
}

// A mode the list does not have (copied from another device, say) selects no entry rather than
// whichever the list happened to show.
void PadLightingPage::ShowMode(std::uint8_t mode) {
  const bool known = mode < kModeCount;
  if (Control* combo = window_.Find(kModeCombo)) {
    combo->SelectItem(known ? mode : -1, Notify::kNo);
  }
  if (known) ApplyGroupChanges(window_, kGroups, RefreshRow(mode));
}

void PadLightingPage::ShowSlot(std::uint8_t slot) {
  if (Control* combo = window_.Find(kSlotCombo)) {
    combo->SelectItem(slot < kPadSlotCount ? slot : -1, Notify::kNo);
  }
}

void PadLightingPage::TypeComponent(Control& edit, int component) {
  const std::uint8_t value = controls_.TakeTypedComponent(edit, component, FixedColourArgb(Live()));
  pad_.EditLighting([component, value](LightingBlock& lighting) {
    StoreColourComponent(lighting, component, value);
  });
}

// The direction is the one setting the pad also hands to the synchronised animation.
void PadLightingPage::SetDirection(std::uint8_t direction) {
  controls_.ShowDirection(direction);
  pad_.EditLighting([direction](LightingBlock& lighting) { lighting.direction = direction; });
  sync_.Common().Update([direction](LightingBlock& common) { common.direction = direction; });
}

}  // namespace vandrel
