#include "pad/pad_effects.h"

#include <algorithm>

#include "pad/pad_effect_modes.h"

namespace vandrel {
namespace {

constexpr std::uint8_t kFastestSpeed = 0;
constexpr std::uint8_t kSlowestSpeed = 14;
// Mode 9 draws nothing; at its fastest speed the thread does not pause between frames at all.
constexpr std::uint8_t kIdleMode = 9;
constexpr std::uint8_t kRippleMode = 5;

// A speed above the slowest counts as the slowest.
int ClampedSpeed(std::uint8_t speed) { return std::min(speed, kSlowestSpeed); }

const PadEffectEntry* FindEffect(std::uint8_t mode) {
  return mode < kPadEffects.size() ? &kPadEffects[mode] : nullptr;
}

}  // namespace

const std::array<PadEffectEntry, 9> kPadEffects = {{
    {RenderWave, 0, 0},
    {RenderColourCycle, 0, 0},
    {RenderBreathing, 0, 0},
    {RenderStatic, 0, 0},
    {RenderBar, 100, 10},
    {RenderRipple, 50, 0},
    {RenderColumnRainbow, 0, 0},
    {RenderSweep, 50, 5},
    {RenderFlash, 0, 0},
}};

void ResetPadEffect(PadEffectState& state) {
  state.position = 0;
  state.hue.fill(0);
  state.intensity.fill(0);
  state.trigger.fill(false);
}

void StartPadRipple(PadEffectState& state) { state.trigger[0] = true; }

void StartPadMode(std::uint8_t mode, PadEffectState& state) {
  ResetPadEffect(state);
  if (mode == kRippleMode) StartPadRipple(state);
}

void RequestPadFlash(PadEffectState& state) { state.flash_request = true; }

// Modes past 9 draw nothing either, but pause like the drawing modes so that the thread does not
// resend an unchanging frame as fast as it can.
Clock::Duration PadFrameDelay(std::uint8_t mode, std::uint8_t speed) {
  if (mode == kIdleMode && speed == kFastestSpeed) return kNoPause;
  const int base_ms = mode == kIdleMode ? 5 : 9;
  return std::chrono::milliseconds(base_ms + 4 * ClampedSpeed(speed));
}

Clock::Duration PadPreDelay(const LightingBlock& lighting) {
  const PadEffectEntry* effect = FindEffect(lighting.mode);
  if (effect == nullptr) return kNoPause;
  return std::chrono::milliseconds(effect->pre_delay_base_ms +
                                   effect->pre_delay_per_speed_ms * ClampedSpeed(lighting.speed));
}

Clock::Duration RenderPadFrame(const LightingBlock& lighting, PadEffectState& state,
                               PadFrame& frame, Clock::Duration now) {
  const PadEffectEntry* effect = FindEffect(lighting.mode);
  if (effect == nullptr) return kNoPause;
  return effect->render({lighting, now}, state, frame);
}

}  // namespace vandrel
