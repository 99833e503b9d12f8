// The effect tables of the keyboard models: for each mode its renderer, the pause the lighting
// thread takes before rendering it, and whether its frame is streamed to the keyboard.
#pragma once

#include <array>
#include <cstdint>

#include "keyboard/lighting/effect_drawing.h"

namespace vandrel {

struct EffectEntry {
  EffectRenderer render = nullptr;  // nullptr: the frame is left as it is
  std::uint8_t pre_delay_ms = 0;
  bool streamed = true;  // false: the keyboard animates the mode itself
};

extern const std::array<EffectEntry, 19> kModel0Effects;  // per-key RGB
extern const std::array<EffectEntry, 11> kModel1Effects;  // single colour (preview only)
extern const std::array<EffectEntry, 8> kModel3Effects;   // six zones

// Model 0's reactive effects, shared by its table.
void RenderTwinkle(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame);
void RenderKeyRainbow(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame);
void RenderRipplesFromBottom(const EffectInputs& inputs, EffectState& state,
                             KeyboardLedFrame& frame);
void RenderSweepAndRipple(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame);
void RenderPulsingKeys(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame);
void RenderRipplesFromCorners(const EffectInputs& inputs, EffectState& state,
                              KeyboardLedFrame& frame);

// Model 3's zone stack.
void RenderZoneStack(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame);

}  // namespace vandrel
