#include "device/device_channel.h"

#include <algorithm>

#include "device/product_ids.h"

namespace vandrel {
namespace {

// The reply's status byte as a result code.
int StatusResult(const CommandReport& reply) {
  switch (reply[kStatusOffset]) {
    case kStatusBadFrame:
      return kChannelRefusedBadFrame;
    case kStatusRefused:
      return kChannelRefused;
    default:
      return kChannelSuccess;
  }
}

std::uint16_t PageBase(int page) {
  return static_cast<std::uint16_t>(page * DeviceChannel::kPageStride);
}

}  // namespace

ChannelIdentity ChannelIdentityOf(DeviceKind kind) {
  const std::uint16_t product = kind == DeviceKind::kKeyboard ? kKeyboardProductId
                                : kind == DeviceKind::kMouse  ? kMouseProductId
                                                              : kPadProductId;
  return {kVendorId, product, kVendorUsage, kVendorUsagePage};
}

DeviceChannel::DeviceChannel(HidBackend& backend, Clock& clock) : clock_(clock), device_(backend) {}

void DeviceChannel::set_connected(bool connected) {
  connected_ = connected;
  ForgetShownFrame();
}

void DeviceChannel::set_sync_lighting(bool sync) {
  if (sync_lighting_.exchange(sync) != sync) changes_.Notify();
}

void DeviceChannel::ForgetShownFrame() {
  ++other_traffic_;
  if (frame_shown_.exchange(false)) changes_.Notify();
}

int DeviceChannel::Exchange(const CommandReport& request, CommandReport& reply,
                            std::size_t* bytes_read) {
  if (bytes_read != nullptr) *bytes_read = 0;
  if (!connected_) return kChannelNoReply;
  ForgetShownFrame();
  return ExchangeWithRetries(request, reply, bytes_read);
}

int DeviceChannel::ExchangeWithRetries(const CommandReport& request, CommandReport& reply,
                                       std::size_t* bytes_read) {
  for (int attempt = 0; attempt < kTries; ++attempt) {
    std::lock_guard lock(lock_);
    DropQueuedInput();
    if (device_.WriteReport(request, nullptr) != 1) return kChannelWriteFailed;
    if (ReadReplyTo(request, reply, bytes_read)) return kChannelSuccess;
  }
  return kChannelNoReply;
}

int DeviceChannel::SendOnce(const CommandReport& request) {
  if (!connected_) return kChannelNoReply;
  ForgetShownFrame();
  std::lock_guard lock(lock_);
  DropQueuedInput();
  (void)device_.WriteReport(request, nullptr);
  CommandReport scratch{};
  return ReadReplyTo(request, scratch, nullptr) ? kChannelSuccess : kChannelNoReply;
}

// A reply that came after its read gave up, or the reply to a resend, waits in the input queue;
// left there it would be taken for the reply to the next request, and so on for every later one.
// Bounded, so that a device that never stops sending cannot hold the channel here.
void DeviceChannel::DropQueuedInput() {
  CommandReport stale{};
  for (std::size_t dropped = 0; dropped < kQueuedReportLimit; ++dropped) {
    if (device_.ReadReport(stale, nullptr, Clock::Duration::zero()) != 1) return;
  }
}

// A reply to another request counts as no reply, so that the request is sent again.
bool DeviceChannel::ReadReplyTo(const CommandReport& request, CommandReport& reply,
                                std::size_t* bytes_read) {
  if (device_.ReadReport(reply, bytes_read, kReadTimeout) != 1) return false;
  if (IsReplyTo(reply, request)) return true;
  if (bytes_read != nullptr) *bytes_read = 0;
  return false;
}

int DeviceChannel::Single(Command command, std::uint8_t length, std::uint16_t offset,
                          std::span<const std::uint8_t> payload, std::span<std::uint8_t> out) {
  if (!connected_) return kChannelNoReply;
  if (command != Command::kSendLightingFrame) ForgetShownFrame();
  const CommandReport request = BuildRequest(command, length, offset, payload);
  CommandReport reply{};
  const int result = ExchangeWithRetries(request, reply, nullptr);
  const int status = result == kChannelSuccess ? StatusResult(reply) : result;
  if (status == kChannelSuccess) {
    std::copy_n(reply.begin() + kPayloadOffset, std::min(out.size(), kChunkSize), out.begin());
  } else {
    int none = kChannelSuccess;
    first_failure_.compare_exchange_strong(none, status);
  }
  return status;
}

int DeviceChannel::ReadChunked(Command command, std::uint16_t base, std::span<std::uint8_t> out) {
  for (std::size_t done = 0; done < out.size(); done += kChunkSize) {
    const std::size_t length = std::min(kChunkSize, out.size() - done);
    const int result =
        Single(command, static_cast<std::uint8_t>(length), static_cast<std::uint16_t>(base + done),
               {}, out.subspan(done, length));
    if (result != kChannelSuccess) return result;
  }
  return kChannelSuccess;
}

int DeviceChannel::WriteChunked(Command command, std::uint16_t base,
                                std::span<const std::uint8_t> data) {
  for (std::size_t done = 0; done < data.size(); done += kChunkSize) {
    const std::size_t length = std::min(kChunkSize, data.size() - done);
    const int result =
        Single(command, static_cast<std::uint8_t>(length), static_cast<std::uint16_t>(base + done),
               data.subspan(done, length), {});
    if (result != kChannelSuccess) return result;
  }
  return kChannelSuccess;
}

int DeviceChannel::BeginConfig() { return Single(Command::kBeginConfig, 0, 0, {}, {}); }

int DeviceChannel::EndConfig() {
  clock_.Sleep(kEndConfigDelay);
  return Single(Command::kEndConfig, 0, 0, {}, {});
}

int DeviceChannel::ReadDeviceInfo(std::span<std::uint8_t, kDeviceInfoSize> info) {
  return Single(Command::kReadDeviceInfo, kDeviceInfoSize, 0, {}, info);
}

int DeviceChannel::ReadBlock(std::uint16_t offset, std::span<std::uint8_t> out) {
  out = out.first(std::min(out.size(), kChunkSize));
  return Single(Command::kReadBlock, static_cast<std::uint8_t>(out.size()), offset, {}, out);
}

int DeviceChannel::SelectProfile(std::span<const std::uint8_t> payload) {
  payload = payload.first(std::min(payload.size(), kChunkSize));
  return Single(Command::kSelectProfile, static_cast<std::uint8_t>(payload.size()), 0, payload, {});
}

int DeviceChannel::ReadDefaultTable(std::span<std::uint8_t> out) {
  return ReadChunked(Command::kReadDefaultTable, 0,
                     out.first(std::min<std::size_t>(out.size(), transfer_size_)));
}

int DeviceChannel::ReadProfilePage(std::span<std::uint8_t> out, int page) {
  if (page < 0 || page > kLastPage) return kChannelBadPage;
  return ReadChunked(Command::kReadProfilePage, PageBase(page),
                     out.first(std::min<std::size_t>(out.size(), transfer_size_)));
}

int DeviceChannel::WriteProfilePage(std::span<const std::uint8_t> table, int page,
                                    std::optional<std::size_t> length) {
  if (page < 0 || page > kLastPage) return kChannelBadPage;
  const std::size_t bytes = std::min(length.value_or(transfer_size_), table.size());
  return WriteChunked(Command::kWriteProfilePage, PageBase(page), table.first(bytes));
}

int DeviceChannel::FactoryReset() { return SendOnce(BuildRequest(Command::kFactoryReset, 0)); }

// The whole frame is sent under frame_lock_, so that what is remembered is the frame the device
// completed last, not one whose chunks another thread's frame overtook.
int DeviceChannel::SendLightingFrame(std::span<const std::uint8_t> frame) {
  std::lock_guard frame_lock(frame_lock_);
  if (ShowsLocked(frame)) return kChannelSuccess;
  frame_shown_ = false;
  shown_size_ = 0;
  const std::uint64_t traffic = other_traffic_.load();
  sending_frame_ = true;
  const int result = WriteChunked(Command::kSendLightingFrame, 0, frame);
  last_frame_.store(clock_.Now().count());
  if (result == kChannelSuccess && frame.size() <= kLargestFrame) {
    std::copy(frame.begin(), frame.end(), shown_frame_.begin());
    shown_size_ = frame.size();
    shown_traffic_ = traffic;
    frame_shown_ = true;
  }
  sending_frame_ = false;
  // Another command went between the chunks: whoever rests on this frame must look again.
  if (other_traffic_.load() != traffic) changes_.Notify();
  return result;
}

bool DeviceChannel::ShowsLightingFrame(std::span<const std::uint8_t> frame) {
  const std::unique_lock frame_lock(frame_lock_, std::try_to_lock);
  return frame_lock.owns_lock() && ShowsLocked(frame);
}

bool DeviceChannel::ShowsLocked(std::span<const std::uint8_t> frame) const {
  return shown_size_ != 0 && shown_size_ == frame.size() &&
         shown_traffic_ == other_traffic_.load() &&
         std::equal(frame.begin(), frame.end(), shown_frame_.begin());
}

Clock::Duration DeviceChannel::SinceLastFrame() const {
  return clock_.Now() - Clock::Duration(last_frame_.load());
}

int DeviceChannel::WriteMacroData(std::span<const std::uint8_t> image) {
  return WriteChunked(Command::kWriteMacroData, 0, image);
}

int DeviceChannel::WriteRecoilData(std::span<const std::uint8_t> block) {
  return WriteChunked(Command::kWriteRecoilData, 0, block);
}

}  // namespace vandrel
