// What the virtual bus shares with its devices: the clock that times replies, the trace and where
// notices about the simulator's files go, and who hears of devices arriving and going.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include "core/change_signal.h"
#include "core/clock.h"
#include "sim/cpu_ledger.h"
#include "sim/sim_notice.h"
#include "sim/sim_trace.h"

namespace vandrel::sim {

class BusContext {
 public:
  // `clock` must outlive the bus and every device plugged into it.
  explicit BusContext(Clock& clock) : clock_(clock) {}

  [[nodiscard]] Clock& clock() { return clock_; }
  // Notified when a device is plugged in or leaves the bus (unplugged or vanished).
  [[nodiscard]] ChangeSignal& changes() { return changes_; }
  // What the devices cost the threads that talk to them, once enabled.
  [[nodiscard]] SimCpuLedger& cpu_ledger() { return cpu_ledger_; }

  // Starts tracing to `path` (empty: stops); false when the file cannot be opened.
  bool SetTraceFile(const std::filesystem::path& path) {
    std::unique_ptr<SimTrace> trace;
    if (!path.empty()) trace = std::make_unique<SimTrace>(path, clock_);
    const bool ok = !trace || trace->ok();
    std::lock_guard lock(mutex_);
    trace_ = ok ? std::move(trace) : nullptr;
    trace_failed_ = false;
    return ok;
  }

  void Trace(std::string_view device, std::string_view interface, std::string_view direction,
             std::span<const std::uint8_t> report) {
    std::unique_lock lock(mutex_);
    if (!trace_ || trace_->Write(device, interface, direction, report) || trace_failed_) return;
    // Said once: every later line fails alike.
    trace_failed_ = true;
    const std::string text = "cannot write the simulator trace " + trace_->path().string();
    lock.unlock();
    Tell({true, text});
  }

  // Notices go to `sink` from now on; none are kept before.
  void SetNoticeSink(SimNoticeSink sink) {
    std::lock_guard lock(mutex_);
    sink_ = std::move(sink);
  }

  void Tell(const SimNotice& notice) {
    SimNoticeSink sink;
    {
      std::lock_guard lock(mutex_);
      sink = sink_;
    }
    if (sink) sink(notice);
  }

 private:
  Clock& clock_;
  ChangeSignal changes_;
  SimCpuLedger cpu_ledger_;
  std::mutex mutex_;  // guards trace_, trace_failed_ and sink_
  std::unique_ptr<SimTrace> trace_;
  bool trace_failed_ = false;
  SimNoticeSink sink_;
};

}  // namespace vandrel::sim
