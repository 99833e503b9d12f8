// SimConnection: one opened collection of a simulated device, as the virtual bus hands it out
// once the device has attached it.
// Its input reports (replies on the vendor collection, notifications on the consumer-control
// collection) wait in its own queue until read, each from the moment it is due.
#pragma once

#include <array>
#include <deque>
#include <memory>

#include "device/hid_backend.h"
#include "sim/simulated_device.h"

namespace vandrel::sim {

class SimConnection final : public HidConnection {
 public:
  SimConnection(std::shared_ptr<SimulatedDevice> device, std::shared_ptr<BusContext> bus,
                SimCollection collection, HidOpenFlags flags, HidConnectionInfo info);
  ~SimConnection() override;

  [[nodiscard]] const HidConnectionInfo& Info() const override { return info_; }
  [[nodiscard]] HidIoResult Read(std::span<std::uint8_t> buffer, Clock::Duration timeout,
                                 Event& cancel) override;
  [[nodiscard]] HidIoResult Write(std::span<const std::uint8_t> report, Clock::Duration timeout,
                                  Event& cancel) override;
  [[nodiscard]] bool IsPresent() override { return device_->present(); }

 private:
  friend class SimulatedDevice;

  struct Pending {
    Clock::Duration due;
    std::array<std::uint8_t, 64> bytes;
    std::size_t length;
  };

  // Called by the device with its lock held.
  void PushLocked(std::span<const std::uint8_t> report, Clock::Duration due);
  void WakeLocked() { wake_.Set(); }

  // Takes the first due report; nullopt with the time the next one is due otherwise.
  std::optional<HidIoResult> TakeDue(std::span<std::uint8_t> buffer, Clock::Duration now,
                                     Clock::Duration& next_due);
  HidIoResult WaitToAccept(Clock::Duration accept_time, Clock::Duration timeout, Event& cancel);

  const std::shared_ptr<SimulatedDevice> device_;
  const std::shared_ptr<BusContext> bus_;
  const SimCollection collection_;
  const HidOpenFlags flags_;
  const HidConnectionInfo info_;
  std::deque<Pending> queue_;  // guarded by the device's mutex
  Event wake_{EventReset::kAuto};
};

}  // namespace vandrel::sim
