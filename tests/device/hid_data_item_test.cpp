#include "device/hid_data_item.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "device/sample_descriptors.h"

namespace vandrel {
namespace {

using testing::Bytes;
using ::testing::ElementsAre;
using testing::InApplication;

struct Prepared {
  HidPreparsedData preparsed;
  std::vector<HidDataItem> input;
};

Prepared Prepare(const Bytes& descriptor, std::uint32_t collection = 0) {
  std::optional<HidPreparsedData> preparsed = HidPreparsedData::Prepare(descriptor, collection);
  if (!preparsed) throw std::runtime_error("descriptor refused");
  std::optional<std::vector<HidDataItem>> items = BuildDataItems(*preparsed, HidReportType::kInput);
  if (!items) throw std::runtime_error("items refused");
  return {std::move(*preparsed), std::move(*items)};
}

std::uint16_t FirstUsage(const Prepared& prepared) { return prepared.input.at(0).usage_list.at(0); }

TEST(UnpackInputReportTest, BootMouseButtonsAndMotion) {
  Prepared mouse = Prepare(testing::kBootMouse);
  ASSERT_EQ(mouse.input.size(), 3U);  // one button item, then one item per value usage
  EXPECT_EQ(mouse.input[0].usage_list.size(), 3U);
  const std::array<std::uint8_t, 4> report = {0x00, 0b101, 0x10, 0xF0};
  EXPECT_EQ(UnpackInputReport(mouse.input, report, mouse.preparsed), 1);
  EXPECT_THAT(mouse.input[0].usage_list, ElementsAre(1, 3, 0));
  EXPECT_EQ(mouse.input[1].usage, 0x30);
  EXPECT_EQ(mouse.input[1].raw_value, 0x10U);
  EXPECT_EQ(mouse.input[1].scaled_value, 16);
  EXPECT_EQ(mouse.input[2].raw_value, 0xF0U);
  EXPECT_EQ(mouse.input[2].scaled_value, -16);
  for (const HidDataItem& item : mouse.input) {
    EXPECT_TRUE(item.is_set);
    EXPECT_EQ(item.status, HidStatus::kSuccess);
  }
}

TEST(UnpackInputReportTest, EachButtonItemKeepsOnlyTheUsagesOfItsOwnRange) {
  Prepared keyboard = Prepare(testing::kKeyboardWithConsumer, 1);
  // Left Shift held, A and B in the key array: both items of the keyboard page see all three
  // usages, and each drops those outside its range.
  const std::array<std::uint8_t, 9> report = {1, 0x02, 0, 0x04, 0x05, 0, 0, 0, 0};
  EXPECT_EQ(UnpackInputReport(keyboard.input, report, keyboard.preparsed), 1);
  ASSERT_EQ(keyboard.input.size(), 2U);
  EXPECT_EQ(keyboard.input[0].usage_list[0], 0xE1);
  EXPECT_EQ(keyboard.input[0].usage_list[1], 0);
  EXPECT_EQ(keyboard.input[1].usage_list[0], 0x04);
  EXPECT_EQ(keyboard.input[1].usage_list[1], 0x05);
  EXPECT_EQ(keyboard.input[1].usage_list[2], 0);
  // Releasing everything clears what the last report left.
  const std::array<std::uint8_t, 9> released = {1, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(UnpackInputReport(keyboard.input, released, keyboard.preparsed), 1);
  EXPECT_EQ(keyboard.input[0].usage_list[0], 0);
  EXPECT_EQ(keyboard.input[1].usage_list[0], 0);

  Prepared consumer = Prepare(testing::kKeyboardWithConsumer, 2);
  EXPECT_EQ(UnpackInputReport(consumer.input, std::array<std::uint8_t, 3>{2, 0xE9, 0x00},
                              consumer.preparsed),
            1);
  EXPECT_EQ(FirstUsage(consumer), 0xE9);
}

TEST(UnpackInputReportTest, ConsumerControlSelectsUsagesUpTo0403) {
  const struct {
    std::array<std::uint8_t, 3> report;
    std::uint16_t first_usage;  // 0: none
  } cases[] = {
      {{3, 0x01, 0x04}, 0x0401}, {{3, 0x02, 0x04}, 0x0402}, {{3, 0x03, 0x04}, 0x0403},
      {{3, 0x04, 0x04}, 0},  // beyond the logical maximum: selects nothing
      {{3, 0x00, 0x00}, 0},  // released
  };
  Prepared consumer = Prepare(testing::kConsumerTo0403);
  ASSERT_EQ(consumer.input.size(), 1U);
  for (const auto& entry : cases) {
    EXPECT_EQ(UnpackInputReport(consumer.input, entry.report, consumer.preparsed), 1);
    EXPECT_EQ(FirstUsage(consumer), entry.first_usage) << int{entry.report[1]};
  }
}

TEST(UnpackInputReportTest, AReportOfAnotherIdLeavesEveryItemUntouched) {
  Prepared consumer = Prepare(testing::kConsumerTo0403);
  ASSERT_EQ(UnpackInputReport(consumer.input, std::array<std::uint8_t, 3>{3, 0x01, 0x04},
                              consumer.preparsed),
            1);
  consumer.input[0].is_set = false;
  EXPECT_EQ(UnpackInputReport(consumer.input, std::array<std::uint8_t, 3>{7, 0x02, 0x04},
                              consumer.preparsed),
            1);
  EXPECT_FALSE(consumer.input[0].is_set);
  EXPECT_EQ(FirstUsage(consumer), 0x0401);
}

TEST(UnpackInputReportTest, AShortReportFailsItsItemsInsteadOfBeingReadPastItsEnd) {
  Prepared mouse = Prepare(testing::kBootMouse);
  ASSERT_EQ(
      UnpackInputReport(mouse.input, std::array<std::uint8_t, 4>{0, 0b111, 1, 1}, mouse.preparsed),
      1);
  EXPECT_EQ(UnpackInputReport(mouse.input, std::array<std::uint8_t, 2>{0, 0b001}, mouse.preparsed),
            0);
  EXPECT_EQ(mouse.input[0].status, HidStatus::kInvalidReportLength);
  EXPECT_THAT(mouse.input[0].usage_list, ElementsAre(0, 0, 0));
  EXPECT_EQ(mouse.input[1].status, HidStatus::kInvalidReportLength);
  EXPECT_EQ(UnpackInputReport(mouse.input, std::span<const std::uint8_t>(), mouse.preparsed), 0);
}

TEST(UnpackInputReportTest, ValueItemsOfVendorReportsAndUsageRanges) {
  Prepared vendor = Prepare(testing::kVendorCollection);
  ASSERT_EQ(vendor.input.size(), 1U);
  std::array<std::uint8_t, 64> report{4, 0x2A};
  EXPECT_EQ(UnpackInputReport(vendor.input, report, vendor.preparsed), 1);
  EXPECT_EQ(vendor.input[0].raw_value, 0x2AU);  // the first byte of the 63-byte value array

  Prepared stick = Prepare(InApplication({0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x03,
                                          0x19, 0x30, 0x29, 0x32, 0x81, 0x02}));  // X to Z
  ASSERT_EQ(stick.input.size(), 3U);
  EXPECT_EQ(
      UnpackInputReport(stick.input, std::array<std::uint8_t, 4>{0, 10, 20, 30}, stick.preparsed),
      1);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(stick.input[i].usage, 0x30 + i);
    EXPECT_EQ(stick.input[i].raw_value, 10 * (i + 1));
  }
}

TEST(BuildDataItemsTest, HugeItemListsAreRefused) {
  // 16385 two-bit values, one item each.
  const auto many_values = HidPreparsedData::Prepare(
      InApplication({0x75, 0x02, 0x96, 0x01, 0x40, 0x19, 0x00, 0x2A, 0xFF, 0xFF, 0x81, 0x02}), 0);
  ASSERT_TRUE(many_values.has_value());
  EXPECT_FALSE(BuildDataItems(*many_values, HidReportType::kInput).has_value());
  // 120 array usages, each a button item whose list must hold all 12000 elements.
  Bytes usages;
  for (std::uint8_t usage = 1; usage <= 120; ++usage) usages.insert(usages.end(), {0x09, usage});
  const auto long_lists = HidPreparsedData::Prepare(
      InApplication(testing::Concatenate(
          {{0x15, 0x00, 0x25, 0x7F, 0x75, 0x08, 0x96, 0xE0, 0x2E}, usages, {0x81, 0x00}})),
      0);
  ASSERT_TRUE(long_lists.has_value());
  EXPECT_FALSE(BuildDataItems(*long_lists, HidReportType::kInput).has_value());
}

}  // namespace
}  // namespace vandrel
