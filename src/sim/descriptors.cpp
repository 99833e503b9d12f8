#include "sim/descriptors.h"

namespace vandrel::sim {
namespace {

// Consumer control: one 16-bit array field whose value is the usage pressed.
constexpr std::uint8_t kConsumerCollection[] = {
    0x05, 0x0C,               // Usage Page (Consumer)
    0x09, 0x01,               // Usage (Consumer Control)
    0xA1, 0x01,               // Collection (Application)
    0x85, kConsumerReportId,  //   Report ID (3)
    0x15, 0x00,               //   Logical Minimum (0)
    0x26, 0x03,
    0x04,        //   Logical Maximum (0x0403)
    0x19, 0x00,  //   Usage Minimum (0)
    0x2A, 0x03,
    0x04,        //   Usage Maximum (0x0403)
    0x75, 0x10,  //   Report Size (16)
    0x95, 0x01,  //   Report Count (1)
    0x81, 0x00,  //   Input (Data, Array, Absolute)
    0xC0,        // End Collection
};

// Vendor collection: 63 data bytes after the report ID, in both directions.
constexpr std::uint8_t kVendorCollection[] = {
    0x06, 0x1C,
    0xFF,                   // Usage Page (Vendor 0xFF1C)
    0x09, 0x92,             // Usage (0x92)
    0xA1, 0x01,             // Collection (Application)
    0x85, kVendorReportId,  //   Report ID (4)
    0x15, 0x00,             //   Logical Minimum (0)
    0x26, 0xFF,
    0x00,        //   Logical Maximum (255)
    0x75, 0x08,  //   Report Size (8)
    0x95, 0x3F,  //   Report Count (63)
    0x09, 0x01,  //   Usage (1)
    0x81, 0x02,  //   Input (Data, Variable, Absolute)
    0x09, 0x02,  //   Usage (2)
    0x91, 0x02,  //   Output (Data, Variable, Absolute)
    0xC0,        // End Collection
};

}  // namespace

std::vector<std::uint8_t> InterfaceDescriptor(bool with_consumer_control) {
  std::vector<std::uint8_t> descriptor;
  descriptor.reserve(std::size(kConsumerCollection) + std::size(kVendorCollection));
  if (with_consumer_control) {
    for (std::uint8_t byte : kConsumerCollection) descriptor.push_back(byte);
  }
  for (std::uint8_t byte : kVendorCollection) descriptor.push_back(byte);
  return descriptor;
}

}  // namespace vandrel::sim
