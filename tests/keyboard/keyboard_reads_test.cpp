// The full read and the re-read of the lighting record against the simulated keyboards: the exact
// requests, the key count limit, the slot map and what ends up in the state.
#include <gtest/gtest.h>

#include <algorithm>

#include "keyboard/keyboard_slots.h"
#include "keyboard_fixture.h"

namespace vandrel::testing {
namespace {

class KeyboardReadsTest : public KeyboardFixture {};

TEST_F(KeyboardReadsTest, FullReadSendsOneBracketWithTablesOfThreeBytesPerKey) {
  Plug();
  const int table = 3 * static_cast<int>(sim::KeyboardFactoryKeys(kPerKeyKeyboardProductId).size());

  EXPECT_TRUE(keyboard_device_.ReadAll());

  EXPECT_EQ(Requests(), Joined({{{kBegin, 0, 0}, {kInfo, 33, 0}},
                                Chunks(kDefaults, table),
                                Chunks(kPage, table),
                                {{kEnd, 0, 0}}}));
  EXPECT_EQ(keyboard_.transfer_size(), table);
  EXPECT_EQ(device_->ViolationCount(), 0);
  EXPECT_FALSE(device_->ConfigOpen());
  EXPECT_EQ(profiles_.saved, std::vector<unsigned>{kKeyProfile | kDeviceProfile});
  EXPECT_TRUE(messages_.empty());
}

TEST_F(KeyboardReadsTest, FullReadTakesTablesFromTheKeyboardAndLiveFromLightRecordZero) {
  Plug();
  state_.lights[0].live.profile = 3;
  state_.lights[0].live.lighting.mode = 7;
  state_.lights[0].live.reserved[11] = 0x5C;

  keyboard_device_.ReadAll();

  const sim::FirmwareImage memory = device_->Memory();
  EXPECT_TRUE(std::equal(memory.default_table.begin(), memory.default_table.end(),
                         state_.defaults.bytes.begin()));
  EXPECT_TRUE(std::equal(state_.keys[0].bytes.begin(), state_.keys[0].bytes.end(),
                         memory.key_pages.begin()));
  EXPECT_EQ(state_.info.macro_memory_units(), memory.device_info[6]);
  EXPECT_EQ(state_.live.profile, 0);
  EXPECT_EQ(state_.live.lighting.mode, 7);
  EXPECT_EQ(state_.live.reserved[11], 0x5C);
}

TEST_F(KeyboardReadsTest, AKeyboardWith170KeysIsReadWithTransfersOf510Bytes) {
  Plug(kPerKeyKeyboardProductId, 170);

  EXPECT_TRUE(keyboard_device_.ReadAll());

  EXPECT_EQ(keyboard_.transfer_size(), 510);
  EXPECT_EQ(Requests(), Joined({{{kBegin, 0, 0}, {kInfo, 33, 0}},
                                Chunks(kDefaults, 510),
                                Chunks(kPage, 510),
                                {{kEnd, 0, 0}}}));
  EXPECT_EQ(device_->ViolationCount(), 0);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(KeyboardReadsTest, AKeyboardWith171KeysIsRefusedWithTheBracketClosedAndTheStateKept) {
  Plug(kPerKeyKeyboardProductId, 171);
  state_.defaults.bytes[0] = 0x42;
  state_.slot_map[5] = 9;

  EXPECT_FALSE(keyboard_device_.ReadAll());

  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{kBegin, 0, 0}, {kInfo, 33, 0}, {kEnd, 0, 0}}));
  EXPECT_FALSE(device_->ConfigOpen());
  EXPECT_EQ(messages_, std::vector<std::string>{"message_text_11"});
  EXPECT_EQ(keyboard_.transfer_size(), DeviceChannel::kDefaultTransferSize);
  EXPECT_EQ(state_.defaults.bytes[0], 0x42);
  EXPECT_EQ(state_.slot_map[5], 9U);
  EXPECT_TRUE(profiles_.saved.empty());
}

TEST_F(KeyboardReadsTest, ASlotWhoseKeyTheFactoryTableLacksStaysAbsent) {
  // Cut before NumLock, halfway along its number row, the keyboard has no NumLock.
  const std::size_t num_lock = FactoryIndexOf(kPerKeyKeyboardProductId, kNumLockKey);
  Plug(kPerKeyKeyboardProductId, static_cast<int>(num_lock));

  keyboard_device_.ReadAll();

  EXPECT_EQ(DeviceIndexOfSlot(state_, 38), kNoDeviceKey);
  EXPECT_FALSE(AssignmentOfSlot(state_, 38).has_value());
  EXPECT_EQ(DeviceIndexOfSlot(state_, 0), FactoryIndexOf(kPerKeyKeyboardProductId, kEscKey));
}

TEST_F(KeyboardReadsTest, ASecondReadOfAKeyboardWithoutAKeyForgetsTheEarlierKeyboardsKey) {
  state_.slot_map[38] = 7;  // from a keyboard read before
  const std::size_t num_lock = FactoryIndexOf(kPerKeyKeyboardProductId, kNumLockKey);
  Plug(kPerKeyKeyboardProductId, static_cast<int>(num_lock));

  keyboard_device_.ReadAll();

  EXPECT_EQ(DeviceIndexOfSlot(state_, 38), kNoDeviceKey);
}

TEST_F(KeyboardReadsTest, RereadTakesTheKeyboardsLightingRecordWithoutABracket) {
  Plug();
  keyboard_device_.ReadAll();
  state_.live.lighting.brightness = 3;
  device_->ChangeLightingMode(9);
  ClearTrace();
  profiles_.saved.clear();

  keyboard_device_.RereadLighting();

  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{kBlock, 1, 0}, {kBlock, 56, 0}}));
  const sim::FirmwareImage memory = device_->Memory();
  EXPECT_EQ(state_.live.lighting.mode, 9);
  const auto record = Encode(state_.lights[0]);
  EXPECT_TRUE(std::equal(record.begin() + 1, record.begin() + 56, memory.settings.begin() + 1));
  EXPECT_EQ(state_.live, state_.lights[0].live);
  EXPECT_EQ(profiles_.saved, std::vector<unsigned>{kDeviceProfile});
}

TEST_F(KeyboardReadsTest, RereadKeepsTheLiveCopyInItsRecordAndGoesBackToProfileZero) {
  Plug();
  state_.live.profile = 2;
  state_.live.lighting.speed = 4;

  keyboard_device_.RereadLighting();

  EXPECT_EQ(state_.lights[2].live.lighting.speed, 4);  // the live copy was kept in its record
  EXPECT_EQ(state_.live.profile, 0);
  EXPECT_EQ(state_.lights[0].live.profile, 0);
}

}  // namespace
}  // namespace vandrel::testing
