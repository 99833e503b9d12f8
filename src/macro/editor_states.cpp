// The editor's states (empty, clean, editing) and the ways out of an edit: save, cancel and the
// abandon when the device goes away.
#include "macro/macro_editor.h"

namespace vandrel {

// Every control that needs a loaded macro, with the five recording options.
void MacroEditor::EnableMacroControls() { SetMacroControlsEnabled(true); }

void MacroEditor::SetMacroControlsEnabled(bool enabled) {
  const EditorControls& c = controls_;
  for (Control* control : {c.name_sub, c.save, c.cancel, c.up, c.down, c.downbottom, c.delete_step,
                           c.delete_all, c.record, c.check_time}) {
    SetEnabled(control, enabled);
  }
  for (Control* option : c.record_options) SetEnabled(option, enabled);
  // The mouse page's uptop button stays enabled and shows by its hot image whether it works.
  if (!traits_.uptop_keeps_enabled) {
    SetEnabled(c.uptop, enabled);
  } else if (c.uptop != nullptr) {
    c.uptop->SetEnabled(true);
    c.uptop->SetHotImage(enabled ? kUptopHotImage : kUptopUnusedImage);
  }
}

void MacroEditor::EnterEmpty() {
  SetMacroControlsEnabled(false);
  SetVisible(controls_.save_panel, false);
  if (controls_.name_list != nullptr) controls_.name_list->SetInputEnabled(true);
  if (controls_.step_list != nullptr) controls_.step_list->RemoveAllItems();
  if (controls_.edit_tabs != nullptr) (void)controls_.edit_tabs->SelectPage(0);
  state_ = State::kEmpty;
}

// Any change to the loaded macro's steps, a click on a step, or an insert.
void MacroEditor::MarkEdited() {
  if (state_ == State::kEmpty) return;
  state_ = State::kEditing;
  if (controls_.name_list != nullptr) controls_.name_list->SetInputEnabled(false);
  SetVisible(controls_.save_panel, true);
}

void MacroEditor::LeaveEditing() {
  SetVisible(controls_.save_panel, false);
  if (controls_.edit_tabs != nullptr) (void)controls_.edit_tabs->SelectPage(0);
  SetEnabled(controls_.name_sub, true);
  if (controls_.name_list != nullptr) controls_.name_list->SetInputEnabled(true);
  state_ = State::kClean;
}

// A failed write keeps the edit open, so that the user can save again.
void MacroEditor::SaveMacro() {
  const int selected = SelectedMacro();
  if (selected < 0) return;
  const std::vector<std::string> names = Names();
  const int count = static_cast<int>(names.size());
  const std::string& name = names[static_cast<std::size_t>(selected)];
  if (!store_.WriteCatalogueEntry(count, count - 1, names.back()) ||
      !store_.WriteMacro(name, name, StepLines())) {
    ShowWriteFailed();
    return;
  }
  LeaveEditing();
  if (traits_.save_shows_name_panel) {
    if (controls_.panel_switch != nullptr)
      (void)controls_.panel_switch->SetSelected(false, Notify::kNo);
    SwitchPanels(false);
  }
}

void MacroEditor::CancelEdits() {
  LeaveEditing();
  if (controls_.step_list != nullptr) controls_.step_list->RemoveAllItems();
  // Only a catalogue that lists the rows shown can say what the selected macro holds.
  if (SelectedMacro() >= 0 && store_.ReadCatalogue().size() == Names().size()) {
    LoadSteps(SelectedName());
  }
}

// Whether or not a recording runs, the recording controls are reset as a stop would.
void MacroEditor::AbandonEdit() {
  if (!IsEditing()) return;
  StopRecorder(false);
  CancelEdits();
}

void MacroEditor::SwitchPanels(bool mouse_events) {
  SetVisible(controls_.mouse_event_panel, mouse_events);
  SetVisible(controls_.name_panel, !mouse_events);
}

void MacroEditor::ShowWriteFailed() { (void)ShowMessage(kMacroWriteFailedMessage); }

}  // namespace vandrel
