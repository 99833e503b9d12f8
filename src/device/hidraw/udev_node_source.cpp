#include "device/hidraw/udev_node_source.h"

#include <libudev.h>

#include <memory>

namespace vandrel {
namespace {

struct UdevDeleter {
  void operator()(udev* context) const { udev_unref(context); }
  void operator()(udev_enumerate* enumeration) const { udev_enumerate_unref(enumeration); }
  void operator()(udev_device* device) const { udev_device_unref(device); }
};
template <typename T>
using UdevPtr = std::unique_ptr<T, UdevDeleter>;

std::string Text(const char* value) { return value == nullptr ? std::string() : value; }

// Parents belong to the child device: they are not unreferenced separately.
std::optional<HidrawNodeFacts> FactsOf(udev_device* node) {
  udev_device* hid = udev_device_get_parent_with_subsystem_devtype(node, "hid", nullptr);
  const char* devnode = udev_device_get_devnode(node);
  if (hid == nullptr || devnode == nullptr) return std::nullopt;
  HidrawNodeFacts facts;
  facts.devnode = devnode;
  facts.hid_syspath = Text(udev_device_get_syspath(hid));
  facts.hid_id = Text(udev_device_get_property_value(hid, "HID_ID"));
  udev_device* interface =
      udev_device_get_parent_with_subsystem_devtype(node, "usb", "usb_interface");
  if (interface != nullptr) {
    facts.interface_number = Text(udev_device_get_sysattr_value(interface, "bInterfaceNumber"));
  }
  udev_device* usb = udev_device_get_parent_with_subsystem_devtype(node, "usb", "usb_device");
  if (usb != nullptr) facts.version = Text(udev_device_get_sysattr_value(usb, "bcdDevice"));
  return facts;
}

}  // namespace

std::optional<std::vector<HidrawNodeFacts>> UdevNodeSource::ListNodes() {
  const UdevPtr<udev> context(udev_new());
  if (!context) return std::nullopt;
  const UdevPtr<udev_enumerate> enumeration(udev_enumerate_new(context.get()));
  if (!enumeration || udev_enumerate_add_match_subsystem(enumeration.get(), "hidraw") < 0 ||
      udev_enumerate_scan_devices(enumeration.get()) < 0) {
    return std::nullopt;
  }
  std::vector<HidrawNodeFacts> nodes;
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration.get())) {
    // A node that vanished between the scan and this look-up is simply not listed.
    const UdevPtr<udev_device> node(
        udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
    if (!node) continue;
    std::optional<HidrawNodeFacts> facts = FactsOf(node.get());
    if (facts) nodes.push_back(std::move(*facts));
  }
  return nodes;
}

ChangeSignal* UdevNodeSource::Changes() {
  std::call_once(watch_started_, [this] { watch_ = UdevChangeWatch::Start(); });
  return watch_ ? &watch_->changes() : nullptr;
}

}  // namespace vandrel
