// Walking the LED matrix: every cell that holds a key, and the cell of a given key.
#pragma once

#include <cstddef>
#include <cstdint>

#include "keyboard/lighting/key_layout.h"

namespace vandrel {

// Calls visit(column, row, slot) for every matrix cell that holds a key, column by column.
template <typename Visit>
void ForEachMatrixKey(Visit&& visit) {
  for (std::size_t column = 0; column < kMatrixColumns; ++column) {
    for (std::size_t row = 0; row < kMatrixRows; ++row) {
      const std::uint8_t slot = kLedMatrix[column][row];
      if (slot != kNoKeySlot) visit(column, row, slot);
    }
  }
}

struct MatrixCell {
  bool found = false;
  std::size_t column = 0;
  std::size_t row = 0;
};

// The first cell (columns first) that holds `slot`.
[[nodiscard]] inline MatrixCell FindMatrixCell(std::uint8_t slot) {
  for (std::size_t column = 0; column < kMatrixColumns; ++column) {
    for (std::size_t row = 0; row < kMatrixRows; ++row) {
      if (kLedMatrix[column][row] == slot) return {true, column, row};
    }
  }
  return {};
}

}  // namespace vandrel
