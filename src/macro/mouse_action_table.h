// MouseActionTable: the sixteen rows that name mouse steps. Rows 0-9 pair each button's press and
// release, rows 10-13 are the four pointer moves (their value is the distance, chosen by the user),
// and rows 14 and 15 name the wheel and the mouse but no step is made from them. Constant data;
// any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "macro/macro_action.h"

namespace vandrel {

struct MouseActionRow {
  std::uint16_t message;  // the desktop's mouse message; 0 when the row has none
  std::uint8_t code;
  std::uint8_t value;  // 0 for the moves, whose value is a distance
  std::string_view name;
};

inline constexpr std::size_t kMouseActionRowCount = 16;
// Rows 0 to 13 make steps; the editor's mouse combo lists them in this order.
inline constexpr std::size_t kMouseStepRowCount = 14;
inline constexpr std::size_t kFirstMoveRow = 10;  // left, right, up, down

[[nodiscard]] std::span<const MouseActionRow> MouseActionTable();

// The step of row `row` (< kMouseStepRowCount) with `distance` for a move (ignored otherwise):
// pressed is the row's flag, the delay 0.
[[nodiscard]] MacroAction MouseStep(std::size_t row, std::uint8_t distance = 0);
// The row 0-13 that shows `action` in the editor's mouse combo: a button's row by code and value,
// a move's row by its kind and direction; nullopt for a step of the keyboard family or an unknown
// mouse step.
[[nodiscard]] std::optional<std::size_t> MouseRowOf(const MacroAction& action);

}  // namespace vandrel
