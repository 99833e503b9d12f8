#include "device/device_match.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "device/hidraw/hidraw_access.h"
#include "device/product_ids.h"

namespace vandrel {
namespace {

HidInterfaceInfo Collection(std::uint16_t vendor, std::uint16_t product, std::uint16_t usage_page,
                            std::uint16_t usage) {
  HidInterfaceInfo info;
  info.path = "/dev/hidraw7";
  info.attributes = {vendor, product, 0};
  info.usage_page = usage_page;
  info.usage = usage;
  return info;
}

TEST(DeviceMatchTest, EveryProductIdOnTheVendorCollectionNamesItsDeviceClass) {
  struct Case {
    std::uint16_t product;
    DeviceKind kind;
  };
  for (const Case& c : {Case{0x0001, DeviceKind::kKeyboard}, Case{0x7653, DeviceKind::kKeyboard},
                        Case{0x6556, DeviceKind::kKeyboard}, Case{0x8611, DeviceKind::kKeyboard},
                        Case{0x7667, DeviceKind::kMouse}, Case{0x6627, DeviceKind::kPad}}) {
    EXPECT_EQ(DeviceKindUsing(Collection(0x0C45, c.product, 0xFF1C, 0x92)), c.kind) << c.product;
  }
}

TEST(DeviceMatchTest, AnyOtherVendorProductOrCollectionIsLeftAlone) {
  EXPECT_EQ(DeviceKindUsing(Collection(0x0C45, 0x7667, 0x000C, 0x01)), std::nullopt);
  EXPECT_EQ(DeviceKindUsing(Collection(0x0C45, 0x7667, 0xFF1C, 0x91)), std::nullopt);
  EXPECT_EQ(DeviceKindUsing(Collection(0x0C45, 0x7668, 0xFF1C, 0x92)), std::nullopt);
  EXPECT_EQ(DeviceKindUsing(Collection(0x046D, 0x7667, 0xFF1C, 0x92)), std::nullopt);
}

TEST(DeviceMatchTest, EachClassAcceptsItsOwnProductFirst) {
  EXPECT_EQ(AcceptedProductIds(DeviceKind::kKeyboard).front(), kKeyboardProductId);
  EXPECT_EQ(AcceptedProductIds(DeviceKind::kKeyboard).size(), 4U);
  EXPECT_EQ(AcceptedProductIds(DeviceKind::kMouse).front(), kMouseProductId);
  EXPECT_EQ(AcceptedProductIds(DeviceKind::kPad).front(), kPadProductId);
}

TEST(HidrawAccessTest, ARefusedPermissionPointsToTheUdevRule) {
  for (const int error : {EACCES, EPERM}) {
    EXPECT_EQ(CannotOpenMessage("/dev/hidraw3", error),
              "cannot open /dev/hidraw3: permission denied \u2014 install the udev rule "
              "60-vandrel.rules (see README)");
  }
  const std::string missing = CannotOpenMessage("/dev/hidraw3", ENOENT);
  EXPECT_TRUE(missing.starts_with("cannot open /dev/hidraw3: ")) << missing;
  EXPECT_EQ(missing.find("udev"), std::string::npos) << missing;
  EXPECT_EQ(NodeAccessProblem("/nonexistent/hidraw9"),
            CannotOpenMessage("/nonexistent/hidraw9", ENOENT));
}

}  // namespace
}  // namespace vandrel
