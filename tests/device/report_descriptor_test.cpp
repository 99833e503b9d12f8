#include "device/report_descriptor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "device/sample_descriptors.h"

namespace vandrel {
namespace {

using testing::Bytes;
using ::testing::ElementsAre;
using testing::InApplication;

UsageRun Single(std::uint16_t page, std::uint16_t usage) { return {page, usage, usage, false}; }
UsageRun Range(std::uint16_t page, std::uint16_t low, std::uint16_t high) {
  return {page, low, high, true};
}

Bytes Repeated(std::size_t times, const Bytes& part) {
  Bytes joined;
  for (std::size_t i = 0; i < times; ++i) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

TEST(ReportDescriptorTest, BootMouseFieldsLieSideBySideInOneReport) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(testing::kBootMouse);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_FALSE(parsed->uses_report_ids);
  ASSERT_EQ(parsed->collections.size(), 1U);
  const TopLevelCollection& mouse = parsed->collections[0];
  EXPECT_EQ(mouse.usage, 0x02);  // the application collection's, not the nested pointer's
  ASSERT_EQ(mouse.fields.size(), 3U);
  EXPECT_THAT(mouse.fields[0].usages, ElementsAre(Range(0x09, 1, 3)));
  EXPECT_TRUE(mouse.fields[1].IsConstant());
  EXPECT_EQ(mouse.fields[1].bit_offset, 3U);
  const ReportField& motion = mouse.fields[2];
  EXPECT_EQ(motion.bit_offset, 8U);
  EXPECT_EQ(motion.EndBit(), 24U);
  EXPECT_EQ(motion.logical_minimum, -127);
  EXPECT_EQ(motion.logical_maximum, 127);
  EXPECT_THAT(motion.usages, ElementsAre(Single(0x01, 0x30), Single(0x01, 0x31)));
}

TEST(ReportDescriptorTest, PopRestoresEveryGlobalThatWasPushed) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(InApplication({
      0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x01,  // Logical 0 to 255, 1 x 8 bits
      0xA4,                                                  // Push
      0x05, 0x09, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08,        //   Buttons, Logical 0 to 1, 8 x 1
      0x19, 0x01, 0x29, 0x08, 0x81, 0x02,                    //   Buttons 1 to 8, Input
      0xB4,                                                  // Pop
      0x09, 0x30, 0x81, 0x02,                                // Usage (X), Input
  }));
  ASSERT_TRUE(parsed.has_value());
  const std::vector<ReportField>& fields = parsed->collections[0].fields;
  ASSERT_EQ(fields.size(), 2U);
  EXPECT_EQ(fields[1].bit_offset, 8U);
  EXPECT_EQ(fields[1].bit_size, 8U);
  EXPECT_EQ(fields[1].count, 1U);
  EXPECT_EQ(fields[1].logical_maximum, 255);
  EXPECT_THAT(fields[1].usages, ElementsAre(Single(0x01, 0x30)));
}

TEST(ReportDescriptorTest, ExtendedUsagesCarryTheirOwnPageAndLongItemsAreSkipped) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(InApplication({
      0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95,
      0x02, 0xFE, 0x03, 0xF0, 0x09, 0x30, 0x81,  // a long item whose data looks like items
      0x0B, 0xE9, 0x00, 0x0C, 0x00,              // Usage (Consumer: Volume Increment)
      0x09, 0x30,                                // Usage (X): Generic Desktop, the page in force
      0x81, 0x02,                                // Input (Data, Variable)
      0x1B, 0x01, 0x00, 0x09, 0x00,              // Usage Minimum (Button 1)
      0x2B, 0x04, 0x00, 0x09, 0x00,              // Usage Maximum (Button 4)
      0x95, 0x04, 0x81, 0x02,                    // 4 x 1 bit, Input (Data, Variable)
  }));
  ASSERT_TRUE(parsed.has_value());
  const std::vector<ReportField>& fields = parsed->collections[0].fields;
  ASSERT_EQ(fields.size(), 2U);
  EXPECT_THAT(fields[0].usages, ElementsAre(Single(0x0C, 0xE9), Single(0x01, 0x30)));
  EXPECT_THAT(fields[1].usages, ElementsAre(Range(0x09, 1, 4)));
}

TEST(ReportDescriptorTest, LogicalMaximumIsUnsignedUnlessTheMinimumIsNegative) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(InApplication({
      0x75, 0x08, 0x95, 0x01, 0x09, 0x30,  //
      0x15, 0x00, 0x25, 0xFF, 0x81, 0x02,  // Logical 0 to 0xFF: 0 to 255
      0x15, 0x80, 0x25, 0xFF, 0x81, 0x02,  // Logical 0x80 to 0xFF: -128 to -1
  }));
  ASSERT_TRUE(parsed.has_value());
  const std::vector<ReportField>& fields = parsed->collections[0].fields;
  ASSERT_EQ(fields.size(), 2U);
  EXPECT_EQ(fields[0].logical_maximum, 255);
  EXPECT_EQ(fields[1].logical_minimum, -128);
  EXPECT_EQ(fields[1].logical_maximum, -1);
}

TEST(ReportDescriptorTest, MalformedDescriptorsAreRefusedAsAWhole) {
  const struct {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"value cut short", {0x05, 0x01, 0xA1, 0x01, 0x26, 0xFF}},
      {"long item cut short", {0x05, 0x01, 0xA1, 0x01, 0xFE, 0x05, 0x10, 0x00, 0xC0}},
      {"long item header cut short", {0x05, 0x01, 0xA1, 0x01, 0xC0, 0xFE, 0x00}},
      {"collection left open", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01}},
      {"collection closed twice", {0x05, 0x01, 0xA1, 0x01, 0xC0, 0xC0}},
      {"pop with nothing pushed", InApplication({0xB4})},
      {"report ID 0", InApplication({0x85, 0x00})},
      {"report ID 256", InApplication({0x86, 0x00, 0x01})},
      {"input outside every collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
      {"usage range backwards",
       InApplication({0x75, 0x01, 0x95, 0x01, 0x19, 0x05, 0x29, 0x01, 0x81, 0x02})},
      {"usage range over two pages",
       InApplication({0x75, 0x01, 0x95, 0x01, 0x1B, 0x01, 0x00, 0x09, 0x00, 0x2B, 0x05, 0x00, 0x0C,
                      0x00, 0x81, 0x02})},
      {"report too long", InApplication({0x75, 0x20, 0x96, 0xFF, 0xFF, 0x81, 0x02})},
      {"report growing too long",
       InApplication(Repeated(4, {0x75, 0x20, 0x96, 0x00, 0x04, 0x81, 0x02}))},
      {"globals pushed too deep", InApplication(Repeated(17, {0xA4}))},
      {"collections nested too deep",
       testing::Concatenate({Repeated(33, {0xA1, 0x00}), Repeated(33, {0xC0})})},
      {"descriptor too long", Bytes(kMaxReportDescriptorSize + 1, 0)},
  };
  for (const auto& malformed : cases) {
    EXPECT_FALSE(ParseReportDescriptor(malformed.bytes).has_value()) << malformed.what;
  }
  EXPECT_TRUE(ParseReportDescriptor(Bytes(kMaxReportDescriptorSize, 0)).has_value());
}

TEST(ReportDescriptorTest, NoProperPrefixReadsAsTheWholeDescriptor) {
  const Bytes& whole = testing::kKeyboardWithConsumer;
  ASSERT_EQ(ParseReportDescriptor(whole)->collections.size(), 2U);
  for (std::size_t length = 0; length < whole.size(); ++length) {
    const auto prefix = ParseReportDescriptor(std::span(whole).first(length));
    if (prefix) {
      EXPECT_LT(prefix->collections.size(), 2U) << length << " bytes";
    }
  }
}

}  // namespace
}  // namespace vandrel
