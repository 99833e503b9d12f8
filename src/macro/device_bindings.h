// The key tables whose bindings follow a device's macro deletions: the mouse's five key pages
// (its nine buttons each), and the keyboard's key table in use (every key it reports).
// User-interface thread, like the states.
#pragma once

#include <vector>

#include "keyboard/keyboard_state.h"
#include "macro/macro_bindings.h"
#include "mouse/mouse_state.h"

namespace vandrel {

// Views into `state`, valid while it lives.
[[nodiscard]] std::vector<BindingTable> MouseBindingTables(MouseState& state);
[[nodiscard]] std::vector<BindingTable> KeyboardBindingTables(KeyboardState& state);

}  // namespace vandrel
