// What vandrel-udev-probe tells udev about one hidraw node: the udev properties that grant the
// node to the user at the seat (see device/seat_access.h), read from the report descriptor that
// sysfs shows for it. Any thread.
#pragma once

#include <filesystem>
#include <string>

namespace vandrel {

struct NodeProbe {
  bool read = false;       // the descriptor was read and parsed; else nothing may be granted
  std::string properties;  // "NAME=1" lines for udev; empty for a node the programs do not open
  std::string problem;     // why the descriptor could not be had, when !read
};

// `node_folder` is the node's sysfs folder (udev's %S%p); its descriptor is the file
// device/report_descriptor in it, that of the HID device above the node.
[[nodiscard]] NodeProbe ProbeNode(const std::filesystem::path& node_folder);

}  // namespace vandrel
