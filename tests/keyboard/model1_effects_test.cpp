// Model 1 (single colour): levels worked out by hand; the colour bytes are never touched.
#include <gtest/gtest.h>

#include "keyboard/lighting/effect_state.h"
#include "lighting_harness.h"

namespace vandrel {
namespace {

class Model1Effects : public ::testing::Test {
 protected:
  testing::LightingHarness harness_;
  LightingBlock& lighting_ = harness_.lighting;
  EffectState& state_ = harness_.state;
  KeyboardLedFrame& frame_ = harness_.frame;

  void SetUp() override {
    harness_.model = 1;
    lighting_.brightness = 14;  // L = 255
    // A colour the effects must leave in place.
    frame_.fill({7, 8, 9, 0});
  }
};

TEST_F(Model1Effects, ColumnWaveWritesLevelsOnly) {
  lighting_.mode = 0;
  lighting_.direction = 1;
  harness_.Render();
  EXPECT_EQ(frame_[16], (LedEntry{7, 8, 9, 23}));  // column 0: wave 1
  EXPECT_EQ(frame_[21], (LedEntry{7, 8, 9, 44}));  // column 1: wave 8
}

TEST_F(Model1Effects, StaticLightsEverySlotAtTheBrightness) {
  lighting_.mode = 2;
  lighting_.brightness = 0;
  harness_.Render();
  EXPECT_EQ(frame_[0], (LedEntry{7, 8, 9, 45}));
  EXPECT_EQ(frame_[125], (LedEntry{7, 8, 9, 45}));
}

TEST_F(Model1Effects, RipplesReachTheSpaceBarOnTheSecondFrame) {
  lighting_.mode = 3;
  SeedRippleBottom(state_);
  harness_.Render();
  EXPECT_EQ(frame_[109].level, 0);
  harness_.Render();
  EXPECT_EQ(state_.level[109], 224);  // 254 decayed
  EXPECT_EQ(frame_[109], (LedEntry{7, 8, 9, 223}));
}

TEST_F(Model1Effects, RipplesThatShrinkToTheTopOfColumn9StartAgain) {
  lighting_.mode = 3;
  state_.planes[3][10] = 0b1;  // moves left into column 9, row 0
  harness_.Render();
  // Column 9 held only bit 0 after the step, so bits 0 and 1 are set there in every plane.
  for (const auto& plane : state_.planes) EXPECT_EQ(plane[9] & 0b11, 0b11);
}

TEST_F(Model1Effects, CustomModeShowsPaintedKeys) {
  lighting_.mode = 6;
  harness_.custom_colours[53] = 255;  // slot 38
  harness_.Render();
  EXPECT_EQ(frame_[38].level, 254);
  EXPECT_EQ(frame_[39].level, 0);
  EXPECT_EQ(frame_[16].level, 0);
}

TEST_F(Model1Effects, PulseFromTheMatrixSeed) {
  lighting_.mode = 8;
  SeedPulseMatrix(state_);
  harness_.Render();
  EXPECT_EQ(state_.pulse_phase[52], 16);
  EXPECT_EQ(frame_[52].level, 254);
  EXPECT_EQ(state_.pulse_phase[10], 0) << "a seed at the curve's end starts over";
}

TEST_F(Model1Effects, PulseFromTheColumnSeed) {
  lighting_.mode = 9;
  SeedPulseColumns(state_);
  harness_.Render();
  EXPECT_EQ(frame_[19].level, 240);  // 17 → 18: pulse 241
  EXPECT_EQ(frame_[16].level, 0);    // 122 → 123: dark
}

TEST_F(Model1Effects, SnakeCrawlsAndTurnsRound) {
  lighting_.mode = 10;
  lighting_.direction = 1;
  harness_.Render();
  EXPECT_EQ(state_.second_step, 1);
  EXPECT_EQ(state_.level[0], 224);
  EXPECT_EQ(state_.colour_counter, 13);
  state_.second_step = 106;
  harness_.Render();
  EXPECT_EQ(state_.second_step, 0);
  EXPECT_EQ(state_.colour_counter, 13) << "nothing is lit on the turning frame";
  lighting_.direction = 0;
  harness_.Render();
  EXPECT_EQ(state_.second_step, 106);
  harness_.Render();  // position 106 is slot 0 again
  EXPECT_EQ(state_.second_step, 105);
  EXPECT_EQ(state_.level[0], 224);
}

TEST_F(Model1Effects, ModesPastTheListLeaveTheFrame) {
  for (std::uint8_t mode = 11; mode <= 16; ++mode) {
    lighting_.mode = mode;
    harness_.Render();
  }
  for (const LedEntry& entry : frame_) ASSERT_EQ(entry, (LedEntry{7, 8, 9, 0}));
}

}  // namespace
}  // namespace vandrel
