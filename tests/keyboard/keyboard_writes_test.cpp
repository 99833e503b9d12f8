// The periodic lighting apply, the key table write and the stored profiles against the simulated
// keyboard: what reaches it, in which commands, and what the state keeps.
#include <gtest/gtest.h>

#include <algorithm>

#include "keyboard/keyboard_slots.h"
#include "keyboard_fixture.h"

namespace vandrel::testing {
namespace {

class KeyboardWritesTest : public KeyboardFixture {
 protected:
  void SetUp() override {
    Plug();
    keyboard_device_.ReadAll();
    ClearTrace();
    profiles_.saved.clear();
  }
};

TEST_F(KeyboardWritesTest, TwoLightingEditsBeforeATickAreSentAsOneCommandWithTheLatestValues) {
  state_.live.lighting.mode = 4;
  keyboard_device_.MarkLightingChanged();
  state_.live.lighting.brightness = 11;
  state_.live.reserved[3] = 0x33;
  keyboard_device_.MarkLightingChanged();
  keyboard_device_.ApplyLighting();
  keyboard_device_.ApplyLighting();

  const auto payloads = Payloads(kSelect);
  ASSERT_EQ(payloads.size(), 1U);
  ASSERT_EQ(payloads[0].size(), 56U);
  const auto live = Encode(state_.live);
  EXPECT_TRUE(std::equal(live.begin(), live.end(), payloads[0].begin()));
  EXPECT_EQ(payloads[0][2], 11);
  EXPECT_EQ(payloads[0][9 + 3], 0x33);
  EXPECT_FALSE(state_.light_dirty);
  EXPECT_EQ(device_->Memory().settings[1], 4);
  EXPECT_EQ(profiles_.saved, (std::vector<unsigned>{kLightProfile | kDeviceProfile,
                                                    kLightProfile | kDeviceProfile}));
}

TEST_F(KeyboardWritesTest, TheLightingPayloadEndsWithZerosWhateverTheStoredRecordHoldsThere) {
  state_.lights[0].unused.fill(0xEE);
  keyboard_device_.MarkLightingChanged();
  keyboard_device_.ApplyLighting();

  const auto payloads = Payloads(kSelect);
  ASSERT_EQ(payloads.size(), 1U);
  ASSERT_EQ(payloads[0].size(), 56U);
  EXPECT_TRUE(std::all_of(payloads[0].begin() + 21, payloads[0].end(),
                          [](std::uint8_t b) { return b == 0; }));
}

TEST_F(KeyboardWritesTest, NothingIsSentWhileTheLightingIsUnchanged) {
  keyboard_device_.ApplyLighting();
  EXPECT_TRUE(Requests().empty());
}

TEST_F(KeyboardWritesTest, AFailedLightingWriteStillClearsTheChange) {
  device_->SetFaults({.refusal_status = 0xFE});
  keyboard_device_.MarkLightingChanged();
  keyboard_device_.ApplyLighting();
  EXPECT_FALSE(state_.light_dirty);
  EXPECT_EQ(Payloads(kSelect).size(), 1U);
}

TEST_F(KeyboardWritesTest, KeyTableWriteSendsThreeBytesPerKeyInsideABracket) {
  const KeyAssignment volume_up{assignment_type::kMultimedia, 0xE9, 0};
  ASSERT_TRUE(SetAssignmentOfSlot(state_, 0, volume_up));
  const int table = keyboard_.transfer_size();

  EXPECT_EQ(keyboard_device_.WriteKeyTable(), kChannelSuccess);

  EXPECT_EQ(Requests(), Joined({{{kBegin, 0, 0}}, Chunks(kWritePage, table), {{kEnd, 0, 0}}}));
  const std::size_t esc = FactoryIndexOf(kPerKeyKeyboardProductId, kEscKey);
  EXPECT_EQ(device_->Memory().key_pages[3 * esc], assignment_type::kMultimedia);
  EXPECT_EQ(device_->Memory().key_pages[3 * esc + 1], 0xE9);
  EXPECT_EQ(profiles_.saved, std::vector<unsigned>{kKeyProfile | kDeviceProfile});
}

TEST_F(KeyboardWritesTest, ADeviceProfileSendsItsKeyTableAtOnceAndItsLightingAtTheNextApply) {
  KeyboardDeviceProfileBytes payload{};
  payload[3] = 0x21;           // device key 1's type
  payload[512 + 1] = 6;        // mode
  payload[576] = 3;            // custom set
  payload[580 + 3 * 378] = 9;  // first byte of custom set 3
  EXPECT_FALSE(keyboard_device_.ApplyDeviceProfile(payload, 0).has_value());

  EXPECT_EQ(
      Requests(),
      Joined({{{kBegin, 0, 0}}, Chunks(kWritePage, keyboard_.transfer_size()), {{kEnd, 0, 0}}}));
  EXPECT_EQ(device_->Memory().key_pages[3], 0x21);
  EXPECT_TRUE(state_.light_dirty);
  EXPECT_EQ(state_.custom.custom_set, 3);
  EXPECT_EQ(state_.custom.Current()[0], 9);
  keyboard_device_.ApplyLighting();
  ASSERT_EQ(Payloads(kSelect).size(), 1U);
  EXPECT_EQ(Payloads(kSelect)[0][1], 6);
  EXPECT_TRUE(profiles_.saved.empty());  // the profile operation rewrites what it chooses
}

TEST_F(KeyboardWritesTest, ALightProfileChangesOnlyTheStateUntilTheNextApply) {
  KeyboardLightProfileBytes payload{};
  payload[4] = 1;  // direction
  EXPECT_FALSE(keyboard_device_.ApplyLightProfile(payload, 0).has_value());

  EXPECT_TRUE(Requests().empty());
  EXPECT_TRUE(state_.light_dirty);
  EXPECT_EQ(state_.live.lighting.direction, 1);
}

TEST_F(KeyboardWritesTest, AKeyProfileIsWrittenAsPageZeroWithoutTouchingTheLighting) {
  KeyboardKeyProfileBytes payload{};
  payload[0] = 0x20;
  payload[2] = 0x04;
  EXPECT_FALSE(keyboard_device_.ApplyKeyProfile(payload).has_value());

  EXPECT_EQ(
      Requests(),
      Joined({{{kBegin, 0, 0}}, Chunks(kWritePage, keyboard_.transfer_size()), {{kEnd, 0, 0}}}));
  EXPECT_EQ(device_->Memory().key_pages[2], 0x04);
  EXPECT_FALSE(state_.light_dirty);
}

// The modes a light profile may hold are the keyboard model's: mode 8 is the six-zone model's
// ninth, which it does not have. A refused payload changes and sends nothing.
TEST_F(KeyboardWritesTest, ALightProfileIsCheckedAgainstTheModelsModes) {
  KeyboardLightProfileBytes payload{};
  payload[1] = 8;  // mode
  const KeyboardLiveLighting before = state_.live;
  const std::optional<FieldProblem> problem = keyboard_device_.ApplyLightProfile(payload, 3);
  ASSERT_TRUE(problem.has_value());
  EXPECT_EQ(problem->field, "lighting mode");
  EXPECT_EQ(problem->allowed, "0-7");
  EXPECT_EQ(state_.live, before);
  EXPECT_FALSE(state_.light_dirty);

  KeyboardDeviceProfileBytes device{};
  device[0] = 0x99;  // device key 0's type
  EXPECT_TRUE(keyboard_device_.ApplyDeviceProfile(device, 0).has_value());
  EXPECT_TRUE(Requests().empty());

  EXPECT_FALSE(keyboard_device_.ApplyLightProfile(payload, 0).has_value());
  EXPECT_EQ(state_.live.lighting.mode, 8);
}

}  // namespace
}  // namespace vandrel::testing
