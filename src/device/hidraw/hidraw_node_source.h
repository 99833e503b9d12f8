// HidrawNodeSource: the seam over udev for the hidraw backend. It tells which hidraw nodes exist
// and what udev knows of the devices above each, as text, exactly as udev gives it; everything
// made of that text is the backend's own logic and is tested with a stand-in source.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/change_signal.h"

namespace vandrel {

struct HidrawNodeFacts {
  std::string devnode;      // the node, "/dev/hidraw3"
  std::string hid_syspath;  // sysfs folder of the parent HID device; holds "report_descriptor"
  std::string hid_id;  // its HID_ID: bus, vendor and product in hexadecimal, "0003:00000C45:..."
  std::string interface_number;  // bInterfaceNumber of the USB interface in hexadecimal, "01"
  std::string version;           // bcdDevice of the USB device in hexadecimal, "0102"
};

class HidrawNodeSource {
 public:
  virtual ~HidrawNodeSource() = default;

  // Every hidraw node present (empty when there is none); nullopt when the nodes cannot be
  // listed at all. The USB fields are empty for a device on another bus. Any thread.
  [[nodiscard]] virtual std::optional<std::vector<HidrawNodeFacts>> ListNodes() = 0;
  // Notified whenever a node may have arrived or gone; nullptr when the source cannot tell. Any
  // thread.
  [[nodiscard]] virtual ChangeSignal* Changes() { return nullptr; }
};

}  // namespace vandrel
