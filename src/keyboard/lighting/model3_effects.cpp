// Model 3 (six zones): every effect colours the keys of each zone for the preview and sets the
// zone's colour, which is what the keyboard receives.
#include "keyboard/lighting/model_effects.h"

namespace vandrel {
namespace {

constexpr std::uint8_t kWheel = kColourWheelColours;
constexpr std::uint8_t kWave = kWaveCurve.size();

// The zone's keys in `colour` at `level`, and what is sent for it.
void ShowZone(EffectState& state, KeyboardLedFrame& frame, std::size_t zone, LedColour colour,
              std::uint8_t level, LedColour sent) {
  PaintZone(frame, zone, colour, level);
  state.zone_colour[zone] = sent;
}

void ShowAllZones(EffectState& state, KeyboardLedFrame& frame, LedColour colour, std::uint8_t level,
                  LedColour sent) {
  for (std::size_t zone = 0; zone < kZoneCount; ++zone) {
    ShowZone(state, frame, zone, colour, level, sent);
  }
}

void RenderZoneWave(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const LightingBlock& lighting = inputs.lighting;
  const std::uint8_t brightness = BrightnessLevel(lighting.brightness);
  if (lighting.seven_colour != 0) {
    StepWithin(state.step, kWheel, lighting.direction);
    std::uint8_t position = state.step;
    for (std::size_t zone = 0; zone < kZoneCount; ++zone) {
      const LedColour colour = kColourWheel[position];
      ShowZone(state, frame, zone, colour, brightness, ScaleColour(colour, brightness));
      position = Advance(position, 7, kWheel);
    }
    return;
  }
  StepWithin(state.step, kWave, lighting.direction);
  const LedColour colour = FixedColour(lighting);
  std::uint8_t position = state.step;
  for (std::size_t zone = 0; zone < kZoneCount; ++zone) {
    position = Advance(position, 10, kWave);
    const std::uint8_t wave = kWaveCurve[position];
    ShowZone(state, frame, zone, colour, ScaleLevel(brightness, wave),
             ScaleColour(ScaleColour(colour, brightness), wave));
  }
}

void RenderColourCycle(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  StepWithin(state.step, kWheel, inputs.lighting.direction);
  const LedColour colour = kColourWheel[state.step];
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  ShowAllZones(state, frame, colour, brightness, ScaleColour(colour, brightness));
}

// Each breath (128 frames) may take a new colour drawn at random from the whole wheel storage.
void RenderRandomBreathing(const EffectInputs& inputs, EffectState& state,
                           KeyboardLedFrame& frame) {
  if (++state.step >= kBreathCurve.size()) {
    state.step = 0;
    state.breath_colour = inputs.random.NextByte();
  }
  const LedColour colour = ColourSource(inputs.lighting, state.breath_colour);
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  const std::uint8_t breath = kBreathCurve[state.step];
  ShowAllZones(state, frame, colour, ScaleLevel(brightness, breath),
               ScaleColour(ScaleColour(colour, brightness), breath));
}

void RenderStatic(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const LedColour colour = FixedColour(inputs.lighting);
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  ShowAllZones(state, frame, colour, brightness, ScaleColour(colour, brightness));
}

void RenderZoneRainbow(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  StepWithin(state.step, kWheel, inputs.lighting.direction);
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  std::uint8_t position = state.step;
  for (std::size_t zone = 0; zone < kZoneCount; ++zone) {
    const LedColour colour = kColourWheel[position];
    ShowZone(state, frame, zone, colour, brightness, ScaleColour(colour, brightness));
    position = Advance(position, 7, kWheel);
  }
}

// The keyboard animates this mode itself; the preview shows the keys dark.
void RenderSelfAnimated(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  ShowAllZones(state, frame, LedColour{}, BrightnessLevel(inputs.lighting.brightness),
               FixedColour(inputs.lighting));
}

// Each key shows its own entry of the custom set (indexed by slot); a zone sends its last key's.
void RenderCustom(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (std::size_t zone = 0; zone < kZoneCount; ++zone) {
    LedColour last;
    for (const std::uint8_t slot : kZoneTable[zone]) {
      if (slot == kNoLed) continue;
      const std::size_t offset = 3u * slot;
      last = {inputs.custom_colours[offset], inputs.custom_colours[offset + 1],
              inputs.custom_colours[offset + 2]};
      Paint(frame, slot, last, brightness);
    }
    state.zone_colour[zone] = ScaleColour(last, brightness);
  }
}

}  // namespace

// Modes past 7 have no renderer; mode 5 is animated by the keyboard and not streamed.
const std::array<EffectEntry, 8> kModel3Effects = {{
    {RenderZoneWave, 0, true},         // 0
    {RenderColourCycle, 0, true},      // 1
    {RenderRandomBreathing, 0, true},  // 2
    {RenderStatic, 0, true},           // 3
    {RenderZoneRainbow, 0, true},      // 4
    {RenderSelfAnimated, 0, false},    // 5
    {RenderZoneStack, 50, true},       // 6
    {RenderCustom, 0, true},           // 7
}};

}  // namespace vandrel
