#include "keyboard/lighting/effect_state.h"

#include "keyboard/lighting/matrix_walk.h"
#include "keyboard/lighting/ripples.h"

namespace vandrel {
namespace {

// Pulse positions past the curve's end fold back by 63 (as bytes).
std::uint8_t FoldPulseStart(int value) {
  auto folded = static_cast<std::uint8_t>(value);
  if (folded >= 192) folded = static_cast<std::uint8_t>(folded - 63);
  return folded;
}

using Seed = void (*)(EffectState&);

// The seed of each mode of the per-key list (models 0 and 2); the groups' mask is cleared by the
// reset itself.
Seed PerKeySeed(std::uint8_t mode) {
  switch (mode) {
    case 10:
      return SeedRainbowPhases;
    case 12:
      return SeedRippleBottom;
    case 14:
      return SeedPulsePhases;
    case 15:
      return SeedRippleCorner;
    default:
      return nullptr;
  }
}

Seed SingleColourSeed(std::uint8_t mode) {
  switch (mode) {
    case 3:
    case 5:
      return SeedRippleBottom;
    case 4:
      return SeedRainbowPhases;
    case 8:
    case 11:
      return SeedPulseMatrix;
    case 9:
    case 15:
    case 16:
      return SeedPulseColumns;
    default:
      return nullptr;
  }
}

Seed SeedOf(std::uint8_t model, std::uint8_t mode) {
  switch (model) {
    case 0:
    case 2:
      return PerKeySeed(mode);
    case 1:
      return SingleColourSeed(mode);
    default:
      return nullptr;
  }
}

}  // namespace

void StartEffectMode(std::uint8_t model, std::uint8_t mode, EffectState& state) {
  ResetEffectState(state);
  SeedEffectMode(model, mode, state);
}

void SeedEffectMode(std::uint8_t model, std::uint8_t mode, EffectState& state) {
  if (const Seed seed = SeedOf(model, mode)) seed(state);
}

void ResetEffectState(EffectState& state) {
  state.phase.fill(0);
  state.level.fill(0);
  state.step = 0;
  state.colour_counter = 0;
  state.sweep_state = 0;
  state.group_mask = 0;
  for (auto& plane : state.planes) plane.fill(0);
}

void FlagWalkRestart(EffectState& state) { state.zone_stack.restart_flagged = true; }

void SeedRainbowPhases(EffectState& state) {
  int sum = 0;
  for (std::uint8_t& phase : state.phase) {
    sum += 33;
    if (sum > 192) sum -= 192;  // a sum of exactly 192 stays
    phase = static_cast<std::uint8_t>(sum);
  }
}

void SeedPulsePhases(EffectState& state) {
  ForEachMatrixKey([&](std::size_t column, std::size_t row, std::uint8_t slot) {
    state.level[slot] = kPulseStartPhases[column][row];
    state.phase[slot] = static_cast<std::uint8_t>(7 * column);
  });
}

void SeedRippleBottom(EffectState& state) { SetRippleBits(state, 9, 1 << 6); }

void SeedRippleCorner(EffectState& state) { SetRippleBits(state, 1, 1 << 0); }

void SeedPulseMatrix(EffectState& state) {
  ForEachMatrixKey([&](std::size_t column, std::size_t row, std::uint8_t slot) {
    state.pulse_phase[slot] = kPulseStartPhases[column][row];
  });
}

void SeedPulseColumns(EffectState& state) {
  for (std::size_t column = 0; column < kMatrixColumns; ++column) {
    std::uint8_t value = FoldPulseStart(157 - 8 * static_cast<int>(column));
    for (std::size_t row = 0; row < kMatrixRows; ++row) {
      const std::uint8_t slot = kLedMatrix[column][row];
      if (slot != kNoKeySlot) state.pulse_phase[slot] = value;
      value = FoldPulseStart(value - 35);
    }
  }
}

}  // namespace vandrel
