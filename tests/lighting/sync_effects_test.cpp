// The synchronised effects' frames, worked out by hand from their rules for a few steps.
#include "lighting/sync_effects.h"

#include <gtest/gtest.h>

#include "keyboard/lighting/colour_tables.h"
#include "keyboard/lighting/led_maps.h"

namespace vandrel {
namespace {

constexpr std::uint8_t kFirstKeyOfZone0 = 0;  // the first slots of zones 0 and 5
constexpr std::uint8_t kFirstKeyOfZone5 = 38;
constexpr std::uint8_t kKeyInNoZone = 125;

LedEntry Entry(LedColour colour, std::uint8_t level) {
  return {colour.red, colour.green, colour.blue, level};
}

struct SyncFrames {
  KeyboardFrameImage keyboard;
  PadFrame pad{};
  std::uint8_t sync_step = 0;

  void Render(const LightingBlock& common) {
    RenderSyncFrame(common, sync_step, {&keyboard, &pad});
  }
};

TEST(SyncCycleTest, OneWheelColourEverywhereWithZonesDimmedByTheLevel) {
  SyncFrames frames;
  frames.Render({.mode = 1, .brightness = 0, .direction = 0});
  EXPECT_EQ(frames.sync_step, 191);
  // ColourWheel[191] is red; brightness 0 is level 45; the zones get 255 × 46 >> 8.
  for (const LedEntry& led : frames.pad) EXPECT_EQ(led, (LedEntry{255, 0, 0, 45}));
  EXPECT_EQ(frames.keyboard.leds[kFirstKeyOfZone5], (LedEntry{255, 0, 0, 45}));
  for (const LedColour& zone : frames.keyboard.zone_colour) EXPECT_EQ(zone, (LedColour{45, 0, 0}));
  EXPECT_EQ(frames.keyboard.leds[kKeyInNoZone], LedEntry{});
  frames.Render({.mode = 1, .brightness = 0, .direction = 1});
  EXPECT_EQ(frames.sync_step, 0);
}

TEST(SyncStaticTest, FixedColourAtTheLevelAndZonesScaledByLevelPlusOne) {
  SyncFrames frames;
  frames.Render({.mode = 3, .brightness = 14, .red = 200, .green = 100});
  EXPECT_EQ(frames.pad[7], (LedEntry{200, 100, 0, 255}));
  EXPECT_EQ(frames.keyboard.zone_colour[2], (LedColour{200, 100, 0}));
  frames.Render({.mode = 3, .brightness = 0, .red = 200, .green = 100});
  EXPECT_EQ(frames.pad[7], (LedEntry{200, 100, 0, 45}));
  // 200 × 46 >> 8 = 35, 100 × 46 >> 8 = 17.
  EXPECT_EQ(frames.keyboard.zone_colour[2], (LedColour{35, 17, 0}));
  EXPECT_EQ(frames.sync_step, 0);
}

TEST(SyncWaveTest, SevenColourPositionsAdvanceSevenAroundTheWheel) {
  SyncFrames frames;
  frames.sync_step = 191;
  frames.Render({.mode = 0, .brightness = 14, .direction = 1, .seven_colour = 1});
  EXPECT_EQ(frames.sync_step, 0);
  EXPECT_EQ(frames.pad[0], Entry(kColourWheel[0], 255));
  EXPECT_EQ(frames.pad[1], Entry(kColourWheel[7], 255));
  EXPECT_EQ(frames.pad[14], Entry(kColourWheel[98], 255));
  EXPECT_EQ(frames.keyboard.leds[kFirstKeyOfZone5], Entry(kColourWheel[35], 255));
  EXPECT_EQ(frames.keyboard.zone_colour[5], kColourWheel[35]);
}

TEST(SyncWaveTest, FixedColourRidesTheWaveCurveTenStepsApart) {
  SyncFrames frames;
  frames.sync_step = 95;
  const LightingBlock common{.mode = 0, .brightness = 14, .direction = 1, .red = 255};
  frames.Render(common);
  EXPECT_EQ(frames.sync_step, 0);
  // Position j is sync_step + 10 (j + 1) within 96; its zone colour uses the position before.
  EXPECT_EQ(frames.pad[0], (LedEntry{255, 0, 0, ScaleLevel(255, kWaveCurve[10])}));
  EXPECT_EQ(frames.pad[9], (LedEntry{255, 0, 0, ScaleLevel(255, kWaveCurve[4])}));
  EXPECT_EQ(frames.keyboard.leds[kFirstKeyOfZone0],
            (LedEntry{255, 0, 0, ScaleLevel(255, kWaveCurve[10])}));
  const auto red_of_zone = [](int wave) {
    return static_cast<std::uint8_t>(255 * (wave + 1) >> 8);
  };
  EXPECT_EQ(frames.keyboard.zone_colour[0], (LedColour{red_of_zone(kWaveCurve[0]), 0, 0}));
  EXPECT_EQ(frames.keyboard.zone_colour[3], (LedColour{red_of_zone(kWaveCurve[30]), 0, 0}));
}

TEST(SyncBreathTest, LevelFollowsTheBreathCurveAndZonesTakeTheColourUnscaled) {
  SyncFrames frames;
  frames.sync_step = 63;
  frames.Render({.mode = 2, .brightness = 14, .direction = 1, .seven_colour = 1});
  EXPECT_EQ(frames.sync_step, 64);
  EXPECT_EQ(frames.pad[3], Entry(kColourWheel[64], ScaleLevel(255, kBreathCurve[64])));
  EXPECT_EQ(frames.keyboard.zone_colour[1], kColourWheel[64]);
  frames.sync_step = 127;
  frames.Render({.mode = 2, .brightness = 14, .direction = 1, .green = 90});
  EXPECT_EQ(frames.sync_step, 0);
  EXPECT_EQ(frames.pad[3], (LedEntry{0, 90, 0, ScaleLevel(255, kBreathCurve[0])}));
  EXPECT_EQ(frames.keyboard.zone_colour[1], (LedColour{0, 90, 0}));
}

TEST(SyncFrameTest, OnlyTheFollowingDevicesAreWrittenAndUnknownModesWriteNothing) {
  PadFrame pad{};
  std::uint8_t step = 0;
  RenderSyncFrame({.mode = 3, .brightness = 14, .blue = 50}, step, {nullptr, &pad});
  EXPECT_EQ(pad[0], (LedEntry{0, 0, 50, 255}));
  pad.fill({1, 1, 1, 1});
  KeyboardFrameImage keyboard;
  RenderSyncFrame({.mode = 4, .brightness = 14}, step, {&keyboard, &pad});
  EXPECT_EQ(pad[0], (LedEntry{1, 1, 1, 1}));
  EXPECT_EQ(keyboard.leds[kFirstKeyOfZone0], LedEntry{});
  EXPECT_EQ(step, 0);
}

}  // namespace
}  // namespace vandrel
