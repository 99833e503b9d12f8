// MacroComponents: the two macro editors as the program assembles them — each device's store in
// its data folder and its editor on the main window — and their place in the hub: the macro part
// (ending an edit when the device goes away, telling the tabs whether an edit is open), the
// handlers of the editor and import/export pages, and the start-up steps that build the editors.
// The messages of the input capture go to whoever registered for them (the pages that take a
// key or record); whenever the hub stops recording (lost activation, another tab, the end), the
// capture is removed. User-interface thread.
#pragma once

#include <functional>
#include <vector>

#include "app/data_folders.h"
#include "app/device_part.h"
#include "app/hook_receivers.h"
#include "app/input_capture.h"
#include "app/main_window.h"
#include "macro/macro_bindings.h"
#include "macro/macro_editor.h"
#include "macro/macro_store.h"

namespace vandrel {

class MacroComponents final : public MacroPart {
 public:
  // Everything given must outlive the components; `hub`'s window must include the macro panels.
  // `clock` times the recorded steps.
  MacroComponents(CMainWnd& hub, WindowModel& window, Dialogs& dialogs, const DataFolders& folders,
                  InputCapture& capture, const Clock& clock);

  // The mouse's or the keyboard's editor.
  [[nodiscard]] MacroEditor& editor(DeviceKind kind);

  // Keeps the bindings of `tables()` (taken at each deletion) in step with the deletions of
  // `kind`'s editor: before a macro that something is bound to goes, kMacroBoundMessage asks;
  // unless the answer is 1 nothing is deleted. Once deleted, the bindings are renumbered and
  // `refresh` shows them; nothing is sent to the device until its next download.
  void FollowBindings(DeviceKind kind, std::function<std::vector<BindingTable>()> tables,
                      std::function<void()> refresh);

  // The device's macro library, as the download sends it.
  [[nodiscard]] const MacroStore& store(DeviceKind kind) const {
    return kind == DeviceKind::kMouse ? mouse_store_ : keyboard_store_;
  }
  // The capture the pages install, and who receives its messages.
  [[nodiscard]] InputCapture& capture() { return capture_; }
  [[nodiscard]] HookReceivers& hook_receivers() { return hook_receivers_; }

  void StopRecording() override;
  void HandleHookMessage(int message, std::intptr_t wparam, std::intptr_t lparam) override;
  void AbandonEdit(DeviceKind kind) override;
  [[nodiscard]] bool IsEditOpen(DeviceKind kind) const override;

 private:
  // The editor whose controls carry `name`'s prefix; nullptr for another name.
  [[nodiscard]] MacroEditor* EditorOf(std::string_view name);
  // The capture's key and mouse messages of `editor`'s recording go to it.
  void ReceiveRecording(MacroEditor& editor, CaptureMode mode);

  WindowModel& window_;
  Dialogs& dialogs_;
  InputCapture& capture_;
  HookReceivers hook_receivers_;
  MacroStore mouse_store_;
  MacroStore keyboard_store_;
  MacroEditor mouse_editor_;
  MacroEditor keyboard_editor_;
};

}  // namespace vandrel
