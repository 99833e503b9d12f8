// The mouse pad's lighting effects. The pad shows whatever the host sends, so every frame of its
// ten modes is computed here from the pad's LightingBlock and the running effect state. The
// engine does no I/O and never sleeps: it tells the lighting thread which pauses to take.
//
// Threads: the state and the frame belong to whoever renders. Nothing here is atomic, so the
// page's reset and the mouse's flash request must reach the state on the rendering thread (or
// under the lock that RenderPadFrame runs under).
#pragma once

#include <array>
#include <cstdint>

#include "core/clock.h"
#include "device/lighting_block.h"
#include "pad/pad_frame.h"

namespace vandrel {

struct PadEffectState {
  std::uint8_t position = 0;                           // the animation position
  std::array<std::uint8_t, kPadLedCount> hue{};        // ripple: each LED's colour position
  std::array<std::uint8_t, kPadLedCount> intensity{};  // ripple: each LED's fading intensity
  std::array<bool, kPadLedCount> trigger{};            // ripple: the LEDs lit next
  std::uint8_t hue_accumulator = 0;  // ripple: the last colour position handed out
  std::int8_t bar = 0;               // bar: -1 … 15
  bool bar_falling = false;
  std::uint16_t sweep_mask = 0;  // sweep: the lit columns, as bits
  std::uint8_t sweep_steps = 0;
  std::uint8_t sweep_phase = 0;  // 1 entering from the left, 0 returning from the right
  bool flash_request = false;    // flash: the mouse reported an event
  bool flash_active = false;
  Clock::Duration flash_start{0};
  std::uint8_t flash_hue = 0;  // flash: the colour position of the last flash, 0-191

  friend bool operator==(const PadEffectState&, const PadEffectState&) = default;
};

// Whether a frame rendered from `before`, leaving the state as `after`, is rendered again by every
// later call while the lighting stays the same: nothing moved, and no flash runs, which ends with
// time alone. The thread then need not render until the lighting or a request changes.
[[nodiscard]] inline bool PadEffectIsStill(const PadEffectState& before,
                                           const PadEffectState& after) {
  return before == after && !after.flash_active;
}

// Clears position, hue, intensity and trigger; the bar, sweep and flash keep theirs.
void ResetPadEffect(PadEffectState& state);

// Choosing the ripple mode lights its first spark at LED 0.
void StartPadRipple(PadEffectState& state);

// What choosing `mode` on the pad's page does to the effect state: ResetPadEffect and, in the
// ripple mode, its first spark.
void StartPadMode(std::uint8_t mode, PadEffectState& state);

// The mouse reported the event that flashes the pad.
void RequestPadFlash(PadEffectState& state);

// The pad lighting thread's pause between frames of `mode` at `speed` (0-14; above 14 counts as
// 14): 9 + 4 × speed ms; mode 9, which draws nothing, 5 + 4 × speed ms and none at speed 0.
[[nodiscard]] Clock::Duration PadFrameDelay(std::uint8_t mode, std::uint8_t speed);

// The further pause the thread takes before rendering a frame of the block's mode: the bar
// 100 + 10 × speed ms, the ripple 50 ms, the sweep 50 + 5 × speed ms, the others none.
[[nodiscard]] Clock::Duration PadPreDelay(const LightingBlock& lighting);

// Renders the next frame of `lighting.mode` into `frame`, advancing `state`; `now` times the
// flash. The result is a pause the thread takes before it sends the frame (the sweep rests a
// second at either edge), zero otherwise. Modes 9 and above leave the frame as it is.
[[nodiscard]] Clock::Duration RenderPadFrame(const LightingBlock& lighting, PadEffectState& state,
                                             PadFrame& frame, Clock::Duration now);

}  // namespace vandrel
