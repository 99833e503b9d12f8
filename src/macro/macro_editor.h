// MacroEditor: the macro page of the mouse or of the keyboard, on the main window's controls: the
// list of the device's macros, the steps of the loaded macro, add, delete, rename, reorder, the
// key and mouse step editors, the insert panels, save and cancel, import and export. The files
// are the MacroStore's; the editor keeps no copy of them beyond the rows it shows.
//
// States: empty (no macro), clean (a macro loaded as stored) and editing (the loaded macro has
// unsaved edits: the save/cancel panel is shown and the name list takes no input). Recording is
// part of an edit: the record button starts it, with the input capture installed for the page,
// and the key and mouse messages it posts become step rows; the same button stops it.
//
// User-interface thread only, including AbandonEdit (a monitor's request must be posted there).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/input_capture.h"
#include "core/clock.h"
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

  // `store`, `window` (the main window with the device's macro panels), `dialogs`, `capture`
  // (installed while the page records) and `clock` (which times the recorded steps) must outlive
  // the editor. `program_folder` holds the default recoil files the mouse's store copies.
  MacroEditor(MacroStore& store, WindowModel& window, Dialogs& dialogs, InputCapture& capture,
              const Clock& clock, std::filesystem::path program_folder);

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

  // The record button: opens the edit and starts a recording, or stops the one running (also
  // after the window lost the activation, which removes the capture but not the recording).
  // Nothing without a macro.
  void ToggleRecording();
  // A key event of the capture (its wparam and lparam): while recording, a press or release
  // step of a key of the key table; a held key's repeated presses make no step.
  void OnKeyMessage(int key_message, CapturedKey key);
  // A mouse event of the capture: while recording with the click option, a press or release of
  // the left, right or middle button; the same message twice in a row makes one step.
  void OnMouseMessage(int mouse_message);
  [[nodiscard]] bool IsRecording() const { return recorder_.recording; }

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
  void SwitchPanels(bool mouse_events);
  void ShowWriteFailed();
  int ShowMessage(std::string_view id);

  // Recording (recorder.cpp).
  void StartRecorder();
  // `by_button`: the user's click on the record button, whose own press is not part of the macro.
  void StopRecorder(bool by_button);
  void LockForRecording(bool lock);
  void AppendRecorded(ListItem row);
  void SetRowDelay(int row, int delay);
  void DropStopClick();

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
  InputCapture& capture_;
  const Clock& clock_;
  State state_ = State::kEmpty;
  bool renaming_ = false;  // a rename's own message or focus change must not start another
  struct Recorder {
    bool recording = false;
    Clock::Duration last_step_time{};  // of the last recorded step, or of the start
    std::uint16_t last_pressed_key = 0;
    int last_mouse_message = 0;
  } recorder_;
};

}  // namespace vandrel
