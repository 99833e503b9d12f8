// SimulatedDevice: one simulated mouse, pad or keyboard plugged into the virtual bus: its firmware
// and memory, the faults it is told to show, and the actions a user could take on the device
// itself. Tests and the program's simulate menu hold it; the virtual bus carries reports to and
// from it. Every member may be called from any thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/clock.h"
#include "sim/factory.h"
#include "sim/firmware.h"

namespace vandrel::sim {

class BusContext;
class SimConnection;

// Faults a device shows from the moment they are set; setting them restarts the request count.
struct Faults {
  bool silent = false;              // takes requests but never answers
  Clock::Duration reply_delay{0};   // answers this late
  std::uint8_t refusal_status = 0;  // 0xFF or 0xFE: refuse requests with it; 0: no refusal
  int refuse_request = 0;           // with a refusal: only the k-th request (from 1); 0: every one
  int vanish_on_request = 0;        // the k-th request (from 1) is lost and the device unplugged
  bool usb_timing = false;          // each report takes about 1 ms, as on a full-speed endpoint
  Clock::Duration write_delay{0};   // the device takes this long to accept each report
};

// The two top-level collections a device can have.
enum class SimCollection { kConsumer, kVendor };

// Consumer-control usages the keyboard and the mouse send.
inline constexpr std::uint16_t kNotifySettingsChanged = 0x0401;
inline constexpr std::uint16_t kNotifyFullChange = 0x0402;
inline constexpr std::uint16_t kNotifyPadFlash = 0x0403;

class SimulatedDevice {
 public:
  // `state_file`, when not empty, keeps the memory between runs: it is loaded when it matches the
  // device (see LoadState) and rewritten after every change of memory. Problems with it reach the
  // bus's notice sink.
  SimulatedDevice(std::shared_ptr<BusContext> bus, std::uint16_t product_id,
                  std::optional<int> key_count, std::string path, std::filesystem::path state_file);

  [[nodiscard]] std::uint16_t product_id() const { return product_id_; }
  [[nodiscard]] DeviceFamily family() const { return family_; }
  [[nodiscard]] const std::string& path() const { return path_; }
  // Keyboards and mice also have the consumer-control collection.
  [[nodiscard]] bool has_consumer_control() const { return family_ != DeviceFamily::kPad; }
  [[nodiscard]] bool present() const;

  void SetFaults(const Faults& faults);

  // On-device actions. Switching the slot or the DPI level on the mouse, or the lighting mode on
  // the keyboard, changes the memory and announces it with usage 0x0401 (pressed and released).
  void SwitchSlot(std::uint8_t slot);
  void ChangeDpiLevel(std::uint8_t level);
  void ChangeLightingMode(std::uint8_t mode);
  // Gives every slot the lighting mode and speed, quietly: a set-up before the host reads.
  void SetLighting(std::uint8_t mode, std::uint8_t speed);
  // Sends one consumer-control usage (0x0402 full change, 0x0403 pad flash …) and then its
  // release, a report with no usage. Ignored by a device without the consumer-control collection.
  void Notify(std::uint16_t usage);

  // What the firmware holds and has seen.
  [[nodiscard]] FirmwareImage Memory() const;
  [[nodiscard]] int ViolationCount() const;
  [[nodiscard]] std::map<Violation, int> Violations() const;
  [[nodiscard]] int RequestCount() const;
  [[nodiscard]] int FramesReceived() const;
  // When the first lighting frame arrived, on the bus's clock; nullopt before.
  [[nodiscard]] std::optional<Clock::Duration> FirstFrameTime() const;
  [[nodiscard]] std::vector<std::uint8_t> LastFrame() const;
  [[nodiscard]] bool ConfigOpen() const;
  // How many collections of the device the host has open.
  [[nodiscard]] int ConnectionCount() const;

 private:
  friend class VirtualBus;
  friend class SimConnection;

  // Called by the bus and its connections.
  // False, and nothing attached, when the device is gone or the connection's sharing clashes
  // with one already open (an exclusive opener shares reading only).
  [[nodiscard]] bool Attach(SimConnection* connection);
  void Detach(SimConnection* connection);
  void Unplug();
  // Handles one request written to the vendor collection; false when the device is gone.
  bool Receive(std::span<const std::uint8_t> report);
  [[nodiscard]] Faults CurrentFaults() const;

  void ChangeMemoryAndNotify(std::size_t offset, std::uint8_t value);
  void PressLocked(std::uint16_t usage);
  void DeliverLocked(SimCollection collection, std::span<const std::uint8_t> report,
                     Clock::Duration due);
  void SaveState();
  [[nodiscard]] std::string_view tag() const { return FamilyTag(family_); }

  const std::shared_ptr<BusContext> bus_;
  const std::uint16_t product_id_;
  const DeviceFamily family_;
  const std::string path_;
  const std::filesystem::path state_file_;

  mutable std::mutex mutex_;  // guards everything below
  Firmware firmware_;
  Faults faults_;
  int requests_since_faults_ = 0;
  int requests_ = 0;
  std::optional<Clock::Duration> first_frame_;
  bool present_ = true;
  std::vector<SimConnection*> connections_;
  bool keep_state_ = true;    // false: the state file could not be moved aside, so never replaced
  bool save_failed_ = false;  // a failed save was told
};

}  // namespace vandrel::sim
