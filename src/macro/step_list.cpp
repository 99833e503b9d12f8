// The step list: reordering and deleting rows, and showing the clicked step in its editor.
#include <optional>

#include "macro/key_table.h"
#include "macro/macro_editor.h"
#include "macro/mouse_action_table.h"
#include "macro/step_rows.h"

namespace vandrel {
namespace {

constexpr int kKeyEditorPage = 1;
constexpr int kMouseEditorPage = 2;

int KeyEntryOf(const MacroAction& action) {
  const bool modifier = action.kind() == static_cast<int>(MacroKind::kModifier);
  const std::span<const KeyRow> keys = KeyTable();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::uint8_t field = modifier ? keys[i].param1 : keys[i].param2;
    if (field == action.value) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::vector<std::string> MacroEditor::StepLines() const {
  std::vector<std::string> lines;
  if (controls_.step_list == nullptr) return lines;
  for (const ListItem& row : controls_.step_list->Items()) lines.push_back(row.user_data);
  return lines;
}

int MacroEditor::SelectedStep() const {
  return controls_.step_list != nullptr ? controls_.step_list->CurrentIndex() : -1;
}

bool MacroEditor::IsMoveButton(const Control& sender) const {
  const EditorControls& c = controls_;
  return Is(c.up, sender) || Is(c.down, sender) || Is(c.uptop, sender) || Is(c.downbottom, sender);
}

// The moved row is rebuilt as a step row from its line, whatever made it, and stays selected.
bool MacroEditor::MoveStep(const Control& button) {
  const int selected = SelectedStep();
  if (selected < 0) return false;
  Control& steps = *controls_.step_list;
  const int last = steps.ItemCount() - 1;
  const EditorControls& c = controls_;
  int target = selected;
  if (Is(c.up, button) && selected > 0) target = selected - 1;
  if (Is(c.down, button) && selected < last) target = selected + 1;
  if (Is(c.uptop, button)) target = 0;
  if (Is(c.downbottom, button)) target = last;
  if (target == selected) return false;
  const std::string line = steps.Item(selected).user_data;
  (void)steps.RemoveItem(selected);
  (void)steps.InsertItem(target, StepRow(traits_.prefix, line));
  (void)steps.SelectItem(target, Notify::kNo);
  return true;
}

bool MacroEditor::DeleteStep() {
  const int selected = SelectedStep();
  return selected >= 0 && controls_.step_list->RemoveItem(selected);
}

bool MacroEditor::DeleteAllSteps() {
  Control* steps = controls_.step_list;
  if (steps == nullptr || steps->ItemCount() == 0) return false;
  steps->RemoveAllItems();
  (void)steps->SelectItem(-1, Notify::kNo);
  return true;
}

void MacroEditor::ShowStep(int row) {
  if (SelectedMacro() < 0 || row < 0) return;
  MarkEdited();
  const std::optional<MacroAction> action = ParseAction(controls_.step_list->Item(row).user_data);
  if (!action) return;
  if (action->IsMouseFamily()) {
    ShowMouseStep(*action);
  } else {
    ShowKeyStep(*action);
  }
}

void MacroEditor::ShowKeyStep(const MacroAction& action) {
  const EditorControls& c = controls_;
  if (c.edit_tabs != nullptr) (void)c.edit_tabs->SelectPage(kKeyEditorPage);
  if (c.key_combo != nullptr) (void)c.key_combo->SelectItem(KeyEntryOf(action), Notify::kNo);
  if (c.press_combo != nullptr) {
    (void)c.press_combo->SelectItem(action.pressed != 0 ? 1 : 0, Notify::kNo);
  }
  SetText(c.key_delay, std::to_string(action.delay));
}

void MacroEditor::ShowMouseStep(const MacroAction& action) {
  const EditorControls& c = controls_;
  if (c.edit_tabs != nullptr) (void)c.edit_tabs->SelectPage(kMouseEditorPage);
  const std::optional<std::size_t> entry = MouseRowOf(action);
  if (c.mouse_combo != nullptr) {
    (void)c.mouse_combo->SelectItem(entry ? static_cast<int>(*entry) : -1, Notify::kNo);
  }
  SetVisible(c.distance_panel, action.IsMove());
  if (action.IsMove()) SetText(c.distance_edit, std::to_string(action.value));
  SetText(c.mouse_delay, std::to_string(action.delay));
}

}  // namespace vandrel
