// KeyTable: the keyboard keys a macro step or a key assignment can name, with their Windows
// virtual-key code, HID modifier bit or usage ID and display text identifier. The key pages
// show single keys from the display rows: the 104 keys followed by 21 multimedia and system
// rows that have a virtual-key code but cannot be captured as a key.
// Everything here is constant data; any thread may call.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "macro/macro_action.h"
#include "mouse/key_assignment.h"

namespace vandrel {

struct KeyRow {
  std::uint16_t virtual_key;  // Windows virtual-key code; 0x101 is keypad Enter
  std::uint8_t type;          // 0x20 for keys, 0x30 multimedia, 0x40 system
  std::uint8_t param1;        // keys: HID modifier bit, non-zero only for the eight modifiers
  std::uint8_t param2;        // keys: HID keyboard usage ID, zero for the modifiers
  std::string_view id;        // "keyboard_key_" + the key's label

  [[nodiscard]] constexpr KeyAssignment Assignment() const { return {type, param1, param2}; }
};

inline constexpr std::size_t kKeyTableSize = 104;
inline constexpr std::size_t kKeyDisplayRowCount = 125;

// The 104 keys, in table order: the eight modifiers, A-Z, the number row, the punctuation and
// editing keys, F1-F12, the navigation block, the keypad and App. All of type 0x20.
[[nodiscard]] std::span<const KeyRow> KeyTable();
// The 104 keys followed by the 21 further rows the key pages show.
[[nodiscard]] std::span<const KeyRow> KeyDisplayRows();

// The key of `virtual_key` among the 104 keys; nullptr when there is none.
[[nodiscard]] const KeyRow* FindKey(std::uint16_t virtual_key);
// The first display row whose param1 and param2 are these (its type is not compared);
// nullptr when there is none.
[[nodiscard]] const KeyRow* FindDisplayRow(std::uint8_t param1, std::uint8_t param2);

// The virtual-key code under which a hooked key event is looked up: Return reported with the
// extended flag (flags 1, or 129 on release) is keypad Enter, 0x101.
[[nodiscard]] std::uint16_t HookedVirtualKey(std::uint16_t virtual_key, std::uint32_t flags);

// The step that presses (or releases) `key`: a modifier by its bit, any other key by its usage;
// the code's flag and `pressed` say which, the delay is 0.
[[nodiscard]] MacroAction KeyStep(const KeyRow& key, bool press);

}  // namespace vandrel
