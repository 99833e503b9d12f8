// The list of macro names: loading, adding, deleting and renaming macros, and the messages of the
// changes the library refuses.
#include "macro/macro_editor.h"
#include "macro/step_rows.h"
#include "ui/dialogs.h"

namespace vandrel {
namespace {

constexpr std::string_view kEditingMessage = "message_text_3";
constexpr std::string_view kConfirmDeleteMessage = "message_text_4";
constexpr std::string_view kDuplicateNameMessage = "message_text_5";
constexpr std::string_view kLibraryFullMessage = "message_text_17";  // formatted with the limit
constexpr std::string_view kAddedRowStyle = "listex_item_style";
constexpr int kNameRowHeight = 30;
constexpr int kAddedNameRowHeight = 25;

ListItem NameRow(const std::string& name, bool at_start) {
  ListItem row = ListItem::OfText(name);
  row.user_data = name;
  row.height = at_start ? kNameRowHeight : kAddedNameRowHeight;
  if (!at_start) row.style = kAddedRowStyle;
  return row;
}

ListItem PickerEntry(const std::string& name) {
  ListItem entry = ListItem::OfText(name);
  entry.height = kNameRowHeight;
  return entry;
}

// The message identifier of a change's outcome; empty for the outcomes that show nothing.
std::string_view RefusalMessage(MacroChange result) {
  switch (result) {
    case MacroChange::kDone:
    case MacroChange::kUnchanged:
    case MacroChange::kNoSuchMacro:
      return {};
    case MacroChange::kLibraryFull:
      return kLibraryFullMessage;
    case MacroChange::kDuplicateName:
      return kDuplicateNameMessage;
    case MacroChange::kNameInvalid:
      return kMacroNameInvalidMessage;
    case MacroChange::kNameTooLong:
      return kMacroNameLongMessage;
    case MacroChange::kFileExists:
      return kMacroFileExistsMessage;
    case MacroChange::kSourceUnreadable:
      return kMacroImportFailedMessage;
    case MacroChange::kSourceTooLarge:
      return kMacroImportLargeMessage;
    case MacroChange::kSourceNotText:
      return kMacroImportTextMessage;
    // The page says no more about its files than that a write failed.
    case MacroChange::kOldNameInvalid:
    case MacroChange::kStepsNotWritten:
    case MacroChange::kMoveFailed:
    case MacroChange::kCatalogueNotWritten:
    case MacroChange::kFileNotRemoved:
    case MacroChange::kFileNotWritten:
      return kMacroWriteFailedMessage;
  }
  return kMacroWriteFailedMessage;
}

}  // namespace

void MacroEditor::AddNameRow(const std::string& name, bool at_start) {
  if (controls_.name_list != nullptr) controls_.name_list->AddItem(NameRow(name, at_start));
  if (controls_.picker != nullptr) controls_.picker->AddItem(PickerEntry(name));
}

std::vector<std::string> MacroEditor::Names() const {
  std::vector<std::string> names;
  if (controls_.name_list == nullptr) return names;
  for (const ListItem& row : controls_.name_list->Items()) names.push_back(row.user_data);
  return names;
}

int MacroEditor::SelectedMacro() const {
  return controls_.name_list != nullptr ? controls_.name_list->CurrentIndex() : -1;
}

std::string MacroEditor::SelectedName() const {
  const int selected = SelectedMacro();
  return selected < 0 ? std::string() : controls_.name_list->Item(selected).user_data;
}

int MacroEditor::ShowMessage(std::string_view id) {
  return dialogs_.ShowMessage(&window_, id, true);
}

void MacroEditor::LoadSelected(int previous) {
  if (IsEditing()) {
    (void)ShowMessage(traits_.unsaved_message);
    // The edited macro stays loaded, and so stays the chosen one.
    (void)controls_.name_list->SelectItem(previous, Notify::kNo);
    return;
  }
  if (SelectedMacro() < 0) return;
  const std::string name = SelectedName();
  SetText(controls_.name_edit, name);
  LoadSteps(name);
}

void MacroEditor::LoadSteps(const std::string& name) {
  Control* steps = controls_.step_list;
  if (steps == nullptr) return;
  steps->RemoveAllItems();
  for (const std::string& line : store_.ReadMacro(name)) {
    steps->AddItem(StepRow(traits_.prefix, line));
  }
  (void)steps->SelectItem(-1, Notify::kNo);
  if (controls_.edit_tabs != nullptr) (void)controls_.edit_tabs->SelectPage(0);
}

bool MacroEditor::AddMacro() {
  if (!MayAddMacro()) return false;
  const std::vector<std::string> names = Names();
  const std::string name = NextFreeName(names);
  const MacroChange result = AddLibraryMacro(store_, names, name);
  if (result != MacroChange::kDone) {
    ShowRefusal(result);
    return false;
  }
  ShowAdded(name);
  return true;
}

bool MacroEditor::MayAddMacro() {
  if (IsEditing()) {
    (void)ShowMessage(kEditingMessage);
    return false;
  }
  if (controls_.name_list != nullptr) return true;
  ShowWriteFailed();
  return false;
}

void MacroEditor::ShowAdded(const std::string& name) {
  AddNameRow(name, false);
  (void)controls_.name_list->SelectItem(controls_.name_list->ItemCount() - 1, Notify::kNo);
  EnableMacroControls();
  state_ = State::kClean;
  LoadSelected(-1);
}

void MacroEditor::DeleteMacro() {
  const int selected = SelectedMacro();
  if (selected < 0) return;
  if (IsEditing()) {
    (void)ShowMessage(kEditingMessage);
    return;
  }
  if (hooks_.may_delete && !hooks_.may_delete(selected)) return;
  if (ShowMessage(kConfirmDeleteMessage) != 1) return;
  const MacroChange result =
      DeleteLibraryMacro(store_, Names(), static_cast<std::size_t>(selected));
  if (result != MacroChange::kDone && result != MacroChange::kFileNotRemoved) {
    ShowRefusal(result);
    return;
  }
  ShowDeleted(selected);
  // The catalogue no longer lists the macro, so it is gone; a file left behind is only reported.
  if (result == MacroChange::kFileNotRemoved) ShowRefusal(result);
}

void MacroEditor::ShowDeleted(int selected) {
  (void)controls_.name_list->RemoveItem(selected);
  if (controls_.picker != nullptr) (void)controls_.picker->RemoveItem(selected);
  if (controls_.step_list != nullptr) controls_.step_list->RemoveAllItems();
  if (hooks_.deleted) hooks_.deleted(selected);
  if (controls_.name_list->ItemCount() == 0) {
    SetText(controls_.name_edit, "");
    EnterEmpty();
    return;
  }
  (void)controls_.name_list->SelectItem(0, Notify::kNo);
  if (controls_.picker != nullptr) (void)controls_.picker->SelectItem(0, Notify::kNo);
  LoadSelected(-1);
}

void MacroEditor::RenameMacro() {
  const int selected = SelectedMacro();
  if (renaming_ || selected < 0 || controls_.name_edit == nullptr) return;
  renaming_ = true;
  const std::string name = controls_.name_edit->RawText();
  const std::string current = SelectedName();
  if (!SameMacroName(name, current)) {
    // A rename also stores the steps shown, edited or not, under the new name.
    const std::vector<std::string> steps = StepLines();
    const MacroChange result =
        RenameLibraryMacro(store_, Names(), static_cast<std::size_t>(selected), name, steps);
    if (result == MacroChange::kDone) {
      ShowRenamed(selected, name);
    } else {
      ShowRefusal(result);
      controls_.name_edit->SetText(current);
    }
  }
  renaming_ = false;
}

void MacroEditor::ShowRenamed(int selected, const std::string& name) {
  ListItem row = controls_.name_list->Item(selected);
  row.user_data = name;
  if (!row.cells.empty()) row.cells.front().text = name;
  (void)controls_.name_list->SetItem(selected, std::move(row));
  if (Control* picker = controls_.picker) (void)picker->SetItem(selected, PickerEntry(name));
  if (hooks_.renamed) hooks_.renamed();
}

void MacroEditor::ShowRefusal(MacroChange result) {
  const std::string_view message = RefusalMessage(result);
  if (message == kLibraryFullMessage) {
    (void)ShowFormattedMessage(dialogs_, window_, message, kMaxMacros);
  } else if (!message.empty()) {
    (void)ShowMessage(message);
  }
}

}  // namespace vandrel
