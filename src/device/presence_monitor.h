// PresenceMonitor: the thread that keeps one device class connected. While the device is absent
// it lists the HID interfaces and opens the first collection whose identity matches the channel;
// while it is present it checks that the interface is still there, and when it has gone it
// disconnects the channel and moves the main window's tabs to another connected device.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/change_signal.h"
#include "core/clock.h"
#include "core/event.h"
#include "device/device_channel.h"
#include "device/device_kind.h"
#include "device/main_window_link.h"

namespace vandrel {

// The three channels of the main window, which every monitor needs to see.
struct DeviceChannels {
  DeviceChannel& keyboard;
  DeviceChannel& mouse;
  DeviceChannel& pad;
  // Notified by the monitors whenever they connect or disconnect a channel, so that threads that
  // have nothing to do without a device can wait for one; null when nobody waits.
  ChangeSignal* connections = nullptr;

  [[nodiscard]] DeviceChannel& Of(DeviceKind kind) const {
    return kind == DeviceKind::kKeyboard ? keyboard : kind == DeviceKind::kMouse ? mouse : pad;
  }
};

struct MonitorConfig;

class PresenceMonitor {
 public:
  // Everything given must outlive the monitor.
  PresenceMonitor(DeviceKind kind, DeviceChannels channels, MainWindowLink& window, Clock& clock);

  // The thread body: polls until `stop` (a manual-reset event, reset by its owner before the
  // thread starts) is set, pausing through the clock; ends at once when the interface list cannot
  // be made. When the backend tells of interfaces arriving and going, the monitor polls only
  // then and when another monitor connects or disconnects its device (which changes whether the
  // same-mode control shows): nothing else can change what a poll finds. Otherwise it pauses
  // between polls as long as its device class asks.
  void Run(Event& stop);
  // One poll under the channel's lock: a presence check when connected, a search otherwise.
  // Returns the pause to take before the next poll; nullopt when the thread must end.
  [[nodiscard]] std::optional<Clock::Duration> PollOnce();

 private:
  // Both run with the channel's lock held.
  [[nodiscard]] bool Search();
  void CheckPresence();
  [[nodiscard]] bool Matches(const HidDevice& device) const;
  void Detach();
  void MoveToAnotherDevice();

  const DeviceKind kind_;
  const MonitorConfig& config_;
  const DeviceChannels channels_;
  DeviceChannel& channel_;
  MainWindowLink& window_;
  Clock& clock_;
  bool first_poll_ = true;
  int keyboard_model_ = 3;
};

}  // namespace vandrel
