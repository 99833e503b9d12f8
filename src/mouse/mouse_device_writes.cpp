// The writes of MouseDevice: the live apply, the stored-record apply, the key page write, the
// factory reset, and the host settings handed to the worker.
#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "core/trace.h"
#include "mouse/host_worker.h"
#include "mouse/mouse_device.h"
#include "mouse/mouse_limits.h"

namespace vandrel {
namespace {

// The live apply sends the settings in a full chunk; the bytes after them are zero.
constexpr std::size_t kLivePayloadSize = 56;
constexpr std::uint8_t kResetPointerSpeed = 10;
constexpr std::uint8_t kResetWheelLines = 3;

}  // namespace

void MouseDevice::ApplyLive() {
  if (!state_.dirty || !ready_()) return;
  std::array<std::uint8_t, kLivePayloadSize> payload{};
  const auto settings = Encode(state_.live);
  std::copy(settings.begin(), settings.end(), payload.begin());
  channel_.SelectProfile(payload);
  // A failed write is not repeated by itself: the next edit marks the record again.
  state_.dirty = false;
}

void MouseDevice::ApplyStoredRecord(const MouseSlotRecord& record, const MouseKeyTable& keys) {
  // Marked even before the pages are ready, so the first tick after that sends the profile.
  state_.dirty = true;
  if (!ready_()) return;
  const auto settings = Encode(record.settings);
  channel_.SelectProfile(settings);
  WriteKeyPage0(keys);
}

std::optional<FieldProblem> MouseDevice::ApplyLightProfile(
    std::span<const std::uint8_t, kMouseLightProfileSize> payload) {
  if (auto problem = MouseLightProfileProblem(payload, HighestDpiIndex(state_.info))) {
    return problem;
  }
  LoadLightProfile(state_, payload);
  state_.dirty = true;
  Worker().RequestPointerSpeed();
  Worker().RequestWheelLines();
  return std::nullopt;
}

std::optional<FieldProblem> MouseDevice::ApplyKeyProfile(
    std::span<const std::uint8_t, kMouseKeyProfileSize> payload) {
  if (auto problem = MouseKeyProfileProblem(payload)) return problem;
  std::copy(payload.begin(), payload.end(), state_.keys[0].bytes.begin());
  state_.keys_known[0] = true;
  if (ready_()) WriteKeyPage0(state_.keys[0]);
  return std::nullopt;
}

std::optional<FieldProblem> MouseDevice::ApplyDeviceProfile(
    std::span<const std::uint8_t, kMouseDeviceProfileSize> payload) {
  if (auto problem = MouseDeviceProfileProblem(payload, HighestDpiIndex(state_.info))) {
    return problem;
  }
  const MouseSlotRecord record =
      LoadDeviceProfile(state_, payload, HostSettingsOfDesktop(pointer_));
  ApplyStoredRecord(record, state_.keys[0]);
  return std::nullopt;
}

int MouseDevice::WriteKeyPage() {
  const KeyPageSnapshot snapshot = TakeKeyPage();
  if (snapshot.refusal != kChannelSuccess) return snapshot.refusal;
  const int result = WriteKeyPageSnapshot(channel_, snapshot);
  KeyPageWritten();
  return result;
}

KeyPageSnapshot MouseDevice::TakeKeyPage() const {
  const int page = state_.live.slot;
  if (page < 0 || page > DeviceChannel::kLastPage) {
    Trace("mouse key page not written: slot " + std::to_string(page) + " has no key page");
    return {.page = page, .bytes = {}, .refusal = kChannelBadPage};
  }
  if (!state_.keys_known[static_cast<std::size_t>(page)]) {
    Trace("mouse key page not written: page " + std::to_string(page) + " was never read");
    return {.page = page, .bytes = {}, .refusal = kKeyPageNotKnown};
  }
  const std::span<const std::uint8_t> image =
      std::span(state_.keys[static_cast<std::size_t>(page)].bytes).first(MouseKeyTable::kPageSize);
  return {.page = page, .bytes = {image.begin(), image.end()}, .refusal = kChannelSuccess};
}

void MouseDevice::KeyPageWritten() { profiles_.SaveSelected(DeviceKind::kMouse, kDeviceProfile); }

// The mouse takes key pages only inside a configuration bracket, whoever writes them.
void MouseDevice::WriteKeyPage0(const MouseKeyTable& keys) {
  channel_.BeginConfig();
  channel_.WriteProfilePage(keys.bytes, 0);
  channel_.EndConfig();
}

void MouseDevice::Reset() {
  SetPointerSpeed(kResetPointerSpeed);
  SetWheelLines(kResetWheelLines);
  channel_.FactoryReset();
}

void MouseDevice::MarkDirty(unsigned profiles) {
  state_.dirty = true;
  state_.shared_lighting.Store(state_.live.lighting);
  profiles_.SaveSelected(DeviceKind::kMouse, profiles);
}

void MouseDevice::SetPointerSpeed(std::uint8_t speed) {
  state_.pointer_speed.store(speed);
  Worker().RequestPointerSpeed();
}

void MouseDevice::SetWheelLines(std::uint8_t lines) {
  state_.wheel_lines.store(lines);
  Worker().RequestWheelLines();
}

MouseDevice::HostWorker& MouseDevice::Worker() {
  if (!worker_) worker_ = std::make_unique<HostWorker>(state_, pointer_);
  return *worker_;
}

}  // namespace vandrel
