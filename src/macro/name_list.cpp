// The list of macro names: loading, adding, deleting and renaming macros.
#include <filesystem>
#include <system_error>

#include "macro/macro_editor.h"
#include "macro/step_rows.h"
#include "ui/dialogs.h"

namespace vandrel {
namespace {

constexpr std::string_view kEditingMessage = "message_text_3";
constexpr std::string_view kConfirmDeleteMessage = "message_text_4";
constexpr std::string_view kDuplicateNameMessage = "message_text_5";
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

bool MacroEditor::AddMacro() { return MayAddMacro() && AppendMacro(NextFreeName(Names())); }

bool MacroEditor::MayAddMacro() {
  if (IsEditing()) {
    (void)ShowMessage(kEditingMessage);
    return false;
  }
  if (Names().size() < static_cast<std::size_t>(kMaxMacros)) return true;
  (void)ShowFormattedMessage(dialogs_, window_, "message_text_17", kMaxMacros);
  return false;
}

// The catalogue is written first, so that a failed write leaves the list as it was.
bool MacroEditor::AppendMacro(const std::string& name) {
  const int count = static_cast<int>(Names().size()) + 1;
  if (controls_.name_list == nullptr || !store_.WriteCatalogueEntry(count, count - 1, name)) {
    ShowWriteFailed();
    return false;
  }
  AddNameRow(name, false);
  (void)controls_.name_list->SelectItem(count - 1, Notify::kNo);
  EnableMacroControls();
  state_ = State::kClean;
  LoadSelected(-1);
  return true;
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
  std::vector<std::string> names = Names();
  const std::string name = names[static_cast<std::size_t>(selected)];
  names.erase(names.begin() + selected);
  // The catalogue goes first: a file left behind is harmless, a listed macro without its file
  // would lose its steps.
  if (!store_.RewriteCatalogue(names)) {
    ShowWriteFailed();
    return;
  }
  const bool file_deleted = store_.DeleteMacroFile(name);
  (void)controls_.name_list->RemoveItem(selected);
  if (controls_.picker != nullptr) (void)controls_.picker->RemoveItem(selected);
  if (controls_.step_list != nullptr) controls_.step_list->RemoveAllItems();
  if (hooks_.deleted) hooks_.deleted(selected);
  if (names.empty()) {
    SetText(controls_.name_edit, "");
    EnterEmpty();
  } else {
    (void)controls_.name_list->SelectItem(0, Notify::kNo);
    if (controls_.picker != nullptr) (void)controls_.picker->SelectItem(0, Notify::kNo);
    LoadSelected(-1);
  }
  if (!file_deleted) ShowWriteFailed();
}

void MacroEditor::RenameMacro() {
  const int selected = SelectedMacro();
  if (renaming_ || selected < 0 || controls_.name_edit == nullptr) return;
  renaming_ = true;
  const std::string name = controls_.name_edit->RawText();
  const std::string current = SelectedName();
  if (!SameMacroName(name, current)) {
    std::string_view refusal = NameRefusal(selected, current, name);
    if (refusal.empty()) refusal = StoreRename(selected, current, name);
    if (refusal.empty()) {
      ShowRenamed(selected, name);
    } else {
      (void)ShowMessage(refusal);
      controls_.name_edit->SetText(current);
    }
  }
  renaming_ = false;
}

std::string_view MacroEditor::NameRefusal(int selected, const std::string& current,
                                          const std::string& name) const {
  const std::vector<std::string> names = Names();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (static_cast<int>(i) != selected && SameMacroName(names[i], name)) {
      return kDuplicateNameMessage;
    }
  }
  switch (CheckMacroName(name)) {
    case MacroNameProblem::kNone:
      break;
    case MacroNameProblem::kInvalid:
      return kMacroNameInvalidMessage;
    case MacroNameProblem::kTooLong:
      return kMacroNameLongMessage;
  }
  // Moving onto another file would point the catalogue at steps that are not this macro's.
  std::error_code error;
  if (!SameMacroName(name, current) && std::filesystem::exists(store_.MacroPath(name), error)) {
    return kMacroFileExistsMessage;
  }
  return {};
}

// A rename also stores the steps shown, edited or not, under the new name.
std::string_view MacroEditor::StoreRename(int selected, const std::string& current,
                                          const std::string& name) {
  if (!store_.WriteMacro(current, name, StepLines())) return kMacroWriteFailedMessage;
  switch (store_.RenameMacroFile(current, name)) {
    case RenameResult::kRenamed:
      break;
    case RenameResult::kTargetExists:
      return kMacroFileExistsMessage;
    case RenameResult::kInvalidName:
      return kMacroNameInvalidMessage;
    case RenameResult::kFailed:
      return kMacroWriteFailedMessage;
  }
  const int count = static_cast<int>(Names().size());
  if (store_.WriteCatalogueEntry(count, selected, name)) return {};
  // The catalogue still names the old file: put it back.
  (void)store_.RenameMacroFile(name, current);
  return kMacroWriteFailedMessage;
}

void MacroEditor::ShowRenamed(int selected, const std::string& name) {
  ListItem row = controls_.name_list->Item(selected);
  row.user_data = name;
  if (!row.cells.empty()) row.cells.front().text = name;
  (void)controls_.name_list->SetItem(selected, std::move(row));
  if (Control* picker = controls_.picker) (void)picker->SetItem(selected, PickerEntry(name));
  if (hooks_.renamed) hooks_.renamed();
}

}  // namespace vandrel
