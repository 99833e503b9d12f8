// How long the keyboard's lighting thread sleeps before each frame, by mode (0-18) and speed
// (0-14, 0 fastest).
#pragma once

#include <cstdint>

#include "core/clock.h"

namespace vandrel {

// Modes above 18 sleep as most modes do; a speed above 14 counts as 14.
[[nodiscard]] Clock::Duration KeyboardFrameSleep(std::uint8_t mode, std::uint8_t speed);

}  // namespace vandrel
