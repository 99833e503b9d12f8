// HidrawConnection: one opened collection on a hidraw node. Reads and writes wait with poll on
// the node and on an eventfd that the cancel event wakes, so that a transfer ends at once on a
// cancel, with no busy waiting and no thread of its own.
//
// hidraw hands out reports as the device sends them; the connection reshapes them into the
// layout callers expect: a device without report IDs gets a 0 ID byte in front, reports of other
// collections on the same node are skipped, and a report shorter than the collection's longest
// input report is padded with zeros to that length (as much as the caller's buffer holds).
//
// The node may be any descriptor with hidraw's message semantics (tests use a socket pair).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/unique_fd.h"
#include "device/hid_backend.h"

namespace vandrel {

// How the reports of the opened collection look on the node.
struct HidrawReportShape {
  bool numbered = false;                       // reads start with the report ID
  std::vector<std::uint8_t> input_report_ids;  // the opened collection's input reports
  std::size_t input_report_length = 0;         // its longest input report, ID byte counted
};

class HidrawConnection final : public HidConnection {
 public:
  // Takes `node`, opened non-blocking with the access in `flags`; `path` is where the node lives,
  // for the presence probe. nullptr when no eventfd can be made.
  [[nodiscard]] static std::unique_ptr<HidrawConnection> Create(UniqueFd node, std::string path,
                                                                HidOpenFlags flags,
                                                                HidConnectionInfo info,
                                                                HidrawReportShape shape);

  [[nodiscard]] const HidConnectionInfo& Info() const override { return info_; }
  [[nodiscard]] HidIoResult Read(std::span<std::uint8_t> buffer, Clock::Duration timeout,
                                 Event& cancel) override;
  [[nodiscard]] HidIoResult Write(std::span<const std::uint8_t> report, Clock::Duration timeout,
                                  Event& cancel) override;
  // False once the node reports a hang-up or error (the device was unplugged: the node stays
  // dead even if another device gets its number), or its path is gone.
  [[nodiscard]] bool IsPresent() override;

 private:
  using Deadline = std::optional<std::chrono::steady_clock::time_point>;
  enum class Wait { kReady, kTimedOut, kCancelled, kFailed };
  enum class Received { kReport, kOtherReport, kFailed };

  HidrawConnection(UniqueFd node, UniqueFd wakeup, std::string path, HidOpenFlags flags,
                   HidConnectionInfo info, HidrawReportShape shape);
  [[nodiscard]] static HidIoStatus StatusOf(Wait wait);
  [[nodiscard]] Wait WaitFor(short events, Deadline deadline, Event& cancel);
  [[nodiscard]] Received ReceiveReport(std::span<std::uint8_t> buffer, std::size_t& bytes);
  [[nodiscard]] bool IsOurReport(std::uint8_t report_id) const;
  void DrainWakeups();

  const UniqueFd node_;
  const UniqueFd wakeup_;  // eventfd written whenever the cancel event is set during a transfer
  const std::string path_;
  const HidOpenFlags flags_;
  const HidConnectionInfo info_;
  const HidrawReportShape shape_;
};

}  // namespace vandrel
