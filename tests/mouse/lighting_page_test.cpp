// The lighting page: refresh, the mode lists and their option groups, colours from the palette,
// presets and typed components, seven-colour, direction, brightness, speed and same mode.
#include "mouse/lighting_page.h"

#include <gtest/gtest.h>

#include "page_fixture.h"
#include "ui/preset_colours.h"

namespace vandrel::testing {
namespace {

constexpr unsigned kLightAndDevice = kLightProfile | kDeviceProfile;
constexpr std::string_view kGroups[] = {"ms_deng_fx_layout",           "ms_deng_color_layout",
                                        "ms_deng_7colorselect_layout", "ms_deng_speed_layout",
                                        "ms_deng_light_layout",        "ms_deng_same_mode"};

using LightingPageTest = MousePageTest;

TEST_F(LightingPageTest, RefreshShowsTheLiveLighting) {
  Live().lighting = {.mode = 2,
                     .brightness = 9,
                     .speed = 3,
                     .direction = 0,
                     .seven_colour = 1,
                     .red = 0x10,
                     .green = 0x20,
                     .blue = 0x30};
  lighting_->Refresh();
  EXPECT_EQ(C("ms_deng_mode_switch").CurrentPage(), 0);
  EXPECT_EQ(C("ms_deng_combo_modeSelect0").CurrentIndex(), 2);
  EXPECT_EQ(C("ms_deng_light_slider").Value(), 9);
  EXPECT_EQ(C("ms_deng_speed_slider").Value(), 11);
  EXPECT_EQ(C("ms_deng_Color_Pallet").SelectedColour(), 0xFF102030u);
  EXPECT_EQ(C("ms_Deng_colordp_btn").BackgroundColour(), 0xFF102030u);
  EXPECT_EQ(C("ms_Deng_edit_R").Text(), "16");
  EXPECT_EQ(C("ms_Deng_edit_G").Text(), "32");
  EXPECT_EQ(C("ms_Deng_edit_B").Text(), "48");
  EXPECT_TRUE(C("ms_Deng_7color_check").IsSelected());
  EXPECT_TRUE(C("ms_Deng_FXR_check").IsSelected());
  EXPECT_FALSE(C("ms_Deng_FXL_check").IsSelected());
  EXPECT_EQ(Live().lighting.seven_colour, 1) << "showing the colour stores nothing";
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

TEST_F(LightingPageTest, AComponentAbove255IsClampedAndEndsSevenColour) {
  Live().lighting = {.seven_colour = 1, .red = 0x11, .blue = 0x33};
  sync_.common.Update([](LightingBlock& common) { common.seven_colour = 1; });
  lighting_->Refresh();
  C("ms_Deng_edit_G").Type("300");
  EXPECT_EQ(C("ms_Deng_edit_G").Text(), "255");
  EXPECT_EQ(Live().lighting.green, 255);
  EXPECT_EQ(sync_.common.Load().green, 255);
  EXPECT_EQ(Live().lighting.seven_colour, 0);
  EXPECT_EQ(sync_.common.Load().seven_colour, 0);
  EXPECT_FALSE(C("ms_Deng_7color_check").IsSelected());
  EXPECT_EQ(C("ms_Deng_colordp_btn").BackgroundColour(), 0xFF11FF33u);
  EXPECT_EQ(C("ms_deng_Color_Pallet").SelectedColour(), 0xFF11FF33u);
  EXPECT_EQ(Live().lighting.red, 0x11) << "the other components stay";
  C("ms_Deng_edit_B").Type("-7");
  EXPECT_EQ(Live().lighting.blue, 0) << "no colour below 0";
}

TEST_F(LightingPageTest, PresetsAndThePaletteSetTheFixedColour) {
  Live().lighting = {.seven_colour = 1, .red = 9, .green = 9, .blue = 9};
  C("ms_Deng_7color_check").SetSelected(true, Notify::kNo);
  C("ms_Deng_color_btn_21").Click();
  EXPECT_EQ(Live().lighting, (LightingBlock{}));
  for (const char* edit : {"ms_Deng_edit_R", "ms_Deng_edit_G", "ms_Deng_edit_B"}) {
    EXPECT_EQ(C(edit).Text(), "0") << edit;
  }
  EXPECT_FALSE(C("ms_Deng_7color_check").IsSelected());
  C("ms_Deng_color_btn_16").Click();
  EXPECT_EQ(C("ms_Deng_colordp_btn").BackgroundColour(), PresetColours[16]);
  EXPECT_EQ(sync_.common.Load().blue, 0xFA);
  C("ms_deng_Color_Pallet").PickColour(0xFF0A0B0C);
  EXPECT_EQ(Live().lighting.red, 0x0A);
  EXPECT_EQ(Live().lighting.blue, 0x0C);
  EXPECT_EQ(C("ms_Deng_edit_G").Text(), "11");
  EXPECT_TRUE(state_.dirty);
}

TEST_F(LightingPageTest, SevenColourFollowsItsCheckBox) {
  C("ms_Deng_7color_check").Click();
  EXPECT_EQ(Live().lighting.seven_colour, 1);
  EXPECT_EQ(sync_.common.Load().seven_colour, 1);
  C("ms_Deng_7color_check").Click();
  EXPECT_EQ(Live().lighting.seven_colour, 0);
  EXPECT_TRUE(state_.dirty);
}

TEST_F(LightingPageTest, BrightnessAndSpeedAreStoredOnRelease) {
  C("ms_deng_light_slider").MoveSlider(3);
  C("ms_deng_speed_slider").MoveSlider(3);
  EXPECT_FALSE(state_.dirty);
  C("ms_deng_light_slider").ReleaseSlider(12);
  EXPECT_EQ(Live().lighting.brightness, 12);
  EXPECT_EQ(sync_.common.Load().brightness, 12);
  C("ms_deng_speed_slider").ReleaseSlider(14);
  EXPECT_EQ(Live().lighting.speed, 0);
  EXPECT_EQ(sync_.common.Load().speed, 0);
  C("ms_deng_speed_slider").ReleaseSlider(0);
  EXPECT_EQ(Live().lighting.speed, 14);
  EXPECT_TRUE(state_.dirty);
}

TEST_F(LightingPageTest, DirectionOptionsAndButtonsSetTheDirection) {
  C("ms_Deng_FXR_check").Click();
  EXPECT_EQ(Live().lighting.direction, 0);
  EXPECT_EQ(sync_.common.Load().direction, 0);
  EXPECT_FALSE(C("ms_Deng_FXL_check").IsSelected());
  ASSERT_FALSE(profiles_.saves.empty());
  EXPECT_EQ(profiles_.saves.back().second, kLightAndDevice);
  // Skins may offer buttons beside the options; they act like them.
  Control& panel = C("ms_deng_fx_layout");
  Control& left = window_->AddControl(panel, ControlKind::kButton, "ms_Deng_FXL_btn");
  left.Click();
  EXPECT_EQ(Live().lighting.direction, 1);
  EXPECT_EQ(sync_.common.Load().direction, 1);
  EXPECT_TRUE(C("ms_Deng_FXL_check").IsSelected());
  EXPECT_FALSE(C("ms_Deng_FXR_check").IsSelected());
}

TEST_F(LightingPageTest, SameModeSpreadsTheMousesBlockByteForByte) {
  Live().lighting = {.mode = 4,
                     .brightness = 7,
                     .speed = 2,
                     .direction = 1,
                     .seven_colour = 0,
                     .red = 1,
                     .green = 2,
                     .blue = 3};
  C("ms_deng_same_mode").SetVisible(true);
  C("ms_deng_same_mode").Click();
  ASSERT_EQ(sync_.spreads.size(), 1u);
  EXPECT_EQ(sync_.spreads[0].first, DeviceKind::kMouse);
  EXPECT_EQ(Encode(sync_.spreads[0].second), Encode(Live().lighting));
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
