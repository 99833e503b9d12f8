#include "device/lighting_limits.h"

namespace vandrel {
namespace {

constexpr int kMouseLastMode = 5;
constexpr int kPadLastMode = 9;

}  // namespace

int LastLightingMode(DeviceKind kind, int keyboard_model) {
  switch (kind) {
    case DeviceKind::kMouse:
      return kMouseLastMode;
    case DeviceKind::kPad:
      return kPadLastMode;
    case DeviceKind::kKeyboard:
      break;
  }
  switch (keyboard_model) {
    case 1:
      return 16;
    case 3:
      return 7;
    default:
      return 18;
  }
}

std::optional<FieldProblem> LightingProblem(const LightingBlock& block, DeviceKind kind,
                                            int keyboard_model) {
  const struct {
    const char* field;
    int value;
    int highest;
  } fields[] = {
      {"lighting mode", block.mode, LastLightingMode(kind, keyboard_model)},
      {"lighting brightness", block.brightness, kHighestBrightness},
      {"lighting speed", block.speed, kSlowestSpeed},
      {"lighting direction", block.direction, 1},
      {"lighting seven-colour flag", block.seven_colour, 1},
  };
  for (const auto& [field, value, highest] : fields) {
    if (auto problem = AboveProblem(field, value, highest)) return problem;
  }
  return std::nullopt;
}

}  // namespace vandrel
