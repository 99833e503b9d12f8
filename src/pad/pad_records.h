// The mouse pad's data as it travels in command payloads and profile files: the live settings
// record of the active slot, the stored slot record and the device information. Every record is
// a struct of bytes in wire order, so its encoding is its object representation (Encode and
// DecodeInto of core/byte_record.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/byte_record.h"
#include "device/lighting_block.h"

namespace vandrel {

inline constexpr int kPadSlotCount = 5;  // on-board settings slots 0-4

// The live record of the active slot (21 bytes); also bytes 0-20 of a slot record.
struct PadSettings {
  std::uint8_t slot = 0;                   // 0: the slot this record belongs to, 0-4
  LightingBlock lighting;                  // 1-8
  std::array<std::uint8_t, 12> carried{};  // 9-20: kept as read from the pad or a file

  static constexpr std::size_t kSize = 21;
  friend constexpr bool operator==(const PadSettings&, const PadSettings&) = default;
};
static_assert(sizeof(PadSettings) == PadSettings::kSize);
static_assert(offsetof(PadSettings, carried) == 9);

// The stored form of a slot (64 bytes), the payload of a pad .led file. Slot n lives at n × 64
// of the pad's settings memory; byte 0 of slot 0 is the number of the active slot.
struct PadSlotRecord {
  PadSettings settings;                    // 0-20
  std::array<std::uint8_t, 35> carried{};  // 21-55: kept as read
  std::array<std::uint8_t, 8> unused{};    // 56-63: zero, never read from the pad

  static constexpr std::size_t kSize = 64;
  static constexpr std::size_t kReadSize = 56;
  friend constexpr bool operator==(const PadSlotRecord&, const PadSlotRecord&) = default;
};
static_assert(sizeof(PadSlotRecord) == PadSlotRecord::kSize);
static_assert(offsetof(PadSlotRecord, carried) == 21);

// The reply of the device-information command (33 bytes): read and kept, no field is used.
struct PadDeviceInfo {
  std::array<std::uint8_t, 33> bytes{};

  static constexpr std::size_t kSize = 33;
  friend constexpr bool operator==(const PadDeviceInfo&, const PadDeviceInfo&) = default;
};
static_assert(sizeof(PadDeviceInfo) == PadDeviceInfo::kSize);

}  // namespace vandrel
