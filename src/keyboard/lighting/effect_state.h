// The keyboard lighting engine's data: the per-key frame it renders into, its running state, and
// the operations the lighting page performs on that state when a mode is chosen (reset, seeds,
// ripple at a clicked key, restart of the zone stack).
//
// Threads: the state and the frame belong to whoever renders. The page's operations below run on
// the rendering thread; the page reaches them through KeyboardEngineRequests (engine_requests.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "keyboard/lighting/colour_tables.h"
#include "keyboard/lighting/key_layout.h"
#include "keyboard/lighting/led_maps.h"

namespace vandrel {

inline constexpr std::size_t kFrameSlots = 126;

// One key of the frame: its colour and its level (0-255) by which the colour is dimmed when sent.
struct LedEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t level = 0;
  friend constexpr bool operator==(const LedEntry&, const LedEntry&) = default;
};

// One entry per key slot; entries an effect does not touch keep their last values.
using KeyboardLedFrame = std::array<LedEntry, kFrameSlots>;

// Model 3's zone stack: markers drop into zones and pile up, then the whole stack fades.
struct ZoneStack {
  enum class Phase : std::uint8_t { kWalking, kFading };

  std::uint8_t walk_level = 0;  // 255 while walking; falls while fading; 0 rebuilds the stack
  Phase walk_phase = Phase::kWalking;
  int walk_pos = 0;                              // the zone the next marker stops in; may leave 0-5
  std::array<bool, kZoneCount> walk_occupied{};  // zones holding a marker
  std::array<std::uint8_t, kZoneCount> walk_colour{};  // each zone's colour wheel position
  std::uint8_t walk_seed = 0;                          // the last colour position handed out
  bool restart_flagged = false;  // the direction changed: restart on the next frame
  friend bool operator==(const ZoneStack&, const ZoneStack&) = default;
};

struct EffectState {
  std::array<std::uint8_t, kFrameSlots> phase{};  // colour position of each key
  std::array<std::uint8_t, kFrameSlots> level{};  // intensity of each key (reactive, pulse)
  std::uint8_t colour_counter = 0;                // the colour position handed to the next key lit
  std::uint8_t step = 0;                          // main animation position
  std::uint8_t second_step = 0;                   // a second animation position
  std::uint8_t group_mask = 0;                    // bit 0 set: the twelve groups are drawn
  std::uint8_t sweep_state = 0;                   // 0-4, the sweep-and-ripple machine
  std::uint8_t twinkle_index = 0;                 // 0-103, position in kTwinkleOrder
  // Ripple bit planes: bit r of byte c is the key at column c, row r. Planes 0 and 3 travel
  // leftwards, 1 and 2 rightwards; 0 and 1 spread downwards, 2 and 3 upwards.
  std::array<std::array<std::uint8_t, kMatrixColumns>, 4> planes{};
  std::array<std::uint8_t, kFrameSlots> pulse_phase{};  // per-key pulse position (model 1)
  std::array<LedColour, kZoneCount> zone_colour{};      // what model 3 sends for each zone
  std::uint8_t breath_colour = 0;  // model 3's breathing: the colour drawn at random
  ZoneStack zone_stack;            // model 3's zone stack, untouched by ResetEffectState
  friend bool operator==(const EffectState&, const EffectState&) = default;
};

// Zeroes phase, level, step, colour_counter, sweep_state, group_mask and the ripple planes.
void ResetEffectState(EffectState& state);

// The zone stack restarts with the current direction on its next frame.
void FlagWalkRestart(EffectState& state);

// What choosing `mode` in a model's mode list does to the engine: ResetEffectState, then the
// mode's seed (models 0 and 2 share one list; the zone keyboard's modes have no seed).
void StartEffectMode(std::uint8_t model, std::uint8_t mode, EffectState& state);

// The seed of `mode` in a model's mode list alone, as a refresh of the lighting page applies it;
// modes without a seed change nothing.
void SeedEffectMode(std::uint8_t model, std::uint8_t mode, EffectState& state);

// Seeds, applied right after a mode is chosen.
// Per-key rainbow: phase of slot i = 33 × (i + 1) kept within 1-192.
void SeedRainbowPhases(EffectState& state);
// Pulsing keys: level from kPulseStartPhases, phase 7 × column.
void SeedPulsePhases(EffectState& state);
// A ripple below the bottom row of column 9.
void SeedRippleBottom(EffectState& state);
// A ripple at the top of column 1.
void SeedRippleCorner(EffectState& state);
// Pulse positions from kPulseStartPhases.
void SeedPulseMatrix(EffectState& state);
// Pulse positions falling by column and row, so that the pulse rolls across the keyboard.
void SeedPulseColumns(EffectState& state);

}  // namespace vandrel
