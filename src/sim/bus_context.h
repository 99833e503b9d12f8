// What the virtual bus shares with its devices: the clock that times replies and the trace.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>

#include "core/clock.h"
#include "sim/sim_trace.h"

namespace vandrel::sim {

class BusContext {
 public:
  // `clock` must outlive the bus and every device plugged into it.
  explicit BusContext(Clock& clock) : clock_(clock) {}

  [[nodiscard]] Clock& clock() { return clock_; }

  // Starts tracing to `path` (empty: stops); false when the file cannot be opened.
  bool SetTraceFile(const std::filesystem::path& path) {
    std::unique_ptr<SimTrace> trace;
    if (!path.empty()) trace = std::make_unique<SimTrace>(path, clock_);
    const bool ok = !trace || trace->ok();
    std::lock_guard lock(mutex_);
    trace_ = ok ? std::move(trace) : nullptr;
    return ok;
  }

  void Trace(std::string_view device, std::string_view interface, std::string_view direction,
             std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (trace_) trace_->Write(device, interface, direction, report);
  }

 private:
  Clock& clock_;
  std::mutex mutex_;  // guards trace_
  std::unique_ptr<SimTrace> trace_;
};

}  // namespace vandrel::sim
