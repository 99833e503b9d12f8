// The pad's colour effects: wave, colour cycle, breathing, static colour and column rainbow.
#include "keyboard/lighting/effect_drawing.h"
#include "pad/pad_effect_modes.h"

namespace vandrel {
namespace {

// Neighbouring LEDs of the seven-colour wave lie this far apart on the colour wheel, and of the
// fixed-colour wave this far apart on the wave curve; the level runs the same distance ahead.
constexpr std::size_t kWaveWheelSpacing = 7;
constexpr std::size_t kWaveCurveSpacing = 10;
// Neighbouring columns of the rainbow lie this far apart on the colour wheel.
constexpr std::size_t kColumnWheelSpacing = 7;
// The breathing colour lies this far ahead of the breathing position on the colour wheel.
constexpr std::size_t kBreathWheelOffset = 50;

void RenderSevenColourWave(std::uint8_t level, PadEffectState& state, PadFrame& frame) {
  for (std::size_t led = 0; led < kPadLedCount; ++led) {
    const LedColour colour = WheelColour(state.position + kWaveWheelSpacing * led);
    PaintLed(frame, led, DimColour(colour, level), level);
  }
}

// Each LED is the dimmed fixed colour scaled by its wave value + 1, at the level of the wave a
// little further on.
void RenderFixedColourWave(const LightingBlock& lighting, std::uint8_t level, PadEffectState& state,
                           PadFrame& frame) {
  const LedColour dimmed = DimColour(FixedColour(lighting), level);
  for (std::size_t led = 0; led < kPadLedCount; ++led) {
    const std::size_t crest = (state.position + kWaveCurveSpacing * led) % kWaveLength;
    const std::size_t ahead = (crest + kWaveCurveSpacing) % kWaveLength;
    PaintLed(frame, led, ScaleColourBy(dimmed, kWaveCurve[crest] + 1),
             ScaleLevel(kWaveCurve[ahead], level));
  }
}

}  // namespace

void PaintPadColumn(PadFrame& frame, std::size_t column, LedColour colour, std::uint8_t level) {
  for (const auto& row : kPadLedGrid) {
    const int led = row[column];
    if (led != kNoPadLed) PaintLed(frame, static_cast<std::size_t>(led), colour, level);
  }
}

Clock::Duration RenderWave(const PadEffectInputs& inputs, PadEffectState& state, PadFrame& frame) {
  const LightingBlock& lighting = inputs.lighting;
  const std::uint8_t level = BrightnessLevel(lighting.brightness);
  if (lighting.seven_colour != 0) {
    StepWithin(state.position, kWheelLength, lighting.direction);
    RenderSevenColourWave(level, state, frame);
  } else {
    StepWithin(state.position, kWaveLength, lighting.direction);
    RenderFixedColourWave(lighting, level, state, frame);
  }
  return kNoPause;
}

// The seven-colour flag is not consulted: the cycle always goes round the wheel.
Clock::Duration RenderColourCycle(const PadEffectInputs& inputs, PadEffectState& state,
                                  PadFrame& frame) {
  StepWithin(state.position, kWheelLength, inputs.lighting.direction);
  const std::uint8_t level = BrightnessLevel(inputs.lighting.brightness);
  PaintAllLeds(frame, DimColour(kColourWheel[state.position], level), level);
  return kNoPause;
}

Clock::Duration RenderBreathing(const PadEffectInputs& inputs, PadEffectState& state,
                                PadFrame& frame) {
  const LightingBlock& lighting = inputs.lighting;
  StepWithin(state.position, kBreathLength, lighting.direction);
  const LedColour colour = lighting.seven_colour != 0
                               ? WheelColour(state.position + kBreathWheelOffset)
                               : FixedColour(lighting);
  const std::uint8_t level =
      ScaleLevel(kBreathCurve[state.position], BrightnessLevel(lighting.brightness));
  PaintAllLeds(frame, colour, level);
  return kNoPause;
}

Clock::Duration RenderStatic(const PadEffectInputs& inputs, PadEffectState&, PadFrame& frame) {
  const std::uint8_t level = BrightnessLevel(inputs.lighting.brightness);
  PaintAllLeds(frame, DimColour(FixedColour(inputs.lighting), level), level);
  return kNoPause;
}

// Always the colour wheel, whatever the seven-colour flag says.
Clock::Duration RenderColumnRainbow(const PadEffectInputs& inputs, PadEffectState& state,
                                    PadFrame& frame) {
  StepWithin(state.position, kWheelLength, inputs.lighting.direction);
  const std::uint8_t level = BrightnessLevel(inputs.lighting.brightness);
  for (std::size_t column = 0; column < kPadGridColumns; ++column) {
    PaintPadColumn(frame, column, WheelColour(state.position + kColumnWheelSpacing * column),
                   level);
  }
  return kNoPause;
}

}  // namespace vandrel
