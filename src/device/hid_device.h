// HidDevice: one HID interface collection, opened or not, on a HidBackend. It lists the
// interfaces present, opens one by path with chosen access, learns its identity and
// capabilities by parsing its report descriptor, and moves reports with reads and writes that
// end on completion, on a time-out, or when another thread signals the cancel event.
//
// Results follow the system's convention: 1 for success, 0 for failure; nothing throws.
//
// Threads: one owner thread enumerates, opens and closes the record, probes its presence and
// reads its capabilities, items and buffers. ReadReport, WriteReport, SignalCancel, is_open and
// the pending flags may be used on any thread.
// CloseDevice (and Open, which closes first) cancels a read or write in progress on another
// thread and waits for it to end before anything is freed.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/event.h"
#include "device/hid_backend.h"
#include "device/hid_data_item.h"
#include "device/hid_preparsed_data.h"

namespace vandrel {

// The buffer and the items of one report type of an opened collection.
struct HidReportSet {
  std::vector<std::uint8_t> report_buffer;  // report byte length of the type, zero-filled
  std::vector<HidDataItem> items;           // see BuildDataItems
};

class HidDevice {
 public:
  // Every WriteReport waits this long for the device to take the report.
  static constexpr Clock::Duration kWriteTimeout = std::chrono::milliseconds(1000);

  // `backend` must outlive the record.
  explicit HidDevice(HidBackend& backend);
  ~HidDevice();
  HidDevice(const HidDevice&) = delete;
  HidDevice& operator=(const HidDevice&) = delete;

  // Whom the interfaces are listed, opened and probed through.
  [[nodiscard]] HidBackend& backend() const { return backend_; }

  // Replaces the path list with every interface collection present. 0 (and an empty list) when
  // the list cannot be made.
  [[nodiscard]] int EnumeratePaths();
  [[nodiscard]] const std::vector<HidInterfaceInfo>& path_list() const { return path_list_; }
  void FreePathList();

  // What Open opens: a listed path and its collection number.
  void SetDevicePath(std::string path, std::uint32_t collection_number);
  [[nodiscard]] const std::string& device_path() const { return device_path_; }
  void SetOpenFlags(HidOpenFlags flags) { open_flags_ = flags; }

  // Closes the record, then opens the device path and loads its capabilities. On failure the
  // record is left closed with its capabilities freed.
  [[nodiscard]] int Open();
  // Frees the report buffers, the items and the parsed descriptor, and zeroes the capabilities.
  void FreeCapabilities();
  // Cancels a pending read or write and waits for it, frees the capabilities and closes the
  // connection. The record stays usable for another Open.
  void CloseDevice();

  [[nodiscard]] bool is_open() const;
  [[nodiscard]] const HidCaps& capabilities() const { return caps_; }
  [[nodiscard]] const HidAttributes& attributes() const { return attributes_; }
  [[nodiscard]] std::uint32_t interface_number() const { return interface_number_; }
  [[nodiscard]] std::uint32_t collection_number() const { return collection_number_; }
  // The parsed descriptor of the opened collection; null when closed.
  [[nodiscard]] const HidPreparsedData* preparsed_data() const { return preparsed_.get(); }
  [[nodiscard]] HidReportSet& input() { return reports_[0]; }
  [[nodiscard]] HidReportSet& output() { return reports_[1]; }
  [[nodiscard]] HidReportSet& feature() { return reports_[2]; }

  // Reads one input report into `buffer`, waiting up to `timeout` (kWaitForever: without end).
  // 0 with 0 bytes on a time-out, a cancel, a closed record or a failed read.
  [[nodiscard]] int ReadReport(std::span<std::uint8_t> buffer, std::size_t* bytes_read,
                               Clock::Duration timeout);
  // Writes one output report, waiting up to kWriteTimeout; otherwise as ReadReport.
  [[nodiscard]] int WriteReport(std::span<const std::uint8_t> report, std::size_t* bytes_written);
  // Ends the read or write now waiting, or else the next one, at once (an auto-reset signal).
  void SignalCancel() { cancel_.Set(); }
  [[nodiscard]] bool read_pending() const { return read_pending_; }
  [[nodiscard]] bool write_pending() const { return write_pending_; }

  // Whether the device path is present: for an open record, whether its interface is still
  // there; never waits long. Owner thread, as it reads the device path.
  [[nodiscard]] bool IsPresent();

 private:
  template <typename Operation>
  HidIoResult Transfer(Operation&& operation);
  bool LoadCapabilities(const HidConnection& connection);

  HidBackend& backend_;
  std::vector<HidInterfaceInfo> path_list_;
  std::string device_path_;
  std::uint32_t collection_number_ = 0;
  HidOpenFlags open_flags_;
  HidCaps caps_;
  HidAttributes attributes_;
  std::uint32_t interface_number_ = 0;
  std::unique_ptr<HidPreparsedData> preparsed_;
  HidReportSet reports_[kHidReportTypeCount];

  Event cancel_{EventReset::kAuto};
  std::atomic<bool> read_pending_{false};
  std::atomic<bool> write_pending_{false};

  mutable std::mutex mutex_;  // guards connection_ and transfers_
  std::condition_variable transfer_ended_;
  std::unique_ptr<HidConnection> connection_;
  int transfers_ = 0;  // reads and writes now using connection_
};

}  // namespace vandrel
