// The controls every device's lighting page has under its own prefix: the fixed colour's palette,
// preview, red, green and blue edits and seven-colour check, the two direction options, and the
// option groups a chosen mode enables and disables. The pages keep the settings; these helpers
// only show them and read back what the user typed. User-interface thread.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/lighting_block.h"
#include "ui/window_model.h"

namespace vandrel {

// What choosing a mode does to one option group of a lighting page.
enum class GroupChange : unsigned char {
  kKeep,         // left as it was
  kEnable,       // enabled, visibility kept
  kDisable,      // disabled, visibility kept
  kShow,         // shown, enabled state kept
  kHide,         // hidden, enabled state kept
  kEnableShow,   // enabled and shown
  kDisableShow,  // disabled and shown
  kEnableHide,   // enabled and hidden
  kDisableHide,  // disabled and hidden
};

// Applies `row[i]` to the group named `groups[i]`; groups the window lacks are skipped.
void ApplyGroupChanges(WindowModel& window, std::span<const std::string_view> groups,
                       std::span<const GroupChange> row);

// The value the user typed into a component edit, 0-255; a value above 255 becomes the text "255"
// and a minus sign gives 0.
[[nodiscard]] std::uint8_t TakeComponentText(Control& edit);
// `argb` (0xAARRGGBB) made opaque with component `component` (0 red, 1 green, 2 blue) `value`.
[[nodiscard]] std::uint32_t WithComponent(std::uint32_t argb, int component, std::uint8_t value);

// The direction byte of a LightingBlock.
inline constexpr std::uint8_t kDirectionLeft = 1;
inline constexpr std::uint8_t kDirectionRight = 0;

// The speed slider shows 14 − speed, so that right is faster.
inline constexpr int kSlowestSpeed = 14;

// The names of the controls, each the device's prefix ("ms_", "mp_") and a name every device's page
// shares.
struct LightingControlNames {
  explicit LightingControlNames(std::string_view prefix);

  std::string palette;                         // "…_deng_Color_Pallet"
  std::string preview;                         // "…_Deng_colordp_btn"
  std::array<std::string, 3> component_edits;  // red, green, blue: "…_Deng_edit_R" …
  std::string seven_colour;                    // "…_Deng_7color_check"
  std::string left_option;                     // "…_Deng_FXL_check"
  std::string right_option;                    // "…_Deng_FXR_check"
  std::string left_button;                     // "…_Deng_FXL_btn", where a skin has it
  std::string right_button;                    // "…_Deng_FXR_btn", where a skin has it
  std::string brightness_slider;               // "…_deng_light_slider"
  std::string speed_slider;                    // "…_deng_speed_slider"
  std::string preset_prefix;                   // "…_Deng_color_btn_", then the preset's number
  std::string same_mode;                       // "…_deng_same_mode"
};

class LightingControls {
 public:
  // `window` must outlive the helper; `prefix` is the device's ("ms_", "mp_").
  LightingControls(WindowModel& window, std::string_view prefix);

  [[nodiscard]] const LightingControlNames& names() const { return names_; }

  // Everything of `block` but its mode: brightness and speed sliders, palette, preview, edits,
  // seven-colour check and direction.
  void ShowSettings(const LightingBlock& block) const;
  // The preview (its background image removed so that the colour shows) and the three edits show
  // `argb` (0xAARRGGBB).
  void ShowColour(std::uint32_t argb) const;
  void SelectInPalette(std::uint32_t argb) const;
  void ShowSevenColour(bool on) const;
  // Selects the option of kDirectionLeft or kDirectionRight; any other value leaves both.
  void ShowDirection(std::uint8_t direction) const;

  // Which component edit `name` is: 0 red, 1 green, 2 blue; nullopt for any other control.
  [[nodiscard]] std::optional<int> ComponentEdit(std::string_view name) const;
  // The user typed into the edit of `component` (as ComponentEdit gives it). A value above 255
  // becomes the text "255"; the component replaces that of the previewed colour (`fallback` when
  // the skin has no preview), which the preview and the palette then show; the seven-colour check
  // is cleared. The result is the component's value, 0-255.
  std::uint8_t TakeTypedComponent(Control& edit, int component, std::uint32_t fallback) const;

 private:
  [[nodiscard]] Control* Find(std::string_view name) const { return window_.Find(name); }

  WindowModel& window_;
  LightingControlNames names_;
};

}  // namespace vandrel
