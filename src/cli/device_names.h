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

// The mouse's nine buttons as info shows them and assign takes them, numbered 0-8.
inline constexpr std::array<std::string_view, 9> kMouseButtonNames = {
    "left", "wheel", "right", "forward", "back", "DPI", "second DPI", "button 7", "button 8"};

// "keyboard", "mouse", "pad".
[[nodiscard]] std::string_view DeviceWord(DeviceKind kind);
// The kind a word names; nullopt for any other word.
[[nodiscard]] std::optional<DeviceKind> DeviceOfWord(std::string_view word);
// "per-key colour", "single colour", "six zones" …
[[nodiscard]] std::string_view KeyboardModelName(int model);

}  // namespace vandrel::cli
