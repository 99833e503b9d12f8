// FakeHidBackend: an in-memory HidBackend for the tests of HidDevice. Interfaces are records the
// test lists; reads return queued reports or wait for the cancel event or their time-out; the
// time-outs asked for are recorded; a connection destroyed while a transfer still runs on it is
// recorded as a fault.
#pragma once

#include <atomic>
#include <deque>
#include <mutex>
#include <set>

#include "device/hid_backend.h"

namespace vandrel::testing {

class FakeHidBackend final : public HidBackend {
 public:
  std::optional<std::vector<HidInterfaceInfo>> Enumerate() override { return interfaces; }
  std::unique_ptr<HidConnection> Open(const std::string& path, std::uint32_t collection_number,
                                      HidOpenFlags flags) override;
  bool IsPresent(const std::string& path) override { return present_paths.contains(path); }

  void QueueReport(std::vector<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    queued_reports_.push_back(std::move(report));
  }
  std::vector<Clock::Duration> Timeouts() const {
    std::lock_guard lock(mutex_);
    return timeouts_;
  }

  // Set by the test while no transfer runs.
  std::optional<std::vector<HidInterfaceInfo>> interfaces = std::vector<HidInterfaceInfo>{};
  std::set<std::string> present_paths;
  bool accepts_writes = true;
  bool connections_present = true;
  // Observed.
  HidOpenFlags last_open_flags;
  std::atomic<int> live_connections{0};
  std::atomic<bool> destroyed_during_transfer{false};

 private:
  class Connection;

  mutable std::mutex mutex_;  // guards the queue and the time-outs
  std::deque<std::vector<std::uint8_t>> queued_reports_;
  std::vector<Clock::Duration> timeouts_;  // of reads and writes, in order
};

class FakeHidBackend::Connection final : public HidConnection {
 public:
  Connection(FakeHidBackend& backend, HidConnectionInfo info)
      : backend_(backend), info_(std::move(info)) {
    ++backend_.live_connections;
  }
  ~Connection() override {
    if (transfers_ > 0) backend_.destroyed_during_transfer = true;
    --backend_.live_connections;
  }

  const HidConnectionInfo& Info() const override { return info_; }

  HidIoResult Read(std::span<std::uint8_t> buffer, Clock::Duration timeout,
                   Event& cancel) override {
    ++transfers_;
    std::vector<std::uint8_t> report;
    {
      std::lock_guard lock(backend_.mutex_);
      backend_.timeouts_.push_back(timeout);
      if (!backend_.queued_reports_.empty()) {
        report = std::move(backend_.queued_reports_.front());
        backend_.queued_reports_.pop_front();
      }
    }
    HidIoResult result{HidIoStatus::kDone, std::min(report.size(), buffer.size())};
    std::copy_n(report.begin(), result.bytes, buffer.begin());
    // Waits are capped so that a test that goes wrong fails instead of hanging.
    if (report.empty()) {
      const bool cancelled =
          cancel.Wait(std::min<Clock::Duration>(timeout, std::chrono::seconds(30)));
      result = {cancelled ? HidIoStatus::kCancelled : HidIoStatus::kTimedOut, 0};
    }
    --transfers_;
    return result;
  }

  HidIoResult Write(std::span<const std::uint8_t> report, Clock::Duration timeout,
                    Event&) override {
    std::lock_guard lock(backend_.mutex_);
    backend_.timeouts_.push_back(timeout);
    if (!backend_.accepts_writes) return {HidIoStatus::kTimedOut, 0};
    return {HidIoStatus::kDone, report.size()};
  }

  bool IsPresent() override { return backend_.connections_present; }

 private:
  FakeHidBackend& backend_;
  const HidConnectionInfo info_;
  std::atomic<int> transfers_{0};
};

inline std::unique_ptr<HidConnection> FakeHidBackend::Open(const std::string& path,
                                                           std::uint32_t collection_number,
                                                           HidOpenFlags flags) {
  last_open_flags = flags;
  for (const HidInterfaceInfo& listed : interfaces.value_or(std::vector<HidInterfaceInfo>{})) {
    if (listed.path != path || listed.collection_number != collection_number) continue;
    return std::make_unique<Connection>(
        *this,
        HidConnectionInfo{listed.attributes, listed.interface_number, listed.report_descriptor});
  }
  return nullptr;
}

}  // namespace vandrel::testing
