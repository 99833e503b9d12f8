// The reads of MouseDevice: the full read, the re-read of the active slot and the slot switch.
#include "mouse/mouse_device.h"

#include <array>
#include <string>

#include "core/trace.h"
#include "mouse/host_worker.h"

namespace vandrel {
namespace {

constexpr std::uint16_t kActiveSlotOffset = 0;  // byte 0 of the settings memory

[[nodiscard]] std::uint16_t SlotOffset(int slot) {
  return static_cast<std::uint16_t>(slot * static_cast<int>(MouseSlotRecord::kSize));
}

// Slot 5 has no page in the key memory.
[[nodiscard]] bool HasKeyPage(int slot) { return slot >= 0 && slot <= DeviceChannel::kLastPage; }

}  // namespace

MouseDevice::MouseDevice(DeviceChannel& channel, MouseState& state, PointerSettings& pointer,
                         ProfileSaver& profiles, std::function<bool()> ready)
    : channel_(channel),
      state_(state),
      pointer_(pointer),
      profiles_(profiles),
      ready_(std::move(ready)) {}

MouseDevice::~MouseDevice() = default;

void MouseDevice::ReadAll() {
  channel_.BeginConfig();
  std::array<std::uint8_t, MouseDeviceInfo::kSize> info{};
  if (channel_.ReadDeviceInfo(info) == kChannelSuccess) state_.info.bytes = info;
  std::array<std::uint8_t, MouseKeyTable::kSize> defaults{};
  if (channel_.ReadDefaultTable(defaults) == kChannelSuccess) state_.defaults.bytes = defaults;
  ReadSlot(0);
  ReadKeyPage(0);
  const int active = ValidSlotOr(state_.slots[0].settings.slot, 0);
  if (active != 0) {
    ReadSlot(active);
    if (HasKeyPage(active)) ReadKeyPage(active);
  }
  MakeLive(active);
  channel_.EndConfig();
  profiles_.SaveSelected(DeviceKind::kMouse, kDeviceProfile);
}

void MouseDevice::RereadActiveSlot() {
  KeepLive();
  const int active = ReadActiveSlot();
  ReadSlot(active);
  // The mouse may have switched to a slot whose buttons the host has not seen yet.
  if (HasKeyPage(active)) ReadKeyPage(active);
  MakeLive(active);
  profiles_.SaveSelected(DeviceKind::kMouse, kLightProfile | kDeviceProfile);
}

bool MouseDevice::SwitchSlot(int slot) {
  if (slot < 0 || slot >= kMouseSlotCount) return false;
  const int active = ReadActiveSlot();
  if (active == slot) return false;
  state_.slots[static_cast<std::size_t>(active)].settings = state_.live;
  const std::array<std::uint8_t, 1> select{static_cast<std::uint8_t>(slot)};
  channel_.SelectProfile(select);
  ReadSlot(slot);
  if (HasKeyPage(slot)) ReadKeyPage(slot);
  MakeLive(slot);
  return true;
}

void MouseDevice::ReadSlot(int slot) {
  std::array<std::uint8_t, MouseSlotRecord::kReadSize> bytes{};
  if (channel_.ReadBlock(SlotOffset(slot), bytes) != kChannelSuccess) return;
  DecodeInto(bytes, state_.slots[static_cast<std::size_t>(slot)]);
}

void MouseDevice::ReadKeyPage(int slot) {
  std::array<std::uint8_t, MouseKeyTable::kSize> bytes{};
  if (channel_.ReadProfilePage(bytes, slot) != kChannelSuccess) return;
  state_.keys[static_cast<std::size_t>(slot)].bytes = bytes;
  state_.keys_known[static_cast<std::size_t>(slot)] = true;
}

void MouseDevice::MakeLive(int slot) {
  state_.live = state_.slots[static_cast<std::size_t>(slot)].settings;
  state_.live.slot = static_cast<std::uint8_t>(slot);
  state_.shared_lighting.Store(state_.live.lighting);
}

void MouseDevice::KeepLive() {
  const int slot = ValidSlotOr(state_.live.slot, 0);
  state_.slots[static_cast<std::size_t>(slot)].settings = state_.live;
}

// The slot the mouse says is active; when it does not answer, the one the host last knew.
int MouseDevice::ReadActiveSlot() {
  const int known = ValidSlotOr(state_.live.slot, 0);
  std::array<std::uint8_t, 1> active{};
  if (channel_.ReadBlock(kActiveSlotOffset, active) != kChannelSuccess) return known;
  return ValidSlotOr(active[0], known);
}

int MouseDevice::ValidSlotOr(std::uint8_t slot, int fallback) {
  if (slot < kMouseSlotCount) return slot;
  Trace("mouse reports active slot " + std::to_string(slot) + ", which it does not have; using " +
        std::to_string(fallback));
  return fallback;
}

}  // namespace vandrel
