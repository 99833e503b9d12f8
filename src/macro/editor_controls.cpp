#include "macro/editor_controls.h"

#include <string>

namespace vandrel {
namespace {

class Finder {
 public:
  Finder(const WindowModel& window, std::string_view prefix) : window_(window), prefix_(prefix) {}
  Control* operator()(std::string_view name) const {
    return window_.Find(std::string(prefix_) + std::string(name));
  }

 private:
  const WindowModel& window_;
  std::string_view prefix_;
};

InsetPanel Inset(const Finder& find, std::string_view button, int press_row, int release_row) {
  const std::string base = "macro_inset_" + std::string(button);
  return {find(base + "_btn"),   find(base + "_tab"), find(base + "down_btn"),
          find(base + "up_btn"), press_row,           release_row};
}

}  // namespace

EditorControls::EditorControls(const WindowModel& window, std::string_view prefix) {
  const Finder find(window, prefix);
  name_list = find("MacroName_list");
  step_list = find("Macro_list");
  picker = find("key_fct_combo_23");
  name_add = find("macro_btn_name_add");
  name_sub = find("macro_btn_name_sub");
  name_edit = find("macro_edit_macroname");
  rename = find("macro_btn_savemacroname");
  up = find("macro_btn_up");
  down = find("macro_btn_down");
  uptop = find("macro_btn_uptop");
  downbottom = find("macro_btn_downbottom");
  delete_step = find("macro_btn_delete");
  delete_all = find("macro_btn_deleteall");
  save = find("macro_btn_save");
  cancel = find("macro_btn_cancel");
  save_panel = find("macro_tab_saveorcancel");
  edit_tabs = find("tab_macro_edit");
  key_combo = find("macro_combo_keyselect");
  press_combo = find("macro_combo_upordown");
  key_delay = find("_macro_edit_ActionDelay");
  mouse_combo = find("macro_combo_mouselect");
  distance_panel = find("macro_tab_mou_pointer_skewing");
  distance_edit = find("macro_edit_mou_pointer_skewing");
  mouse_delay = find("_macro_edit_mou_action_delay");
  panel_switch = find("macro_btn_shubiao");
  name_panel = find("MacroName");
  mouse_event_panel = find("MacroMouseEvent");
  record = find("macro_btn_redio");
  check_time = find("macro_check_time");
  record_options = {find("macro_keyboard_event"), find("macro_mouse_click"),
                    find("macro_mouse_roller"), find("macro_mouse_move")};
  import = find("macro_btn_import");
  export_ = find("macro_btn_export");
  // Rows of the mouse action table: left 0/1, right 2/3, middle 4/5, forward 6/7, back 8/9.
  insets = {Inset(find, "leftkey", 0, 1), Inset(find, "moudlekey", 4, 5),
            Inset(find, "rightkey", 2, 3), Inset(find, "forwardkey", 6, 7),
            Inset(find, "backkey", 8, 9)};
  moves = {MoveButton{find("macro_inset_moveleftkey_btn"), find("mouse_x_left_edit"), 10},
           MoveButton{find("macro_inset_moverightkey_btn"), find("mouse_x_right_edit"), 11},
           MoveButton{find("macro_inset_moveupkey_btn"), find("mouse_y_up_edit"), 12},
           MoveButton{find("macro_inset_movedownkey_btn"), find("mouse_y_down_edit"), 13}};
}

void SetEnabled(Control* control, bool enabled) {
  if (control != nullptr) control->SetEnabled(enabled);
}

void SetVisible(Control* control, bool visible) {
  if (control != nullptr) control->SetVisible(visible);
}

void SetText(Control* control, std::string_view text) {
  if (control != nullptr) control->SetText(text);
}

bool Is(const Control* control, const Control& sender) { return control == &sender; }

}  // namespace vandrel
