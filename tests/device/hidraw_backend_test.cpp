#include "device/hidraw/hidraw_backend.h"

#include <gtest/gtest.h>

#include "device/sample_descriptors.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

constexpr HidOpenFlags kReadOnly{.read = true, .write = false, .exclusive = false};
constexpr HidOpenFlags kReadWrite{.read = true, .write = true, .exclusive = false};
constexpr HidOpenFlags kExclusive{.read = true, .write = true, .exclusive = true};

class StandInNodes final : public HidrawNodeSource {
 public:
  explicit StandInNodes(std::vector<HidrawNodeFacts> listed) : listed_(std::move(listed)) {}
  std::optional<std::vector<HidrawNodeFacts>> ListNodes() override { return listed_; }

 private:
  std::vector<HidrawNodeFacts> listed_;
};

class HidrawBackendTest : public ::testing::Test {
 protected:
  HidrawBackendTest() { testing::WriteFile(node_, ""); }

  testing::TempDir dir_;
  const std::string node_ = (dir_.path() / "hidraw0").string();
};

TEST_F(HidrawBackendTest, AnExclusiveOpenAndOtherWritersKeepEachOtherOut) {
  UniqueFd writer = OpenHidrawNode(node_, kReadWrite);
  ASSERT_TRUE(writer.valid());
  EXPECT_TRUE(OpenHidrawNode(node_, kReadWrite).valid());
  EXPECT_FALSE(OpenHidrawNode(node_, kExclusive).valid());
  writer.Reset();
  const UniqueFd exclusive = OpenHidrawNode(node_, kExclusive);
  ASSERT_TRUE(exclusive.valid());
  EXPECT_FALSE(OpenHidrawNode(node_, kReadWrite).valid());
  EXPECT_TRUE(OpenHidrawNode(node_, kReadOnly).valid());
  EXPECT_FALSE(OpenHidrawNode(node_ + "-gone", kReadOnly).valid());
}

TEST_F(HidrawBackendTest, ListsAndProbesNodesButOpensNoneWithoutADescriptor) {
  const std::filesystem::path hid = dir_.path() / "hid";
  std::filesystem::create_directories(hid);
  const testing::Bytes& descriptor = testing::kVendorCollection;
  testing::WriteFile(hid / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
  HidrawBackend backend(std::make_unique<StandInNodes>(
      std::vector<HidrawNodeFacts>{{node_, hid.string(), "0003:00000C45:00007667", "01", "0102"}}));
  ASSERT_EQ(backend.Enumerate().value_or(std::vector<HidInterfaceInfo>{}).size(), 1U);
  EXPECT_TRUE(backend.IsPresent(node_));
  // A plain file answers no descriptor request, so the open fails cleanly.
  EXPECT_EQ(backend.Open(node_, 0, kReadWrite), nullptr);
  EXPECT_EQ(backend.Open(node_ + "-unlisted", 0, kReadWrite), nullptr);
  std::filesystem::remove(node_);
  EXPECT_FALSE(backend.IsPresent(node_));
}

}  // namespace
}  // namespace vandrel
