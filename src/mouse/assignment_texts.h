// The display name of a key assignment: what a mouse button's text and tooltip show, and what a
// keyboard key's tooltip calls its current function. Names are language text identifiers,
// except a macro's, which is the macro's own name. Any thread may call.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "mouse/key_assignment.h"

namespace vandrel {

// Whose assignment is named: the two pages differ in a few types.
enum class AssignmentHolder {
  kMouseButton,  // knows recoil tables and the "show_window" key
  kKeyboardKey,  // knows the five extra keys G1-G5
};

struct AssignmentLabel {
  // The identifier or macro name to show; nullopt when the shown text stays as it was (types
  // without a name, or a search without a hit).
  std::optional<std::string> text;
  // Whether the text is a language identifier. False for macros only; it holds for the type
  // even when the text stays as it was.
  bool resource_text = true;

  friend bool operator==(const AssignmentLabel&, const AssignmentLabel&) = default;
};

// The name of macro number `macro` in the holder's macro catalogue; nullopt when the catalogue
// has no such macro.
using MacroNameLookup = std::function<std::optional<std::string>(int macro)>;

// Names `assignment` by its type: single keys from the display rows of the key table, with a
// matching key combination taking precedence; list functions by their first matching item;
// tilt, wheel and fire by their fixed texts; macros through `macro_name` (which may be empty);
// unknown types as "close_text".
[[nodiscard]] AssignmentLabel AssignmentText(const KeyAssignment& assignment,
                                             const MacroNameLookup& macro_name,
                                             AssignmentHolder holder);

// A keyboard key's own name, from its factory assignment: the display row with the same
// param1 and param2, or the extra key's name G1-G5; nullopt when there is neither.
[[nodiscard]] std::optional<std::string_view> KeyOwnName(const KeyAssignment& factory);

}  // namespace vandrel
