#include "keyboard/keyboard_profiles.h"

#include <algorithm>
#include <bit>

namespace vandrel {
namespace {

KeyboardLightPayload LightPayloadOf(KeyboardState& state) {
  KeyboardLightRecord& record = state.lights[0];
  record.live = state.live;
  return {record, state.custom};
}

void Load(KeyboardState& state, KeyboardLightPayload payload) {
  payload.record.live.profile = 0;
  if (payload.custom.custom_set >= kCustomSetCount) payload.custom.custom_set = 0;
  state.lights[0] = payload.record;
  std::lock_guard lock(state.lighting_lock);
  state.live = payload.record.live;
  state.custom = payload.custom;
}

template <std::size_t kSize>
std::array<std::uint8_t, kSize> Copy(std::span<const std::uint8_t, kSize> payload) {
  std::array<std::uint8_t, kSize> bytes{};
  std::copy(payload.begin(), payload.end(), bytes.begin());
  return bytes;
}

}  // namespace

KeyboardKeyProfileBytes MakeKeyProfile(const KeyboardState& state) { return state.keys[0].bytes; }

KeyboardLightProfileBytes MakeLightProfile(KeyboardState& state) {
  return Encode(LightPayloadOf(state));
}

KeyboardDeviceProfileBytes MakeDeviceProfile(KeyboardState& state) {
  return Encode(KeyboardDevicePayload{state.keys[0], LightPayloadOf(state)});
}

void LoadKeyProfile(KeyboardState& state,
                    std::span<const std::uint8_t, kKeyboardKeyProfileSize> payload) {
  state.keys[0].bytes = Copy(payload);
}

void LoadLightProfile(KeyboardState& state,
                      std::span<const std::uint8_t, kKeyboardLightProfileSize> payload) {
  Load(state, std::bit_cast<KeyboardLightPayload>(Copy(payload)));
}

void LoadDeviceProfile(KeyboardState& state,
                       std::span<const std::uint8_t, kKeyboardDeviceProfileSize> payload) {
  const auto device = std::bit_cast<KeyboardDevicePayload>(Copy(payload));
  state.keys[0] = device.keys;
  Load(state, device.light);
}

}  // namespace vandrel
