// The mouse's lighting page: the controls it shares with the pad's page, then its own rules —
// the refresh that applies the record once, the three mode lists and their option groups, the
// end of synchronised lighting, the direction buttons and adopting another device's lighting.
#include "mouse/lighting_page.h"

#include <gtest/gtest.h>

#include "page_fixture.h"
#include "ui/lighting_panel_tests.h"

namespace vandrel::testing {
namespace {

class MouseLightingPanel : public MousePageTest {
 protected:
  static constexpr std::string_view kPrefix = "ms_";
  static constexpr DeviceKind kDevice = DeviceKind::kMouse;
  // The mouse runs its own effect with the settings the synchronised animation uses.
  static constexpr LightingFields kMirrored =
      kBrightnessField | kSpeedField | kDirectionField | kFixedColourFields;
  static constexpr unsigned kProfiles = kLightProfile | kDeviceProfile;

  LightingBlock& Lighting() { return Live().lighting; }
  void RefreshPage() { lighting_->Refresh(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Mouse, LightingPanelTest, MouseLightingPanel);
constexpr std::string_view kGroups[] = {"ms_deng_fx_layout",           "ms_deng_color_layout",
                                        "ms_deng_7colorselect_layout", "ms_deng_speed_layout",
                                        "ms_deng_light_layout",        "ms_deng_same_mode"};

using LightingPageTest = MousePageTest;

TEST_F(LightingPageTest, RefreshShowsTheFirstModeListWithTheStoredMode) {
  Live().lighting.mode = 2;
  C("ms_deng_mode_switch").SelectPage(1);
  lighting_->Refresh();
  EXPECT_EQ(C("ms_deng_mode_switch").CurrentPage(), 0);
  EXPECT_EQ(C("ms_deng_combo_modeSelect0").CurrentIndex(), 2);
}

TEST_F(LightingPageTest, ARefreshIsFollowedByExactlyOneLiveApply) {
  Live().lighting.mode = 1;
  const auto record = LiveBytes();
  lighting_->Refresh();
  EXPECT_EQ(LiveBytes(), record);
  mouse_->ApplyLive();
  mouse_->ApplyLive();
  EXPECT_EQ(LiveApplies(), 1u);
  const std::vector<std::uint8_t> memory = sim_mouse_->Memory().settings;
  EXPECT_TRUE(std::equal(record.begin() + 1, record.end(), memory.begin() + 1));
}

TEST_F(LightingPageTest, AModeTheListDoesNotHaveIsKept) {
  Live().lighting.mode = 7;
  C("ms_deng_combo_modeSelect0").SelectItem(2, Notify::kNo);
  lighting_->Refresh();
  EXPECT_EQ(Live().lighting.mode, 7);
  EXPECT_EQ(C("ms_deng_combo_modeSelect0").CurrentIndex(), -1);
  EXPECT_TRUE(state_.dirty);
}

TEST_F(LightingPageTest, ModeThreeOfTheFirstListDisablesEveryGroup) {
  C("ms_deng_combo_modeSelect0").SelectItem(3, Notify::kYes);
  EXPECT_EQ(Live().lighting.mode, 3);
  for (std::string_view group : kGroups) EXPECT_FALSE(C(group).IsEnabled()) << group;
  C("ms_deng_combo_modeSelect0").SelectItem(0, Notify::kYes);
  EXPECT_FALSE(C("ms_deng_fx_layout").IsEnabled());
  EXPECT_TRUE(C("ms_deng_color_layout").IsEnabled());
  EXPECT_TRUE(C("ms_deng_same_mode").IsEnabled());
  EXPECT_EQ(Live().lighting.mode, 0);
  EXPECT_TRUE(state_.dirty);
}

TEST_F(LightingPageTest, ModesMarkedToLeaveTheBrightnessGroupLeaveIt) {
  C("ms_deng_combo_modeSelect0").SelectItem(3, Notify::kYes);
  C("ms_deng_combo_modeSelect0").SelectItem(4, Notify::kYes);
  EXPECT_FALSE(C("ms_deng_light_layout").IsEnabled());
  EXPECT_TRUE(C("ms_deng_fx_layout").IsEnabled());
  EXPECT_FALSE(C("ms_deng_same_mode").IsEnabled());
  C("ms_deng_combo_modeSelect2").SelectItem(1, Notify::kYes);
  EXPECT_FALSE(C("ms_deng_light_layout").IsEnabled()) << "the third list has no brightness cell";
  EXPECT_TRUE(C("ms_deng_speed_layout").IsEnabled());
  EXPECT_FALSE(C("ms_deng_color_layout").IsEnabled());
}

TEST_F(LightingPageTest, TheSecondListHidesAndShowsTheDirectionAndSpeedGroups) {
  C("ms_deng_combo_modeSelect1").SelectItem(1, Notify::kYes);
  EXPECT_FALSE(C("ms_deng_fx_layout").IsVisible());
  C("ms_deng_combo_modeSelect1").SelectItem(3, Notify::kYes);
  EXPECT_TRUE(C("ms_deng_speed_layout").IsVisible());
  EXPECT_FALSE(C("ms_deng_speed_layout").IsEnabled());
  C("ms_deng_combo_modeSelect1").SelectItem(0, Notify::kYes);
  EXPECT_TRUE(C("ms_deng_fx_layout").IsVisible());
  EXPECT_TRUE(C("ms_deng_fx_layout").IsEnabled());
}

TEST_F(LightingPageTest, OnlyTheSecondAndThirdListsEndSynchronisedLighting) {
  channel_.set_sync_lighting(true);
  C("ms_deng_combo_modeSelect0").SelectItem(1, Notify::kYes);
  EXPECT_TRUE(channel_.sync_lighting());
  lighting_->Refresh();
  EXPECT_TRUE(channel_.sync_lighting()) << "a refresh after same mode keeps it";
  for (const char* list : {"ms_deng_combo_modeSelect1", "ms_deng_combo_modeSelect2"}) {
    channel_.set_sync_lighting(true);
    C(list).SelectItem(5, Notify::kYes);
    EXPECT_FALSE(channel_.sync_lighting()) << list;
    EXPECT_EQ(Live().lighting.mode, 5) << list;
  }
}

// Skins may offer buttons beside the direction options; they act like them.
TEST_F(LightingPageTest, DirectionButtonsActLikeTheOptions) {
  Control& panel = C("ms_deng_fx_layout");
  Control& left = window_->AddControl(panel, ControlKind::kButton, "ms_Deng_FXL_btn");
  Control& right = window_->AddControl(panel, ControlKind::kButton, "ms_Deng_FXR_btn");
  left.Click();
  EXPECT_EQ(Live().lighting.direction, 1);
  EXPECT_EQ(sync_.common.Load().direction, 1);
  EXPECT_TRUE(C("ms_Deng_FXL_check").IsSelected());
  EXPECT_FALSE(C("ms_Deng_FXR_check").IsSelected());
  right.Click();
  EXPECT_EQ(Live().lighting.direction, 0);
  EXPECT_EQ(sync_.common.Load().direction, 0);
  EXPECT_TRUE(C("ms_Deng_FXR_check").IsSelected());
  EXPECT_FALSE(C("ms_Deng_FXL_check").IsSelected());
}

TEST_F(LightingPageTest, AnotherDevicesLightingIsAdoptedAndSent) {
  const LightingBlock keyboard{.mode = 1,
                               .brightness = 5,
                               .speed = 6,
                               .direction = 0,
                               .seven_colour = 0,
                               .red = 200,
                               .green = 100,
                               .blue = 50};
  lighting_->AdoptLighting(keyboard);
  EXPECT_EQ(Live().lighting, keyboard);
  EXPECT_EQ(C("ms_deng_light_slider").Value(), 5);
  mouse_->ApplyLive();
  EXPECT_EQ(LiveApplies(), 1u);
}

}  // namespace
}  // namespace vandrel::testing
