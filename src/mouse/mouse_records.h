// The mouse's data as it travels in command payloads and profile files: the live settings record
// of the active slot, the stored slot record, the key table, the device information and the DPI
// and sensor tables. Every record is a struct of bytes in wire order, so its encoding is its
// object representation; Encode and the Decode functions are the only way in and out.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/byte_record.h"
#include "core/rgb.h"
#include "device/lighting_block.h"
#include "mouse/key_assignment.h"

namespace vandrel {

inline constexpr int kMouseSlotCount = 6;  // on-board settings slots 0-5
inline constexpr int kMouseDpiLevels = 5;  // levels with a value and a colour in the record
inline constexpr int kMouseButtonCount = 9;

// The live record of the active slot (36 bytes); also bytes 0-35 of a slot record.
struct MouseSettings {
  std::uint8_t slot = 0;                       // 0: the slot this record belongs to, 0-5
  LightingBlock lighting;                      // 1-8
  std::array<std::uint8_t, 5> reserved{};      // 9-13: kept as read
  std::uint8_t report_rate = 0;                // 14: entry of the report-rate list
  std::array<std::uint8_t, 4> dpi1_to_4{};     // 15-18: DPI levels 1-4, DpiTable indices
  std::uint8_t active_dpi = 0;                 // 19: level in use on the mouse, 0-5 (read only)
  std::uint8_t dpi5 = 0;                       // 20: DPI level 5 (after active_dpi)
  std::array<Rgb, kMouseDpiLevels> colours{};  // 21-35: indicator colours of levels 1-5

  static constexpr std::size_t kSize = 36;
  friend constexpr bool operator==(const MouseSettings&, const MouseSettings&) = default;

  // DPI level `level` (1-5) as a DpiTable index.
  [[nodiscard]] std::uint8_t Dpi(int level) const;
  void SetDpi(int level, std::uint8_t index);
};
static_assert(sizeof(MouseSettings) == MouseSettings::kSize);
static_assert(offsetof(MouseSettings, report_rate) == 14);
static_assert(offsetof(MouseSettings, active_dpi) == 19);
static_assert(offsetof(MouseSettings, dpi5) == 20);
static_assert(offsetof(MouseSettings, colours) == 21);

// The stored form of a slot (64 bytes): a mouse .led payload, bytes 512-575 of a .config.
struct MouseSlotRecord {
  MouseSettings settings;                   // 0-35
  std::uint8_t pointer_speed = 0;           // 36: system pointer speed 1-20
  std::uint8_t wheel_lines = 0;             // 37: system wheel scroll lines 1-100
  std::array<std::uint8_t, 26> reserved{};  // 38-63: 0 when made here, else kept as read

  static constexpr std::size_t kSize = 64;
  static constexpr std::size_t kReadSize = 56;  // bytes 56-63 are never read from the mouse
  friend constexpr bool operator==(const MouseSlotRecord&, const MouseSlotRecord&) = default;
};
static_assert(sizeof(MouseSlotRecord) == MouseSlotRecord::kSize);
static_assert(offsetof(MouseSlotRecord, pointer_speed) == 36);

// The host image of one key page (512 bytes): button b (0-8: left, wheel, right, forward, back,
// DPI, second DPI, button 7, button 8) at bytes 3b-3b+2; bytes 27-511 carried unchanged.
struct MouseKeyTable {
  std::array<std::uint8_t, 512> bytes{};

  static constexpr std::size_t kSize = 512;
  static constexpr std::size_t kPageSize = 126;  // one page of the key memory: 42 assignments
  friend constexpr bool operator==(const MouseKeyTable&, const MouseKeyTable&) = default;

  [[nodiscard]] KeyAssignment Assignment(int button) const;
  void SetAssignment(int button, const KeyAssignment& assignment);
};

// The reply of the device-information command (33 bytes).
struct MouseDeviceInfo {
  std::array<std::uint8_t, 33> bytes{};

  static constexpr std::size_t kSize = 33;
  // Macro memory in units of 128 bytes.
  [[nodiscard]] std::uint8_t macro_memory_units() const { return bytes[6]; }
  [[nodiscard]] std::uint16_t sensor_code() const;
  // The highest DPI level index the mouse accepts.
  [[nodiscard]] std::uint8_t max_dpi_index() const { return bytes[12]; }
};

// The DPI shown for a DPI level index: 0 → 600 … 11 → 8000; nullopt above 11.
[[nodiscard]] std::optional<int> DpiValue(int index);
// The value label of an index: the DPI as "%d", or "–" for an index without a known value.
[[nodiscard]] std::string DpiLabel(int index);
// The minimum and maximum labels of a known sensor; nullopt for any other code.
[[nodiscard]] std::optional<std::pair<std::string_view, std::string_view>> SensorRange(
    std::uint16_t sensor_code);

}  // namespace vandrel
