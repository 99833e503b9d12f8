#include "macro/mouse_action_table.h"

#include <array>

namespace vandrel {
namespace {

constexpr std::uint8_t kPress = kMacroFlag | static_cast<std::uint8_t>(MacroKind::kMouseButton);
constexpr std::uint8_t kRelease = static_cast<std::uint8_t>(MacroKind::kMouseButton);
constexpr std::uint8_t kMoveX = static_cast<std::uint8_t>(MacroKind::kMoveX);
constexpr std::uint8_t kMoveY = static_cast<std::uint8_t>(MacroKind::kMoveY);

// The two extra buttons share their desktop messages; the rows tell them apart by value.
constexpr std::array<MouseActionRow, kMouseActionRowCount> kRows = {{
    {0x201, kPress, 1, "mouse_key_left"},
    {0x202, kRelease, 1, "mouse_key_left"},
    {0x204, kPress, 2, "mouse_key_right"},
    {0x205, kRelease, 2, "mouse_key_right"},
    {0x207, kPress, 4, "mouse_key_middle"},
    {0x208, kRelease, 4, "mouse_key_middle"},
    {0x20B, kPress, 16, "mouse_key_forward"},
    {0x20C, kRelease, 16, "mouse_key_forward"},
    {0x20B, kPress, 8, "mouse_key_back"},
    {0x20C, kRelease, 8, "mouse_key_back"},
    {0, kMacroFlag | kMoveX, 0, "mouse_move_to_left_text"},
    {0, kMoveX, 0, "mouse_move_to_right_text"},
    {0, kMacroFlag | kMoveY, 0, "mouse_move_to_up_text"},
    {0, kMoveY, 0, "mouse_move_to_down_text"},
    {0x20A, 0, 0, "mouse_cursor_text"},
    {0, 0, 0, "mouse_text"},
}};

bool IsMoveRow(std::size_t row) { return row >= kFirstMoveRow && row < kMouseStepRowCount; }

}  // namespace

std::span<const MouseActionRow> MouseActionTable() { return kRows; }

MacroAction MouseStep(std::size_t row, std::uint8_t distance) {
  if (row >= kMouseStepRowCount) return {};
  const MouseActionRow& source = kRows[row];
  MacroAction step;
  step.code = source.code;
  step.value = IsMoveRow(row) ? distance : source.value;
  step.pressed = (source.code & kMacroFlag) != 0 ? 1 : 0;
  step.name = std::string(source.name);
  return step;
}

std::optional<std::size_t> MouseRowOf(const MacroAction& action) {
  if (!action.IsMouseFamily()) return std::nullopt;
  for (std::size_t row = 0; row < kMouseStepRowCount; ++row) {
    const MouseActionRow& candidate = kRows[row];
    if (candidate.code != action.code) continue;
    if (IsMoveRow(row) || candidate.value == action.value) return row;
  }
  return std::nullopt;
}

}  // namespace vandrel
