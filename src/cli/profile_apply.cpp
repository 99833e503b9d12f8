#include "cli/profile_apply.h"

#include "keyboard/keyboard_profiles.h"
#include "mouse/mouse_profiles.h"
#include "pad/pad_profiles.h"

namespace vandrel::cli {
namespace {

template <std::size_t kSize>
std::span<const std::uint8_t, kSize> Exactly(const std::vector<std::uint8_t>& payload) {
  return std::span<const std::uint8_t, kSize>(payload.data(), kSize);
}

std::optional<FieldProblem> ApplyMouse(const ProfileInput& input, MouseDevice& mouse) {
  switch (input.row->kind) {
    case ProfileKind::kKey:
      return mouse.ApplyKeyProfile(Exactly<kMouseKeyProfileSize>(input.payload));
    case ProfileKind::kLight:
      return mouse.ApplyLightProfile(Exactly<kMouseLightProfileSize>(input.payload));
    case ProfileKind::kDevice:
      return mouse.ApplyDeviceProfile(Exactly<kMouseDeviceProfileSize>(input.payload));
  }
  return std::nullopt;
}

std::optional<FieldProblem> ApplyKeyboard(const ProfileInput& input, KeyboardDevice& keyboard,
                                          int model) {
  switch (input.row->kind) {
    case ProfileKind::kKey:
      return keyboard.ApplyKeyProfile(Exactly<kKeyboardKeyProfileSize>(input.payload));
    case ProfileKind::kLight:
      return keyboard.ApplyLightProfile(Exactly<kKeyboardLightProfileSize>(input.payload), model);
    case ProfileKind::kDevice:
      return keyboard.ApplyDeviceProfile(Exactly<kKeyboardDeviceProfileSize>(input.payload), model);
  }
  return std::nullopt;
}

}  // namespace

std::optional<FieldProblem> ApplyProfileToDevice(const ProfileInput& input, DeviceAccess& devices) {
  switch (input.row->device) {
    case DeviceKind::kMouse:
      return ApplyMouse(input, devices.mouse());
    case DeviceKind::kKeyboard:
      return ApplyKeyboard(input, devices.keyboard(), devices.keyboard_model());
    case DeviceKind::kPad:
      return devices.pad().ApplyLightProfile(Exactly<kPadLightProfileSize>(input.payload));
  }
  return std::nullopt;
}

}  // namespace vandrel::cli
