// HidBackend: the seam between HidDevice and a platform's HID interfaces. The hidraw backend
// reaches real devices; the simulator's virtual bus serves simulated ones. Callers of HidDevice
// cannot tell which one they run on.
//
// Interfaces are listed per top-level collection, as the original platform lists them: one
// interface whose report descriptor holds several top-level collections gives several records
// with the same path, numbered 1, 2, ...; an interface with a single collection gives one record
// numbered 0. A connection to a collection sees only that collection's input reports.
//
// Reports cross the seam in one layout whatever the device does on the wire: byte 0 is the report
// ID (0 when the device uses none) and the report's data follows.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/change_signal.h"
#include "core/clock.h"
#include "core/event.h"

namespace vandrel {

// A time-out that never ends.
inline constexpr Clock::Duration kWaitForever = Clock::Duration::max();

struct HidAttributes {
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::uint16_t version_number = 0;
  friend bool operator==(const HidAttributes&, const HidAttributes&) = default;
};

// One top-level collection of a HID interface present on the machine.
struct HidInterfaceInfo {
  std::string path;  // what Open takes, with the collection number
  HidAttributes attributes;
  std::uint32_t interface_number = 0;   // the USB interface; 0 when there is none
  std::uint32_t collection_number = 0;  // 0 for an interface's only collection, else from 1
  std::uint16_t usage_page = 0;         // of the top-level collection; 0 when unreadable
  std::uint16_t usage = 0;
  std::vector<std::uint8_t> report_descriptor;  // of the whole interface
};

struct HidOpenFlags {
  bool read = false;
  bool write = false;
  bool exclusive = false;  // others may still open the interface, but not for writing
};

enum class HidIoStatus { kDone, kTimedOut, kCancelled, kFailed };

struct HidIoResult {
  HidIoStatus status = HidIoStatus::kFailed;
  std::size_t bytes = 0;  // moved; 0 unless kDone
};

// What a connection learnt from the interface when it was opened.
struct HidConnectionInfo {
  HidAttributes attributes;
  std::uint32_t interface_number = 0;
  std::vector<std::uint8_t> report_descriptor;
};

// One opened collection. Destroying it closes it; no Read or Write may be running then.
class HidConnection {
 public:
  virtual ~HidConnection() = default;

  [[nodiscard]] virtual const HidConnectionInfo& Info() const = 0;

  // Waits up to `timeout` (kWaitForever: without end) for one input report and copies it into
  // `buffer`. Ends at once with kCancelled when `cancel` (an auto-reset event) is set while it
  // waits or was set before the call; the signal is consumed. kFailed when the connection was not
  // opened for reading, or the interface has gone. Any thread; one Read and one Write may run at
  // the same time.
  [[nodiscard]] virtual HidIoResult Read(std::span<std::uint8_t> buffer, Clock::Duration timeout,
                                         Event& cancel) = 0;
  // Sends one output report, waiting up to `timeout` for the interface to take it; otherwise as
  // Read.
  [[nodiscard]] virtual HidIoResult Write(std::span<const std::uint8_t> report,
                                          Clock::Duration timeout, Event& cancel) = 0;
  // Whether the opened interface is still there; never waits. Any thread.
  [[nodiscard]] virtual bool IsPresent() = 0;
};

class HidBackend {
 public:
  virtual ~HidBackend() = default;

  // Every top-level collection of every HID interface present (empty when there is none);
  // nullopt when the list cannot be made. Any thread.
  [[nodiscard]] virtual std::optional<std::vector<HidInterfaceInfo>> Enumerate() = 0;
  // Opens collection `collection_number` of the interface at `path`; nullptr when it is absent,
  // access is refused, or its report descriptor is unusable. Any thread.
  [[nodiscard]] virtual std::unique_ptr<HidConnection> Open(const std::string& path,
                                                            std::uint32_t collection_number,
                                                            HidOpenFlags flags) = 0;
  // Whether an interface is present at `path` now; never waits long. Any thread.
  [[nodiscard]] virtual bool IsPresent(const std::string& path) = 0;
  // Notified whenever an interface may have arrived or gone, so that whoever looks for devices
  // can wait for that instead of looking again every so often; nullptr when this backend cannot
  // tell, and its users must keep looking. Lives as long as the backend. Any thread.
  [[nodiscard]] virtual ChangeSignal* InterfaceChanges() { return nullptr; }
};

}  // namespace vandrel
