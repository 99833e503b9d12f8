// Model 0 (per-key RGB): the moving and static effects, and the table of all its modes.
#include "keyboard/lighting/model_effects.h"

namespace vandrel {
namespace {

constexpr std::uint8_t kWheel = kColourWheelColours;
constexpr std::uint8_t kWave = kWaveCurve.size();

void RenderColumnWave(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const LightingBlock& lighting = inputs.lighting;
  const std::uint8_t brightness = BrightnessLevel(lighting.brightness);
  if (lighting.seven_colour != 0) {
    StepWithin(state.step, kWheel, lighting.direction);
    std::uint8_t position = state.step;
    for (std::size_t column = 0; column < kMatrixColumns; ++column) {
      PaintColumn(frame, column, kColourWheel[position], brightness);
      position = Advance(position, 7, kWheel);
    }
    return;
  }
  StepWithin(state.step, kWave, lighting.direction);
  std::uint8_t position = state.step;
  for (std::size_t column = 0; column < kMatrixColumns; ++column) {
    position = Advance(position, 10, kWave);
    PaintColumn(frame, column, FixedColour(lighting), ScaleLevel(brightness, kWaveCurve[position]));
  }
}

void RenderColourCycle(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  StepWithin(state.step, kWheel, inputs.lighting.direction);
  const LedColour colour = kColourWheel[state.step];
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (std::uint8_t slot = 0; slot < kFrameSlots; ++slot) Paint(frame, slot, colour, brightness);
}

void RenderBreathing(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  if (++state.step >= kBreathCurve.size()) state.step = 0;
  const std::uint8_t level =
      ScaleLevel(BrightnessLevel(inputs.lighting.brightness), kBreathCurve[state.step]);
  for (std::size_t column = 0; column < kMatrixColumns; ++column) {
    const auto position = static_cast<std::uint8_t>(7 * column);
    PaintColumn(frame, column, ColourSource(inputs.lighting, position), level);
  }
}

// Draws nothing on the first frame after the mode is chosen (group_mask 0), all groups after.
void RenderStaticGroups(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  if ((state.group_mask & 1) != 0) {
    const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
    for (std::size_t group = 0; group < kKeyGroups.size(); ++group) {
      const LedColour colour = ColourSource(inputs.lighting, static_cast<std::uint8_t>(14 * group));
      for (const std::uint8_t slot : kKeyGroups[group]) {
        if (slot != kNoKeySlot) Paint(frame, slot, colour, brightness);
      }
    }
  }
  state.group_mask = static_cast<std::uint8_t>(2 * state.group_mask + 1);
}

void RenderColumnFlow(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const LightingBlock& lighting = inputs.lighting;
  const std::uint8_t brightness = BrightnessLevel(lighting.brightness);
  if (lighting.seven_colour != 0) {
    StepWithin(state.second_step, kWheel, lighting.direction);
    std::uint8_t position = state.second_step;
    for (std::size_t column = 0; column < kMatrixColumns; ++column) {
      PaintColumn(frame, column, kColourWheel[position], brightness);
      position = Advance(position, 2, kWheel);
    }
    return;
  }
  StepWithin(state.step, kWave, lighting.direction);
  const LedColour dimmed = ScaleColour(FixedColour(lighting), brightness);
  std::uint8_t position = state.step;
  for (std::size_t column = 0; column < kMatrixColumns; ++column) {
    const std::uint8_t previous = position;
    position = Advance(position, 5, kWave);
    PaintColumn(frame, column, ScaleColour(dimmed, kPulseCurve[previous]),
                ScaleLevel(brightness, kPulseCurve[position]));
  }
}

void RenderSerpentine(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const LightingBlock& lighting = inputs.lighting;
  const std::uint8_t brightness = BrightnessLevel(lighting.brightness);
  const bool seven_colour = lighting.seven_colour != 0;
  const std::uint8_t count = seven_colour ? kWheel : kWave;
  StepWithin(state.step, count, lighting.direction);
  std::uint8_t position = state.step;
  for (const std::uint8_t slot : kKeyPath) {
    if (seven_colour) {
      Paint(frame, slot, kColourWheel[position], brightness);
    } else {
      Paint(frame, slot, FixedColour(lighting), ScaleLevel(brightness, kWaveCurve[position]));
    }
    position = Advance(position, 5, count);
  }
}

void ClearFrame(const EffectInputs&, EffectState&, KeyboardLedFrame& frame) { frame.fill({}); }

void RenderRowRainbow(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  StepWithin(state.second_step, kWheel, inputs.lighting.direction);
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  std::uint8_t position = state.second_step;
  for (std::size_t row = 0; row < kMatrixRows; ++row) {
    PaintRow(frame, row, kColourWheel[position], brightness);
    position = Advance(position, 24, kWheel);
  }
}

void RenderRotatingGroups(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  if (inputs.lighting.direction != 0) {
    state.step = static_cast<std::uint8_t>(state.step + 4 >= kWheel ? 0 : state.step + 4);
  } else {
    state.step = static_cast<std::uint8_t>(state.step < 2 ? kWheel : state.step - 2);
  }
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  std::uint8_t position = state.step;
  for (const auto& group : kKeyGroups) {
    position = Advance(position, 21, kWheel);
    for (const std::uint8_t slot : group) {
      if (slot != kNoKeySlot && kOnKeyPath[slot]) {
        Paint(frame, slot, kColourWheel[position], brightness);
      }
    }
  }
}

void RenderCustom(const EffectInputs& inputs, EffectState&, KeyboardLedFrame& frame) {
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (std::uint8_t slot = 0; slot < kFrameSlots; ++slot) {
    const std::uint8_t led = kLedMap0[slot];
    LedColour colour;  // black for a slot without an LED
    if (led != kNoLed) {
      const std::size_t offset = 3u * led;
      colour = {inputs.custom_colours[offset], inputs.custom_colours[offset + 1],
                inputs.custom_colours[offset + 2]};
    }
    Paint(frame, slot, colour, brightness);
  }
}

}  // namespace

const std::array<EffectEntry, 19> kModel0Effects = {{
    {RenderColumnWave, 0, true},           // 0
    {RenderColourCycle, 20, true},         // 1
    {RenderBreathing, 0, true},            // 2
    {RenderStaticGroups, 0, true},         // 3
    {RenderColumnFlow, 0, true},           // 4
    {RenderSerpentine, 1, true},           // 5
    {ClearFrame, 0, false},                // 6: the keyboard animates 6, 7, 8 and 16 itself
    {ClearFrame, 0, false},                // 7
    {ClearFrame, 0, false},                // 8
    {RenderTwinkle, 0, true},              // 9
    {RenderKeyRainbow, 12, true},          // 10
    {RenderRowRainbow, 0, true},           // 11
    {RenderRipplesFromBottom, 40, true},   // 12
    {RenderSweepAndRipple, 15, true},      // 13
    {RenderPulsingKeys, 0, true},          // 14
    {RenderRipplesFromCorners, 50, true},  // 15
    {ClearFrame, 0, false},                // 16
    {RenderRotatingGroups, 10, true},      // 17
    {RenderCustom, 0, true},               // 18
}};

}  // namespace vandrel
