#include "mouse/lighting_page.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "mouse/lighting_modes.h"
#include "ui/control_names.h"
#include "ui/lighting_controls.h"
#include "ui/preset_colours.h"

namespace vandrel {
namespace {

constexpr std::string_view kModeSwitch = "ms_deng_mode_switch";
constexpr std::string_view kBrightnessSlider = "ms_deng_light_slider";
constexpr std::string_view kSpeedSlider = "ms_deng_speed_slider";
constexpr std::string_view kPalette = "ms_deng_Color_Pallet";
constexpr std::string_view kSevenColourCheck = "ms_Deng_7color_check";
constexpr std::string_view kLeftOption = "ms_Deng_FXL_check";
constexpr std::string_view kRightOption = "ms_Deng_FXR_check";
constexpr std::string_view kLeftButton = "ms_Deng_FXL_btn";
constexpr std::string_view kRightButton = "ms_Deng_FXR_btn";
constexpr std::string_view kSameMode = "ms_deng_same_mode";
constexpr std::string_view kPresetPrefix = "ms_Deng_color_btn_";

constexpr LightingControlNames kControls = {
    .palette = kPalette,
    .preview = "ms_Deng_colordp_btn",
    .component_edits = {"ms_Deng_edit_R", "ms_Deng_edit_G", "ms_Deng_edit_B"},
    .seven_colour = kSevenColourCheck,
    .left_option = kLeftOption,
    .right_option = kRightOption,
    .brightness_slider = kBrightnessSlider,
    .speed_slider = kSpeedSlider,
};

std::uint8_t ToByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

}  // namespace

MouseLightingPage::MouseLightingPage(WindowModel& window, MouseDevice& mouse, LightingSync& sync)
    : window_(window), mouse_(mouse), sync_(sync), controls_(window, kControls) {}

void MouseLightingPage::Refresh() {
  if (Control* modes = window_.Find(kModeSwitch)) modes->SelectPage(0);
  ChooseMode(0, Live().mode, /*by_user=*/false);
  const LightingBlock block = Live();
  controls_.ShowSettings(block);
}

bool MouseLightingPage::Handle(const Notification& notification) {
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

void MouseLightingPage::SetFixedColour(std::uint32_t argb, bool store) {
  controls_.ShowColour(argb);
  if (!store) return;
  controls_.ShowSevenColour(false);
  StoreFixedColour(Live(), argb);
  sync_.Common().Update([argb](LightingBlock& common) { StoreFixedColour(common, argb); });
  mouse_.MarkDirty();
}

void MouseLightingPage::AdoptLighting(const LightingBlock& block) {
  Live() = block;
  Refresh();
}

bool MouseLightingPage::HandleClick(const Control& sender) {
  const std::string& name = sender.Name();
  if (name == kSameMode) {
    sync_.SpreadFrom(DeviceKind::kMouse, Live());
    return true;
  }
  if (name == kLeftButton || name == kRightButton) {
    SetDirection(name == kLeftButton ? kDirectionLeft : kDirectionRight);
    return true;
  }
  const std::optional<int> number = NumberInName(name, kPresetPrefix);
  const std::optional<std::uint32_t> preset = number ? PresetColour(*number) : std::nullopt;
  if (!preset) return false;
  SetFixedColour(*preset, /*store=*/true);
  return true;
}

bool MouseLightingPage::HandleSelectChanged(const Control& sender) {
  const std::string& name = sender.Name();
  if (name == kSevenColourCheck) {
    const std::uint8_t cycling = sender.IsSelected() ? 1 : 0;
    Live().seven_colour = cycling;
    sync_.Common().Update([cycling](LightingBlock& common) { common.seven_colour = cycling; });
    mouse_.MarkDirty();
    return true;
  }
  // An option unselected by its partner needs nothing: the partner's handling did it all.
  if (!sender.IsSelected()) return false;
  if (name == kLeftOption) SetDirection(kDirectionLeft);
  if (name == kRightOption) SetDirection(kDirectionRight);
  return name == kLeftOption || name == kRightOption;
}

bool MouseLightingPage::HandleValueChanged(const Control& sender) {
  if (sender.Name() == kBrightnessSlider) {
    const std::uint8_t brightness = ToByte(sender.Value());
    Live().brightness = brightness;
    sync_.Common().Update([brightness](LightingBlock& common) { common.brightness = brightness; });
  } else if (sender.Name() == kSpeedSlider) {
    const std::uint8_t speed = ToByte(kSlowestSpeed - sender.Value());
    Live().speed = speed;
    sync_.Common().Update([speed](LightingBlock& common) { common.speed = speed; });
  } else {
    return false;
  }
  mouse_.MarkDirty();
  return true;
}

bool MouseLightingPage::HandleItemSelect(const Control& sender, int index) {
  const std::optional<std::size_t> list = ModeListOf(sender.Name());
  if (!list || index < 0) return false;
  ChooseMode(*list, index, /*by_user=*/true);
  return true;
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

void MouseLightingPage::TypeComponent(Control& edit, int component) {
  const std::uint8_t value = controls_.TakeTypedComponent(edit, component, FixedColourArgb(Live()));
  const auto store = [component, value](LightingBlock& block) {
    StoreColourComponent(block, component, value);
  };
  store(Live());
  sync_.Common().Update(store);
  mouse_.MarkDirty();
}

// Either direction rewrites the light and the device profile: both files hold the lighting block.
void MouseLightingPage::SetDirection(std::uint8_t direction) {
  controls_.ShowDirection(direction);
  Live().direction = direction;
  sync_.Common().Update([direction](LightingBlock& common) { common.direction = direction; });
  mouse_.MarkDirty();
}

}  // namespace vandrel
