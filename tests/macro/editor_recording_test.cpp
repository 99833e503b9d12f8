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

// One event of the capture, `after` the one before it.
struct Event {
  std::chrono::milliseconds after;
  int message;  // a key message (0x100 …) or a mouse message (0x200 …)
  std::uint16_t virtual_key = 0;
  std::uint32_t flags = 0;
};

Event Key(std::chrono::milliseconds after, int message, std::uint16_t key,
          std::uint32_t flags = 0) {
  return {after, message, key, flags};
}
Event Mouse(std::chrono::milliseconds after, int message) { return {after, message}; }

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
  void Options(std::initializer_list<std::string_view> selected) {
    for (std::string_view option : {"macro_keyboard_event", "macro_mouse_click",
                                    "macro_mouse_roller", "macro_mouse_move", "macro_check_time"}) {
      const bool on = std::ranges::find(selected, option) != selected.end();
      (void)C(option).SetSelected(on, Notify::kNo);
    }
  }
  // Plays the events through the capture, each handed to the page as the hub does, at once.
  void Play(const std::vector<Event>& events) {
    for (const Event& event : events) {
      clock_.Advance(event.after);
      if (event.message >= kMouseMove) {
        capture_.PlayMouse(event.message);
      } else {
        (void)capture_.PlayKey(event.message, {event.virtual_key, event.flags});
      }
      HandPosted();
    }
  }
  void HandPosted() {
    for (const auto& [message, wparam, lparam] : posted_.posted) {
      if (message == KeyMessageOf(Mode())) {
        Editor(kind()).OnKeyMessage(static_cast<int>(wparam), CapturedKey::FromParam(lparam));
      } else if (message == MouseMessageOf(Mode())) {
        Editor(kind()).OnMouseMessage(static_cast<int>(wparam));
      } else {
        ADD_FAILURE() << "message " << message << " is another page's";
      }
    }
    posted_.posted.clear();
  }
  // The steps recorded after the stored one.
  Lines Recorded() {
    Lines steps = Steps(kind());
    EXPECT_FALSE(steps.empty());
    if (!steps.empty()) steps.erase(steps.begin());
    return steps;
  }
  void ClickRecord() { C("macro_btn_redio").Click(); }
};

TEST_P(RecordingTest, KeysBecomeStepsWithTheGapsBetweenThem) {
  struct Case {
    const char* what;
    std::vector<Event> events;
    bool fixed_delay;
    Lines recorded;  // the gap before the first event is the stored step's
  };
  const std::vector<Case> cases = {
      {"a held key gives one press",
       {Key(10ms, kKeyDown, 'A'), Key(500ms, kKeyDown, 'A'), Key(30ms, kKeyDown, 'A'),
        Key(30ms, kKeyUp, 'A')},
       false,
       {"48,2,138,4,1,keyboard_key_A", "0,0,10,4,0,keyboard_key_A"}},
      {"keypad Enter is Return with the extended flag, the main Enter without it",
       {Key(5ms, kKeyDown, 0x0D, 1), Key(5ms, kKeyUp, 0x0D, 129), Key(5ms, kKeyDown, 0x0D),
        Key(5ms, kKeyUp, 0x0D, 128)},
       false,
       {"5,0,138,88,1,keyboard_key_Num Enter", "5,0,10,88,0,keyboard_key_Num Enter",
        "5,0,138,40,1,keyboard_key_Enter", "0,0,10,40,0,keyboard_key_Enter"}},
      {"measured gaps are capped at 65535 ms; a key outside the table only passes time",
       {Key(1ms, kKeyDown, 0xA2), Key(70s, kKeyDown, 0x73), Key(100ms, kKeyUp, 0xAD),
        Key(200ms, kKeyUp, 0x73), Key(1ms, kKeyUp, 0xA2)},
       false,
       {"255,255,137,1,1,keyboard_key_LCtrl", "44,1,138,61,1,keyboard_key_F4",
        "1,0,10,61,0,keyboard_key_F4", "0,0,9,1,0,keyboard_key_LCtrl"}},
      {"with the fixed delay every step but the last waits 50 ms",
       {Key(1ms, kSystemKeyDown, 0xA4), Key(70s, kSystemKeyDown, 0x73),
        Key(3ms, kSystemKeyUp, 0x73), Key(9ms, kKeyUp, 0xA4)},
       true,
       {"50,0,137,4,1,keyboard_key_LAlt", "50,0,138,61,1,keyboard_key_F4",
        "50,0,10,61,0,keyboard_key_F4", "0,0,9,4,0,keyboard_key_LAlt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Options(c.fixed_delay ? std::initializer_list<std::string_view>{"macro_keyboard_event",
                                                                    "macro_check_time"}
                          : std::initializer_list<std::string_view>{"macro_keyboard_event"});
    ClickRecord();
    Play(c.events);
    EXPECT_THAT(Recorded(), ElementsAreArray(c.recorded));
    EXPECT_EQ(C("Macro_list").ScrolledTo(), C("Macro_list").ItemCount() - 1);
    ClickRecord();
    C("macro_btn_cancel").Click();
  }
}

TEST_P(RecordingTest, OnlyButtonClicksOfLeftRightAndMiddleAreRecordedWithTheClickOption) {
  struct Case {
    const char* what;
    std::initializer_list<std::string_view> options;
    std::vector<Event> events;
    Lines recorded;
  };
  const std::vector<Case> cases = {
      {"a right click gives a press and a release",
       {"macro_mouse_click"},
       {Mouse(5ms, kRightButtonDown), Mouse(40ms, kRightButtonUp)},
       {"40,0,129,2,1,mouse_key_right", "0,0,1,2,0,mouse_key_right"}},
      {"moves, the wheel and the extra buttons make nothing; a repeated message makes one step",
       {"macro_mouse_click", "macro_mouse_move", "macro_mouse_roller"},
       {Mouse(5ms, kMouseMove), Mouse(5ms, kMiddleButtonDown), Mouse(5ms, kMouseMove),
        Mouse(5ms, kWheel), Mouse(5ms, kMiddleButtonDown), Mouse(5ms, kHorizontalWheel),
        Mouse(5ms, kExtraButtonDown), Mouse(5ms, kExtraButtonUp), Mouse(5ms, kMiddleButtonUp),
        Mouse(5ms, kLeftButtonUp)},
       {"35,0,129,4,1,mouse_key_middle", "5,0,1,4,0,mouse_key_middle", "0,0,1,1,0,mouse_key_left"}},
      {"without the click option the wheel and moves are captured but not recorded",
       {"macro_mouse_roller", "macro_mouse_move"},
       {Mouse(5ms, kLeftButtonDown), Mouse(5ms, kWheel), Mouse(5ms, kLeftButtonUp)},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Options(c.options);
    ClickRecord();
    Play(c.events);
    EXPECT_THAT(Recorded(), ElementsAreArray(c.recorded));
    for (int row = 1; row < C("Macro_list").ItemCount(); ++row) {
      const ListItem item = C("Macro_list").Item(row);
      const MacroAction action = ParseAction(item.user_data).value();
      EXPECT_EQ(item.style, "macro_action");
      EXPECT_EQ(item.height, 25);
      ASSERT_EQ(item.cells.size(), 3U);
      EXPECT_EQ(item.cells[1].text, action.pressed != 0 ? "\u25BC" : "\u25B2");
      EXPECT_EQ(item.cells[2].text, std::to_string(action.delay));
    }
    ClickRecord();
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
    std::initializer_list<std::string_view> options;
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
  Play({Key(5ms, kKeyDown, 'A')});
  capture_.RemoveAll();
  Play({Key(5ms, kKeyUp, 'A'), Key(5ms, kKeyDown, 'B')});
  EXPECT_TRUE(Editor(kind()).IsRecording());
  EXPECT_THAT(Recorded(), ElementsAre("0,0,138,4,1,keyboard_key_A"));
  ClickRecord();
  EXPECT_FALSE(Editor(kind()).IsRecording());
  EXPECT_EQ(capture_.installations.size(), 1U) << "the stop installs nothing";
  EXPECT_EQ(C("macro_btn_redio").RawText(), "macro_btn_star_redio_text");
  EXPECT_TRUE(C("macro_keyboard_event").IsEnabled());
}

TEST_P(RecordingTest, TheClickOnTheRecordButtonIsNotPartOfTheMacro) {
  Options({"macro_keyboard_event", "macro_mouse_click"});
  ClickRecord();
  Play({Key(5ms, kKeyDown, 'A'), Key(20ms, kKeyUp, 'A'), Mouse(300ms, kLeftButtonDown)});
  ClickRecord();
  Play({Mouse(80ms, kLeftButtonUp)});
  EXPECT_THAT(Recorded(), ElementsAre("20,0,138,4,1,keyboard_key_A", "0,0,10,4,0,keyboard_key_A"));
}

TEST_P(RecordingTest, TheDeviceGoingAwayStopsTheRecordingAndCancelsTheEdit) {
  Options({"macro_keyboard_event"});
  ClickRecord();
  Play({Key(5ms, kKeyDown, 'A')});
  Editor(kind()).AbandonEdit();
  EXPECT_FALSE(Editor(kind()).IsRecording());
  EXPECT_FALSE(capture_.installed.has_value());
  EXPECT_EQ(Editor(kind()).state(), MacroEditor::State::kClean);
  EXPECT_THAT(Steps(kind()), ElementsAre(kStored));
  EXPECT_EQ(C("macro_btn_redio").RawText(), "macro_btn_star_redio_text");
  EXPECT_TRUE(C("Macro_list").IsInputEnabled());
  EXPECT_TRUE(C("MacroName_list").IsInputEnabled());
  Play({Key(5ms, kKeyUp, 'A')});
  EXPECT_THAT(Steps(kind()), ElementsAre(kStored));
}

TEST_P(RecordingTest, SavingARecordingWritesTheMacroFile) {
  Options({"macro_keyboard_event", "macro_mouse_click"});
  ClickRecord();
  Play({Key(250ms, kKeyDown, 'A'), Mouse(1s, kLeftButtonDown), Mouse(2ms, kLeftButtonUp),
        Key(3ms, kKeyUp, 'A')});
  ClickRecord();
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
