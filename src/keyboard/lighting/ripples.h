// The reactive effects' building blocks: the decay of a key's level, and ripples that spread from
// a key over the LED matrix as growing diamonds (bit planes in EffectState).
#pragma once

#include <cstddef>
#include <cstdint>

#include "keyboard/lighting/effect_state.h"

namespace vandrel {

// One frame of fading: 128-255 lose 30, 64-127 lose 20, 32-63 lose 10, 17-31 lose 5, 9-16 lose
// 4, 1-8 go out.
void DecayLevel(EffectState& state, std::uint8_t slot);

// Starts a ripple at the key of `slot` (its first cell in the matrix, columns first); a slot that
// is not in the matrix starts nothing.
void TriggerRipple(EffectState& state, std::uint8_t slot);

// Moves every ripple one step: after k steps a single seed has become the ring of cells at
// Manhattan distance k.
void RippleStep(EffectState& state);

// Lights (level 255) every key a ripple covers; with `seven_colour` each newly lit key also takes
// the next colour position (colour_counter + 11).
void RippleToLevels(EffectState& state, bool seven_colour);

// Single-colour keyboards: level 254 for every key a ripple covers and 0 for every other key.
void RippleToLevelsMono(EffectState& state);

// Sets `bits` in `column` of every ripple plane.
void SetRippleBits(EffectState& state, std::size_t column, std::uint8_t bits);
// The OR of `column` over the four ripple planes.
[[nodiscard]] std::uint8_t RippleColumn(const EffectState& state, std::size_t column);

}  // namespace vandrel
