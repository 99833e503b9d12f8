// DeviceSession: the device link as vandrelctl uses it: the real HID interfaces or the simulated
// devices, the three channels, and one poll of each presence monitor to connect what is there.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/options.h"
#include "core/clock.h"
#include "device/device_channel.h"
#include "device/headless_window_link.h"
#include "device/presence_monitor.h"

namespace vandrel::cli {

class DeviceSession {
 public:
  // Connects the devices present; nullptr with `error` set when the simulator's trace file
  // cannot be opened.
  [[nodiscard]] static std::unique_ptr<DeviceSession> Open(const Options& options,
                                                           std::string& error);
  ~DeviceSession();

  [[nodiscard]] DeviceChannel& channel(DeviceKind kind) { return channels_.Of(kind); }
  // The model of the keyboard found; nullopt when none was.
  [[nodiscard]] std::optional<int> keyboard_model() const;

 private:
  DeviceSession(Clock& clock, std::unique_ptr<HidBackend> backend);
  void Connect();

  Clock& clock_;
  std::unique_ptr<HidBackend> backend_;
  std::unique_ptr<HeadlessWindowLink> window_;
  DeviceChannel keyboard_;
  DeviceChannel mouse_;
  DeviceChannel pad_;
  DeviceChannels channels_{keyboard_, mouse_, pad_};
};

}  // namespace vandrel::cli
