// Wave, colour cycle, breathing, static colour, column rainbow and the modes that draw nothing:
// frames worked out by hand from each effect's rules.
#include <initializer_list>

#include "pad_effects_harness.h"

namespace vandrel {
namespace {

using testing::Entry;
using PadColourEffects = testing::PadEffectsTest;

TEST_F(PadColourEffects, StaticScalesTheFixedColourByTheLevelPlusOne) {
  lighting_ = {3, 14, 0, 0, 0, 255, 0, 0};  // L = 255: 256 × 255 >> 8 keeps 255
  EXPECT_EQ(Render(), Clock::Duration{0});
  for (const LedEntry& led : frame_) EXPECT_EQ(led, Entry(255, 0, 0, 255));
  lighting_ = {3, 0, 0, 0, 0, 200, 100, 50};  // L = 45: 46 × channel >> 8
  (void)Render();
  for (const LedEntry& led : frame_) EXPECT_EQ(led, Entry(35, 17, 8, 45));
}

TEST_F(PadColourEffects, ColourCycleStepsRoundTheWheelWhateverTheSevenColourFlag) {
  lighting_ = {1, 14, 0, 0, 0, 9, 9, 9};
  (void)Render();  // direction 0 from 0: position 191
  EXPECT_EQ(state_.position, 191);
  for (const LedEntry& led : frame_) EXPECT_EQ(led, Entry(255, 0, 0, 255));
  lighting_ = {1, 5, 0, 1, 0, 9, 9, 9};  // L = 120: 121 × 255 >> 8 = 120
  (void)Render();                        // wraps to 0
  EXPECT_EQ(frame_[7], Entry(120, 0, 0, 120));
  (void)Render();  // wheel 1 = (255, 3, 0): 121 × 3 >> 8 = 1
  EXPECT_EQ(frame_[14], Entry(120, 1, 0, 120));
}

TEST_F(PadColourEffects, SevenColourWaveSpacesLedsSevenWheelColoursApart) {
  lighting_ = {0, 10, 0, 1, 1, 0, 0, 0};  // L = 195, scaled by 196
  state_.position = 191;
  (void)Render();
  EXPECT_EQ(state_.position, 0);
  EXPECT_EQ(frame_[0], Entry(195, 0, 0, 195));     // wheel 0 = (255, 1, 0)
  EXPECT_EQ(frame_[5], Entry(157, 195, 0, 195));   // wheel 35 = (206, 255, 0)
  EXPECT_EQ(frame_[14], Entry(0, 168, 195, 195));  // wheel 98 = (0, 220, 255)
  lighting_.brightness = 14;
  state_.position = 100;
  (void)Render();                                 // position 101
  EXPECT_EQ(frame_[13], Entry(255, 1, 0, 255));   // 101 + 91 = 192: wheel 0
  EXPECT_EQ(frame_[14], Entry(255, 22, 0, 255));  // 101 + 98 = 199: wheel 7
}

TEST_F(PadColourEffects, FixedColourWaveScalesByTheWaveAndTakesTheLevelTenAhead) {
  lighting_ = {0, 14, 0, 0, 0, 200, 100, 50};
  (void)Render();  // direction 0 from 0: wave position 95
  EXPECT_EQ(state_.position, 95);
  EXPECT_EQ(frame_[0], Entry(17, 8, 4, 48));      // wave 95 = 22 (× 23), level wave 9 = 49
  EXPECT_EQ(frame_[1], Entry(39, 19, 9, 88));     // wave 9 = 49 (× 50), level wave 19 = 89
  EXPECT_EQ(frame_[4], Entry(157, 78, 39, 247));  // wave 39 = 200 (× 201), level wave 49 = 248
  lighting_.brightness = 0;  // L = 45: the colour is first dimmed to (35, 17, 8)
  state_.position = 150;     // left beyond the wave by a wheel effect: restarts at its top
  (void)Render();
  EXPECT_EQ(state_.position, 95);
  EXPECT_EQ(frame_[0], Entry(3, 1, 0, 8));
  EXPECT_EQ(frame_[4], Entry(27, 13, 6, 43));
}

TEST_F(PadColourEffects, BreathingUsesTheUnscaledColourAtTheBreathLevel) {
  lighting_ = {2, 14, 0, 1, 1, 0, 0, 0};
  state_.position = 62;
  (void)Render();  // breath 63 = 255, colour wheel 113
  for (const LedEntry& led : frame_) EXPECT_EQ(led, Entry(0, 61, 255, 254));
  lighting_.direction = 0;
  state_.position = 100;
  (void)Render();  // breath 99 = 61, colour wheel 149
  EXPECT_EQ(frame_[3], Entry(129, 0, 255, 60));
  lighting_ = {2, 5, 0, 1, 0, 10, 20, 30};  // L = 120
  state_.position = 62;
  (void)Render();
  EXPECT_EQ(frame_[9], Entry(10, 20, 30, 119));
  state_.position = 200;  // left by a wheel effect: restarts inside the curve
  (void)Render();
  EXPECT_EQ(state_.position, 0);
  EXPECT_EQ(frame_[9], Entry(10, 20, 30, 0));
}

TEST_F(PadColourEffects, ColumnRainbowColoursTheGridColumnsSevenApart) {
  lighting_ = {6, 10, 0, 1, 0, 9, 9, 9};  // L = 195; the wheel whatever the flag
  (void)Render();                         // position 1
  for (std::size_t led = 0; led <= 4; ++led) EXPECT_EQ(frame_[led], Entry(255, 3, 0, 195)) << led;
  EXPECT_EQ(frame_[5], Entry(255, 26, 0, 195));   // column 1: wheel 8
  EXPECT_EQ(frame_[9], Entry(194, 255, 0, 195));  // column 5: wheel 36
  for (std::size_t led = 10; led <= 14; ++led) {
    EXPECT_EQ(frame_[led], Entry(114, 255, 0, 195)) << led;
  }
  state_.position = 185;
  (void)Render();                                  // position 186
  EXPECT_EQ(frame_[0], Entry(255, 0, 12, 195));    // wheel 186
  EXPECT_EQ(frame_[5], Entry(255, 3, 0, 195));     // 193: wheel 1
  EXPECT_EQ(frame_[12], Entry(194, 255, 0, 195));  // 228: wheel 36
}

TEST_F(PadColourEffects, ModeNineAndAboveLeaveFrameAndStateAlone) {
  for (const std::uint8_t mode : std::initializer_list<std::uint8_t>{9, 10, 255}) {
    lighting_ = {mode, 14, 0, 1, 1, 1, 2, 3};
    frame_ = testing::MarkerFrame();
    state_.position = 40;
    EXPECT_EQ(Render(), Clock::Duration{0});
    EXPECT_EQ(frame_, testing::MarkerFrame());
    EXPECT_EQ(state_.position, 40);
  }
}

}  // namespace
}  // namespace vandrel
