// The pad's effects by mode and the drawing helpers they share. Internal to the pad's effect
// engine; the lighting thread uses pad_effects.h.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

#include "keyboard/lighting/colour_tables.h"
#include "pad/pad_effects.h"

namespace vandrel {

// What one frame is rendered from.
struct PadEffectInputs {
  const LightingBlock& lighting;
  Clock::Duration now;
};

// One effect: renders the next frame and returns the pause to take before sending it.
using PadRenderer = Clock::Duration (*)(const PadEffectInputs&, PadEffectState&, PadFrame&);

struct PadEffectEntry {
  PadRenderer render = nullptr;
  // The extra pause before rendering: base + per_speed × speed.
  std::uint8_t pre_delay_base_ms = 0;
  std::uint8_t pre_delay_per_speed_ms = 0;
};

// Modes 0-8; mode 9 and above draw nothing.
extern const std::array<PadEffectEntry, 9> kPadEffects;

inline constexpr Clock::Duration kNoPause{0};
inline constexpr std::uint8_t kWheelLength = kColourWheelColours;
inline constexpr std::uint8_t kWaveLength = kWaveCurve.size();
inline constexpr std::uint8_t kBreathLength = kBreathCurve.size();

// The colour wheel at a position written as a sum, which goes round the wheel's 192 colours.
[[nodiscard]] inline LedColour WheelColour(std::size_t position) {
  return kColourWheel[position % kColourWheelColours];
}

// factor × each channel >> 8; factors run up to 256, which keeps the colour as it is.
[[nodiscard]] constexpr LedColour ScaleColourBy(LedColour colour, int factor) {
  return {static_cast<std::uint8_t>(factor * colour.red >> 8),
          static_cast<std::uint8_t>(factor * colour.green >> 8),
          static_cast<std::uint8_t>(factor * colour.blue >> 8)};
}

// A colour dimmed by a level before it is sent: (level + 1) × channel >> 8, so that level 255
// keeps full channels at 255.
[[nodiscard]] constexpr LedColour DimColour(LedColour colour, std::uint8_t level) {
  return ScaleColourBy(colour, level + 1);
}

inline void PaintLed(PadFrame& frame, std::size_t led, LedColour colour, std::uint8_t level) {
  frame[led] = {colour.red, colour.green, colour.blue, level};
}

inline void PaintAllLeds(PadFrame& frame, LedColour colour, std::uint8_t level) {
  for (std::size_t led = 0; led < kPadLedCount; ++led) PaintLed(frame, led, colour, level);
}

// The LEDs of one column of kPadLedGrid.
void PaintPadColumn(PadFrame& frame, std::size_t column, LedColour colour, std::uint8_t level);

Clock::Duration RenderWave(const PadEffectInputs& inputs, PadEffectState& state, PadFrame& frame);
Clock::Duration RenderColourCycle(const PadEffectInputs& inputs, PadEffectState& state,
                                  PadFrame& frame);
Clock::Duration RenderBreathing(const PadEffectInputs& inputs, PadEffectState& state,
                                PadFrame& frame);
Clock::Duration RenderStatic(const PadEffectInputs& inputs, PadEffectState& state, PadFrame& frame);
Clock::Duration RenderBar(const PadEffectInputs& inputs, PadEffectState& state, PadFrame& frame);
Clock::Duration RenderRipple(const PadEffectInputs& inputs, PadEffectState& state, PadFrame& frame);
Clock::Duration RenderColumnRainbow(const PadEffectInputs& inputs, PadEffectState& state,
                                    PadFrame& frame);
Clock::Duration RenderSweep(const PadEffectInputs& inputs, PadEffectState& state, PadFrame& frame);
Clock::Duration RenderFlash(const PadEffectInputs& inputs, PadEffectState& state, PadFrame& frame);

}  // namespace vandrel
