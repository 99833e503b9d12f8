// Model 0 (per-key RGB): frames worked out by hand from each effect's rules.
#include <gtest/gtest.h>

#include <initializer_list>

#include "keyboard/lighting/colour_tables.h"
#include "keyboard/lighting/effect_state.h"
#include "lighting_harness.h"

namespace vandrel {
namespace {

using testing::Entry;

class Model0Effects : public ::testing::Test {
 protected:
  testing::LightingHarness harness_;
  LightingBlock& lighting_ = harness_.lighting;
  EffectState& state_ = harness_.state;
  KeyboardLedFrame& frame_ = harness_.frame;

  void SetUp() override {
    harness_.model = 0;
    lighting_.brightness = 14;  // L = 255
  }
};

TEST_F(Model0Effects, SevenColourColumnWaveWrapsFrom191ToZero) {
  lighting_ = {0, 10, 0, 1, 1, 0, 0, 0};  // brightness 10: L = 195
  state_.step = 191;
  harness_.Render();
  EXPECT_EQ(state_.step, 0);
  for (const std::uint8_t slot : std::initializer_list<std::uint8_t>{16, 17, 18, 19, 20}) {
    EXPECT_EQ(frame_[slot], Entry({255, 1, 0}, 195)) << "column 0, slot " << int{slot};
  }
  for (const std::uint8_t slot : std::initializer_list<std::uint8_t>{21, 42, 63, 84, 105}) {
    EXPECT_EQ(frame_[slot], Entry({255, 22, 0}, 195)) << "column 1, slot " << int{slot};
  }
}

TEST_F(Model0Effects, FixedColourColumnWaveStepsBackwardsThroughTheWave) {
  lighting_ = {0, 14, 0, 0, 0, 10, 20, 30};
  harness_.Render();
  EXPECT_EQ(state_.step, 95);
  // Column 0 uses position 95 + 10 − 96 = 9 (wave 49), column 1 position 19 (wave 89).
  EXPECT_EQ(frame_[16], Entry({10, 20, 30}, 48));
  EXPECT_EQ(frame_[21], Entry({10, 20, 30}, 88));
  harness_.Render();
  EXPECT_EQ(state_.step, 94);
  EXPECT_EQ(frame_[16].level, 44);  // position 8, wave 45
}

TEST_F(Model0Effects, ColourCycleLightsAllSlotsWithTheNextWheelColour) {
  lighting_ = {1, 14, 0, 1, 0, 1, 2, 3};  // the seven-colour flag is not consulted
  const LedColour expected[] = {{255, 3, 0}, {255, 5, 0}, {255, 7, 0}};
  for (const LedColour colour : expected) {
    harness_.Render();
    EXPECT_EQ(frame_[0], Entry(colour, 255));
    EXPECT_EQ(frame_[125], Entry(colour, 255));
  }
}

TEST_F(Model0Effects, BreathingRisesToThePeakAndWraps) {
  lighting_ = {2, 14, 0, 0, 1, 0, 0, 0};
  state_.step = 62;
  harness_.Render();  // step 63: breath 255
  EXPECT_EQ(frame_[0], Entry({255, 65, 0}, 254)) << "column 2 takes wheel position 14";
  EXPECT_EQ(frame_[16], Entry({255, 1, 0}, 254));
  harness_.Render();  // step 64: 255 again
  EXPECT_EQ(frame_[0].level, 254);
  harness_.Render();  // step 65: 248
  EXPECT_EQ(frame_[0].level, 247);
  state_.step = 127;
  harness_.Render();
  EXPECT_EQ(state_.step, 0);
  EXPECT_EQ(frame_[0].level, 0);
}

TEST_F(Model0Effects, StaticGroupsLeaveTheFirstFrameAndThenDrawAllRings) {
  lighting_ = {3, 14, 0, 0, 1, 0, 0, 0};
  frame_[51] = {1, 2, 3, 4};
  harness_.Render();
  EXPECT_EQ(frame_[51], (LedEntry{1, 2, 3, 4}));
  harness_.Render();
  EXPECT_EQ(frame_[51], Entry({255, 1, 0}, 255));    // group 0, wheel 0
  EXPECT_EQ(frame_[20], Entry({188, 0, 255}, 255));  // group 11, wheel 154
  EXPECT_EQ(frame_[30], Entry({255, 65, 0}, 255));   // group 1, wheel 14
  EXPECT_EQ(state_.group_mask, 3);
}

TEST_F(Model0Effects, FixedColumnFlowDimsColourAndLevelByThePulse) {
  lighting_ = {4, 14, 0, 1, 0, 200, 0, 0};
  harness_.Render();
  EXPECT_EQ(state_.step, 1);
  // Column 0: previous position 1 (pulse 4), position 6 (pulse 45); R = 200 × 255 >> 8 = 199.
  EXPECT_EQ(frame_[16], (LedEntry{3, 0, 0, 44}));
  // Column 1: previous 6 (pulse 45), position 11 (pulse 134).
  EXPECT_EQ(frame_[21], (LedEntry{34, 0, 0, 133}));
}

TEST_F(Model0Effects, SevenColourColumnFlowUsesTheSecondStep) {
  lighting_ = {4, 14, 0, 0, 1, 0, 0, 0};
  harness_.Render();
  EXPECT_EQ(state_.second_step, 191);
  EXPECT_EQ(state_.step, 0);
  EXPECT_EQ(frame_[16], Entry({255, 0, 0}, 255));  // wheel 191
  EXPECT_EQ(frame_[21], Entry({255, 3, 0}, 255));  // wheel 191 + 2 − 192 = 1
}

TEST_F(Model0Effects, SerpentineWavesAlongTheKeyPath) {
  lighting_ = {5, 14, 0, 1, 0, 9, 9, 9};
  harness_.Render();
  EXPECT_EQ(frame_[15], Entry({9, 9, 9}, 23));  // path position 0: wave 1
  EXPECT_EQ(frame_[14], Entry({9, 9, 9}, 38));  // path position 1: wave 6
}

TEST_F(Model0Effects, SelfAnimatedModesClearTheFrame) {
  for (const std::uint8_t mode : std::initializer_list<std::uint8_t>{6, 7, 8, 16}) {
    frame_.fill({1, 2, 3, 4});
    lighting_.mode = mode;
    harness_.Render();
    for (const LedEntry& entry : frame_) ASSERT_EQ(entry, LedEntry{}) << "mode " << int{mode};
  }
}

TEST_F(Model0Effects, TwinkleLightsThreeKeysPerFrameInItsOrder) {
  lighting_ = {9, 14, 0, 0, 1, 0, 0, 0};
  harness_.Render();
  // Twinkle positions 1-3 are path positions 24, 101 and 57: slots 108, 70 and 42.
  EXPECT_EQ(state_.twinkle_index, 3);
  EXPECT_EQ(state_.colour_counter, 30);
  EXPECT_EQ(frame_[108], Entry({255, 38, 0}, 224));  // phase 10, level 255 decayed to 225
  EXPECT_EQ(state_.phase[70], 20);
  EXPECT_EQ(state_.phase[42], 30);
  EXPECT_EQ(state_.level[42], 225);
  harness_.Render();
  EXPECT_EQ(state_.level[108], 195);
  EXPECT_EQ(frame_[108].level, 194);
}

TEST_F(Model0Effects, KeyRainbowAdvancesEveryPhase) {
  lighting_ = {10, 14, 0, 0, 0, 0, 0, 0};
  SeedRainbowPhases(state_);
  harness_.Render();
  EXPECT_EQ(frame_[0], Entry({220, 255, 0}, 255));  // phase 33 → 34
  EXPECT_EQ(frame_[63], Entry({255, 3, 0}, 255));   // phase 192 → 193, the wheel's repeat of 1
  state_.phase[1] = 191;
  harness_.Render();
  EXPECT_EQ(state_.phase[1], 0);
}

TEST_F(Model0Effects, RowRainbowColoursRowsAPart) {
  lighting_ = {11, 14, 0, 0, 1, 0, 0, 0};
  harness_.Render();
  EXPECT_EQ(state_.second_step, 191);
  EXPECT_EQ(frame_[0], Entry({255, 0, 0}, 255));     // row 0: wheel 191
  EXPECT_EQ(frame_[16], Entry({255, 152, 0}, 255));  // row 1: wheel 23
}

TEST_F(Model0Effects, RippleFromTheBottomReachesTheSpaceBarOnTheSecondFrame) {
  lighting_ = {12, 14, 0, 0, 0, 40, 50, 60};
  SeedRippleBottom(state_);
  harness_.Render();  // the seed lies below the keys: nothing lights
  EXPECT_EQ(frame_[109].level, 0);
  harness_.Render();  // the ripple has reached column 9, row 5
  EXPECT_EQ(state_.level[109], 225);
  EXPECT_EQ(frame_[109], Entry({40, 50, 60}, 224));
  EXPECT_EQ(state_.level[92], 0);
}

TEST_F(Model0Effects, SweepLightsItsFirstLinesThenFlickers) {
  lighting_ = {13, 14, 0, 0, 1, 0, 0, 0};
  harness_.Render();
  EXPECT_EQ(state_.level[0], 225);
  EXPECT_EQ(state_.level[118], 225);
  EXPECT_EQ(state_.phase[0], 11);
  EXPECT_EQ(state_.phase[118], 22);
  EXPECT_EQ(state_.step, 1);
  for (int frame = 1; frame < 20; ++frame) harness_.Render();
  EXPECT_EQ(state_.sweep_state, 1);
  EXPECT_EQ(state_.step, 0);
  harness_.Render();  // the first pair: 30 and 94
  EXPECT_EQ(state_.level[30], 225);
  EXPECT_EQ(state_.level[94], 225);
}

TEST_F(Model0Effects, SweepRipplesFromSlot52AfterTheFlickerDiesDown) {
  lighting_ = {13, 14, 0, 0, 0, 0, 0, 0};
  state_.sweep_state = 1;
  state_.step = 31;
  state_.level[72] = 0;
  harness_.Render();
  EXPECT_EQ(state_.sweep_state, 2);
  harness_.Render();
  EXPECT_EQ(state_.sweep_state, 3);
  EXPECT_EQ(state_.planes[0][11], 0b100);
  harness_.Render();  // slot 52 lit, the ripple moves on
  EXPECT_EQ(state_.level[52], 225);
  EXPECT_EQ(state_.level[51], 0);
}

TEST_F(Model0Effects, PulsingKeysRestartInANewPaletteColour) {
  lighting_ = {14, 14, 0, 0, 1, 0, 0, 0};
  SeedPulsePhases(state_);
  harness_.Render();
  EXPECT_EQ(state_.level[52], 16);
  EXPECT_EQ(frame_[52].level, 254);  // pulse 255
  // Slot 10 was seeded at 192, the curve's end: it starts again at 0 in palette colour 5.
  EXPECT_EQ(state_.level[10], 0);
  EXPECT_EQ(state_.phase[10], 5);
  EXPECT_EQ(frame_[10], Entry({0, 0, 255}, 0));
}

TEST_F(Model0Effects, RotatingGroupsTurnWithTheDirection) {
  lighting_ = {17, 14, 0, 1, 0, 0, 0, 0};
  harness_.Render();
  EXPECT_EQ(state_.step, 4);
  EXPECT_EQ(frame_[51], Entry({255, 176, 0}, 255));  // group 0: 4 + 21
  EXPECT_EQ(frame_[30], Entry({85, 255, 0}, 255));   // group 1: 46
  lighting_.direction = 0;
  state_.step = 0;
  harness_.Render();
  EXPECT_EQ(state_.step, 192);
  EXPECT_EQ(frame_[51], Entry({255, 129, 0}, 255));  // 192 + 21 − 192
}

TEST_F(Model0Effects, CustomModeShowsEachKeysLedEntry) {
  lighting_ = {18, 14, 0, 0, 0, 0, 0, 0};
  harness_.custom_colours[42] = 10;  // LED 14 = slot 13
  harness_.custom_colours[43] = 20;
  harness_.custom_colours[44] = 30;
  harness_.custom_colours[186] = 7;  // LED 62 = slot 119
  frame_[17] = {9, 9, 9, 9};
  harness_.Render();
  EXPECT_EQ(frame_[13], Entry({10, 20, 30}, 255));
  EXPECT_EQ(frame_[119], Entry({7, 0, 0}, 255));
  for (std::uint8_t slot = 16; slot <= 20; ++slot) {
    EXPECT_EQ(frame_[slot], Entry({0, 0, 0}, 255)) << "slot " << int{slot};
  }
}

}  // namespace
}  // namespace vandrel
