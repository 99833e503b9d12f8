#include "cli/hid_description.h"

#include <gtest/gtest.h>

#include <vector>

namespace vandrel::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One collection without report IDs: a 12-bit value with a physical range and a null state, and
// 4 bits of padding.
const Bytes kValueDescriptor = {
    0x05, 0x01, 0x09, 0x04, 0xA1, 0x01,  // Generic Desktop, Joystick
    0x09, 0x30,                          //   Usage (X)
    0x15, 0x00, 0x26, 0xFF, 0x0F,        //   Logical 0 to 4095
    0x35, 0x00, 0x46, 0xE8, 0x03,        //   Physical 0 to 1000
    0x75, 0x0C, 0x95, 0x01, 0x81, 0x42,  //   12 bits, Input (Data, Variable, Null State)
    0x75, 0x04, 0x81, 0x03,              //   4 bits, Input (Constant)
    0xC0,
};

// Two collections, report IDs 1 and 2, one byte of buttons each.
const Bytes kTwoCollections = {
    0x05, 0x09, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x19, 0x01, 0x29, 0x08,
    0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0xC0,  // collection 1, report 1
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x09, 0xE9, 0x75, 0x08,
    0x95, 0x01, 0x91, 0x02, 0xC0,  // collection 2, report 2, output
};

TEST(HidDescriptionTest, ValuesShowTheirRangesAndAbsentReportTypesSayNone) {
  std::string error;
  const auto description = DescribeReportDescriptor(kValueDescriptor, error);
  ASSERT_TRUE(description) << error;
  EXPECT_EQ(DescriptionText(*description),
            "report descriptor: 29 bytes, without report IDs\n"
            "collection 0: usage page 0x0001, usage 0x0004\n"
            "  input: 3 bytes (report 0: 3)\n"
            "    value: report 0, page 0x0001, usage 0x0030, 1 x 12 bits, logical 0 to 4095, "
            "physical 0 to 1000, null state\n"
            "  output: none\n"
            "  feature: none\n");
}

TEST(HidDescriptionTest, SeveralCollectionsAreNumberedFromOneWithTheirOwnReports) {
  std::string error;
  const auto description = DescribeReportDescriptor(kTwoCollections, error);
  ASSERT_TRUE(description) << error;
  const auto& collections = (*description)["collections"];
  ASSERT_EQ(collections.size(), 2U);
  EXPECT_EQ(collections[0]["collection"], 1);
  EXPECT_EQ(collections[0]["report_ids"], nlohmann::ordered_json::array({1}));
  EXPECT_EQ(collections[0]["input"]["byte_length"], 2);
  EXPECT_EQ(collections[0]["output"]["byte_length"], 0);
  EXPECT_EQ(collections[1]["collection"], 2);
  EXPECT_EQ(collections[1]["usage_page"], 0x0C);
  EXPECT_EQ(collections[1]["report_ids"], nlohmann::ordered_json::array({2}));
  EXPECT_EQ(collections[1]["input"]["byte_length"], 0);
  EXPECT_EQ(collections[1]["output"]["byte_length"], 2);
  EXPECT_NE(DescriptionText(*description)
                .find("    button: report 1, page 0x0009, usages "
                      "0x0001-0x0008\n"),
            std::string::npos);
}

TEST(HidDescriptionTest, DescriptorsWithoutACollectionOrBrokenAreRefused) {
  std::string error;
  EXPECT_FALSE(DescribeReportDescriptor(Bytes{0x05, 0x01}, error));
  EXPECT_NE(error.find("no top-level collection"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(DescribeReportDescriptor(Bytes{0xA1, 0x01}, error));
  EXPECT_NE(error.find("malformed"), std::string::npos) << error;
}

}  // namespace
}  // namespace vandrel::cli
