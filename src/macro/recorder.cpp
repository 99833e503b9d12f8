// Recording: the record button, and the key and mouse events of the input capture turned into
// step rows with the measured (or the fixed) pause after each.
#include <algorithm>
#include <chrono>
#include <optional>

#include "macro/key_table.h"
#include "macro/macro_editor.h"
#include "macro/mouse_action_table.h"
#include "macro/step_rows.h"

namespace vandrel {
namespace {

constexpr std::string_view kRecordText = "macro_btn_star_redio_text";
constexpr std::string_view kStopText = "macro_btn_stop_redio_text";
constexpr int kFixedDelay = 50;                // milliseconds, with the fixed-delay option
constexpr std::size_t kRecordedMouseRows = 6;  // press and release of left, right and middle

bool IsSelected(const Control* option) { return option != nullptr && option->IsSelected(); }

// The mouse action row of a button message; nullopt for moves, the wheel and the extra buttons.
std::optional<std::size_t> RecordedMouseRow(int mouse_message) {
  const std::span<const MouseActionRow> rows = MouseActionTable().first(kRecordedMouseRows);
  const auto found = std::ranges::find(rows, mouse_message, &MouseActionRow::message);
  if (found == rows.end()) return std::nullopt;
  return static_cast<std::size_t>(found - rows.begin());
}

}  // namespace

void MacroEditor::ToggleRecording() {
  if (Names().empty()) return;
  MarkEdited();
  SetVisible(controls_.save_panel, true);
  if (controls_.edit_tabs != nullptr) (void)controls_.edit_tabs->SelectPage(0);
  if (recorder_.recording) {
    StopRecorder(true);
  } else {
    StartRecorder();
  }
}

void MacroEditor::StartRecorder() {
  const EditorControls& c = controls_;
  const bool keyboard = IsSelected(c.record_options[0]);
  const bool mouse = std::ranges::any_of(c.record_options.begin() + 1, c.record_options.end(),
                                         [](const Control* option) { return IsSelected(option); });
  LockForRecording(true);
  // A capture that cannot be set up leaves the page recording with nothing arriving.
  (void)capture_.Install(traits_.recording_mode, keyboard, mouse);
  recorder_ = {.recording = true, .last_step_time = clock_.Now()};
  SetText(c.record, kStopText);
}

void MacroEditor::StopRecorder(bool by_button) {
  capture_.RemoveAll();
  if (by_button && recorder_.recording) DropStopClick();
  recorder_.recording = false;
  LockForRecording(false);
  SetText(controls_.record, kRecordText);
}

// While recording only the record button and the step rows arriving change the macro; the name
// list stays locked after the stop, since the edit goes on.
void MacroEditor::LockForRecording(bool lock) {
  const EditorControls& c = controls_;
  for (Control* control : {c.save, c.cancel, c.up, c.down, c.uptop, c.downbottom, c.delete_step,
                           c.delete_all, c.check_time}) {
    SetEnabled(control, !lock);
  }
  for (Control* option : c.record_options) SetEnabled(option, !lock);
  if (c.step_list != nullptr) c.step_list->SetInputEnabled(!lock);
  if (lock && c.name_list != nullptr) c.name_list->SetInputEnabled(false);
  if (!lock && traits_.uptop_keeps_enabled && c.uptop != nullptr) {
    c.uptop->SetHotImage(kUptopHotImage);
  }
}

void MacroEditor::OnKeyMessage(int key_message, CapturedKey key) {
  if (!recorder_.recording) return;
  const std::uint16_t virtual_key = HookedVirtualKey(key.virtual_key, key.flags);
  const bool press = key_message == kKeyDown || key_message == kSystemKeyDown;
  if (press) {
    if (virtual_key == recorder_.last_pressed_key) return;  // the key's auto-repeat
    recorder_.last_pressed_key = virtual_key;
  } else if (virtual_key == recorder_.last_pressed_key) {
    recorder_.last_pressed_key = 0;
  }
  const KeyRow* row = FindKey(virtual_key);
  if (row == nullptr) return;
  AppendRecorded(StepRow(traits_.prefix, FormatAction(KeyStep(*row, press))));
}

void MacroEditor::OnMouseMessage(int mouse_message) {
  if (!recorder_.recording) return;
  const std::optional<std::size_t> row = RecordedMouseRow(mouse_message);
  if (!row || !IsSelected(controls_.record_options[1])) return;
  if (mouse_message == recorder_.last_mouse_message) return;
  recorder_.last_mouse_message = mouse_message;
  AppendRecorded(RecordedRow(MouseStep(*row)));
}

// The new row's pause is not known yet: the gap up to it becomes the previous row's pause.
void MacroEditor::AppendRecorded(ListItem row) {
  Control* steps = controls_.step_list;
  if (steps == nullptr) return;
  steps->AddItem(std::move(row));
  const Clock::Duration now = clock_.Now();
  const auto gap =
      std::chrono::duration_cast<std::chrono::milliseconds>(now - recorder_.last_step_time);
  recorder_.last_step_time = now;
  int delay = static_cast<int>(std::min<std::int64_t>(gap.count(), kMaxMacroDelay));
  if (IsSelected(controls_.check_time)) delay = kFixedDelay;
  const int count = steps->ItemCount();
  if (count >= 2) SetRowDelay(count - 2, delay);
  steps->ScrollToEnd();
}

// A recorded mouse row stays one, any other row is rebuilt as a step row.
void MacroEditor::SetRowDelay(int row, int delay) {
  Control& steps = *controls_.step_list;
  const ListItem item = steps.Item(row);
  std::optional<MacroAction> action = ParseAction(item.user_data);
  if (!action) return;
  action->delay = static_cast<std::uint16_t>(delay);
  const bool recorded = item.style == kRecordedRowName;
  (void)steps.SetItem(
      row, recorded ? RecordedRow(*action) : StepRow(traits_.prefix, FormatAction(*action)));
}

// The press of the click that stops the recording reaches the recorder before the click does; it
// is the user's way to stop, not a step. Its release comes after the stop and is not recorded.
void MacroEditor::DropStopClick() {
  Control* steps = controls_.step_list;
  if (steps == nullptr || recorder_.last_mouse_message != kLeftButtonDown) return;
  const int last = steps->ItemCount() - 1;
  if (last < 0 || steps->Item(last).user_data != FormatAction(MouseStep(0))) return;
  (void)steps->RemoveItem(last);
  if (last > 0) SetRowDelay(last - 1, 0);
}

}  // namespace vandrel
