// UdevNodeSource: the hidraw nodes as libudev lists them (subsystem "hidraw"), with the HID
// device above each node and, for USB devices, the interface and the device above that. Works
// without a running udev daemon: libudev reads sysfs itself.
#pragma once

#include "device/hidraw/hidraw_node_source.h"

namespace vandrel {

class UdevNodeSource final : public HidrawNodeSource {
 public:
  [[nodiscard]] std::optional<std::vector<HidrawNodeFacts>> ListNodes() override;
};

}  // namespace vandrel
