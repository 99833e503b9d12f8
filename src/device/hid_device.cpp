#include "device/hid_device.h"

#include <utility>

namespace vandrel {

HidDevice::HidDevice(HidBackend& backend) : backend_(backend) {}

HidDevice::~HidDevice() { CloseDevice(); }

int HidDevice::EnumeratePaths() {
  std::optional<std::vector<HidInterfaceInfo>> found = backend_.Enumerate();
  if (!found) {
    FreePathList();
    return 0;
  }
  path_list_ = std::move(*found);
  return 1;
}

void HidDevice::FreePathList() { path_list_ = {}; }

void HidDevice::SetDevicePath(std::string path, std::uint32_t collection_number) {
  device_path_ = std::move(path);
  collection_number_ = collection_number;
}

int HidDevice::Open() {
  CloseDevice();
  std::unique_ptr<HidConnection> connection =
      backend_.Open(device_path_, collection_number_, open_flags_);
  if (connection == nullptr || !LoadCapabilities(*connection)) return 0;
  std::lock_guard lock(mutex_);
  connection_ = std::move(connection);
  return 1;
}

bool HidDevice::LoadCapabilities(const HidConnection& connection) {
  const HidConnectionInfo& info = connection.Info();
  std::optional<HidPreparsedData> preparsed =
      HidPreparsedData::Prepare(info.report_descriptor, collection_number_);
  if (!preparsed) return false;
  const HidCaps& caps = preparsed->caps();
  const std::size_t lengths[kHidReportTypeCount] = {caps.input_report_byte_length,
                                                    caps.output_report_byte_length,
                                                    caps.feature_report_byte_length};
  for (std::size_t type = 0; type < kHidReportTypeCount; ++type) {
    std::optional<std::vector<HidDataItem>> items =
        BuildDataItems(*preparsed, static_cast<HidReportType>(type));
    if (!items) {
      FreeCapabilities();
      return false;
    }
    reports_[type].items = std::move(*items);
    reports_[type].report_buffer.assign(lengths[type], 0);
  }
  caps_ = caps;
  attributes_ = info.attributes;
  interface_number_ = info.interface_number;
  preparsed_ = std::make_unique<HidPreparsedData>(std::move(*preparsed));
  return true;
}

void HidDevice::FreeCapabilities() {
  for (HidReportSet& reports : reports_) reports = {};
  preparsed_.reset();
  caps_ = {};
}

void HidDevice::CloseDevice() {
  std::unique_ptr<HidConnection> closing;
  {
    std::unique_lock lock(mutex_);
    // A read or write on another thread still uses the connection and may fill one of the
    // record's buffers: end it and wait before freeing anything.
    while (transfers_ > 0) {
      const int running = transfers_;
      cancel_.Set();
      transfer_ended_.wait(lock, [&] { return transfers_ < running; });
    }
    // A transfer that ended on its own just before the signal leaves it set: drop it, or it would
    // end the first transfer after the next Open.
    (void)cancel_.TryWait();
    closing = std::move(connection_);
  }
  FreeCapabilities();
  attributes_ = {};
  interface_number_ = 0;
}

bool HidDevice::is_open() const {
  std::lock_guard lock(mutex_);
  return connection_ != nullptr;
}

template <typename Operation>
HidIoResult HidDevice::Transfer(Operation&& operation) {
  HidConnection* connection = nullptr;
  {
    std::lock_guard lock(mutex_);
    if (connection_ == nullptr) return {};
    connection = connection_.get();
    ++transfers_;
  }
  const HidIoResult result = operation(*connection);
  std::lock_guard lock(mutex_);
  --transfers_;
  // Notified under the lock: the closing thread may destroy the record as soon as it wakes.
  transfer_ended_.notify_all();
  return result;
}

int HidDevice::ReadReport(std::span<std::uint8_t> buffer, std::size_t* bytes_read,
                          Clock::Duration timeout) {
  if (bytes_read != nullptr) *bytes_read = 0;
  read_pending_ = true;
  const HidIoResult result = Transfer(
      [&](HidConnection& connection) { return connection.Read(buffer, timeout, cancel_); });
  read_pending_ = false;
  if (result.status != HidIoStatus::kDone) return 0;
  if (bytes_read != nullptr) *bytes_read = result.bytes;
  return 1;
}

int HidDevice::WriteReport(std::span<const std::uint8_t> report, std::size_t* bytes_written) {
  if (bytes_written != nullptr) *bytes_written = 0;
  write_pending_ = true;
  const HidIoResult result = Transfer(
      [&](HidConnection& connection) { return connection.Write(report, kWriteTimeout, cancel_); });
  write_pending_ = false;
  if (result.status != HidIoStatus::kDone) return 0;
  if (bytes_written != nullptr) *bytes_written = result.bytes;
  return 1;
}

bool HidDevice::IsPresent() {
  {
    std::lock_guard lock(mutex_);
    if (connection_ != nullptr) return connection_->IsPresent();
  }
  return backend_.IsPresent(device_path_);
}

}  // namespace vandrel
