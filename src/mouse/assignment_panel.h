// AssignmentPanel: the function panels that the mouse's button page and the keyboard's key page
// share. Both pages hold the same combos and edits under their own prefix ("ms_" or "kb_"):
// "<prefix>key_fct_combo_11" … "_26" and "<prefix>key_fct_edit_11" … "_25". This piece reads the
// assignment a panel holds, shows an assignment on its panel and keeps the edits' texts within
// the values a byte field takes. Only the category lists and what the pages do with the result
// differ. User-interface thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mouse/button_panels.h"
#include "mouse/key_assignment.h"
#include "ui/window_model.h"

namespace vandrel {

// The panels, by what they edit. A page's category combo lists some of them in its own order.
enum class FunctionPanel {
  kDefault,      // the key's or button's factory function; no controls
  kCapturedKey,  // a single key taken from a key press ("_edit_21" shows it)
  kMouseButton,  // "_combo_11"
  kTiltTurn,     // "_combo_12" direction, "_edit_15" value, "_edit_17" / "_edit_20" nibbles
  kWheelTurn,    // "_combo_13" direction, "_edit_16" value, "_edit_18" / "_edit_19" nibbles
  kDpi,          // "_combo_14"
  kFire,         // "_edit_11", "_edit_12"
  kMultimedia,   // "_combo_21"
  kSystem,       // "_combo_22"
  kMacro,        // "_combo_23" macro, "_combo_24" repeat mode, "_edit_25" count
  kRecoil,       // "_combo_25"
  kCombination,  // "_combo_26"
};

// How a shown assignment finds its item in the mouse-button and DPI lists.
enum class ListMatch {
  kParam1ForButtonsAndDpi,  // the mouse page: those two lists by param1, the others by both
  kBothParams,              // the keyboard page: every list by param1 and param2
};

class AssignmentPanel {
 public:
  // `window` holds the controls named with `prefix` and must outlive the panel.
  AssignmentPanel(WindowModel& window, std::string prefix, ListMatch match);

  // The assignment `panel` holds; nullopt when it holds none (no item selected, no macro
  // chosen). kDefault and kCapturedKey hold none here: the pages keep those themselves.
  [[nodiscard]] std::optional<KeyAssignment> Read(FunctionPanel panel) const;
  // The panel that shows `assignment`: type 0x20 with both params set is a key combination,
  // other keys are captured keys; types without a panel give nullopt.
  [[nodiscard]] static std::optional<FunctionPanel> PanelOf(const KeyAssignment& assignment);
  // Sets `panel`'s controls from `assignment`: edits first (without notification), then the list
  // items with an "itemselect", as a user's choice would, so that the page stores the shown
  // assignment again. A macro beyond the list, or a function no list item holds, selects none.
  void Show(FunctionPanel panel, const KeyAssignment& assignment);
  // "<prefix>tab_function_26" (the count) is shown exactly when the repeat mode asks for one.
  void ShowCountPanel();
  // Corrects `edit`'s text when it is one of the panels' number edits (button_panels.h has the
  // rules), putting the caret at the end; false when it is not such an edit.
  bool CorrectEdit(Control& edit) const;
  // The number of the panels' edit or combo `name` ("<prefix>key_fct_edit_NN" gives NN); nullopt
  // for other names.
  [[nodiscard]] std::optional<int> EditNumber(std::string_view name) const;
  [[nodiscard]] std::optional<int> ComboNumber(std::string_view name) const;

 private:
  [[nodiscard]] Control* Combo(int number) const;
  [[nodiscard]] Control* Edit(int number) const;
  [[nodiscard]] int Selected(int combo) const;
  [[nodiscard]] std::uint8_t EditValue(int edit) const;
  [[nodiscard]] std::optional<KeyAssignment> ReadList(FunctionPanel panel) const;
  [[nodiscard]] std::optional<KeyAssignment> ReadMacro() const;
  void ShowDirectional(FunctionPanel panel, const KeyAssignment& assignment);
  void ShowMacro(const KeyAssignment& assignment);
  void ShowListItem(FunctionPanel panel, const KeyAssignment& assignment);
  void SetEdit(int edit, int value);
  void SelectInCombo(int combo, int index);

  WindowModel& window_;
  std::string prefix_;
  ListMatch match_;
};

}  // namespace vandrel
