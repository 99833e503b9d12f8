// The payloads of the keyboard's profile files, laid out as profile/profile_payloads.h says: the
// light profile ".led" is light record 0 and the custom colours. Making a payload first writes the
// live lighting into light record 0; loading one changes the state only (KeyboardDevice sends it).
// User-interface thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "device/field_problem.h"
#include "keyboard/keyboard_state.h"
#include "profile/profile_payloads.h"

namespace vandrel {

// The .led payload (1958 bytes).
struct KeyboardLightPayload {
  KeyboardLightRecord record;    // 0-63: light record 0
  KeyboardCustomColours custom;  // 64 custom_set, 65-67 paint_colour, 68-1957 custom_sets

  static constexpr std::size_t kSize = 1958;
};
static_assert(sizeof(KeyboardLightPayload) == KeyboardLightPayload::kSize);
static_assert(offsetof(KeyboardLightPayload, custom) == 64);

// The .config payload (2470 bytes).
struct KeyboardDevicePayload {
  KeyboardKeyTable keys;       // 0-511: key table page 0
  KeyboardLightPayload light;  // 512-2469: the .led payload

  static constexpr std::size_t kSize = 2470;
};
static_assert(sizeof(KeyboardDevicePayload) == KeyboardDevicePayload::kSize);
static_assert(offsetof(KeyboardDevicePayload, light) == 512);

inline constexpr std::size_t kKeyboardKeyProfileSize = KeyboardKeyTable::kSize;
inline constexpr std::size_t kKeyboardLightProfileSize = KeyboardLightPayload::kSize;
inline constexpr std::size_t kKeyboardDeviceProfileSize = KeyboardDevicePayload::kSize;

using KeyboardKeyProfileBytes = std::array<std::uint8_t, kKeyboardKeyProfileSize>;
using KeyboardLightProfileBytes = std::array<std::uint8_t, kKeyboardLightProfileSize>;
using KeyboardDeviceProfileBytes = std::array<std::uint8_t, kKeyboardDeviceProfileSize>;

// The .led payload, the live lighting copied into light record 0 first.
[[nodiscard]] KeyboardLightPayload StoreLiveLight(KeyboardState& state);

// The first field of a payload that a keyboard of model `model` cannot take: a key assignment no
// device takes (device/assignment_check.h), a lighting value beyond the model's
// (lighting_limits.h), a profile number or custom set number no page or set has. nullopt when it
// takes them all. A payload with a problem is not loaded.
[[nodiscard]] std::optional<FieldProblem> KeyboardKeyProfileProblem(
    std::span<const std::uint8_t, kKeyboardKeyProfileSize> payload);
[[nodiscard]] std::optional<FieldProblem> KeyboardLightProfileProblem(
    std::span<const std::uint8_t, kKeyboardLightProfileSize> payload, int model);
[[nodiscard]] std::optional<FieldProblem> KeyboardDeviceProfileProblem(
    std::span<const std::uint8_t, kKeyboardDeviceProfileSize> payload, int model);

// The payload replaces key page 0.
void LoadKeyProfile(KeyboardState& state,
                    std::span<const std::uint8_t, kKeyboardKeyProfileSize> payload);
// The payload replaces light record 0, the live lighting and the custom colours. A profile number
// other than 0 is stored as 0 and a custom set number no set has as 0: the program works on
// profile 0 only, and the renderers index the sets with the number.
void LoadLightProfile(KeyboardState& state,
                      std::span<const std::uint8_t, kKeyboardLightProfileSize> payload);
// Both of the above.
void LoadDeviceProfile(KeyboardState& state,
                       std::span<const std::uint8_t, kKeyboardDeviceProfileSize> payload);

}  // namespace vandrel
