// What every device's LightingBlock may hold: its own list of modes (the keyboard's by its model),
// brightness and speed 0-14, a direction and a seven-colour flag of 0 or 1. The command line's
// checks of its arguments and the checks of loaded profiles both use these. Any thread.
#pragma once

#include <optional>

#include "device/device_kind.h"
#include "device/field_problem.h"
#include "device/lighting_block.h"

namespace vandrel {

inline constexpr int kHighestBrightness = 14;
inline constexpr int kSlowestSpeed = 14;

// The last lighting mode of the device: the mouse has modes 0-5, the pad 0-9, the keyboard 0-18
// on the per-key models, 0-16 on the single-colour model (1) and 0-7 on the six-zone model (3).
[[nodiscard]] int LastLightingMode(DeviceKind kind, int keyboard_model);

// The first field of `block` the device cannot take; nullopt when it can take them all.
[[nodiscard]] std::optional<FieldProblem> LightingProblem(const LightingBlock& block,
                                                          DeviceKind kind, int keyboard_model);

}  // namespace vandrel
