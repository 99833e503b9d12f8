// The controls of one macro editor, looked up once by name on the main window. A control the skin
// lacks stays null and the editor leaves it alone. User-interface thread.
#pragma once

#include <array>
#include <string_view>

#include "ui/control.h"
#include "ui/window_model.h"

namespace vandrel {

// One mouse button's insert panel: the button that opens it, the panel, and its press and release
// buttons, with the mouse action rows those two insert.
struct InsetPanel {
  Control* opener = nullptr;
  Control* panel = nullptr;
  Control* press = nullptr;
  Control* release = nullptr;
  int press_row = 0;
  int release_row = 0;
};

// One pointer move button and the edit holding its distance.
struct MoveButton {
  Control* button = nullptr;
  Control* distance = nullptr;
  int row = 0;
};

struct EditorControls {
  EditorControls(const WindowModel& window, std::string_view prefix);

  Control* name_list;
  Control* step_list;
  Control* picker;  // the macro choice of the assignment page, one entry per macro
  Control* name_add;
  Control* name_sub;
  Control* name_edit;
  Control* rename;
  Control* up;
  Control* down;
  Control* uptop;
  Control* downbottom;
  Control* delete_step;
  Control* delete_all;
  Control* save;
  Control* cancel;
  Control* save_panel;  // visible while the loaded macro has unsaved edits
  Control* edit_tabs;   // page 0 nothing, 1 the key step editor, 2 the mouse step editor
  Control* key_combo;
  Control* press_combo;
  Control* key_delay;
  Control* mouse_combo;
  Control* distance_panel;
  Control* distance_edit;
  Control* mouse_delay;
  Control* panel_switch;
  Control* name_panel;
  Control* mouse_event_panel;
  Control* record;
  Control* check_time;
  std::array<Control*, 4> record_options;  // keyboard events, clicks, wheel, moves
  Control* import;
  Control* export_;
  std::array<InsetPanel, 5> insets;
  std::array<MoveButton, 4> moves;
};

// Null-safe changes of a control that may be missing from the skin.
void SetEnabled(Control* control, bool enabled);
void SetVisible(Control* control, bool visible);
void SetText(Control* control, std::string_view text);
[[nodiscard]] bool Is(const Control* control, const Control& sender);

}  // namespace vandrel
