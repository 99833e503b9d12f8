// The key and mouse step editors: each change rewrites the selected row's action line and
// rebuilds the row from it. The number edits are held to their field's range.
#include <algorithm>

#include "core/decimal.h"
#include "macro/key_table.h"
#include "macro/macro_editor.h"
#include "macro/mouse_action_table.h"
#include "macro/step_rows.h"

namespace vandrel {
namespace {

// The edit's number held to 0 … `maximum`; the edit shows the held value when it had to move.
int HeldNumber(Control& edit, int maximum) {
  const int typed = ParseDecimalPrefix(edit.RawText());
  const int held = std::clamp(typed, 0, maximum);
  if (held != typed) edit.SetText(std::to_string(held));
  return held;
}

}  // namespace

bool MacroEditor::HandleStepEditor(const Notification& notification) {
  Control& sender = *notification.sender;
  const EditorControls& c = controls_;
  if (notification.type == notify::kItemSelect) {
    const int entry = notification.index;
    if (Is(c.key_combo, sender)) ChooseKey(entry);
    if (Is(c.press_combo, sender)) ChoosePress(entry);
    if (Is(c.mouse_combo, sender)) ChooseMouseEntry(entry);
    return Is(c.key_combo, sender) || Is(c.press_combo, sender) || Is(c.mouse_combo, sender);
  }
  if (notification.type != notify::kTextChanged) return false;
  if (Is(c.key_delay, sender) || Is(c.mouse_delay, sender)) {
    EditDelay(sender);
    return true;
  }
  if (Is(c.distance_edit, sender)) {
    EditDistance(sender);
    return true;
  }
  const bool move_distance = std::ranges::any_of(
      c.moves, [&sender](const MoveButton& move) { return Is(move.distance, sender); });
  if (move_distance) (void)HeldNumber(sender, kMaxMacroValue);
  return move_distance;
}

void MacroEditor::EditSelectedStep(const std::function<void(MacroAction&)>& edit) {
  const int selected = SelectedStep();
  if (selected < 0) return;
  Control& steps = *controls_.step_list;
  std::optional<MacroAction> action = ParseAction(steps.Item(selected).user_data);
  if (!action) return;
  edit(*action);
  (void)steps.SetItem(selected, StepRow(traits_.prefix, FormatAction(*action)));
}

void MacroEditor::ChooseKey(int entry) {
  const std::span<const KeyRow> keys = KeyTable();
  if (entry < 0 || static_cast<std::size_t>(entry) >= keys.size()) return;
  const KeyRow& key = keys[static_cast<std::size_t>(entry)];
  EditSelectedStep([&key](MacroAction& action) {
    const MacroAction chosen = KeyStep(key, action.pressed != 0);
    action.code = chosen.code;
    action.value = chosen.value;
    action.name = chosen.name;
  });
}

// The device plays the code's flag, so the flag follows the press state shown.
void MacroEditor::ChoosePress(int entry) {
  if (entry < 0) return;
  EditSelectedStep([entry](MacroAction& action) {
    if (action.IsMove()) return;
    action.pressed = entry != 0 ? 1 : 0;
    action.code =
        static_cast<std::uint8_t>((action.code & ~kMacroFlag) | (entry != 0 ? kMacroFlag : 0));
  });
}

void MacroEditor::ChooseMouseEntry(int entry) {
  if (entry < 0 || static_cast<std::size_t>(entry) >= kMouseStepRowCount) return;
  const bool move = static_cast<std::size_t>(entry) >= kFirstMoveRow;
  SetVisible(controls_.distance_panel, move);
  std::uint8_t distance = 0;
  EditSelectedStep([entry, move, &distance](MacroAction& action) {
    distance = move && action.IsMove() ? action.value : 0;
    const MacroAction chosen = MouseStep(static_cast<std::size_t>(entry), distance);
    action.code = chosen.code;
    action.value = chosen.value;
    action.pressed = chosen.pressed;
    action.name = chosen.name;
  });
  if (move) SetText(controls_.distance_edit, std::to_string(distance));
}

void MacroEditor::EditDelay(Control& edit) {
  const int delay = HeldNumber(edit, kMaxMacroDelay);
  EditSelectedStep(
      [delay](MacroAction& action) { action.delay = static_cast<std::uint16_t>(delay); });
}

// Only a move has a distance; a button's value is its button bit and stays.
void MacroEditor::EditDistance(Control& edit) {
  const int distance = HeldNumber(edit, kMaxMacroValue);
  EditSelectedStep([distance](MacroAction& action) {
    if (action.IsMove()) action.value = static_cast<std::uint8_t>(distance);
  });
}

}  // namespace vandrel
