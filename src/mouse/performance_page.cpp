#include "mouse/performance_page.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/decimal.h"
#include "mouse/mouse_records.h"
#include "ui/control_names.h"
#include "ui/pallet_dialog.h"

namespace vandrel {
namespace {

constexpr int kDpiControls = 6;  // sliders, labels and colour buttons; the record has five levels
constexpr std::string_view kDpiPrefix = "ms_DPI";
constexpr std::string_view kColourPrefix = "ms_DPIcolor_btn_";
constexpr std::string_view kReportRate = "ms_report_fct_combo";
constexpr std::string_view kPointerSlider = "ms_point_speed_slider";
constexpr std::string_view kSensorHeight = "ms_sensor_height_slider";
constexpr std::string_view kWheelEdit = "ms_gunlun_speed_edit";
constexpr std::string_view kWheelUp = "ms_gunlun_speed_up_btn";
constexpr std::string_view kWheelDown = "ms_gunlun_speed_down_btn";
constexpr std::string_view kRestoreDefaults = "ms_one_profile_default";

constexpr std::uint32_t kActiveLevelColour = 0xFFFF0000;
constexpr std::uint32_t kOtherLevelColour = 0xFFFFFFFF;
constexpr std::uint32_t kHoverBorderColour = 0xFFFFFFFF;
constexpr int kHoverBorderSize = 2;
constexpr int kMinWheelLines = 1;
constexpr int kMaxWheelLines = 100;
constexpr int kDefaultPointerSlider = 5;
constexpr std::string_view kDefaultWheelText = "3";
constexpr unsigned kLightAndDevice = kLightProfile | kDeviceProfile;

std::string LevelControl(int level, std::string_view part) {
  return std::string(kDpiPrefix) + std::to_string(level) + std::string(part);
}

std::uint32_t Argb(const Rgb& colour) {
  return 0xFF000000U | static_cast<std::uint32_t>(colour.red) << 16 |
         static_cast<std::uint32_t>(colour.green) << 8 | colour.blue;
}

Rgb RgbOf(std::uint32_t argb) {
  return {static_cast<std::uint8_t>((argb >> 16) & 0xFFU),
          static_cast<std::uint8_t>((argb >> 8) & 0xFFU), static_cast<std::uint8_t>(argb & 0xFFU)};
}

std::uint8_t ToByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

// The highlight of level `level` (1-6) while the mouse reports `active`; nullopt leaves it. An
// active level above 5 shows level 1 as active and levels 2-4 as not, and leaves 5 and 6.
std::optional<std::uint32_t> LevelColour(int level, int active) {
  if (active <= kDpiControls - 1) {
    return level == active + 1 ? kActiveLevelColour : kOtherLevelColour;
  }
  if (level == 1) return kActiveLevelColour;
  if (level <= 4) return kOtherLevelColour;
  return std::nullopt;
}

}  // namespace

MousePerformancePage::MousePerformancePage(WindowModel& window, MouseDevice& mouse,
                                           Dialogs& dialogs, ProfileSaver& profiles)
    : window_(window), mouse_(mouse), dialogs_(dialogs), profiles_(profiles) {}

void MousePerformancePage::Refresh() {
  const MouseSettings& live = mouse_.state().live;
  ShowDpiRanges();
  for (int level = 1; level <= kMouseDpiLevels; ++level) {
    if (Control* slider = window_.Find(LevelControl(level, "_slider"))) {
      slider->SetValue(live.Dpi(level));
    }
    ShowDpiValue(level, live.Dpi(level));
  }
  for (int level = 1; level <= kDpiControls; ++level) {
    // The sixth button has no colour of its own in the record and shows level 5's.
    const Rgb& colour =
        live.colours[static_cast<std::size_t>(std::min(level, kMouseDpiLevels) - 1)];
    if (Control* button = window_.Find(std::string(kColourPrefix) + std::to_string(level))) {
      button->SetBackgroundColour(Argb(colour));
    }
  }
  ShowActiveLevel();
  if (Control* combo = window_.Find(kReportRate)) combo->SelectItem(live.report_rate, Notify::kNo);
}

void MousePerformancePage::ApplyHostSettings() {
  MouseState& state = mouse_.state();
  const std::uint8_t speed = state.pointer_speed;
  const std::uint8_t lines = state.wheel_lines;
  if (Control* slider = window_.Find(kPointerSlider)) slider->SetValue(speed / 2 - 1);
  if (Control* edit = window_.Find(kWheelEdit)) edit->SetText(std::to_string(lines));
  mouse_.SetPointerSpeed(speed);
  mouse_.SetWheelLines(lines);
}

bool MousePerformancePage::Handle(const Notification& notification) {
  Control& sender = *notification.sender;
  const std::string& name = sender.Name();
  const std::string_view type = notification.type;
  if (NumberInName(name, kColourPrefix)) return HandleDpiColour(notification);
  if (type == notify::kValueChanged || type == notify::kMoveValueChanged) {
    const bool released = type == notify::kValueChanged;
    if (HandleDpiSlider(sender, released)) return true;
    if (name == kPointerSlider && released) ApplyPointerSlider(sender);
    // The sensor height slider has no field in the record and nothing is sent for it.
    return name == kPointerSlider || name == kSensorHeight;
  }
  if (type == notify::kClick) {
    if (name == kWheelUp || name == kWheelDown) StepWheel(name == kWheelUp ? 1 : -1);
    if (name == kRestoreDefaults) RestoreDefaults();
    return name == kWheelUp || name == kWheelDown || name == kRestoreDefaults;
  }
  if (type == notify::kItemSelect && name == kReportRate && notification.index >= 0) {
    mouse_.state().live.report_rate = ToByte(notification.index);
    mouse_.MarkDirty();
    return true;
  }
  if (name != kWheelEdit) return false;
  if (type == notify::kTextChanged) CorrectWheelText(sender);
  if (type == notify::kKillFocus) ApplyWheelText(sender);
  return type == notify::kTextChanged || type == notify::kKillFocus;
}

bool MousePerformancePage::HandleDpiColour(const Notification& notification) {
  Control& button = *notification.sender;
  const std::optional<int> level = NumberInName(button.Name(), kColourPrefix);
  if (!level || *level < 1 || *level > kDpiControls) return false;
  if (notification.type == notify::kClick) {
    ChooseDpiColour(button, *level);
  } else if (notification.type == notify::kMouseEnter) {
    button.SetBorderColour(kHoverBorderColour);
    button.SetBorderSize(kHoverBorderSize);
  } else if (notification.type == notify::kMouseLeave) {
    button.SetBorderSize(0);
  } else {
    return false;
  }
  return true;
}

bool MousePerformancePage::HandleDpiSlider(const Control& slider, bool released) {
  const std::optional<int> level = NumberInName(slider.Name(), kDpiPrefix, "_slider");
  if (!level || *level < 1 || *level > kDpiControls) return false;
  const int index = slider.Value();
  ShowDpiValue(*level, index);
  if (!released) return true;
  // The sixth slider is shown only: the record has no sixth level.
  if (*level <= kMouseDpiLevels) mouse_.state().live.SetDpi(*level, ToByte(index));
  mouse_.MarkDirty();
  return true;
}

void MousePerformancePage::ChooseDpiColour(Control& button, int level) {
  const PaletteChoice choice = dialogs_.RunPalette(&window_, button.BackgroundColour());
  if (choice.result != kPaletteConfirmed) return;
  button.SetBackgroundColour(choice.colour);
  if (level <= kMouseDpiLevels) {
    mouse_.state().live.colours[static_cast<std::size_t>(level - 1)] = RgbOf(choice.colour);
  }
  mouse_.MarkDirty(kDeviceProfile);
}

void MousePerformancePage::StepWheel(int step) {
  Control* edit = window_.Find(kWheelEdit);
  if (edit == nullptr) return;
  // Out-of-range text is first brought into range, so that up from "0" gives 2.
  const int current = std::clamp(ParseDecimalPrefix(edit->Text()), kMinWheelLines, kMaxWheelLines);
  const int lines = std::clamp(current + step, kMinWheelLines, kMaxWheelLines);
  edit->SetText(std::to_string(lines));
  mouse_.SetWheelLines(static_cast<std::uint8_t>(lines));
  profiles_.SaveSelected(DeviceKind::kMouse, kLightAndDevice);
}

void MousePerformancePage::CorrectWheelText(Control& edit) {
  const int lines = ParseDecimalPrefix(edit.Text());
  if (lines > kMaxWheelLines) edit.SetText(std::to_string(kMaxWheelLines));
  if (lines < kMinWheelLines) edit.SetText(std::to_string(kMinWheelLines));
}

void MousePerformancePage::ApplyWheelText(const Control& edit) {
  // Text set without a text-changed notification may still be out of range.
  const int lines = std::clamp(ParseDecimalPrefix(edit.Text()), kMinWheelLines, kMaxWheelLines);
  mouse_.SetWheelLines(static_cast<std::uint8_t>(lines));
  profiles_.SaveSelected(DeviceKind::kMouse, kDeviceProfile);
}

void MousePerformancePage::ApplyPointerSlider(const Control& slider) {
  const int value = std::max(slider.Value(), 0);
  mouse_.SetPointerSpeed(ToByte(2 * (value + 1)));
  profiles_.SaveSelected(DeviceKind::kMouse, kLightAndDevice);
}

void MousePerformancePage::RestoreDefaults() {
  if (Control* slider = window_.Find(kPointerSlider)) slider->SetValue(kDefaultPointerSlider);
  if (Control* edit = window_.Find(kWheelEdit)) edit->SetText(kDefaultWheelText);
  mouse_.Reset();
}

void MousePerformancePage::ShowDpiValue(int level, int index) {
  if (Control* label = window_.Find(LevelControl(level, "_label_value"))) {
    label->SetText(DpiLabel(index));
  }
}

void MousePerformancePage::ShowDpiRanges() {
  const MouseDeviceInfo& info = mouse_.state().info;
  const auto range = SensorRange(info.sensor_code());
  for (int level = 1; level <= kDpiControls; ++level) {
    if (Control* slider = window_.Find(LevelControl(level, "_slider"))) {
      slider->SetRange(0, info.max_dpi_index());
    }
    if (!range) continue;
    if (Control* label = window_.Find(LevelControl(level, "_min"))) label->SetText(range->first);
    if (Control* label = window_.Find(LevelControl(level, "_max"))) label->SetText(range->second);
  }
}

void MousePerformancePage::ShowActiveLevel() {
  const int active = mouse_.state().live.active_dpi;
  for (int level = 1; level <= kDpiControls; ++level) {
    const std::optional<std::uint32_t> colour = LevelColour(level, active);
    if (!colour) continue;
    for (const char* part : {"_label_rank", "_label_value"}) {
      if (Control* label = window_.Find(LevelControl(level, part))) label->SetForeColour(*colour);
    }
  }
}

}  // namespace vandrel
