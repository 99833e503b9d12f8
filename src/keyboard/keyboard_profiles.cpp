#include "keyboard/keyboard_profiles.h"

#include <string>

#include "device/assignment_check.h"
#include "device/lighting_limits.h"

namespace vandrel {
namespace {

void Load(KeyboardState& state, KeyboardLightPayload payload) {
  payload.record.live.profile = 0;
  if (payload.custom.custom_set >= kCustomSetCount) payload.custom.custom_set = 0;
  state.lights[0] = payload.record;
  KeyboardLightingWrite writing(state);
  state.live = payload.record.live;
  state.custom = payload.custom;
  state.lighting_known.store(true);
}

std::optional<FieldProblem> KeysProblem(const KeyboardKeyTable& keys) {
  for (std::size_t key = 0; key < kMaxKeyboardKeys; ++key) {
    const std::string holder = "key " + std::to_string(key + 1);
    if (auto problem = AssignmentProblem(keys.Assignment(key), holder)) return problem;
  }
  return std::nullopt;
}

std::optional<FieldProblem> LightProblem(const KeyboardLightPayload& light, int model) {
  const KeyboardLiveLighting& live = light.record.live;
  if (auto problem = AboveProblem("profile number", live.profile, kKeyboardProfileCount - 1)) {
    return problem;
  }
  if (auto problem = LightingProblem(live.lighting, DeviceKind::kKeyboard, model)) return problem;
  return AboveProblem("custom set", light.custom.custom_set, kCustomSetCount - 1);
}

}  // namespace

std::optional<FieldProblem> KeyboardKeyProfileProblem(
    std::span<const std::uint8_t, kKeyboardKeyProfileSize> payload) {
  KeyboardKeyTable keys;
  DecodeInto(payload, keys);
  return KeysProblem(keys);
}

std::optional<FieldProblem> KeyboardLightProfileProblem(
    std::span<const std::uint8_t, kKeyboardLightProfileSize> payload, int model) {
  KeyboardLightPayload light;
  DecodeInto(payload, light);
  return LightProblem(light, model);
}

std::optional<FieldProblem> KeyboardDeviceProfileProblem(
    std::span<const std::uint8_t, kKeyboardDeviceProfileSize> payload, int model) {
  KeyboardDevicePayload device;
  DecodeInto(payload, device);
  if (auto problem = KeysProblem(device.keys)) return problem;
  return LightProblem(device.light, model);
}

KeyboardLightPayload StoreLiveLight(KeyboardState& state) {
  KeyboardLightRecord& record = state.lights[0];
  record.live = state.live;
  return {record, state.custom};
}

void LoadKeyProfile(KeyboardState& state,
                    std::span<const std::uint8_t, kKeyboardKeyProfileSize> payload) {
  DecodeInto(payload, state.keys[0]);
  state.keys_known[0] = true;
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
  state.keys_known[0] = true;
  Load(state, device.light);
}

}  // namespace vandrel
