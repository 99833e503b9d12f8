// MacroEditor: the macro page of the mouse or of the keyboard, on the main window's controls: the
// list of the device's macros, the steps of the loaded macro, add, delete, rename, reorder, the
// key and mouse step editors, the insert panels, save and cancel, import and export. The files
// are the MacroStore's; the editor keeps no copy of them beyond the rows it shows.
//
// States: empty (no macro), clean (a macro loaded as stored) and editing (the loaded macro has
// unsaved edits: the save/cancel panel is shown and the name list takes no input).
//
// User-interface thread only, including AbandonEdit (a monitor's request must be posted there).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/editor_controls.h"
#include "macro/editor_traits.h"
#include "macro/macro_action.h"
#include "macro/macro_changes.h"
#include "macro/macro_store.h"
#include "ui/dialogs.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

// Messages of the editor's refusals beyond the long-standing ones.
inline constexpr std::string_view kMacroNameInvalidMessage = "message_text_macro_name_invalid";
inline constexpr std::string_view kMacroNameLongMessage = "message_text_macro_name_long";
inline constexpr std::string_view kMacroFileExistsMessage = "message_text_macro_file_exists";
inline constexpr std::string_view kMacroWriteFailedMessage = "message_text_macro_write_failed";
inline constexpr std::string_view kMacroImportLargeMessage = "message_text_macro_import_large";
inline constexpr std::string_view kMacroImportTextMessage = "message_text_macro_import_text";
inline constexpr std::string_view kMacroImportFailedMessage = "message_text_macro_import_failed";
inline constexpr std::string_view kMacroExportFailedMessage = "message_text_macro_export_failed";

// What the key assignment pages do around the editor's changes. Unset members do nothing.
struct MacroBindingHooks {
  // Before macro `number` is deleted: whether the bindings let it go (may ask the user).
  std::function<bool(int number)> may_delete;
  // Macro `number` was deleted: bindings to later macros move down by one.
  std::function<void(int number)> deleted;
  // A macro was renamed: the key display shows macro names.
  std::function<void()> renamed;
};

class MacroEditor {
 public:
  enum class State { kEmpty, kClean, kEditing };

  // `store`, `window` (the main window with the device's macro panels) and `dialogs` must
  // outlive the editor. `program_folder` holds the default recoil files the mouse's store copies.
  MacroEditor(MacroStore& store, WindowModel& window, Dialogs& dialogs,
              std::filesystem::path program_folder);

  // The store the editor edits.
  [[nodiscard]] const MacroStore& store() const { return store_; }

  void SetBindingHooks(MacroBindingHooks hooks) { hooks_ = std::move(hooks); }

  // The page built at start: the macro list and its picker entries from the catalogue, the
  // last macro loaded, the key choice filled.
  void InitEditor();
  // A notification of one of the editor's controls; false when the editor does not act on it.
  bool Handle(const Notification& notification);
  // The import and export buttons; false for other controls.
  bool HandleImportExport(const Notification& notification);
  // The device went away during an edit: the recording controls are reset and the edits
  // cancelled. Nothing when no edit is open.
  void AbandonEdit();

  [[nodiscard]] State state() const { return state_; }
  [[nodiscard]] bool IsEditing() const { return state_ == State::kEditing; }
  [[nodiscard]] DeviceKind kind() const { return traits_.kind; }

 private:
  bool HandleClick(const Control& sender);

  // Names (name_list.cpp).
  void AddNameRow(const std::string& name, bool at_start);
  [[nodiscard]] std::vector<std::string> Names() const;
  [[nodiscard]] int SelectedMacro() const;
  [[nodiscard]] std::string SelectedName() const;
  void LoadSelected(int previous);
  void LoadSteps(const std::string& name);
  bool AddMacro();
  // Whether a macro may be added now: not during an edit, and only with a list to show it in.
  [[nodiscard]] bool MayAddMacro();
  void ShowAdded(const std::string& name);
  void DeleteMacro();
  void ShowDeleted(int selected);
  void RenameMacro();
  void ShowRenamed(int selected, const std::string& name);
  // The message of a change the library refused, if the page shows one for it.
  void ShowRefusal(MacroChange result);

  // Steps (step_list.cpp).
  [[nodiscard]] std::vector<std::string> StepLines() const;
  [[nodiscard]] int SelectedStep() const;
  [[nodiscard]] bool IsMoveButton(const Control& sender) const;
  bool MoveStep(const Control& button);
  bool DeleteStep();
  bool DeleteAllSteps();
  void ShowStep(int row);
  void ShowKeyStep(const MacroAction& action);
  void ShowMouseStep(const MacroAction& action);

  // Step editors (step_editors.cpp).
  bool HandleStepEditor(const Notification& notification);
  void EditSelectedStep(const std::function<void(MacroAction&)>& edit);
  void ChooseKey(int entry);
  void ChoosePress(int entry);
  void ChooseMouseEntry(int entry);
  void EditDelay(Control& edit);
  void EditDistance(Control& edit);

  // Insert panels (insert_panels.cpp).
  bool HandleInsetButton(const Control& sender);
  void ToggleInsetPanel(const InsetPanel& pressed);
  void InsertMouseStep(MacroAction action);

  // States, save and cancel (editor_states.cpp).
  void MarkEdited();
  void EnterEmpty();
  void EnableMacroControls();
  void SetMacroControlsEnabled(bool enabled);
  void LeaveEditing();
  void SaveMacro();
  void CancelEdits();
  void ResetRecordingControls();
  void SwitchPanels(bool mouse_events);
  void ShowWriteFailed();
  int ShowMessage(std::string_view id);

  // Import and export (import_export.cpp).
  void ExportMacro();
  void ImportMacro();
  [[nodiscard]] FileDialogRequest MacroFileRequest() const;

  const EditorTraits& traits_;
  MacroStore& store_;
  WindowModel& window_;
  Dialogs& dialogs_;
  const std::filesystem::path program_folder_;
  EditorControls controls_;
  MacroBindingHooks hooks_;
  State state_ = State::kEmpty;
  bool renaming_ = false;  // a rename's own message or focus change must not start another
};

}  // namespace vandrel
