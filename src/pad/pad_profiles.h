// The payload of the pad's light profile ".led" (after the file's 16-byte header): slot record 0,
// into which the live record is copied first. User-interface thread.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "device/field_problem.h"
#include "pad/pad_state.h"

namespace vandrel {

inline constexpr std::size_t kPadLightProfileSize = PadSlotRecord::kSize;
using PadLightProfileBytes = std::array<std::uint8_t, kPadLightProfileSize>;

[[nodiscard]] PadLightProfileBytes MakeLightProfile(PadState& state);

// The first field of a payload the pad cannot take: a slot number above 4 or a lighting value
// beyond the pad's (lighting_limits.h); nullopt when it takes them all. A payload with a problem
// is not loaded.
[[nodiscard]] std::optional<FieldProblem> PadLightProfileProblem(
    std::span<const std::uint8_t, kPadLightProfileSize> payload);

}  // namespace vandrel
