// The button or key `vandrelctl assign` changes, found by the name or number `info` shows for it
// in the state read from the device.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/english_texts.h"
#include "keyboard/keyboard_state.h"
#include "mouse/key_assignment.h"
#include "mouse/mouse_state.h"

namespace vandrel::cli {

struct AssignTarget {
  std::size_t number = 0;  // as info numbers it: button 0-8, device key 0 … key count − 1
  std::string label;       // "button 3 (forward)", "key 17 (Tab)"
  KeyAssignment current;
  KeyAssignment factory;
  std::size_t slot = 0;  // keyboard: the key's slot on the key page
};

// The button of the active slot's key page called `word` ("forward", "second DPI") or numbered
// so; nullopt with `error` naming the buttons there are.
[[nodiscard]] std::optional<AssignTarget> MouseButtonTarget(const MouseState& state,
                                                            std::string_view word,
                                                            std::string& error);

// The keyboard key called `word` (its name by its factory function, as info shows it), else the
// key numbered so, which the key page lets be given a function; nullopt with `error` set when there
// is no such key, more than one has the name, or the key page leaves it alone.
[[nodiscard]] std::optional<AssignTarget> KeyboardKeyTarget(const KeyboardState& state,
                                                            std::string_view word,
                                                            const EnglishTexts& texts,
                                                            std::string& error);

}  // namespace vandrel::cli
