// NotificationListener: the thread that hears what the keyboard or the mouse announces about
// changes made on the device itself. It finds the device's consumer-control collection (for the
// keyboard, that of any keyboard model), reads its input reports and turns each recognised usage
// into a message or timer on the main window:
//   keyboard: 0x0401 lighting changed → message 0x0B02; 0x0402 full change → message 0x0B01
//   mouse:    0x0401 slot or DPI changed → timer 14 (100 ms, re-armed by every report);
//             0x0402 full change → message 0x0901; 0x0403 → one flash of the pad
// Other usages are ignored.
#pragma once

#include "core/clock.h"
#include "core/event.h"
#include "device/device_kind.h"
#include "device/hid_device.h"
#include "device/main_window_link.h"

namespace vandrel {

class NotificationListener {
 public:
  // `kind` is kKeyboard or kMouse. Everything given must outlive the listener.
  NotificationListener(DeviceKind kind, HidBackend& backend, MainWindowLink& window, Clock& clock);

  // The thread body: searches whenever the backend tells of interfaces arriving or going (once a
  // second when it cannot tell) and reads while the collection is there, until
  // `stop` (a manual-reset event, reset by its owner before the thread starts) is set; setting
  // it also ends a read in progress at once. Ends at once when the interface list cannot be made.
  void Run(Event& stop);

 private:
  // Opens `info` when it is the device's consumer-control collection and reads until the device
  // goes or `stop` is set; false when it was not that collection.
  bool Listen(const HidInterfaceInfo& info, Event& stop);
  void ReadUntilGone(Event& stop);
  void React(std::uint16_t usage);

  [[nodiscard]] bool IsOwnDevice(const HidAttributes& attributes) const;

  const DeviceKind kind_;
  MainWindowLink& window_;
  Clock& clock_;
  HidDevice device_;
};

}  // namespace vandrel
