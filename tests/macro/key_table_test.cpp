// The key table's rows checked against the HID Keyboard/Keypad page and the Windows key codes,
// and the lookups the key pages and the macro recorder make in it.
#include "macro/key_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vandrel {
namespace {

constexpr std::size_t kModifierCount = 8;

const KeyRow& RowLabelled(std::string_view label) {
  const std::string id = "keyboard_key_" + std::string(label);
  for (const KeyRow& row : KeyDisplayRows()) {
    if (row.id == id) return row;
  }
  ADD_FAILURE() << "no row " << id;
  static const KeyRow kNone{};
  return kNone;
}

TEST(KeyTableTest, HoldsTheKeysThenTheDisplayRows) {
  ASSERT_EQ(KeyTable().size(), 104u);
  ASSERT_EQ(KeyDisplayRows().size(), 125u);
  EXPECT_EQ(KeyDisplayRows().data(), KeyTable().data());
  for (const KeyRow& row : KeyTable()) EXPECT_EQ(row.type, 0x20) << row.id;
  for (const KeyRow& row : KeyDisplayRows().subspan(104)) {
    EXPECT_TRUE(row.type == 0x30 || row.type == 0x40) << row.id;
  }
}

TEST(KeyTableTest, OnlyTheFirstEightRowsAreModifiersWithTheirBitsInOrder) {
  const auto keys = KeyTable();
  for (std::size_t i = 0; i < kModifierCount; ++i) {
    EXPECT_EQ(keys[i].param1, 1u << i) << keys[i].id;
    EXPECT_EQ(keys[i].param2, 0) << keys[i].id;
  }
  for (const KeyRow& row : keys.subspan(kModifierCount)) {
    EXPECT_EQ(row.param1, 0) << row.id;
    EXPECT_NE(row.param2, 0) << row.id;
  }
}

TEST(KeyTableTest, KeysCoverEveryUsageFromAToAppInOrderExceptTheNonUsKeys) {
  std::vector<std::uint8_t> expected;
  for (int usage = 0x04; usage <= 0x65; ++usage) {
    if (usage != 0x32 && usage != 0x64) expected.push_back(static_cast<std::uint8_t>(usage));
  }
  std::vector<std::uint8_t> usages;
  for (const KeyRow& row : KeyTable().subspan(kModifierCount)) usages.push_back(row.param2);
  EXPECT_EQ(usages, expected);
}

TEST(KeyTableTest, LabelsNameTheirUsages) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const KeyRow& row = RowLabelled(std::string(1, letter));
    EXPECT_EQ(row.param2, 0x04 + (letter - 'A')) << letter;
    EXPECT_EQ(row.virtual_key, letter);
  }
  for (int n = 1; n <= 12; ++n) {
    const KeyRow& row = RowLabelled("F" + std::to_string(n));
    EXPECT_EQ(row.param2, 0x3A + n - 1);
    EXPECT_EQ(row.virtual_key, 0x70 + n - 1);
  }
  for (int n = 0; n <= 9; ++n) {
    EXPECT_EQ(RowLabelled(std::to_string(n)).virtual_key, '0' + n);
    EXPECT_EQ(RowLabelled("Num " + std::to_string(n)).virtual_key, 0x60 + n);
  }
  EXPECT_EQ(RowLabelled("xiegang").param2, 0x31);
  EXPECT_EQ(RowLabelled("<").param2, 0x36);
  EXPECT_EQ(RowLabelled("App").param2, 0x65);
  EXPECT_EQ(RowLabelled("Num Enter").param2, 0x58);
  EXPECT_EQ(RowLabelled("Num Enter").virtual_key, 0x101);
}

TEST(KeyTableTest, KeysHaveDistinctCodesAndIdentifiers) {
  std::set<std::uint16_t> codes;
  std::set<std::string_view> ids;
  for (const KeyRow& row : KeyTable()) {
    EXPECT_TRUE(codes.insert(row.virtual_key).second) << row.id;
    EXPECT_TRUE(ids.insert(row.id).second) << row.id;
  }
}

TEST(KeyTableTest, FindKeyLooksOnlyAmongTheKeys) {
  ASSERT_NE(FindKey(0x101), nullptr);
  EXPECT_EQ(FindKey(0x101)->id, "keyboard_key_Num Enter");
  EXPECT_EQ(FindKey(0xB7), nullptr);   // a display row's code: the calculator key
  EXPECT_EQ(FindKey(0x103), nullptr);  // power
}

TEST(KeyTableTest, FindDisplayRowTakesTheFirstRowWithBothParametersIgnoringTheType) {
  ASSERT_NE(FindDisplayRow(0, 0x04), nullptr);
  EXPECT_EQ(FindDisplayRow(0, 0x04)->id, "keyboard_key_A");
  EXPECT_EQ(FindDisplayRow(0xCD, 0)->id, "keyboard_key_Media Play Pause");
  EXPECT_EQ(FindDisplayRow(4, 0)->id, "keyboard_key_LAlt");  // not system wake-up
  EXPECT_EQ(FindDisplayRow(0x83, 0x01), &KeyDisplayRows()[120]);
  EXPECT_EQ(KeyDisplayRows()[121].id, KeyDisplayRows()[120].id);
  EXPECT_EQ(FindDisplayRow(0, 0), nullptr);
  EXPECT_EQ(FindDisplayRow(0x01, 0x06), nullptr);
}

TEST(KeyTableTest, ReturnWithTheExtendedFlagIsKeypadEnter) {
  EXPECT_EQ(HookedVirtualKey(0x0D, 1), 0x101);
  EXPECT_EQ(HookedVirtualKey(0x0D, 129), 0x101);
  EXPECT_EQ(HookedVirtualKey(0x0D, 0), 0x0D);
  EXPECT_EQ(HookedVirtualKey(0x0D, 3), 0x0D);
  EXPECT_EQ(HookedVirtualKey(0x41, 1), 0x41);
}

}  // namespace
}  // namespace vandrel
