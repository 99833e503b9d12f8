// Model 0 (per-key RGB): the effects with a life per key — twinkle, per-key rainbow, ripples,
// the sweep and the pulsing keys.
#include "keyboard/lighting/model_effects.h"
#include "keyboard/lighting/ripples.h"

namespace vandrel {
namespace {

constexpr std::uint8_t kTwinklesPerFrame = 3;
constexpr std::uint8_t kTwinkleColourStep = 10;
constexpr std::uint8_t kPulseColourStep = 5;

// A ripple that has faded down to a single bit at the top (or below the bottom) of column 9
// starts again there; likewise at the two corners.
void ReseedBottomRipple(EffectState& state) {
  const std::uint8_t bits = RippleColumn(state, 9);
  if (bits == 1) SetRippleBits(state, 9, 1 << 0);
  if (bits == 64) SetRippleBits(state, 9, 1 << 6);
}

void ReseedCornerRipples(EffectState& state) {
  if (RippleColumn(state, 1) == 1) SetRippleBits(state, 1, 1 << 0);
  if (RippleColumn(state, 22) == 1) SetRippleBits(state, 22, 1 << 6);
}

}  // namespace

// Lights three more keys in the twinkle order, then fades every slot.
void RenderTwinkle(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  for (std::uint8_t i = 0; i < kTwinklesPerFrame; ++i) {
    if (++state.twinkle_index >= kTwinkleOrder.size()) state.twinkle_index = 0;
    const std::uint8_t slot = kKeyPath[kTwinkleOrder[state.twinkle_index]];
    // The twinkle hands out a colour position whether the seven-colour flag is set or not.
    LightKey(state, slot, true, kTwinkleColourStep);
  }
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (std::uint8_t slot = 0; slot < kFrameSlots; ++slot) {
    DecayLevel(state, slot);
    Paint(frame, slot, ColourSource(inputs.lighting, state.phase[slot]),
          ScaleLevel(brightness, state.level[slot]));
  }
}

void RenderKeyRainbow(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (std::uint8_t slot = 0; slot < kFrameSlots; ++slot) {
    // Only 192 wraps: a seeded phase of 192 runs on through the wheel's repeated upper entries.
    std::uint8_t& phase = state.phase[slot];
    if (++phase == kColourWheelColours) phase = 0;
    Paint(frame, slot, kColourWheel[phase], brightness);
  }
}

void RenderRipplesFromBottom(const EffectInputs& inputs, EffectState& state,
                             KeyboardLedFrame& frame) {
  ReseedBottomRipple(state);
  RippleToLevels(state, inputs.lighting.seven_colour != 0);
  RippleStep(state);
  ShowFadingPath(inputs, state, frame);
}

void RenderSweepAndRipple(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  AdvanceSweep(state, inputs.lighting.seven_colour != 0);
  ShowFadingPath(inputs, state, frame);
}

void RenderPulsingKeys(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (const std::uint8_t slot : kKeyPath) {
    std::uint8_t& level = state.level[slot];
    // A pulse that ends (or a seed at the curve's end) starts the key's next pulse in a new colour.
    if (++level >= kPulseCurve.size()) {
      level = 0;
      state.colour_counter = static_cast<std::uint8_t>(state.colour_counter + kPulseColourStep);
      state.phase[slot] = state.colour_counter;
    }
    const LedColour colour = inputs.lighting.seven_colour != 0 ? kPulsePalette[state.phase[slot]]
                                                               : FixedColour(inputs.lighting);
    Paint(frame, slot, colour, ScaleLevel(brightness, kPulseCurve[level]));
  }
}

void RenderRipplesFromCorners(const EffectInputs& inputs, EffectState& state,
                              KeyboardLedFrame& frame) {
  ReseedCornerRipples(state);
  RippleToLevels(state, inputs.lighting.seven_colour != 0);
  RippleStep(state);
  ShowFadingPath(inputs, state, frame);
}

}  // namespace vandrel
