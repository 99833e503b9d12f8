// vandrel-udev-probe: udev runs it (IMPORT{program} in 60-vandrel.rules) on every hidraw node of
// the devices, so that the rule grants the user at the seat only the nodes the programs open:
//   VANDREL_VENDOR_INTERFACE=1        the node carries the vendor collection
//   VANDREL_NOTIFICATION_INTERFACE=1  it carries the consumer-control collection and no keys
// and nothing for any other node (see node_probe.h).
//
// Usage: vandrel-udev-probe NODE_SYSFS_FOLDER (udev's %S%p). Exit status 0 when the node's report
// descriptor was read, 1 when it could not be read or is malformed (nothing printed, so nothing
// granted), 2 for a wrong command line.
#include <cstdio>

#include "udev_probe/node_probe.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: vandrel-udev-probe NODE_SYSFS_FOLDER\n", stderr);
    return 2;
  }
  const vandrel::NodeProbe probe = vandrel::ProbeNode(argv[1]);
  if (!probe.read) {
    std::fprintf(stderr, "vandrel-udev-probe: %s\n", probe.problem.c_str());
    return 1;
  }
  if (std::fputs(probe.properties.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
    std::fputs("vandrel-udev-probe: cannot write to standard output\n", stderr);
    return 1;
  }
  return 0;
}
