// The pad's moving and reactive effects: the bar, the ripple and the flash on a mouse event.
#include <algorithm>

#include "keyboard/lighting/effect_drawing.h"
#include "pad/pad_effect_modes.h"

namespace vandrel {
namespace {

constexpr std::int8_t kBarTop = 14;  // the bar turns after passing this value, and after 0
constexpr std::uint8_t kBarWheelSpacing = 7;
constexpr std::uint8_t kRippleHueStep = 11;
constexpr std::uint8_t kFlashHueStep = 14;
constexpr auto kFlashLength = std::chrono::milliseconds(100);

// One step up or down; the bar turns one step beyond either end, so it runs −1 … 15 and back.
void StepBar(PadEffectState& state) {
  const std::int8_t old = state.bar;
  if (state.bar_falling) {
    state.bar = static_cast<std::int8_t>(old - 1);
    if (old == 0) state.bar_falling = false;
  } else {
    state.bar = static_cast<std::int8_t>(old + 1);
    if (old == kBarTop) state.bar_falling = true;
  }
}

// Triggered LEDs flare up; with the seven-colour flag each takes the next colour position.
void IgniteTriggered(bool seven_colour, PadEffectState& state) {
  for (std::size_t led = 0; led < kPadLedCount; ++led) {
    if (!state.trigger[led]) continue;
    state.intensity[led] = 255;
    if (!seven_colour) continue;
    state.hue_accumulator = static_cast<std::uint8_t>(state.hue_accumulator + kRippleHueStep);
    state.hue[led] = state.hue_accumulator;
  }
}

// Direction 0 passes every trigger on to the next higher LED, 1 to the next lower, round the U.
void RotateTriggers(std::uint8_t direction, PadEffectState& state) {
  auto& trigger = state.trigger;
  if (direction == 0) {
    std::rotate(trigger.begin(), trigger.end() - 1, trigger.end());
  } else {
    std::rotate(trigger.begin(), trigger.begin() + 1, trigger.end());
  }
}

// Bright sparks fade fast and dim ones slowly, leaving a long faint trail.
std::uint8_t DecayIntensity(std::uint8_t intensity) {
  int loss = 0;
  if (intensity >= 128) {
    loss = 30;
  } else if ((intensity & 0x40) != 0) {
    loss = 20;
  } else if ((intensity & 0x20) != 0) {
    loss = 10;
  } else if (intensity > 16) {
    loss = 5;
  } else if (intensity != 0) {
    loss = 1;
  }
  return static_cast<std::uint8_t>(intensity - loss);
}

void StartFlash(Clock::Duration now, PadEffectState& state) {
  state.flash_request = false;
  state.flash_active = true;
  state.flash_start = now;
  const int hue = state.flash_hue + kFlashHueStep;
  state.flash_hue = hue >= kWheelLength ? 0 : static_cast<std::uint8_t>(hue);
}

}  // namespace

Clock::Duration RenderBar(const PadEffectInputs& inputs, PadEffectState& state, PadFrame& frame) {
  const LightingBlock& lighting = inputs.lighting;
  StepBar(state);
  const std::uint8_t level = BrightnessLevel(lighting.brightness);
  for (std::size_t led = 0; led < kPadLedCount; ++led) {
    const int index = static_cast<int>(led);
    const bool lit = lighting.direction != 0 ? state.bar < index : index < state.bar;
    if (lit) {
      const auto wheel_position = static_cast<std::uint8_t>(kBarWheelSpacing * led);
      PaintLed(frame, led, ColourSource(lighting, wheel_position), level);
    } else {
      frame[led] = {};
    }
  }
  return kNoPause;
}

Clock::Duration RenderRipple(const PadEffectInputs& inputs, PadEffectState& state,
                             PadFrame& frame) {
  const LightingBlock& lighting = inputs.lighting;
  StepWithin(state.position, kWheelLength, lighting.direction);
  IgniteTriggered(lighting.seven_colour != 0, state);
  RotateTriggers(lighting.direction, state);
  const std::uint8_t level = BrightnessLevel(lighting.brightness);
  for (std::size_t led = 0; led < kPadLedCount; ++led) {
    state.intensity[led] = DecayIntensity(state.intensity[led]);
    const auto wheel_position = static_cast<std::uint8_t>(state.hue[led] % kWheelLength);
    PaintLed(frame, led, ColourSource(lighting, wheel_position),
             ScaleLevel(level, state.intensity[led]));
  }
  return kNoPause;
}

// A request starts a flash of at least kFlashLength: the frame that finds the time up still
// shows it, the next one is dark.
Clock::Duration RenderFlash(const PadEffectInputs& inputs, PadEffectState& state, PadFrame& frame) {
  if (state.flash_request) StartFlash(inputs.now, state);
  if (!state.flash_active) {
    frame.fill({});
    return kNoPause;
  }
  if (inputs.now - state.flash_start >= kFlashLength) state.flash_active = false;
  PaintAllLeds(frame, ColourSource(inputs.lighting, state.flash_hue),
               BrightnessLevel(inputs.lighting.brightness));
  return kNoPause;
}

}  // namespace vandrel
