// The simulated devices as the host's HID layer sees them: their descriptors parse into the
// capabilities the device link expects, and notifications unpack to their usages and releases.
#include <gmock/gmock.h>

#include "device/hid_device.h"
#include "sim_host.h"

namespace vandrel::sim {
namespace {

using namespace std::chrono_literals;
using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class HostHidTest : public testing::SimFixture {
 protected:
  // Opens the collection of `device` with `usage_page` through HidDevice; 1 on success.
  int OpenWithHidDevice(HidDevice& hid, const SimulatedDevice& device, std::uint16_t usage_page,
                        HidOpenFlags flags) {
    if (hid.EnumeratePaths() != 1) return 0;
    for (const HidInterfaceInfo& info : hid.path_list()) {
      if (info.path != device.path() || info.usage_page != usage_page) continue;
      hid.SetDevicePath(info.path, info.collection_number);
      hid.SetOpenFlags(flags);
      return hid.Open();
    }
    return 0;
  }
};

TEST_F(HostHidTest, VendorCollectionHas64ByteReportsBothWays) {
  const auto pad = bus_.Plug(kPadProductId);
  HidDevice hid(bus_);
  ASSERT_EQ(OpenWithHidDevice(hid, *pad, 0xFF1C, {true, true, false}), 1);
  EXPECT_EQ(hid.attributes().vendor_id, 0x0C45);
  EXPECT_EQ(hid.attributes().product_id, 0x6627);
  EXPECT_EQ(hid.capabilities().usage_page, 0xFF1C);
  EXPECT_EQ(hid.capabilities().usage, 0x92);
  EXPECT_EQ(hid.capabilities().input_report_byte_length, 64);
  EXPECT_EQ(hid.capabilities().output_report_byte_length, 64);

  const Report request = testing::Request(5, 1);
  std::size_t bytes = 0;
  ASSERT_EQ(hid.WriteReport(request, &bytes), 1);
  Report reply{};
  ASSERT_EQ(hid.ReadReport(reply, &bytes, 300ms), 1);
  EXPECT_EQ(bytes, 64U);
  EXPECT_EQ(reply[7], kStatusAccepted);
  EXPECT_EQ(pad->ViolationCount(), 0);
}

TEST_F(HostHidTest, NotificationsUnpackToTheirUsage) {
  const auto keyboard = bus_.Plug(kSingleColourKeyboardProductId);
  HidDevice hid(bus_);
  ASSERT_EQ(OpenWithHidDevice(hid, *keyboard, 0x000C, {true, false, false}), 1);
  EXPECT_EQ(hid.capabilities().usage, 0x01);
  std::vector<std::uint8_t>& buffer = hid.input().report_buffer;
  std::vector<HidDataItem>& items = hid.input().items;
  const auto read_usages = [&] {
    std::size_t bytes = 0;
    EXPECT_EQ(hid.ReadReport(buffer, &bytes, 10ms), 1);
    EXPECT_FALSE(items.empty());
    EXPECT_EQ(UnpackInputReport(items, std::span(buffer).first(bytes), *hid.preparsed_data()), 1);
    return items.empty() ? std::vector<std::uint16_t>{} : items[0].usage_list;
  };
  for (const std::uint16_t usage : {kNotifySettingsChanged, kNotifyFullChange, kNotifyPadFlash}) {
    keyboard->Notify(usage);
    const std::vector<std::uint16_t> pressed = read_usages();
    ASSERT_FALSE(pressed.empty());
    EXPECT_EQ(pressed[0], usage);
    EXPECT_THAT(read_usages(), AnyOf(IsEmpty(), ElementsAre(0))) << "the release";
  }
}

}  // namespace
}  // namespace vandrel::sim
