#include "mouse/assignment_rules.h"

#include <algorithm>
#include <array>

namespace vandrel {
namespace {

constexpr std::array<std::size_t, 2> kSlotsClosedOnKeyPage = {110, 111};

}  // namespace

bool TakesLastLeftClick(std::span<const KeyAssignment> buttons, std::size_t button,
                        const KeyAssignment& next) {
  if (button >= buttons.size() || buttons[button] != kLeftClick || next == kLeftClick) {
    return false;
  }
  return std::ranges::count(buttons, kLeftClick) == 1;
}

bool KeyPageOffersSlot(std::size_t slot) {
  return std::ranges::find(kSlotsClosedOnKeyPage, slot) == kSlotsClosedOnKeyPage.end();
}

}  // namespace vandrel
