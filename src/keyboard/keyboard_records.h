// The keyboard's data as it travels in command payloads and profile files: the device
// information, the factory and current key tables, the lighting record with the live copy of its
// first 21 bytes, the custom colour sets and the slot map. Every record is a struct of bytes in
// wire order (core/byte_record.h), so its encoding is its object representation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/byte_record.h"
#include "core/rgb.h"
#include "device/lighting_block.h"
#include "keyboard/key_slot_identity.h"
#include "mouse/key_assignment.h"

namespace vandrel {

inline constexpr int kKeyboardProfileCount = 5;       // profile pages and light records 0-4
inline constexpr std::size_t kMaxKeyboardKeys = 170;  // 3 × n must fit the 512-byte tables

// The reply of the device-information command (33 bytes); bytes other than 5 and 6 are carried.
struct KeyboardDeviceInfo {
  std::array<std::uint8_t, 33> bytes{};

  static constexpr std::size_t kSize = 33;
  // n: the keys the keyboard reports, device key indexes 0 … n−1.
  [[nodiscard]] std::uint8_t key_count() const { return bytes[5]; }
  // Macro memory in units of 128 bytes.
  [[nodiscard]] std::uint8_t macro_memory_units() const { return bytes[6]; }
};

// A 512-byte key table: device key d's assignment at bytes 3d-3d+2; bytes from 3n on are zero as
// read. The factory table and the five profile pages share the layout.
struct KeyboardKeyTable {
  std::array<std::uint8_t, 512> bytes{};

  static constexpr std::size_t kSize = 512;
  friend constexpr bool operator==(const KeyboardKeyTable&, const KeyboardKeyTable&) = default;

  // Device key `key` (0-169).
  [[nodiscard]] KeyAssignment Assignment(std::size_t key) const;
  void SetAssignment(std::size_t key, const KeyAssignment& assignment);
};
using KeyboardDefaultTable = KeyboardKeyTable;

// The part of a lighting record that pages edit and command 6 sends (21 bytes).
struct KeyboardLiveLighting {
  std::uint8_t profile = 0;                 // 0: profile page number; always 0 here
  LightingBlock lighting;                   // 1-8: mode meaning depends on the model
  std::array<std::uint8_t, 12> reserved{};  // 9-20: no meaning here; carried unchanged

  static constexpr std::size_t kSize = 21;
  friend constexpr bool operator==(const KeyboardLiveLighting&,
                                   const KeyboardLiveLighting&) = default;
};
static_assert(sizeof(KeyboardLiveLighting) == KeyboardLiveLighting::kSize);
static_assert(offsetof(KeyboardLiveLighting, lighting) == 1);
static_assert(offsetof(KeyboardLiveLighting, reserved) == 9);

// One stored lighting record (64 bytes): a keyboard .led payload's first 64 bytes.
struct KeyboardLightRecord {
  KeyboardLiveLighting live;              // 0-20
  std::array<std::uint8_t, 43> unused{};  // 21-63: zero; never sent

  static constexpr std::size_t kSize = 64;
  // What command 5 reads of it.
  static constexpr std::size_t kReadSize = 56;
  friend constexpr bool operator==(const KeyboardLightRecord&,
                                   const KeyboardLightRecord&) = default;
};
static_assert(sizeof(KeyboardLightRecord) == KeyboardLightRecord::kSize);

inline constexpr std::size_t kCustomSetCount = 5;
inline constexpr std::size_t kCustomSetSize = 378;
using CustomSet = std::array<std::uint8_t, kCustomSetSize>;

// The custom colour state of the custom modes (1894 bytes, as in a .led payload from byte 64).
// How an entry of a set is indexed depends on the model (CustomSetLayout in keyboard_model.h).
struct KeyboardCustomColours {
  std::uint8_t custom_set = 0;  // 0: the set shown and painted, 0-4
  Rgb paint_colour;             // 1-3: the colour clicked keys are painted with
  std::array<CustomSet, kCustomSetCount> custom_sets{};  // 4-1893

  static constexpr std::size_t kSize = 1894;
  friend constexpr bool operator==(const KeyboardCustomColours&,
                                   const KeyboardCustomColours&) = default;

  // The set shown and painted; set 0 when custom_set holds a number no set has.
  [[nodiscard]] CustomSet& Current();
  [[nodiscard]] const CustomSet& Current() const;
};
static_assert(sizeof(KeyboardCustomColours) == KeyboardCustomColours::kSize);
static_assert(offsetof(KeyboardCustomColours, custom_sets) == 4);

// Entries of an RGB custom set (layouts kLedColours and kSlotColours): `index` 0-125.
[[nodiscard]] Rgb CustomColourAt(const CustomSet& set, std::size_t index);
void SetCustomColourAt(CustomSet& set, std::size_t index, const Rgb& colour);
// Entries of a backlight set (layout kLevels): `position` 0-125; painted on is 255, off 0.
[[nodiscard]] bool CustomLevelAt(const CustomSet& set, std::size_t position);
void SetCustomLevelAt(CustomSet& set, std::size_t position, bool on);

// Key slot → device key index, or kNoDeviceKey for a slot the keyboard does not have.
inline constexpr std::uint32_t kNoDeviceKey = 256;
using KeySlotMap = std::array<std::uint32_t, kKeySlotCount>;

// Every slot absent, as before the first full read.
[[nodiscard]] constexpr KeySlotMap EmptyKeySlotMap() {
  KeySlotMap map{};
  map.fill(kNoDeviceKey);
  return map;
}

// The map of a keyboard with `key_count` keys whose factory table is `defaults`: each slot takes
// the first device key whose factory assignment is the slot's identity, byte for byte.
[[nodiscard]] KeySlotMap BuildKeySlotMap(const KeyboardDefaultTable& defaults,
                                         std::size_t key_count);

}  // namespace vandrel
