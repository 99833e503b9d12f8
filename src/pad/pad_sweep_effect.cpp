// The pad's sweep: a band of six columns enters from the left and leaves on the right, rests a
// second, comes back from the right and leaves on the left, and rests again. The lit columns are
// the set bits of sweep_mask, which moves one bit per frame.
#include "keyboard/lighting/effect_drawing.h"
#include "pad/pad_effect_modes.h"

namespace vandrel {
namespace {

constexpr std::uint8_t kSweepEntering = 1;  // sweep_phase: the band travels left to right
constexpr std::uint16_t kEnteringMask = 0x3F00;
constexpr std::uint16_t kReturningMask = 0x00FC;
// Entering, column k shows bit kEnteringTopBit − k of the mask; returning, bit kReturningTopBit −
// k.
constexpr int kEnteringTopBit = 8;
constexpr int kReturningTopBit = 15;
constexpr std::uint8_t kLastEnteringStep = 14;
constexpr std::uint8_t kColumnHueStep = 20;
constexpr auto kRest = std::chrono::milliseconds(1000);

// Lights the columns whose bit of `mask` is set, each lit column 20 colour positions after the
// one before it; the others go dark.
void PaintBand(const LightingBlock& lighting, std::uint16_t mask, int top_bit,
               std::uint8_t first_hue, PadFrame& frame) {
  const std::uint8_t level = BrightnessLevel(lighting.brightness);
  std::uint8_t hue = first_hue;
  for (std::size_t column = 0; column < kPadGridColumns; ++column) {
    const int bit = top_bit - static_cast<int>(column);
    if (((mask >> bit) & 1) == 0) {
      PaintPadColumn(frame, column, {}, 0);
      continue;
    }
    PaintPadColumn(frame, column, ColourSource(lighting, hue), level);
    hue = Advance(hue, kColumnHueStep, kWheelLength);
  }
}

// The band's colours turn backwards round the wheel, whatever the direction.
std::uint8_t StepHueDown(PadEffectState& state) {
  StepWithin(state.position, kWheelLength, 0);
  return state.position;
}

Clock::Duration RenderEntering(const LightingBlock& lighting, PadEffectState& state,
                               PadFrame& frame) {
  const std::uint16_t mask = state.sweep_mask;
  state.sweep_mask = static_cast<std::uint16_t>(mask >> 1);
  if (state.sweep_steps++ == kLastEnteringStep) {
    state.sweep_phase = 0;
    state.sweep_mask = kReturningMask;
    return kRest;
  }
  PaintBand(lighting, mask, kEnteringTopBit, StepHueDown(state), frame);
  return kNoPause;
}

Clock::Duration RenderReturning(const LightingBlock& lighting, PadEffectState& state,
                                PadFrame& frame) {
  if (state.sweep_steps == 0) {
    state.sweep_phase = kSweepEntering;
    state.sweep_mask = kEnteringMask;
    return kRest;
  }
  PaintBand(lighting, state.sweep_mask, kReturningTopBit, StepHueDown(state), frame);
  state.sweep_mask = static_cast<std::uint16_t>(state.sweep_mask << 1);
  --state.sweep_steps;
  return kNoPause;
}

}  // namespace

// The frames that turn the band round leave the pad as it is and ask for a rest before sending.
Clock::Duration RenderSweep(const PadEffectInputs& inputs, PadEffectState& state, PadFrame& frame) {
  if (state.sweep_phase == kSweepEntering) return RenderEntering(inputs.lighting, state, frame);
  return RenderReturning(inputs.lighting, state, frame);
}

}  // namespace vandrel
