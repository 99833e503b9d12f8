// The keyboard records byte for byte as documented, the custom set entries, the slot map's
// first-match rule and the slot helpers.
#include <gtest/gtest.h>

#include "keyboard/keyboard_slots.h"
#include "keyboard/keyboard_state.h"

namespace vandrel::testing {
namespace {

void PutKey(KeyboardKeyTable& table, std::size_t key, KeyAssignment assignment) {
  table.bytes[3 * key] = assignment.type;
  table.bytes[3 * key + 1] = assignment.param1;
  table.bytes[3 * key + 2] = assignment.param2;
}

TEST(KeyboardRecordsTest, LightRecordCarriesProfileLightingAndReservedBytesInWireOrder) {
  KeyboardLightRecord record;
  record.live.profile = 1;
  record.live.lighting = {2, 3, 4, 5, 6, 7, 8, 9};
  record.live.reserved[0] = 0xA0;
  record.live.reserved[11] = 0xAB;
  record.unused[42] = 0xCC;

  const auto bytes = Encode(record);
  ASSERT_EQ(bytes.size(), 64U);
  for (std::size_t i = 0; i <= 8; ++i) EXPECT_EQ(bytes[i], i + 1) << i;
  EXPECT_EQ(bytes[9], 0xA0);
  EXPECT_EQ(bytes[20], 0xAB);
  EXPECT_EQ(bytes[63], 0xCC);
}

TEST(KeyboardRecordsTest, DeviceInformationGivesKeyCountAndMacroMemoryFromBytesFiveAndSix) {
  KeyboardDeviceInfo info;
  info.bytes[5] = 104;
  info.bytes[6] = 24;
  EXPECT_EQ(info.key_count(), 104);
  EXPECT_EQ(info.macro_memory_units(), 24);
}

TEST(KeyboardRecordsTest, KeyTableHoldsDeviceKeyDAtThreeD) {
  KeyboardKeyTable table;
  table.SetAssignment(169, {0x20, 0x02, 0x04});
  EXPECT_EQ(table.bytes[507], 0x20);
  EXPECT_EQ(table.bytes[508], 0x02);
  EXPECT_EQ(table.bytes[509], 0x04);
  EXPECT_EQ(table.Assignment(169), (KeyAssignment{0x20, 0x02, 0x04}));
}

TEST(KeyboardRecordsTest, RgbSetEntriesAreThreeBytesAndBacklightEntriesOneLevel) {
  CustomSet set{};
  SetCustomColourAt(set, 14, {10, 20, 30});
  EXPECT_EQ(set[42], 10);
  EXPECT_EQ(set[43], 20);
  EXPECT_EQ(set[44], 30);
  EXPECT_EQ(CustomColourAt(set, 14), (Rgb{10, 20, 30}));
  SetCustomLevelAt(set, 125, true);
  EXPECT_EQ(set[125], 255);
  EXPECT_TRUE(CustomLevelAt(set, 125));
  SetCustomLevelAt(set, 125, false);
  EXPECT_EQ(set[125], 0);
}

TEST(KeyboardRecordsTest, TheCurrentSetIsTheOneNamedAndSetZeroForANumberNoSetHas) {
  KeyboardCustomColours custom;
  custom.custom_sets[4][0] = 44;
  custom.custom_sets[0][0] = 1;
  custom.custom_set = 4;
  EXPECT_EQ(custom.Current()[0], 44);
  custom.custom_set = 5;
  EXPECT_EQ(custom.Current()[0], 1);
}

TEST(KeySlotMapTest, EachSlotTakesTheFirstDeviceKeyWithItsIdentity) {
  KeyboardDefaultTable defaults;
  PutKey(defaults, 0, {0x20, 0, 0x04});     // A, slot 64
  PutKey(defaults, 2, {0x20, 0, 0x29});     // Esc, slot 0
  PutKey(defaults, 5, {0x20, 0, 0x29});     // Esc again
  PutKey(defaults, 6, {0x20, 0, 0});        // a key with no factory function
  PutKey(defaults, 7, {0xD0, 0xA2, 3});     // G3, slot 18
  PutKey(defaults, 8, {0xA0, 0x02, 0x02});  // the function key, slot 110

  const KeySlotMap map = BuildKeySlotMap(defaults, 9);

  EXPECT_EQ(map[0], 2U);
  EXPECT_EQ(map[64], 0U);
  EXPECT_EQ(map[110], 8U);
  EXPECT_EQ(map[18], 7U);
  // Blank places and the other extra keys' slots take no key, not even the empty one.
  for (const std::size_t empty : {16UL, 20UL, 62UL, 79UL, 100UL, 101UL, 103UL, 120UL, 124UL}) {
    EXPECT_EQ(map[empty], kNoDeviceKey) << empty;
  }
  EXPECT_EQ(map[1], kNoDeviceKey);
  EXPECT_EQ(map[125], kNoDeviceKey);
}

TEST(KeySlotMapTest, KeysPastTheKeyCountAreNotSearched) {
  KeyboardDefaultTable defaults;
  PutKey(defaults, 3, {0x20, 0, 0x29});
  EXPECT_EQ(BuildKeySlotMap(defaults, 3)[0], kNoDeviceKey);
  EXPECT_EQ(BuildKeySlotMap(defaults, 4)[0], 3U);
}

class SlotHelpersTest : public ::testing::Test {
 protected:
  SlotHelpersTest() {
    state_.slot_map[0] = 2;
    PutKey(state_.defaults, 2, {0x20, 0, 0x29});
    PutKey(state_.keys[0], 2, {0x21, 0xE9, 0});
  }
  KeyboardState state_;
};

TEST_F(SlotHelpersTest, ASlotReadsAndWritesItsDeviceKeyInPageZero) {
  EXPECT_EQ(DeviceIndexOfSlot(state_, 0), 2U);
  EXPECT_EQ(AssignmentOfSlot(state_, 0), (KeyAssignment{0x21, 0xE9, 0}));
  EXPECT_TRUE(SetAssignmentOfSlot(state_, 0, {0x20, 0x01, 0x06}));
  EXPECT_EQ(state_.keys[0].Assignment(2), (KeyAssignment{0x20, 0x01, 0x06}));
  EXPECT_TRUE(RestoreDefaultOfSlot(state_, 0));
  EXPECT_EQ(state_.keys[0].Assignment(2), (KeyAssignment{0x20, 0, 0x29}));
}

TEST_F(SlotHelpersTest, AnAbsentSlotOrANumberThatIsNoSlotHasNothingToReadOrChange) {
  const KeyboardKeyTable before = state_.keys[0];
  for (const std::size_t slot : {1UL, 126UL, 1000UL}) {
    EXPECT_EQ(DeviceIndexOfSlot(state_, slot), kNoDeviceKey) << slot;
    EXPECT_FALSE(AssignmentOfSlot(state_, slot).has_value()) << slot;
    EXPECT_FALSE(SetAssignmentOfSlot(state_, slot, {0x20, 0, 0x04})) << slot;
    EXPECT_FALSE(RestoreDefaultOfSlot(state_, slot)) << slot;
  }
  EXPECT_EQ(state_.keys[0], before);
}

TEST_F(SlotHelpersTest, EverySlotStartsAbsent) {
  const KeyboardState fresh;
  for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
    EXPECT_EQ(DeviceIndexOfSlot(fresh, slot), kNoDeviceKey);
  }
}

}  // namespace
}  // namespace vandrel::testing
