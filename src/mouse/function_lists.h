// The lists of functions a mouse button or keyboard key can be given, as the key pages offer
// them in their combos: each item is an assignment and its display text identifier, and an
// item's position is its index in the combo. The mouse button page and the keyboard key page
// share these lists. Constant data; any thread may call.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "mouse/key_assignment.h"

namespace vandrel {

struct FunctionItem {
  KeyAssignment assignment;
  std::string_view id;
};

// Left, middle, right, forward, back (type 0x10, param1 the button mask).
[[nodiscard]] std::span<const FunctionItem> MouseButtonFunctions();
// DPI up, down, cycle (type 0x13, param1 1-3).
[[nodiscard]] std::span<const FunctionItem> DpiFunctions();
// The 18 multimedia and browser keys (type 0x30, the consumer usage's low and high byte).
[[nodiscard]] std::span<const FunctionItem> MultimediaFunctions();
// Power, sleep, wake up (type 0x40).
[[nodiscard]] std::span<const FunctionItem> SystemFunctions();
// The eleven Ctrl+key combinations (type 0x20, param1 0x01 left Ctrl).
[[nodiscard]] std::span<const FunctionItem> KeyCombinations();
// The mouse's four recoil tables (type 0x72, param1 0-3).
[[nodiscard]] std::span<const FunctionItem> RecoilTableFunctions();

// The first item whose param1 equals `param1`; nullptr when there is none.
[[nodiscard]] const FunctionItem* FindByParam1(std::span<const FunctionItem> items,
                                               std::uint8_t param1);
// The first item whose param1 and param2 equal the assignment's; nullptr when there is none.
[[nodiscard]] const FunctionItem* FindByParams(std::span<const FunctionItem> items,
                                               const KeyAssignment& assignment);

}  // namespace vandrel
