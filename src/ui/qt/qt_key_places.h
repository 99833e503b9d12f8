// Where a Qt key sits on a US keyboard, for key events that come without the desktop's keycode
// (synthetic events, desktops that do not report one): the Linux input code of the key that
// types it. Left and right modifiers cannot be told apart this way and count as the left one.
// Constant data; any thread.
#pragma once

#include <cstdint>

namespace vandrel {

// `key` is a Qt::Key; `keypad` whether the event carried the keypad modifier. 0 for a key that
// has no place.
[[nodiscard]] std::uint32_t EvdevCodeOfQtKey(int key, bool keypad);

}  // namespace vandrel
