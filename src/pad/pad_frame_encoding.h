// The payload of the pad's lighting frame (command 18): each LED's colour dimmed by its level.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "pad/pad_frame.h"

namespace vandrel {

inline constexpr std::size_t kPadFrameSize = 3 * kPadLedCount;  // 45 bytes: R, G, B per LED

// Bytes 3i, 3i+1, 3i+2 are LED i's red, green and blue, each × level >> 8.
[[nodiscard]] std::array<std::uint8_t, kPadFrameSize> EncodePadFrame(const PadFrame& frame);

}  // namespace vandrel
