// The pad's lighting page on the shipped skin: refresh, the mode list and its option groups,
// colours from the palette, presets and typed components, seven colours, direction, brightness,
// speed, the slot list, same mode and the reset; and every edit reaching the lighting threads.
#include "pad/pad_lighting_page.h"

#include <gtest/gtest.h>

#include <functional>

#include "pad_fixture.h"
#include "ui/preset_colours.h"

namespace vandrel::testing {
namespace {

constexpr std::array<std::string_view, 5> kGroups = {"mp_deng_fx_layout", "mp_deng_color_layout",
                                                     "mp_deng_7colorselect_layout",
                                                     "mp_deng_speed_layout", "mp_deng_same_mode"};

class PadLightingPageTest : public PadPageTest {
 protected:
  // The enabled state of each group, in the order of kGroups, as "EDEED".
  std::string Groups() {
    std::string states;
    for (std::string_view group : kGroups) states += C(group).IsEnabled() ? 'E' : 'D';
    return states;
  }
  void SetGroups(bool enabled) {
    for (std::string_view group : kGroups) C(group).SetEnabled(enabled);
  }
};

TEST_F(PadLightingPageTest, RefreshShowsTheLiveLightingAndSlotWithoutStoringAnything) {
  state_.live.slot = 3;
  Live() = {.mode = 2,
            .brightness = 9,
            .speed = 3,
            .direction = 0,
            .seven_colour = 1,
            .red = 0x10,
            .green = 0x20,
            .blue = 0x30};
  page_->Refresh();
  EXPECT_EQ(C("mp_deng_combo_modeSelect").CurrentIndex(), 2);
  EXPECT_EQ(C("mp_deng_combo_profile").CurrentIndex(), 3);
  EXPECT_EQ(C("mp_deng_light_slider").Value(), 9);
  EXPECT_EQ(C("mp_deng_speed_slider").Value(), 11);
  EXPECT_EQ(C("mp_deng_Color_Pallet").SelectedColour(), 0xFF102030u);
  EXPECT_EQ(C("mp_Deng_colordp_btn").BackgroundColour(), 0xFF102030u);
  EXPECT_EQ(C("mp_Deng_edit_R").Text(), "16");
  EXPECT_EQ(C("mp_Deng_edit_G").Text(), "32");
  EXPECT_EQ(C("mp_Deng_edit_B").Text(), "48");
  EXPECT_TRUE(C("mp_Deng_7color_check").IsSelected());
  EXPECT_TRUE(C("mp_Deng_FXR_check").IsSelected());
  EXPECT_FALSE(C("mp_Deng_FXL_check").IsSelected());
  EXPECT_EQ(Groups(), "DEEEE");
  EXPECT_FALSE(state_.dirty);
  EXPECT_TRUE(profiles_.saves.empty());
  EXPECT_FALSE(state_.animation.reset_requested.load());
}

struct ModeRowCase {
  int mode;
  std::string_view chosen;     // the groups after choosing the mode, from all enabled
  std::string_view refreshed;  // after a refresh showing it, from all enabled
};

class ModeRowsTest : public PadLightingPageTest,
                     public ::testing::WithParamInterface<ModeRowCase> {};

TEST_P(ModeRowsTest, ChoosingAndShowingAModeSetTheOptionGroups) {
  const ModeRowCase& row = GetParam();
  SetGroups(true);
  C("mp_deng_combo_modeSelect").SelectItem(row.mode, Notify::kYes);
  EXPECT_EQ(Groups(), row.chosen);
  EXPECT_EQ(Live().mode, row.mode);

  SetGroups(true);
  C("mp_deng_combo_modeSelect").SelectItem(0, Notify::kNo);
  page_->Refresh();
  EXPECT_EQ(Groups(), row.refreshed);
  EXPECT_EQ(C("mp_deng_combo_modeSelect").CurrentIndex(), row.mode);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ModeRowsTest,
    ::testing::Values(ModeRowCase{0, "EEEEE", "EEEEE"}, ModeRowCase{1, "DDDEE", "DDDEE"},
                      ModeRowCase{3, "DEDDE", "DEDDE"}, ModeRowCase{5, "EEEED", "EEEED"},
                      // The column rainbow has no direction once shown again.
                      ModeRowCase{6, "EDDED", "DDDED"}, ModeRowCase{8, "DEEDD", "DEEDD"},
                      // The last mode leaves the speed group when chosen, every group when shown.
                      ModeRowCase{9, "DEEED", "EEEEE"}));

TEST_F(PadLightingPageTest, TheLastModeKeepsTheSpeedGroupAsItWas) {
  C("mp_deng_combo_modeSelect").SelectItem(8, Notify::kYes);
  C("mp_deng_combo_modeSelect").SelectItem(9, Notify::kYes);
  EXPECT_FALSE(C("mp_deng_speed_layout").IsEnabled());
}

TEST_F(PadLightingPageTest, AModeThePadDoesNotHaveSelectsNoEntry) {
  Live().mode = 12;
  page_->Refresh();
  EXPECT_EQ(C("mp_deng_combo_modeSelect").CurrentIndex(), -1);
  EXPECT_EQ(Live().mode, 12);
}

TEST_F(PadLightingPageTest, ChoosingAModeAsksForAFreshEffectAndEndsSynchronisedLighting) {
  pad_.set_sync_lighting(true);
  C("mp_deng_combo_modeSelect").SelectItem(5, Notify::kYes);
  EXPECT_TRUE(state_.animation.reset_requested.load());
  EXPECT_FALSE(pad_.sync_lighting());
  EXPECT_TRUE(state_.dirty);
  EXPECT_EQ(profiles_.saves.back(), std::make_pair(DeviceKind::kPad, unsigned{kLightProfile}));
}

TEST_F(PadLightingPageTest, SpeedIsTheSliderCountedFromTheRightAndNotMirrored) {
  sync_.common.Store({.brightness = 1, .speed = 1});
  C("mp_deng_speed_slider").MoveSlider(3);
  EXPECT_FALSE(state_.dirty) << "nothing until the slider is let go";
  C("mp_deng_speed_slider").ReleaseSlider(0);
  EXPECT_EQ(Live().speed, 14);
  C("mp_deng_speed_slider").ReleaseSlider(14);
  EXPECT_EQ(Live().speed, 0);
  C("mp_deng_light_slider").ReleaseSlider(12);
  EXPECT_EQ(Live().brightness, 12);
  EXPECT_EQ(sync_.common.Load(), (LightingBlock{.brightness = 1, .speed = 1}));
  EXPECT_TRUE(state_.dirty);
}

TEST_F(PadLightingPageTest, AComponentAbove255IsClampedAndEndsSevenColour) {
  Live() = {.seven_colour = 1, .red = 0x11, .blue = 0x33};
  page_->Refresh();
  C("mp_Deng_edit_G").Type("300");
  EXPECT_EQ(C("mp_Deng_edit_G").Text(), "255");
  EXPECT_EQ(Live().green, 255);
  EXPECT_EQ(Live().seven_colour, 0);
  EXPECT_FALSE(C("mp_Deng_7color_check").IsSelected());
  EXPECT_EQ(C("mp_Deng_colordp_btn").BackgroundColour(), 0xFF11FF33u);
  EXPECT_EQ(C("mp_deng_Color_Pallet").SelectedColour(), 0xFF11FF33u);
  EXPECT_EQ(Live().red, 0x11) << "the other components stay";
  C("mp_Deng_edit_B").Type("-7");
  EXPECT_EQ(Live().blue, 0) << "no colour below 0";
  EXPECT_EQ(sync_.common.Load(), LightingBlock{}) << "the pad's colour stays its own";
}

TEST_F(PadLightingPageTest, PresetsAndThePaletteSetTheFixedColour) {
  Live() = {.seven_colour = 1, .red = 9, .green = 9, .blue = 9};
  C("mp_Deng_7color_check").SetSelected(true, Notify::kNo);
  C("mp_Deng_color_btn_21").Click();
  EXPECT_EQ(Live(), LightingBlock{});
  for (const char* edit : {"mp_Deng_edit_R", "mp_Deng_edit_G", "mp_Deng_edit_B"}) {
    EXPECT_EQ(C(edit).Text(), "0") << edit;
  }
  EXPECT_FALSE(C("mp_Deng_7color_check").IsSelected());
  C("mp_Deng_color_btn_16").Click();
  EXPECT_EQ(C("mp_Deng_colordp_btn").BackgroundColour(), PresetColours[16]);
  EXPECT_EQ(FixedColourArgb(Live()), PresetColours[16]);
  C("mp_deng_Color_Pallet").PickColour(0xFF0A0B0C);
  EXPECT_EQ(FixedColourArgb(Live()), 0xFF0A0B0Cu);
  EXPECT_EQ(C("mp_Deng_edit_G").Text(), "11");
}

TEST_F(PadLightingPageTest, DirectionIsThePadsAndTheSynchronisedAnimations) {
  Live().direction = 1;
  C("mp_Deng_FXR_check").Click();
  EXPECT_EQ(Live().direction, 0);
  EXPECT_FALSE(C("mp_Deng_FXL_check").IsSelected());
  sync_.common.Store({.direction = 0, .red = 7});
  C("mp_Deng_FXL_check").Click();
  EXPECT_EQ(Live().direction, 1);
  EXPECT_EQ(sync_.common.Load(), (LightingBlock{.direction = 1, .red = 7}));
  EXPECT_FALSE(C("mp_Deng_FXR_check").IsSelected());
}

// The lighting threads render from the published block, never from live: an edit that forgot to
// publish would leave the pad showing the old lighting.
TEST_F(PadLightingPageTest, EveryEditReachesTheLightingThreads) {
  const std::vector<std::pair<const char*, std::function<void()>>> edits = {
      {"mode", [this] { C("mp_deng_combo_modeSelect").SelectItem(4, Notify::kYes); }},
      {"brightness", [this] { C("mp_deng_light_slider").ReleaseSlider(3); }},
      {"speed", [this] { C("mp_deng_speed_slider").ReleaseSlider(2); }},
      {"palette", [this] { C("mp_deng_Color_Pallet").PickColour(0xFF123456); }},
      {"preset", [this] { C("mp_Deng_color_btn_3").Click(); }},
      {"typed red", [this] { C("mp_Deng_edit_R").Type("17"); }},
      {"seven colours", [this] { C("mp_Deng_7color_check").Click(); }},
      {"direction",
       [this] {
         C("mp_Deng_FXR_check").Click();
         C("mp_Deng_FXL_check").Click();
       }},
      {"adopted", [this] { page_->AdoptLighting({.mode = 1, .brightness = 8, .red = 99}); }},
  };
  for (const auto& [what, edit] : edits) {
    const LightingBlock before = Live();
    edit();
    EXPECT_NE(Live(), before) << what << " changed nothing";
    EXPECT_EQ(Published(), Live()) << what;
  }
}

TEST_F(PadLightingPageTest, SameModeSpreadsThePadsBlock) {
  Live() = {.mode = 4, .brightness = 7, .speed = 2, .direction = 1, .red = 1, .green = 2};
  C("mp_deng_same_mode").SetVisible(true);
  C("mp_deng_same_mode").Click();
  ASSERT_EQ(sync_.spreads.size(), 1u);
  EXPECT_EQ(sync_.spreads[0].first, DeviceKind::kPad);
  EXPECT_EQ(Encode(sync_.spreads[0].second), Encode(Live()));
}

TEST_F(PadLightingPageTest, TheSlotListSwitchesThePadAndShowsTheNewSlot) {
  pad_device_.ReadAll();
  page_->Refresh();
  C("mp_deng_combo_profile").SelectItem(3, Notify::kYes);
  EXPECT_EQ(device_->Memory().active_slot(), 3);
  EXPECT_EQ(state_.live.slot, 3);
  EXPECT_EQ(C("mp_deng_combo_modeSelect").CurrentIndex(), 3) << "each simulated slot its mode";
  EXPECT_FALSE(state_.dirty);
}

TEST_F(PadLightingPageTest, TheResetButtonResetsThePadAndLeavesTheRereadForLater) {
  pad_device_.ReadAll();
  ClearTrace();
  C("mp_one_profile_default").Click();
  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{13, 0, 0}}));
  EXPECT_EQ(rereads_, 1);
}

}  // namespace
}  // namespace vandrel::testing
