// Model 3's zone stack: coloured markers enter at one end of the keyboard, walk to the far end and
// pile up there until every zone holds one; then the whole stack fades out and a new one starts.
#include "keyboard/lighting/model_effects.h"

namespace vandrel {
namespace {

constexpr int kLastZone = static_cast<int>(kZoneCount) - 1;
constexpr std::uint8_t kSeedStep = 7;

// The zone where markers enter: zone 0 when walking rightwards (direction 0), zone 5 leftwards.
int EntryZone(std::uint8_t direction) { return direction == 0 ? 0 : kLastZone; }
int FarZone(std::uint8_t direction) { return direction == 0 ? kLastZone : 0; }

void Restart(ZoneStack& stack, std::uint8_t direction) {
  stack.walk_phase = ZoneStack::Phase::kWalking;
  stack.walk_level = 0;
  stack.walk_seed = 0;
  stack.walk_pos = FarZone(direction);
  stack.walk_occupied[static_cast<std::size_t>(EntryZone(direction))] = true;
  stack.restart_flagged = false;
}

// Empties every zone (drawn dark) and gives each a new colour; the first marker enters.
void Rebuild(EffectState& state, KeyboardLedFrame& frame, std::uint8_t direction,
             std::uint8_t brightness) {
  ZoneStack& stack = state.zone_stack;
  for (std::size_t zone = kZoneCount; zone-- > 0;) {
    stack.walk_occupied[zone] = false;
    PaintZone(frame, zone, LedColour{}, brightness);
    state.zone_colour[zone] = {};
    stack.walk_seed = Advance(stack.walk_seed, kSeedStep, kColourWheelColours);
    stack.walk_colour[zone] = stack.walk_seed;
  }
  stack.walk_level = 255;
  stack.walk_phase = ZoneStack::Phase::kWalking;
  stack.walk_occupied[static_cast<std::size_t>(EntryZone(direction))] = true;
  stack.walk_pos = FarZone(direction);
}

// The moving marker steps one zone on; a marker that reaches walk_pos stays, and the next one
// enters. When the stop passes the entry zone, the stack is full and starts to fade.
void MoveMarkers(ZoneStack& stack, std::uint8_t direction) {
  auto& occupied = stack.walk_occupied;
  const int toward = direction == 0 ? 1 : -1;
  const int entry = EntryZone(direction);
  if (occupied[static_cast<std::size_t>(stack.walk_pos)]) {
    stack.walk_pos -= toward;
    occupied[static_cast<std::size_t>(entry)] = true;
    if (stack.walk_pos < 0 || stack.walk_pos > kLastZone) {
      stack.walk_phase = ZoneStack::Phase::kFading;
    }
    return;
  }
  // The zones between the entry and the stop shift one zone towards the stop.
  for (int zone = stack.walk_pos; zone != entry; zone -= toward) {
    occupied[static_cast<std::size_t>(zone)] = occupied[static_cast<std::size_t>(zone - toward)];
  }
  occupied[static_cast<std::size_t>(entry)] = false;
}

void Walk(EffectState& state, KeyboardLedFrame& frame, std::uint8_t direction,
          std::uint8_t brightness) {
  ZoneStack& stack = state.zone_stack;
  for (std::size_t zone = 0; zone < kZoneCount; ++zone) {
    const LedColour colour =
        stack.walk_occupied[zone] ? kColourWheel[stack.walk_colour[zone]] : LedColour{};
    PaintZone(frame, zone, colour, brightness);
    state.zone_colour[zone] = ScaleColour(colour, brightness);
  }
  MoveMarkers(stack, direction);
}

std::uint8_t FadeStep(std::uint8_t level) {
  if (level >= 128) return 40;
  if (level >= 64) return 30;
  if (level >= 32) return 10;
  if (level >= 17) return 8;
  if (level >= 9) return 1;
  return level;
}

void Fade(EffectState& state, KeyboardLedFrame& frame, std::uint8_t brightness) {
  ZoneStack& stack = state.zone_stack;
  stack.walk_level = static_cast<std::uint8_t>(stack.walk_level - FadeStep(stack.walk_level));
  const std::uint8_t level = ScaleLevel(brightness, stack.walk_level);
  for (std::size_t zone = 0; zone < kZoneCount; ++zone) {
    const LedColour colour = kColourWheel[stack.walk_colour[zone]];
    PaintZone(frame, zone, colour, level);
    state.zone_colour[zone] = ScaleColour(ScaleColour(colour, brightness), stack.walk_level);
  }
}

}  // namespace

void RenderZoneStack(const EffectInputs& inputs, EffectState& state, KeyboardLedFrame& frame) {
  const std::uint8_t direction = inputs.lighting.direction;
  const std::uint8_t brightness = BrightnessLevel(inputs.lighting.brightness);
  ZoneStack& stack = state.zone_stack;
  if (stack.restart_flagged) Restart(stack, direction);
  if (stack.walk_level == 0) {
    Rebuild(state, frame, direction, brightness);
  } else if (stack.walk_phase == ZoneStack::Phase::kWalking) {
    Walk(state, frame, direction, brightness);
  } else {
    Fade(state, frame, brightness);
  }
}

}  // namespace vandrel
