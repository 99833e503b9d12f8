// One keyboard lighting engine with its inputs, for rendering frames in tests.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "keyboard/lighting/keyboard_effects.h"

namespace vandrel::testing {

// Hands out the bytes it was given, in order; running out is a test failure.
class ScriptedRandom final : public RandomSource {
 public:
  std::vector<std::uint8_t> values;

  std::uint8_t NextByte() override {
    if (next_ >= values.size()) {
      ADD_FAILURE() << "the effect drew more random numbers than scripted";
      return 0;
    }
    return values[next_++];
  }

 private:
  std::size_t next_ = 0;
};

struct LightingHarness {
  std::uint8_t model = 0;
  LightingBlock lighting{};
  std::array<std::uint8_t, kCustomColourSetSize> custom_colours{};
  ScriptedRandom random;
  EffectState state;
  KeyboardLedFrame frame{};

  void Render() {
    const EffectInputs inputs{lighting, custom_colours, random};
    RenderKeyboardFrame(model, inputs, state, frame);
  }
};

inline LedEntry Entry(LedColour colour, std::uint8_t level) {
  return {colour.red, colour.green, colour.blue, level};
}

}  // namespace vandrel::testing
