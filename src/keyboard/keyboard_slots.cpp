#include "keyboard/keyboard_slots.h"

namespace vandrel {
namespace {

std::optional<std::size_t> DeviceKeyOf(const KeyboardState& state, std::size_t slot) {
  const std::uint32_t key = DeviceIndexOfSlot(state, slot);
  // The map holds only keys below the key count, which fit the table; anything else is absent.
  if (key >= kMaxKeyboardKeys) return std::nullopt;
  return key;
}

KeyboardKeyTable& PageInUse(KeyboardState& state) { return state.keys[state.ProfileInUse()]; }

}  // namespace

std::uint32_t DeviceIndexOfSlot(const KeyboardState& state, std::size_t slot) {
  return slot < kKeySlotCount ? state.slot_map[slot] : kNoDeviceKey;
}

std::optional<KeyAssignment> AssignmentOfSlot(const KeyboardState& state, std::size_t slot) {
  const std::optional<std::size_t> key = DeviceKeyOf(state, slot);
  if (!key) return std::nullopt;
  return state.keys[state.ProfileInUse()].Assignment(*key);
}

bool SetAssignmentOfSlot(KeyboardState& state, std::size_t slot, const KeyAssignment& assignment) {
  const std::optional<std::size_t> key = DeviceKeyOf(state, slot);
  if (!key) return false;
  PageInUse(state).SetAssignment(*key, assignment);
  return true;
}

bool RestoreDefaultOfSlot(KeyboardState& state, std::size_t slot) {
  const std::optional<std::size_t> key = DeviceKeyOf(state, slot);
  if (!key) return false;
  PageInUse(state).SetAssignment(*key, state.defaults.Assignment(*key));
  return true;
}

}  // namespace vandrel
