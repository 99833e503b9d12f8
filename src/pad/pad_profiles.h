// The payload of the pad's light profile ".led" (after the file's 16-byte header): slot record 0,
// into which the live record is copied first. User-interface thread.
#pragma once

#include <array>
#include <cstdint>

#include "pad/pad_state.h"

namespace vandrel {

inline constexpr std::size_t kPadLightProfileSize = PadSlotRecord::kSize;
using PadLightProfileBytes = std::array<std::uint8_t, kPadLightProfileSize>;

[[nodiscard]] PadLightProfileBytes MakeLightProfile(PadState& state);

}  // namespace vandrel
