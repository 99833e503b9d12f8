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

// The HID interfaces the options ask for: the machine's hidraw nodes, or a virtual bus on `clock`
// (which must outlive it) with the simulated devices plugged in, holding their memory folder
// while it lives so that runs at once do not undo each other's changes. The simulator's notices
// go to standard error; lost memory or trace lines make the run fail (NoteLateFailure). nullptr
// with `error` set when the simulator's trace file or memory folder cannot be used.
[[nodiscard]] std::unique_ptr<HidBackend> MakeBackend(const Options& options, Clock& clock,
                                                      std::string& error);

// Why the collection `info` describes cannot be opened for reading and writing, in words for the
// user (on real devices a refused permission points to the udev rule); nullopt when it opens.
[[nodiscard]] std::optional<std::string> OpenProblem(HidBackend& backend,
                                                     const HidInterfaceInfo& info, bool simulated);

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
  // For a device of `kind` that is present but was not connected: why it cannot be opened.
  // nullopt when it is connected or absent.
  [[nodiscard]] std::optional<std::string> OpenProblem(DeviceKind kind);

 private:
  DeviceSession(Clock& clock, std::unique_ptr<HidBackend> backend, bool simulated);
  void Connect();

  Clock& clock_;
  std::unique_ptr<HidBackend> backend_;
  const bool simulated_;
  std::unique_ptr<HeadlessWindowLink> window_;
  DeviceChannel keyboard_;
  DeviceChannel mouse_;
  DeviceChannel pad_;
  DeviceChannels channels_{keyboard_, mouse_, pad_};
};

}  // namespace vandrel::cli
