// DeviceChannel: the link with one device class (keyboard, mouse or pad). It owns the device's
// HidDevice and sends every command through it: a 64-byte request written, a 64-byte reply read
// back, up to four times when no reply comes; long data in chunks of 56 bytes. Input still queued
// is dropped before each write, and a reply that does not echo the request's command, length and
// offset counts as none.
//
// Result codes of every operation: 1 success; 0 not connected, or no reply in four tries; -1 a
// request could not be written (not retried); -102 / -103 the device refused with status 0xFF /
// 0xFE; -201 a page above 4 (nothing sent).
//
// A lighting frame equal to the last one the device accepted is not sent again while no other
// command has reached the device since: the device keeps showing what it was sent.
//
// Threads: any thread may run commands. The channel's lock is held across each write–read pair,
// so two threads never take each other's replies; chunks of one transfer may interleave with
// other threads' exchanges. The presence monitor holds the same lock for a whole poll while it
// opens, checks or closes the device.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>

#include "core/change_signal.h"
#include "core/clock.h"
#include "device/command_report.h"
#include "device/device_kind.h"
#include "device/hid_device.h"

namespace vandrel {

inline constexpr int kChannelSuccess = 1;
inline constexpr int kChannelNoReply = 0;
inline constexpr int kChannelWriteFailed = -1;
inline constexpr int kChannelRefusedBadFrame = -102;
inline constexpr int kChannelRefused = -103;
inline constexpr int kChannelBadPage = -201;
// Not a channel result: a device's key page write refused because the host holds no image of that
// page read from the device or loaded from a profile (nothing sent).
inline constexpr int kKeyPageNotKnown = -202;

inline constexpr std::size_t kDeviceInfoSize = 33;

struct ChannelIdentity {
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::uint16_t usage = 0;
  std::uint16_t usage_page = 0;
};

// The vendor collection of the device class `kind` with that class's own product ID (the keyboard
// monitor also accepts the other keyboards' IDs on this identity).
[[nodiscard]] ChannelIdentity ChannelIdentityOf(DeviceKind kind);

class DeviceChannel {
 public:
  static constexpr int kTries = 4;
  static constexpr Clock::Duration kReadTimeout = std::chrono::milliseconds(300);
  static constexpr Clock::Duration kEndConfigDelay = std::chrono::milliseconds(10);
  static constexpr std::uint16_t kDefaultTransferSize = 512;
  static constexpr int kLastPage = 4;
  static constexpr std::uint16_t kPageStride = 126;
  // hidraw keeps at most this many unread input reports for an open node.
  static constexpr std::size_t kQueuedReportLimit = 64;

  // `backend` and `clock` must outlive the channel.
  DeviceChannel(HidBackend& backend, Clock& clock);

  // Set once, before the threads that use the channel start.
  void SetIdentity(const ChannelIdentity& identity) { identity_ = identity; }
  [[nodiscard]] const ChannelIdentity& identity() const { return identity_; }

  // Bytes moved by ReadDefaultTable, ReadProfilePage and WriteProfilePage without a length.
  [[nodiscard]] std::uint16_t transfer_size() const { return transfer_size_; }
  void set_transfer_size(std::uint16_t size) { transfer_size_ = size; }
  // Written by the presence monitor only.
  [[nodiscard]] bool connected() const { return connected_; }
  void set_connected(bool connected);
  [[nodiscard]] bool sync_lighting() const { return sync_lighting_; }
  void set_sync_lighting(bool sync);
  // Notified when the sync-lighting flag changes and when the device may no longer show the last
  // frame it accepted (another command reached it, or it was connected or disconnected), so that
  // a lighting thread resting on a sent frame renders and sends again. Any thread.
  [[nodiscard]] ChangeSignal& changes() { return changes_; }

  // The presence monitor's access: the device, under the lock.
  [[nodiscard]] HidDevice& device() { return device_; }
  [[nodiscard]] std::mutex& lock() { return lock_; }

  // One request and its reply, with retries; the status byte is not looked at. 1, 0 or -1.
  // On 0, `reply` may hold a reply to another request.
  [[nodiscard]] int Exchange(const CommandReport& request, CommandReport& reply,
                             std::size_t* bytes_read);
  // One write and one read, no retry, the reply dropped; the result is that of the read.
  [[nodiscard]] int SendOnce(const CommandReport& request);

  int BeginConfig();
  // Waits 10 ms, then closes the configuration bracket.
  int EndConfig();
  int ReadDeviceInfo(std::span<std::uint8_t, kDeviceInfoSize> info);
  // 1–56 bytes from `offset` of the settings memory.
  int ReadBlock(std::uint16_t offset, std::span<std::uint8_t> out);
  // 1–56 bytes: the slot number, then (optionally) that slot's settings record.
  int SelectProfile(std::span<const std::uint8_t> payload);
  // The transfer size in bytes (at most what `out` holds).
  int ReadDefaultTable(std::span<std::uint8_t> out);
  int ReadProfilePage(std::span<std::uint8_t> out, int page);
  // `length` bytes of `table` (the transfer size when not given; at most what `table` holds).
  int WriteProfilePage(std::span<const std::uint8_t> table, int page,
                       std::optional<std::size_t> length = std::nullopt);
  // Command 13, sent once; its reply is not waited for beyond one read.
  int FactoryReset();
  // Sends the frame unless the device shows it already (1 then, nothing sent).
  int SendLightingFrame(std::span<const std::uint8_t> frame);
  // Whether the device shows `frame`: it accepted it last and nothing else reached it since.
  // False while another thread is sending a frame. Any thread.
  [[nodiscard]] bool ShowsLightingFrame(std::span<const std::uint8_t> frame);
  // Whether a thread is sending a frame now. Any thread.
  [[nodiscard]] bool SendingFrame() const { return sending_frame_.load(); }
  // How long ago the last lighting frame was sent (whatever its result); the time since the
  // clock's origin when none was. A frame not sent because the device showed it does not count.
  [[nodiscard]] Clock::Duration SinceLastFrame() const;
  int WriteMacroData(std::span<const std::uint8_t> image);
  int WriteRecoilData(std::span<const std::uint8_t> block);

  // The result of the first command that failed since the last call, kChannelSuccess when none
  // did; for callers that run whole sequences without looking at each result. Any thread.
  [[nodiscard]] int TakeFailure() { return first_failure_.exchange(kChannelSuccess); }

 private:
  // Both run with the lock held.
  void DropQueuedInput();
  [[nodiscard]] bool ReadReplyTo(const CommandReport& request, CommandReport& reply,
                                 std::size_t* bytes_read);
  int ExchangeWithRetries(const CommandReport& request, CommandReport& reply,
                          std::size_t* bytes_read);
  int Single(Command command, std::uint8_t length, std::uint16_t offset,
             std::span<const std::uint8_t> payload, std::span<std::uint8_t> out);
  int ReadChunked(Command command, std::uint16_t base, std::span<std::uint8_t> out);
  int WriteChunked(Command command, std::uint16_t base, std::span<const std::uint8_t> data);
  // The device may show something else than the frame it accepted last.
  void ForgetShownFrame();
  // With frame_lock_ held.
  [[nodiscard]] bool ShowsLocked(std::span<const std::uint8_t> frame) const;

  Clock& clock_;
  ChannelIdentity identity_;
  std::atomic<std::uint16_t> transfer_size_{kDefaultTransferSize};
  std::atomic<bool> connected_{false};
  std::atomic<bool> sync_lighting_{false};
  std::atomic<Clock::Duration::rep> last_frame_{0};  // clock time of the last frame sent
  std::atomic<int> first_failure_{kChannelSuccess};
  HidDevice device_;
  std::mutex lock_;  // held across each write–read pair, and by the monitor for a whole poll
  ChangeSignal changes_;

  // The largest frame remembered: the per-key keyboard's.
  static constexpr std::size_t kLargestFrame = 378;
  // Counts the commands other than frames and the (dis)connections: a frame accepted under
  // another count may no longer be what the device shows.
  std::atomic<std::uint64_t> other_traffic_{0};
  std::atomic<bool> frame_shown_{false};  // whether shown_frame_ may be what the device shows
  std::atomic<bool> sending_frame_{false};
  std::mutex frame_lock_;  // held across a whole frame send; guards the three below
  std::array<std::uint8_t, kLargestFrame> shown_frame_{};
  std::size_t shown_size_ = 0;       // 0: no frame remembered
  std::uint64_t shown_traffic_ = 0;  // other_traffic_ when the frame was accepted
};

}  // namespace vandrel
