// How the keyboard's lighting thread paces its frames: the pause before each frame, by mode (0-18)
// and speed (0-14, 0 fastest), and the whole time it takes per frame with the effect's own
// pre-delay.
#pragma once

#include <cstdint>

#include "core/clock.h"

namespace vandrel {

// Modes above 18 sleep as most modes do; a speed above 14 counts as 14.
[[nodiscard]] Clock::Duration KeyboardFrameSleep(std::uint8_t mode, std::uint8_t speed);

// The pause and the pre-delay of `mode` on `model` together: how long the thread takes from one
// frame to the next, the frame's transfer aside.
[[nodiscard]] Clock::Duration KeyboardFramePeriod(std::uint8_t model, std::uint8_t mode,
                                                  std::uint8_t speed);

}  // namespace vandrel
