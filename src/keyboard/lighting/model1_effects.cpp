// Model 1 (single-colour backlight): the keyboard animates itself, so these effects only drive the
// preview and write nothing but the level of each key.
#include "keyboard/lighting/model_effects.h"
#include "keyboard/lighting/ripples.h"

namespace vandrel {
namespace {

constexpr std::uint8_t kWave = kWaveCurve.size();
constexpr std::size_t kPulsingKeys = 106;  // the first keys of kKeyPath
constexpr std::uint8_t kSnakeEnd = 106;    // the last position of kSnakePath
constexpr std::uint8_t kSnakeColourStep = 13;

void RenderColumnWave(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  StepWithin(state.step, kWave, inputs.lighting.direction);
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  std::uint8_t position = state.step;
  for (std::size_t column = 0; column < kMatrixColumns; ++column) {
    PaintColumnLevel(frame, column, ScaleLevel(brightness, kWaveCurve[position]));
    position = Advance(position, 7, kWave);
  }
}

void RenderBreathing(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  if (++state.step >= kBreathCurve.size()) state.step = 0;
  const std::uint8_t level =
      ScaleLevel(BrightnessLevel(inputs.lighting.brightness), kBreathCurve[state.step]);
  for (std::uint8_t slot = 0; slot < kFrameSlots; ++slot) PaintLevel(frame, slot, level);
}

void RenderStatic(const EffectInputs& inputs, EffectState&, KeyboardLedFrame& frame) {
  const std::uint8_t level = BrightnessLevel(inputs.lighting.brightness);
  for (std::uint8_t slot = 0; slot < kFrameSlots; ++slot) PaintLevel(frame, slot, level);
}

void RenderRipples(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  RippleToLevelsMono(state);
  RippleStep(state);
  // A ripple that has shrunk to the top or the bottom of column 9 starts again there.
  const std::uint8_t bits = RippleColumn(state, 9);
  if (bits == 1) SetRippleBits(state, 9, 0b11);
  if (bits == 96) SetRippleBits(state, 9, 0b110'0000);
  ShowFadingPathLevels(inputs, state, frame);
}

void RenderSweepLevels(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  AdvanceSweep(state, inputs.lighting.seven_colour != 0);
  ShowFadingPathLevels(inputs, state, frame);
}

void RenderSerpentine(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  StepWithin(state.step, kWave, inputs.lighting.direction);
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  std::uint8_t position = state.step;
  for (const std::uint8_t slot : kKeyPath) {
    PaintLevel(frame, slot, ScaleLevel(brightness, kWaveCurve[position]));
    position = Advance(position, 5, kWave);
  }
}

// Painted keys (255) at L, unpainted ones (0) and slots without a position dark.
void RenderCustom(const EffectInputs& inputs, EffectState&, KeyboardLedFrame& frame) {
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (std::uint8_t slot = 0; slot < kFrameSlots; ++slot) {
    const std::uint8_t position = kLedMap1[slot];
    const std::uint8_t painted = position == kNoLed ? 0 : inputs.custom_colours[position];
    PaintLevel(frame, slot, ScaleLevel(brightness, painted));
  }
}

void RenderTwinkleLevels(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  for (std::uint8_t i = 0; i < 3; ++i) {
    if (++state.twinkle_index >= kTwinkleOrder.size()) state.twinkle_index = 0;
    LightKey(state, kKeyPath[kTwinkleOrder[state.twinkle_index]], true, 10);
  }
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (std::uint8_t slot = 0; slot < kFrameSlots; ++slot) {
    DecayLevel(state, slot);
    PaintLevel(frame, slot, ScaleLevel(brightness, state.level[slot]));
  }
}

void RenderPulse(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (std::size_t i = 0; i < kPulsingKeys; ++i) {
    const std::uint8_t slot = kKeyPath[i];
    std::uint8_t& pulse = state.pulse_phase[slot];
    if (++pulse >= kPulseCurve.size()) pulse = 0;
    PaintLevel(frame, slot, ScaleLevel(kPulseCurve[pulse], brightness));
  }
}

// The snake's head position, or kNoKeySlot on the frame in which the snake turns round.
std::uint8_t MoveSnake(EffectState& state, std::uint8_t direction) {
  std::uint8_t& head = state.second_step;
  if (direction != 0) {
    if (head < kSnakeEnd) return kSnakePath[head++];
    head = 0;
    return kNoKeySlot;
  }
  if (head > kSnakeEnd) head = kSnakeEnd;  // left out of range by another mode
  if (head > 0) return kSnakePath[head--];
  head = kSnakeEnd;
  return kNoKeySlot;
}

void RenderSnake(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const std::uint8_t slot = MoveSnake(state, inputs.lighting.direction);
  if (slot != kNoKeySlot) {
    state.level[slot] = 254;
    state.colour_counter = static_cast<std::uint8_t>(state.colour_counter + kSnakeColourStep);
    state.phase[slot] = state.colour_counter;
  }
  ShowFadingPathLevels(inputs, state, frame);
}

}  // namespace

// Modes 11-16 have no renderer; nothing of model 1 is streamed.
const std::array<EffectEntry, 11> kModel1Effects = {{
    {RenderColumnWave, 0, false},       // 0
    {RenderBreathing, 0, false},        // 1
    {RenderStatic, 0, false},           // 2
    {RenderRipples, 80, false},         // 3
    {RenderSweepLevels, 15, false},     // 4
    {RenderSerpentine, 1, false},       // 5
    {RenderCustom, 0, false},           // 6
    {RenderTwinkleLevels, 100, false},  // 7
    {RenderPulse, 0, false},            // 8
    {RenderPulse, 0, false},            // 9
    {RenderSnake, 0, false},            // 10
}};

}  // namespace vandrel
