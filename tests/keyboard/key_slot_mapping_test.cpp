// Where the host puts each simulated keyboard's keys after a full read. The expectations come from
// a physical full-size keyboard and the HID usage tables, not from the host's slot identities, so
// a wrong identity in the host or a wrong key in the simulator shows here.
#include <gtest/gtest.h>

#include <map>
#include <ostream>

#include "keyboard/keyboard_slots.h"
#include "keyboard_fixture.h"

namespace vandrel::testing {
namespace {

struct LayoutKey {
  const char* name;
  std::size_t slot;
  KeyAssignment factory;
};

constexpr KeyAssignment Key(std::uint8_t usage) { return {assignment_type::kKey, 0, usage}; }
constexpr KeyAssignment Modifier(std::uint8_t bit) { return {assignment_type::kKey, bit, 0}; }

// Keys of every row and block, the ends of each row, the modifiers and the function key.
constexpr LayoutKey kEveryModelKeys[] = {
    {"Esc", 0, Key(0x29)},
    {"F12", 12, Key(0x45)},
    {"Print Screen", 13, Key(0x46)},
    {"Pause", 15, Key(0x48)},
    {"`", 21, Key(0x35)},
    {"1", 22, Key(0x1E)},
    {"0", 31, Key(0x27)},
    {"Backspace", 34, Key(0x2A)},
    {"Page Up", 37, Key(0x4B)},
    {"Num Lock", 38, Key(0x53)},
    {"keypad -", 41, Key(0x56)},
    {"Tab", 42, Key(0x2B)},
    {"Q", 43, Key(0x14)},
    {"P", 52, Key(0x13)},
    {"\\", 55, Key(0x31)},
    {"Delete", 56, Key(0x4C)},
    {"Page Down", 58, Key(0x4E)},
    {"keypad 9", 61, Key(0x61)},
    {"Caps Lock", 63, Key(0x39)},
    {"A", 64, Key(0x04)},
    {"L", 72, Key(0x0F)},
    {"'", 74, Key(0x34)},
    {"Enter", 75, Key(0x28)},
    {"left Shift", 84, Modifier(0x02)},
    {"Z", 85, Key(0x1D)},
    {"M", 91, Key(0x10)},
    {"/", 94, Key(0x38)},
    {"right Shift", 95, Modifier(0x20)},
    {"Up", 96, Key(0x52)},
    {"left Ctrl", 105, Modifier(0x01)},
    {"left GUI", 106, Modifier(0x08)},
    {"left Alt", 107, Modifier(0x04)},
    {"Space", 108, Key(0x2C)},
    {"right Alt", 109, Modifier(0x40)},
    {"Fn", 110, {assignment_type::kFunctionKey, 0x02, 0x02}},
    {"Application", 111, Key(0x65)},
    {"right Ctrl", 112, Modifier(0x10)},
    {"Left", 113, Key(0x50)},
    {"Right", 115, Key(0x4F)},
    {"keypad 0", 116, Key(0x62)},
    {"keypad .", 117, Key(0x63)},
    {"keypad Enter", 118, Key(0x58)},
    {"keypad +", 119, Key(0x57)},
};

// Keys only the zone keyboard has among the slots.
constexpr LayoutKey kZoneOnlyKeys[] = {
    {"ISO \\", 102, Key(0x64)},
    {"right GUI", 125, Modifier(0x80)},
};

struct Model {
  std::uint16_t product_id;
  bool zone;

  friend void PrintTo(const Model& model, std::ostream* out) {
    *out << "product " << std::hex << model.product_id;
  }
};

class KeySlotMappingTest : public KeyboardFixture, public ::testing::WithParamInterface<Model> {
 protected:
  void SetUp() override {
    KeyboardFixture::SetUp();
    Plug(GetParam().product_id);
    ASSERT_TRUE(keyboard_device_.ReadAll());
  }
};

INSTANTIATE_TEST_SUITE_P(EveryModel, KeySlotMappingTest,
                         ::testing::Values(Model{kKeyboardProductId, false},
                                           Model{kPerKeyKeyboardProductId, false},
                                           Model{kPerKeyKeyboardAltProductId, false},
                                           Model{kZoneKeyboardProductId, true}));

void ExpectKeyInSlot(const KeyboardState& state, const LayoutKey& key) {
  const std::uint32_t device_key = DeviceIndexOfSlot(state, key.slot);
  ASSERT_NE(device_key, kNoDeviceKey) << key.name;
  EXPECT_EQ(state.defaults.Assignment(device_key), key.factory) << key.name;
  EXPECT_EQ(AssignmentOfSlot(state, key.slot), key.factory) << key.name;
}

TEST_P(KeySlotMappingTest, EachKeyLandsInItsSlot) {
  for (const LayoutKey& key : kEveryModelKeys) ExpectKeyInSlot(state_, key);
  for (const LayoutKey& key : kZoneOnlyKeys) {
    if (GetParam().zone) {
      ExpectKeyInSlot(state_, key);
    } else {
      EXPECT_EQ(DeviceIndexOfSlot(state_, key.slot), kNoDeviceKey) << key.name;
    }
  }
}

// Every key the keyboard reports has exactly one slot; the zone keyboard's extra keys G1–G5 take
// the column of slots 16–20 in order.
TEST_P(KeySlotMappingTest, EveryKeyHasOneSlotAndTheExtraKeysTheirColumn) {
  std::map<std::uint32_t, int> slots_of_key;
  for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
    const std::uint32_t device_key = DeviceIndexOfSlot(state_, slot);
    if (device_key != kNoDeviceKey) ++slots_of_key[device_key];
  }
  for (std::uint32_t d = 0; d < state_.info.key_count(); ++d) {
    EXPECT_EQ(slots_of_key[d], 1) << "device key " << d;
  }
  for (std::uint8_t g = 1; g <= 5; ++g) {
    const std::size_t slot = 15 + g;
    if (!GetParam().zone) {
      EXPECT_EQ(DeviceIndexOfSlot(state_, slot), kNoDeviceKey) << slot;
      continue;
    }
    EXPECT_EQ(AssignmentOfSlot(state_, slot), (KeyAssignment{assignment_type::kExtraKey, 0xA2, g}))
        << slot;
  }
}

}  // namespace
}  // namespace vandrel::testing
