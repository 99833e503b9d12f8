// Recording on both macro pages: the capture's key and mouse events, played on the manual clock,
// become step rows with the gaps between them; the record button's states; the capture removed
// by a lost activation while the recording goes on; the device going away; saving what was
// recorded.
#include <gmock/gmock.h>

#include "editor_fixture.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using namespace std::chrono_literals;

constexpr std::string_view kStored = "0,0,138,4,1,keyboard_key_A";
constexpr int kClickRecord = 0;  // an Event that is the user's click on the record button

// One event of the capture, `after` the one before it: a key message (0x100 …) with its key, a
// mouse message (0x200 …), or kClickRecord.
struct Event {
  std::chrono::milliseconds after;
  int message;
  std::uint16_t virtual_key = 0;
  std::uint32_t flags = 0;
};

class RecordingTest : public BothPages {
 protected:
  void SetUp() override {
    Seed(kind(), {{"m", {std::string(kStored)}}});
    Open(kind());
  }
  CaptureMode Mode() const {
    return kind() == DeviceKind::kMouse ? CaptureMode::kMouseMacro : CaptureMode::kKeyboardMacro;
  }
  // Chooses the recording options; every other one is cleared.
  void Options(const std::vector<std::string_view>& selected) {
    for (std::string_view option : {"macro_keyboard_event", "macro_mouse_click",
                                    "macro_mouse_roller", "macro_mouse_move", "macro_check_time"}) {
      (void)C(option).SetSelected(std::ranges::find(selected, option) != selected.end(),
                                  Notify::kNo);
    }
  }
  // Plays the events through the capture, each handed to the page at once, as the hub does.
  void Play(const std::vector<Event>& events) {
    for (const Event& event : events) {
      clock_.Advance(event.after);
      if (event.message == kClickRecord) {
        ClickRecord();
      } else if (event.message >= kMouseMove) {
        capture_.PlayMouse(event.message);
      } else {
        (void)capture_.PlayKey(event.message, {event.virtual_key, event.flags});
      }
      for (const auto& [message, wparam, lparam] : posted_.posted) {
        if (message == KeyMessageOf(Mode())) {
          Editor(kind()).OnKeyMessage(static_cast<int>(wparam), CapturedKey::FromParam(lparam));
        } else {
          ASSERT_EQ(message, MouseMessageOf(Mode()));
          Editor(kind()).OnMouseMessage(static_cast<int>(wparam));
        }
      }
      posted_.posted.clear();
    }
  }
  // The steps recorded after the stored one.
  Lines Recorded() {
    const Lines steps = Steps(kind());
    return steps.empty() ? steps : Lines(steps.begin() + 1, steps.end());
  }
  void ClickRecord() { C("macro_btn_redio").Click(); }
};

TEST_P(RecordingTest, EventsBecomeStepsWithTheGapsBetweenThem) {
  struct Case {
    const char* what;
    std::vector<std::string_view> options;
    std::vector<Event> events;  // a recording is running before the first
    Lines recorded;
  };
  const std::vector<Case> cases = {
      {"a held key gives one press",
       {"macro_keyboard_event"},
       {{10ms, kKeyDown, 'A'}, {500ms, kKeyDown, 'A'}, {30ms, kKeyDown, 'A'}, {30ms, kKeyUp, 'A'}},
       {"48,2,138,4,1,keyboard_key_A", "0,0,10,4,0,keyboard_key_A"}},
      {"keypad Enter is Return with the extended flag, the main Enter without it",
       {"macro_keyboard_event"},
       {{5ms, kKeyDown, 0x0D, 1},
        {5ms, kKeyUp, 0x0D, 129},
        {5ms, kKeyDown, 0x0D},
        {5ms, kKeyUp, 0x0D, 128}},
       {"5,0,138,88,1,keyboard_key_Num Enter", "5,0,10,88,0,keyboard_key_Num Enter",
        "5,0,138,40,1,keyboard_key_Enter", "0,0,10,40,0,keyboard_key_Enter"}},
      {"measured gaps are capped at 65535 ms; a key outside the table only passes time",
       {"macro_keyboard_event"},
       {{1ms, kKeyDown, 0xA2},
        {70s, kKeyDown, 0x73},
        {100ms, kKeyUp, 0xAD},
        {200ms, kKeyUp, 0x73},
        {1ms, kKeyUp, 0xA2}},
       {"255,255,137,1,1,keyboard_key_LCtrl", "44,1,138,61,1,keyboard_key_F4",
        "1,0,10,61,0,keyboard_key_F4", "0,0,9,1,0,keyboard_key_LCtrl"}},
      {"with the fixed delay every step but the last waits 50 ms",
       {"macro_keyboard_event", "macro_check_time"},
       {{1ms, kSystemKeyDown, 0xA4},
        {70s, kSystemKeyDown, 0x73},
        {3ms, kSystemKeyUp, 0x73},
        {9ms, kKeyUp, 0xA4}},
       {"50,0,137,4,1,keyboard_key_LAlt", "50,0,138,61,1,keyboard_key_F4",
        "50,0,10,61,0,keyboard_key_F4", "0,0,9,4,0,keyboard_key_LAlt"}},
      {"a right click gives a press and a release",
       {"macro_mouse_click"},
       {{5ms, kRightButtonDown}, {40ms, kRightButtonUp}},
       {"40,0,129,2,1,mouse_key_right", "0,0,1,2,0,mouse_key_right"}},
      {"moves, the wheel and the extra buttons make nothing; a repeated message makes one step",
       {"macro_mouse_click", "macro_mouse_move", "macro_mouse_roller"},
       {{5ms, kMouseMove},
        {5ms, kMiddleButtonDown},
        {5ms, kMouseMove},
        {5ms, kWheel},
        {5ms, kMiddleButtonDown},
        {5ms, kHorizontalWheel},
        {5ms, kExtraButtonDown},
        {5ms, kExtraButtonUp},
        {5ms, kMiddleButtonUp},
        {5ms, kLeftButtonUp}},
       {"35,0,129,4,1,mouse_key_middle", "5,0,1,4,0,mouse_key_middle", "0,0,1,1,0,mouse_key_left"}},
      {"without the click option the wheel and moves are captured but not recorded",
       {"macro_mouse_roller", "macro_mouse_move"},
       {{5ms, kLeftButtonDown}, {5ms, kWheel}, {5ms, kLeftButtonUp}},
       {}},
      {"the click on the record button that stops is not part of the macro",
       {"macro_keyboard_event", "macro_mouse_click"},
       {{5ms, kKeyDown, 'A'},
        {20ms, kKeyUp, 'A'},
        {300ms, kLeftButtonDown},
        {1ms, kClickRecord},
        {1ms, kLeftButtonUp}},
       {"20,0,138,4,1,keyboard_key_A", "0,0,10,4,0,keyboard_key_A"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Options(c.options);
    ClickRecord();
    Play(c.events);
    EXPECT_THAT(Recorded(), ElementsAreArray(c.recorded));
    const Control& list = C("Macro_list");
    EXPECT_EQ(list.ScrolledTo(), c.recorded.empty() ? -1 : list.ItemCount() - 1);
    for (int row = 1; row < list.ItemCount(); ++row) {
      const ListItem item = list.Item(row);
      const MacroAction action = ParseAction(item.user_data).value();
      if (!action.IsMouseFamily()) continue;  // a key's row is a step row
      EXPECT_EQ(item.style, "macro_action");
      ASSERT_EQ(item.cells.size(), 3U);
      EXPECT_EQ(item.cells[1].text, action.pressed != 0 ? "\u25BC" : "\u25B2");
      EXPECT_EQ(item.cells[2].text, std::to_string(action.delay));
    }
    if (Editor(kind()).IsRecording()) ClickRecord();
    C("macro_btn_cancel").Click();
  }
}

TEST_P(RecordingTest, TheRecordButtonLocksTheEditorAndTheCaptureFollowsTheOptions) {
  const std::vector<std::string_view> locked = {
      "macro_btn_save",   "macro_btn_cancel",     "macro_btn_up",      "macro_btn_down",
      "macro_btn_uptop",  "macro_btn_downbottom", "macro_btn_delete",  "macro_btn_deleteall",
      "macro_check_time", "macro_keyboard_event", "macro_mouse_click", "macro_mouse_roller",
      "macro_mouse_move"};
  struct Case {
    std::vector<std::string_view> options;
    bool keyboard;
    bool mouse;
  };
  for (const Case& c :
       std::vector<Case>{{{"macro_keyboard_event"}, true, false},
                         {{"macro_mouse_move"}, false, true},
                         {{"macro_keyboard_event", "macro_mouse_roller"}, true, true},
                         {{"macro_check_time"}, false, false}}) {
    Options(c.options);
    ClickRecord();
    ASSERT_TRUE(capture_.installed.has_value());
    EXPECT_EQ(capture_.installed->mode, Mode());
    EXPECT_EQ(capture_.installed->keyboard, c.keyboard);
    EXPECT_EQ(capture_.installed->mouse, c.mouse);
    EXPECT_TRUE(Editor(kind()).IsRecording());
    EXPECT_TRUE(Editor(kind()).IsEditing());
    EXPECT_TRUE(C("macro_tab_saveorcancel").IsVisible());
    EXPECT_EQ(C("macro_btn_redio").RawText(), "macro_btn_stop_redio_text");
    EXPECT_FALSE(C("Macro_list").IsInputEnabled());
    EXPECT_FALSE(C("MacroName_list").IsInputEnabled());
    for (std::string_view name : locked) EXPECT_FALSE(C(name).IsEnabled()) << name;

    ClickRecord();
    EXPECT_FALSE(capture_.installed.has_value());
    EXPECT_FALSE(Editor(kind()).IsRecording());
    EXPECT_TRUE(Editor(kind()).IsEditing()) << "save or cancel decides";
    EXPECT_EQ(C("macro_btn_redio").RawText(), "macro_btn_star_redio_text");
    EXPECT_TRUE(C("Macro_list").IsInputEnabled());
    EXPECT_FALSE(C("MacroName_list").IsInputEnabled());
    for (std::string_view name : locked) EXPECT_TRUE(C(name).IsEnabled()) << name;
    C("macro_btn_cancel").Click();
  }
  EXPECT_EQ(capture_.installations.size(), 4U);
}

TEST_P(RecordingTest, WithoutAMacroTheRecordButtonDoesNothing) {
  dialogs_.Answer({1});
  C("macro_btn_name_sub").Click();
  ASSERT_EQ(Editor(kind()).state(), MacroEditor::State::kEmpty);
  Editor(kind()).ToggleRecording();
  EXPECT_FALSE(Editor(kind()).IsRecording());
  EXPECT_TRUE(capture_.installations.empty());
}

// The hub removes the capture when the window loses the activation; the recording stays on.
TEST_P(RecordingTest, ALostActivationRemovesTheCaptureAndTheNextClickStops) {
  Options({"macro_keyboard_event"});
  ClickRecord();
  Play({{5ms, kKeyDown, 'A'}});
  capture_.RemoveAll();
  Play({{5ms, kKeyUp, 'A'}, {5ms, kKeyDown, 'B'}});
  EXPECT_TRUE(Editor(kind()).IsRecording());
  EXPECT_THAT(Recorded(), ElementsAre("0,0,138,4,1,keyboard_key_A"));
  ClickRecord();
  EXPECT_FALSE(Editor(kind()).IsRecording());
  EXPECT_EQ(capture_.installations.size(), 1U) << "the stop installs nothing";
  EXPECT_EQ(C("macro_btn_redio").RawText(), "macro_btn_star_redio_text");
  EXPECT_TRUE(C("macro_keyboard_event").IsEnabled());
}

TEST_P(RecordingTest, TheDeviceGoingAwayStopsTheRecordingAndCancelsTheEdit) {
  Options({"macro_keyboard_event"});
  ClickRecord();
  Play({{5ms, kKeyDown, 'A'}});
  Editor(kind()).AbandonEdit();
  EXPECT_FALSE(Editor(kind()).IsRecording());
  EXPECT_FALSE(capture_.installed.has_value());
  EXPECT_EQ(Editor(kind()).state(), MacroEditor::State::kClean);
  EXPECT_THAT(Steps(kind()), ElementsAre(kStored));
  EXPECT_EQ(C("macro_btn_redio").RawText(), "macro_btn_star_redio_text");
  EXPECT_TRUE(C("Macro_list").IsInputEnabled());
  EXPECT_TRUE(C("MacroName_list").IsInputEnabled());
  Play({{5ms, kKeyUp, 'A'}});
  EXPECT_THAT(Steps(kind()), ElementsAre(kStored));
}

TEST_P(RecordingTest, SavingARecordingWritesTheMacroFile) {
  Options({"macro_keyboard_event", "macro_mouse_click"});
  ClickRecord();
  Play({{250ms, kKeyDown, 'A'},
        {1s, kLeftButtonDown},
        {2ms, kLeftButtonUp},
        {3ms, kKeyUp, 'A'},
        {4ms, kClickRecord}});
  C("macro_btn_save").Click();
  const std::string select_name =
      kind() == DeviceKind::kMouse ? "[MACROSELECTNAME]\r\nname=m\r\n" : "";
  EXPECT_EQ(MacroText(kind(), "m"), "[MACROACTIONCOUNT]\r\ncount=5\r\n" + select_name +
                                        "[MACROACTION]\r\n"
                                        "0=250,0,138,4,1,keyboard_key_A\r\n"
                                        "1=232,3,138,4,1,keyboard_key_A\r\n"
                                        "2=2,0,129,1,1,mouse_key_left\r\n"
                                        "3=3,0,1,1,0,mouse_key_left\r\n"
                                        "4=0,0,10,4,0,keyboard_key_A\r\n");
  EXPECT_THAT(Store(kind()).ReadMacro("m"), ElementsAreArray(Steps(kind())));
}

INSTANTIATE_TEST_SUITE_P(Pages, RecordingTest,
                         ::testing::Values(DeviceKind::kMouse, DeviceKind::kKeyboard), PageName);

}  // namespace
}  // namespace vandrel::testing
