// The pauses the pad lighting thread takes, and what resetting the effect keeps.
#include <chrono>
#include <cstdint>

#include "pad_effects_harness.h"

namespace vandrel {
namespace {

using std::chrono::milliseconds;

struct DelayCase {
  std::uint8_t mode;
  std::uint8_t speed;
  milliseconds expected;
};

TEST(PadFrameDelay, DrawingModesTakeNinePlusFourPerSpeedAndModeNineFivePlusFour) {
  const DelayCase cases[] = {
      {0, 0, milliseconds(9)},   {3, 1, milliseconds(13)},   {8, 14, milliseconds(65)},
      {9, 0, milliseconds(0)},   {9, 1, milliseconds(9)},    {9, 14, milliseconds(61)},
      {10, 2, milliseconds(17)}, {0, 200, milliseconds(65)},  // beyond the slowest: as 14
  };
  for (const DelayCase& c : cases) {
    EXPECT_EQ(PadFrameDelay(c.mode, c.speed), c.expected)
        << "mode " << int{c.mode} << ", speed " << int{c.speed};
  }
}

TEST(PadPreDelay, BarRippleAndSweepWaitLongerBeforeRendering) {
  const DelayCase cases[] = {
      {4, 0, milliseconds(100)}, {4, 14, milliseconds(240)}, {5, 0, milliseconds(50)},
      {5, 14, milliseconds(50)}, {7, 0, milliseconds(50)},   {7, 14, milliseconds(120)},
      {0, 14, milliseconds(0)},  {3, 7, milliseconds(0)},    {6, 14, milliseconds(0)},
      {8, 14, milliseconds(0)},  {9, 14, milliseconds(0)},   {40, 14, milliseconds(0)},
  };
  for (const DelayCase& c : cases) {
    LightingBlock lighting;
    lighting.mode = c.mode;
    lighting.speed = c.speed;
    EXPECT_EQ(PadPreDelay(lighting), c.expected)
        << "mode " << int{c.mode} << ", speed " << int{c.speed};
  }
}

TEST(PadEffectReset, ClearsThePositionsAndSparksButKeepsBarSweepAndFlash) {
  PadEffectState state;
  state.position = 9;
  state.hue.fill(3);
  state.intensity.fill(200);
  state.trigger.fill(true);
  state.hue_accumulator = 77;
  state.bar = 12;
  state.bar_falling = true;
  state.sweep_mask = 0x1F8;
  state.sweep_steps = 4;
  state.sweep_phase = 1;
  state.flash_active = true;
  state.flash_start = milliseconds(30);
  state.flash_hue = 42;
  PadEffectState expected = state;
  expected.position = 0;
  expected.hue = {};
  expected.intensity = {};
  expected.trigger = {};
  ResetPadEffect(state);
  EXPECT_EQ(state, expected);
  StartPadRipple(state);
  expected.trigger[0] = true;
  EXPECT_EQ(state, expected);
}

}  // namespace
}  // namespace vandrel
