// What leaves the engine: the command 18 payloads, the modes that send nothing, the preview
// colours and the pre-delays the lighting thread takes.
#include "keyboard/lighting/frame_encoding.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "lighting_harness.h"

namespace vandrel {
namespace {

TEST(Model0Payload, DimsEachSlotIntoItsLedsBytes) {
  KeyboardLedFrame frame{};
  frame[13] = {200, 100, 50, 128};    // LED 14
  frame[119] = {255, 255, 255, 255};  // LED 62
  frame[16] = {255, 255, 255, 255};   // no LED
  EffectState state;
  KeyboardFrameBuffer buffer;
  buffer.fill(0xEE);
  const auto payload =
      EncodeKeyboardFrame(0, 0, KeyboardFrameImage{frame, state.zone_colour}, buffer);
  ASSERT_EQ(payload.size(), 378u);
  std::array<std::uint8_t, 378> expected{};
  expected[42] = 100;
  expected[43] = 50;
  expected[44] = 25;
  expected[186] = 254;
  expected[187] = 254;
  expected[188] = 254;
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), expected.begin()));
}

TEST(Model0Payload, SelfAnimatedModesSendNothingAfterAZeroFrame) {
  testing::LightingHarness harness;
  harness.frame.fill({1, 2, 3, 4});
  harness.lighting.mode = 7;
  harness.Render();
  for (const LedEntry& entry : harness.frame) ASSERT_EQ(entry, LedEntry{});
  KeyboardFrameBuffer buffer;
  for (const std::uint8_t mode : std::initializer_list<std::uint8_t>{6, 7, 8, 16}) {
    EXPECT_TRUE(EncodeKeyboardFrame(
                    0, mode, KeyboardFrameImage{harness.frame, harness.state.zone_colour}, buffer)
                    .empty())
        << "mode " << int{mode};
  }
  EXPECT_EQ(EncodeKeyboardFrame(0, 9, KeyboardFrameImage{harness.frame, harness.state.zone_colour},
                                buffer)
                .size(),
            378u);
}

TEST(Model3Payload, PutsEachZoneColourAtItsTwoLeds) {
  EffectState state;
  state.zone_colour[3] = {1, 2, 3};
  state.zone_colour[0] = {10, 20, 30};
  const KeyboardLedFrame frame{};
  KeyboardFrameBuffer buffer;
  buffer.fill(0xEE);
  const auto payload =
      EncodeKeyboardFrame(3, 0, KeyboardFrameImage{frame, state.zone_colour}, buffer);
  ASSERT_EQ(payload.size(), 36u);
  std::array<std::uint8_t, 36> expected{};
  // Zone 3: R at 5 and 1, G at 4 and 2, B at 3 and 0.
  expected[5] = 1, expected[4] = 2, expected[3] = 3, expected[1] = 1, expected[2] = 2;
  expected[0] = 3;
  // Zone 0: R at 22 and 19, G at 23 and 20, B at 21 and 18.
  expected[22] = 10, expected[23] = 20, expected[21] = 30, expected[19] = 10, expected[20] = 20;
  expected[18] = 30;
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), expected.begin()));
}

TEST(Model3Payload, SelfAnimatedModeSendsNothing) {
  EffectState state;
  const KeyboardLedFrame frame{};
  KeyboardFrameBuffer buffer;
  EXPECT_TRUE(
      EncodeKeyboardFrame(3, 5, KeyboardFrameImage{frame, state.zone_colour}, buffer).empty());
  EXPECT_EQ(EncodeKeyboardFrame(3, 6, KeyboardFrameImage{frame, state.zone_colour}, buffer).size(),
            36u);
}

TEST(KeyboardPayload, SingleColourAndUnusedModelsSendNothing) {
  EffectState state;
  const KeyboardLedFrame frame{};
  KeyboardFrameBuffer buffer;
  for (std::uint8_t mode = 0; mode <= 16; ++mode) {
    EXPECT_TRUE(
        EncodeKeyboardFrame(1, mode, KeyboardFrameImage{frame, state.zone_colour}, buffer).empty())
        << int{mode};
    EXPECT_TRUE(
        EncodeKeyboardFrame(2, mode, KeyboardFrameImage{frame, state.zone_colour}, buffer).empty())
        << int{mode};
  }
}

TEST(KeyPreview, ColoursAreGreenBlueRedWithTheLevelAsAlpha) {
  KeyboardLedFrame frame{};
  frame[0] = {0x11, 0x22, 0x33, 0x80};
  frame[62] = {0x11, 0x22, 0x33, 0x80};
  const KeyPreview per_key = PreviewOfSlot(0, frame, 0);
  EXPECT_TRUE(per_key.shown);
  EXPECT_EQ(per_key.light_colour, 0x223311u);
  EXPECT_EQ(per_key.light_alpha, 0x80);
  const KeyPreview single = PreviewOfSlot(1, frame, 0);
  EXPECT_EQ(single.light_colour, 0xF6FF00u);
  EXPECT_EQ(single.light_alpha, 0x80);
  EXPECT_TRUE(PreviewOfSlot(3, frame, 0).shown);
  EXPECT_FALSE(PreviewOfSlot(3, frame, 62).shown) << "slot 62 is in no zone";
  EXPECT_FALSE(PreviewOfSlot(2, frame, 0).shown);
}

TEST(EffectTraits, PreDelaysPerModelAndMode) {
  struct Case {
    std::uint8_t model;
    std::uint8_t mode;
    int milliseconds;
  };
  const Case cases[] = {{0, 0, 0},   {0, 1, 20},  {0, 5, 1},   {0, 10, 12}, {0, 12, 40},
                        {0, 13, 15}, {0, 15, 50}, {0, 17, 10}, {0, 18, 0},  {1, 3, 80},
                        {1, 4, 15},  {1, 5, 1},   {1, 7, 100}, {1, 10, 0},  {3, 6, 50},
                        {3, 0, 0},   {0, 19, 0},  {1, 12, 0},  {3, 9, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(EffectTraits(c.model, c.mode).pre_delay.count(), c.milliseconds)
        << "model " << int{c.model} << " mode " << int{c.mode};
  }
}

}  // namespace
}  // namespace vandrel
