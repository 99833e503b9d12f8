// The hidraw backend's interface list: what the node source reports, made into one record per
// top-level collection of each node's report descriptor. The descriptor is read from the HID
// device's sysfs folder, which anyone may read, so that listing needs no access to the nodes.
#pragma once

#include <optional>
#include <vector>

#include "device/hid_backend.h"
#include "device/hidraw/hidraw_node_source.h"

namespace vandrel {

// Identity of a node as udev tells it; nullopt when its HID_ID is unreadable.
struct HidrawIdentity {
  HidAttributes attributes;
  std::uint32_t interface_number = 0;
};
[[nodiscard]] std::optional<HidrawIdentity> IdentityOf(const HidrawNodeFacts& node);

// One record per top-level collection (numbered from 1 when there are several, else 0). A node
// whose descriptor cannot be parsed still gets one record, with usage page and usage 0, which no
// caller will match. Empty when the node's identity or descriptor cannot be read (the device
// went away meanwhile).
[[nodiscard]] std::vector<HidInterfaceInfo> InterfacesOfNode(const HidrawNodeFacts& node);

// Every record of every node; nullopt when the source cannot list the nodes.
[[nodiscard]] std::optional<std::vector<HidInterfaceInfo>> EnumerateHidraw(
    HidrawNodeSource& source);

}  // namespace vandrel
