// The performance page: DPI levels (dragged and released), their limits and highlight, colours
// through the palette, report rate, pointer speed, wheel lines and restoring the defaults.
#include "mouse/performance_page.h"

#include <gtest/gtest.h>

#include <string>

#include "page_fixture.h"

namespace vandrel::testing {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr unsigned kLightAndDevice = kLightProfile | kDeviceProfile;

std::string Dpi(int level, std::string_view part) {
  return "ms_DPI" + std::to_string(level) + std::string(part);
}

using PerformancePageTest = MousePageTest;

TEST_F(PerformancePageTest, DraggingShowsTheValueAndOnlyReleasingStoresIt) {
  C("ms_DPI3_slider").MoveSlider(7);
  EXPECT_EQ(C("ms_DPI3_label_value").Text(), "3200");
  EXPECT_EQ(LiveBytes()[17], 0);
  EXPECT_FALSE(state_.dirty);

  C("ms_DPI3_slider").ReleaseSlider(7);
  EXPECT_EQ(LiveBytes()[17], 7);
  EXPECT_TRUE(state_.dirty);
  ASSERT_EQ(profiles_.saves.size(), 1u);
  EXPECT_EQ(profiles_.saves[0], std::pair(DeviceKind::kMouse, kLightAndDevice));
  mouse_->ApplyLive();
  EXPECT_EQ(sim_mouse_->Memory().settings[17], 7) << "the live apply carries level 3";
}

TEST_F(PerformancePageTest, LevelFiveIsStoredAfterTheActiveLevelAndLevelSixNowhere) {
  C("ms_DPI5_slider").ReleaseSlider(9);
  EXPECT_EQ(LiveBytes()[20], 9);
  EXPECT_EQ(LiveBytes()[19], 0) << "the active level is the mouse's";
  state_.dirty = false;
  const auto before = LiveBytes();
  C("ms_DPI6_slider").ReleaseSlider(10);
  EXPECT_EQ(LiveBytes(), before);
  EXPECT_TRUE(state_.dirty);
  EXPECT_EQ(C("ms_DPI6_label_value").Text(), "6400");
}

TEST_F(PerformancePageTest, RefreshGivesEverySliderTheMousesRangeAndTheLevels) {
  state_.info.bytes[12] = 11;
  Live().SetDpi(1, 0);
  Live().SetDpi(4, 9);
  Live().SetDpi(5, 11);
  performance_->Refresh();
  for (int level = 1; level <= 6; ++level) {
    EXPECT_EQ(C(Dpi(level, "_slider")).Minimum(), 0) << level;
    EXPECT_EQ(C(Dpi(level, "_slider")).Maximum(), 11) << level;
  }
  EXPECT_EQ(C("ms_DPI1_label_value").Text(), "600");
  EXPECT_EQ(C("ms_DPI4_slider").Value(), 9);
  EXPECT_EQ(C("ms_DPI4_label_value").Text(), "4800");
  EXPECT_EQ(C("ms_DPI5_label_value").Text(), "8000");
}

TEST_F(PerformancePageTest, AKnownSensorSetsEveryLimitLabelAndAnUnknownOneLeavesThem) {
  const std::string skin_minimum = C("ms_DPI2_min").Text();
  state_.info.bytes[9] = 0x11;  // 0x3311: no sensor the program knows
  state_.info.bytes[10] = 0x33;
  performance_->Refresh();
  EXPECT_EQ(C("ms_DPI2_min").Text(), skin_minimum);

  state_.info.bytes[9] = 0x60;  // 0x3360, little-endian
  state_.info.bytes[12] = 11;
  Live().SetDpi(2, 3);
  performance_->Refresh();
  for (int level = 1; level <= 6; ++level) {
    EXPECT_EQ(C(Dpi(level, "_min")).Text(), "100") << level;
    EXPECT_EQ(C(Dpi(level, "_max")).Text(), "12000") << level;
  }
  EXPECT_EQ(C("ms_DPI2_label_value").Text(), "1200");
}

TEST_F(PerformancePageTest, TheActiveLevelIsRedAndTheOthersWhite) {
  Live().active_dpi = 4;
  performance_->Refresh();
  for (int level = 1; level <= 6; ++level) {
    const std::uint32_t expected = level == 5 ? kRed : kWhite;
    EXPECT_EQ(C(Dpi(level, "_label_rank")).ForeColour(), expected) << level;
    EXPECT_EQ(C(Dpi(level, "_label_value")).ForeColour(), expected) << level;
  }
  // A level the mouse cannot have lights level 1 and leaves levels 5 and 6 as they were.
  Live().active_dpi = 9;
  performance_->Refresh();
  EXPECT_EQ(C("ms_DPI1_label_rank").ForeColour(), kRed);
  EXPECT_EQ(C("ms_DPI4_label_value").ForeColour(), kWhite);
  EXPECT_EQ(C("ms_DPI5_label_rank").ForeColour(), kRed);
  EXPECT_EQ(C("ms_DPI6_label_rank").ForeColour(), kWhite);
}

TEST_F(PerformancePageTest, RefreshShowsTheColoursAndTheReportRate) {
  Live().colours[0] = {0x12, 0x34, 0x56};
  Live().colours[4] = {0xAB, 0xCD, 0xEF};
  Live().report_rate = 2;
  performance_->Refresh();
  EXPECT_EQ(C("ms_DPIcolor_btn_1").BackgroundColour(), 0xFF123456u);
  EXPECT_EQ(C("ms_DPIcolor_btn_5").BackgroundColour(), 0xFFABCDEFu);
  EXPECT_EQ(C("ms_DPIcolor_btn_6").BackgroundColour(), 0xFFABCDEFu);
  EXPECT_EQ(C("ms_report_fct_combo").CurrentIndex(), 2);
  EXPECT_FALSE(state_.dirty);
}

TEST_F(PerformancePageTest, ConfirmedPaletteColourIsStoredAndCancelChangesNothing) {
  Control& button = C("ms_DPIcolor_btn_2");
  const std::uint32_t initial = button.BackgroundColour();
  dialogs_.AnswerPalette({{2, 0xFF00FF00}, {1, 0xFF123456}});
  button.Click();
  EXPECT_EQ(button.BackgroundColour(), initial);
  EXPECT_EQ(Live().colours[1], Rgb{});
  EXPECT_FALSE(state_.dirty);
  EXPECT_TRUE(profiles_.saves.empty());

  button.Click();
  ASSERT_EQ(dialogs_.palette_initials().size(), 2u);
  EXPECT_EQ(dialogs_.palette_initials()[0], initial) << "the palette starts at the button's colour";
  EXPECT_EQ(button.BackgroundColour(), 0xFF123456u);
  EXPECT_EQ(Live().colours[1], (Rgb{0x12, 0x34, 0x56}));
  EXPECT_TRUE(state_.dirty);
  ASSERT_EQ(profiles_.saves.size(), 1u);
  EXPECT_EQ(profiles_.saves[0].second, static_cast<unsigned>(kDeviceProfile));
}

TEST_F(PerformancePageTest, TheSixthColourButtonChangesOnlyItself) {
  const auto before = LiveBytes();
  dialogs_.AnswerPalette({{1, 0xFF0000FF}});
  C("ms_DPIcolor_btn_6").Click();
  EXPECT_EQ(C("ms_DPIcolor_btn_6").BackgroundColour(), 0xFF0000FFu);
  EXPECT_EQ(LiveBytes(), before);
  EXPECT_TRUE(state_.dirty);
}

TEST_F(PerformancePageTest, ColourButtonsShowAWhiteBorderWhileTheMouseIsOverThem) {
  Control& button = C("ms_DPIcolor_btn_4");
  button.MouseEnter();
  EXPECT_EQ(button.BorderSize(), 2);
  EXPECT_EQ(button.BorderColour(), kWhite);
  button.MouseLeave();
  EXPECT_EQ(button.BorderSize(), 0);
}

TEST_F(PerformancePageTest, ChoosingAReportRateStoresItsIndex) {
  C("ms_report_fct_combo").SelectItem(1, Notify::kYes);
  EXPECT_EQ(Live().report_rate, 1);
  EXPECT_EQ(LiveBytes()[14], 1);
  EXPECT_TRUE(state_.dirty);
}

TEST_F(PerformancePageTest, PointerSliderAndPointerSpeedMeetAtTwiceTheValuePlusOne) {
  C("ms_point_speed_slider").MoveSlider(7);
  EXPECT_EQ(state_.pointer_speed.load(), 0) << "dragging changes nothing";
  C("ms_point_speed_slider").ReleaseSlider(4);
  EXPECT_EQ(state_.pointer_speed.load(), 10);
  EXPECT_FALSE(state_.dirty) << "the pointer speed is no part of the live record";
  ASSERT_EQ(profiles_.saves.size(), 1u);
  EXPECT_EQ(profiles_.saves[0].second, kLightAndDevice);

  state_.pointer_speed = 10;
  state_.wheel_lines = 7;
  C("ms_point_speed_slider").SetValue(0);
  performance_->ApplyHostSettings();
  EXPECT_EQ(C("ms_point_speed_slider").Value(), 4);
  EXPECT_EQ(C("ms_gunlun_speed_edit").Text(), "7");
}

struct WheelStep {
  const char* text;
  const char* button;
  const char* result;
};

TEST_F(PerformancePageTest, WheelButtonsStepWithinOneToAHundred) {
  for (const WheelStep& step : {WheelStep{"100", "ms_gunlun_speed_up_btn", "100"},
                                WheelStep{"1", "ms_gunlun_speed_down_btn", "1"},
                                WheelStep{"0", "ms_gunlun_speed_up_btn", "2"},
                                WheelStep{"250", "ms_gunlun_speed_down_btn", "99"},
                                WheelStep{"x", "ms_gunlun_speed_up_btn", "2"},
                                WheelStep{"41", "ms_gunlun_speed_down_btn", "40"}}) {
    C("ms_gunlun_speed_edit").SetText(step.text);
    profiles_.saves.clear();
    C(step.button).Click();
    EXPECT_EQ(C("ms_gunlun_speed_edit").Text(), step.result) << step.text << " " << step.button;
    EXPECT_EQ(std::to_string(state_.wheel_lines.load()), step.result) << step.text;
    ASSERT_EQ(profiles_.saves.size(), 1u);
    EXPECT_EQ(profiles_.saves[0].second, kLightAndDevice);
  }
}

TEST_F(PerformancePageTest, TypedWheelTextIsCorrectedAndAppliedWhenTheEditIsLeft) {
  Control& edit = C("ms_gunlun_speed_edit");
  for (const auto& [typed, shown] :
       {std::pair{"150", "100"}, std::pair{"0", "1"}, std::pair{"-3", "1"}, std::pair{"abc", "1"},
        std::pair{"", "1"}, std::pair{"42", "42"}}) {
    edit.Type(typed);
    EXPECT_EQ(edit.Text(), shown) << typed;
  }
  EXPECT_EQ(state_.wheel_lines.load(), 0) << "typing alone applies nothing";
  edit.SetFocus(Notify::kYes);
  profiles_.saves.clear();
  window_->ClearFocus(Notify::kYes);
  EXPECT_EQ(state_.wheel_lines.load(), 42);
  ASSERT_EQ(profiles_.saves.size(), 1u);
  EXPECT_EQ(profiles_.saves[0].second, static_cast<unsigned>(kDeviceProfile));
}

TEST_F(PerformancePageTest, TheSensorHeightSliderIsNeitherStoredNorSent) {
  const auto before = LiveBytes();
  C("ms_sensor_height_slider").ReleaseSlider(2);
  EXPECT_EQ(LiveBytes(), before);
  EXPECT_FALSE(state_.dirty);
  EXPECT_TRUE(profiles_.saves.empty());
}

TEST_F(PerformancePageTest, RestoringDefaultsResetsTheControlsTheDesktopAndTheMouse) {
  C("ms_point_speed_slider").SetValue(9);
  C("ms_gunlun_speed_edit").SetText("40");
  C("ms_one_profile_default").Click();
  EXPECT_EQ(C("ms_point_speed_slider").Value(), 5);
  EXPECT_EQ(C("ms_gunlun_speed_edit").Text(), "3");
  StopMouse();
  EXPECT_EQ(RequestsWithCommand(13), 1u);
  EXPECT_EQ(pointer_.pointer_speed.load(), 10);
  EXPECT_EQ(pointer_.wheel_lines.load(), 3);
}

}  // namespace
}  // namespace vandrel::testing
