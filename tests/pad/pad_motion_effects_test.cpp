// The bar, the ripple, the sweep and the flash: frames worked out by hand from each effect's rules.
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "core/manual_clock.h"
#include "pad_effects_harness.h"

namespace vandrel {
namespace {

using std::chrono::milliseconds;
using testing::Entry;
using PadMotionEffects = testing::PadEffectsTest;

// One character per grid column: '#' lit, '.' dark (judged by the column's bottom LED).
std::string Columns(const PadFrame& frame) {
  std::string columns;
  for (const int led : kPadLedGrid[kPadGridRows - 1]) {
    columns += frame[static_cast<std::size_t>(led)].level != 0 ? '#' : '.';
  }
  return columns;
}

TEST_F(PadMotionEffects, BarGrowsFromLedZeroToAllAndShrinksBackInDirectionZero) {
  lighting_ = {4, 14, 0, 0, 0, 10, 20, 30};
  const std::vector<std::size_t> lit = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                        12, 13, 14, 15, 14, 13, 12, 11, 10, 9,  8,
                                        7,  6,  5,  4,  3,  2,  1,  0,  0,  0,  1};
  for (std::size_t frame = 0; frame < lit.size(); ++frame) {
    (void)Render();
    for (std::size_t led = 0; led < kPadLedCount; ++led) {
      EXPECT_EQ(frame_[led], led < lit[frame] ? Entry(10, 20, 30, 255) : LedEntry{})
          << "frame " << frame << ", LED " << led;
    }
  }
}

TEST_F(PadMotionEffects, BarInDirectionOneLightsTheLedsAboveItWithWheelColours) {
  lighting_ = {4, 14, 0, 1, 1, 0, 0, 0};
  state_.bar = 0;
  state_.bar_falling = true;
  (void)Render();  // the bar falls to −1 and turns: every LED is above it
  EXPECT_EQ(state_.bar, -1);
  EXPECT_FALSE(state_.bar_falling);
  EXPECT_EQ(frame_[0], Entry(255, 1, 0, 255));
  EXPECT_EQ(frame_[14], Entry(0, 220, 255, 255));  // wheel 98
  (void)Render();                                  // bar 0
  EXPECT_EQ(frame_[0], LedEntry{});
  EXPECT_EQ(frame_[2], Entry(255, 65, 0, 255));  // wheel 14
}

TEST(StartPadMode, ClearsTheRunningEffectAndSparksOnlyTheRipple) {
  PadEffectState state;
  state.position = 9;
  state.trigger[3] = true;
  state.intensity[2] = 9;
  state.bar = 4;
  StartPadMode(2, state);
  EXPECT_EQ(state.position, 0);
  EXPECT_EQ(std::count(state.trigger.begin(), state.trigger.end(), true), 0);
  EXPECT_EQ(state.intensity[2], 0);
  EXPECT_EQ(state.bar, 4);
  StartPadMode(5, state);
  EXPECT_TRUE(state.trigger[0]);
  EXPECT_EQ(std::count(state.trigger.begin(), state.trigger.end(), true), 1);
}

TEST_F(PadMotionEffects, RippleIgnitesWithTheNextHueAndPassesTheSparkOnward) {
  lighting_ = {5, 14, 0, 0, 1, 0, 0, 0};
  StartPadRipple(state_);
  state_.hue_accumulator = 100;
  (void)Render();
  EXPECT_EQ(state_.hue[0], 111);
  EXPECT_EQ(frame_[0], Entry(0, 77, 255, 224));  // wheel 111; 255 decays to 225
  EXPECT_TRUE(state_.trigger[1]);
  EXPECT_EQ(frame_[1].level, 0);
  (void)Render();
  EXPECT_EQ(frame_[0], Entry(0, 77, 255, 194));  // 225 decays to 195
  EXPECT_EQ(frame_[1], Entry(0, 12, 255, 224));  // hue 122
  EXPECT_TRUE(state_.trigger[2]);
}

TEST_F(PadMotionEffects, RippleAccumulatorWrapsAsAByteAndTriggersRotateRoundTheU) {
  lighting_ = {5, 14, 0, 1, 1, 0, 0, 0};
  state_.trigger[0] = true;
  state_.hue_accumulator = 250;
  (void)Render();
  EXPECT_EQ(state_.hue[0], 5);
  EXPECT_EQ(frame_[0].red, 255);
  EXPECT_EQ(frame_[0].green, 14);  // wheel 5
  EXPECT_TRUE(state_.trigger[14]) << "direction 1 moves LED 0's flag to LED 14";
  lighting_.direction = 0;
  (void)Render();
  EXPECT_TRUE(state_.trigger[0]) << "direction 0 moves LED 14's flag to LED 0";
}

TEST_F(PadMotionEffects, RippleDecaysFastWhenBrightAndSlowlyWhenFaint) {
  lighting_ = {5, 14, 0, 0, 0, 1, 2, 3};
  const std::vector<std::uint8_t> before = {255, 128, 127, 64, 63, 32, 31, 17, 16, 5, 1, 0};
  const std::vector<std::uint8_t> after = {225, 98, 107, 44, 53, 22, 26, 12, 15, 4, 0, 0};
  std::copy(before.begin(), before.end(), state_.intensity.begin());
  state_.trigger[14] = true;  // without the seven-colour flag it takes no new hue
  (void)Render();
  EXPECT_EQ(state_.hue_accumulator, 0);
  for (std::size_t led = 0; led < before.size(); ++led) {
    EXPECT_EQ(state_.intensity[led], after[led]) << "from " << int{before[led]};
  }
  EXPECT_EQ(frame_[0], Entry(1, 2, 3, 224));  // 255 × 225 >> 8
}

TEST_F(PadMotionEffects, SweepEntersFromTheLeftRestsReturnsFromTheRightAndRests) {
  lighting_ = {7, 14, 0, 1, 0, 1, 2, 3};
  const std::vector<std::string> entering = {
      "#......", "##.....", "###....", "####...", "#####..", "######.", ".######",
      "..#####", "...####", "....###", ".....##", "......#", ".......", ".......",
  };
  const std::vector<std::string> returning = {
      ".......", ".......", "......#", ".....##", "....###", "...####", "..#####", ".######",
      "######.", "#####..", "####...", "###....", "##.....", "#......", ".......",
  };
  const auto rest_leaves_frame_alone = [this] {
    frame_ = testing::MarkerFrame();
    EXPECT_EQ(Render(), milliseconds(1000));
    EXPECT_EQ(frame_, testing::MarkerFrame());
  };
  for (int cycle = 0; cycle < 2; ++cycle) {
    for (const auto* band : {&entering, &returning}) {
      rest_leaves_frame_alone();
      for (const std::string& columns : *band) {
        EXPECT_EQ(Render(), Clock::Duration{0});
        EXPECT_EQ(Columns(frame_), columns);
      }
    }
  }
}

TEST_F(PadMotionEffects, SweepHueTurnsBackwardsAndStepsTwentyPerLitColumn) {
  lighting_ = {7, 14, 0, 1, 1, 0, 0, 0};  // direction 1 still turns the hue down
  state_.sweep_phase = 0;
  state_.sweep_steps = 12;
  state_.sweep_mask = 0x07E0;  // columns 5 and 6
  (void)Render();
  EXPECT_EQ(state_.position, 191);
  EXPECT_EQ(frame_[8], LedEntry{});
  EXPECT_EQ(frame_[9], Entry(255, 0, 0, 255));     // wheel 191
  EXPECT_EQ(frame_[14], Entry(255, 109, 0, 255));  // 191 + 20: wheel 19
  EXPECT_EQ(state_.sweep_mask, 0x0FC0);
  EXPECT_EQ(state_.sweep_steps, 11);
}

class PadFlash : public testing::PadEffectsTest {
 protected:
  ManualClock clock_;

  void SetUp() override { lighting_ = {8, 14, 0, 0, 1, 0, 0, 0}; }
  void RenderAfter(milliseconds elapsed) {
    clock_.Advance(elapsed);
    (void)Render(clock_.Now());
  }
};

TEST_F(PadFlash, StaysDarkWithoutAMouseEvent) {
  frame_ = testing::MarkerFrame();
  RenderAfter(milliseconds(10));
  RenderAfter(milliseconds(500));
  for (const LedEntry& led : frame_) EXPECT_EQ(led, LedEntry{});
  EXPECT_EQ(state_.flash_hue, 0);
}

TEST_F(PadFlash, LightsEveryLedForAHundredMillisecondsWithTheNextHue) {
  state_.flash_hue = 168;
  RequestPadFlash(state_);
  RenderAfter(milliseconds(0));
  for (const LedEntry& led : frame_) EXPECT_EQ(led, Entry(255, 0, 29, 255));  // wheel 182
  RequestPadFlash(state_);                                                    // restarts the flash
  RenderAfter(milliseconds(80));
  EXPECT_EQ(frame_[7], Entry(255, 1, 0, 255));  // 182 + 14 = 196 becomes 0
  RenderAfter(milliseconds(99));
  EXPECT_TRUE(state_.flash_active);
  RenderAfter(milliseconds(1));  // 100 ms after the second event: drawn once more, then over
  EXPECT_EQ(frame_[7], Entry(255, 1, 0, 255));
  RenderAfter(milliseconds(1));
  EXPECT_EQ(frame_[7], LedEntry{});
  state_.flash_hue = 178;
  lighting_ = {8, 0, 0, 0, 0, 1, 0, 0};
  RequestPadFlash(state_);
  RenderAfter(milliseconds(0));
  EXPECT_EQ(state_.flash_hue, 0) << "192 is past the last colour";
  EXPECT_EQ(frame_[0], Entry(1, 0, 0, 45));
}

}  // namespace
}  // namespace vandrel
