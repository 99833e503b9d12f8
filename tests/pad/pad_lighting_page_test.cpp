// The pad's lighting page on the shipped skin: the controls it shares with the mouse's page, then
// its own rules — the refresh that stores nothing, the mode list and its option groups, every
// edit reaching the lighting threads, the slot list and the reset.
#include "pad/pad_lighting_page.h"

#include <gtest/gtest.h>

#include <functional>

#include "pad_fixture.h"
#include "ui/lighting_panel_tests.h"

namespace vandrel::testing {
namespace {

class PadLightingPanel : public PadPageTest {
 protected:
  static constexpr std::string_view kPrefix = "mp_";
  static constexpr DeviceKind kDevice = DeviceKind::kPad;
  // The pad keeps its own brightness, speed and colour: the synchronised animation takes only the
  // direction.
  static constexpr LightingFields kMirrored = kDirectionField;
  static constexpr unsigned kProfiles = kLightProfile;

  LightingBlock& Lighting() { return Live(); }
  void RefreshPage() { page_->Refresh(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Pad, LightingPanelTest, PadLightingPanel);

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

TEST_F(PadLightingPageTest, RefreshShowsTheModeAndSlotWithoutStoringAnything) {
  state_.live.slot = 3;
  Live() = {.mode = 2, .brightness = 9, .seven_colour = 1, .red = 0x10};
  page_->Refresh();
  EXPECT_EQ(C("mp_deng_combo_modeSelect").CurrentIndex(), 2);
  EXPECT_EQ(C("mp_deng_combo_profile").CurrentIndex(), 3);
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
