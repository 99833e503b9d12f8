// The constant lighting tables against their documented values and shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

#include "keyboard/lighting/colour_tables.h"
#include "keyboard/lighting/key_layout.h"
#include "keyboard/lighting/led_maps.h"

namespace vandrel {
namespace {

TEST(ColourTables, BrightnessRunsFrom45To255InStepsOf15) {
  EXPECT_EQ(kBrightnessCurve.front(), 45);
  EXPECT_EQ(kBrightnessCurve[7], 150);
  EXPECT_EQ(kBrightnessCurve.back(), 255);
  EXPECT_EQ(BrightnessLevel(200), 255) << "an out-of-range brightness counts as the brightest";
}

TEST(ColourTables, ColourWheelSpotChecks) {
  EXPECT_EQ(kColourWheel[0], (LedColour{255, 1, 0}));
  EXPECT_EQ(kColourWheel[31], (LedColour{255, 255, 0}));
  EXPECT_EQ(kColourWheel[191], (LedColour{255, 0, 0}));
  EXPECT_EQ(kColourWheel[7], (LedColour{255, 22, 0}));
  EXPECT_EQ(kColourWheel[42], (LedColour{124, 255, 0}));
}

TEST(ColourTables, ColourWheelSegmentsEndAtTheSixHues) {
  // The first and last entry of each segment: one channel moves, the others hold 255 and 0.
  const LedColour first[] = {{255, 1, 0},   {248, 255, 0}, {0, 255, 1},
                             {0, 248, 255}, {1, 0, 255},   {255, 0, 248}};
  const LedColour last[] = {{255, 255, 0}, {0, 255, 0},   {0, 255, 255},
                            {0, 0, 255},   {255, 0, 255}, {255, 0, 0}};
  for (std::size_t segment = 0; segment < 6; ++segment) {
    EXPECT_EQ(kColourWheel[32 * segment], first[segment]) << "segment " << segment;
    EXPECT_EQ(kColourWheel[32 * segment + 31], last[segment]) << "segment " << segment;
  }
}

TEST(ColourTables, ColourWheelStorageRepeatsItsFirst64Colours) {
  for (std::size_t i = 192; i < 256; ++i) EXPECT_EQ(kColourWheel[i], kColourWheel[i - 192]);
}

TEST(ColourTables, WaveAndBreathRiseAndFallSymmetrically) {
  EXPECT_EQ(kWaveCurve[0], 22);
  EXPECT_EQ(kWaveCurve[9], 49);
  EXPECT_EQ(kWaveCurve[47], 255);
  EXPECT_EQ(kWaveCurve[48], 255);
  EXPECT_EQ(kWaveCurve[95], 22);
  EXPECT_TRUE(std::equal(kWaveCurve.begin(), kWaveCurve.end(), kWaveCurve.rbegin()));
  EXPECT_EQ(kBreathCurve[10], 10);
  EXPECT_EQ(kBreathCurve[11], 12);
  EXPECT_EQ(kBreathCurve[63], 255);
  EXPECT_EQ(kBreathCurve[127], 0);
  EXPECT_TRUE(std::equal(kBreathCurve.begin(), kBreathCurve.end(), kBreathCurve.rbegin()));
}

TEST(ColourTables, PulseFlashesFadesAndRests) {
  EXPECT_EQ(kPulseCurve[0], 0);
  EXPECT_EQ(kPulseCurve[16], 255);
  EXPECT_EQ(kPulseCurve[77], 2);
  EXPECT_EQ(kPulseCurve[78], 2);
  EXPECT_EQ(kPulseCurve[79], 1);
  EXPECT_TRUE(std::all_of(kPulseCurve.begin() + 80, kPulseCurve.end(),
                          [](std::uint8_t level) { return level == 0; }));
}

TEST(ColourTables, PulsePaletteStartsWithItsEightColours) {
  const LedColour expected[] = {{255, 0, 0},   {255, 96, 0}, {255, 255, 0}, {0, 255, 0},
                                {0, 255, 255}, {0, 0, 255},  {128, 0, 255}, {255, 255, 255}};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(kPulsePalette[i], expected[i]);
}

TEST(KeyLayout, MatrixPlacesKeysAtTheirColumnsAndRows) {
  EXPECT_EQ(kLedMatrix[11][2], 52);
  EXPECT_EQ(kLedMatrix[0][0], kNoKeySlot);
  EXPECT_EQ(kLedMatrix[0][5], 20);
  EXPECT_EQ(kLedMatrix[22][3], 119);
  EXPECT_EQ(kLedMatrix[9][5], 109);
}

TEST(KeyLayout, KeyPathVisits109DistinctKeysInItsSerpentine) {
  const std::set<std::uint8_t> distinct(kKeyPath.begin(), kKeyPath.end());
  EXPECT_EQ(distinct.size(), kKeyPath.size());
  EXPECT_EQ(kKeyPath[0], 15);
  EXPECT_EQ(kKeyPath[15], 0);
  EXPECT_EQ(kKeyPath[24], 108);
  EXPECT_EQ(kKeyPath[57], 42);
  EXPECT_EQ(kKeyPath[101], 70);
  EXPECT_EQ(kKeyPath[108], 77);
  for (std::uint8_t slot = 0; slot < 126; ++slot) {
    EXPECT_EQ(kOnKeyPath[slot], distinct.count(slot) == 1) << "slot " << int{slot};
  }
}

TEST(KeyLayout, SnakePathHasTwoGapsAndEndsAtSlotZero) {
  EXPECT_EQ(kSnakePath[57], 119);
  EXPECT_EQ(kSnakePath[62], kNoKeySlot);
  EXPECT_EQ(kSnakePath[76], kNoKeySlot);
  EXPECT_EQ(kSnakePath[105], 105);
  EXPECT_EQ(kSnakePath[106], 0);
}

TEST(KeyLayout, TwinkleOrderVisitsEveryPathPositionOnce) {
  std::array<std::uint8_t, 104> sorted = kTwinkleOrder;
  std::sort(sorted.begin(), sorted.end());
  std::array<std::uint8_t, 104> positions{};
  std::iota(positions.begin(), positions.end(), std::uint8_t{0});
  EXPECT_EQ(sorted, positions);
}

TEST(KeyLayout, KeyGroupsAreDisjointRings) {
  std::set<std::uint8_t> seen;
  std::size_t keys = 0;
  for (const auto& group : kKeyGroups) {
    for (const std::uint8_t slot : group) {
      if (slot == kNoKeySlot) continue;
      ++keys;
      EXPECT_TRUE(seen.insert(slot).second) << "slot " << int{slot} << " in two groups";
    }
  }
  EXPECT_EQ(keys, 109u);
  EXPECT_EQ(kKeyGroups[0][0], 51);
}

TEST(LedMaps, Model0MapsSlotsToDistinctLeds) {
  EXPECT_EQ(kLedMap0[12], 12);
  EXPECT_EQ(kLedMap0[13], 14);
  for (std::uint8_t slot = 16; slot <= 20; ++slot) EXPECT_EQ(kLedMap0[slot], kNoLed);
  EXPECT_EQ(kLedMap0[100], 100);
  EXPECT_EQ(kLedMap0[118], 104);
  EXPECT_EQ(kLedMap0[119], 62);
  EXPECT_EQ(kLedMap0[120], 117);
  EXPECT_EQ(kLedMap0[125], kNoLed);
  std::set<std::uint8_t> leds;
  for (const std::uint8_t led : kLedMap0) {
    if (led != kNoLed) {
      EXPECT_TRUE(leds.insert(led).second) << "LED " << int{led} << " twice";
    }
  }
}

TEST(LedMaps, Model1MapsSlotsToDistinctPositions) {
  EXPECT_EQ(kLedMap1[21], 18);
  EXPECT_EQ(kLedMap1[38], 53);
  EXPECT_EQ(kLedMap1[41], 89);
  EXPECT_EQ(kLedMap1[119], 107);
  EXPECT_EQ(kLedMap1[100], kNoLed);
  std::set<std::uint8_t> positions;
  for (const std::uint8_t position : kLedMap1) {
    if (position != kNoLed) {
      EXPECT_TRUE(positions.insert(position).second);
    }
  }
}

TEST(LedMaps, ZonesAreDisjointAndKnowTheirLastKeys) {
  const std::size_t sizes[] = {17, 20, 22, 15, 13, 17};
  const std::uint8_t last_keys[] = {86, 90, 109, 111, 115, 119};
  for (std::size_t zone = 0; zone < kZoneCount; ++zone) {
    const auto count = std::count_if(kZoneTable[zone].begin(), kZoneTable[zone].end(),
                                     [](std::uint8_t slot) { return slot != kNoLed; });
    EXPECT_EQ(static_cast<std::size_t>(count), sizes[zone]);
    EXPECT_EQ(LastKeyOfZone(zone), last_keys[zone]);
    for (const std::uint8_t slot : kZoneTable[zone]) {
      if (slot != kNoLed) {
        EXPECT_EQ(kZoneOfSlot[slot], zone) << "slot " << int{slot};
      }
    }
  }
  EXPECT_EQ(kZoneOfSlot[62], kNoZone);
}

TEST(LedMaps, ZoneBytesCoverThe36ByteFrameOnce) {
  std::set<std::uint8_t> bytes;
  for (const auto& positions : kZoneBytePositions) bytes.insert(positions.begin(), positions.end());
  EXPECT_EQ(bytes.size(), 36u);
  EXPECT_EQ(*bytes.rbegin(), 35);
}

}  // namespace
}  // namespace vandrel
