// The macro editors in the main window: built at start, reached through the routing table, an
// open edit keeping its tabs, a presence monitor's abandon carried out on the user-interface
// thread, not on the monitor's, and the input capture's messages reaching their receivers until
// the hub stops the capture.
#include <gmock/gmock.h>

#include <thread>

#include "app/hub_fixture.h"
#include "macro/macro_components.h"
#include "support/deadline.h"
#include "support/fake_input_capture.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;

constexpr std::string_view kStep = "10,1,138,4,1,keyboard_key_A";

class MacroPartTest : public HubTest {
 protected:
  void SetUp() override {
    for (const DeviceKind kind : {DeviceKind::kMouse, DeviceKind::kKeyboard}) {
      const MacroStore store(kind, kind == DeviceKind::kMouse ? folders_.GetMouseFolder()
                                                              : folders_.GetKeyboardFolder());
      ASSERT_TRUE(
          store.WriteMacro("stored", "stored", std::vector<std::string>{std::string(kStep)}));
      ASSERT_TRUE(store.RewriteCatalogue(std::vector<std::string>{"stored"}));
    }
    Create();
    macros_.emplace(*hub_, *window_, dialogs_, folders_, capture_, clock_);
    hub_->InitWindow();
    window_->RaiseWindowInit();
  }
  void TearDown() override {
    HubTest::TearDown();
    macros_.reset();
  }
  std::vector<std::string> Steps(std::string_view list) {
    std::vector<std::string> lines;
    for (const ListItem& row : Find(list).Items()) lines.push_back(row.user_data);
    return lines;
  }

  FakeInputCapture capture_{loop_};
  std::optional<MacroComponents> macros_;
};

TEST_F(MacroPartTest, TheStartBuildsBothEditorsAndTheRoutingReachesThem) {
  for (std::string_view prefix : {"ms_", "kb_"}) {
    const std::string p(prefix);
    EXPECT_THAT(Steps(p + "Macro_list"), ElementsAre(kStep)) << prefix;
    Find(p + "macro_btn_name_add").Click();
    Find(p + "mouse_y_up_edit").Type("999");
    EXPECT_EQ(Find(p + "mouse_y_up_edit").RawText(), "255") << prefix;
  }
  EXPECT_EQ(Find("ms_MacroName_list").ItemCount(), 2);
  EXPECT_EQ(Find("kb_MacroName_list").ItemCount(), 2);
}

TEST_F(MacroPartTest, AnOpenEditKeepsItsTabsByTheEditorsState) {
  Find("ms_tab").Click();
  Find("ms_macro_Op_tab").Click();
  Find("ms_macro_tab_saveorcancel").SetVisible(true);  // a look alone opens no edit
  Find("kb_tab").Click();
  EXPECT_TRUE(Find("kb_tab").IsSelected());
  Find("ms_tab").Click();
  Find("ms_macro_inset_leftkeydown_btn").Click();
  EXPECT_TRUE(macros_->IsEditOpen(DeviceKind::kMouse));
  Find("kb_tab").Click();
  EXPECT_TRUE(Find("ms_tab").IsSelected());
  EXPECT_THAT(dialogs_.Texts(), ElementsAre("message_text_3"));
}

TEST_F(MacroPartTest, AMonitorsAbandonIsPostedAndCarriedOutOnTheUserInterfaceThread) {
  Find("kb_macro_btn_deleteall").Click();
  ASSERT_TRUE(macros_->IsEditOpen(DeviceKind::kKeyboard));
  // As during a recording.
  Find("kb_Macro_list").SetInputEnabled(false);
  Find("kb_macro_btn_redio").SetText("macro_btn_stop_redio_text");
  std::thread monitor([this] { hub_->link().AbandonMacroEdit(DeviceKind::kKeyboard); });
  JoinWithin(monitor, "the monitor's request returning without waiting");
  EXPECT_TRUE(macros_->IsEditOpen(DeviceKind::kKeyboard)) << "nothing done on the monitor's thread";
  EXPECT_THAT(Steps("kb_Macro_list"), ::testing::IsEmpty());
  loop_.RunPending();
  EXPECT_FALSE(macros_->IsEditOpen(DeviceKind::kKeyboard));
  EXPECT_FALSE(Find("kb_macro_tab_saveorcancel").IsVisible());
  EXPECT_THAT(Steps("kb_Macro_list"), ElementsAre(kStep));
  EXPECT_EQ(Find("kb_macro_btn_redio").RawText(), "macro_btn_star_redio_text");
  EXPECT_TRUE(Find("kb_Macro_list").IsInputEnabled());
  EXPECT_THAT(Steps("ms_Macro_list"), ElementsAre(kStep)) << "the other page is left alone";
}

TEST_F(MacroPartTest, CapturedKeysReachTheirPageUntilTheActivationOrTheTabIsLost) {
  std::vector<std::string> taken;
  for (const int message : {0x0801, 0x0810}) {
    macros_->hook_receivers().Set(
        message, [&taken, message](std::intptr_t wparam, std::intptr_t lparam) {
          const CapturedKey key = CapturedKey::FromParam(lparam);
          taken.push_back(std::to_string(message) + " " + std::to_string(wparam) + " " +
                          std::to_string(key.virtual_key) + "/" + std::to_string(key.flags));
        });
  }
  const CapturedKey a{'A', 0};
  const auto capture_and_press = [&](CaptureMode mode) {
    ASSERT_TRUE(macros_->capture().Install(mode, true, false));
    EXPECT_FALSE(capture_.PlayKey(kKeyDown, a));
    loop_.RunPending();
  };
  capture_and_press(CaptureMode::kMouseSingleKey);
  capture_and_press(CaptureMode::kKeyboardSingleKey);
  EXPECT_TRUE(capture_.PlayKey(kKeyDown, {0x14, 0})) << "Caps Lock goes on";
  loop_.Post(kMessageActivateChanged, 0, 0);
  loop_.RunPending();
  EXPECT_TRUE(capture_.PlayKey(kKeyDown, a)) << "the capture went with the activation";
  capture_and_press(CaptureMode::kMouseSingleKey);
  Find("kb_tab").Click();
  EXPECT_FALSE(capture_.installed) << "another tab ends the capture";
  capture_and_press(CaptureMode::kKeyboardMacro);  // the editor takes 0x0803 only while recording
  EXPECT_THAT(taken,
              ElementsAre("2064 256 65/0", "2049 256 65/0", "2049 256 20/0", "2064 256 65/0"));
}

// Each page's record button and capture messages reach its own editor; losing the activation
// removes the capture, and the recording ends on the next click.
TEST_F(MacroPartTest, EachPageRecordsThroughTheHubUntilItsButtonStopsIt) {
  for (const DeviceKind kind : {DeviceKind::kMouse, DeviceKind::kKeyboard}) {
    const std::string p = kind == DeviceKind::kMouse ? "ms_" : "kb_";
    const std::string other = kind == DeviceKind::kMouse ? "kb_" : "ms_";
    Find(p + "macro_mouse_click").SetSelected(true, Notify::kNo);
    Find(p + "macro_btn_redio").Click();
    ASSERT_TRUE(capture_.installed) << p;
    EXPECT_TRUE(capture_.installed->keyboard && capture_.installed->mouse) << p;
    for (const int key_message : {kKeyDown, kKeyUp}) {
      EXPECT_FALSE(capture_.PlayKey(key_message, {'A', 0})) << "swallowed";
      loop_.RunPending();
    }
    capture_.PlayMouse(kRightButtonDown);
    loop_.RunPending();
    loop_.Post(kMessageActivateChanged, 0, 0);
    loop_.RunPending();
    EXPECT_FALSE(capture_.installed) << p;
    EXPECT_TRUE(macros_->editor(kind).IsRecording()) << p;
    Find(p + "macro_btn_redio").Click();
    EXPECT_FALSE(macros_->editor(kind).IsRecording()) << p;
    const std::vector<std::string> steps = Steps(p + "Macro_list");
    ASSERT_EQ(steps.size(), 4U) << p;
    EXPECT_EQ(ParseAction(steps[1])->name, "keyboard_key_A") << p;
    EXPECT_EQ(steps[3], "0,0,129,2,1,mouse_key_right") << p;
    EXPECT_THAT(Steps(other + "Macro_list"), ElementsAre(kStep))
        << "the other page records nothing";
    Find(p + "macro_btn_cancel").Click();
  }
}

}  // namespace
}  // namespace vandrel::testing
