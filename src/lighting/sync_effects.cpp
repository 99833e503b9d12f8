#include "lighting/sync_effects.h"

#include <array>

#include "keyboard/lighting/colour_tables.h"
#include "keyboard/lighting/effect_drawing.h"

namespace vandrel {
namespace {

constexpr std::uint8_t kWheel = kColourWheelColours;
constexpr std::uint8_t kWave = kWaveCurve.size();
constexpr std::uint8_t kBreath = kBreathCurve.size();

// A colour × (level + 1) >> 8: full level keeps the colour whole.
LedColour DimBy(LedColour colour, std::uint8_t level) {
  const auto dim = [level](std::uint8_t channel) {
    return static_cast<std::uint8_t>((channel * (level + 1)) >> 8);
  };
  return {dim(colour.red), dim(colour.green), dim(colour.blue)};
}

// Keyboard zone `zone` (0-5) at its position of the effect: its keys show `colour` at `level`, its
// LEDs are sent `zone_colour`.
void PaintKeyboardZone(KeyboardFrameImage& image, std::size_t zone, LedColour colour,
                       std::uint8_t level, LedColour zone_colour) {
  PaintZone(image.leds, zone, colour, level);
  image.zone_colour[zone] = zone_colour;
}

// Every zone and every pad LED alike.
void PaintAll(const SyncTargets& targets, LedColour colour, std::uint8_t level,
              LedColour zone_colour) {
  if (targets.keyboard != nullptr) {
    for (std::size_t zone = 0; zone < kZoneCount; ++zone) {
      PaintKeyboardZone(*targets.keyboard, zone, colour, level, zone_colour);
    }
  }
  if (targets.pad != nullptr) targets.pad->fill({colour.red, colour.green, colour.blue, level});
}

void PaintPosition(const SyncTargets& targets, std::size_t position, LedColour colour,
                   std::uint8_t level, LedColour zone_colour) {
  if (targets.keyboard != nullptr && position < kZoneCount) {
    PaintKeyboardZone(*targets.keyboard, position, colour, level, zone_colour);
  }
  if (targets.pad != nullptr)
    (*targets.pad)[position] = {colour.red, colour.green, colour.blue, level};
}

// Fifteen positions, the first six of which are also the keyboard's zones.
void SyncWave(const LightingBlock& common, std::uint8_t& sync_step, const SyncTargets& targets) {
  const std::uint8_t level = BrightnessLevel(common.brightness);
  if (common.seven_colour != 0) {
    StepWithin(sync_step, kWheel, common.direction);
    std::uint8_t position = sync_step;
    for (std::size_t j = 0; j < kPadLedCount; ++j) {
      const LedColour colour = kColourWheel[position];
      PaintPosition(targets, j, colour, level, DimBy(colour, level));
      position = Advance(position, 7, kWheel);
    }
    return;
  }
  StepWithin(sync_step, kWave, common.direction);
  const LedColour fixed = FixedColour(common);
  const LedColour dimmed = DimBy(fixed, level);
  std::uint8_t position = sync_step;
  for (std::size_t j = 0; j < kPadLedCount; ++j) {
    const std::uint8_t before = position;
    position = Advance(position, 10, kWave);
    PaintPosition(targets, j, fixed, ScaleLevel(level, kWaveCurve[position]),
                  DimBy(dimmed, kWaveCurve[before]));
  }
}

void SyncCycle(const LightingBlock& common, std::uint8_t& sync_step, const SyncTargets& targets) {
  StepWithin(sync_step, kWheel, common.direction);
  const std::uint8_t level = BrightnessLevel(common.brightness);
  const LedColour colour = kColourWheel[sync_step];
  PaintAll(targets, colour, level, DimBy(colour, level));
}

void SyncBreath(const LightingBlock& common, std::uint8_t& sync_step, const SyncTargets& targets) {
  StepWithin(sync_step, kBreath, common.direction);
  const LedColour colour = ColourSource(common, sync_step);
  const std::uint8_t level =
      ScaleLevel(BrightnessLevel(common.brightness), kBreathCurve[sync_step]);
  PaintAll(targets, colour, level, colour);
}

void SyncStatic(const LightingBlock& common, const SyncTargets& targets) {
  const std::uint8_t level = BrightnessLevel(common.brightness);
  const LedColour colour = FixedColour(common);
  PaintAll(targets, colour, level, DimBy(colour, level));
}

}  // namespace

void RenderSyncFrame(const LightingBlock& common, std::uint8_t& sync_step,
                     const SyncTargets& targets) {
  switch (common.mode) {
    case 0:
      return SyncWave(common, sync_step, targets);
    case 1:
      return SyncCycle(common, sync_step, targets);
    case 2:
      return SyncBreath(common, sync_step, targets);
    case 3:
      return SyncStatic(common, targets);
    default:
      return;
  }
}

}  // namespace vandrel
