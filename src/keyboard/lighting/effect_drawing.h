// Helpers the keyboard effects share: stepping animation positions, the colour source of a key,
// and writing keys, columns, rows and zones of the frame.
#pragma once

#include <cstddef>
#include <cstdint>

#include "keyboard/lighting/effect_inputs.h"
#include "keyboard/lighting/effect_state.h"

namespace vandrel {

// One effect: renders a frame from the inputs into the state and the frame.
using EffectRenderer = void (*)(const EffectInputs&, EffectState&, KeyboardLedFrame&);

// Position + 1 when `direction` is non-zero (count → 0), else − 1 (below 0 → count − 1). A
// position another mode left outside 0 … count − 1 restarts inside it.
void StepWithin(std::uint8_t& position, std::uint8_t count, std::uint8_t direction);

// Position + k, less count when the sum reaches count.
[[nodiscard]] constexpr std::uint8_t Advance(std::uint8_t position, std::uint8_t k,
                                             std::uint8_t count) {
  const int sum = position + k;
  return static_cast<std::uint8_t>(sum >= count ? sum - count : sum);
}

[[nodiscard]] constexpr LedColour FixedColour(const LightingBlock& lighting) {
  return {lighting.red, lighting.green, lighting.blue};
}

// The colour wheel at `wheel_position` with the seven-colour flag, the fixed colour without.
[[nodiscard]] LedColour ColourSource(const LightingBlock& lighting, std::uint8_t wheel_position);

inline void Paint(KeyboardLedFrame& frame, std::uint8_t slot, LedColour colour,
                  std::uint8_t level) {
  frame[slot] = {colour.red, colour.green, colour.blue, level};
}

inline void PaintLevel(KeyboardLedFrame& frame, std::uint8_t slot, std::uint8_t level) {
  frame[slot].level = level;
}

void PaintColumn(KeyboardLedFrame& frame, std::size_t column, LedColour colour, std::uint8_t level);
void PaintColumnLevel(KeyboardLedFrame& frame, std::size_t column, std::uint8_t level);
void PaintRow(KeyboardLedFrame& frame, std::size_t row, LedColour colour, std::uint8_t level);
void PaintZone(KeyboardLedFrame& frame, std::size_t zone, LedColour colour, std::uint8_t level);

// Level 255 for a key hit by a sweep or twinkle; with the seven-colour flag the key also takes
// colour_counter advanced by `colour_step` as its colour position.
void LightKey(EffectState& state, std::uint8_t slot, bool seven_colour, std::uint8_t colour_step);

// The reactive effects' rendering of kKeyPath: every key decays and shows its colour source (its
// own phase on the colour wheel) at L × its level. The Levels variant writes levels only.
void ShowFadingPath(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame);
void ShowFadingPathLevels(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame);

// Advances the sweep-and-ripple machine (sweep_state, with step as its counter) by one frame.
void AdvanceSweep(EffectState& state, bool seven_colour);

}  // namespace vandrel
