// KeyAssignment: the three bytes that tell a mouse button or a keyboard key what to do, as they
// travel in key tables and profile files.
#pragma once

#include <compare>
#include <cstdint>

namespace vandrel {

struct KeyAssignment {
  std::uint8_t type = 0;    // an AssignmentType code
  std::uint8_t param1 = 0;  // meaning depends on the type (modifier mask, button mask, …)
  std::uint8_t param2 = 0;  // meaning depends on the type (usage ID, direction, …)

  friend constexpr bool operator==(const KeyAssignment&, const KeyAssignment&) = default;
};

// The assignment types the devices and pages know.
namespace assignment_type {
inline constexpr std::uint8_t kKeySingle = 0x00;
inline constexpr std::uint8_t kMouseButton = 0x10;
inline constexpr std::uint8_t kTilt = 0x11;
inline constexpr std::uint8_t kWheel = 0x12;
inline constexpr std::uint8_t kDpi = 0x13;
inline constexpr std::uint8_t kFire = 0x14;
inline constexpr std::uint8_t kKey = 0x20;
inline constexpr std::uint8_t kMultimedia = 0x21;
inline constexpr std::uint8_t kMultimediaAlt = 0x30;
inline constexpr std::uint8_t kSystem = 0x40;
inline constexpr std::uint8_t kFunctionKey = 0xA0;
inline constexpr std::uint8_t kMacro = 0x70;
inline constexpr std::uint8_t kMacroCount = 0x71;
inline constexpr std::uint8_t kRecoil = 0x72;
inline constexpr std::uint8_t kExtraKey = 0xD0;  // the keyboard's G1-G5: (0xD0, 0xA2, 1…5)
// Any type the devices do not know disables the button or key; this is the one the host writes.
inline constexpr std::uint8_t kDisabled = 0xF0;
}  // namespace assignment_type

// Param1 of the extra keys G1-G5; param2 is the key's number, 1-5.
inline constexpr std::uint8_t kExtraKeyMark = 0xA2;

}  // namespace vandrel
