// Report descriptors written out by hand for the device tests, item by item, with the meaning of
// every item beside it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vandrel::testing {

using Bytes = std::vector<std::uint8_t>;

// Three buttons and a relative X/Y, no report IDs: reports of 3 data bytes.
inline const Bytes kBootMouse = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x02,  // Usage (Mouse)
    0xA1, 0x01,  // Collection (Application)
    0x09, 0x01,  //   Usage (Pointer)
    0xA1, 0x00,  //   Collection (Physical)
    0x05, 0x09,  //     Usage Page (Button)
    0x19, 0x01,  //     Usage Minimum (1)
    0x29, 0x03,  //     Usage Maximum (3)
    0x15, 0x00,  //     Logical Minimum (0)
    0x25, 0x01,  //     Logical Maximum (1)
    0x95, 0x03,  //     Report Count (3)
    0x75, 0x01,  //     Report Size (1)
    0x81, 0x02,  //     Input (Data, Variable, Absolute)
    0x95, 0x01,  //     Report Count (1)
    0x75, 0x05,  //     Report Size (5)
    0x81, 0x01,  //     Input (Constant): padding
    0x05, 0x01,  //     Usage Page (Generic Desktop)
    0x09, 0x30,  //     Usage (X)
    0x09, 0x31,  //     Usage (Y)
    0x15, 0x81,  //     Logical Minimum (-127)
    0x25, 0x7F,  //     Logical Maximum (127)
    0x75, 0x08,  //     Report Size (8)
    0x95, 0x02,  //     Report Count (2)
    0x81, 0x06,  //     Input (Data, Variable, Relative)
    0xC0,        //   End Collection
    0xC0,        // End Collection
};

// A keyboard's key interface in the boot layout, no report IDs: modifiers, a reserved byte and six
// key codes in, five LEDs out.
inline const Bytes kBootKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,  // Generic Desktop / Keyboard / Collection (Application)
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7,  //   Keyboard page, Left Control to Right GUI
    0x15, 0x00, 0x25, 0x01,              //   Logical 0 to 1
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,  //   8 x 1 bit, Input (Data, Variable): modifiers
    0x95, 0x01, 0x75, 0x08, 0x81, 0x01,  //   1 x 8 bits, Input (Constant): reserved
    0x95, 0x05, 0x75, 0x01, 0x05, 0x08,  //   5 x 1 bit, Usage Page (LEDs)
    0x19, 0x01, 0x29, 0x05, 0x91, 0x02,  //   Num Lock to Kana, Output (Data, Variable)
    0x95, 0x01, 0x75, 0x03, 0x91, 0x01,  //   1 x 3 bits, Output (Constant)
    0x95, 0x06, 0x75, 0x08,              //   6 x 8 bits
    0x15, 0x00, 0x25, 0x65, 0x05, 0x07,  //   Logical 0 to 101, Usage Page (Keyboard)
    0x19, 0x00, 0x29, 0x65, 0x81, 0x00,  //   Usages 0 to 101, Input (Data, Array): keys
    0xC0,                                // End Collection
};

// A boot keyboard (report ID 1) and a consumer-control collection (report ID 2) on one interface.
inline const Bytes kKeyboardWithConsumer = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,        // Generic Desktop / Keyboard / Collection (App)
    0x85, 0x01, 0x05, 0x07,                    //   Report ID (1), Usage Page (Keyboard)
    0x19, 0xE0, 0x29, 0xE7,                    //   Left Control to Right GUI
    0x15, 0x00, 0x25, 0x01,                    //   Logical 0 to 1
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,        //   8 x 1 bit, Input (Data, Variable): modifiers
    0x95, 0x01, 0x75, 0x08, 0x81, 0x01,        //   1 x 8 bits, Input (Constant): reserved
    0x95, 0x05, 0x75, 0x01, 0x05, 0x08,        //   5 x 1 bit, Usage Page (LEDs)
    0x19, 0x01, 0x29, 0x05, 0x91, 0x02,        //   Num Lock to Kana, Output (Data, Variable)
    0x95, 0x01, 0x75, 0x03, 0x91, 0x01,        //   1 x 3 bits, Output (Constant)
    0x95, 0x06, 0x75, 0x08,                    //   6 x 8 bits
    0x15, 0x00, 0x25, 0x65, 0x05, 0x07,        //   Logical 0 to 101, Usage Page (Keyboard)
    0x19, 0x00, 0x29, 0x65, 0x81, 0x00,        //   Usages 0 to 101, Input (Data, Array): keys
    0xC0,                                      // End Collection
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,        // Consumer / Consumer Control / Collection (App)
    0x85, 0x02, 0x15, 0x00, 0x26, 0xFF, 0x03,  //   Report ID (2), Logical 0 to 1023
    0x19, 0x00, 0x2A, 0xFF, 0x03,              //   Usages 0 to 1023
    0x75, 0x10, 0x95, 0x01, 0x81, 0x00,        //   1 x 16 bits, Input (Data, Array)
    0xC0,                                      // End Collection
};

// The devices' vendor collection: report ID 4, 64-byte input and output reports.
inline const Bytes kVendorCollection = {
    0x06, 0x1C, 0xFF,  // Usage Page (0xFF1C)
    0x09, 0x92,        // Usage (0x92)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x3F,        //   Report Count (63)
    0x09, 0x01,        //   Usage (1)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x09, 0x01,        //   Usage (1)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection
};

// The devices' consumer-control collection: one 16-bit array element selecting usages up to the
// vendor-assigned 0x0403.
inline const Bytes kConsumerTo0403 = {
    0x05, 0x0C,        // Usage Page (Consumer)
    0x09, 0x01,        // Usage (Consumer Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x03,        //   Report ID (3)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0x03, 0x04,  //   Logical Maximum (0x0403)
    0x19, 0x00,        //   Usage Minimum (0)
    0x2A, 0x03, 0x04,  //   Usage Maximum (0x0403)
    0x75, 0x10,        //   Report Size (16)
    0x95, 0x01,        //   Report Count (1)
    0x81, 0x00,        //   Input (Data, Array)
    0xC0,              // End Collection
};

// The boot mouse again, as the first collection of a device that numbers its reports.
inline const Bytes kMouseWithReportId = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Generic Desktop / Mouse / Collection (Application)
    0x85, 0x01,                          //   Report ID (1)
    0x05, 0x09, 0x19, 0x01, 0x29, 0x05,  //   Buttons 1 to 5
    0x15, 0x00, 0x25, 0x01,              //   Logical 0 to 1
    0x95, 0x05, 0x75, 0x01, 0x81, 0x02,  //   5 x 1 bit, Input (Data, Variable, Absolute)
    0x95, 0x01, 0x75, 0x03, 0x81, 0x01,  //   1 x 3 bits, Input (Constant)
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31,  //   Generic Desktop / X / Y
    0x16, 0x00, 0x80, 0x26, 0xFF, 0x7F,  //   Logical -32768 to 32767
    0x75, 0x10, 0x95, 0x02, 0x81, 0x06,  //   2 x 16 bits, Input (Data, Variable, Relative)
    0xC0,                                // End Collection
};

inline Bytes Concatenate(std::initializer_list<Bytes> parts) {
  Bytes joined;
  for (const Bytes& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

// Wraps items in Usage Page (Generic Desktop), Usage (Joystick), Collection (Application).
inline Bytes InApplication(const Bytes& items) {
  return Concatenate({{0x05, 0x01, 0x09, 0x04, 0xA1, 0x01}, items, {0xC0}});
}

// A mouse interface with three top-level collections: the mouse (report ID 1), the consumer
// control (3) and the vendor collection (4).
inline Bytes SeveralCollections() {
  return Concatenate({kMouseWithReportId, kConsumerTo0403, kVendorCollection});
}

}  // namespace vandrel::testing
