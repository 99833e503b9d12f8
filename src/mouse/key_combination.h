// A key combination as a user types it ("ctrl+shift+a", "right alt+Num +"): modifiers and at most
// one other key of the key table, joined with "+". Any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "mouse/function_names.h"

namespace vandrel {

// The key assignment (type 0x20, the modifier bits, the key's usage ID or 0) of `combo`; nullopt
// with `problem` set when a part is no key or more than one key is not a modifier. Modifiers are
// "ctrl", "shift", "alt", "win" (the left ones), each also with "l", "left", "left ", "r",
// "right" or "right " in front; other keys by their label in the key table ("A", "F5",
// "Num Enter") or by their shown name (`text`), without regard to case.
[[nodiscard]] std::optional<KeyAssignment> ParseKeyCombination(std::string_view combo,
                                                               const TextOfId& text,
                                                               std::string& problem);

// The name of a key assignment's keys as ParseKeyCombination reads it: the shown names of its
// modifiers in bit order and of its key, joined with "+" ("Left Ctrl+Left Shift+A"); nullopt when
// its usage ID is no key of the key table or it holds no key at all.
[[nodiscard]] std::optional<std::string> KeyCombinationText(const KeyAssignment& keys,
                                                            const TextOfId& text);

}  // namespace vandrel
