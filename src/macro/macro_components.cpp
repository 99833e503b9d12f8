#include "macro/macro_components.h"

namespace vandrel {

MacroComponents::MacroComponents(CMainWnd& hub, WindowModel& window, Dialogs& dialogs,
                                 const DataFolders& folders, InputCapture& capture,
                                 const Clock& clock)
    : window_(window),
      dialogs_(dialogs),
      capture_(capture),
      mouse_store_(DeviceKind::kMouse, folders.GetMouseFolder()),
      keyboard_store_(DeviceKind::kKeyboard, folders.GetKeyboardFolder()),
      mouse_editor_(mouse_store_, window, dialogs, capture, clock, folders.GetProgramFolder()),
      keyboard_editor_(keyboard_store_, window, dialogs, capture, clock,
                       folders.GetProgramFolder()) {
  hub.SetMacroPart(*this);
  hub.SetPageHandler(Page::kMacroEditor, [this](const Notification& notification) {
    if (MacroEditor* editor = EditorOf(notification.sender->Name())) {
      (void)editor->Handle(notification);
    }
  });
  hub.SetPageHandler(Page::kMacroImportExport, [this](const Notification& notification) {
    if (MacroEditor* editor = EditorOf(notification.sender->Name())) {
      (void)editor->HandleImportExport(notification);
    }
  });
  hub.SetPageHandler(Page::kMacroRecording, [this](const Notification& notification) {
    MacroEditor* editor = EditorOf(notification.sender->Name());
    if (editor != nullptr && notification.type == notify::kClick) editor->ToggleRecording();
  });
  ReceiveRecording(mouse_editor_, CaptureMode::kMouseMacro);
  ReceiveRecording(keyboard_editor_, CaptureMode::kKeyboardMacro);
  hub.AddStartupStep([this] { keyboard_editor_.InitEditor(); });
  hub.AddStartupStep([this] { mouse_editor_.InitEditor(); });
}

MacroEditor& MacroComponents::editor(DeviceKind kind) {
  return kind == DeviceKind::kMouse ? mouse_editor_ : keyboard_editor_;
}

void MacroComponents::FollowBindings(DeviceKind kind,
                                     std::function<std::vector<BindingTable>()> tables,
                                     std::function<void()> refresh) {
  MacroBindingHooks hooks;
  hooks.may_delete = [this, tables](int number) {
    if (!BindsMacro(tables(), number)) return true;
    return dialogs_.ShowMessage(&window_, kMacroBoundMessage, true) == 1;
  };
  hooks.deleted = [tables, refresh](int number) {
    RenumberBindingsOnDelete(tables(), number);
    if (refresh) refresh();
  };
  hooks.renamed = refresh;
  editor(kind).SetBindingHooks(std::move(hooks));
}

void MacroComponents::StopRecording() { capture_.RemoveAll(); }

void MacroComponents::HandleHookMessage(int message, std::intptr_t wparam, std::intptr_t lparam) {
  (void)hook_receivers_.Deliver(message, wparam, lparam);
}

void MacroComponents::AbandonEdit(DeviceKind kind) {
  if (kind != DeviceKind::kMouse && kind != DeviceKind::kKeyboard) return;
  StopRecording();
  editor(kind).AbandonEdit();
}

bool MacroComponents::IsEditOpen(DeviceKind kind) const {
  if (kind == DeviceKind::kMouse) return mouse_editor_.IsEditing();
  return kind == DeviceKind::kKeyboard && keyboard_editor_.IsEditing();
}

void MacroComponents::ReceiveRecording(MacroEditor& editor, CaptureMode mode) {
  hook_receivers_.Set(KeyMessageOf(mode), [&editor](std::intptr_t wparam, std::intptr_t lparam) {
    editor.OnKeyMessage(static_cast<int>(wparam), CapturedKey::FromParam(lparam));
  });
  if (const std::optional<int> mouse = MouseMessageOf(mode)) {
    hook_receivers_.Set(*mouse, [&editor](std::intptr_t wparam, std::intptr_t) {
      editor.OnMouseMessage(static_cast<int>(wparam));
    });
  }
}

MacroEditor* MacroComponents::EditorOf(std::string_view name) {
  if (name.starts_with("ms_")) return &mouse_editor_;
  if (name.starts_with("kb_")) return &keyboard_editor_;
  return nullptr;
}

}  // namespace vandrel
