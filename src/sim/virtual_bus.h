// VirtualBus: a HidBackend whose devices are simulated. Devices are plugged and unplugged at run
// time from any thread; the host finds and opens them exactly as it would real ones.
//
// A keyboard or a mouse is one interface with two top-level collections: 1, consumer control
// (report ID 3), and 2, the vendor collection (report ID 4). A pad has only the vendor
// collection. Replies and notifications are timed by the bus's clock. With VANDREL_SIM_TRACE set
// (or SetTraceFile), every report is traced (see SimTrace). Any thread.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "device/hid_backend.h"
#include "sim/cpu_ledger.h"
#include "sim/sim_notice.h"
#include "sim/simulated_device.h"
#include "sim/state_lock.h"

namespace vandrel::sim {

class BusContext;

struct PlugOptions {
  std::optional<int> key_count;        // keyboards: the key count to report
  std::filesystem::path state_folder;  // when set, the device's memory persists there
};

class VirtualBus final : public HidBackend {
 public:
  // `clock` must outlive the bus and every device plugged into it.
  explicit VirtualBus(Clock& clock);
  ~VirtualBus() override;

  // Plugs in a new device with a product ID of the family (see factory.h); nullptr for another.
  std::shared_ptr<SimulatedDevice> Plug(std::uint16_t product_id, const PlugOptions& options = {});
  void Unplug(const std::shared_ptr<SimulatedDevice>& device);
  [[nodiscard]] std::vector<std::shared_ptr<SimulatedDevice>> Devices() const;
  // Traces every report to `path` from now on (empty: stops); false when it cannot be opened.
  bool SetTraceFile(const std::filesystem::path& path);
  // From now on, charges what the devices cost each thread that talks to them (SimCpuLedger).
  void AccountCpu();
  [[nodiscard]] std::vector<SimCpuLedger::Entry> CpuTotals() const;
  // Notices about state and trace files go to `sink` from now on (see SimNotice).
  void SetNoticeSink(SimNoticeSink sink);
  // Holds `folder` (see StateFolderLock) until the bus is destroyed, so that devices plugged with
  // it as their state folder read, change and save their memory while no other process does.
  // False with `error` set when it cannot be held.
  [[nodiscard]] bool LockStateFolder(const std::filesystem::path& folder, Clock::Duration patience,
                                     std::string& error);

  [[nodiscard]] std::optional<std::vector<HidInterfaceInfo>> Enumerate() override;
  [[nodiscard]] std::unique_ptr<HidConnection> Open(const std::string& path,
                                                    std::uint32_t collection_number,
                                                    HidOpenFlags flags) override;
  [[nodiscard]] bool IsPresent(const std::string& path) override;
  [[nodiscard]] ChangeSignal* InterfaceChanges() override;

 private:
  [[nodiscard]] std::shared_ptr<SimulatedDevice> Find(const std::string& path) const;

  const std::shared_ptr<BusContext> context_;
  std::unique_ptr<StateFolderLock> state_lock_;  // released after every device is unplugged
  mutable std::mutex mutex_;                     // guards devices_ and next_serial_
  std::vector<std::shared_ptr<SimulatedDevice>> devices_;
  int next_serial_ = 0;
};

}  // namespace vandrel::sim
