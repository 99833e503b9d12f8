// The pieces the reactive effects (twinkle, ripples, sweep) share.
#include "keyboard/lighting/effect_drawing.h"
#include "keyboard/lighting/ripples.h"

namespace vandrel {
namespace {

// The key that the sweep's ripple starts from, and the keys whose level tells the machine that
// the flicker has died down, that the ripple has reached the far corner and that it has passed.
constexpr std::uint8_t kRippleOrigin = 52;
constexpr std::uint8_t kFlickerWatch = 72;
constexpr std::uint8_t kCornerWatch = 105;
constexpr std::uint8_t kSweepColourStep = 11;
constexpr std::uint8_t kLastFlickerStep = 30;

enum SweepState : std::uint8_t { kSweeping, kFlickering, kRippleStart, kRippling, kRippleEnd };

void LightSweepColumn(EffectState& state, bool seven_colour) {
  if (state.step >= kSweepColumns.size()) return;
  for (const std::uint8_t slot : kSweepColumns[state.step]) {
    if (slot != kNoSweepSlot) LightKey(state, slot, seven_colour, kSweepColourStep);
  }
}

void Restart(EffectState& state, std::uint8_t sweep_state) {
  state.sweep_state = sweep_state;
  state.step = 0;
}

}  // namespace

void LightKey(EffectState& state, std::uint8_t slot, bool seven_colour, std::uint8_t colour_step) {
  state.level[slot] = 255;
  if (!seven_colour) return;
  state.colour_counter = static_cast<std::uint8_t>(state.colour_counter + colour_step);
  state.phase[slot] = state.colour_counter;
}

void ShowFadingPath(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (const std::uint8_t slot : kKeyPath) {
    DecayLevel(state, slot);
    Paint(frame, slot, ColourSource(inputs.lighting, state.phase[slot]),
          ScaleLevel(brightness, state.level[slot]));
  }
}

void ShowFadingPathLevels(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  for (const std::uint8_t slot : kKeyPath) {
    DecayLevel(state, slot);
    PaintLevel(frame, slot, ScaleLevel(brightness, state.level[slot]));
  }
}

void AdvanceSweep(EffectState& state, bool seven_colour) {
  switch (state.sweep_state) {
    case kSweeping:
      LightSweepColumn(state, seven_colour);
      if (++state.step >= kSweepColumns.size()) Restart(state, kFlickering);
      return;
    case kFlickering:
      if (state.step <= kLastFlickerStep) {
        for (const std::uint8_t slot : kSweepPairs[state.step % kSweepPairs.size()]) {
          LightKey(state, slot, seven_colour, kSweepColourStep);
        }
        ++state.step;
      } else if (state.level[kFlickerWatch] == 0) {
        Restart(state, kRippleStart);
      }
      return;
    case kRippleStart:
      TriggerRipple(state, kRippleOrigin);
      state.sweep_state = kRippling;
      return;
    case kRippling:
      RippleToLevels(state, seven_colour);
      RippleStep(state);
      if (state.level[kCornerWatch] != 0) state.sweep_state = kRippleEnd;
      return;
    case kRippleEnd:
      if (state.level[kCornerWatch] == 0) Restart(state, kSweeping);
      return;
    default:  // a state no frame can reach: start over
      Restart(state, kSweeping);
      return;
  }
}

}  // namespace vandrel
