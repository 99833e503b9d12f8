#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli/ctl_process.h"

namespace vandrel::testing {
namespace {

using nlohmann::json;

// Vendor page 0xFF00: report 4 carries 64 data bytes in and out; feature report 5 carries three
// 1-bit buttons padded to one byte.
constexpr char kNumbered[] = {
    "\x06\x00\xFF"              // Usage Page (0xFF00)
    "\x09\x01"                  // Usage (1)
    "\xA1\x01"                  // Collection (Application)
    "\x85\x04"                  //   Report ID (4)
    "\x15\x00\x26\xFF\x00"      //   Logical 0 to 255
    "\x75\x08\x95\x40"          //   Report Size (8), Report Count (64)
    "\x09\x02\x81\x02"          //   Usage (2), Input (Data, Variable)
    "\x09\x03\x91\x02"          //   Usage (3), Output (Data, Variable)
    "\x85\x05"                  //   Report ID (5)
    "\x05\x09\x19\x01\x29\x03"  // Usage Page (Button), Usage 1 to 3
    "\x15\x00\x25\x01"          // Logical 0 to 1
    "\x75\x01\x95\x03\xB1\x02"  // 3 x 1 bit, Feature (Data, Variable)
    "\x75\x05\x95\x01\xB1\x03"  // 5 bits, Feature (Constant)
    "\xC0"};

// A plain mouse without report IDs: three buttons, five bits of padding, X and Y of 8 bits.
constexpr char kUnnumbered[] = {
    "\x05\x01\x09\x02\xA1\x01"                                          // Generic Desktop, Mouse
    "\x05\x09\x19\x01\x29\x03\x15\x00\x25\x01\x75\x01\x95\x03\x81\x02"  // buttons 1-3
    "\x75\x05\x95\x01\x81\x03"                                          // padding
    "\x05\x01\x09\x30\x09\x31\x15\x81\x25\x7F\x75\x08\x95\x02\x81\x06"  // X, Y relative
    "\xC0"};

// The bytes of a literal, without its terminating zero (the descriptors hold zero bytes too).
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}
const std::string kNumberedDescriptor = Bytes(kNumbered);
const std::string kUnnumberedDescriptor = Bytes(kUnnumbered);

class HidProcessTest : public ::testing::Test {
 protected:
  // Writes `bytes` to a file in the test's folder and returns its path.
  std::string DescriptorFile(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path path = ctl_.folder() / name;
    WriteFile(path, bytes);
    return path.string();
  }

  json RunJson(const std::vector<std::string>& arguments) const {
    const CtlResult result = ctl_.Run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    return json::parse(result.out);
  }

  CtlProcess ctl_;
};

TEST_F(HidProcessTest, ListMarksOnlyTheVendorCollectionOfEachSimulatedDevice) {
  const json records = RunJson({"--simulate", "--json", "hid", "list"});
  ASSERT_EQ(records.size(), 5U);  // keyboard and mouse have two collections, the pad one
  std::vector<std::string> used;
  for (const json& record : records) {
    EXPECT_EQ(record["vendor_id"], 0x0C45);
    const bool vendor = record["usage_page"] == 0xFF1C && record["usage"] == 0x92;
    EXPECT_EQ(record["used"], vendor) << record.dump();
    if (vendor) {
      used.push_back(record["device"]);
    } else {
      EXPECT_TRUE(record["device"].is_null()) << record.dump();
    }
  }
  EXPECT_EQ(used, (std::vector<std::string>{"keyboard", "mouse", "pad"}));

  const CtlResult text = ctl_.Run({"--simulate=mp", "hid", "list"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("0c45:6627 1   0   ff1c:0092 pad\n"), std::string::npos) << text.out;
}

TEST_F(HidProcessTest, ListWithoutSimulatedDevicesSaysSo) {
  const CtlResult text = ctl_.Run({"--simulate=", "hid", "list"});
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("no HID interface present"), std::string::npos) << text.out;
}

TEST_F(HidProcessTest, DescribesASimulatedInterfaceFromItsListedPath) {
  const json records = RunJson({"--simulate=kb", "--json", "hid", "list"});
  ASSERT_FALSE(records.empty());
  const json description =
      RunJson({"--simulate=kb", "--json", "hid", "describe", records[0]["path"]});
  const json& collections = description["collections"];
  ASSERT_EQ(collections.size(), 2U);
  // Consumer control: one 16-bit array field after report ID 3.
  EXPECT_EQ(collections[0]["collection"], 1);
  EXPECT_EQ(collections[0]["usage_page"], 0x0C);
  EXPECT_EQ(collections[0]["report_ids"], json::array({3}));
  EXPECT_EQ(collections[0]["input"]["byte_length"], 3);
  EXPECT_EQ(collections[0]["input"]["buttons"].size(), 1U);
  EXPECT_EQ(collections[0]["output"]["byte_length"], 0);
  // Vendor collection: 63 data bytes after report ID 4, both ways.
  EXPECT_EQ(collections[1]["collection"], 2);
  EXPECT_EQ(collections[1]["usage_page"], 0xFF1C);
  EXPECT_EQ(collections[1]["usage"], 0x92);
  EXPECT_EQ(collections[1]["input"]["byte_length"], 64);
  EXPECT_EQ(collections[1]["output"]["byte_length"], 64);
  EXPECT_EQ(collections[1]["feature"]["byte_length"], 0);

  const CtlResult text = ctl_.Run({"--simulate=kb", "hid", "describe", records[0]["path"]});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("collection 2: usage page 0xFF1C, usage 0x0092\n"
                          "  report IDs: 4\n"
                          "  input: 64 bytes (report 4: 64)\n"),
            std::string::npos)
      << text.out;
}

TEST_F(HidProcessTest, DescribesAFileCountingTheReportIdByte) {
  const json numbered = RunJson(
      {"--json", "hid", "describe", "--file", DescriptorFile("numbered", kNumberedDescriptor)});
  ASSERT_EQ(numbered["collections"].size(), 1U);
  const json& collection = numbered["collections"][0];
  EXPECT_EQ(collection["collection"], 0);
  EXPECT_EQ(collection["usage_page"], 0xFF00);
  EXPECT_EQ(collection["report_ids"], json::array({4, 5}));
  EXPECT_EQ(collection["input"]["byte_length"], 65);
  EXPECT_EQ(collection["output"]["byte_length"], 65);
  EXPECT_EQ(collection["feature"]["byte_length"], 2);
  const json& buttons = collection["feature"]["buttons"];
  ASSERT_EQ(buttons.size(), 1U);
  EXPECT_EQ(buttons[0]["report_id"], 5);
  EXPECT_EQ(buttons[0]["usage_page"], 9);
  EXPECT_EQ(buttons[0]["usage_minimum"], 1);
  EXPECT_EQ(buttons[0]["usage_maximum"], 3);
  const json& values = collection["input"]["values"];
  ASSERT_EQ(values.size(), 1U);
  EXPECT_EQ(values[0]["report_count"], 64);
  EXPECT_EQ(values[0]["bit_size"], 8);

  // Without report IDs the length still counts a (zero) ID byte: 3 data bytes give 4.
  const json plain = RunJson(
      {"--json", "hid", "describe", "--file", DescriptorFile("plain", kUnnumberedDescriptor)});
  EXPECT_FALSE(plain["uses_report_ids"]);
  const json& mouse = plain["collections"][0];
  EXPECT_EQ(mouse["report_ids"], json::array());
  EXPECT_EQ(mouse["input"]["byte_length"], 4);
  EXPECT_EQ(mouse["input"]["buttons"].size(), 1U);
  EXPECT_EQ(mouse["feature"]["byte_length"], 0);
}

TEST_F(HidProcessTest, BadDescriptorFilesAreRefusedWithTwo) {
  const std::string missing = (ctl_.folder() / "missing").string();
  const std::string empty = DescriptorFile("empty", "");
  const std::string oversized = DescriptorFile("oversized", std::string(4097, '\0'));
  const std::string truncated = DescriptorFile("truncated", "\x06\x00");
  const std::string unclosed =
      DescriptorFile("unclosed", kNumberedDescriptor.substr(0, kNumberedDescriptor.size() - 1));
  for (const std::string& file : {missing, empty, oversized, truncated, unclosed}) {
    const CtlResult result = ctl_.Run({"hid", "describe", "--file", file});
    EXPECT_EQ(result.status, 2) << file;
    EXPECT_NE(result.err.find("vandrelctl: "), std::string::npos) << file;
    EXPECT_TRUE(result.out.empty()) << file;
  }
  EXPECT_NE(ctl_.Run({"hid", "describe", "--file", unclosed}).err.find("malformed"),
            std::string::npos);
  EXPECT_NE(ctl_.Run({"hid", "describe", "--file", empty}).err.find("empty"), std::string::npos);
}

TEST_F(HidProcessTest, UsageMistakesExitWithTwoAndAnAbsentPathWithOne) {
  const std::string file = DescriptorFile("numbered", kNumberedDescriptor);
  EXPECT_EQ(ctl_.Run({"--simulate", "hid"}).status, 2);
  EXPECT_EQ(ctl_.Run({"--simulate", "hid", "frob"}).status, 2);
  EXPECT_EQ(ctl_.Run({"--simulate", "hid", "list", "extra"}).status, 2);
  EXPECT_EQ(ctl_.Run({"--simulate", "hid", "describe"}).status, 2);
  EXPECT_EQ(ctl_.Run({"--simulate", "hid", "describe", "/sim/a", "/sim/b"}).status, 2);
  EXPECT_EQ(ctl_.Run({"--simulate", "hid", "describe", "/sim/a", "--file", file}).status, 2);
  EXPECT_EQ(ctl_.Run({"--simulate", "hid", "describe", "--file"}).status, 2);
  const CtlResult absent = ctl_.Run({"--simulate", "hid", "describe", "/sim/nothing-here"});
  EXPECT_EQ(absent.status, 1);
  EXPECT_NE(absent.err.find("/sim/nothing-here"), std::string::npos) << absent.err;
}

}  // namespace
}  // namespace vandrel::testing
