// The mouse's profile payloads: what making one takes from the state, what loading one changes,
// and what applying one sends.
#include "mouse/mouse_profiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "mouse_fixture.h"

namespace vandrel::testing {
namespace {

constexpr int kSelect = 6, kWritePage = 9;

class MouseProfilesTest : public MouseFixture {
 protected:
  MouseProfilesTest() {
    state_.live.slot = 3;
    state_.live.lighting.mode = 4;
    state_.live.SetDpi(2, 7);
    state_.pointer_speed.store(12);
    state_.wheel_lines.store(5);
    std::iota(state_.keys[0].bytes.begin(), state_.keys[0].bytes.end(), std::uint8_t{0});
  }
};

TEST_F(MouseProfilesTest, ALightProfileIsSlotRecordZeroWithTheLiveAndHostSettings) {
  state_.slots[0].reserved[0] = 0x77;
  const MouseLightProfileBytes payload = MakeLightProfile(state_);
  MouseSlotRecord record;
  DecodeInto(payload, record);
  EXPECT_EQ(record.settings, state_.live);
  EXPECT_EQ(record.pointer_speed, 12);
  EXPECT_EQ(record.wheel_lines, 5);
  EXPECT_EQ(record.reserved[0], 0x77) << "the rest of the record is carried";
  EXPECT_EQ(state_.slots[0], record) << "slot record 0 is what was saved";
}

TEST_F(MouseProfilesTest, ADeviceProfileIsKeyPageZeroThenTheRecord) {
  const MouseDeviceProfileBytes payload = MakeDeviceProfile(state_);
  EXPECT_TRUE(
      std::equal(state_.keys[0].bytes.begin(), state_.keys[0].bytes.end(), payload.begin()));
  EXPECT_EQ(payload[512 + 1], 4) << "the lighting mode of the record";
  EXPECT_EQ(payload[512 + 36], 12);
}

TEST_F(MouseProfilesTest, LoadingALightProfileKeepsTheActiveSlotAndReadsZeroHostSettingsAsOne) {
  MouseSlotRecord record;
  record.settings.slot = 0;
  record.settings.lighting.mode = 2;
  record.settings.report_rate = 1;
  record.pointer_speed = 0;
  record.wheel_lines = 9;
  EXPECT_FALSE(mouse_device_.ApplyLightProfile(Encode(record)).has_value());

  EXPECT_EQ(state_.live.slot, 3);
  EXPECT_EQ(state_.live.lighting.mode, 2);
  EXPECT_EQ(state_.live.report_rate, 1);
  EXPECT_EQ(state_.shared_lighting.Load().mode, 2) << "the lighting thread sees it";
  EXPECT_EQ(state_.pointer_speed.load(), 1);
  EXPECT_EQ(state_.wheel_lines.load(), 9);
  EXPECT_TRUE(state_.dirty);
  EXPECT_TRUE(Requests().empty()) << "the live apply sends it";
}

TEST_F(MouseProfilesTest, ApplyingADeviceProfileSendsItsRecordAndKeyTable) {
  MouseDevicePayload device{};
  device.keys.SetAssignment(0, {0x10, 0x02, 0});
  device.record.settings.lighting.mode = 5;
  EXPECT_FALSE(mouse_device_.ApplyDeviceProfile(Encode(device)).has_value());

  EXPECT_EQ(state_.keys[0], device.keys);
  EXPECT_EQ(state_.live.lighting.mode, 5);
  const auto sent = Payloads(kSelect);
  ASSERT_EQ(sent.size(), 1U);
  EXPECT_EQ(sent[0].size(), 36U);
  EXPECT_EQ(sent[0][1], 5);
  EXPECT_EQ(Payloads(kWritePage).size(), 10U) << "512 bytes in 56-byte chunks";
  EXPECT_EQ(device_->Memory().key_pages[1], 0x02);
}

TEST_F(MouseProfilesTest, ApplyingAKeyProfileWritesPageZeroOnlyWhenThePagesAreReady) {
  MouseKeyTable keys;
  keys.SetAssignment(1, {0x13, 3, 0});
  ready_ = false;
  EXPECT_FALSE(mouse_device_.ApplyKeyProfile(keys.bytes).has_value());
  EXPECT_EQ(state_.keys[0], keys);
  EXPECT_TRUE(Requests().empty());

  ready_ = true;
  EXPECT_FALSE(mouse_device_.ApplyKeyProfile(keys.bytes).has_value());
  EXPECT_EQ(Payloads(kWritePage).size(), 10U);
  EXPECT_EQ(device_->Memory().key_pages[3], 0x13);
  EXPECT_FALSE(state_.dirty) << "the live settings are not touched";
}

// Loading a profile in the window goes through the same check: a payload the mouse cannot take
// changes nothing and sends nothing, and the mouse's own highest DPI index is the limit.
TEST_F(MouseProfilesTest, APayloadBeyondThisMousesLimitsIsRefusedWhole) {
  state_.info.bytes[12] = 7;  // this mouse takes DPI indices 0-7
  const MouseSettings before = state_.live;
  MouseDevicePayload device{};
  device.record.settings.lighting.mode = 3;
  device.record.settings.SetDpi(2, 8);
  const std::optional<FieldProblem> problem = mouse_device_.ApplyDeviceProfile(Encode(device));
  ASSERT_TRUE(problem.has_value());
  EXPECT_EQ(problem->field, "DPI level 2 index");
  EXPECT_EQ(problem->allowed, "0-7");

  MouseSlotRecord record{};
  record.settings.report_rate = 4;
  EXPECT_TRUE(mouse_device_.ApplyLightProfile(Encode(record)).has_value());
  EXPECT_EQ(state_.live, before);
  EXPECT_FALSE(state_.dirty);
  EXPECT_TRUE(Requests().empty());

  device.record.settings.SetDpi(2, 7);
  EXPECT_FALSE(mouse_device_.ApplyDeviceProfile(Encode(device)).has_value());
  EXPECT_EQ(state_.live.lighting.mode, 3);
}

}  // namespace
}  // namespace vandrel::testing
