// Which hidraw nodes of the devices the user at the seat needs, judged from a node's report
// descriptor alone: udev's probe (vandrel-udev-probe) tells the rule, which grants access to these
// nodes and leaves every other node of the devices to root, so that no program of the user can
// read keystrokes from a keyboard's key interface.
//
// Plain values and a pure function; any thread.
#pragma once

#include "device/report_descriptor.h"

namespace vandrel {

struct SeatAccess {
  // The node carries the vendor collection (usage page 0xFF1C, usage 0x92) that every command
  // goes through. Needed whatever else the node carries: without it nothing can be configured.
  bool vendor = false;
  // The node carries the consumer-control collection (usage page 0x0C, usage 0x01) through which
  // the keyboards and the mouse announce changes made on the device, and carries no keys: no
  // keyboard or keypad collection and no input field of Keyboard/Keypad usages.
  bool notifications = false;
};

[[nodiscard]] SeatAccess SeatAccessFor(const ReportDescriptor& descriptor);

}  // namespace vandrel
