// The reads of PadDevice: the full read and the slot switch.
#include "pad/pad_device.h"

#include <array>
#include <string>

#include "core/trace.h"

namespace vandrel {
namespace {

constexpr std::uint16_t kActiveSlotOffset = 0;  // byte 0 of the settings memory

[[nodiscard]] std::uint16_t SlotOffset(int slot) {
  return static_cast<std::uint16_t>(slot * static_cast<int>(PadSlotRecord::kSize));
}

[[nodiscard]] bool IsSlot(int slot) { return slot >= 0 && slot < kPadSlotCount; }

}  // namespace

PadDevice::PadDevice(DeviceChannel& channel, PadState& state, ProfileSaver& profiles)
    : channel_(channel), state_(state), profiles_(profiles) {}

void PadDevice::ReadAll() {
  channel_.BeginConfig();
  std::array<std::uint8_t, PadDeviceInfo::kSize> info{};
  if (channel_.ReadDeviceInfo(info) == kChannelSuccess) state_.info.bytes = info;
  for (int slot = 0; slot < kPadSlotCount; ++slot) ReadSlot(slot);
  const int active = ReadActiveSlot();
  channel_.EndConfig();
  MakeLive(active);
  profiles_.SaveSelected(DeviceKind::kPad, kLightProfile);
}

bool PadDevice::SwitchSlot(int slot) {
  if (!IsSlot(slot)) return false;
  const int active = ReadActiveSlot();
  if (active == slot) return false;
  state_.slots[static_cast<std::size_t>(active)].settings = state_.live;
  const std::array<std::uint8_t, 1> select{static_cast<std::uint8_t>(slot)};
  channel_.SelectProfile(select);
  ReadSlot(slot);
  MakeLive(slot);
  return true;
}

void PadDevice::ReadSlot(int slot) {
  std::array<std::uint8_t, PadSlotRecord::kReadSize> bytes{};
  if (channel_.ReadBlock(SlotOffset(slot), bytes) != kChannelSuccess) return;
  DecodeInto(bytes, state_.slots[static_cast<std::size_t>(slot)]);
}

void PadDevice::MakeLive(int slot) {
  state_.live = state_.slots[static_cast<std::size_t>(slot)].settings;
  state_.live.slot = static_cast<std::uint8_t>(slot);
  PublishLighting();
}

// The slot the pad says is active. When it does not answer, or names a slot it cannot have, the
// one the host last knew, so that no record outside the five is ever touched.
int PadDevice::ReadActiveSlot() {
  const int known = IsSlot(state_.live.slot) ? state_.live.slot : 0;
  std::array<std::uint8_t, 1> active{};
  if (channel_.ReadBlock(kActiveSlotOffset, active) != kChannelSuccess) return known;
  if (IsSlot(active[0])) return active[0];
  Trace("pad reports active slot " + std::to_string(active[0]) +
        ", which it does not have; using " + std::to_string(known));
  return known;
}

}  // namespace vandrel
