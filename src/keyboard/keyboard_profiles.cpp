#include "keyboard/keyboard_profiles.h"

namespace vandrel {
namespace {

void Load(KeyboardState& state, KeyboardLightPayload payload) {
  payload.record.live.profile = 0;
  if (payload.custom.custom_set >= kCustomSetCount) payload.custom.custom_set = 0;
  state.lights[0] = payload.record;
  std::lock_guard lock(state.lighting_lock);
  state.live = payload.record.live;
  state.custom = payload.custom;
}

}  // namespace

KeyboardLightPayload StoreLiveLight(KeyboardState& state) {
  KeyboardLightRecord& record = state.lights[0];
  record.live = state.live;
  return {record, state.custom};
}

void LoadKeyProfile(KeyboardState& state,
                    std::span<const std::uint8_t, kKeyboardKeyProfileSize> payload) {
  DecodeInto(payload, state.keys[0]);
}

void LoadLightProfile(KeyboardState& state,
                      std::span<const std::uint8_t, kKeyboardLightProfileSize> payload) {
  KeyboardLightPayload light;
  DecodeInto(payload, light);
  Load(state, light);
}

void LoadDeviceProfile(KeyboardState& state,
                       std::span<const std::uint8_t, kKeyboardDeviceProfileSize> payload) {
  KeyboardDevicePayload device;
  DecodeInto(payload, device);
  state.keys[0] = device.keys;
  Load(state, device.light);
}

}  // namespace vandrel
