// Enumeration of hidraw nodes against a stand-in node source and a folder tree standing in for
// the HID devices' sysfs folders; and once against this machine's own udev.
#include "device/hidraw/hidraw_enumeration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "device/hidraw/udev_node_source.h"
#include "device/sample_descriptors.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

using testing::Bytes;

class StandInNodes final : public HidrawNodeSource {
 public:
  std::optional<std::vector<HidrawNodeFacts>> ListNodes() override { return nodes; }
  std::optional<std::vector<HidrawNodeFacts>> nodes = std::vector<HidrawNodeFacts>{};
};

class HidrawEnumerationTest : public ::testing::Test {
 protected:
  // A node of the mouse's second USB interface whose HID device folder holds `descriptor`.
  HidrawNodeFacts& AddNode(const std::string& name, const Bytes& descriptor) {
    const std::filesystem::path hid = dir_.path() / name;
    std::filesystem::create_directories(hid);
    testing::WriteFile(hid / "report_descriptor",
                       std::string(descriptor.begin(), descriptor.end()));
    return nodes_.nodes->emplace_back(
        HidrawNodeFacts{"/dev/" + name, hid.string(), "0003:00000C45:00007667", "01", "0102"});
  }

  testing::TempDir dir_;
  StandInNodes nodes_;
};

TEST_F(HidrawEnumerationTest, EachTopLevelCollectionGetsItsOwnNumberedRecord) {
  AddNode("hidraw2", testing::SeveralCollections());
  AddNode("hidraw3", testing::kVendorCollection).interface_number = "0a";
  const auto interfaces = EnumerateHidraw(nodes_);
  ASSERT_TRUE(interfaces.has_value());
  ASSERT_EQ(interfaces->size(), 4U);
  const std::uint16_t pages[] = {0x01, 0x0C, 0xFF1C};
  for (std::size_t i = 0; i < 3; ++i) {
    const HidInterfaceInfo& record = (*interfaces)[i];
    EXPECT_EQ(record.path, "/dev/hidraw2");
    EXPECT_EQ(record.collection_number, i + 1);
    EXPECT_EQ(record.usage_page, pages[i]);
    EXPECT_EQ(record.attributes, (HidAttributes{0x0C45, 0x7667, 0x0102}));
    EXPECT_EQ(record.interface_number, 1U);
    EXPECT_EQ(record.report_descriptor, testing::SeveralCollections());
  }
  const HidInterfaceInfo& single = (*interfaces)[3];
  EXPECT_EQ(single.collection_number, 0U) << "an interface's only collection";
  EXPECT_EQ(single.usage, 0x92);
  EXPECT_EQ(single.interface_number, 0x0AU);
}

TEST_F(HidrawEnumerationTest, NodesThatCannotBeUsedAreListedWithoutUsageOrLeftOut) {
  AddNode("hidraw0", Bytes{0x05, 0x01, 0xA1, 0x01});  // never closed: listed, matching nothing
  AddNode("hidraw1", testing::kVendorCollection).hid_id = "0003:00000C45";
  AddNode("hidraw2", testing::kVendorCollection).hid_id = "0003:00010C45:00007667";
  std::filesystem::remove_all(AddNode("hidraw3", testing::kVendorCollection).hid_syspath);
  AddNode("hidraw4", testing::kVendorCollection).version = "";  // off USB
  const auto interfaces = EnumerateHidraw(nodes_);
  ASSERT_TRUE(interfaces.has_value());
  ASSERT_EQ(interfaces->size(), 2U);
  EXPECT_EQ((*interfaces)[0].path, "/dev/hidraw0");
  EXPECT_EQ((*interfaces)[0].usage_page, 0);
  EXPECT_EQ((*interfaces)[0].usage, 0);
  EXPECT_EQ((*interfaces)[1].path, "/dev/hidraw4");
  EXPECT_EQ((*interfaces)[1].attributes.version_number, 0);
}

TEST_F(HidrawEnumerationTest, NoNodeGivesAnEmptyListAndAFailedSourceNoList) {
  const auto none = EnumerateHidraw(nodes_);
  ASSERT_TRUE(none.has_value());
  EXPECT_TRUE(none->empty());
  nodes_.nodes.reset();
  EXPECT_FALSE(EnumerateHidraw(nodes_).has_value());
}

TEST(UdevNodeSourceTest, ListsThisMachinesHidrawNodes) {
  UdevNodeSource udev;
  const auto interfaces = EnumerateHidraw(udev);
  ASSERT_TRUE(interfaces.has_value());
  std::error_code error;
  const bool machine_has_nodes = std::filesystem::exists("/sys/class/hidraw", error) &&
                                 !std::filesystem::is_empty("/sys/class/hidraw", error);
  if (!machine_has_nodes) {
    EXPECT_TRUE(interfaces->empty());
  }
  for (const HidInterfaceInfo& record : *interfaces) {
    EXPECT_EQ(record.path.rfind("/dev/hidraw", 0), 0U) << record.path;
  }
}

}  // namespace
}  // namespace vandrel
