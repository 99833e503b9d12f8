// The controls every device's lighting page has under its own prefix: the fixed colour's palette,
// preview, red, green and blue edits and seven-colour check, the two direction options, and the
// option groups a chosen mode enables and disables. The pages keep the settings; these helpers
// only show them and read back what the user typed. User-interface thread.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "device/lighting_block.h"
#include "ui/window_model.h"

namespace vandrel {

// What choosing a mode does to one option group of a lighting page.
enum class GroupChange : unsigned char {
  kKeep,         // left as it was
  kEnable,       // enabled, visibility kept
  kDisable,      // disabled, visibility kept
  kEnableShow,   // enabled and shown
  kDisableShow,  // disabled and shown
  kDisableHide,  // disabled and hidden
};

// Applies `row[i]` to the group named `groups[i]`; groups the window lacks are skipped.
void ApplyGroupChanges(WindowModel& window, std::span<const std::string_view> groups,
                       std::span<const GroupChange> row);

// The direction byte of a LightingBlock.
inline constexpr std::uint8_t kDirectionLeft = 1;
inline constexpr std::uint8_t kDirectionRight = 0;

// The speed slider shows 14 − speed, so that right is faster.
inline constexpr int kSlowestSpeed = 14;

struct LightingControlNames {
  std::string_view palette;                         // "…_deng_Color_Pallet"
  std::string_view preview;                         // "…_Deng_colordp_btn"
  std::array<std::string_view, 3> component_edits;  // red, green, blue: "…_Deng_edit_R" …
  std::string_view seven_colour;                    // "…_Deng_7color_check"
  std::string_view left_option;                     // "…_Deng_FXL_check"
  std::string_view right_option;                    // "…_Deng_FXR_check"
  std::string_view brightness_slider;               // "…_deng_light_slider"
  std::string_view speed_slider;                    // "…_deng_speed_slider"
};

class LightingControls {
 public:
  // `window` must outlive the helper; the names must be literals (they are kept as views).
  LightingControls(WindowModel& window, const LightingControlNames& names);

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
