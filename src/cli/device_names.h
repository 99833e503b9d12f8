// The words vandrelctl uses for the devices and the keyboard models, on the command line and in
// its output, and the lighting modes each offers.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "device/device_kind.h"

namespace vandrel::cli {

inline constexpr std::array kDeviceKinds = {DeviceKind::kKeyboard, DeviceKind::kMouse,
                                            DeviceKind::kPad};

// "keyboard", "mouse", "pad".
[[nodiscard]] std::string_view DeviceWord(DeviceKind kind);
// The kind a word names; nullopt for any other word.
[[nodiscard]] std::optional<DeviceKind> DeviceOfWord(std::string_view word);
// "per-key colour", "single colour", "six zones" …
[[nodiscard]] std::string_view KeyboardModelName(int model);

}  // namespace vandrel::cli
