#include "device/hid_preparsed_data.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "device/sample_descriptors.h"

namespace vandrel {
namespace {

using testing::Bytes;
using testing::InApplication;

constexpr auto kInput = HidReportType::kInput;

HidPreparsedData Prepare(const Bytes& descriptor, std::uint32_t collection = 0) {
  std::optional<HidPreparsedData> prepared = HidPreparsedData::Prepare(descriptor, collection);
  if (!prepared) throw std::runtime_error("descriptor refused");
  return std::move(*prepared);
}

TEST(HidPreparsedDataTest, CapsOfEveryCollectionMatchItsDescriptor) {
  const struct {
    const char* name;
    Bytes descriptor;
    std::uint32_t collection;
    // usage, usage page, input, output, feature report byte lengths (report ID byte included),
    // input button and value caps, output button and value caps
    HidCaps expected;
  } cases[] = {
      {"boot mouse", testing::kBootMouse, 0, {0x02, 0x01, 4, 0, 0, 1, 2, 0, 0}},
      {"keyboard", testing::kKeyboardWithConsumer, 1, {0x06, 0x01, 9, 2, 0, 2, 0, 1, 0}},
      {"keyboard's consumer", testing::kKeyboardWithConsumer, 2, {0x01, 0x0C, 3, 0, 0, 1, 0, 0, 0}},
      {"vendor", testing::kVendorCollection, 0, {0x92, 0xFF1C, 64, 64, 0, 0, 1, 0, 1}},
      {"consumer to 0x0403", testing::kConsumerTo0403, 0, {0x01, 0x0C, 3, 0, 0, 1, 0, 0, 0}},
      {"several: mouse", testing::SeveralCollections(), 1, {0x02, 0x01, 6, 0, 0, 1, 2, 0, 0}},
      {"several: consumer", testing::SeveralCollections(), 2, {0x01, 0x0C, 3, 0, 0, 1, 0, 0, 0}},
      {"several: vendor", testing::SeveralCollections(), 3, {0x92, 0xFF1C, 64, 64, 0, 0, 1, 0, 1}},
  };
  for (const auto& device : cases) {
    SCOPED_TRACE(device.name);
    const HidCaps caps = Prepare(device.descriptor, device.collection).caps();
    const HidCaps& expected = device.expected;
    EXPECT_EQ(caps.usage, expected.usage);
    EXPECT_EQ(caps.usage_page, expected.usage_page);
    EXPECT_EQ(caps.input_report_byte_length, expected.input_report_byte_length);
    EXPECT_EQ(caps.output_report_byte_length, expected.output_report_byte_length);
    EXPECT_EQ(caps.feature_report_byte_length, expected.feature_report_byte_length);
    EXPECT_EQ(caps.number_input_button_caps, expected.number_input_button_caps);
    EXPECT_EQ(caps.number_input_value_caps, expected.number_input_value_caps);
    EXPECT_EQ(caps.number_output_button_caps, expected.number_output_button_caps);
    EXPECT_EQ(caps.number_output_value_caps, expected.number_output_value_caps);
  }
}

TEST(HidPreparsedDataTest, KeyboardButtonCapsAndTheLongestUsageLists) {
  const HidPreparsedData keyboard = Prepare(testing::kKeyboardWithConsumer, 1);
  const auto input = keyboard.button_caps(kInput);
  ASSERT_EQ(input.size(), 2U);
  EXPECT_EQ(input[0].usage_page, 0x07);
  EXPECT_EQ(input[0].report_id, 1);
  EXPECT_EQ(input[0].usage_minimum, 0xE0);
  EXPECT_EQ(input[0].usage_maximum, 0xE7);
  EXPECT_EQ(input[1].usage_maximum, 0x65);
  // Eight modifier bits and six array elements can all report a keyboard usage at once.
  EXPECT_EQ(keyboard.MaxUsageListLength(kInput, 0x07), 14U);
  EXPECT_EQ(keyboard.MaxUsageListLength(HidReportType::kOutput, 0x08), 5U);
  EXPECT_EQ(keyboard.MaxUsageListLength(kInput, 0x0C), 0U);

  // Buttons 1 to 16 declared over only 4 bits name only buttons 1 to 4.
  const HidPreparsedData pad =
      Prepare(InApplication({0x05, 0x09, 0x19, 0x01, 0x29, 0x10, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01,
                             0x95, 0x04, 0x81, 0x02}));
  ASSERT_EQ(pad.button_caps(kInput).size(), 1U);
  EXPECT_EQ(pad.button_caps(kInput)[0].usage_maximum, 4);
  EXPECT_EQ(pad.MaxUsageListLength(kInput, 0x09), 4U);
}

TEST(HidPreparsedDataTest, UsagesOnComeFromBitsAndArrayElementsAsFarAsTheListHolds) {
  const HidPreparsedData keyboard = Prepare(testing::kKeyboardWithConsumer, 1);
  // Left Shift held, then A and B in the key array.
  const std::array<std::uint8_t, 9> report = {1, 0x02, 0, 0x04, 0x05, 0, 0, 0, 0};
  std::array<std::uint16_t, 14> usages{};
  std::size_t count = 0;
  EXPECT_EQ(keyboard.GetUsages(kInput, 0x07, report, usages, count), HidStatus::kSuccess);
  ASSERT_EQ(count, 3U);
  EXPECT_EQ(usages[0], 0xE1);
  EXPECT_EQ(usages[1], 0x04);
  EXPECT_EQ(usages[2], 0x05);
  std::array<std::uint16_t, 2> too_few{};
  EXPECT_EQ(keyboard.GetUsages(kInput, 0x07, report, too_few, count), HidStatus::kBufferTooSmall);
  EXPECT_EQ(count, 2U);
}

TEST(HidPreparsedDataTest, ValuesAreFoundByUsageWithinTheirOwnReport) {
  // Report 1 carries X, report 2 carries Y and Z, one byte each.
  const HidPreparsedData joystick = Prepare(InApplication({
      0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x01,        // Logical 0 to 255, 1 x 8
      0x85, 0x01, 0x09, 0x30, 0x81, 0x02,                          // Report ID (1), X
      0x85, 0x02, 0x09, 0x31, 0x09, 0x32, 0x95, 0x02, 0x81, 0x02,  // Report ID (2), Y, Z
  }));
  const std::array<std::uint8_t, 3> report = {2, 0x11, 0x22};
  std::uint32_t value = 0;
  EXPECT_EQ(joystick.GetUsageValue(kInput, 0x01, 0x32, report, value), HidStatus::kSuccess);
  EXPECT_EQ(value, 0x22U);
  EXPECT_EQ(joystick.GetUsageValue(kInput, 0x01, 0x30, report, value),
            HidStatus::kIncompatibleReportId);
  EXPECT_EQ(joystick.GetUsageValue(kInput, 0x09, 0x31, report, value), HidStatus::kUsageNotFound);
}

TEST(HidPreparsedDataTest, ScaledValuesMapTheLogicalOntoThePhysicalRange) {
  const struct {
    const char* name;
    Bytes bounds;  // logical and physical minimum and maximum items
    std::uint8_t raw;
    HidStatus status;
    std::int32_t scaled;
  } cases[] = {
      {"no physical range", {0x15, 0x81, 0x25, 0x7F}, 0xF0, HidStatus::kSuccess, -16},
      {"physical 0 to 1000",
       {0x15, 0x00, 0x26, 0xFF, 0x00, 0x35, 0x00, 0x46, 0xE8, 0x03},
       51,
       HidStatus::kSuccess,
       200},
      {"signed onto signed",
       {0x15, 0x81, 0x25, 0x7F, 0x36, 0x0A, 0xFB, 0x46, 0xF6, 0x04},
       0x81,
       HidStatus::kSuccess,
       -1270},
      {"outside, with a null state", {0x15, 0x01, 0x25, 0x08}, 0, HidStatus::kNull, 0},
      {"physical range backwards",
       {0x15, 0x00, 0x25, 0x10, 0x35, 0x10, 0x45, 0x01},
       3,
       HidStatus::kBadLogPhyValues,
       0},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    const HidPreparsedData prepared = Prepare(InApplication(
        testing::Concatenate({entry.bounds, {0x75, 0x08, 0x95, 0x01, 0x09, 0x30, 0x81, 0x42}})));
    const std::array<std::uint8_t, 2> report = {0, entry.raw};
    std::int32_t scaled = 12345;
    EXPECT_EQ(prepared.GetScaledUsageValue(kInput, 0x01, 0x30, report, scaled), entry.status);
    EXPECT_EQ(scaled, entry.scaled);
  }
}

}  // namespace
}  // namespace vandrel
