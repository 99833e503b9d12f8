// Model 3 (six zones): zone colours and key colours worked out by hand, including a whole cycle
// of the zone stack.
#include <gtest/gtest.h>

#include "keyboard/lighting/effect_state.h"
#include "lighting_harness.h"

namespace vandrel {
namespace {

using testing::Entry;

class Model3Effects : public ::testing::Test {
 protected:
  testing::LightingHarness harness_;
  LightingBlock& lighting_ = harness_.lighting;
  EffectState& state_ = harness_.state;
  KeyboardLedFrame& frame_ = harness_.frame;

  void SetUp() override {
    harness_.model = 3;
    lighting_.brightness = 14;  // L = 255
  }

  // Which zones show a colour in the frame sent.
  std::array<bool, kZoneCount> LitZones() const {
    std::array<bool, kZoneCount> lit{};
    for (std::size_t zone = 0; zone < kZoneCount; ++zone)
      lit[zone] = state_.zone_colour[zone] != LedColour{};
    return lit;
  }
};

TEST_F(Model3Effects, SevenColourZoneWaveSendsTheDimmedWheel) {
  lighting_ = {0, 10, 0, 1, 1, 0, 0, 0};  // L = 195
  state_.step = 191;
  harness_.Render();
  EXPECT_EQ(state_.zone_colour[0], (LedColour{194, 0, 0}));
  EXPECT_EQ(state_.zone_colour[1], (LedColour{194, 16, 0}));  // wheel 7
  EXPECT_EQ(frame_[0], Entry({255, 1, 0}, 195));
  EXPECT_EQ(frame_[2], Entry({255, 22, 0}, 195));  // zone 1
}

TEST_F(Model3Effects, FixedZoneWaveDimsByBrightnessAndWave) {
  lighting_ = {0, 14, 0, 0, 0, 200, 100, 50};
  harness_.Render();
  EXPECT_EQ(state_.step, 95);
  // Zone 0: wave position 9 (49); the colour × 255 >> 8 is (199, 99, 49).
  EXPECT_EQ(state_.zone_colour[0], (LedColour{38, 18, 9}));
  EXPECT_EQ(frame_[0], Entry({200, 100, 50}, 48));
}

TEST_F(Model3Effects, RandomBreathingDrawsAColourForEachBreath) {
  lighting_ = {2, 14, 0, 0, 1, 0, 0, 0};
  harness_.random.values = {40};
  state_.step = 127;
  harness_.Render();
  EXPECT_EQ(state_.step, 0);
  EXPECT_EQ(state_.breath_colour, 40);
  EXPECT_EQ(state_.zone_colour[0], LedColour{}) << "the breath starts dark";
  state_.step = 62;
  harness_.Render();  // step 63: breath 255, wheel 40 = (146, 255, 0)
  EXPECT_EQ(state_.zone_colour[3], (LedColour{144, 253, 0}));
  EXPECT_EQ(frame_[9], Entry({146, 255, 0}, 254));
}

TEST_F(Model3Effects, StaticSendsTheDimmedFixedColour) {
  lighting_ = {3, 0, 0, 0, 0, 255, 128, 0};  // L = 45
  harness_.Render();
  EXPECT_EQ(state_.zone_colour[5], (LedColour{44, 22, 0}));
  EXPECT_EQ(frame_[119], Entry({255, 128, 0}, 45));
}

TEST_F(Model3Effects, SelfAnimatedModeShowsDarkKeysAndKeepsTheColourUnscaled) {
  lighting_ = {5, 3, 0, 0, 0, 10, 20, 30};
  harness_.Render();
  EXPECT_EQ(frame_[0], Entry({0, 0, 0}, 90));
  EXPECT_EQ(state_.zone_colour[2], (LedColour{10, 20, 30}));
}

TEST_F(Model3Effects, CustomModeSendsEachZonesLastKey) {
  lighting_ = {7, 14, 0, 0, 0, 0, 0, 0};
  harness_.custom_colours[3 * 86] = 200;     // slot 86, the last key of zone 0
  harness_.custom_colours[3 * 0 + 1] = 100;  // slot 0
  harness_.Render();
  EXPECT_EQ(state_.zone_colour[0], (LedColour{199, 0, 0}));
  EXPECT_EQ(frame_[0], Entry({0, 100, 0}, 255));
  EXPECT_EQ(frame_[86], Entry({200, 0, 0}, 255));
}

TEST_F(Model3Effects, ZoneStackBuildsUpRightwardsAndFades) {
  lighting_ = {6, 14, 0, 0, 0, 0, 0, 0};
  harness_.Render();  // frame 1 rebuilds: colours 42, 35, 28, 21, 14, 7 for zones 0-5
  EXPECT_EQ(LitZones(), (std::array<bool, 6>{}));
  EXPECT_EQ(state_.zone_stack.walk_colour[0], 42);
  EXPECT_EQ(state_.zone_stack.walk_colour[5], 7);
  harness_.Render();                                           // the first marker is in zone 0
  EXPECT_EQ(state_.zone_colour[0], (LedColour{123, 254, 0}));  // wheel 42 = (124, 255, 0)
  EXPECT_EQ(frame_[0], Entry({124, 255, 0}, 255));
  EXPECT_EQ(frame_[2], Entry({0, 0, 0}, 255));
  harness_.Render();
  EXPECT_EQ(LitZones(), (std::array<bool, 6>{false, true, false, false, false, false}));
  for (int frame = 3; frame < 7; ++frame) harness_.Render();
  EXPECT_EQ(LitZones(), (std::array<bool, 6>{false, false, false, false, false, true}));
  harness_.Render();  // the second marker enters while the first stays
  EXPECT_EQ(LitZones(), (std::array<bool, 6>{true, false, false, false, false, true}));
  // Markers stop at zones 5, 4, … 0: 6 + 5 + 4 + 3 + 2 + 1 walking frames in all.
  for (int frame = 9; frame <= 22; ++frame) harness_.Render();
  EXPECT_EQ(LitZones(), (std::array<bool, 6>{true, true, true, true, true, true}));
  EXPECT_EQ(state_.zone_stack.walk_phase, ZoneStack::Phase::kFading);
  harness_.Render();  // 255 − 40
  EXPECT_EQ(state_.zone_stack.walk_level, 215);
  EXPECT_EQ(state_.zone_colour[0], (LedColour{103, 213, 0}));
  const std::uint8_t fading[] = {175, 135, 95, 65, 35, 25, 17, 9, 8, 0};
  for (const std::uint8_t level : fading) {
    harness_.Render();
    EXPECT_EQ(state_.zone_stack.walk_level, level);
  }
  harness_.Render();  // a new stack with the next colours
  EXPECT_EQ(state_.zone_stack.walk_colour[5], 49);
  EXPECT_EQ(state_.zone_stack.walk_level, 255);
}

TEST_F(Model3Effects, ZoneStackWalksLeftwardsWithTheDirectionSet) {
  lighting_ = {6, 14, 0, 1, 0, 0, 0, 0};
  harness_.Render();
  harness_.Render();
  EXPECT_EQ(LitZones(), (std::array<bool, 6>{false, false, false, false, false, true}));
  harness_.Render();
  EXPECT_EQ(LitZones(), (std::array<bool, 6>{false, false, false, false, true, false}));
}

TEST_F(Model3Effects, ZoneStackRestartsWithItsFirstColoursWhenFlagged) {
  lighting_ = {6, 14, 0, 0, 0, 0, 0, 0};
  for (int frame = 0; frame < 5; ++frame) harness_.Render();
  lighting_.direction = 1;
  FlagWalkRestart(state_);
  harness_.Render();
  EXPECT_FALSE(state_.zone_stack.restart_flagged);
  EXPECT_EQ(state_.zone_stack.walk_colour[5], 7);
  EXPECT_EQ(state_.zone_stack.walk_pos, 0);
  EXPECT_EQ(LitZones(), (std::array<bool, 6>{}));
  harness_.Render();
  EXPECT_EQ(LitZones(), (std::array<bool, 6>{false, false, false, false, false, true}));
}

TEST_F(Model3Effects, ResetLeavesTheZoneStackAlone) {
  lighting_ = {6, 14, 0, 0, 0, 0, 0, 0};
  harness_.Render();
  harness_.Render();
  ResetEffectState(state_);
  harness_.Render();
  EXPECT_EQ(LitZones(), (std::array<bool, 6>{false, true, false, false, false, false}));
}

}  // namespace
}  // namespace vandrel
