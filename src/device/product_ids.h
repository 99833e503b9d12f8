// Identities of the devices: one vendor, one product ID per device class, and the further
// keyboard product IDs that select other keyboard models.
#pragma once

#include <cstdint>

namespace vandrel {

inline constexpr std::uint16_t kVendorId = 0x0C45;
inline constexpr std::uint16_t kKeyboardProductId = 0x0001;  // single-colour keyboard
inline constexpr std::uint16_t kPerKeyKeyboardProductId = 0x7653;
inline constexpr std::uint16_t kPerKeyKeyboardAltProductId = 0x8611;
inline constexpr std::uint16_t kZoneKeyboardProductId = 0x6556;
inline constexpr std::uint16_t kMouseProductId = 0x7667;
inline constexpr std::uint16_t kPadProductId = 0x6627;

// The vendor collection every device talks through.
inline constexpr std::uint16_t kVendorUsagePage = 0xFF1C;
inline constexpr std::uint16_t kVendorUsage = 0x0092;
// The consumer-control collection of the keyboard and the mouse.
inline constexpr std::uint16_t kConsumerUsagePage = 0x000C;
inline constexpr std::uint16_t kConsumerControlUsage = 0x0001;

// The keyboard model of a keyboard with `product_id`: 0 per-key colour, 1 single colour, 3 six
// zones; any other ID keeps `current`.
[[nodiscard]] constexpr int KeyboardModelFor(std::uint16_t product_id, int current) {
  if (product_id == kPerKeyKeyboardProductId || product_id == kPerKeyKeyboardAltProductId) {
    return 0;
  }
  if (product_id == kKeyboardProductId) return 1;
  if (product_id == kZoneKeyboardProductId) return 3;
  return current;
}

}  // namespace vandrel
