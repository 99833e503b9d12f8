// Which nodes the user at the seat is given: a node of the vendor collection always, a node of the
// consumer-control collection only where no keys travel, nothing else.
#include "device/seat_access.h"

#include <gtest/gtest.h>

#include "device/sample_descriptors.h"

namespace vandrel {
namespace {

using testing::Bytes;
using testing::Concatenate;

// The vendor collection with one byte changed: `offset` holds `value` instead.
Bytes VendorWith(std::size_t offset, std::uint8_t value) {
  Bytes bytes = testing::kVendorCollection;
  bytes.at(offset) = value;
  return bytes;
}

TEST(SeatAccessTest, OnlyTheVendorNodeAndAKeylessNotificationNodeAreGranted) {
  // Usage page 0xFF1C, usage 0x01, holding a logical collection of usage 0x92.
  const Bytes vendor_usage_nested = {0x06, 0x1C, 0xFF, 0x09, 0x01, 0xA1, 0x01,
                                     0x09, 0x92, 0xA1, 0x02, 0x75, 0x08, 0x95,
                                     0x3F, 0x09, 0x01, 0x81, 0x02, 0xC0, 0xC0};
  // A consumer-control collection whose one field reports Keyboard page key codes.
  const Bytes consumer_with_keys = {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x05, 0x07,
                                    0x19, 0x00, 0x29, 0x65, 0x15, 0x00, 0x25, 0x65,
                                    0x75, 0x08, 0x95, 0x06, 0x81, 0x00, 0xC0};
  const Bytes empty_keypad = {0x05, 0x01, 0x09, 0x07, 0xA1, 0x01, 0xC0};
  const struct {
    const char* name;
    Bytes descriptor;
    bool vendor;
    bool notifications;
  } cases[] = {
      {"vendor collection", testing::kVendorCollection, true, false},
      {"consumer control", testing::kConsumerTo0403, false, true},
      {"mouse, consumer control, vendor", testing::SeveralCollections(), true, true},
      {"vendor usage 0x91", VendorWith(4, 0x91), false, false},
      {"vendor usage page 0xFF00", VendorWith(1, 0x00), false, false},
      {"vendor usage in a nested collection", vendor_usage_nested, false, false},
      {"boot keyboard", testing::kBootKeyboard, false, false},
      {"boot mouse", testing::kBootMouse, false, false},
      {"keyboard and consumer control", testing::kKeyboardWithConsumer, false, false},
      {"keypad and consumer control", Concatenate({empty_keypad, testing::kConsumerTo0403}), false,
       false},
      {"keys in the consumer control", consumer_with_keys, false, false},
      {"keyboard, consumer control, vendor",
       Concatenate({testing::kKeyboardWithConsumer, testing::kVendorCollection}), true, false},
  };
  for (const auto& test : cases) {
    const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(test.descriptor);
    ASSERT_TRUE(parsed.has_value()) << test.name;
    const SeatAccess access = SeatAccessFor(*parsed);
    EXPECT_EQ(access.vendor, test.vendor) << test.name;
    EXPECT_EQ(access.notifications, test.notifications) << test.name;
  }
}

}  // namespace
}  // namespace vandrel
