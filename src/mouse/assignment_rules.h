// What the key pages refuse whatever the value: the mouse keeps a left click on one of its
// buttons, and the keyboard's key page leaves the key slots 110 and 111 as they are (they can
// only be painted on the lighting page). Any thread.
#pragma once

#include <cstddef>
#include <span>

#include "mouse/key_assignment.h"

namespace vandrel {

inline constexpr KeyAssignment kLeftClick{assignment_type::kMouseButton, 0x01, 0};

// Whether giving `button` of `buttons` the assignment `next` takes the left click away from the
// only button that has it.
[[nodiscard]] bool TakesLastLeftClick(std::span<const KeyAssignment> buttons, std::size_t button,
                                      const KeyAssignment& next);

// Whether the key page lets the key of `slot` be given a function.
[[nodiscard]] bool KeyPageOffersSlot(std::size_t slot);

}  // namespace vandrel
