// The mouse's three lighting mode lists and what choosing a mode does to the lighting page's
// option groups: each list is one table, a row per mode (its item index), a cell per group.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "ui/lighting_controls.h"
#include "ui/window_model.h"

namespace vandrel {

// The option groups of the lighting page, in the order of a row's cells.
inline constexpr std::array<std::string_view, 6> kLightingGroups = {
    "ms_deng_fx_layout",    "ms_deng_color_layout", "ms_deng_7colorselect_layout",
    "ms_deng_speed_layout", "ms_deng_light_layout", "ms_deng_same_mode"};

using ModeRow = std::array<GroupChange, kLightingGroups.size()>;

struct ModeList {
  std::string_view combo;  // "ms_deng_combo_modeSelect0" …
  std::span<const ModeRow> rows;
  bool clears_sync;  // choosing in this list ends the synchronised lighting of the mouse
};

// The three lists, 0-2.
[[nodiscard]] std::span<const ModeList> MouseModeLists();
// The list whose combo is `name`; nullopt for any other control.
[[nodiscard]] std::optional<std::size_t> ModeListOf(std::string_view name);
// Applies `list`'s row for `mode` to the groups found in `window`; false (nothing changed) when
// the list has no such mode.
bool ApplyModeRow(WindowModel& window, const ModeList& list, int mode);

}  // namespace vandrel
