// The host settings (pointer speed and wheel lines) as profile files carry them: bytes 36 and 37
// of the stored slot record. The profile operations load them from a light profile, take them
// from the desktop for a device profile, and store them with every save (StoreLiveLight,
// mouse_profiles.h).
#pragma once

#include <cstdint>

#include "mouse/mouse_records.h"
#include "mouse/mouse_state.h"
#include "mouse/pointer_settings.h"

namespace vandrel {

struct HostSettings {
  std::uint8_t pointer_speed = 1;  // 1-20
  std::uint8_t wheel_lines = 1;    // 1-100
  friend constexpr bool operator==(const HostSettings&, const HostSettings&) = default;
};

// A light profile's record: its bytes 36 and 37, each 0 read as 1.
[[nodiscard]] HostSettings HostSettingsOfRecord(const MouseSlotRecord& record);
// The desktop's values, as a device profile load takes them: a value the desktop does not tell,
// or 0, reads as 1; values past the ranges are held at their ends. May start a desktop tool.
[[nodiscard]] HostSettings HostSettingsOfDesktop(PointerSettings& pointer);

}  // namespace vandrel
