// The pad's effect engine with its inputs, for rendering frames in tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "pad/pad_effects.h"

namespace vandrel::testing {

class PadEffectsTest : public ::testing::Test {
 protected:
  LightingBlock lighting_{};
  PadEffectState state_;
  PadFrame frame_{};

  Clock::Duration Render(Clock::Duration now = Clock::Duration{0}) {
    return RenderPadFrame(lighting_, state_, frame_, now);
  }
};

inline LedEntry Entry(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t level) {
  return {red, green, blue, level};
}

// A frame no effect draws, to tell a frame left alone from one drawn.
inline PadFrame MarkerFrame() {
  PadFrame frame;
  frame.fill({7, 7, 7, 7});
  return frame;
}

}  // namespace vandrel::testing
