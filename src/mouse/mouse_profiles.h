// The payloads of the mouse's profile files, laid out as profile/profile_payloads.h says: the
// light profile ".led" is slot record 0. Making a payload first copies the live settings and the
// host settings into slot record 0; loading one changes the state only (MouseDevice sends it).
// User-interface thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "device/field_problem.h"
#include "mouse/host_settings.h"
#include "mouse/mouse_state.h"
#include "profile/profile_payloads.h"

namespace vandrel {

// The .config payload (576 bytes).
struct MouseDevicePayload {
  MouseKeyTable keys;      // 0-511: key page 0
  MouseSlotRecord record;  // 512-575: slot record 0

  static constexpr std::size_t kSize = 576;
};
static_assert(sizeof(MouseDevicePayload) == MouseDevicePayload::kSize);

inline constexpr std::size_t kMouseKeyProfileSize = MouseKeyTable::kSize;
inline constexpr std::size_t kMouseLightProfileSize = MouseSlotRecord::kSize;
inline constexpr std::size_t kMouseDeviceProfileSize = MouseDevicePayload::kSize;

using MouseKeyProfileBytes = std::array<std::uint8_t, kMouseKeyProfileSize>;
using MouseLightProfileBytes = std::array<std::uint8_t, kMouseLightProfileSize>;
using MouseDeviceProfileBytes = std::array<std::uint8_t, kMouseDeviceProfileSize>;

// Slot record 0 with the live settings and the host settings copied into it first.
[[nodiscard]] MouseSlotRecord StoreLiveLight(MouseState& state);

// The first field of a payload the mouse cannot take (mouse_limits.h), DPI indices up to
// `highest_dpi_index`; nullopt when it takes them all. A payload with a problem is not loaded.
[[nodiscard]] std::optional<FieldProblem> MouseKeyProfileProblem(
    std::span<const std::uint8_t, kMouseKeyProfileSize> payload);
[[nodiscard]] std::optional<FieldProblem> MouseLightProfileProblem(
    std::span<const std::uint8_t, kMouseLightProfileSize> payload, int highest_dpi_index);
[[nodiscard]] std::optional<FieldProblem> MouseDeviceProfileProblem(
    std::span<const std::uint8_t, kMouseDeviceProfileSize> payload, int highest_dpi_index);

// The record as a loaded .led payload gives it: its settings become live (keeping the active
// slot's number, since the payload is the record of slot 0 whatever slot is active) and its
// pointer speed and wheel lines, 0 read as 1, become the host settings' values.
void LoadLightProfile(MouseState& state,
                      std::span<const std::uint8_t, kMouseLightProfileSize> payload);
// The key table replaces key page 0 and the record's settings become live as above; a .config
// does not decide the host settings, which become the desktop's own (`desktop`), so that the
// profile saved next holds what the desktop uses rather than zeros.
[[nodiscard]] MouseSlotRecord LoadDeviceProfile(
    MouseState& state, std::span<const std::uint8_t, kMouseDeviceProfileSize> payload,
    const HostSettings& desktop);

}  // namespace vandrel
