// A function for a mouse button or keyboard key given by name, as a user types it: the names the
// key functions are shown with (English, without regard to case), "default", "disabled",
// "macro:NAME[:REPEAT]", "key:COMBO", "tilt:…", "wheel:…" and "fire:…", each held to the values
// the key pages allow in its category. Any thread.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mouse/assignment_texts.h"
#include "mouse/key_assignment.h"

namespace vandrel {

// The shown text of a text identifier ("mouse_key_left" → "Left click").
using TextOfId = std::function<std::string(std::string_view id)>;

struct FunctionNameContext {
  AssignmentHolder holder = AssignmentHolder::kMouseButton;
  TextOfId text;                        // must be set
  std::span<const std::string> macros;  // the holder's macro catalogue: position = macro number
  KeyAssignment factory;                // what "default" gives: the button's or key's own function
};

struct FunctionNameResult {
  std::optional<KeyAssignment> assignment;
  std::string problem;  // one line for the user when there is no assignment
};

// The assignment `name` stands for on the holder, or why there is none:
// - a function by its shown name: list items, keys and media keys, "Show window" (mouse), the
//   recoil tables (mouse only), and keys with modifiers by the names of their keys joined with
//   "+" ("Left Ctrl+Left Shift+A");
// - "default": `factory`; "disabled": (kDisabled, 0, 0);
// - "macro:NAME[:REPEAT]": macro NAME of `macros` (its exact spelling first, else without regard
//   to case); REPEAT is a repeat mode 0-3 (0 when left out) or "xN", played N times (1-255);
// - "key:COMBO": modifiers ctrl, shift, alt, win (left; "r"/"right" forms for the right ones)
//   and at most one other key, joined with "+", keys by their labels or shown names;
// - "tilt:left|right:VALUE[:HIGH:LOW]", "wheel:up|down:VALUE[:HIGH:LOW]": VALUE 0-127, the two
//   nibbles 0-15 (0 when left out); "fire:FIRST:SECOND": FIRST 1-255, SECOND 0-255.
[[nodiscard]] FunctionNameResult FunctionByName(std::string_view name,
                                                const FunctionNameContext& context);

// Every (shown name, assignment) pair the holder's plain names give, in the order they are looked
// up; the first of equal names wins.
struct NamedFunction {
  std::string name;
  KeyAssignment assignment;
};
[[nodiscard]] std::vector<NamedFunction> NamedFunctions(AssignmentHolder holder,
                                                        const TextOfId& text);

}  // namespace vandrel
