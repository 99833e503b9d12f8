#include "keyboard/lighting/effect_drawing.h"

namespace vandrel {

void StepWithin(std::uint8_t& position, std::uint8_t count, std::uint8_t direction) {
  if (direction != 0) {
    position = position + 1 >= count ? 0 : static_cast<std::uint8_t>(position + 1);
    return;
  }
  position = position == 0 || position > count ? static_cast<std::uint8_t>(count - 1)
                                               : static_cast<std::uint8_t>(position - 1);
}

LedColour ColourSource(const LightingBlock& lighting, std::uint8_t wheel_position) {
  return lighting.seven_colour != 0 ? kColourWheel[wheel_position] : FixedColour(lighting);
}

void PaintColumn(KeyboardLedFrame& frame, std::size_t column, LedColour colour,
                 std::uint8_t level) {
  for (const std::uint8_t slot : kLedMatrix[column]) {
    if (slot != kNoKeySlot) Paint(frame, slot, colour, level);
  }
}

void PaintColumnLevel(KeyboardLedFrame& frame, std::size_t column, std::uint8_t level) {
  for (const std::uint8_t slot : kLedMatrix[column]) {
    if (slot != kNoKeySlot) PaintLevel(frame, slot, level);
  }
}

void PaintRow(KeyboardLedFrame& frame, std::size_t row, LedColour colour, std::uint8_t level) {
  for (const MatrixColumn& column : kLedMatrix) {
    if (column[row] != kNoKeySlot) Paint(frame, column[row], colour, level);
  }
}

void PaintZone(KeyboardLedFrame& frame, std::size_t zone, LedColour colour, std::uint8_t level) {
  for (const std::uint8_t slot : kZoneTable[zone]) {
    if (slot != kNoLed) Paint(frame, slot, colour, level);
  }
}

}  // namespace vandrel
