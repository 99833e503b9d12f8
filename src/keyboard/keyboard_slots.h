// The key slots (the key buttons "kb_key_0" … "kb_key_125") as the key and lighting pages use
// them: each slot's device key through the slot map, and that key's assignment in the key table
// page in use. A slot the keyboard does not have (or a number that is no slot) has no device key:
// reads give nothing and edits change nothing. User-interface thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "keyboard/keyboard_state.h"

namespace vandrel {

// The slot's KeySlotMap entry: a device key index, or kNoDeviceKey.
[[nodiscard]] std::uint32_t DeviceIndexOfSlot(const KeyboardState& state, std::size_t slot);
[[nodiscard]] std::optional<KeyAssignment> AssignmentOfSlot(const KeyboardState& state,
                                                            std::size_t slot);
// False, with nothing changed, for a slot without a device key.
bool SetAssignmentOfSlot(KeyboardState& state, std::size_t slot, const KeyAssignment& assignment);
// Copies the factory assignment of the slot's device key into the key table.
bool RestoreDefaultOfSlot(KeyboardState& state, std::size_t slot);

}  // namespace vandrel
