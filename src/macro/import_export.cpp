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
  if (source && MayAddMacro()) {
    const std::string name = NextFreeName(Names());
    const ImportResult result = store_.ImportMacro(*source, name);
    if (result != ImportResult::kImported) {
      ShowImportRefusal(result);
    } else if (!AppendMacro(name)) {
      (void)store_.DeleteMacroFile(name);
    }
    return;
  }
  // During an edit the reload would change nothing: the edit was refused already.
  if (!IsEditing()) LoadSelected(-1);
}

void MacroEditor::ShowImportRefusal(ImportResult result) {
  switch (result) {
    case ImportResult::kImported:
      return;
    case ImportResult::kTooLarge:
      (void)ShowMessage(kMacroImportLargeMessage);
      return;
    case ImportResult::kNotText:
      (void)ShowMessage(kMacroImportTextMessage);
      return;
    case ImportResult::kUnreadable:
      (void)ShowMessage(kMacroImportFailedMessage);
      return;
    case ImportResult::kWriteFailed:
      ShowWriteFailed();
      return;
  }
}

}  // namespace vandrel
