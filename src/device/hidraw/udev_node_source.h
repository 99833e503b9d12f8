// UdevNodeSource: the hidraw nodes as libudev lists them (subsystem "hidraw"), with the HID
// device above each node and, for USB devices, the interface and the device above that. Works
// without a running udev daemon: libudev reads sysfs itself. Changes are watched from the first
// time someone asks for them, so a short-lived program that only lists never starts the watch.
#pragma once

#include <memory>
#include <mutex>

#include "device/hidraw/hidraw_node_source.h"
#include "device/hidraw/udev_change_watch.h"

namespace vandrel {

class UdevNodeSource final : public HidrawNodeSource {
 public:
  [[nodiscard]] std::optional<std::vector<HidrawNodeFacts>> ListNodes() override;
  [[nodiscard]] ChangeSignal* Changes() override;

 private:
  std::once_flag watch_started_;
  std::unique_ptr<UdevChangeWatch> watch_;  // null when udev's events cannot be received
};

}  // namespace vandrel
