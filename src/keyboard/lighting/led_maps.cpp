#include "keyboard/lighting/led_maps.h"

namespace vandrel {
namespace {

constexpr std::uint8_t N = kNoLed;

// Slots first_slot … last_slot go to consecutive indexes from first_index.
struct MapRun {
  int first_slot;
  int last_slot;
  int first_index;
};

template <std::size_t Runs>
constexpr std::array<std::uint8_t, 126> BuildMap(const std::array<MapRun, Runs>& runs) {
  std::array<std::uint8_t, 126> map{};
  map.fill(kNoLed);
  for (const MapRun& run : runs) {
    for (int slot = run.first_slot; slot <= run.last_slot; ++slot) {
      map[static_cast<std::size_t>(slot)] =
          static_cast<std::uint8_t>(run.first_index + slot - run.first_slot);
    }
  }
  return map;
}

// Slots not listed (16-20, 62, 79-83, 101-104, 121-125) have no LED.
constexpr auto kLedMap0Runs = std::to_array<MapRun>({
    {0, 12, 0},      {13, 15, 14},    {21, 61, 21},    {63, 74, 63},    {75, 75, 76},
    {76, 78, 80},    {84, 84, 84},    {85, 94, 86},    {95, 95, 97},    {96, 96, 99},
    {97, 99, 101},   {100, 100, 100}, {105, 111, 105}, {112, 112, 113}, {113, 115, 119},
    {116, 117, 123}, {118, 118, 104}, {119, 119, 62},  {120, 120, 117},
});

// Slots not listed (16-20, 62, 79-83, 100-104, 120-125) have no position.
constexpr auto kLedMap1Runs = std::to_array<MapRun>({
    {0, 15, 0},
    {21, 37, 18},
    {38, 38, 53},
    {39, 39, 35},
    {40, 40, 71},
    {41, 41, 89},
    {42, 58, 36},
    {59, 61, 68},
    {63, 74, 54},
    {75, 75, 67},
    {76, 78, 86},
    {84, 84, 72},
    {85, 96, 74},
    {97, 99, 103},
    {105, 117, 90},
    {118, 119, 106},
});

constexpr std::array<std::array<std::uint8_t, kZoneCapacity>, kZoneCount> kZones = {{
    {0, 1, 21, 22, 23, 42, 43, 44, 63, 64, 65, 84, 85, 105, 106, 107, 86, N, N, N, N, N, N},
    {2, 3, 4, 24, 25, 26, 27, 45, 46, 47, 48, 66, 67, 68, 69, 87, 88, 89, 108, 90, N, N, N},
    {6, 7, 8, 28, 29, 30, 31, 49, 50, 51, 52, 70, 71, 72, 73, 5, 91, 92, 93, 110, 94, 109, N},
    {9, 10, 11, 12, 32, 33, 34, 53, 54, 55, 74, 75, 95, 112, 111, N, N, N, N, N, N, N, N},
    {13, 14, 15, 35, 36, 37, 56, 57, 58, 96, 113, 114, 115, N, N, N, N, N, N, N, N, N, N},
    {38, 39, 40, 41, 59, 60, 61, 76, 77, 78, 97, 98, 99, 116, 117, 118, 119, N, N, N, N, N, N},
}};

// The first zone (searched 0-5) that holds each slot.
constexpr std::array<std::uint8_t, 126> BuildZoneOfSlot(
    const std::array<std::array<std::uint8_t, kZoneCapacity>, kZoneCount>& zones) {
  std::array<std::uint8_t, 126> zone_of_slot{};
  zone_of_slot.fill(kNoZone);
  for (std::size_t zone = kZoneCount; zone-- > 0;) {
    for (const std::uint8_t slot : zones[zone]) {
      if (slot != kNoLed) zone_of_slot[slot] = static_cast<std::uint8_t>(zone);
    }
  }
  return zone_of_slot;
}

}  // namespace

const std::array<std::uint8_t, 126> kLedMap0 = BuildMap(kLedMap0Runs);
const std::array<std::uint8_t, 126> kLedMap1 = BuildMap(kLedMap1Runs);

const std::array<std::array<std::uint8_t, kZoneCapacity>, kZoneCount> kZoneTable = kZones;
const std::array<std::uint8_t, 126> kZoneOfSlot = BuildZoneOfSlot(kZones);

const std::array<std::array<std::uint8_t, 6>, kZoneCount> kZoneBytePositions = {{
    {22, 23, 21, 19, 20, 18},
    {16, 17, 15, 13, 14, 12},
    {10, 11, 9, 7, 8, 6},
    {5, 4, 3, 1, 2, 0},
    {34, 35, 33, 28, 29, 27},
    {31, 32, 30, 25, 26, 24},
}};

std::uint8_t LastKeyOfZone(std::size_t zone) {
  std::uint8_t last = kNoLed;
  for (const std::uint8_t slot : kZoneTable[zone]) {
    if (slot != kNoLed) last = slot;
  }
  return last;
}

}  // namespace vandrel
