// The mouse's button page on the shipped skin: the panels' value rules per category, the last
// left click, the selected button on the picture, the skin's function lists, the edit
// corrections, the button texts, the single-key capture and the download on the simulated mouse.
#include "mouse/button_page.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "app/input_capture.h"
#include "mouse/button_panels.h"
#include "mouse/function_lists.h"
#include "page_fixture.h"

namespace vandrel::testing {
namespace {

namespace type = assignment_type;

class ButtonPageTest : public MousePageTest {
 protected:
  ButtonPageTest() {
    buttons_.emplace(*window_, state_, dialogs_,
                     ButtonPageLinks{.macro_name = [this](int macro) -> std::optional<std::string> {
                                       if (macro >= static_cast<int>(macros_.size())) return {};
                                       return macros_[static_cast<std::size_t>(macro)];
                                     },
                                     .download =
                                         [this](DownloadDone done) {
                                           download_done_ = std::move(done);
                                           return true;
                                         },
                                     .post = [this](int message) { posted_.push_back(message); }});
    window_->SetNotifyHandler([this](const Notification& n) { (void)buttons_->Handle(n); });
    // A factory table: buttons 0-4 the five mouse buttons (left on button 0 only), the others
    // DPI functions.
    for (int button = 0; button < kMouseButtonCount; ++button) {
      const KeyAssignment assignment =
          button < 5 ? KeyAssignment{type::kMouseButton, static_cast<std::uint8_t>(1 << button), 0}
                     : KeyAssignment{type::kDpi, static_cast<std::uint8_t>(button % 3 + 1), 0};
      state_.defaults.SetAssignment(button, assignment);
    }
    state_.keys[0] = state_.defaults;
  }
  KeyAssignment Stored(int button) const { return state_.keys[0].Assignment(button); }
  void Select(int button) { C("ms_key_" + std::to_string(button)).SetSelected(true, Notify::kYes); }
  void Category(int item) { C("ms_key_fct_combo").SelectItem(item, Notify::kYes); }

  std::optional<MouseButtonPage> buttons_;
  std::vector<std::string> macros_ = {"one", "two", "three", "four"};
  DownloadDone download_done_;  // the download started last, ended by the test
  std::vector<int> posted_;
};

// Each category's panel, filled as a user would, stores its assignment on the selected button.
TEST_F(ButtonPageTest, EachCategoryStoresWhatItsPanelShows) {
  struct Case {
    int category;
    std::vector<std::pair<std::string, std::string>> edits;  // edit name, typed text
    std::vector<std::pair<std::string, int>> combos;         // combo name, item
    KeyAssignment expected;
  };
  const std::vector<Case> cases = {
      {1, {}, {{"ms_key_fct_combo_11", 2}}, {0x10, 0x02, 0}},
      {2,
       {{"ms_key_fct_edit_15", "5"}, {"ms_key_fct_edit_17", "3"}, {"ms_key_fct_edit_20", "2"}},
       {{"ms_key_fct_combo_12", 1}},
       {0x11, 0x32, 0x85}},
      {3,
       {{"ms_key_fct_edit_16", "7"}, {"ms_key_fct_edit_18", "15"}, {"ms_key_fct_edit_19", "1"}},
       {{"ms_key_fct_combo_13", 0}},
       {0x12, 0xF1, 0x07}},
      {4, {}, {{"ms_key_fct_combo_14", 2}}, {0x13, 3, 0}},
      {5, {{"ms_key_fct_edit_11", "9"}, {"ms_key_fct_edit_12", "300"}}, {}, {0x14, 9, 255}},
      {7, {}, {{"ms_key_fct_combo_21", 16}}, {0x30, 0x92, 0x01}},
      {8, {}, {{"ms_key_fct_combo_22", 2}}, {0x40, 4, 0}},
      {9, {}, {{"ms_key_fct_combo_23", 3}, {"ms_key_fct_combo_24", 1}}, {0x70, 3, 1}},
      {9,
       {{"ms_key_fct_edit_25", "0"}},
       {{"ms_key_fct_combo_23", 1}, {"ms_key_fct_combo_24", 4}},
       {0x71, 1, 1}},
      {10, {}, {{"ms_key_fct_combo_25", 3}}, {0x72, 3, 0}},
      {11, {}, {{"ms_key_fct_combo_26", 4}}, {0x20, 0x01, 0x06}},
      {0, {}, {}, {0x10, 0x04, 0}},  // the fixture's factory table: button 2 clicks middle
  };
  for (const std::string& name : macros_) {
    ListItem item;
    item.cells.push_back(ListCell{name, false, {}});
    C("ms_key_fct_combo_23").AddItem(item);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.category);
    Select(2);
    Category(c.category);
    for (const auto& [name, item] : c.combos) C(name).SelectItem(item, Notify::kYes);
    for (const auto& [name, text] : c.edits) C(name).Type(text);
    EXPECT_EQ(Stored(2), c.expected);
    EXPECT_TRUE(C("ms_tab_function_" + std::to_string(c.category)).IsVisible());
    // Showing the stored assignment again brings back the same category without changing it.
    Select(3);
    Select(2);
    EXPECT_EQ(C("ms_key_fct_combo").CurrentIndex(), c.category);
    EXPECT_EQ(Stored(2), c.expected);
  }
}

TEST_F(ButtonPageTest, TheLastLeftClickCannotBeReassigned) {
  // A refresh after a read disables the panel on the last left click without a word, showing
  // the left click on it although it is the factory function.
  buttons_->Refresh();
  EXPECT_FALSE(C("ms_tab_function").IsEnabled());
  EXPECT_TRUE(dialogs_.Texts().empty());
  EXPECT_EQ(C("ms_key_fct_combo").CurrentIndex(), 1);
  EXPECT_EQ(C("ms_key_fct_combo_11").CurrentIndex(), 0);
  // Button 1 shows a wheel step; coming back shows the left click again, not the step.
  Select(1);
  Category(3);
  Select(0);
  ASSERT_FALSE(dialogs_.Texts().empty());
  EXPECT_EQ(dialogs_.Texts().back(), "message_text_6");
  EXPECT_FALSE(C("ms_tab_function").IsEnabled());
  EXPECT_TRUE(C("ms_tab_function_1").IsVisible());
  EXPECT_FALSE(C("ms_tab_function_3").IsVisible());
  EXPECT_EQ(C("ms_key_fct_combo").CurrentIndex(), 1);
  EXPECT_EQ(C("ms_key_fct_combo_11").CurrentIndex(), 0);
  // Neither the category combo nor Apply changes it.
  EXPECT_FALSE(C("ms_key_fct_combo").ClickItem(4));
  C("ms_key_fct_combo").SelectItem(4, Notify::kYes);
  C("ms_key_butt_keysave").Click();
  EXPECT_EQ(Stored(0), state_.defaults.Assignment(0));
  // Once button 2 clicks left as well, button 0 may change.
  Select(2);
  Category(1);
  C("ms_key_fct_combo_11").SelectItem(0, Notify::kYes);
  const std::size_t shown = dialogs_.Texts().size();
  Select(0);
  EXPECT_EQ(dialogs_.Texts().size(), shown);
  EXPECT_TRUE(C("ms_tab_function").IsEnabled());
  // With button 0 stepping the wheel, button 2's factory function would leave no left click.
  const KeyAssignment left_click = Stored(2);
  Category(3);
  Select(2);
  C("ms_key_butt_keydefalut").Click();
  EXPECT_EQ(dialogs_.Texts().back(), "message_text_6");
  EXPECT_EQ(Stored(2), left_click);
}

// The selected button's area is hot on the mouse's picture; hovering another lights it only
// while the pointer is over it.
TEST_F(ButtonPageTest, TheSelectedButtonStaysHotOnThePicture) {
  struct Step {
    std::string action;  // "select", "enter" or "leave"
    int button;
    std::vector<int> hot;
  };
  const std::vector<Step> steps = {
      {"select", 3, {3}}, {"enter", 5, {3, 5}}, {"leave", 5, {3}},  {"enter", 3, {3}},
      {"leave", 3, {3}},  {"select", 8, {8}},   {"select", 0, {0}}, {"enter", 7, {0, 7}},
      {"select", 7, {7}}, {"leave", 7, {7}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.action + " " + std::to_string(step.button));
    Control& option = C("ms_key_" + std::to_string(step.button));
    if (step.action == "select") Select(step.button);
    if (step.action == "enter") option.MouseEnter();
    if (step.action == "leave") option.MouseLeave();
    for (int button = 0; button < kMouseButtonCount; ++button) {
      const bool hot = std::ranges::find(step.hot, button) != step.hot.end();
      const std::string picture = C("ms_key_" + std::to_string(button) + "_0").BackgroundImage();
      EXPECT_TRUE(picture.ends_with(hot ? "_down.png'" : "_normal.png'")) << picture;
    }
  }
}

// The skin lists each panel's functions in the order the page stores them by.
TEST_F(ButtonPageTest, EveryPanelsComboFollowsItsFunctionList) {
  struct Panel {
    int category;
    std::string combo;
    std::span<const FunctionItem> functions;
  };
  const std::vector<Panel> panels = {
      {1, "ms_key_fct_combo_11", MouseButtonFunctions()},
      {4, "ms_key_fct_combo_14", DpiFunctions()},
      {7, "ms_key_fct_combo_21", MultimediaFunctions()},
      {8, "ms_key_fct_combo_22", SystemFunctions()},
      {10, "ms_key_fct_combo_25", RecoilTableFunctions()},
      {11, "ms_key_fct_combo_26", KeyCombinations()},
  };
  for (const Panel& panel : panels) {
    SCOPED_TRACE(panel.combo);
    EXPECT_EQ(ButtonCategoryAt(panel.category).list, panel.combo);
    EXPECT_EQ(ButtonCategoryAt(panel.category).items.data(), panel.functions.data());
    const Control& combo = C(panel.combo);
    ASSERT_EQ(combo.ItemCount(), static_cast<int>(panel.functions.size()));
    for (int item = 0; item < combo.ItemCount(); ++item) {
      const ListItem row = combo.Item(item);
      ASSERT_FALSE(row.cells.empty());
      EXPECT_EQ(row.cells[0].text, panel.functions[static_cast<std::size_t>(item)].id) << item;
    }
  }
}

// The button page finds a shown mouse button or DPI function by param1 alone, every other list
// by both parameters (KeyPageTest has the same table, where both parameters always count).
TEST_F(ButtonPageTest, ListsFindAShownButtonOrDpiFunctionByParam1) {
  struct Case {
    KeyAssignment held;
    int category;
    std::string_view combo;
    int item;  // -1: none
  };
  const Case cases[] = {
      {{0x10, 0x02, 0}, 1, "ms_key_fct_combo_11", 2},
      {{0x10, 0x02, 0x07}, 1, "ms_key_fct_combo_11", 2},
      {{0x13, 0x03, 0}, 4, "ms_key_fct_combo_14", 2},
      {{0x13, 0x03, 0x01}, 4, "ms_key_fct_combo_14", 2},
      {{0x40, 0x02, 0}, 8, "ms_key_fct_combo_22", 1},
      {{0x40, 0x02, 0x01}, 8, "ms_key_fct_combo_22", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << int{c.held.type} << " " << int{c.held.param1} << " " << int{c.held.param2});
    C(c.combo).SelectItem(0, Notify::kNo);  // what an earlier button showed
    state_.keys[0].SetAssignment(4, c.held);
    Select(3);
    Select(4);
    EXPECT_EQ(C("ms_key_fct_combo").CurrentIndex(), c.category);
    EXPECT_EQ(C(c.combo).CurrentIndex(), c.item);
    EXPECT_EQ(Stored(4), c.held) << "showing a function stores nothing new";
  }
}

TEST_F(ButtonPageTest, NumberEditsAreCorrectedAsTyped) {
  struct Case {
    std::string edit, typed, shown;
  };
  const std::vector<Case> cases = {
      {"ms_key_fct_edit_11", "", "1"},       {"ms_key_fct_edit_11", "000", "1"},
      {"ms_key_fct_edit_11", "007", "7"},    {"ms_key_fct_edit_11", "256", "255"},
      {"ms_key_fct_edit_11", "1000", "255"}, {"ms_key_fct_edit_12", "300", "255"},
      {"ms_key_fct_edit_12", "0", "0"},      {"ms_key_fct_edit_15", "128", "127"},
      {"ms_key_fct_edit_16", "127", "127"},  {"ms_key_fct_edit_17", "16", "15"},
      {"ms_key_fct_edit_19", "99", "15"},    {"ms_key_fct_edit_25", "0", "1"},
      {"ms_key_fct_edit_25", "999", "255"},
  };
  Select(2);
  for (const Case& c : cases) {
    C(c.edit).SetText("");
    C(c.edit).Type(c.typed);
    EXPECT_EQ(C(c.edit).Text(), c.shown) << c.edit << " " << c.typed;
  }
}

TEST_F(ButtonPageTest, ButtonTextsNameTheirFunctions) {
  struct Case {
    KeyAssignment assignment;
    std::string text;
    bool resource;
  };
  const std::vector<Case> cases = {
      {{0x10, 0x02, 0}, "mouse_key_right", true},   {{0x70, 3, 1}, "four", false},
      {{0x20, 0x08, 0x07}, "show_window", true},    {{0x20, 0x01, 0x06}, "combo_copy", true},
      {{0x20, 0x00, 0x04}, "keyboard_key_A", true}, {{0x05, 0, 0}, "close_text", true},
  };
  for (const Case& c : cases) {
    state_.keys[0].SetAssignment(4, c.assignment);
    buttons_->RefreshButtonTexts();
    EXPECT_EQ(C("ms_key_4").RawText(), c.text);
    EXPECT_EQ(C("ms_key_4").IsResourceText(), c.resource) << c.text;
  }
}

TEST_F(ButtonPageTest, CapturedKeysAreTakenOnlyFromTheKeyRows) {
  Select(3);
  Category(6);
  // Keypad Enter: Return with the extended flag.
  buttons_->TakeCapturedKey(kKeyDown, CapturedKey{13, CapturedKey::kExtended}.ToParam());
  EXPECT_EQ(Stored(3), (KeyAssignment{0x20, 0, 0x58}));
  EXPECT_EQ(C("ms_key_fct_edit_21").RawText(), "keyboard_key_Num Enter");
  // A media key has a display row but is not a key: ignored.
  buttons_->TakeCapturedKey(kKeyDown, CapturedKey{0xB3, 0}.ToParam());
  EXPECT_EQ(Stored(3), (KeyAssignment{0x20, 0, 0x58}));
}

TEST_F(ButtonPageTest, RestoreAndDownloadReportWhatHappened) {
  Select(2);
  Category(4);
  C("ms_key_butt_keydefalut").Click();
  EXPECT_EQ(Stored(2), state_.defaults.Assignment(2));
  EXPECT_EQ(C("ms_key_fct_combo").CurrentIndex(), 0);

  C("ms_key_butt_prosave").Click();
  EXPECT_EQ(posted_, (std::vector<int>{0x0C00}));
  download_done_({.outcome = DownloadOutcome::kTooLong,
                  .image_bytes = 0,
                  .steps_over = 12,
                  .channel_result = kChannelSuccess});
  EXPECT_EQ(posted_, (std::vector<int>{0x0C00, 0x0C01}));
  C("ms_key_butt_prosave").Click();
  download_done_({.outcome = DownloadOutcome::kImageFailed,
                  .image_bytes = 0,
                  .steps_over = std::nullopt,
                  .channel_result = kChannelNoReply});
  ASSERT_FALSE(dialogs_.Texts().empty());
  EXPECT_EQ(dialogs_.Texts().back(), "ms_key_download_failed");
}

}  // namespace
}  // namespace vandrel::testing
