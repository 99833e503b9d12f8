// The insert panels of the mouse buttons and the pointer moves: each inserts one mouse step with
// a 50 ms pause after it.
#include <algorithm>

#include "core/decimal.h"
#include "macro/macro_editor.h"
#include "macro/mouse_action_table.h"
#include "macro/step_rows.h"

namespace vandrel {
namespace {

constexpr std::uint16_t kInsertedDelay = 50;

}  // namespace

bool MacroEditor::HandleInsetButton(const Control& sender) {
  for (const InsetPanel& inset : controls_.insets) {
    if (Is(inset.opener, sender)) {
      ToggleInsetPanel(inset);
      return true;
    }
    if (Is(inset.press, sender) || Is(inset.release, sender)) {
      const int row = Is(inset.press, sender) ? inset.press_row : inset.release_row;
      InsertMouseStep(MouseStep(static_cast<std::size_t>(row)));
      return true;
    }
  }
  for (const MoveButton& move : controls_.moves) {
    if (!Is(move.button, sender)) continue;
    const int typed = move.distance != nullptr ? ParseDecimalPrefix(move.distance->RawText()) : 0;
    // The distance field is one byte.
    InsertMouseStep(
        MouseStep(static_cast<std::size_t>(move.row), static_cast<std::uint8_t>(typed)));
    return true;
  }
  return false;
}

// At most one panel is open; its own button closes it.
void MacroEditor::ToggleInsetPanel(const InsetPanel& pressed) {
  const bool was_open = pressed.panel != nullptr && pressed.panel->IsVisible();
  for (const InsetPanel& inset : controls_.insets) SetVisible(inset.panel, false);
  SetVisible(pressed.panel, !was_open);
}

// The mouse page inserts before the selected row, the keyboard page after it; the selected row
// stays selected, and the first row of an empty list becomes the selected one.
void MacroEditor::InsertMouseStep(MacroAction action) {
  Control* steps = controls_.step_list;
  if (SelectedMacro() < 0 || steps == nullptr) return;
  action.delay = kInsertedDelay;
  const int selected = steps->CurrentIndex();
  const bool was_empty = steps->ItemCount() == 0;
  int index = std::max(selected, 0);
  if (traits_.inserts_after_selection) index = was_empty ? 0 : selected + 1;
  (void)steps->InsertItem(index, StepRow(traits_.prefix, FormatAction(action)));
  if (was_empty) (void)steps->SelectItem(0, Notify::kNo);
  MarkEdited();
}

}  // namespace vandrel
