#include "keyboard/custom_painting.h"

#include "keyboard/lighting/led_maps.h"

namespace vandrel {
namespace {

constexpr std::size_t kEntries = 126;

bool PaintZoneOf(CustomSet& set, std::size_t slot, const Rgb& colour) {
  const std::uint8_t zone = kZoneOfSlot[slot];
  if (zone == kNoZone) return false;
  for (const std::uint8_t key : kZoneTable[zone]) {
    if (key != kNoLed) SetCustomColourAt(set, key, colour);
  }
  return true;
}

}  // namespace

void AllCustomKeysOff(KeyboardCustomColours& custom, KeyboardModel model) {
  CustomSet& set = custom.Current();
  for (std::size_t entry = 0; entry < kEntries; ++entry) {
    if (TraitsOf(model).custom_layout == CustomSetLayout::kLevels) {
      SetCustomLevelAt(set, entry, false);
    } else {
      SetCustomColourAt(set, entry, Rgb{});
    }
  }
}

void AllCustomKeysOn(KeyboardCustomColours& custom, KeyboardModel model) {
  CustomSet& set = custom.Current();
  for (std::size_t entry = 0; entry < kEntries; ++entry) {
    if (TraitsOf(model).custom_layout == CustomSetLayout::kLevels) {
      if (!CustomLevelAt(set, entry)) SetCustomLevelAt(set, entry, true);
    } else if (CustomColourAt(set, entry) == Rgb{}) {
      SetCustomColourAt(set, entry, custom.paint_colour);
    }
  }
}

bool PaintCustomKey(KeyboardCustomColours& custom, KeyboardModel model, std::size_t slot) {
  if (slot >= kEntries) return false;
  CustomSet& set = custom.Current();
  switch (TraitsOf(model).custom_layout) {
    case CustomSetLayout::kLedColours:
      if (kLedMap0[slot] == kNoLed) return false;
      SetCustomColourAt(set, kLedMap0[slot], custom.paint_colour);
      return true;
    case CustomSetLayout::kLevels:
      if (kLedMap1[slot] == kNoLed) return false;
      SetCustomLevelAt(set, kLedMap1[slot], true);
      return true;
    case CustomSetLayout::kSlotColours:
      return PaintZoneOf(set, slot, custom.paint_colour);
  }
  return false;
}

}  // namespace vandrel
