#include "sim/sim_connection.h"

#include <algorithm>

#include "sim/bus_context.h"

namespace vandrel::sim {
namespace {

// hidraw keeps at most this many unread input reports per open file; so does a connection.
constexpr std::size_t kQueueLimit = 64;

// Lets a cancel signal wake a wait on the connection's own event.
class CancelRelay final : public Event::Listener {
 public:
  CancelRelay(Event& cancel, Event& wake) : cancel_(cancel), wake_(wake) {
    cancel_.AddListener(this);
  }
  ~CancelRelay() { cancel_.RemoveListener(this); }
  CancelRelay(const CancelRelay&) = delete;
  CancelRelay& operator=(const CancelRelay&) = delete;

  void OnEventSet() override { wake_.Set(); }

 private:
  Event& cancel_;
  Event& wake_;
};

}  // namespace

SimConnection::SimConnection(std::shared_ptr<SimulatedDevice> device,
                             std::shared_ptr<BusContext> bus, SimCollection collection,
                             HidOpenFlags flags, HidConnectionInfo info)
    : device_(std::move(device)),
      bus_(std::move(bus)),
      collection_(collection),
      flags_(flags),
      info_(std::move(info)) {}

SimConnection::~SimConnection() { device_->Detach(this); }

void SimConnection::PushLocked(std::span<const std::uint8_t> report, Clock::Duration due) {
  if (queue_.size() == kQueueLimit) queue_.pop_front();
  Pending pending{due, {}, std::min(report.size(), std::size_t{64})};
  std::copy_n(report.begin(), pending.length, pending.bytes.begin());
  queue_.push_back(pending);
  wake_.Set();
}

std::optional<HidIoResult> SimConnection::TakeDue(std::span<std::uint8_t> buffer,
                                                  Clock::Duration now, Clock::Duration& next_due) {
  std::lock_guard lock(device_->mutex_);
  if (!device_->present_) return HidIoResult{HidIoStatus::kFailed, 0};
  next_due = Clock::Duration::max();
  if (queue_.empty()) return std::nullopt;
  if (queue_.front().due > now) {
    next_due = queue_.front().due;
    return std::nullopt;
  }
  const Pending& report = queue_.front();
  const std::size_t bytes = std::min(report.length, buffer.size());
  std::copy_n(report.bytes.begin(), bytes, buffer.begin());
  queue_.pop_front();
  return HidIoResult{HidIoStatus::kDone, bytes};
}

HidIoResult SimConnection::Read(std::span<std::uint8_t> buffer, Clock::Duration timeout,
                                Event& cancel) {
  if (!flags_.read) return {HidIoStatus::kFailed, 0};
  const SimCpuLedger::Scope charge(bus_->cpu_ledger());
  Clock& clock = bus_->clock();
  const CancelRelay relay(cancel, wake_);
  const Clock::Duration start = clock.Now();
  const Clock::Duration deadline =
      timeout >= Clock::Duration::max() - start ? Clock::Duration::max() : start + timeout;
  for (;;) {
    if (cancel.TryWait()) return {HidIoStatus::kCancelled, 0};
    const Clock::Duration now = clock.Now();
    Clock::Duration next_due;
    if (std::optional<HidIoResult> result = TakeDue(buffer, now, next_due)) return *result;
    if (now >= deadline) return {HidIoStatus::kTimedOut, 0};
    (void)clock.WaitFor(wake_, std::min(deadline, next_due) - now);
  }
}

HidIoResult SimConnection::WaitToAccept(Clock::Duration accept_time, Clock::Duration timeout,
                                        Event& cancel) {
  Clock& clock = bus_->clock();
  if (accept_time > timeout) {
    return clock.WaitFor(cancel, timeout) ? HidIoResult{HidIoStatus::kCancelled, 0}
                                          : HidIoResult{HidIoStatus::kTimedOut, 0};
  }
  if (accept_time > Clock::Duration::zero() && clock.WaitFor(cancel, accept_time)) {
    return {HidIoStatus::kCancelled, 0};
  }
  return {HidIoStatus::kDone, 0};
}

HidIoResult SimConnection::Write(std::span<const std::uint8_t> report, Clock::Duration timeout,
                                 Event& cancel) {
  using namespace std::chrono_literals;
  const bool vendor = collection_ == SimCollection::kVendor;
  if (!flags_.write || !vendor || !device_->present()) return {HidIoStatus::kFailed, 0};
  if (cancel.TryWait()) return {HidIoStatus::kCancelled, 0};
  const SimCpuLedger::Scope charge(bus_->cpu_ledger());
  const Faults faults = device_->CurrentFaults();
  const Clock::Duration accept_time = SaturatingAdd(
      faults.write_delay, faults.usb_timing ? Clock::Duration(1ms) : Clock::Duration::zero());
  const HidIoResult accepted = WaitToAccept(accept_time, timeout, cancel);
  if (accepted.status != HidIoStatus::kDone) return accepted;
  // The operating system refuses a report of another length than the descriptor's.
  if (report.size() != 64 || !device_->Receive(report)) return {HidIoStatus::kFailed, 0};
  return {HidIoStatus::kDone, report.size()};
}

}  // namespace vandrel::sim
