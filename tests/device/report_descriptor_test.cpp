#include "device/report_descriptor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "device/sample_descriptors.h"

namespace vandrel {
namespace {

using testing::Bytes;
using ::testing::ElementsAre;
using testing::InApplication;

constexpr std::uint16_t kGenericDesktop = 0x01;
constexpr std::uint16_t kButtonPage = 0x09;
constexpr std::uint16_t kConsumerPage = 0x0C;

UsageRun Single(std::uint16_t page, std::uint16_t usage) { return {page, usage, usage, false}; }
UsageRun Range(std::uint16_t page, std::uint16_t low, std::uint16_t high) {
  return {page, low, high, true};
}

TEST(ReportDescriptorTest, BootMouseFieldsLieSideBySideInOneReport) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(testing::kBootMouse);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_FALSE(parsed->uses_report_ids);
  ASSERT_EQ(parsed->collections.size(), 1U);
  const TopLevelCollection& mouse = parsed->collections[0];
  EXPECT_EQ(mouse.usage_page, kGenericDesktop);
  EXPECT_EQ(mouse.usage, 0x02);  // the application collection's, not the nested pointer's
  ASSERT_EQ(mouse.fields.size(), 3U);

  const ReportField& buttons = mouse.fields[0];
  EXPECT_EQ(buttons.bit_offset, 0U);
  EXPECT_EQ(buttons.bit_size, 1U);
  EXPECT_EQ(buttons.count, 3U);
  EXPECT_FALSE(buttons.IsArray());
  EXPECT_THAT(buttons.usages, ElementsAre(Range(kButtonPage, 1, 3)));

  const ReportField& padding = mouse.fields[1];
  EXPECT_TRUE(padding.IsConstant());
  EXPECT_EQ(padding.bit_offset, 3U);
  EXPECT_TRUE(padding.usages.empty());

  const ReportField& motion = mouse.fields[2];
  EXPECT_EQ(motion.bit_offset, 8U);
  EXPECT_EQ(motion.EndBit(), 24U);
  EXPECT_EQ(motion.logical_minimum, -127);
  EXPECT_EQ(motion.logical_maximum, 127);
  EXPECT_NE(motion.flags & kFieldRelative, 0U);
  EXPECT_THAT(motion.usages,
              ElementsAre(Single(kGenericDesktop, 0x30), Single(kGenericDesktop, 0x31)));
}

TEST(ReportDescriptorTest, SeveralTopLevelCollectionsKeepTheirOwnReports) {
  const std::optional<ReportDescriptor> parsed =
      ParseReportDescriptor(testing::SeveralCollections());
  ASSERT_TRUE(parsed.has_value());
  EXPECT_TRUE(parsed->uses_report_ids);
  ASSERT_EQ(parsed->collections.size(), 3U);

  const struct {
    std::uint16_t page;
    std::uint16_t usage;
    std::uint8_t report_id;
    std::size_t fields;
  } expected[] = {{kGenericDesktop, 0x02, 1, 3}, {kConsumerPage, 0x01, 3, 1}, {0xFF1C, 0x92, 4, 2}};
  for (std::size_t i = 0; i < parsed->collections.size(); ++i) {
    SCOPED_TRACE("collection " + std::to_string(i));
    const TopLevelCollection& collection = parsed->collections[i];
    EXPECT_EQ(collection.usage_page, expected[i].page);
    EXPECT_EQ(collection.usage, expected[i].usage);
    ASSERT_EQ(collection.fields.size(), expected[i].fields);
    for (const ReportField& field : collection.fields) {
      EXPECT_EQ(field.report_id, expected[i].report_id);
    }
  }
  // Every report counts its bits from its own start: the consumer report does not follow the
  // mouse report, and the vendor output report does not follow the vendor input report.
  EXPECT_EQ(parsed->collections[0].fields[2].bit_offset, 8U);
  EXPECT_EQ(parsed->collections[0].fields[2].logical_minimum, -32768);
  EXPECT_EQ(parsed->collections[1].fields[0].bit_offset, 0U);
  EXPECT_EQ(parsed->collections[2].fields[1].type, HidReportType::kOutput);
  EXPECT_EQ(parsed->collections[2].fields[1].bit_offset, 0U);
}

TEST(ReportDescriptorTest, LongItemsAreSkipped) {
  Bytes with_long_item = testing::kVendorCollection;
  const Bytes long_item = {0xFE, 0x03, 0xF0, 0x11, 0x22, 0x33};
  with_long_item.insert(with_long_item.begin() + 7, long_item.begin(), long_item.end());
  const std::optional<ReportDescriptor> plain = ParseReportDescriptor(testing::kVendorCollection);
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(with_long_item);
  ASSERT_TRUE(plain.has_value());
  ASSERT_TRUE(parsed.has_value());
  ASSERT_EQ(parsed->collections.size(), 1U);
  ASSERT_EQ(parsed->collections[0].fields.size(), plain->collections[0].fields.size());
  EXPECT_EQ(parsed->collections[0].fields[0].count, 63U);
  EXPECT_EQ(parsed->collections[0].fields[0].report_id, 4U);
}

TEST(ReportDescriptorTest, PopRestoresEveryGlobalThatWasPushed) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(InApplication({
      0x15, 0x00, 0x26, 0xFF, 0x00,  // Logical 0 to 255
      0x75, 0x08, 0x95, 0x01,        // 1 x 8 bits
      0xA4,                          // Push
      0x05, 0x09, 0x25, 0x01,        //   Button page, Logical Maximum (1)
      0x75, 0x01, 0x95, 0x08,        //   8 x 1 bit
      0x19, 0x01, 0x29, 0x08,        //   Buttons 1 to 8
      0x81, 0x02,                    //   Input (Data, Variable)
      0xB4,                          // Pop
      0x09, 0x30, 0x81, 0x02,        // Usage (X), Input (Data, Variable)
  }));
  ASSERT_TRUE(parsed.has_value());
  const std::vector<ReportField>& fields = parsed->collections[0].fields;
  ASSERT_EQ(fields.size(), 2U);
  EXPECT_THAT(fields[0].usages, ElementsAre(Range(kButtonPage, 1, 8)));
  EXPECT_EQ(fields[1].bit_size, 8U);
  EXPECT_EQ(fields[1].count, 1U);
  EXPECT_EQ(fields[1].logical_maximum, 255);
  EXPECT_THAT(fields[1].usages, ElementsAre(Single(kGenericDesktop, 0x30)));
}

TEST(ReportDescriptorTest, ExtendedUsagesCarryTheirOwnPage) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(InApplication({
      0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95,
      0x02, 0x0B, 0xE9, 0x00, 0x0C, 0x00,  // Usage (Consumer: Volume Increment)
      0x09, 0x30,                          // Usage (X): Generic Desktop, the page in force
      0x81, 0x02,                          // Input (Data, Variable)
      0x1B, 0x01, 0x00, 0x09, 0x00,        // Usage Minimum (Button 1)
      0x2B, 0x04, 0x00, 0x09, 0x00,        // Usage Maximum (Button 4)
      0x95, 0x04, 0x81, 0x02,              // 4 x 1 bit, Input (Data, Variable)
  }));
  ASSERT_TRUE(parsed.has_value());
  const std::vector<ReportField>& fields = parsed->collections[0].fields;
  ASSERT_EQ(fields.size(), 2U);
  EXPECT_THAT(fields[0].usages,
              ElementsAre(Single(kConsumerPage, 0xE9), Single(kGenericDesktop, 0x30)));
  EXPECT_THAT(fields[1].usages, ElementsAre(Range(kButtonPage, 1, 4)));
}

TEST(ReportDescriptorTest, ShortUsagesTakeThePageInForceAtTheirMainItem) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(InApplication({
      0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x01, 0x09,
      0x05,        // Usage (5), declared before its page
      0x05, 0x09,  // Usage Page (Button)
      0x81, 0x02,  // Input (Data, Variable)
  }));
  ASSERT_TRUE(parsed.has_value());
  EXPECT_THAT(parsed->collections[0].fields[0].usages, ElementsAre(Single(kButtonPage, 5)));
}

TEST(ReportDescriptorTest, LogicalMaximumIsUnsignedUnlessTheMinimumIsNegative) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(InApplication({
      0x75, 0x08, 0x95, 0x01, 0x09, 0x30, 0x15, 0x00,
      0x25, 0xFF, 0x81, 0x02,                          // Logical 0 to 0xFF: 0 to 255
      0x09, 0x31, 0x15, 0x80, 0x25, 0xFF, 0x81, 0x02,  // Logical 0x80 to 0xFF: -128 to -1
  }));
  ASSERT_TRUE(parsed.has_value());
  const std::vector<ReportField>& fields = parsed->collections[0].fields;
  ASSERT_EQ(fields.size(), 2U);
  EXPECT_EQ(fields[0].logical_maximum, 255);
  EXPECT_EQ(fields[1].logical_minimum, -128);
  EXPECT_EQ(fields[1].logical_maximum, -1);
}

TEST(ReportDescriptorTest, EmptyItemsChangeNothingAndNoCollectionIsNoError) {
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(Bytes(64, 0x00));
  ASSERT_TRUE(parsed.has_value());
  EXPECT_TRUE(parsed->collections.empty());
}

struct MalformedCase {
  const char* what;
  Bytes bytes;
};

class MalformedDescriptorTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedDescriptorTest, IsRefusedAsAWhole) {
  EXPECT_FALSE(ParseReportDescriptor(GetParam().bytes).has_value()) << GetParam().what;
}

Bytes Repeated(std::size_t times, const Bytes& part) {
  Bytes joined;
  for (std::size_t i = 0; i < times; ++i) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedDescriptorTest,
    ::testing::Values(
        MalformedCase{"value cut short", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x26, 0xFF}},
        MalformedCase{"long item cut short",
                      {0x05, 0x01, 0xA1, 0x01, 0xFE, 0x05, 0x10, 0x00, 0xC0}},
        MalformedCase{"long item header cut short", {0x05, 0x01, 0xA1, 0x01, 0xC0, 0xFE, 0x00}},
        MalformedCase{"collection left open", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01}},
        MalformedCase{"collection closed twice", {0x05, 0x01, 0xA1, 0x01, 0xC0, 0xC0}},
        MalformedCase{"pop with nothing pushed", InApplication({0xB4})},
        MalformedCase{"report ID 0", InApplication({0x85, 0x00})},
        MalformedCase{"report ID 256", InApplication({0x86, 0x00, 0x01})},
        MalformedCase{"input outside every collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
        MalformedCase{"usage range running backwards",
                      InApplication({0x75, 0x01, 0x95, 0x01, 0x19, 0x05, 0x29, 0x01, 0x81, 0x02})},
        MalformedCase{"usage range spanning two pages",
                      InApplication({0x75, 0x01, 0x95, 0x01, 0x1B, 0x01, 0x00, 0x09, 0x00, 0x2B,
                                     0x05, 0x00, 0x0C, 0x00, 0x81, 0x02})},
        MalformedCase{"report longer than any device sends",
                      InApplication({0x75, 0x20, 0x96, 0xFF, 0xFF, 0x81, 0x02})},
        MalformedCase{"reports adding up beyond the limit",
                      InApplication(Repeated(4, {0x75, 0x20, 0x96, 0x00, 0x04, 0x81, 0x02}))},
        MalformedCase{"globals pushed too deep", InApplication(Repeated(17, {0xA4}))},
        MalformedCase{"collections nested too deep",
                      testing::Concatenate({Repeated(33, {0xA1, 0x00}), Repeated(33, {0xC0})})},
        MalformedCase{"longer than a descriptor can be", Bytes(kMaxReportDescriptorSize + 1, 0)}));

TEST(ReportDescriptorTest, TheLongestDescriptorAllowedIsRead) {
  EXPECT_TRUE(ParseReportDescriptor(Bytes(kMaxReportDescriptorSize, 0)).has_value());
}

TEST(ReportDescriptorTest, NoProperPrefixReadsAsTheWholeDescriptor) {
  const Bytes whole = testing::kKeyboardWithConsumer;
  const std::optional<ReportDescriptor> complete = ParseReportDescriptor(whole);
  ASSERT_TRUE(complete.has_value());
  ASSERT_EQ(complete->collections.size(), 2U);
  for (std::size_t length = 0; length < whole.size(); ++length) {
    const std::optional<ReportDescriptor> prefix =
        ParseReportDescriptor(std::span(whole).first(length));
    if (prefix) {
      EXPECT_LT(prefix->collections.size(), 2U) << "prefix of " << length << " bytes";
    }
  }
}

}  // namespace
}  // namespace vandrel
