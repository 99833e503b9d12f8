// How key slots reach the keyboard's LEDs: the LED index of each slot in the per-key frame and
// custom sets of model 0, the position of each slot in a model 1 custom set, and the six zones of
// model 3 with the bytes each zone's colour fills in its frame.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vandrel {

// The map value of a slot without an LED (or without a custom-set position).
inline constexpr std::uint8_t kNoLed = 126;

// Slot → LED index (0-125) of the 378-byte model 0 frame and of a model 0 custom set.
extern const std::array<std::uint8_t, 126> kLedMap0;
// Slot → position (0-107) of the slot's level byte in a model 1 custom set.
extern const std::array<std::uint8_t, 126> kLedMap1;

inline constexpr std::size_t kZoneCount = 6;
inline constexpr std::size_t kZoneCapacity = 23;
// The key slots of each zone in walking order, padded with kNoLed.
extern const std::array<std::array<std::uint8_t, kZoneCapacity>, kZoneCount> kZoneTable;
// The zone (0-5) of each slot, the first in zone order if a slot were listed twice; kNoZone for
// a slot outside every zone.
inline constexpr std::uint8_t kNoZone = 255;
extern const std::array<std::uint8_t, 126> kZoneOfSlot;
// The slot whose colour stands for the zone in model 3's custom mode: the zone's last key.
[[nodiscard]] std::uint8_t LastKeyOfZone(std::size_t zone);

// The bytes of the 36-byte model 3 frame that receive a zone's R, G, B, R, G, B (two LEDs).
extern const std::array<std::array<std::uint8_t, 6>, kZoneCount> kZoneBytePositions;

}  // namespace vandrel
