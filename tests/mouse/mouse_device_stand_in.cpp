// A stand-in for the members of MouseDevice that the pages use, with the traffic and bookkeeping
// its header promises: MarkDirty sets `dirty` and has the profiles rewritten, ApplyLive sends the
// live record with command 6 as 56 bytes once per change, Reset sends the factory reset. Host
// settings are applied at once instead of on a worker.
#include <algorithm>
#include <array>
#include <utility>

#include "mouse/mouse_device.h"

namespace vandrel {

class MouseDevice::HostWorker {};

MouseDevice::MouseDevice(DeviceChannel& channel, MouseState& state, PointerSettings& pointer,
                         ProfileSaver& profiles, std::function<bool()> ready)
    : channel_(channel),
      state_(state),
      pointer_(pointer),
      profiles_(profiles),
      ready_(std::move(ready)),
      worker_(std::make_unique<HostWorker>()) {}

MouseDevice::~MouseDevice() = default;

void MouseDevice::MarkDirty(unsigned profiles) {
  state_.dirty = true;
  profiles_.SaveSelected(DeviceKind::kMouse, profiles);
}

void MouseDevice::ApplyLive() {
  if (!state_.dirty || !ready_()) return;
  std::array<std::uint8_t, MouseSlotRecord::kReadSize> payload{};
  const auto live = Encode(state_.live);
  std::copy(live.begin(), live.end(), payload.begin());
  (void)channel_.SelectProfile(payload);
  state_.dirty = false;
}

void MouseDevice::SetPointerSpeed(std::uint8_t speed) {
  state_.pointer_speed = std::clamp<std::uint8_t>(speed, 1, 20);
  (void)pointer_.SetPointerSpeed(state_.pointer_speed);
}

void MouseDevice::SetWheelLines(std::uint8_t lines) {
  state_.wheel_lines = lines;
  (void)pointer_.SetWheelLines(lines);
}

void MouseDevice::Reset() {
  SetPointerSpeed(10);
  SetWheelLines(3);
  (void)channel_.FactoryReset();
}

}  // namespace vandrel
