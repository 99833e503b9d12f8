// The keyboard's three lighting mode lists — one for the per-key keyboards (models 0 and 2), one
// for the single-colour keyboard, one for the six-zone keyboard — and what choosing a mode does to
// the Lighting tab: which option groups are enabled, disabled, shown or hidden, and which captions
// the direction options wear. Each list is one table, a row per mode (its item index).
// User-interface thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "keyboard/keyboard_model.h"
#include "ui/lighting_controls.h"
#include "ui/window_model.h"

namespace vandrel {

// The option groups of the page, in the order of a full row's cells.
inline constexpr std::array<std::string_view, 13> kKeyboardLightingGroups = {
    "kb_deng_fx_layout",            // direction
    "kb_deng_color_layout",         // palette, typed components, presets
    "kb_deng_7colorselect_layout",  // seven colours
    "kb_deng_speed_layout",
    "kb_deng_same_mode",
    "kb_deng_color_display_layout",  // the fixed colour
    "kb_deng_custom_tool_layout",    // all keys off / on
    "kb_deng_custom_select_layout",  // the colour set
    "kb_deng_custom_color_layout",   // the paint colour
    "kb_deng_rgb_layout",
    "kb_deng_color_lump",  // the preset colours
    "kb_deng_light_layout",
    "kb_deng_Color_Pallet",
};
using KeyboardGroupRow = std::array<GroupChange, kKeyboardLightingGroups.size()>;

// The texts the two direction options wear.
enum class DirectionCaptions : std::uint8_t {
  kKeep,          // as they were
  kLeftRight,     // "Deng_FXL_text" / "Deng_FXR_text"
  kUpDown,        // "Deng_FXU_text" / "Deng_FXD_text"
  kClockwise,     // "Deng_FXJ_text" / "Deng_FXK_text"
  kSpreadGather,  // "Deng_FXSPEAD_text" / "Deng_FXGATHER_text"
};

// One mode: the first five groups (direction, colour, seven colours, speed, same mode) and the
// captions.
struct KeyboardModeRow {
  std::array<GroupChange, 5> cells;
  DirectionCaptions captions;
};

struct KeyboardModeList {
  std::string_view combo;  // "kb_deng_combo_modeSelect" …
  std::span<const KeyboardModeRow> rows;
  std::uint8_t custom_mode;  // the mode whose keys are painted by clicking them
  KeyboardGroupRow custom;   // what the custom mode does beyond its row
};

// The list a keyboard of `model` offers.
[[nodiscard]] const KeyboardModeList& KeyboardModeListOf(KeyboardModel model);
// Whichever list `name` is the combo of; nullopt for any other control.
[[nodiscard]] std::optional<KeyboardModel> ModelOfModeCombo(std::string_view name);
// Shows the combo of `model`'s list and hides the other two.
void ShowModeListOf(WindowModel& window, KeyboardModel model);

// Applies `list`'s row for `mode` to the groups and captions found in `window`, from a common
// start: direction, colour, seven colours, speed, fixed colour, brightness and palette shown, the
// custom groups hidden, the colour set, typed components and presets enabled. False, with nothing
// changed, when the list has no such mode.
bool ApplyKeyboardModeRow(WindowModel& window, const KeyboardModeList& list, int mode);

}  // namespace vandrel
