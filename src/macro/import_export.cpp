// Import and export: a macro file moves in or out as it is, through the platform's file dialogs.
#include <optional>

#include "macro/macro_editor.h"

namespace vandrel {

FileDialogRequest MacroEditor::MacroFileRequest() const {
  return {"mac", "*.mac", "Macro files (*.mac)"};
}

void MacroEditor::ExportMacro() {
  if (SelectedMacro() < 0) return;
  const std::optional<std::filesystem::path> target =
      dialogs_.ChooseFileToSave(&window_, MacroFileRequest());
  if (!target) return;
  if (!store_.ExportMacro(SelectedName(), *target)) (void)ShowMessage(kMacroExportFailedMessage);
}

// The file is checked and stored under the new macro's name before the macro is added, so that a
// refused file leaves no macro behind.
void MacroEditor::ImportMacro() {
  if (!Names().empty() && SelectedMacro() < 0) return;
  const std::optional<std::filesystem::path> source =
      dialogs_.ChooseFileToOpen(&window_, MacroFileRequest());
  // During an edit the reload would change nothing: the edit was refused already.
  if (!source) {
    if (!IsEditing()) LoadSelected(-1);
    return;
  }
  if (!MayAddMacro()) return;
  const std::vector<std::string> names = Names();
  const std::string name = NextFreeName(names);
  const MacroChange result = ImportLibraryMacro(store_, names, *source, name);
  if (result == MacroChange::kDone) {
    ShowAdded(name);
    return;
  }
  ShowRefusal(result);
  if (result == MacroChange::kLibraryFull) LoadSelected(-1);
}

}  // namespace vandrel
