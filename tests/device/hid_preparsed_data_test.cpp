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
constexpr auto kOutput = HidReportType::kOutput;

HidPreparsedData PrepareOrDie(const Bytes& descriptor, std::uint32_t collection = 0) {
  std::optional<HidPreparsedData> prepared = HidPreparsedData::Prepare(descriptor, collection);
  if (!prepared) throw std::runtime_error("descriptor refused");
  return std::move(*prepared);
}

struct CapsCase {
  const char* name;
  Bytes descriptor;
  std::uint32_t collection;
  HidCaps expected;
};

class CapsTest : public ::testing::TestWithParam<CapsCase> {};

TEST_P(CapsTest, MatchTheDescriptor) {
  const std::optional<HidPreparsedData> prepared =
      HidPreparsedData::Prepare(GetParam().descriptor, GetParam().collection);
  ASSERT_TRUE(prepared.has_value());
  const HidCaps& caps = prepared->caps();
  const HidCaps& expected = GetParam().expected;
  EXPECT_EQ(caps.usage_page, expected.usage_page);
  EXPECT_EQ(caps.usage, expected.usage);
  EXPECT_EQ(caps.input_report_byte_length, expected.input_report_byte_length);
  EXPECT_EQ(caps.output_report_byte_length, expected.output_report_byte_length);
  EXPECT_EQ(caps.feature_report_byte_length, expected.feature_report_byte_length);
  EXPECT_EQ(caps.number_input_button_caps, expected.number_input_button_caps);
  EXPECT_EQ(caps.number_input_value_caps, expected.number_input_value_caps);
  EXPECT_EQ(caps.number_output_button_caps, expected.number_output_button_caps);
  EXPECT_EQ(caps.number_output_value_caps, expected.number_output_value_caps);
}

// Fields: usage, usage page, input, output and feature report byte lengths (report ID byte
// included), then input button and value caps, output button and value caps.
INSTANTIATE_TEST_SUITE_P(
    Devices, CapsTest,
    ::testing::Values(
        CapsCase{"BootMouse", testing::kBootMouse, 0, {0x02, 0x01, 4, 0, 0, 1, 2, 0, 0}},
        CapsCase{"Keyboard", testing::kKeyboardWithConsumer, 1, {0x06, 0x01, 9, 2, 0, 2, 0, 1, 0}},
        CapsCase{"KeyboardConsumer",
                 testing::kKeyboardWithConsumer,
                 2,
                 {0x01, 0x0C, 3, 0, 0, 1, 0, 0, 0}},
        CapsCase{"Vendor", testing::kVendorCollection, 0, {0x92, 0xFF1C, 64, 64, 0, 0, 1, 0, 1}},
        CapsCase{"ConsumerTo0403", testing::kConsumerTo0403, 0, {0x01, 0x0C, 3, 0, 0, 1, 0, 0, 0}},
        CapsCase{
            "SeveralMouse", testing::SeveralCollections(), 1, {0x02, 0x01, 6, 0, 0, 1, 2, 0, 0}},
        CapsCase{
            "SeveralConsumer", testing::SeveralCollections(), 2, {0x01, 0x0C, 3, 0, 0, 1, 0, 0, 0}},
        CapsCase{"SeveralVendor",
                 testing::SeveralCollections(),
                 3,
                 {0x92, 0xFF1C, 64, 64, 0, 0, 1, 0, 1}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(HidPreparsedDataTest, OnlyExistingCollectionsOfWellFormedDescriptorsArePrepared) {
  EXPECT_FALSE(HidPreparsedData::Prepare(testing::SeveralCollections(), 4).has_value());
  EXPECT_FALSE(HidPreparsedData::Prepare(Bytes{0x05, 0x01, 0xA1, 0x01}, 0).has_value());
  EXPECT_FALSE(HidPreparsedData::Prepare(Bytes{}, 0).has_value());
}

TEST(HidPreparsedDataTest, KeyboardButtonCapsAndUsageListLengths) {
  const HidPreparsedData keyboard = PrepareOrDie(testing::kKeyboardWithConsumer, 1);
  const auto input = keyboard.button_caps(kInput);
  ASSERT_EQ(input.size(), 2U);
  EXPECT_EQ(input[0].usage_page, 0x07);
  EXPECT_EQ(input[0].report_id, 1);
  EXPECT_TRUE(input[0].is_range);
  EXPECT_EQ(input[0].usage_minimum, 0xE0);
  EXPECT_EQ(input[0].usage_maximum, 0xE7);
  EXPECT_EQ(input[1].usage_minimum, 0x00);
  EXPECT_EQ(input[1].usage_maximum, 0x65);
  const auto output = keyboard.button_caps(kOutput);
  ASSERT_EQ(output.size(), 1U);
  EXPECT_EQ(output[0].usage_page, 0x08);
  EXPECT_EQ(output[0].usage_maximum, 5);
  // Eight modifier bits and six array elements can all report a keyboard usage at once.
  EXPECT_EQ(keyboard.MaxUsageListLength(kInput, 0x07), 14U);
  EXPECT_EQ(keyboard.MaxUsageListLength(kOutput, 0x08), 5U);
  EXPECT_EQ(keyboard.MaxUsageListLength(kInput, 0x0C), 0U);
  EXPECT_EQ(keyboard.ReportIds(kInput), std::vector<std::uint8_t>{1});
}

TEST(HidPreparsedDataTest, VariableButtonsNameOnlyTheUsagesTheyCover) {
  const HidPreparsedData pad = PrepareOrDie(InApplication({
      0x05, 0x09, 0x19, 0x01, 0x29, 0x10,  // Buttons 1 to 16 declared...
      0x15, 0x00, 0x25, 0x01, 0x75, 0x01,  //
      0x95, 0x04, 0x81, 0x02,              // ...but only 4 bits sent
      0x95, 0x04, 0x81, 0x01,              // padding
  }));
  ASSERT_EQ(pad.button_caps(kInput).size(), 1U);
  EXPECT_EQ(pad.button_caps(kInput)[0].usage_maximum, 4);
  EXPECT_EQ(pad.MaxUsageListLength(kInput, 0x09), 4U);
}

TEST(HidPreparsedDataTest, UsagesOnComeFromBitsAndArrayElements) {
  const HidPreparsedData keyboard = PrepareOrDie(testing::kKeyboardWithConsumer, 1);
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
  EXPECT_EQ(too_few[1], 0x04);
}

TEST(HidPreparsedDataTest, ReportsOfTheWrongSizeOrIdAreNotRead) {
  const HidPreparsedData keyboard = PrepareOrDie(testing::kKeyboardWithConsumer, 1);
  std::array<std::uint16_t, 14> usages{};
  std::size_t count = 7;
  const std::array<std::uint8_t, 8> short_report = {1, 0x02, 0, 0x04, 0, 0, 0, 0};
  EXPECT_EQ(keyboard.GetUsages(kInput, 0x07, short_report, usages, count),
            HidStatus::kInvalidReportLength);
  EXPECT_EQ(count, 0U);
  const std::array<std::uint8_t, 9> other_report = {2, 0x02, 0, 0x04, 0, 0, 0, 0, 0};
  EXPECT_EQ(keyboard.GetUsages(kInput, 0x07, other_report, usages, count),
            HidStatus::kIncompatibleReportId);
  EXPECT_EQ(keyboard.GetUsages(kInput, 0x07, std::span<const std::uint8_t>(), usages, count),
            HidStatus::kInvalidReportLength);
}

// Report 1 carries X, report 2 carries Y and Z, each one byte.
const Bytes kTwoValueReports = InApplication({
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x01,        // Logical 0 to 255, 1 x 8 bits
    0x85, 0x01, 0x09, 0x30, 0x81, 0x02,                          // Report ID (1), X
    0x85, 0x02, 0x09, 0x31, 0x09, 0x32, 0x95, 0x02, 0x81, 0x02,  // Report ID (2), Y and Z
});

TEST(HidPreparsedDataTest, ValuesAreFoundByUsageWithinTheirOwnReport) {
  const HidPreparsedData joystick = PrepareOrDie(kTwoValueReports);
  const std::array<std::uint8_t, 3> report = {2, 0x11, 0x22};
  std::uint32_t value = 0;
  EXPECT_EQ(joystick.GetUsageValue(kInput, 0x01, 0x32, report, value), HidStatus::kSuccess);
  EXPECT_EQ(value, 0x22U);
  EXPECT_EQ(joystick.GetUsageValue(kInput, 0x01, 0x30, report, value),
            HidStatus::kIncompatibleReportId);
  EXPECT_EQ(joystick.GetUsageValue(kInput, 0x01, 0x35, report, value), HidStatus::kUsageNotFound);
  EXPECT_EQ(joystick.GetUsageValue(kInput, 0x09, 0x31, report, value), HidStatus::kUsageNotFound);
}

struct ScaledCase {
  const char* name;
  Bytes bounds;  // logical and physical minimum and maximum items
  std::uint8_t raw;
  HidStatus status;
  std::int32_t scaled;
};

class ScaledValueTest : public ::testing::TestWithParam<ScaledCase> {};

TEST_P(ScaledValueTest, MapsTheLogicalOntoThePhysicalRange) {
  const HidPreparsedData prepared = PrepareOrDie(InApplication(
      testing::Concatenate({GetParam().bounds, {0x75, 0x08, 0x95, 0x01, 0x09, 0x30, 0x81, 0x42}})));
  const std::array<std::uint8_t, 2> report = {0, GetParam().raw};
  std::int32_t scaled = 12345;
  EXPECT_EQ(prepared.GetScaledUsageValue(kInput, 0x01, 0x30, report, scaled), GetParam().status);
  EXPECT_EQ(scaled, GetParam().scaled);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ScaledValueTest,
    ::testing::Values(
        ScaledCase{"NoPhysicalRange", {0x15, 0x81, 0x25, 0x7F}, 0xF0, HidStatus::kSuccess, -16},
        ScaledCase{"Physical0To1000",
                   {0x15, 0x00, 0x26, 0xFF, 0x00, 0x35, 0x00, 0x46, 0xE8, 0x03},
                   51,
                   HidStatus::kSuccess,
                   200},
        ScaledCase{"SignedOntoSigned",
                   {0x15, 0x81, 0x25, 0x7F, 0x36, 0x0A, 0xFB, 0x46, 0xF6, 0x04},
                   0x81,
                   HidStatus::kSuccess,
                   -1270},
        ScaledCase{"OutsideWithNullState", {0x15, 0x01, 0x25, 0x08}, 0, HidStatus::kNull, 0},
        ScaledCase{"BackwardsPhysicalRange",
                   {0x15, 0x00, 0x25, 0x10, 0x35, 0x10, 0x45, 0x01},
                   3,
                   HidStatus::kBadLogPhyValues,
                   0}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace vandrel
