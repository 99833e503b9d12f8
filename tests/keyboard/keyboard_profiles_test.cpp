// The keyboard profile payloads from their documented offsets: what saving writes where, and what
// loading takes from where.
#include "keyboard/keyboard_profiles.h"

#include <gtest/gtest.h>

namespace vandrel::testing {
namespace {

class KeyboardProfilesTest : public ::testing::Test {
 protected:
  KeyboardProfilesTest() {
    state_.keys[0].bytes[0] = 0x20;
    state_.keys[0].bytes[511] = 0x5A;
    state_.keys[1].bytes[0] = 0x99;  // pages 1-4 are never stored
    state_.live.lighting.mode = 12;
    state_.live.lighting.blue = 0xB1;
    state_.live.reserved[11] = 0x7E;
    state_.lights[0].unused[0] = 0x11;
    state_.custom.custom_set = 2;
    state_.custom.paint_colour = {0xF1, 0xF2, 0xF3};
    state_.custom.custom_sets[0][0] = 0xC0;
    state_.custom.custom_sets[4][377] = 0xC4;
  }
  KeyboardState state_;
};

TEST_F(KeyboardProfilesTest, LightPayloadHoldsRecordZeroWithTheLiveCopyThenTheCustomColours) {
  const KeyboardLightProfileBytes led = MakeLightProfile(state_);

  EXPECT_EQ(led[0], 0);
  EXPECT_EQ(led[1], 12);
  EXPECT_EQ(led[8], 0xB1);
  EXPECT_EQ(led[20], 0x7E);
  EXPECT_EQ(led[21], 0x11);
  EXPECT_EQ(led[64], 2);
  EXPECT_EQ(led[65], 0xF1);
  EXPECT_EQ(led[67], 0xF3);
  EXPECT_EQ(led[68], 0xC0);
  EXPECT_EQ(led[1957], 0xC4);
  EXPECT_EQ(state_.lights[0].live, state_.live);  // saving keeps the live copy in record 0
}

TEST_F(KeyboardProfilesTest, DevicePayloadIsKeyPageZeroThenTheLightPayload) {
  const KeyboardDeviceProfileBytes config = MakeDeviceProfile(state_);
  const KeyboardLightProfileBytes led = MakeLightProfile(state_);

  EXPECT_EQ(config[0], 0x20);
  EXPECT_EQ(config[511], 0x5A);
  EXPECT_TRUE(std::equal(led.begin(), led.end(), config.begin() + 512));
  EXPECT_EQ(config[576], 2);
  EXPECT_EQ(config[577], 0xF1);
  EXPECT_EQ(config[580], 0xC0);
  EXPECT_EQ(config[2469], 0xC4);
}

TEST_F(KeyboardProfilesTest, KeyPayloadIsPageZero) {
  const KeyboardKeyProfileBytes pro = MakeKeyProfile(state_);
  EXPECT_EQ(pro, state_.keys[0].bytes);
}

TEST_F(KeyboardProfilesTest, ADeviceProfileWithByte576ThreeShowsAndPaintsCustomSetThree) {
  KeyboardDeviceProfileBytes config{};
  config[576] = 3;
  config[577] = 0x0A;
  config[580 + 3 * 378 + 5] = 0xD3;
  config[512 + 2] = 9;   // brightness
  config[512 + 63] = 1;  // last byte of the record, never live

  LoadDeviceProfile(state_, config);

  EXPECT_EQ(state_.custom.custom_set, 3);
  EXPECT_EQ(state_.custom.paint_colour.red, 0x0A);
  EXPECT_EQ(state_.custom.Current()[5], 0xD3);
  EXPECT_EQ(state_.live.lighting.brightness, 9);
  EXPECT_EQ(state_.lights[0].unused[42], 1);
  EXPECT_EQ(state_.keys[0].bytes[511], 0);
  EXPECT_EQ(state_.keys[1].bytes[0], 0x99);
}

TEST_F(KeyboardProfilesTest, ALightProfileReplacesRecordLiveCopyAndCustomColoursOnly) {
  KeyboardLightProfileBytes led{};
  led[3] = 5;     // speed
  led[64] = 1;    // custom set
  led[1957] = 7;  // last byte of set 4

  LoadLightProfile(state_, led);

  EXPECT_EQ(state_.live.lighting.speed, 5);
  EXPECT_EQ(state_.lights[0].live, state_.live);
  EXPECT_EQ(state_.custom.custom_set, 1);
  EXPECT_EQ(state_.custom.custom_sets[4][377], 7);
  EXPECT_EQ(state_.keys[0].bytes[511], 0x5A);
}

TEST_F(KeyboardProfilesTest, ALoadedProfileNumberOrCustomSetNumberOutOfRangeBecomesZero) {
  KeyboardLightProfileBytes led{};
  led[0] = 7;
  led[64] = 200;

  LoadLightProfile(state_, led);

  EXPECT_EQ(state_.live.profile, 0);
  EXPECT_EQ(state_.lights[0].live.profile, 0);
  EXPECT_EQ(state_.custom.custom_set, 0);
}

TEST_F(KeyboardProfilesTest, SavingThenLoadingGivesTheSameState) {
  const KeyboardDeviceProfileBytes config = MakeDeviceProfile(state_);
  KeyboardState loaded;
  LoadDeviceProfile(loaded, config);
  EXPECT_EQ(loaded.keys[0], state_.keys[0]);
  EXPECT_EQ(loaded.lights[0], state_.lights[0]);
  EXPECT_EQ(loaded.live, state_.live);
  EXPECT_EQ(loaded.custom, state_.custom);
}

}  // namespace
}  // namespace vandrel::testing
