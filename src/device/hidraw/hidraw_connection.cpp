#include "device/hidraw/hidraw_connection.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace vandrel {
namespace {

using SteadyTime = std::chrono::steady_clock;

constexpr short kGone = POLLERR | POLLHUP | POLLNVAL;
// A time-out this long is no time-out; it also keeps the deadline arithmetic from overflowing.
constexpr Clock::Duration kLongestTimeout = std::chrono::hours(24 * 365);

// While a transfer runs, setting the cancel event also writes to the connection's eventfd, which
// the transfer polls beside the node.
class CancelWakeup final : public Event::Listener {
 public:
  CancelWakeup(Event& cancel, int wakeup_fd) : cancel_(cancel), wakeup_fd_(wakeup_fd) {
    cancel_.AddListener(this);
  }
  ~CancelWakeup() { cancel_.RemoveListener(this); }
  CancelWakeup(const CancelWakeup&) = delete;
  CancelWakeup& operator=(const CancelWakeup&) = delete;

  // Runs under the event's lock: an eventfd write never blocks.
  void OnEventSet() override {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(wakeup_fd_, &one, sizeof one);
  }

 private:
  Event& cancel_;
  const int wakeup_fd_;
};

std::optional<SteadyTime::time_point> DeadlineAfter(Clock::Duration timeout) {
  if (timeout >= kLongestTimeout) return std::nullopt;
  return SteadyTime::now() + std::max(timeout, Clock::Duration::zero());
}

// Milliseconds left, rounded up so that a wait never ends just before its deadline and spins.
int PollTimeout(const std::optional<SteadyTime::time_point>& deadline) {
  if (!deadline) return -1;
  const auto left = *deadline - SteadyTime::now();
  if (left <= SteadyTime::duration::zero()) return 0;
  const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(left).count();
  return static_cast<int>(std::min<decltype(milliseconds)>(milliseconds, INT_MAX));
}

bool IsTransient(int error) { return error == EAGAIN || error == EWOULDBLOCK || error == EINTR; }

}  // namespace

std::unique_ptr<HidrawConnection> HidrawConnection::Create(UniqueFd node, std::string path,
                                                           HidOpenFlags flags,
                                                           HidConnectionInfo info,
                                                           HidrawReportShape shape) {
  UniqueFd wakeup(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (!node.valid() || !wakeup.valid()) return nullptr;
  return std::unique_ptr<HidrawConnection>(new HidrawConnection(std::move(node), std::move(wakeup),
                                                                std::move(path), flags,
                                                                std::move(info), std::move(shape)));
}

HidrawConnection::HidrawConnection(UniqueFd node, UniqueFd wakeup, std::string path,
                                   HidOpenFlags flags, HidConnectionInfo info,
                                   HidrawReportShape shape)
    : node_(std::move(node)),
      wakeup_(std::move(wakeup)),
      path_(std::move(path)),
      flags_(flags),
      info_(std::move(info)),
      shape_(std::move(shape)) {}

HidIoResult HidrawConnection::Read(std::span<std::uint8_t> buffer, Clock::Duration timeout,
                                   Event& cancel) {
  if (!flags_.read || buffer.empty()) return {};
  const CancelWakeup wakeup(cancel, wakeup_.get());
  if (cancel.TryWait()) return {HidIoStatus::kCancelled, 0};
  const Deadline deadline = DeadlineAfter(timeout);
  for (;;) {
    const Wait waited = WaitFor(POLLIN, deadline, cancel);
    if (waited != Wait::kReady) return {StatusOf(waited), 0};
    std::size_t bytes = 0;
    switch (ReceiveReport(buffer, bytes)) {
      case Received::kReport:
        return {HidIoStatus::kDone, bytes};
      case Received::kOtherReport:
        break;
      case Received::kFailed:
        return {};
    }
  }
}

HidIoResult HidrawConnection::Write(std::span<const std::uint8_t> report, Clock::Duration timeout,
                                    Event& cancel) {
  if (!flags_.write || report.empty()) return {};
  const CancelWakeup wakeup(cancel, wakeup_.get());
  if (cancel.TryWait()) return {HidIoStatus::kCancelled, 0};
  const Deadline deadline = DeadlineAfter(timeout);
  for (;;) {
    const Wait waited = WaitFor(POLLOUT, deadline, cancel);
    if (waited != Wait::kReady) return {StatusOf(waited), 0};
    const ssize_t written = write(node_.get(), report.data(), report.size());
    if (written >= 0) return {HidIoStatus::kDone, static_cast<std::size_t>(written)};
    if (!IsTransient(errno)) return {};
  }
}

HidIoStatus HidrawConnection::StatusOf(Wait wait) {
  switch (wait) {
    case Wait::kReady:
      return HidIoStatus::kDone;
    case Wait::kTimedOut:
      return HidIoStatus::kTimedOut;
    case Wait::kCancelled:
      return HidIoStatus::kCancelled;
    case Wait::kFailed:
      return HidIoStatus::kFailed;
  }
  return HidIoStatus::kFailed;
}

bool HidrawConnection::IsPresent() {
  pollfd node = {node_.get(), 0, 0};
  if (poll(&node, 1, 0) < 0 || (node.revents & kGone) != 0) return false;
  struct stat status {};
  return stat(path_.c_str(), &status) == 0;
}

// The cancel event is looked at first, so that a cancel wins over a report arriving at the same
// moment. A wake-up whose signal another transfer consumed is no cancel: the wait goes on.
HidrawConnection::Wait HidrawConnection::WaitFor(short events, Deadline deadline, Event& cancel) {
  for (;;) {
    pollfd fds[2] = {{node_.get(), events, 0}, {wakeup_.get(), POLLIN, 0}};
    if (poll(fds, 2, PollTimeout(deadline)) < 0) {
      if (errno == EINTR) continue;
      return Wait::kFailed;
    }
    if ((fds[1].revents & POLLIN) != 0) {
      DrainWakeups();
      if (cancel.TryWait()) return Wait::kCancelled;
    }
    const bool gone = (fds[0].revents & kGone) != 0;
    // A vanished device's queued reports can still be read, but nothing can be written to it.
    if ((fds[0].revents & events) != 0 && !(gone && events == POLLOUT)) return Wait::kReady;
    if (gone) return Wait::kFailed;
    if (deadline && SteadyTime::now() >= *deadline) return Wait::kTimedOut;
  }
}

HidrawConnection::Received HidrawConnection::ReceiveReport(std::span<std::uint8_t> buffer,
                                                           std::size_t& bytes) {
  // Without report IDs the node's reads start with the data: leave room for the 0 ID byte.
  const std::span<std::uint8_t> room = shape_.numbered ? buffer : buffer.subspan(1);
  if (room.empty()) return Received::kFailed;
  const ssize_t got = read(node_.get(), room.data(), room.size());
  if (got < 0) return IsTransient(errno) ? Received::kOtherReport : Received::kFailed;
  if (got == 0) return Received::kFailed;  // end of file: the node is gone
  bytes = static_cast<std::size_t>(got);
  if (!shape_.numbered) {
    buffer[0] = 0;
    ++bytes;
  } else if (!IsOurReport(buffer[0])) {
    return Received::kOtherReport;
  }
  const std::size_t padded = std::min(shape_.input_report_length, buffer.size());
  if (bytes < padded) {
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(bytes),
              buffer.begin() + static_cast<std::ptrdiff_t>(padded), std::uint8_t{0});
    bytes = padded;
  }
  return Received::kReport;
}

bool HidrawConnection::IsOurReport(std::uint8_t report_id) const {
  return std::find(shape_.input_report_ids.begin(), shape_.input_report_ids.end(), report_id) !=
         shape_.input_report_ids.end();
}

void HidrawConnection::DrainWakeups() {
  std::uint64_t count = 0;
  [[maybe_unused]] const ssize_t drained = read(wakeup_.get(), &count, sizeof count);
}

}  // namespace vandrel
