// Tab switching: device tabs and page tabs choose their pages; an open macro edit keeps its tabs.
#include <gmock/gmock.h>

#include "hub_fixture.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;

class TabSwitchingTest : public HubTest {
 protected:
  void SetUp() override {
    Start();
    hub_->SetMacroPart(recorder_);
  }

  // The macro part's answer, not the look of a panel, says whether an edit is open.
  struct Recorder final : MacroPart {
    int stops = 0;
    bool mouse_edit = false;
    bool keyboard_edit = false;
    void StopRecording() override { ++stops; }
    bool IsEditOpen(DeviceKind kind) const override {
      return kind == DeviceKind::kMouse ? mouse_edit : keyboard_edit;
    }
  } recorder_;
};

TEST_F(TabSwitchingTest, DeviceTabsChooseThePagesOfTheTabSwitch) {
  const std::pair<std::string_view, int> tabs[] = {
      {"ms_tab", 1}, {"mp_tab", 2}, {"ani_tab", 3}, {"split_tab", 4}, {"kb_tab", 0}};
  for (const auto& [tab, page] : tabs) {
    Find(tab).Click();
    EXPECT_EQ(Find("tab_switch").CurrentPage(), page) << tab;
  }
}

TEST_F(TabSwitchingTest, MousePageTabsChooseTheirPagesAndFocusHidesTheProfileSpread) {
  const std::pair<std::string_view, int> tabs[] = {{"ms_macro_Op_tab", 1},
                                                   {"ms_key_Op_tab", 2},
                                                   {"ms_rich_Op_tab", 3},
                                                   {"ms_cursor_Op_tab", 4},
                                                   {"ms_deng_Op_tab", 0}};
  for (const auto& [tab, page] : tabs) {
    Find(tab).Click();
    EXPECT_EQ(Find("ms_tab_switch").CurrentPage(), page) << tab;
  }
  Find("ms_profile_fun_spead_tab").SetVisible(true);
  Find("ms_key_Op_tab").SetFocus(Notify::kYes);
  EXPECT_FALSE(Find("ms_profile_fun_spead_tab").IsVisible());
}

TEST_F(TabSwitchingTest, TheKeyboardMacroPageLocksTheProfileControls) {
  Find("kb_macro_Op_tab").Click();
  EXPECT_EQ(Find("kb_tab_switch").CurrentPage(), 1);
  for (std::string_view name : {"kb_profile_fun_spread_btn", "kb_profile_select_tab",
                                "kb_key_profile_edit", "kb_device_profile_edit"}) {
    EXPECT_FALSE(Find(name).IsEnabled()) << name;
  }
  Find("kb_deng_Op_tab").Click();
  EXPECT_EQ(Find("kb_tab_switch").CurrentPage(), 2);
  EXPECT_TRUE(Find("kb_profile_select_tab").IsEnabled());
  EXPECT_TRUE(Find("kb_deng_layout").IsVisible());
  EXPECT_FALSE(Find("kb_tab_key_seting").IsVisible());
}

TEST_F(TabSwitchingTest, TheKeyPageSharesTheLightingPageButSwapsItsPanelsAndLocksTwoKeys) {
  Find("kb_deng_Op_tab").Click();
  Find("kb_key_Op_tab").Click();
  EXPECT_EQ(Find("kb_tab_switch").CurrentPage(), 2);
  EXPECT_FALSE(Find("kb_deng_layout").IsVisible());
  EXPECT_TRUE(Find("kb_tab_key_seting").IsVisible());
  EXPECT_TRUE(Find("kb_tab_function").IsVisible());
  EXPECT_FALSE(Find("kb_tab_function").IsEnabled());
  EXPECT_FALSE(Find("kb_key_110").IsEnabled());
  EXPECT_FALSE(Find("kb_key_111").IsEnabled());
  EXPECT_TRUE(Find("kb_key_109").IsEnabled());
  Find("kb_deng_Op_tab").Click();
  EXPECT_TRUE(Find("kb_key_110").IsEnabled());
}

TEST_F(TabSwitchingTest, OpeningTheKeyboardShowsThePanelsOfItsSelectedPageTab) {
  struct Case {
    std::string_view page_tab;  // selected before the keyboard tab is opened
    bool key_panels;
  };
  for (const Case& c :
       {Case{"kb_key_Op_tab", true}, Case{"kb_deng_Op_tab", false}, Case{"kb_key_Op_tab", true}}) {
    Find("ms_tab").Click();
    (void)Find(c.page_tab).SetSelected(true, Notify::kNo);
    Find("kb_deng_layout").SetVisible(c.key_panels);
    Find("kb_tab_key_seting").SetVisible(!c.key_panels);
    Find("kb_tab").Click();
    EXPECT_EQ(Find("kb_tab_switch").CurrentPage(), 2) << c.page_tab;
    EXPECT_EQ(Find("kb_tab_key_seting").IsShown(), c.key_panels) << c.page_tab;
    EXPECT_EQ(Find("kb_deng_layout").IsShown(), !c.key_panels) << c.page_tab;
    EXPECT_EQ(Find("kb_key_110").IsEnabled(), !c.key_panels) << c.page_tab;
  }
}

// Tabs, page tabs and the options inside the pages alike: any selection ends a recording. A
// click that selects nothing (the record button itself) leaves it running.
TEST_F(TabSwitchingTest, EverySelectionChangeStopsARecordingAndPlainClicksDoNot) {
  const struct {
    std::string_view control;
    bool stops;
  } cases[] = {{"ms_tab", true},
               {"ms_key_Op_tab", true},
               {"ms_key_1", true},
               {"ms_Deng_7color_check", true},
               {"mp_Deng_7color_check", true},
               {"ms_macro_check_time", true},
               {"ms_macro_btn_redio", false},
               {"skinbtn", false}};
  for (const auto& c : cases) {
    recorder_.stops = 0;
    Find(c.control).Click();
    EXPECT_EQ(recorder_.stops > 0, c.stops) << c.control;
  }
}

TEST_F(TabSwitchingTest, AnOpenMouseMacroEditTurnsOtherTabsBackAndSaysWhy) {
  Find("ms_tab").Click();
  Find("ms_macro_Op_tab").Click();
  recorder_.mouse_edit = true;
  Find("kb_tab").Click();
  EXPECT_TRUE(Find("ms_tab").IsSelected());
  EXPECT_TRUE(Find("ms_macro_Op_tab").IsSelected());
  EXPECT_EQ(Find("tab_switch").CurrentPage(), 1);
  EXPECT_EQ(Find("ms_tab_switch").CurrentPage(), 1);
  EXPECT_THAT(dialogs_.Texts(), ElementsAre("message_text_3"));
}

TEST_F(TabSwitchingTest, AnOpenKeyboardMacroEditKeepsItsTabsVisibleAndSelected) {
  Find("kb_tab").Click();
  Find("kb_macro_Op_tab").Click();
  recorder_.keyboard_edit = true;
  Find("kb_tab").SetVisible(false);
  Find("kb_deng_Op_tab").Click();
  EXPECT_TRUE(Find("kb_tab").IsVisible());
  EXPECT_TRUE(Find("kb_macro_Op_tab").IsSelected());
  EXPECT_EQ(Find("kb_tab_switch").CurrentPage(), 1);
  EXPECT_THAT(dialogs_.Texts(), ElementsAre("message_text_3"));
}

TEST_F(TabSwitchingTest, AnOpenMacroEditLeavesOptionsThatAreNotTabsAlone) {
  recorder_.mouse_edit = true;
  Control& option =
      window_->AddControl(window_->Root(), ControlKind::kCheckBox, "ms_macro_check_time");
  option.Click();
  EXPECT_TRUE(option.IsSelected());
  EXPECT_TRUE(dialogs_.shown().empty());
}

}  // namespace
}  // namespace vandrel::testing
