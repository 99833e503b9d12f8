#include "macro/macro_editor.h"

#include <utility>

#include "macro/key_table.h"

namespace vandrel {

MacroEditor::MacroEditor(MacroStore& store, WindowModel& window, Dialogs& dialogs,
                         InputCapture& capture, const Clock& clock,
                         std::filesystem::path program_folder)
    : traits_(TraitsOf(store.kind())),
      store_(store),
      window_(window),
      dialogs_(dialogs),
      program_folder_(std::move(program_folder)),
      controls_(window, traits_.prefix),
      capture_(capture),
      clock_(clock) {}

void MacroEditor::InitEditor() {
  if (controls_.step_list != nullptr) controls_.step_list->RemoveAllItems();
  if (!store_.InitialiseRecoil(program_folder_)) ShowWriteFailed();
  if (controls_.name_list != nullptr) controls_.name_list->RemoveAllItems();
  if (controls_.picker != nullptr) controls_.picker->RemoveAllItems();
  for (const std::string& name : store_.ReadCatalogue()) AddNameRow(name, true);
  if (Control* keys = controls_.key_combo) {
    keys->RemoveAllItems();
    for (const KeyRow& key : KeyTable()) {
      ListItem item = ListItem::OfText(std::string(key.id), true);
      item.height = 30;
      keys->AddItem(std::move(item));
    }
  }
  const int count = static_cast<int>(Names().size());
  if (count == 0) {
    EnterEmpty();
    return;
  }
  EnableMacroControls();
  (void)controls_.name_list->SelectItem(count - 1, Notify::kNo);
  state_ = State::kClean;
  LoadSelected(-1);
}

bool MacroEditor::Handle(const Notification& notification) {
  const Control& sender = *notification.sender;
  const std::string_view type = notification.type;
  const EditorControls& c = controls_;
  if (type == notify::kItemSelect && Is(c.name_list, sender)) {
    LoadSelected(notification.previous);
    return true;
  }
  if (type == notify::kItemClick && Is(c.step_list, sender)) {
    ShowStep(notification.index);
    return true;
  }
  if (type == notify::kKillFocus && Is(c.name_edit, sender)) {
    RenameMacro();
    return true;
  }
  if (type == notify::kSelectChanged && Is(c.panel_switch, sender)) {
    SwitchPanels(sender.IsSelected());
    return true;
  }
  if (HandleStepEditor(notification)) return true;
  return type == notify::kClick && HandleClick(sender);
}

bool MacroEditor::HandleClick(const Control& sender) {
  const EditorControls& c = controls_;
  const auto run = [&sender](const Control* control, auto&& operation) {
    if (!Is(control, sender)) return false;
    operation();
    return true;
  };
  const auto step_operation = [this](bool changed) {
    if (changed) MarkEdited();
  };
  return run(c.name_add, [this] { (void)AddMacro(); }) ||
         run(c.name_sub, [this] { DeleteMacro(); }) || run(c.rename, [this] { RenameMacro(); }) ||
         run(c.save, [this] { SaveMacro(); }) || run(c.cancel, [this] { CancelEdits(); }) ||
         run(c.delete_step, [&] { step_operation(DeleteStep()); }) ||
         run(c.delete_all, [&] { step_operation(DeleteAllSteps()); }) ||
         (IsMoveButton(sender) && (step_operation(MoveStep(sender)), true)) ||
         HandleInsetButton(sender);
}

bool MacroEditor::HandleImportExport(const Notification& notification) {
  if (notification.type != notify::kClick) return false;
  if (Is(controls_.export_, *notification.sender)) {
    ExportMacro();
    return true;
  }
  if (Is(controls_.import, *notification.sender)) {
    ImportMacro();
    return true;
  }
  return false;
}

}  // namespace vandrel
