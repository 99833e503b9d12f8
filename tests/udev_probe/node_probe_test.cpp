// The probe on hidraw nodes laid out as sysfs lays them out (the node's "device" link leads to the
// HID device's folder with its report descriptor): the properties that grant the node, none for a
// node the programs do not open, and a refusal for a descriptor that cannot be read.
#include "udev_probe/node_probe.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "device/sample_descriptors.h"
#include "sim/descriptors.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;

// A node of `hid_folder`; `descriptor` nullopt leaves the HID device without one.
fs::path MakeNode(const fs::path& hid_folder, const std::optional<Bytes>& descriptor) {
  const fs::path node = hid_folder / "hidraw" / "hidraw3";
  fs::remove_all(hid_folder);
  fs::create_directories(node);
  fs::create_directory_symlink("../..", node / "device");
  if (descriptor) {
    testing::WriteFile(hid_folder / "report_descriptor",
                       std::string(descriptor->begin(), descriptor->end()));
  }
  return node;
}

TEST(NodeProbeTest, NamesTheNodesToGrantAndRefusesWhatItCannotRead) {
  const testing::TempDir dir;
  const Bytes interface = sim::InterfaceDescriptor(true);
  Bytes wrong_usage = testing::kVendorCollection;
  wrong_usage.at(4) = 0x91;
  const struct {
    const char* name;
    std::optional<Bytes> descriptor;
    bool read;
    std::string properties;
    std::string problem;
  } cases[] = {
      {"keyboard's or mouse's interface", interface, true,
       "VANDREL_VENDOR_INTERFACE=1\nVANDREL_NOTIFICATION_INTERFACE=1\n", ""},
      {"pad's interface", sim::InterfaceDescriptor(false), true, "VANDREL_VENDOR_INTERFACE=1\n",
       ""},
      {"boot keyboard", testing::kBootKeyboard, true, "", ""},
      {"keyboard with consumer control", testing::kKeyboardWithConsumer, true, "", ""},
      {"vendor collection of usage 0x91", wrong_usage, true, "", ""},
      {"truncated", Bytes(interface.begin(), interface.end() - 2), false, "",
       "malformed report descriptor"},
      {"empty file", Bytes{}, false, "", "empty report descriptor"},
      {"missing file", std::nullopt, false, "", "no report descriptor at"},
  };
  for (const auto& test : cases) {
    const fs::path hid = dir.path() / "0003:0C45:7667.0001";
    const NodeProbe probe = ProbeNode(MakeNode(hid, test.descriptor));
    EXPECT_EQ(probe.read, test.read) << test.name << ": " << probe.problem;
    EXPECT_EQ(probe.properties, test.properties) << test.name;
    EXPECT_EQ(probe.problem.empty(), test.problem.empty()) << test.name << ": " << probe.problem;
    EXPECT_NE(probe.problem.find(test.problem), std::string::npos) << test.name;
  }
}

}  // namespace
}  // namespace vandrel
