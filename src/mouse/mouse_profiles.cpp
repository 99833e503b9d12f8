#include "mouse/mouse_profiles.h"

#include "mouse/mouse_limits.h"

namespace vandrel {
namespace {

void MakeRecordLive(MouseState& state, const MouseSlotRecord& record) {
  const std::uint8_t active_slot = state.live.slot;
  state.live = record.settings;
  state.live.slot = active_slot;
  state.shared_lighting.Store(state.live.lighting);
}

}  // namespace

MouseSlotRecord StoreLiveLight(MouseState& state) {
  MouseSlotRecord& record = state.slots[0];
  record.settings = state.live;
  record.pointer_speed = state.pointer_speed.load();
  record.wheel_lines = state.wheel_lines.load();
  return record;
}

std::optional<FieldProblem> MouseKeyProfileProblem(
    std::span<const std::uint8_t, kMouseKeyProfileSize> payload) {
  MouseKeyTable keys;
  DecodeInto(payload, keys);
  return MouseKeysProblem(keys);
}

std::optional<FieldProblem> MouseLightProfileProblem(
    std::span<const std::uint8_t, kMouseLightProfileSize> payload, int highest_dpi_index) {
  MouseSlotRecord record;
  DecodeInto(payload, record);
  return MouseRecordProblem(record, highest_dpi_index);
}

// The host settings of a .config are not loaded, so they are not checked.
std::optional<FieldProblem> MouseDeviceProfileProblem(
    std::span<const std::uint8_t, kMouseDeviceProfileSize> payload, int highest_dpi_index) {
  MouseDevicePayload device;
  DecodeInto(payload, device);
  if (auto problem = MouseKeysProblem(device.keys)) return problem;
  return MouseSettingsProblem(device.record.settings, highest_dpi_index);
}

void LoadLightProfile(MouseState& state,
                      std::span<const std::uint8_t, kMouseLightProfileSize> payload) {
  MouseSlotRecord record;
  DecodeInto(payload, record);
  MakeRecordLive(state, record);
  const HostSettings host = HostSettingsOfRecord(record);
  state.pointer_speed.store(host.pointer_speed);
  state.wheel_lines.store(host.wheel_lines);
}

MouseSlotRecord LoadDeviceProfile(MouseState& state,
                                  std::span<const std::uint8_t, kMouseDeviceProfileSize> payload,
                                  const HostSettings& desktop) {
  MouseDevicePayload device;
  DecodeInto(payload, device);
  state.keys[0] = device.keys;
  state.keys_known[0] = true;
  MakeRecordLive(state, device.record);
  state.pointer_speed.store(desktop.pointer_speed);
  state.wheel_lines.store(desktop.wheel_lines);
  return device.record;
}

}  // namespace vandrel
