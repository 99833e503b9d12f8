// The keyboard's key page in the main window on the real skin, with a simulated keyboard: picking
// keys, the value each category stores, a key's function shown again, the edits' corrections,
// the locked and absent keys, key tips, single-key capture and the download.
#include "keyboard/key_page.h"

#include <gmock/gmock.h>

#include <functional>

#include "app/hub_fixture.h"
#include "device/product_ids.h"
#include "device/trace_reader.h"
#include "keyboard/keyboard_components.h"
#include "keyboard/keyboard_slots.h"
#include "macro/macro_components.h"
#include "mouse/button_panels.h"
#include "mouse/function_lists.h"
#include "support/fake_input_capture.h"
#include "support/temp_dir.h"

namespace vandrel::testing {
namespace {

using std::chrono::milliseconds;
namespace type = assignment_type;

constexpr std::size_t kKeyA = 64;      // slot of the A key
constexpr std::size_t kKeyEsc = 0;     // slot of Esc
constexpr std::size_t kExtraKey = 16;  // the simulated keyboard has no extra column
constexpr int kMacroData = 21, kWritePage = 9;

class KeyPageTest : public HubTest {
 protected:
  void SetUp() override {
    Create();
    same_mode_ = std::make_unique<SameMode>(hub_->channels());
    keyboard_ =
        std::make_unique<KeyboardComponents>(*hub_, *window_, dialogs_, profiles_, *same_mode_);
    hub_->InitWindow();
    window_->RaiseWindowInit();
    page().SetMacros(store_);
    page().SetCapture(capture_);
    device_ = bus_.Plug(kPerKeyKeyboardProductId);
    PresenceMonitor monitor(DeviceKind::kKeyboard, hub_->channels(), hub_->link(), clock_);
    ASSERT_TRUE(monitor.PollOnce());
    loop_.RunFor(milliseconds(500));
    ASSERT_TRUE(bus_.SetTraceFile(temp_.path() / "trace.txt"));
  }
  void TearDown() override {
    hub_.reset();
    keyboard_.reset();
    macros_.reset();
  }

  KeyboardKeyPage& page() { return keyboard_->key_page(); }
  KeyboardState& state() { return keyboard_->state(); }
  KeyAssignment Held(std::size_t slot) { return *AssignmentOfSlot(state(), slot); }
  KeyAssignment Factory(std::size_t slot) {
    return state().defaults.Assignment(DeviceIndexOfSlot(state(), slot));
  }
  void PickCategory(int item) { ASSERT_TRUE(Find("kb_key_fct_combo").ClickItem(item)); }
  void FillMacroPicker(int count) {
    Control& picker = Find("kb_key_fct_combo_23");
    picker.RemoveAllItems();
    for (int macro = 0; macro < count; ++macro) {
      picker.AddItem(ListItem::OfText("macro " + std::to_string(macro)));
    }
  }
  std::string Text(std::string_view id) { return window_->Texts().Lookup(id); }
  std::vector<TracedRequest> Requests() { return TracedRequests(temp_.path() / "trace.txt"); }

  NoProfileSaver profiles_;
  std::unique_ptr<SameMode> same_mode_;
  std::unique_ptr<KeyboardComponents> keyboard_;
  std::shared_ptr<sim::SimulatedDevice> device_;
  TempDir macro_folder_;
  MacroStore store_{DeviceKind::kKeyboard, macro_folder_.path()};
  FakeInputCapture capture_{loop_};
  std::optional<MacroComponents> macros_;  // the program's, for the tests that need them
};

// Index of the item `id` in a function list: the combos list the functions in that order.
int ItemOf(std::span<const FunctionItem> items, std::string_view id) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].id == id) return static_cast<int>(i);
  }
  ADD_FAILURE() << id;
  return -1;
}

TEST_F(KeyPageTest, EachCategoryStoresWhatItsPanelHolds) {
  struct Case {
    std::string what;
    int category;
    std::function<void()> fill;
    KeyAssignment expected;
  };
  const auto pick = [this](std::string_view combo, int item) {
    return [=, this] { ASSERT_TRUE(Find(combo).ClickItem(item)); };
  };
  const auto type_in = [this](std::vector<std::pair<std::string_view, std::string_view>> edits) {
    return [=, this] {
      for (const auto& [edit, text] : edits) Find(edit).Type(text);
    };
  };
  const Case cases[] = {
      {"right mouse button", 2, pick("kb_key_fct_combo_11", 2), {0x10, 0x02, 0}},
      {"tilt right, 5, nibbles 3 and 2",
       3,
       [&] {
         type_in({{"kb_key_fct_edit_15", "5"},
                  {"kb_key_fct_edit_17", "3"},
                  {"kb_key_fct_edit_20", "2"}})();
         pick("kb_key_fct_combo_12", 1)();
       },
       {0x11, 0x32, 0x85}},
      {"wheel up, 7, nibbles 1 and 15",
       4,
       type_in({{"kb_key_fct_edit_16", "7"},
                {"kb_key_fct_edit_18", "1"},
                {"kb_key_fct_edit_19", "15"}}),
       {0x12, 0x1F, 0x07}},
      {"DPI cycle", 5, pick("kb_key_fct_combo_14", 2), {0x13, 3, 0}},
      {"fire key, count typed too large",
       6,
       type_in({{"kb_key_fct_edit_11", "300"}, {"kb_key_fct_edit_12", "20"}}),
       {0x14, 255, 20}},
      {"play/pause",
       7,
       pick("kb_key_fct_combo_21", ItemOf(MultimediaFunctions(), "media_play")),
       {0x30, 0xCD, 0}},
      {"sleep", 8, pick("kb_key_fct_combo_22", 1), {0x40, 2, 0}},
      {"macro 2 played 7 times",
       9,
       [&] {
         FillMacroPicker(3);
         Find("kb_key_fct_edit_25").Type("7");
         pick("kb_key_fct_combo_23", 2)();
         pick("kb_key_fct_combo_24", kRepeatCounted)();
       },
       {0x71, 2, 7}},
      {"macro 1 in repeat mode 3",
       9,
       [&] {
         FillMacroPicker(3);
         pick("kb_key_fct_combo_23", 1)();
         pick("kb_key_fct_combo_24", 3)();
       },
       {0x70, 1, 3}},
      {"Ctrl+C",
       10,
       pick("kb_key_fct_combo_26", ItemOf(KeyCombinations(), "combo_copy")),
       {0x20, 0x01, 0x06}},
  };
  for (const Case& c : cases) {
    Find("kb_key_" + std::to_string(kKeyA)).Click();
    PickCategory(c.category);
    c.fill();
    EXPECT_EQ(Held(kKeyA), c.expected) << c.what;
    EXPECT_TRUE(Find("kb_tab_function_" + std::to_string(c.category)).IsVisible()) << c.what;
    EXPECT_EQ(Find("kb_tab_function_26").IsVisible(), c.expected.type == type::kMacroCount)
        << c.what;
    PickCategory(0);
    EXPECT_EQ(Held(kKeyA), Factory(kKeyA)) << c.what;
  }
}

TEST_F(KeyPageTest, PickingAKeyShowsItsFunctionAndStoresNothingNew) {
  struct Case {
    KeyAssignment held;
    int category;
    std::string_view control;  // a panel control that shows it
    std::string shown;         // its text, or its selected item as a number
  };
  FillMacroPicker(3);
  const Case cases[] = {
      {{0x20, 0, 0x29}, 1, "kb_key_fct_edit_21", "keyboard_key_Esc"},
      {{0x20, 0x01, 0x06},
       10,
       "kb_key_fct_combo_26",
       std::to_string(ItemOf(KeyCombinations(), "combo_copy"))},
      {{0x11, 0x32, 0x85}, 3, "kb_key_fct_edit_17", "3"},
      {{0x11, 0x32, 0x85}, 3, "kb_key_fct_combo_12", "1"},
      {{0x12, 0x1F, 0x07}, 4, "kb_key_fct_edit_19", "15"},
      {{0x14, 9, 40}, 6, "kb_key_fct_edit_12", "40"},
      {{0x10, 0x10, 0},
       2,
       "kb_key_fct_combo_11",
       std::to_string(ItemOf(MouseButtonFunctions(), "mouse_key_forward"))},
      {{0x71, 2, 7}, 9, "kb_key_fct_edit_25", "7"},
      {{0x70, 1, 2}, 9, "kb_key_fct_combo_24", "2"},
      {{0x70, 5, 0}, 9, "kb_key_fct_combo_23", "-1"},  // beyond the macro list
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetAssignmentOfSlot(state(), kKeyA, c.held));
    Find("kb_key_" + std::to_string(kKeyA)).Click();
    const std::string what = std::to_string(c.held.type) + " " + std::string(c.control);
    EXPECT_EQ(Find("kb_key_fct_combo").CurrentIndex(), c.category) << what;
    EXPECT_TRUE(Find("kb_tab_function_" + std::to_string(c.category)).IsVisible()) << what;
    const Control& shown = Find(c.control);
    EXPECT_EQ(shown.Kind() == ControlKind::kCombo ? std::to_string(shown.CurrentIndex())
                                                  : shown.RawText(),
              c.shown)
        << what;
    EXPECT_EQ(Held(kKeyA), c.held) << what;
  }
  // A key holding its factory function shows the default category, and a key taken from a press
  // waits for one.
  Find("kb_key_" + std::to_string(kKeyEsc)).Click();
  EXPECT_EQ(Find("kb_key_fct_combo").CurrentIndex(), 0);
  EXPECT_FALSE(capture_.installed.has_value());
}

// The key page finds a shown mouse button or DPI function only when both parameters match (the
// button page matches those two by param1: ButtonPageTest has the same table); a function no item
// holds leaves the list on no item, not on the one shown before, and is never rewritten.
TEST_F(KeyPageTest, ListsFindAShownFunctionByBothParameters) {
  struct Case {
    KeyAssignment held;
    int category;
    std::string_view combo;
    int item;  // -1: none
  };
  const int right = ItemOf(MouseButtonFunctions(), "mouse_key_right");
  const int cycle = ItemOf(DpiFunctions(), "mouse_key_DPI_loop");
  const Case cases[] = {
      {{0x10, 0x02, 0}, 2, "kb_key_fct_combo_11", right},
      {{0x10, 0x02, 0x07}, 2, "kb_key_fct_combo_11", -1},
      {{0x13, 0x03, 0}, 5, "kb_key_fct_combo_14", cycle},
      {{0x13, 0x03, 0x01}, 5, "kb_key_fct_combo_14", -1},
      {{0x40, 0x02, 0}, 8, "kb_key_fct_combo_22", ItemOf(SystemFunctions(), "system_sleep")},
      {{0x40, 0x02, 0x01}, 8, "kb_key_fct_combo_22", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << int{c.held.type} << " " << int{c.held.param1} << " " << int{c.held.param2});
    ASSERT_TRUE(Find(c.combo).SelectItem(0, Notify::kNo));  // what an earlier key showed
    ASSERT_TRUE(SetAssignmentOfSlot(state(), kKeyA, c.held));
    Find("kb_key_" + std::to_string(kKeyA)).Click();
    EXPECT_EQ(Find("kb_key_fct_combo").CurrentIndex(), c.category);
    EXPECT_EQ(Find(c.combo).CurrentIndex(), c.item);
    EXPECT_EQ(Held(kKeyA), c.held);
  }
}

TEST_F(KeyPageTest, EditsAreKeptWithinTheirBytes) {
  struct Case {
    int edit;
    std::string_view typed;
    std::optional<std::string> corrected;
  };
  const Case cases[] = {
      {11, "", "1"},       {11, "000", "1"}, {11, "007", "7"},   {11, "256", "255"},
      {11, "0300", "255"}, {11, "12", {}},   {12, "300", "255"}, {12, "255", {}},
      {15, "128", "127"},  {16, "127", {}},  {17, "16", "15"},   {20, "15", {}},
      {25, "999", "255"},  {25, "0", "1"},   {21, "999", {}},    {13, "999", {}},
  };
  for (const Case& c : cases) {
    const std::string edit = "kb_key_fct_edit_" + std::to_string(c.edit);
    EXPECT_EQ(CorrectedEditText(edit, c.typed), c.corrected) << edit << " " << c.typed;
  }
  Find("kb_key_" + std::to_string(kKeyA)).Click();
  PickCategory(6);
  Control& count = Find("kb_key_fct_edit_11");
  count.Type("0");
  EXPECT_EQ(count.RawText(), "1");
  EXPECT_EQ(count.Selection(), std::make_pair(-1, -1));  // the caret at the end
  EXPECT_EQ(Held(kKeyA).param1, 1);
}

TEST_F(KeyPageTest, LockedAbsentAndLightingPageKeysAreNotPicked) {
  EXPECT_TRUE(Find("kb_key_Op_tab").IsSelected());
  for (std::size_t slot : kLockedKeySlots) {
    EXPECT_FALSE(Find("kb_key_" + std::to_string(slot)).IsEnabled()) << slot;
  }
  EXPECT_EQ(DeviceIndexOfSlot(state(), kExtraKey), kNoDeviceKey);
  page().Handle({notify::kClick, &Find("kb_key_" + std::to_string(kExtraKey))});
  EXPECT_FALSE(page().selected_key().has_value());
  EXPECT_FALSE(Find("kb_tab_function").IsEnabled());

  Find("kb_deng_Op_tab").Click();
  Find("kb_key_" + std::to_string(kKeyA)).Click();
  EXPECT_FALSE(page().selected_key().has_value());

  Find("kb_key_Op_tab").Click();
  Find("kb_key_" + std::to_string(kKeyA)).Click();
  EXPECT_EQ(page().selected_key(), DeviceIndexOfSlot(state(), kKeyA));
  EXPECT_TRUE(Find("kb_tab_function").IsEnabled());
  keyboard_->RefreshPages();
  EXPECT_FALSE(Find("kb_key_110").IsEnabled());
}

TEST_F(KeyPageTest, KeyTipsNameTheOwnKeyAndAnyNewFunction) {
  Control& key = Find("kb_key_" + std::to_string(kKeyA));
  const std::string own = Text("keyboard_key_A");
  const std::string arrow = Text("Key_Set");
  struct Case {
    KeyAssignment held;
    std::string tooltip;
    bool hot;
  };
  const Case cases[] = {
      {Factory(kKeyA), own, false},
      {{0x20, 0x01, 0x06}, own + arrow + Text("combo_copy"), true},
      {{0xD0, 0xA2, 3}, own + arrow + Text("keyboard_key_G3"), true},
      {{0x05, 0, 0}, own + arrow + Text("close_text"), true},
      {{0x70, 0, 0}, own + arrow + "jump", true},  // a macro's name as it is
  };
  ASSERT_TRUE(store_.RewriteCatalogue(std::vector<std::string>{"jump"}));
  for (const Case& c : cases) {
    ASSERT_TRUE(SetAssignmentOfSlot(state(), kKeyA, c.held));
    page().RefreshKeyTips();
    EXPECT_EQ(key.Tooltip(), c.tooltip) << int{c.held.type};
    EXPECT_EQ(key.NormalImage(), c.hot ? key.HotImage() : key.UserData()) << int{c.held.type};
  }
  EXPECT_NE(key.HotImage(), key.UserData());
}

TEST_F(KeyPageTest, ACapturedKeyIsStoredAndOnlyKeysAreTaken) {
  Find("kb_key_" + std::to_string(kKeyA)).Click();
  PickCategory(1);
  ASSERT_TRUE(capture_.installed.has_value());
  EXPECT_EQ(capture_.installed->mode, CaptureMode::kKeyboardSingleKey);
  EXPECT_FALSE(capture_.installed->mouse);
  EXPECT_EQ(KeyMessageOf(capture_.installed->mode), kMessageKeyboardSingleKey);

  struct Case {
    CapturedKey key;
    std::optional<std::string_view> shown;  // nullopt: ignored
    KeyAssignment stored;
  };
  const Case cases[] = {
      {{13, CapturedKey::kExtended}, "keyboard_key_Num Enter", {0x20, 0, 0x58}},
      {{0xAF, 0}, std::nullopt, {0x20, 0, 0x58}},  // volume up is no key
      {{0x1B, CapturedKey::kReleased}, "keyboard_key_Esc", {0x20, 0, 0x29}},
      {{0xA0, 0}, "keyboard_key_LShift", {0x20, 0x02, 0}},
  };
  for (const Case& c : cases) {
    page().TakeCapturedKey(c.key);
    EXPECT_EQ(Held(kKeyA), c.stored) << c.key.virtual_key;
    if (c.shown) {
      EXPECT_EQ(Find("kb_key_fct_edit_21").RawText(), *c.shown);
    }
  }
  PickCategory(2);
  EXPECT_FALSE(capture_.installed.has_value());
  page().TakeCapturedKey({0x1B, 0});
  EXPECT_EQ(Held(kKeyA).type, type::kMouseButton);
}

// As the program wires it: the capture posts 0x0801 to the main window, whose macro components
// hand it to the key page.
TEST_F(KeyPageTest, TheSingleKeyMessageReachesThePageThroughTheMacroComponents) {
  macros_.emplace(*hub_, *window_, dialogs_, folders_, capture_, clock_);
  page().ReceiveCapturedKeys(macros_->hook_receivers());
  Find("kb_key_" + std::to_string(kKeyA)).Click();
  PickCategory(1);
  struct Case {
    CapturedKey key;
    std::string_view shown;
    KeyAssignment stored;
  };
  const Case cases[] = {
      {{0x1B, 0}, "keyboard_key_Esc", {0x20, 0, 0x29}},
      {{0xAF, 0}, "keyboard_key_Esc", {0x20, 0, 0x29}},  // volume up is no key: ignored
      {{13, CapturedKey::kExtended}, "keyboard_key_Num Enter", {0x20, 0, 0x58}},
      {{0xA3, 0}, "keyboard_key_RCtrl", {0x20, 0x10, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(capture_.PlayKey(kKeyDown, c.key)) << "swallowed";
    loop_.RunPending();
    EXPECT_EQ(Find("kb_key_fct_edit_21").RawText(), c.shown) << c.key.virtual_key;
    EXPECT_EQ(Held(kKeyA), c.stored) << c.key.virtual_key;
  }
}

TEST_F(KeyPageTest, RestoreDefaultGivesTheKeyItsFactoryFunctionAgain) {
  Find("kb_key_" + std::to_string(kKeyA)).Click();
  PickCategory(8);
  ASSERT_NE(Held(kKeyA), Factory(kKeyA));
  Find("kb_key_butt_keydefalut").Click();
  EXPECT_EQ(Held(kKeyA), Factory(kKeyA));
  EXPECT_EQ(Find("kb_key_fct_combo").CurrentIndex(), 0);
  EXPECT_EQ(Find("kb_key_" + std::to_string(kKeyA)).Tooltip(), Text("keyboard_key_A"));
}

TEST_F(KeyPageTest, DownloadWritesMacrosThenTheKeyTableBehindTheBusyIndicator) {
  ASSERT_TRUE(store_.RewriteCatalogue(std::vector<std::string>{"a"}));
  ASSERT_TRUE(store_.WriteMacro("a", "a", std::vector<std::string>{"44,1,138,4,1,keyboard_key_A"}));
  Find("kb_key_" + std::to_string(kKeyA)).Click();
  PickCategory(2);
  const std::size_t key = DeviceIndexOfSlot(state(), kKeyA);

  Find("kb_key_butt_prosave").Click();
  EXPECT_TRUE(Find("setting_progress").IsVisible());
  EXPECT_FALSE(Find("kb_key_butt_prosave").IsEnabled());
  EXPECT_FALSE(loop_.TimerPeriod(kTimerHideProgress).has_value());
  // The key edited meanwhile keeps its new function for the next download.
  const KeyAssignment sent = Held(kKeyA);
  PickCategory(8);
  ASSERT_TRUE(AwaitDeviceJob()) << "the download's end";
  EXPECT_TRUE(dialogs_.shown().empty());
  EXPECT_TRUE(Find("kb_key_butt_prosave").IsEnabled());
  EXPECT_TRUE(loop_.TimerPeriod(kTimerHideProgress).has_value());
  std::vector<int> commands;
  for (const TracedRequest& request : Requests()) {
    if (commands.empty() || commands.back() != request.command) commands.push_back(request.command);
  }
  EXPECT_THAT(commands, ::testing::ElementsAre(1, kMacroData, 2, 1, kWritePage, 2));
  const std::vector<std::uint8_t> pages = device_->Memory().key_pages;
  EXPECT_EQ((KeyAssignment{pages[3 * key], pages[3 * key + 1], pages[3 * key + 2]}), sent);
  EXPECT_NE(Held(kKeyA), sent);
}

TEST_F(KeyPageTest, ADownloadThatFailsOrDoesNotFitSaysSo) {
  const int capacity = 128 * state().info.macro_memory_units();
  // One macro of s steps takes a 16-byte header, a 2-byte directory entry, 4 bytes of length and
  // count and 4 bytes a step.
  const int steps = (capacity - 22) / 4 + 3;
  const int over = (22 + 4 * steps - capacity) / 4 + 1;
  ASSERT_TRUE(store_.RewriteCatalogue(std::vector<std::string>{"long"}));
  ASSERT_TRUE(store_.WriteMacro(
      "long", "long", std::vector<std::string>(static_cast<std::size_t>(steps), "1,0,129,1,1,x")));
  Find("kb_key_butt_prosave").Click();
  ASSERT_TRUE(AwaitDeviceJob()) << "the download's end";
  EXPECT_THAT(dialogs_.Texts(),
              ::testing::ElementsAre(FormatMessageText(*window_, "message_text_16", over)));
  EXPECT_TRUE(Requests().empty());

  ASSERT_TRUE(store_.RewriteCatalogue(std::vector<std::string>{}));
  device_->SetFaults({.refusal_status = 0xFF});
  EXPECT_TRUE(page().Download());
  EXPECT_FALSE(page().Download());
  ASSERT_TRUE(AwaitDeviceJob()) << "the download's end";
  EXPECT_EQ(dialogs_.Texts().back(), "message_text_download_keys_failed");
  EXPECT_EQ(WithCommand(Requests(), kWritePage).size(), 1u);
}

// A macro image the keyboard stops taking part-way (a refusal, or the keyboard pulled out) is told
// as such, and the key table that would bind keys to the half-written macros is not sent.
TEST_F(KeyPageTest, AMacroImageThatFailsPartWayLeavesTheKeyTableUnwritten) {
  ASSERT_TRUE(store_.RewriteCatalogue(std::vector<std::string>{"long"}));
  ASSERT_TRUE(store_.WriteMacro("long", "long",
                                std::vector<std::string>(40, "10,1,138,4,1,keyboard_key_A")));
  // A whole download first: where the image's bracket ends, and the key table the keyboard holds.
  Find("kb_key_butt_prosave").Click();
  ASSERT_TRUE(AwaitDeviceJob()) << "the download's end";
  ASSERT_TRUE(dialogs_.Texts().empty());
  const std::vector<TracedRequest> whole = Requests();
  const auto image_end =
      std::ranges::find_if(whole, [](const TracedRequest& r) { return r.command == 2; });
  ASSERT_NE(image_end, whole.end());
  const int last_image_request = static_cast<int>(image_end - whole.begin()) + 1;
  ASSERT_GT(last_image_request, 4) << "an image of several data requests";
  const std::vector<std::uint8_t> pages_before = device_->Memory().key_pages;
  Find("kb_key_" + std::to_string(kKeyA)).Click();
  PickCategory(8);  // a change the key table would carry

  const sim::Faults faults[] = {
      {.refusal_status = 0xFF, .refuse_request = 3},
      {.refusal_status = 0xFE, .refuse_request = last_image_request},
      {.vanish_on_request = last_image_request - 1},
  };
  for (const sim::Faults& fault : faults) {
    SCOPED_TRACE(::testing::Message()
                 << "refused " << fault.refuse_request << ", vanished " << fault.vanish_on_request);
    ASSERT_TRUE(bus_.SetTraceFile(temp_.path() / ("trace" + std::to_string(&fault - faults))));
    device_->SetFaults(fault);
    Find("kb_key_butt_prosave").Click();
    ASSERT_TRUE(AwaitDeviceJob()) << "the download's end";
    ASSERT_FALSE(dialogs_.Texts().empty());
    EXPECT_EQ(dialogs_.Texts().back(), "message_text_download_macros_failed");
    const std::vector<TracedRequest> requests =
        TracedRequests(temp_.path() / ("trace" + std::to_string(&fault - faults)));
    EXPECT_TRUE(std::ranges::any_of(requests, [](const TracedRequest& r) {
      return r.command == kMacroData;
    })) << "the image was under way";
    EXPECT_TRUE(std::ranges::none_of(
        requests, [](const TracedRequest& r) { return r.command == kWritePage; }));
    EXPECT_EQ(device_->Memory().key_pages, pages_before);
  }
}

}  // namespace
}  // namespace vandrel::testing
