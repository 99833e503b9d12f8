// FirmwareImage: everything a simulated device keeps in its memory, with the sizes of its areas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vandrel::sim {

inline constexpr std::size_t kSlotRecordSize = 64;
inline constexpr std::size_t kDeviceInfoSize = 33;
inline constexpr std::size_t kDefaultTableSize = 512;
inline constexpr std::size_t kKeyPageSize = 126;
// Key page memory: page 4 starts at 4 × 126 and a transfer from there moves up to 512 bytes.
inline constexpr std::size_t kKeyPageMemorySize = 4 * kKeyPageSize + 512;
inline constexpr std::size_t kRecoilMemorySize = 3072;
inline constexpr std::size_t kMacroUnit = 128;

struct FirmwareImage {
  // Slot n's record at n × 64; byte 0 of the area is the number of the active slot.
  std::vector<std::uint8_t> settings;
  std::vector<std::uint8_t> device_info;    // 33 bytes, the reply of command 3
  std::vector<std::uint8_t> default_table;  // 512 bytes, the factory key table
  std::vector<std::uint8_t> key_pages;      // kKeyPageMemorySize bytes
  std::vector<std::uint8_t> macro;          // device_info[6] × 128 bytes
  std::vector<std::uint8_t> recoil;         // kRecoilMemorySize bytes, or none
  std::size_t frame_size = 0;               // bytes of one lighting frame; 0: no frames

  [[nodiscard]] std::size_t slot_count() const { return settings.size() / kSlotRecordSize; }
  [[nodiscard]] std::uint8_t active_slot() const { return settings[0]; }

  friend bool operator==(const FirmwareImage&, const FirmwareImage&) = default;
};

}  // namespace vandrel::sim
