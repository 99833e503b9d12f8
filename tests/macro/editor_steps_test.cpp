// The step list: reordering, the step editors and their limits, the insert panels, and the
// clean and editing states with the controls each one enables.
#include <gmock/gmock.h>

#include <variant>

#include "editor_fixture.h"
#include "macro/step_rows.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;

const std::string kA = "1,0,138,4,1,keyboard_key_A";
const std::string kB = "2,0,138,5,1,keyboard_key_B";
const std::string kC = "3,0,138,6,1,keyboard_key_C";

// The moved row stays selected; a button that changes nothing (at either end, or with no row
// selected) opens no edit.
TEST_F(EditorFixture, StepButtonsMoveTheSelectedRowAndOnlyAChangeOpensAnEdit) {
  const DeviceKind kb = DeviceKind::kKeyboard;
  const struct {
    int selected;  // -1: none
    std::string_view button;
    Lines after;
    int selected_after;
  } cases[] = {
      {0, "macro_btn_up", {kA, kB, kC}, 0},    {2, "macro_btn_down", {kA, kB, kC}, 2},
      {0, "macro_btn_uptop", {kA, kB, kC}, 0}, {2, "macro_btn_downbottom", {kA, kB, kC}, 2},
      {-1, "macro_btn_up", {kA, kB, kC}, -1},  {-1, "macro_btn_delete", {kA, kB, kC}, -1},
      {1, "macro_btn_up", {kB, kA, kC}, 0},    {1, "macro_btn_down", {kA, kC, kB}, 2},
      {2, "macro_btn_uptop", {kC, kA, kB}, 0}, {0, "macro_btn_downbottom", {kB, kC, kA}, 2},
      {1, "macro_btn_delete", {kA, kC}, -1},   {-1, "macro_btn_deleteall", {}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " with row " + std::to_string(c.selected));
    Seed(kb, {{"m", {kA, kB, kC}}});
    Open(kb);
    ASSERT_TRUE(C(kb, "Macro_list").SelectItem(c.selected, Notify::kNo));
    C(kb, c.button).Click();
    EXPECT_EQ(Steps(kb), c.after);
    EXPECT_EQ(C(kb, "Macro_list").CurrentIndex(), c.selected_after);
    EXPECT_EQ(Editor(kb).IsEditing(), c.after != (Lines{kA, kB, kC}));
  }
}

TEST_P(BothPages, ARecordedRowOnceMovedIsAStepRowWithTheSameLine) {
  Seed(kind(), {{"m", {kA}}});
  Open(kind());
  C("Macro_list").AddItem(RecordedRow(*ParseAction(kLeftDown)));
  ASSERT_TRUE(C("Macro_list").SelectItem(1, Notify::kNo));
  C("macro_btn_up").Click();
  EXPECT_EQ(C("Macro_list").Item(0), StepRow(Prefix(kind()), kLeftDown));
  EXPECT_EQ(C("Macro_list").Item(0).style, Prefix(kind()) + "macro_action");
}

TEST(StepRows, TheLabelsShowTheLineByKindAndALineThatDoesNotParseIsKept) {
  const struct {
    std::string_view line;
    std::vector<std::string> texts;
    std::vector<std::string> styles;
  } cases[] = {
      {kPressA,
       {"keyboard_key_A", "", "266"},
       {"macro_label_keyboard_style", "macro_label_down_style", "macro_label_text_style"}},
      {kReleaseA,
       {"keyboard_key_A", "", "0"},
       {"macro_label_keyboard_style", "macro_label_up_style", "macro_label_text_style"}},
      {kMoveLeft,
       {"mouse_move_to_left_text", "30", "50"},
       {"macro_label_mouse_style", "macro_label_text_style", "macro_label_text_style"}},
      {"1,2,3", {"1,2,3"}, {"macro_label_text_style"}},
  };
  for (const auto& c : cases) {
    const ListItem row = StepRow("kb_", c.line);
    std::vector<std::string> texts, styles;
    for (const ListCell& cell : row.cells) {
      texts.push_back(cell.text);
      styles.push_back(cell.style);
    }
    EXPECT_EQ(texts, c.texts) << c.line;
    EXPECT_EQ(styles, c.styles) << c.line;
    EXPECT_EQ(row.user_data, c.line) << c.line;
  }
}

// A key step shows its key (a modifier found by its bit) and press, a mouse step its table entry,
// and a move its distance.
TEST_P(BothPages, ClickingAStepShowsItInItsEditorAndOpensAnEdit) {
  const struct {
    std::string line;
    int page;
    std::string_view combo;
    int entry;
    std::string_view delay_edit;
    std::string delay;
  } cases[] = {
      {kPressA, 1, "macro_combo_keyselect", 8, "_macro_edit_ActionDelay", "266"},
      {kPressCtrl, 1, "macro_combo_keyselect", 0, "_macro_edit_ActionDelay", "5"},
      {kLeftDown, 2, "macro_combo_mouselect", 0, "_macro_edit_mou_action_delay", "50"},
      {"7,0,5,9,0,mouse_move_to_down_text", 2, "macro_combo_mouselect", 13,
       "_macro_edit_mou_action_delay", "7"},
  };
  Lines lines;
  for (const auto& c : cases) lines.push_back(c.line);
  Seed(kind(), {{"m", lines}});
  Open(kind());
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    const auto& c = cases[i];
    ASSERT_TRUE(C("Macro_list").ClickItem(i)) << c.line;
    EXPECT_EQ(C("tab_macro_edit").CurrentPage(), c.page) << c.line;
    EXPECT_EQ(C(c.combo).CurrentIndex(), c.entry) << c.line;
    EXPECT_EQ(C(c.delay_edit).RawText(), c.delay) << c.line;
    EXPECT_EQ(C("macro_tab_mou_pointer_skewing").IsVisible(), i == 3) << c.line;
  }
  EXPECT_EQ(C("macro_combo_upordown").CurrentIndex(), 1);
  EXPECT_EQ(C("macro_edit_mou_pointer_skewing").RawText(), "9");
  EXPECT_TRUE(Editor(kind()).IsEditing());
  EXPECT_TRUE(C("macro_tab_saveorcancel").IsVisible());
  EXPECT_FALSE(C("MacroName_list").IsInputEnabled());
}

struct EditCase {
  std::string line;                      // the selected step
  std::string_view control;              // the editor changed
  std::variant<int, std::string> input;  // an entry chosen, or a text typed
  std::string line_after;
  std::string text_after;  // what the edit shows afterwards ("" for combos)
};

TEST_P(BothPages, EditorsRewriteTheSelectedLineAndHoldNumbersToTheirFields) {
  const EditCase cases[] = {
      {kPressA, "macro_combo_keyselect", 9, "10,1,138,5,1,keyboard_key_B", ""},
      {kReleaseA, "macro_combo_keyselect", 1, "0,0,9,2,0,keyboard_key_LShift", ""},
      {kPressA, "macro_combo_upordown", 0, "10,1,10,4,0,keyboard_key_A", ""},
      {kReleaseA, "macro_combo_upordown", 1, "0,0,138,4,1,keyboard_key_A", ""},
      {kPressA, "_macro_edit_ActionDelay", "70000", "255,255,138,4,1,keyboard_key_A", "65535"},
      {kPressA, "_macro_edit_ActionDelay", "-3", "0,0,138,4,1,keyboard_key_A", "0"},
      {kLeftDown, "macro_combo_mouselect", 3, "50,0,1,2,0,mouse_key_right", ""},
      {kLeftDown, "macro_combo_mouselect", 12, "50,0,133,0,1,mouse_move_to_up_text", ""},
      {kMoveLeft, "macro_combo_mouselect", 13, "50,0,5,30,0,mouse_move_to_down_text", ""},
      {kMoveLeft, "macro_edit_mou_pointer_skewing", "999", "50,0,132,255,1,mouse_move_to_left_text",
       "255"},
      {kLeftDown, "macro_edit_mou_pointer_skewing", "9", kLeftDown, "9"},
      {kMoveLeft, "_macro_edit_mou_action_delay", "65536",
       "255,255,132,30,1,mouse_move_to_left_text", "65535"},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(std::string(c.control) + " on " + c.line);
    Seed(kind(), {{"m", {kA, c.line}}});
    Open(kind());
    ASSERT_TRUE(C("Macro_list").ClickItem(1));
    Control& control = C(c.control);
    if (const int* entry = std::get_if<int>(&c.input)) {
      ASSERT_TRUE(control.SelectItem(-1, Notify::kNo));
      ASSERT_TRUE(control.SelectItem(*entry, Notify::kYes));
    } else {
      control.Type(std::get<std::string>(c.input));
      EXPECT_EQ(control.RawText(), c.text_after);
    }
    EXPECT_THAT(Steps(kind()), ElementsAre(kA, c.line_after));
    EXPECT_EQ(C("Macro_list").Item(1), StepRow(Prefix(kind()), c.line_after));
    EXPECT_EQ(C("Macro_list").CurrentIndex(), 1);
  }
}

TEST_P(BothPages, EditorsWithoutASelectedStepOnlyHoldTheirNumbers) {
  Seed(kind(), {{"m", {kA}}});
  Open(kind());
  for (std::string_view edit :
       {"_macro_edit_ActionDelay", "mouse_x_left_edit", "mouse_y_down_edit"}) {
    C(edit).Type("123456");
    EXPECT_EQ(C(edit).RawText(), edit.starts_with("_") ? "65535" : "255") << edit;
  }
  ASSERT_TRUE(C("macro_combo_keyselect").SelectItem(5, Notify::kYes));
  EXPECT_THAT(Steps(kind()), ElementsAre(kA));
}

// The mouse inserts before the selected row and the keyboard after it; the selected row stays
// selected, and in an empty list the new row becomes the selected one.
TEST_F(EditorFixture, TheMouseInsertsBeforeTheSelectionAndTheKeyboardAfterIt) {
  const struct {
    DeviceKind kind;
    Lines steps;
    int selected;
    int inserted_at;
    int selected_after;
  } cases[] = {
      {DeviceKind::kMouse, {kA, kB}, 1, 1, 2},      {DeviceKind::kMouse, {kA, kB}, -1, 0, -1},
      {DeviceKind::kMouse, {}, -1, 0, 0},           {DeviceKind::kKeyboard, {kA, kB}, 1, 2, 1},
      {DeviceKind::kKeyboard, {kA, kB}, -1, 0, -1}, {DeviceKind::kKeyboard, {}, -1, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Prefix(c.kind) + " with row " + std::to_string(c.selected));
    Seed(c.kind, {{"m", c.steps}});
    Open(c.kind);
    ASSERT_TRUE(C(c.kind, "Macro_list").SelectItem(c.selected, Notify::kNo));
    C(c.kind, "mouse_x_left_edit").Type("300");
    C(c.kind, "macro_inset_moveleftkey_btn").Click();
    Lines expected = c.steps;
    expected.insert(expected.begin() + c.inserted_at, "50,0,132,255,1,mouse_move_to_left_text");
    EXPECT_EQ(Steps(c.kind), expected);
    EXPECT_EQ(C(c.kind, "Macro_list").CurrentIndex(), c.selected_after);
    EXPECT_TRUE(C(c.kind, "macro_tab_saveorcancel").IsVisible());
  }
}

TEST_P(BothPages, InsertPanelsOpenOneAtATimeAndInsertTheirButtonsSteps) {
  Seed(kind(), {{"m", {}}});
  Open(kind());
  const std::string panels[] = {"leftkey", "moudlekey", "rightkey", "forwardkey", "backkey"};
  const Lines inserted = {"50,0,129,1,1,mouse_key_left",     "50,0,1,1,0,mouse_key_left",
                          "50,0,129,4,1,mouse_key_middle",   "50,0,1,4,0,mouse_key_middle",
                          "50,0,129,2,1,mouse_key_right",    "50,0,1,2,0,mouse_key_right",
                          "50,0,129,16,1,mouse_key_forward", "50,0,1,16,0,mouse_key_forward",
                          "50,0,129,8,1,mouse_key_back",     "50,0,1,8,0,mouse_key_back"};
  for (const std::string& panel : panels) {
    const std::string base = "macro_inset_" + panel;
    C(base + "_btn").Click();
    for (const std::string& other : panels) {
      EXPECT_EQ(C("macro_inset_" + other + "_tab").IsVisible(), other == panel) << other;
    }
    C(base + "down_btn").Click();
    C(base + "up_btn").Click();
    C(base + "_btn").Click();
    EXPECT_FALSE(C(base + "_tab").IsVisible()) << "its own button closes it";
  }
  EXPECT_THAT(Steps(kind()), UnorderedElementsAreArray(inserted));
}

// The controls each state enables; the mouse's uptop button keeps enabled with another hot image.
TEST_P(BothPages, EachStateEnablesItsControls) {
  const std::string_view needs_a_macro[] = {
      "macro_btn_save",   "macro_btn_up",         "macro_btn_down",    "macro_btn_downbottom",
      "macro_btn_delete", "macro_btn_deleteall",  "macro_btn_cancel",  "macro_btn_redio",
      "macro_check_time", "macro_keyboard_event", "macro_mouse_click", "macro_mouse_roller",
      "macro_mouse_move", "macro_btn_name_sub"};
  const bool mouse = kind() == DeviceKind::kMouse;
  const auto expect_state = [&](bool enabled, bool editing) {
    for (std::string_view name : needs_a_macro) EXPECT_EQ(C(name).IsEnabled(), enabled) << name;
    EXPECT_EQ(C("macro_btn_uptop").IsEnabled(), mouse || enabled);
    if (mouse) {
      EXPECT_EQ(C("macro_btn_uptop").HotImage(),
                enabled ? "file='common/up_top_over.png'" : "file='common/unuse.png'");
    }
    EXPECT_EQ(C("macro_tab_saveorcancel").IsVisible(), editing);
    EXPECT_EQ(C("MacroName_list").IsInputEnabled(), !editing);
  };
  Open(kind());
  EXPECT_EQ(Editor(kind()).state(), MacroEditor::State::kEmpty);
  expect_state(false, false);
  C("macro_btn_name_add").Click();
  EXPECT_EQ(Editor(kind()).state(), MacroEditor::State::kClean);
  expect_state(true, false);
  C("macro_inset_moveupkey_btn").Click();
  EXPECT_EQ(Editor(kind()).state(), MacroEditor::State::kEditing);
  expect_state(true, true);
  C("macro_btn_save").Click();
  expect_state(true, false);
  dialogs_.Answer({1});
  C("macro_btn_name_sub").Click();
  expect_state(false, false);
}

TEST_P(BothPages, ThePanelSwitchShowsMouseEventsOrNames) {
  Open(kind());
  C("macro_btn_shubiao").Click();
  EXPECT_TRUE(C("MacroMouseEvent").IsVisible());
  EXPECT_FALSE(C("MacroName").IsVisible());
  (void)C("macro_btn_shubiao").SetSelected(false, Notify::kYes);
  EXPECT_FALSE(C("MacroMouseEvent").IsVisible());
  EXPECT_TRUE(C("MacroName").IsVisible());
}

}  // namespace
}  // namespace vandrel::testing
