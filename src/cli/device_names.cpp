#include "cli/device_names.h"

namespace vandrel::cli {

std::string_view DeviceWord(DeviceKind kind) {
  switch (kind) {
    case DeviceKind::kKeyboard:
      return "keyboard";
    case DeviceKind::kMouse:
      return "mouse";
    case DeviceKind::kPad:
      return "pad";
  }
  return "unknown";
}

std::optional<DeviceKind> DeviceOfWord(std::string_view word) {
  for (const DeviceKind kind : kDeviceKinds) {
    if (word == DeviceWord(kind)) return kind;
  }
  return std::nullopt;
}

std::string_view KeyboardModelName(int model) {
  switch (model) {
    case 0:
      return "per-key colour";
    case 1:
      return "single colour";
    case 2:
      return "per-key colour, second layout";
    case 3:
      return "six zones";
    default:
      return "unknown";
  }
}

}  // namespace vandrel::cli
