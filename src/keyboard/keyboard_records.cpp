#include "keyboard/keyboard_records.h"

#include <algorithm>

namespace vandrel {
namespace {

constexpr std::uint8_t kLevelOn = 255;

}  // namespace

KeyAssignment KeyboardKeyTable::Assignment(std::size_t key) const {
  const std::size_t at = key * 3;
  return {bytes[at], bytes[at + 1], bytes[at + 2]};
}

void KeyboardKeyTable::SetAssignment(std::size_t key, const KeyAssignment& assignment) {
  const std::size_t at = key * 3;
  bytes[at] = assignment.type;
  bytes[at + 1] = assignment.param1;
  bytes[at + 2] = assignment.param2;
}

CustomSet& KeyboardCustomColours::Current() {
  return custom_sets[custom_set < kCustomSetCount ? custom_set : 0];
}

const CustomSet& KeyboardCustomColours::Current() const {
  return custom_sets[custom_set < kCustomSetCount ? custom_set : 0];
}

Rgb CustomColourAt(const CustomSet& set, std::size_t index) {
  const std::size_t at = index * 3;
  return {set[at], set[at + 1], set[at + 2]};
}

void SetCustomColourAt(CustomSet& set, std::size_t index, const Rgb& colour) {
  const std::size_t at = index * 3;
  set[at] = colour.red;
  set[at + 1] = colour.green;
  set[at + 2] = colour.blue;
}

bool CustomLevelAt(const CustomSet& set, std::size_t position) { return set[position] != 0; }

void SetCustomLevelAt(CustomSet& set, std::size_t position, bool on) {
  set[position] = on ? kLevelOn : 0;
}

KeySlotMap BuildKeySlotMap(const KeyboardDefaultTable& defaults, std::size_t key_count) {
  KeySlotMap map = EmptyKeySlotMap();
  const std::size_t keys = std::min(key_count, kMaxKeyboardKeys);
  for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
    if (kKeySlotIdentity[slot] == kNoKeyIdentity) continue;
    for (std::size_t key = 0; key < keys; ++key) {
      if (defaults.Assignment(key) != kKeySlotIdentity[slot]) continue;
      map[slot] = static_cast<std::uint32_t>(key);
      break;
    }
  }
  return map;
}

}  // namespace vandrel
