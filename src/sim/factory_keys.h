// The factory assignments the simulated firmware keeps as its own data: every key of a keyboard
// in the order its matrix is scanned, and the mouse's nine buttons. They are written from the HID
// usage tables and a physical keyboard, not taken from the host's tables, so that the host's way
// of finding keys is checked against a device rather than against itself.
#pragma once

#include <cstdint>
#include <vector>

namespace vandrel::sim {

// One assignment as the firmware stores it in its tables: three bytes, a type code and two
// parameters whose meaning depends on the type.
struct FactoryAssignment {
  std::uint8_t type = 0;
  std::uint8_t param1 = 0;
  std::uint8_t param2 = 0;

  friend constexpr bool operator==(const FactoryAssignment&, const FactoryAssignment&) = default;
};

// The factory keys of the keyboard with `product_id`, device key 0 first: the matrix scanned row
// by row from the Esc row down, each row left to right. Only the zone keyboard has the ISO key
// beside left Shift, the right GUI key and the column of extra keys G1–G5.
[[nodiscard]] std::vector<FactoryAssignment> KeyboardFactoryKeys(std::uint16_t product_id);

// The mouse's nine buttons as they leave the factory: left, wheel, right, forward, back, DPI
// cycle, DPI up, DPI down and play/pause.
[[nodiscard]] std::vector<FactoryAssignment> MouseFactoryButtons();

}  // namespace vandrel::sim
